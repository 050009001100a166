#include "objects/shape_flip.h"

#include <utility>

#include "common/flag_helpers.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "objects/shape_resize.h"
#include "objects/shape_type_change.h"
#include "objects/shape_types.h"

namespace {

// The type that looks like `type` mirrored by one flag, or -1.
int MirrorType(int type, uint32_t flag)
{
    if (flag == kOptionFlipH) {
        if (type == kShapeRightArrow)
            return kShapeLeftArrow;
        if (type == kShapeLeftArrow)
            return kShapeRightArrow;
        return -1;
    }
    switch (type) {
    case kShapeTopArrow:
        return kShapeBottomArrow;
    case kShapeBottomArrow:
        return kShapeTopArrow;
    case kShapeTriangle:
        return kShapeReverseTriangle;
    case kShapeReverseTriangle:
        return kShapeTriangle;
    case kShapeTrapezoid:
        return kShapeManualOperation;
    case kShapeManualOperation:
        return kShapeTrapezoid;
    default:
        return -1;
    }
}

} // namespace

uint32_t GetFlipPermissions(const DrawingObject* object)
{
    switch (object->shapeType) {
    case kShapeInputOutput:
    case kShapeDocument:
    case kShapeManualInput:
    case kShapeFreeform:
        return kOptionFlipH | kOptionFlipV;
    case kShapeOnlineStorage:
    case kShapePentagon:
    case kShapeDelay:
    case kShapeDisplay:
        return kOptionFlipH;
    case kShapeOffPage:
        return kOptionFlipV;
    default:
        if ((object->stateFlags & kStatePictureObject) && object->dataGroup == kMetafilePictureGroup &&
            object->dataCount > 0)
            return kOptionFlipH | kOptionFlipV;
        return 0;
    }
}

ErrorCode FlipShape(DrawingRecord* drawing, void* table, int index, uint32_t flags)
{
    DrawingObject* object = KindObject(table, index);
    // A bitmap cannot be mirrored, nor a shape that refuses transforms.
    if (object->dataGroup == kBitmapPictureGroup || (object->optionFlags & kOptionNoTransform)) {
        TransformRefused = 1;
        return kErrNone;
    }
    uint32_t accepted = GetFlipPermissions(object);
    if (accepted == 0) {
        ErrorCode code = kErrNone;
        for (uint32_t flag : {static_cast<uint32_t>(kOptionFlipH), static_cast<uint32_t>(kOptionFlipV)}) {
            if (!(flags & flag))
                continue;
            int mirror = MirrorType(KindObject(table, index)->shapeType, flag);
            if (mirror >= 0 && code == kErrNone)
                code = ChangeShapeType(drawing, table, index, mirror);
        }
        return code;
    }
    bool changed = false;
    for (uint32_t flag : {static_cast<uint32_t>(kOptionFlipH), static_cast<uint32_t>(kOptionFlipV)}) {
        if (!(flags & flag) || !(accepted & flag))
            continue;
        object->optionFlags ^= flag;
        if (object->stateFlags & kStateSymbolConnectPoints) {
            double* fractions = object->textInsetFractions;
            if (flag == kOptionFlipH)
                std::swap(fractions[0], fractions[2]);
            else
                std::swap(fractions[1], fractions[3]);
        }
        changed = true;
    }
    if (object->shapeType == kShapeInputOutput &&
        (object->optionFlags & (kOptionFlipH | kOptionFlipV)) == (kOptionFlipH | kOptionFlipV))
        SetFlagBits(&object->optionFlags, kOptionFlipH | kOptionFlipV, 0);
    if (!changed)
        return kErrNone;
    if (index >= 0 && drawing)
        MarkObjectLinks(drawing, table, index, kLinkTargetMoved | kLinkRechoosePoint);
    object = KindObject(table, index);
    RECT frame = object->frame;
    return ResizeShape(drawing, table, index, 0, 0, &frame);
}
