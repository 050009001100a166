#include "lines/array_feedback.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "lines/array_layout.h"
#include "lines/line_adjust.h"
#include "common/tracking_mode.h"

namespace {

// Draws in the horizontal frame of the layout; a vertical array's lines are
// turned back to x and y.
struct XorPen {
    HDC dc;
    bool vertical;
    void Line(int x1, int y1, int x2, int y2) const
    {
        if (vertical)
            DrawXorLine(dc, y1, x1, y2, x2, 0);
        else
            DrawXorLine(dc, x1, y1, x2, y2, 0);
    }
};

RECT Swapped(const RECT& r, bool vertical)
{
    return vertical ? RECT{r.top, r.left, r.bottom, r.right} : r;
}

} // namespace

void DrawArrayCreateFeedback(HDC dc, int a, POINT point, const RECT* rect)
{
    if (!dc || !rect)
        return;
    if (a != 0) {
        DrawXorLine(dc, rect->left, rect->top, rect->left, rect->bottom, 0);
        return;
    }
    if (TrackingMode == kTrackingPlace)
        point = {rect->left, rect->top};
    if (rect->right - rect->left < rect->bottom - rect->top)
        DrawXorLine(dc, point.x, rect->top, point.x, rect->bottom, 0);
    else
        DrawXorLine(dc, rect->left, point.y, rect->right, point.y, 0);
}

void DrawArrayMoveFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, const RECT* rect)
{
    if (!dc || !rect)
        return;
    const DrawingObject* array = KindObject(table, index);
    ArrayRecord record;
    bool linear = record.Find(drawing, index >= 0 ? table : nullptr, array) == kErrNone && ArrayIsLinear(record.Get());
    if (ArrayIsVertical(array) == linear)
        DrawXorLine(dc, rect->left, rect->top, rect->left, rect->bottom, 0);
    else
        DrawXorLine(dc, rect->left, rect->top, rect->right, rect->top, 0);
}

void DrawArrayHandleFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, const RECT* rectIn)
{
    if (!dc || !rectIn || !drawing)
        return;
    const DrawingObject* array = KindObject(table, index);
    ArrayRecord record;
    if (record.Find(drawing, index >= 0 ? table : nullptr, array) != kErrNone)
        return;
    const bool vertical = ArrayIsVertical(array);
    int n = std::max<int>(record.Get()->entryCount, 3);
    std::vector<unsigned char> copy(static_cast<size_t>(kArrayHeadSize + kArrayEntrySize * n));
    memcpy(copy.data(), record.Get(), copy.size());
    auto* list = reinterpret_cast<ArrayBranchHead*>(copy.data());
    if (vertical)
        SwapArrayAxes(list);
    int code = drawing->warningId;
    if (vertical) {
        const int swap[] = {0, 1, 2, 3, 4, 7, 8, 5, 6};
        if (code >= 5 && code <= 8)
            code = swap[code];
        else if (code >= 20 && code <= 23)
            code = code < 22 ? code + 2 : code - 2;
    }
    const RECT r = Swapped(*rectIn, vertical);
    const RECT inner = Swapped(array->inner, vertical);
    const int T = array->kindCoordinate;
    const int ox = inner.left;
    const XorPen pen{dc, vertical};
    const int first = FirstBranchEntry(list);
    const int fish = GetFishboneOffset(list);
    const ArrayBranchEntry* e0 = ArrayEntryAt(list, 0);

    if (code == 5 || code == 6) {
        int length = std::max<int>(code == 5 ? T - r.top : r.bottom - T, 0);
        double t = list->angle != 0 ? std::tan(list->angle * 3.1415926535 / 180.0) : 0.0;
        for (int i = first; i < list->entryCount && list->entryCount > 1; ++i) {
            const ArrayBranchEntry* e = ArrayEntryAt(list, i);
            int x = (fish > 0 ? e->right : e->left) + ox;
            int farX = t != 0.0 ? x - static_cast<int>(length / t) : x;
            int farY = e->top < 0 ? T - length : T + length;
            pen.Line(x, T, farX, farY);
        }
    } else if (code == 7 || code == 8) {
        int oldLength = e0->right - e0->left;
        int fixed = code == 8 ? e0->left + ox : e0->right + ox;
        int moved = code == 8 ? r.right : r.left;
        int newLength = std::abs(moved - fixed);
        double ratio = static_cast<double>(newLength) / (oldLength != 0 ? oldLength : 1);
        pen.Line(fixed, T, moved, T);
        for (int i = first; i < list->entryCount && list->entryCount > 1; ++i) {
            const ArrayBranchEntry* e = ArrayEntryAt(list, i);
            int from = code == 8 ? e->left + ox - fixed : fixed - (e->left + ox);
            int scaled = static_cast<int>(from * ratio);
            int x = code == 8 ? fixed + scaled : fixed - scaled;
            pen.Line(x, T + e->top, x + (e->right - e->left), T + e->bottom);
        }
    } else if (code == 20 || code == 21) {
        const ArrayBranchEntry* e = list->entryCount < 3 ? e0 : ArrayEntryAt(list, code == 20 ? 1 : 2);
        int left = e->left + ox;
        int right = e->right + ox;
        if (code == 20)
            left = std::min<int>(r.left, right);
        else
            right = std::max<int>(r.right, left);
        pen.Line(left, T + e->top, right, T + e->top);
    } else if (code == 22 || code == 23) {
        const ArrayBranchEntry* e = list->entryCount < 3 ? e0 : ArrayEntryAt(list, 1);
        int top = e->top + T;
        int bottom = e->bottom + T;
        if (code == 22)
            top = std::min<int>(r.top, bottom);
        else
            bottom = std::max<int>(r.bottom, top);
        pen.Line(e->left + ox, top, e->left + ox, bottom);
    }
}
