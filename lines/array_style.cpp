#include "lines/array_style.h"

#include "lines/array_attach.h"
#include "lines/array_layout.h"
#include "objects/drawing_edits.h"

bool DecodeArrayStyle(int value, ArrayStyle* style)
{
    int code = value + 1;
    int tens = code / 10;
    int remainder = (code - 10) % 20;
    if (remainder < 0)
        return false;
    int flags = remainder;
    if (tens > 4 && remainder > 10)
        flags -= 10;
    static const ArrayStyle kByTens[9] = {
        {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {2, 0, 0}, {2, 0, 0}, {0, 45, 0}, {0, 135, 0}, {2, 45, 0}, {2, 135, 0},
    };
    if (tens < 1 || tens > 8)
        return false;
    *style = kByTens[tens];
    style->flags = static_cast<uint32_t>(flags);
    return true;
}

namespace {

POINT ReferencePoint(const DrawingObject* array)
{
    return ArrayIsVertical(array) ? POINT{array->kindCoordinate, array->inner.top}
                                  : POINT{array->inner.left, array->kindCoordinate};
}

void MoveRects(DrawingObject* array, int dx, int dy)
{
    OffsetRect(&array->bounds, dx, dy);
    OffsetRect(&array->frame, dx, dy);
    OffsetRect(&array->inner, dx, dy);
    OffsetRect(&array->textFrame, dx, dy);
}

} // namespace

ErrorCode ApplyArrayStyle(DrawingRecord* drawing, void* table, int index, int value)
{
    DrawingObject* array = KindObject(table, index);
    if (array->groupIndex >= 0)
        return kErrNone;
    ArrayStyle style;
    if (!DecodeArrayStyle(value, &style))
        return kErrNone;
    {
        ArrayRecord record;
        ErrorCode code = record.Find(drawing, index >= 0 ? table : nullptr, array);
        if (code == kErrNone)
            code = record.MarkChanged();
        if (code != kErrNone)
            return code;
        ArrayBranchHead* list = record.Get();
        if (style.orientation != array->shapeType) {
            if (style.orientation == kArrayVertical) {
                int trunk = array->kindCoordinate;
                array->kindCoordinate = array->inner.left;
                array->inner.top = trunk;
            } else {
                int trunk = array->kindCoordinate;
                array->kindCoordinate = array->inner.top;
                array->inner.left = trunk;
            }
        }
        array->shapeType = style.orientation;
        bool wasLinear = ArrayIsLinear(list);
        list->flags = style.flags;
        if (style.flags & kArrayLinear) {
            list->branchLength = 150;
        } else if (wasLinear && list->branchCount == 1 && list->entryCount >= 4) {
            ArrayBranchEntry* e0 = ArrayEntryAt(list, 0);
            *e0 = *ArrayEntryAt(list, 3);
            e0->extent = list->branchLength;
            list->entryCount = 1;
            RenumberBranchLink(index >= 0 ? table : nullptr, array, list, e0, 0, 0);
        }
        list->angle = style.angle;
        for (int i = FirstBranchEntry(list); i < list->entryCount; ++i)
            RenumberBranchLink(index >= 0 ? table : nullptr, array, list, ArrayEntryAt(list, i), 0, -1);
    }
    if (drawing)
        InvalidateDrawingRect(drawing, &array->bounds);
    POINT before = ReferencePoint(array);
    ErrorCode code = LayoutArray(drawing, table, index);
    array = KindObject(table, index);
    POINT after = ReferencePoint(array);
    int dx = before.x - after.x;
    int dy = before.y - after.y;
    MoveRects(array, dx, dy);

    if (array->linkCount >= 1) {
        ArrayRecord record;
        bool stemAtEnd = true;
        bool flip = false;
        if (record.Find(drawing, index >= 0 ? table : nullptr, array) == kErrNone) {
            stemAtEnd = ArrayStemAtEnd(record.Get());
            flip = (record.Get()->flags & kArrayFlipSide) != 0;
        }
        int& end = array->links[0].connectCode;
        if (!ArrayIsVertical(array)) {
            if (!stemAtEnd)
                end = flip ? 23 : 22;
            else if (end == 22)
                end = 20;
            else if (end == 23)
                end = 21;
            array->kindCoordinate += dy;
        } else {
            if (!stemAtEnd)
                end = flip ? 21 : 20;
            else if (end == 20)
                end = 22;
            else if (end == 21)
                end = 23;
            array->kindCoordinate += dx;
        }
    }
    if (drawing)
        InvalidateDrawingRect(drawing, &array->bounds);
    return code;
}
