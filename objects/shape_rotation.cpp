#include "objects/shape_rotation.h"

#include "common/rect_handle_point.h"
#include "objects/groups.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "objects/point_transforms.h"
#include "objects/shape_frames.h"
#include "objects/shape_types.h"
#include "store/record_store.h"

namespace {

const int kHandleInset = 66;
const int kHandleReach = 24;
const int kSmallShape = 270;

POINT FrameCentre(const RECT& frame)
{
    return {(frame.right - frame.left) / 2 + frame.left, (frame.bottom - frame.top) / 2 + frame.top};
}

void RefuseTransform(const DrawingObject* object)
{
    if (object->shapeType != 0)
        TransformRefused = 1;
}

} // namespace

HGLOBAL LoadFreeformOutline(int store, const DrawingObject* object)
{
    if (object->shapeType != kShapeFreeform || object->dataFirstId < 0)
        return nullptr;
    RecordHandle record = nullptr;
    if (FindRecord(store, kFreeformGroup, static_cast<short>(object->dataFirstId), &record) != kErrNone)
        return nullptr;
    return record;
}

void ReleaseFreeformOutline(HGLOBAL freeform)
{
    if (freeform)
        ReleaseRecord(freeform);
}

void SetShapeRotation(DrawingRecord* drawing, void* table, int index, int angle)
{
    DrawingObject* object = KindObject(table, index);
    if (object->optionFlags & kOptionNoTransform) {
        RefuseTransform(object);
        return;
    }
    if (angle == object->rotation)
        return;
    object->rotation = angle;
    if (index >= 0 && drawing)
        MarkObjectLinks(drawing, table, index, kLinkTargetMoved | kLinkRechoosePoint);
    object = KindObject(table, index);
    DiscardError(RecalcShapeFrame(drawing, object, 0), "without a reflow nothing can fail");
    if (index >= 0 && drawing)
        DiscardError(KeepInsideThroughView(drawing, table, index),
                     "a turned shape partly outside stays where it was turned");
}

ErrorCode RotateShapeToPoint(DrawingRecord* drawing, void* table, int index, int handleCode, const POINT* target)
{
    DrawingObject* object = KindObject(table, index);
    if (drawing)
        object->groupIndex = FindGroup(drawing, object->groupKey, object->groupIndex, 0);
    if (object->optionFlags & kOptionNoTransform) {
        RefuseTransform(object);
        return kErrNone;
    }
    POINT centre = FrameCentre(object->frame);
    POINT handle;
    GetRectHandlePoint(&object->frame, handleCode, &handle);
    int angle = ComputeAngleBetween(centre.x, centre.y, handle.x, handle.y, target->x, target->y);
    if (drawing && (drawing->flags & kDrawingSnap) && object->groupIndex < 0)
        angle = SnapRotationAngle(angle);
    object->rotation = angle;
    if (index >= 0 && drawing)
        MarkObjectLinks(drawing, table, index, kLinkTargetMoved | kLinkRechoosePoint);
    DiscardError(RecalcShapeFrame(drawing, KindObject(table, index), 0), "without a reflow nothing can fail");
    return kErrNone;
}

int GetShapeRotateHandle(DrawingRecord*, void* table, int index, int flags, POINT* point, RECT* box)
{
    DrawingObject* object = KindObject(table, index);
    if (object->optionFlags & kOptionNoTransform)
        return 0;
    if (index >= 0 && !(flags & 2) && object->linkCount > 0 && !HasSingleBranchHook(object))
        return 0;
    int width = object->frame.right - object->frame.left;
    int height = object->frame.bottom - object->frame.top;
    if (!(flags & 2) && width < kSmallShape && height < kSmallShape)
        return 0;
    POINT centre = FrameCentre(object->frame);
    POINT at;
    int code;
    if (width < kSmallShape || width < height) {
        at = {centre.x, object->frame.bottom - kHandleInset};
        code = 141;
    } else {
        at = {object->frame.right - kHandleInset, centre.y};
        code = 140;
    }
    if ((flags & 1) && object->rotation != 0)
        RotatePoints(&object->frame, object->rotation, &at, 1);
    if (point)
        *point = at;
    if (box)
        *box = {at.x - kHandleReach, at.y - kHandleReach, at.x + kHandleReach, at.y + kHandleReach};
    return code;
}

void GetShapeOutline(DrawingRecord* drawing, void* table, int index, int* count, POINT* points)
{
    DrawingObject* object = KindObject(table, index);
    HGLOBAL freeform = drawing ? LoadFreeformOutline(drawing->storeSlot, object) : nullptr;
    BuildTransformedShapeOutline(&object->frame, &object->frame, object->adjust, object->shapeType, object->rotation,
                                 freeform, points, count, object->optionFlags);
    ReleaseFreeformOutline(freeform);
}
