#include "objects/shape_handles.h"

#include "common/pattern_brushes.h"
#include "objects/adjust_handles.h"
#include "objects/drag_feedback.h"
#include "objects/handle_box.h"
#include "objects/object_links.h"
#include "objects/point_transforms.h"
#include "objects/selection_geometry.h"
#include "objects/shape_hook_points.h"
#include "objects/shape_outlines.h"
#include "objects/shape_types.h"

namespace {

const int kHookMarkerPen = 18;
const int kHookMarkerReach = 18;

// The device position of the logical origin, each coordinate modulo 8 with
// its sign, so the handle pattern stays fixed to the drawing.
POINT PatternOrigin(HDC dc)
{
    POINT origin = {0, 0};
    LPtoDP(dc, &origin, 1);
    return {origin.x % 8, origin.y % 8};
}

} // namespace

int GetShapeHandleRects(DrawingRecord*, const DrawingObject* object, RECT* rects, int* codes)
{
    POINT turned[kOutlineBufferPoints];
    const POINT* corners = nullptr;
    if (object->rotation != 0) {
        int count = 0;
        BuildTransformedShapeOutline(&object->frame, &object->frame, 0.0, kShapeBoxPoints, object->rotation,
                                     nullptr, turned, &count, 0);
        if (count >= 8)
            corners = turned;
    }
    static const int kSides[] = {7, 8};
    static const int kEnds[] = {5, 6};
    static const int kCorners[] = {1, 2, 3, 4};
    static const int kAll[] = {1, 2, 3, 4, 5, 6, 7, 8};
    const int* list = kAll;
    int n = 8;
    switch (object->sizingConstraint) {
    case 1:
        list = kSides;
        n = 2;
        break;
    case 2:
        list = kEnds;
        n = 2;
        break;
    case 3:
        list = kCorners;
        n = 4;
        break;
    default:
        break;
    }
    for (int i = 0; i < n; ++i) {
        codes[i] = list[i];
        rects[i] = {0, 0, 0, 0};
        GetHandleRect(object, &rects[i], list[i], corners);
    }
    return n;
}

void DrawShapeHandles(HDC dc, DrawingRecord* drawing, void* table, int index)
{
    if (!dc || !table)
        return;
    DrawingObject* object = KindObject(table, index);
    RECT rects[8];
    int codes[8];
    int count = GetShapeHandleRects(drawing, object, rects, codes);

    HBRUSH pattern = PatternBrushes[1];
    if (pattern) {
        UnrealizeObject(pattern);
        POINT origin = PatternOrigin(dc);
        SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
        SelectObject(dc, pattern);
    }

    POINT slots[2];
    bool used[2] = {false, false};
    int slotCount = SlotsInUse(object);
    for (int s = 0; s < slotCount; ++s) {
        slots[s] = {0, 0};
        if (GetShapeAnchorPoint(drawing, table, index, object->links[s].connectCode, &slots[s]) != 0)
            used[s] = true;
    }
    bool locked = (object->stateFlags & kStateLocked) != 0;
    bool primary = index == -1 || (index >= 0 && drawing && drawing->primarySelected == index);
    for (int i = 0; i < count; ++i) {
        if (IsRectEmpty(&rects[i]))
            continue;
        int round = 0;
        for (int s = 0; s < slotCount && !round; ++s) {
            // A hooked end on this handle's point rounds the handle.
            if (!used[s] && slots[s].x == rects[i].left + 30 && slots[s].y == rects[i].top + 30) {
                used[s] = true;
                round = 1;
            }
        }
        DrawHandleBox(dc, &rects[i], locked, primary, round);
    }
    for (int s = 0; s < slotCount; ++s) {
        if (used[s])
            continue;
        RECT box = {slots[s].x - 30, slots[s].y - 30, slots[s].x + 24, slots[s].y + 24};
        DrawHandleBox(dc, &box, locked, primary, 1);
    }
    DrawRotateHandle(dc, drawing, table, index);
    DrawAdjustHandle(dc, object);
}

void DrawHookMarkers(HDC dc, DrawingRecord*, void*, int, int count, const POINT* points)
{
    if (!dc || !points || count <= 0)
        return;
    HPEN pen = CreatePen(PS_INSIDEFRAME, kHookMarkerPen, RGB(0, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT box = {points[i].x - kHookMarkerReach, points[i].y - kHookMarkerReach, points[i].x + kHookMarkerReach,
                    points[i].y + kHookMarkerReach};
        DrawXorEllipse(dc, &box, pen);
    }
    if (pen)
        DeleteObject(pen);
}
