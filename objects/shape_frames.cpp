#include "objects/shape_frames.h"

#include <cstdlib>

#include "common/rect_helpers.h"
#include "objects/point_transforms.h"
#include "objects/shadow_extent.h"
#include "objects/shape_outlines.h"
#include "objects/shape_text_insets.h"
#include "objects/object_text_hooks.h"

namespace {

// The box of the frame turned by the object's rotation about its centre.
RECT TurnedFrameBox(const DrawingObject* object)
{
    POINT corners[kOutlineBufferPoints];
    int count = 0;
    BuildTransformedShapeOutline(&object->frame, &object->frame, 0.0, kShapeRectangle, object->rotation, nullptr,
                                 corners, &count, 0);
    RECT box;
    GetPointsBounds(&box, corners, count);
    return box;
}

} // namespace

int GetBorderInset(const DrawingObject* object)
{
    if ((object->stateFlags & kStatePictureObject) && !(object->optionFlags & kOptionFrameless))
        return 0;
    return object->lineWidth;
}

int ObjectHasShadow(const DrawingRecord* drawing, const DrawingObject* object)
{
    if (object->optionFlags & kOptionHideShadow)
        return 0;
    if (object->lineWidth != 0 || object->kind != kKindShape)
        return 1;
    if (!drawing || drawing->style.shadowKind != 4 || object->fillMode == 0)
        return 0;
    if (object->labelPartnerId != kNoObjectId && (object->stateFlags & kStateAttached))
        return 0;
    if ((object->stateFlags & kStatePictureObject) && (object->optionFlags & kOptionFrameless))
        return 0;
    return 1;
}

ErrorCode RecalcShapeFrame(DrawingRecord* drawing, DrawingObject* object, int reflow)
{
    object->bounds = object->frame;
    object->inner = object->frame;
    if (object->rotation != 0)
        object->bounds = TurnedFrameBox(object);
    RECT shadow;
    GetShadowExtent(drawing, &shadow, 0);
    InflateRect(&object->bounds, 30, 30);
    int inset = GetBorderInset(object);
    InflateRect(&object->inner, -inset, -inset);
    if (ObjectHasShadow(drawing, object)) {
        ExpandRect(&object->bounds, &shadow);
        int kind = drawing ? drawing->style.shadowKind : 0;
        if (kind == 1 || kind == 2) {
            int dx = std::abs(drawing->style.shadowDx);
            int dy = std::abs(drawing->style.shadowDy);
            InflateRect(&object->inner, -dx, -dy);
        }
    }
    ComputeShapeTextInsets(object, 0);
    if (!reflow)
        return kErrNone;
    if (object->textRecordId < 0) {
        object->textFrame = object->inner;
        ComputeTextFrame(object);
        return kErrNone;
    }
    return ObjectTextCalls.reflow(drawing, object, 0, nullptr);
}

void GetShapeSize(const DrawingObject* object, int32_t* size)
{
    size[0] = object->frame.right - object->frame.left;
    size[1] = object->frame.bottom - object->frame.top;
}

void GetShapeBounds(const DrawingObject* object, int rotated, RECT* rect)
{
    if (rotated && object->rotation != 0)
        *rect = TurnedFrameBox(object);
    else
        *rect = object->frame;
}
