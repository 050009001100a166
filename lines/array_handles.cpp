#include "lines/array_handles.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "common/pattern_brushes.h"
#include "lines/array_layout.h"
#include "objects/adjust_handles.h"
#include "objects/attachment_marker.h"
#include "objects/handle_box.h"
#include "objects/point_transforms.h"

namespace {

int SwapCode(int code)
{
    switch (code) {
    case 5: return 7;
    case 7: return 5;
    case 6: return 8;
    case 8: return 6;
    case 20: return 22;
    case 22: return 20;
    case 21: return 23;
    case 23: return 21;
    default: return code;
    }
}

struct Builder {
    ArrayHandles* out;
    void Add(int code, int x, int y)
    {
        if (out->count >= kArrayMaxHandles)
            return;
        out->codes[out->count] = code;
        out->points[out->count] = {x, y};
        ++out->count;
    }
    void Set(int i, int code, int x, int y)
    {
        out->codes[i] = code;
        out->points[i] = {x, y};
    }
};

} // namespace

void GetArrayHandlesFrom(const DrawingObject* array, const ArrayBranchHead* source, ArrayHandles* handles)
{
    handles->count = 0;
    const bool vertical = ArrayIsVertical(array);
    // Worked out as a horizontal array on a copy of the entries it needs.
    int n = std::max<int>(source->entryCount, 3);
    DWORD bytes = static_cast<DWORD>(kArrayHeadSize + kArrayEntrySize * n);
    std::vector<unsigned char> copy(bytes);
    memcpy(copy.data(), source, bytes);
    auto* list = reinterpret_cast<ArrayBranchHead*>(copy.data());
    RECT inner = array->inner;
    if (vertical) {
        SwapArrayAxes(list);
        inner = {inner.top, inner.left, inner.bottom, inner.right};
    }
    const int T = array->kindCoordinate;
    const int ox = inner.left;
    const bool flip = (list->flags & kArrayFlipSide) != 0;
    const int Lb = std::max<int>(list->branchLength, 24);
    const int fish = GetFishboneOffset(list);
    Builder b{handles};
    const ArrayBranchEntry* e0 = ArrayEntryAt(list, 0);

    if (list->entryCount < 3) {
        if (!ArrayIsLinear(list)) {
            b.Add(22, e0->left + ox, inner.top);
            b.Add(23, e0->left + ox, inner.bottom);
        } else {
            b.Add(20, inner.left, inner.top + e0->top);
            b.Add(21, inner.right, inner.top + e0->top);
        }
    } else {
        const int first = FirstBranchEntry(list);
        const int last = list->entryCount - 1;
        auto branchX = [&](int i) {
            const ArrayBranchEntry* e = ArrayEntryAt(list, i);
            return (fish < 0 ? e->right : e->left) + ox;
        };
        const ArrayBranchEntry* stem = ArrayEntryAt(list, 1);
        const ArrayBranchEntry* tail = ArrayEntryAt(list, 2);
        const int farY = flip ? T - Lb : T + Lb;
        const int farCode = flip ? 5 : 6;
        b.Add(7, e0->left + ox, T);
        b.Add(8, e0->right + ox, T);
        b.Add(farCode, branchX(first), farY);
        if (!ArrayStemAtEnd(list)) {
            int stemX = stem->left + ox;
            int stemLength = std::abs(stem->bottom - stem->top);
            if (!flip) {
                b.Add(22, stemX, inner.top);
                b.Add(6, branchX(last), T + Lb);
                b.Add(23, stemX, stemLength < 30 ? T + 30 : T);
            } else {
                b.Add(23, stemX, T + stem->bottom);
                b.Add(5, branchX(last), T - Lb);
                b.Add(22, stemX, stemLength < 30 ? T - 30 : T);
            }
        } else {
            b.Set(0, 20, stem->left + ox, T);
            b.Set(1, 21, tail->right + ox, T);
            b.Add(8, tail->right + ox - std::max<int>(tail->extent, 24), T);
            b.Add(7, stem->left + ox + std::max<int>(stem->extent, 24), T);
            if (ArrayIsLinear(list)) {
                handles->codes[2] = handles->codes[3];
                handles->points[2] = handles->points[3];
                handles->codes[3] = handles->codes[4];
                handles->points[3] = handles->points[4];
                handles->count = list->branchCount < 2 ? 2 : 4;
            } else if (!(list->flags & kArrayBothSides)) {
                b.Add(farCode, branchX(last), farY);
            } else if (list->branchCount < 3) {
                handles->count = 3;
            } else {
                int entry = std::min<int>(((list->branchCount - 1) / 2) * 2 + 3, last);
                b.Add(farCode, branchX(entry), farY);
            }
        }
    }
    for (int i = 0; i < handles->count; ++i) {
        POINT& p = handles->points[i];
        if (vertical) {
            std::swap(p.x, p.y);
            handles->codes[i] = SwapCode(handles->codes[i]);
        }
        handles->rects[i] = {p.x - 30, p.y - 30, p.x + 24, p.y + 24};
    }
}

void GetArrayHandles(const DrawingRecord* drawing, const void* table, const DrawingObject* array,
                     ArrayHandles* handles)
{
    handles->count = 0;
    ArrayRecord record;
    if (record.Find(drawing, table, array) != kErrNone)
        return;
    GetArrayHandlesFrom(array, record.Get(), handles);
}

void DrawArrayHandles(HDC dc, DrawingRecord* drawing, void* table, int index)
{
    if (!dc || !drawing)
        return;
    if (index < 0)
        index = drawing->primarySelected;
    if (index < 0 || index >= TableCount(table))
        return;
    const DrawingObject* array = ObjectAt(table, index);
    ArrayHandles handles;
    GetArrayHandles(drawing, table, array, &handles);
    HBRUSH brush = PatternBrushes[1];
    HGDIOBJ oldBrush = nullptr;
    if (brush) {
        UnrealizeObject(brush);
        POINT origin = {0, 0};
        LPtoDP(dc, &origin, 1);
        SetBrushOrgEx(dc, origin.x % 8, origin.y % 8, nullptr);
        oldBrush = SelectObject(dc, brush);
    }
    int hangingCode = array->linkCount >= 1 ? array->links[0].connectCode : 0;
    bool locked = (array->stateFlags & kStateLocked) != 0;
    bool primary = drawing->primarySelected == index;
    for (int i = 0; i < handles.count; ++i) {
        bool hangsHere = hangingCode != 0 && handles.codes[i] == hangingCode;
        DrawHandleBox(dc, &handles.rects[i], locked ? 1 : 0, primary ? 1 : 0, hangsHere ? 1 : 0);
    }
    if (oldBrush)
        SelectObject(dc, oldBrush);
}

int HitTestArray(DrawingRecord* drawing, void* table, int index, POINT point)
{
    if (index < 0)
        return 0;
    const DrawingObject* array = ObjectAt(table, index);
    bool selected = (array->stateFlags & kStateSelected) != 0;
    if (selected) {
        AdjustHandleInfo info;
        GetAdjustHandleGeometry(array, &info);
        if (info.direction != 0 && PtInRect(&info.box, point))
            return info.direction == 1 ? 60 : 62;
    }
    if (drawing && HasAttachment(drawing->storeSlot, array)) {
        ArrayRecord record;
        if (record.Find(drawing, table, array) == kErrNone) {
            const ArrayBranchEntry* e = record.Entry(0);
            bool vertical = ArrayIsVertical(array);
            int ox = vertical ? array->kindCoordinate : array->inner.left;
            int oy = vertical ? array->inner.top : array->kindCoordinate;
            POINT mid = e->top == e->bottom ? POINT{ox + (e->left + e->right) / 2, oy + e->top}
                                            : POINT{ox + e->left, oy + (e->top + e->bottom) / 2};
            RECT marker = {mid.x - 27, mid.y - 27, mid.x + 27, mid.y + 27};
            marker.top = std::max<int>(marker.top, array->bounds.top);
            marker.left = std::max<int>(marker.left, array->bounds.left);
            if (PtInRect(&marker, point))
                return 45;
        }
    }
    if (array->rotation != 0) {
        RotatePoints(&array->frame, -array->rotation, &point, 1);
        RECT grown = array->frame;
        InflateRect(&grown, 30, 30);
        if (!PtInRect(&grown, point))
            return 0;
    }
    if (selected) {
        ArrayHandles handles;
        GetArrayHandles(drawing, table, array, &handles);
        for (int i = 0; i < handles.count; ++i) {
            if (PtInRect(&handles.rects[i], point))
                return handles.codes[i];
        }
    }
    return 40;
}
