#include "lines/array_reshape.h"

#include <algorithm>
#include <utility>

#include "lines/array_attach.h"
#include "lines/array_layout.h"
#include "objects/drawing_edits.h"

namespace {

RECT Swapped(const RECT& r, bool vertical)
{
    return vertical ? RECT{r.top, r.left, r.bottom, r.right} : r;
}

int SwappedCode(int code, bool vertical)
{
    if (!vertical)
        return code;
    const int swap[] = {0, 1, 2, 3, 4, 7, 8, 5, 6};
    if (code >= 5 && code <= 8)
        return swap[code];
    if (code >= 20 && code <= 23)
        return code < 22 ? code + 2 : code - 2;
    return code;
}

// Moves the four rectangles along (dx) and across (dy) the trunk.
void MoveRects(DrawingObject* array, int dx, int dy)
{
    if (ArrayIsVertical(array))
        std::swap(dx, dy);
    OffsetRect(&array->bounds, dx, dy);
    OffsetRect(&array->frame, dx, dy);
    OffsetRect(&array->inner, dx, dy);
    OffsetRect(&array->textFrame, dx, dy);
}

// Moves the trunk across itself with the rectangles.
void MoveTrunk(DrawingObject* array, int dy)
{
    array->kindCoordinate += dy;
    MoveRects(array, 0, dy);
}

int BranchSpaces(const ArrayBranchHead* list)
{
    int bc = list->branchCount;
    return (list->flags & kArrayBothSides) ? (bc - 1) / 2 : bc - 1;
}

void GrowGap(ArrayBranchHead* list, int delta)
{
    int n = BranchSpaces(list);
    if (n == 0)
        return;
    bool staggered = (list->flags & kArrayStaggered) != 0;
    bool both = (list->flags & kArrayBothSides) != 0;
    double divisor = n;
    if (staggered && !both)
        delta *= 2;
    else if (staggered && both && list->branchCount % 2 == 0)
        divisor = n + 0.5;
    list->gap = std::max<int>(list->gap + static_cast<int>(delta / divisor), 0);
}

ErrorCode LayoutBetweenInvalidations(DrawingRecord* drawing, void* table, int index)
{
    if (drawing)
        InvalidateDrawingRect(drawing, &KindObject(table, index)->bounds);
    ErrorCode code = LayoutArray(drawing, table, index);
    if (drawing)
        InvalidateDrawingRect(drawing, &KindObject(table, index)->bounds);
    return code;
}

void ReshapeByHandle(DrawingObject* array, ArrayBranchHead* list, int h, RECT r)
{
    const bool vertical = ArrayIsVertical(array);
    const RECT frame = Swapped(array->frame, vertical);
    const int T = array->kindCoordinate;
    const bool single = list->entryCount < 3;
    const bool stemEnd = ArrayStemAtEnd(list);
    const bool flip = (list->flags & kArrayFlipSide) != 0;
    ArrayBranchEntry* e0 = ArrayEntryAt(list, 0);
    ArrayBranchEntry* stem = ArrayEntryAt(list, 1);
    ArrayBranchEntry* tail = ArrayEntryAt(list, 2);
    const int oldFish = GetFishboneOffset(list);
    const int hangingCode = array->linkCount >= 1 ? SwappedCode(array->links[0].connectCode, vertical) : 0;

    switch (h) {
    case 5:
    case 6:
        if (single) {
            int old = e0->extent;
            e0->extent = std::max<int>(h == 5 ? r.bottom - r.top : r.bottom - T, 150);
            if (h == 5)
                MoveTrunk(array, -(e0->extent - old));
        } else {
            list->branchLength = std::max<int>(h == 5 ? T - r.top : r.bottom - T, 0);
            if (oldFish > 0 && stemEnd)
                MoveRects(array, -GetFishboneShift(list, oldFish), 0);
        }
        break;
    case 7:
    case 8:
        if (stemEnd && !single) {
            if (h == 7) {
                r.left -= e0->left;
                if (hangingCode == 20) {
                    stem->extent += std::max<int>((frame.right - frame.left) - (r.right - r.left), 0);
                    break;
                }
            } else {
                r.right += tail->extent;
                if (hangingCode == 21) {
                    tail->extent += std::max<int>((frame.right - frame.left) - (r.right - r.left), 0);
                    break;
                }
            }
        }
        if (h == 7)
            MoveRects(array, r.left - frame.left, 0);
        GrowGap(list, (r.right - r.left) - (frame.right - frame.left));
        break;
    case 20: {
        int k;
        int oldExtent;
        if (single) {
            oldExtent = e0->extent;
            e0->extent = std::max<int>(e0->extent + frame.left + e0->left - r.left, 300);
            stem->extent = e0->extent / 2;
            tail->extent = e0->extent / 2;
            k = e0->extent - oldExtent;
        } else {
            oldExtent = stem->extent;
            stem->extent = std::max<int>(stem->extent + frame.left + stem->left - r.left, 0);
            k = stem->extent - oldExtent;
        }
        if (oldFish > 0) {
            k -= stem->left;
            if (k < 0) {
                if (oldExtent < oldFish)
                    k = 0;
                else if (oldExtent - oldFish < -k)
                    k = oldFish - oldExtent;
            }
        }
        MoveRects(array, -k, 0);
        break;
    }
    case 21:
        if (single) {
            e0->extent = std::max<int>(e0->extent + r.right - frame.right, 300);
            stem->extent = e0->extent / 2;
            tail->extent = e0->extent / 2;
        } else {
            tail->extent += r.right - frame.right;
            if (tail->extent < 1)
                tail->extent = 0;
        }
        break;
    case 22:
        if (single) {
            int old = e0->extent;
            e0->extent = std::max<int>(static_cast<int>(r.bottom - r.top), 150);
            MoveTrunk(array, -(e0->extent - old));
        } else if (flip) {
            int old = stem->extent;
            stem->extent = std::max<int>(stem->extent + T - r.top, 0);
            MoveTrunk(array, -(stem->extent - old));
        } else {
            stem->extent = T - r.top;
            if (stem->extent < 1)
                stem->extent = 0;
        }
        break;
    case 23:
        if (single) {
            e0->extent = std::max<int>(static_cast<int>(r.bottom - r.top), 150);
        } else if (flip) {
            stem->extent = std::max<int>(stem->extent + r.bottom - (stem->bottom + T), 0);
        } else {
            int old = stem->extent;
            stem->extent = std::max<int>(stem->extent + r.bottom - T, 0);
            MoveTrunk(array, stem->extent - old);
        }
        break;
    default:
        break;
    }
}

} // namespace

int GetFishboneShift(const ArrayBranchHead* list, int oldFish)
{
    if (oldFish < 1)
        return 0;
    int f = GetFishboneOffset(list);
    int s = ArrayEntryAt(list, 1)->extent;
    int shift = std::max<int>(f, s) - std::max<int>(oldFish, s);
    if (f > oldFish)
        return std::max<int>(shift, 0);
    if (f < oldFish)
        return std::min<int>(shift, 0);
    return shift;
}

ErrorCode ResizeArrayByHandle(DrawingRecord* drawing, void* table, int index, const RECT* rect)
{
    if (!rect || !drawing)
        return kErrNone;
    DrawingObject* array = KindObject(table, index);
    {
        ArrayRecord record;
        ErrorCode code = record.Find(drawing, index >= 0 ? table : nullptr, array);
        if (code == kErrNone)
            code = record.MarkChanged();
        if (code != kErrNone)
            return code;
        const bool vertical = ArrayIsVertical(array);
        if (vertical)
            SwapArrayAxes(record.Get());
        ReshapeByHandle(array, record.Get(), SwappedCode(drawing->warningId, vertical), Swapped(*rect, vertical));
        if (vertical)
            SwapArrayAxes(record.Get());
    }
    return LayoutBetweenInvalidations(drawing, table, index);
}

ErrorCode ResizeArrayToRect(DrawingRecord* drawing, void* table, int index, const RECT* rect)
{
    if (!rect)
        return kErrNone;
    DrawingObject* array = KindObject(table, index);
    {
        ArrayRecord record;
        ErrorCode code = record.Find(drawing, index >= 0 ? table : nullptr, array);
        if (code == kErrNone)
            code = record.MarkChanged();
        if (code != kErrNone)
            return code;
        ArrayBranchHead* list = record.Get();
        const bool vertical = ArrayIsVertical(array);
        RECT r = Swapped(*rect, vertical);
        RECT frame = Swapped(array->frame, vertical);
        int dw = (r.right - r.left) - (frame.right - frame.left);
        int dh = (r.bottom - r.top) - (frame.bottom - frame.top);
        if (dh != 0) {
            if ((list->flags & kArrayBothSides) && list->branchCount > 1 && dh > 1)
                dh /= 2;
            list->branchLength = std::max<int>(list->branchLength + dh, 0);
        }
        if (dw != 0 && list->entryCount > 1) {
            int n = BranchSpaces(list);
            if (n != 0) {
                int step = dw / n;
                if (step == 0)
                    step = dw > 0 ? 1 : -1;
                list->gap = std::max<int>(list->gap + step, 0);
            }
        }
    }
    return LayoutBetweenInvalidations(drawing, table, index);
}

ErrorCode FlipArray(DrawingRecord* drawing, void* table, int index, uint32_t flags)
{
    DrawingObject* array = KindObject(table, index);
    bool changed = false;
    {
        ArrayRecord record;
        ErrorCode code = record.Find(drawing, index >= 0 ? table : nullptr, array);
        if (code == kErrNone && ArrayIsLinear(record.Get()))
            return kErrNone;
        if (code == kErrNone)
            code = record.MarkChanged();
        if (code != kErrNone)
            return code;
        ArrayBranchHead* list = record.Get();
        const bool vertical = ArrayIsVertical(array);
        const uint32_t sideBit = vertical ? 0x08 : 0x10;
        const uint32_t angleBit = vertical ? 0x10 : 0x08;
        if (flags & sideBit) {
            list->flags ^= kArrayFlipSide;
            if (array->linkCount >= 1 && !ArrayStemAtEnd(list)) {
                int& end = array->links[0].connectCode;
                if (vertical)
                    end = end == 20 ? 21 : 20;
                else
                    end = end == 22 ? 23 : 22;
            }
            changed = true;
        }
        if ((flags & angleBit) && list->angle != 0) {
            list->angle = list->angle <= 90 ? list->angle + 90 : 180 - list->angle;
            changed = true;
        }
        if (changed && index >= 0) {
            for (int i = FirstBranchEntry(list); i < list->entryCount; ++i)
                RenumberBranchLink(table, array, list, ArrayEntryAt(list, i), 0, -1);
        }
    }
    return changed ? LayoutBetweenInvalidations(drawing, table, index) : kErrNone;
}
