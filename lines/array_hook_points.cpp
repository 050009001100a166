#include "lines/array_hook_points.h"

#include <algorithm>
#include <utility>

#include "lines/array_attach.h"
#include "lines/array_handles.h"
#include "lines/array_layout.h"
#include "objects/drawing_edits.h"
#include "common/tracking_mode.h"

namespace {

struct Frame {
    bool vertical;
    int ox;          // origin along the trunk
    int T;           // the trunk
    RECT inner;      // in the horizontal frame
};

Frame FrameOf(const DrawingObject* array)
{
    bool vertical = ArrayIsVertical(array);
    RECT inner = array->inner;
    if (vertical)
        inner = {inner.top, inner.left, inner.bottom, inner.right};
    return {vertical, inner.left, array->kindCoordinate, inner};
}

POINT Out(const Frame& f, int along, int across)
{
    return f.vertical ? POINT{across, along} : POINT{along, across};
}

// Reads the list in the horizontal frame of the layout.
struct SwappedList {
    ArrayRecord record;
    bool vertical = false;
    ErrorCode Find(DrawingRecord* drawing, void* table, int index)
    {
        const DrawingObject* array = KindObject(table, index);
        ErrorCode code = record.Find(drawing, index >= 0 ? table : nullptr, array);
        vertical = ArrayIsVertical(array);
        if (code == kErrNone && vertical)
            SwapArrayAxes(record.Get());
        return code;
    }
    ~SwappedList()
    {
        // Only a swap for reading: put the entries back as they are stored.
        if (record.Get() && vertical)
            SwapArrayAxes(record.Get());
    }
    ArrayBranchHead* Get() const { return record.Get(); }
};

void MapOwnPoints(const Frame& f, const ArrayBranchHead* list, int count, POINT* points)
{
    const ArrayBranchEntry* e0 = ArrayEntryAt(list, 0);
    const bool flip = (list->flags & kArrayFlipSide) != 0;
    if (list->entryCount < 3) {
        if (ArrayIsLinear(list)) {
            points[0] = Out(f, f.ox + e0->left, f.T + e0->top);
            if (count > 1)
                points[1] = Out(f, f.ox + e0->right, f.T + e0->bottom);
        } else {
            points[0] = Out(f, f.ox + e0->left, f.T + (flip ? e0->bottom : e0->top));
        }
        return;
    }
    for (int k = 0; k < count; ++k) {
        int j = std::min<int>(std::max<int>(-points[k].x, 1), 2);
        const ArrayBranchEntry* e = ArrayEntryAt(list, j);
        if (!ArrayStemAtEnd(list))
            points[k] = Out(f, f.ox + e->right, f.T + (flip ? e->bottom : e->top));
        else
            points[k] = Out(f, f.ox + (j == 2 ? ArrayEntryAt(list, 2)->right : ArrayEntryAt(list, 1)->left), f.T);
    }
}

} // namespace

void GetArrayHookPoints(DrawingRecord* drawing, void* table, int index, int* count, POINT* points)
{
    if (!count)
        return;
    ArrayRecord record;
    if (record.Find(drawing, index >= 0 ? table : nullptr, KindObject(table, index)) != kErrNone) {
        *count = 0;
        return;
    }
    *count = std::min<int>(record.Get()->branchCount + 1, kArrayMaxHookPoints);
    for (int k = 0; points && k < *count; ++k)
        points[k] = {k, 0};
}

void MapArrayHookPoints(DrawingRecord* drawing, void* table, int index, int count, POINT* points)
{
    if (!points || count < 1)
        return;
    DrawingObject* array = KindObject(table, index);
    if (count == 1 && (array->stateFlags & kStateLayoutPending)) {
        if (drawing)
            InvalidateDrawingRect(drawing, &array->bounds);
        DiscardError(LayoutArray(drawing, table, index), "the array keeps its old layout until its next change");
        if (drawing)
            InvalidateDrawingRect(drawing, &array->bounds);
    }
    SwappedList swapped;
    if (swapped.Find(drawing, table, index) != kErrNone)
        return;
    const ArrayBranchHead* list = swapped.Get();
    const Frame f = FrameOf(array);
    const bool flip = (list->flags & kArrayFlipSide) != 0;
    const bool both = (list->flags & kArrayBothSides) != 0;
    const bool linear = ArrayIsLinear(list);
    const int first = FirstBranchEntry(list);
    const int last = list->entryCount - 1;
    const int fish = GetFishboneOffset(list);

    if (points[0].x < 0) {
        MapOwnPoints(f, list, count, points);
        return;
    }
    if (count == 1) {
        int n = points[0].x;
        int j = std::min<int>(std::max<int>(n + first, 0), last);
        const ArrayBranchEntry* e = ArrayEntryAt(list, j);
        bool odd = both && (n & 1);
        int x;
        if (fish < 0)
            x = e->right;
        else if (!linear)
            x = e->left;
        else if (list->entryCount == 1)
            x = (e->left + e->right) / 2;
        else
            x = e->right;
        bool bottom = flip ? odd : !odd;
        int y = bottom ? e->bottom : e->top;
        points[0] = Out(f, f.ox + x, f.T + y);
        return;
    }
    const bool staggered = (list->flags & kArrayStaggered) != 0;
    const int L = list->branchLength;
    const int bc = list->branchCount;
    const int g = bc > 0 ? std::min<int>(list->gap, 200) : 0;
    for (int k = 0; k < count; ++k) {
        bool odd = both && staggered && (k & 1);
        int y;
        if (linear)
            y = 0;
        else
            y = (flip != odd) ? -L : L;
        int n = points[k].x;
        int x;
        if (n < 1) {
            x = (!f.vertical && ArrayStemAtEnd(list)) ? ArrayEntryAt(list, 1)->extent - g : -g;
        } else if (n < bc) {
            const ArrayBranchEntry* a = ArrayEntryAt(list, std::min<int>(first + n - 1, last));
            const ArrayBranchEntry* b = ArrayEntryAt(list, std::min<int>(first + n, last));
            if (linear) {
                const ArrayBranchEntry* piece = ArrayEntryAt(list, std::min<int>(first + n, last));
                x = (piece->left + piece->right) / 2;
            } else {
                x = (a->left + b->left) / 2;
            }
        } else {
            x = (f.inner.right - f.inner.left) + g;
        }
        points[k] = Out(f, f.ox + x, f.T + y);
        if (both && !staggered && k + 1 < count) {
            points[k + 1] = Out(f, f.ox + x, f.T - y);
            ++k;
        }
    }
}

void DrawArrayHookMarkers(HDC dc, DrawingRecord* drawing, void* table, int index, int count, const POINT* points)
{
    if (!dc || !points || count < 1)
        return;
    const DrawingObject* array = KindObject(table, index);
    int fish = 0;
    {
        ArrayRecord record;
        if (record.Find(drawing, index >= 0 ? table : nullptr, array) == kErrNone)
            fish = GetFishboneOffset(record.Get());
    }
    const Frame f = FrameOf(array);
    int oldRop = SetROP2(dc, R2_NOT);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HPEN dotted = CreatePen(PS_DOT, 0, RGB(0, 0, 0));
    HPEN ring = CreatePen(PS_INSIDEFRAME, 18, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, dotted);
    for (int k = 0; k < count; ++k) {
        POINT p = points[k];
        int along = f.vertical ? p.y : p.x;
        int trunkAt = along + fish;
        POINT onTrunk = Out(f, trunkAt, f.T);
        SelectObject(dc, dotted);
        MoveToEx(dc, p.x, p.y, nullptr);
        LineTo(dc, onTrunk.x, onTrunk.y);
        if (trunkAt < f.inner.left + fish || trunkAt > f.inner.right + fish) {
            int end = trunkAt < f.inner.left + fish ? f.inner.left + fish : f.inner.right + fish;
            POINT stop = Out(f, end, f.T);
            LineTo(dc, stop.x, stop.y);
        }
        SelectObject(dc, ring);
        Ellipse(dc, p.x - 18, p.y - 18, p.x + 18, p.y + 18);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SetROP2(dc, oldRop);
    DeleteObject(dotted);
    DeleteObject(ring);
}

void GetArrayOwnHookPoints(DrawingRecord* drawing, void* table, int index, int* count, POINT* points)
{
    if (!count)
        return;
    ArrayRecord record;
    if (record.Find(drawing, index >= 0 ? table : nullptr, KindObject(table, index)) != kErrNone) {
        *count = 0;
        return;
    }
    const ArrayBranchHead* list = record.Get();
    if (list->entryCount < 3 && !ArrayIsLinear(list))
        *count = 1;
    else
        *count = ArrayStemAtEnd(list) ? 2 : 1;
    if (points) {
        points[0] = {-1, 0};
        if (*count > 1)
            points[1] = {-2, 0};
    }
}

int GetBranchDropAnchor(DrawingRecord* drawing, void* table, int index, int b, int32_t* candidates)
{
    if (!candidates || *candidates <= 2)
        return 0;
    const DrawingObject* array = KindObject(table, index);
    ArrayRecord record;
    if (record.Find(drawing, index >= 0 ? table : nullptr, array) != kErrNone)
        return 0;
    int code = ArrayIsLinear(record.Get()) ? 305 : BranchAnchorFor(array, record.Get(), std::max<int>(b, 0));
    *candidates = 1;
    return code;
}

int NormalizeArrayEndCode(DrawingRecord* drawing, void* table, int index, int code)
{
    if (code < 1 || code > 4)
        return code;
    const DrawingObject* array = KindObject(table, index);
    ArrayRecord record;
    if (record.Find(drawing, index >= 0 ? table : nullptr, array) != kErrNone)
        return code;
    const ArrayBranchHead* list = record.Get();
    bool stemEnd = ArrayStemAtEnd(list) && !(list->entryCount < 3 && !ArrayIsLinear(list));
    bool flip = (list->flags & kArrayFlipSide) != 0;
    bool placing = TrackingMode == kTrackingPlace;
    if (!ArrayIsVertical(array)) {
        if (stemEnd)
            return (code == 1 || code == 3) ? 20 : 21;
        if (code <= 2)
            return flip ? 23 : 22;
        return 23;
    }
    if (stemEnd) {
        if (code == 1)
            return placing ? 23 : 22;
        return placing ? 22 : 23;
    }
    if (code == 1 || code == 3)
        return flip ? 21 : 20;
    return 21;
}

void GetArrayEndPoint(DrawingRecord* drawing, void* table, int index, int code, POINT* point)
{
    if (!point)
        return;
    DrawingObject* array = KindObject(table, index);
    int end = NormalizeArrayEndCode(drawing, table, index, code);
    if (end != code && array->linkCount >= 1)
        array->links[0].connectCode = end;
    ArrayHandles handles;
    GetArrayHandles(drawing, index >= 0 ? table : nullptr, array, &handles);
    if (handles.count == 0)
        return;
    for (int i = 0; i < handles.count; ++i) {
        if (handles.codes[i] == end) {
            *point = handles.points[i];
            return;
        }
    }
    *point = handles.points[ArrayIsVertical(array) && handles.count > 1 ? 1 : 0];
}
