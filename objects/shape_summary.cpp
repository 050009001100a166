#include "objects/shape_summary.h"

namespace {

const int32_t kUnset = -2;
const int32_t kMixed = -1;

template <typename Field>
void Merge(Field* summary, Field value)
{
    if (static_cast<int32_t>(*summary) == kUnset)
        *summary = value;
    else if (*summary != value)
        *summary = static_cast<Field>(kMixed);
}

} // namespace

void CollectShapeAttributes(DrawingRecord*, void* table, int index, DrawingObject* summary)
{
    const DrawingObject* object = KindObject(table, index);
    Merge(&summary->lineWidth, object->lineWidth);
    Merge(&summary->textPlacement, object->textPlacement);
    Merge(&summary->textAlignment, object->textAlignment);
    Merge(&summary->lineStyle, object->lineStyle);
    Merge(&summary->lineColor, object->lineColor);
    Merge(&summary->fillMode, object->fillMode);
    Merge(&summary->shapeType, object->shapeType);
    if (summary->fillMode == 0)
        summary->fillColor = static_cast<COLORREF>(kMixed);
    else
        Merge(&summary->fillColor, object->fillColor);
    // Shapes that differ show no rule rather than the last one's.
    Merge(&summary->textBoxWord, object->textBoxWord);
    Merge(&summary->sizingConstraint, object->sizingConstraint);
    if ((summary->textRoleFlags & 0x3C) == 0)
        summary->textRoleFlags |= object->textRoleFlags & 0x3C;
    bool picture = (object->stateFlags & kStatePictureObject) != 0;
    if (!picture)
        summary->stateFlags = 0;
    if (picture && !(object->optionFlags & kOptionFrameless))
        summary->optionFlags &= ~kOptionFrameless;
    summary->optionFlags |= object->optionFlags & (kOptionHideShadow | kOptionHideTextShadow);
}

uint32_t GetShapeCommandBits(DrawingRecord*, void* table, int index)
{
    const DrawingObject* object = KindObject(table, index);
    uint32_t bits = 0x4C1;
    bool picture = object->dataCount > 0 && object->dataGroup != kFreeformGroup;
    if (!((object->stateFlags & kStatePictureObject) && object->dataCount > 0 &&
          object->dataGroup == kBitmapPictureGroup))
        bits |= 0x002;
    if (!(object->textRoleFlags & 0x10))
        bits |= 0x004;
    if (picture) {
        bits |= 0x100;
        if (object->dataGroup == kMetafilePictureGroup)
            bits |= 0x800;
    } else {
        bits |= 0x800;
    }
    return bits;
}
