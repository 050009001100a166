#include "objects/shape_type_change.h"

#include "objects/object_links.h"
#include "objects/shape_init.h"
#include "objects/shape_outlines.h"
#include "objects/shape_parameters.h"
#include "objects/shape_resize.h"
#include "objects/shape_rotation.h"
#include "store/record_store.h"

ErrorCode ChangeShapeType(DrawingRecord* drawing, void* table, int index, int newType)
{
    DrawingObject* object = KindObject(table, index);
    if (object->shapeType == newType || (object->stateFlags & kStatePictureObject))
        return kErrNone;
    if (object->stateFlags & kStateTextBox) {
        object->textMargins = {24, 24, 24, 24};
        if (object->lineWidth == 0 && drawing) {
            object->lineWidth = drawing->outlineWidth;
            object->lineColor = drawing->style.borderColor;
        }
        object->stateFlags &= ~kStateTextBox;
    }
    object->optionFlags &= ~(kOptionFlipH | kOptionFlipV);
    HGLOBAL freeform = drawing ? LoadFreeformOutline(drawing->storeSlot, object) : nullptr;
    if (freeform) {
        if (DeleteRecordByHandle(freeform) == kErrNone)
            GlobalFree(freeform);
        else
            ReleaseRecord(freeform);
        object->dataGroup = -1;
        object->dataFirstId = -1;
        object->dataCount = 0;
    }
    ShapeParameterRange range;
    GetShapeParameterDefaults(newType, &range);
    object->adjust = range.defaultValue;
    object->shapeType = newType;
    if (IsRingOutlineType(newType))
        object->stateFlags |= kStateRingOutline;
    else
        object->stateFlags &= ~kStateRingOutline;
    int sizing = GetShapeSizingDefault(newType);
    object->sizingConstraint = (sizing & 2) ? 3 : 0;
    if (index >= 0 && drawing)
        MarkObjectLinks(drawing, table, index, kLinkTargetMoved | kLinkRechoosePoint);
    object = KindObject(table, index);
    RECT frame = object->frame;
    if (sizing & 1) {
        int width = frame.right - frame.left;
        int height = frame.bottom - frame.top;
        int half = (width > height ? width - height : height - width) / 2;
        if (width > height) {
            frame.left += half;
            frame.right -= half;
        } else {
            frame.top += half;
            frame.bottom -= half;
        }
    }
    return ResizeShape(drawing, table, index, 0, 0, &frame);
}
