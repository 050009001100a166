#include "objects/shape_init.h"

#include <cstring>

#include "objects/app_options.h"
#include "objects/freeform_text_insets.h"
#include "objects/picture_save.h"
#include "objects/shape_frames.h"
#include "objects/shape_outlines.h"
#include "objects/shape_parameters.h"
#include "objects/shape_types.h"
#include "store/record_store.h"
#include "objects/text_block_store.h"

double NewShapeParameter(const DrawingRecord* drawing, int shapeType)
{
    if (drawing && drawing->toolSlot >= 0 && drawing->toolSlot < kToolbarSlotCount && AppOptions) {
        double value;
        std::memcpy(&value, AppOptions + kOptionsToolbarSlots + kToolbarSlotSize * drawing->toolSlot + kToolbarSlotAdjust,
                    sizeof(value));
        return value;
    }
    ShapeParameterRange range;
    GetShapeParameterDefaults(shapeType, &range);
    return range.defaultValue;
}

namespace {

ErrorCode InitTextBox(DrawingRecord* drawing, DrawingObject* object, HGLOBAL textBlock)
{
    object->shapeType = kShapeRectangle;
    object->stateFlags |= kStateTextBox;
    object->lineWidth = 0;
    object->fillMode = 0;
    object->textBoxWord = 1;
    object->inner = object->frame;
    object->textFrame = object->frame;
    object->textMargins = {0, 0, 0, 0};
    object->textRoleFlags = 3;
    object->width = 54;
    object->height = 54;
    if (!drawing)
        return kErrNone;
    short id = 0;
    ErrorCode code = FindFreeId(drawing->storeSlot, kTextGroup, &id);
    if (code != kErrNone)
        return code;
    RecordHandle record = nullptr;
    code = CreateRecord(drawing->storeSlot, kTextGroup, id, 16, &record);
    if (code != kErrNone)
        return code;
    if (textBlock && GlobalSize(textBlock) >= 92) {
        auto* block = static_cast<unsigned char*>(GlobalLock(textBlock));
        if (block)
            std::memcpy(&object->textHolderWord, block + 88, sizeof(int32_t));
        GlobalUnlock(textBlock);
        code = StoreTextBlock(record, textBlock);
    }
    object->textRecordId = id;
    object->stateFlags |= kStateTextOpen;
    ReleaseRecord(record);
    return code;
}

ErrorCode InitPictureObject(DrawingRecord* drawing, DrawingObject* object, int group, HGLOBAL picture,
                            const PictureCreationBlock* block)
{
    object->shapeType = kShapeRectangle;
    object->stateFlags |= kStatePictureObject;
    object->sizingConstraint = 3;
    object->lineWidth = 0;
    object->fillMode = 0;
    object->inner = object->frame;
    object->textFrame = object->frame;
    object->textRoleFlags = 4;
    object->optionFlags = kOptionFrameless;
    bool plainMetafile = group == kMetafilePictureGroup && block && !(block->scanFlags & kScanStretchedBitmaps);
    if (!plainMetafile)
        object->optionFlags |= kOptionNoTransform;
    if (!drawing || !block)
        return kErrNone;
    int firstId = -1;
    int count = 0;
    ErrorCode code = SavePicture(drawing->storeSlot, group, picture, static_cast<DWORD>(block->byteSize),
                                 &block->bounds, &firstId, &count, block->colorCount, block->colors, block->scanFlags);
    object->dataGroup = group;
    object->dataFirstId = firstId;
    object->dataCount = count;
    return code;
}

} // namespace

int GetShapeSizingDefault(int shapeType)
{
    return shapeType == kShapeCircle ? 3 : 0;
}

ErrorCode InitShapeObject(DrawingRecord* drawing, void* table, int index, INT_PTR a, INT_PTR b, INT_PTR c)
{
    DrawingObject* object = KindObject(table, index);
    int requested = object->shapeType;
    object->adjust = NewShapeParameter(drawing, requested);
    object->linkCapacity = 1;
    if (IsRingOutlineType(requested))
        object->stateFlags |= kStateRingOutline;
    else
        object->stateFlags &= ~kStateRingOutline;
    object->kindWord1 = 1;
    object->kindWord2 = 3;

    ErrorCode code = kErrNone;
    switch (requested) {
    case kShapeBoxPoints:
        return InitTextBox(drawing, object, reinterpret_cast<HGLOBAL>(b));
    case kShapePicture:
        code = InitPictureObject(drawing, object, static_cast<int>(a), reinterpret_cast<HGLOBAL>(b),
                                 reinterpret_cast<const PictureCreationBlock*>(c));
        break;
    case kShapeCircle:
        object->sizingConstraint = 3;
        break;
    case kShapeFreeform:
        if (b) {
            HGLOBAL outline = reinterpret_cast<HGLOBAL>(b);
            auto* record = static_cast<int16_t*>(GlobalLock(outline));
            if (record)
                object->dataFirstId = record[0];
            GlobalUnlock(outline);
            object->dataGroup = kFreeformGroup;
            object->dataCount = 1;
            FitFreeformTextInsets(outline, object);
        }
        break;
    default:
        break;
    }
    ErrorCode recalc = RecalcShapeFrame(drawing, object, 1);
    return code != kErrNone ? code : recalc;
}
