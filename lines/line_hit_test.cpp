#include "lines/line_hit_test.h"

#include <cmath>
#include <cstdlib>

#include "lines/line_geometry.h"
#include "lines/line_outline.h"
#include "lines/line_rects.h"
#include "objects/attachment_marker.h"
#include "objects/geometry_math.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/selection_geometry.h"

void GetLineAdjustHandleRects(const DrawingObject* line, const POINT* points, int count, int figure, RECT* boxes,
                              int* number)
{
    *number = 0;
    if (count == 0)
        return;
    POINT at[kMaxLineTypeHandles];
    int n = 0;
    if (line->lineType == 1 && count > 2) {
        at[n++] = points[2];
    } else if (line->lineType == 2 && count > 4) {
        at[n++] = points[3];
        at[n++] = points[4];
    } else if (line->lineType == 3) {
        at[n++] = figure == 2 ? points[2] : points[count];
    }
    for (int i = 0; i < n; ++i)
        boxes[i] = {at[i].x - 24, at[i].y - 24, at[i].x + 24, at[i].y + 24};
    *number = n;
}

int HitTestLinePoints(const DrawingObject* line, const POINT* points, int count, int x, int y)
{
    int t = line->lineWidth / 2 + 12;
    POINT p = {x, y};
    for (int i = 0; i + 1 < count; ++i) {
        POINT a = points[i];
        POINT b = points[i + 1];
        RECT box = {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x, a.y < b.y ? b.y : a.y};
        InflateRect(&box, t, t);
        if (!PtInRect(&box, p))
            continue;
        int lo;
        int hi;
        if (a.x == b.x) {
            lo = a.y < b.y ? a.y : b.y;
            hi = a.y < b.y ? b.y : a.y;
            if (x >= a.x - t && x <= a.x + t && y >= lo && y <= hi)
                return 40;
            continue;
        }
        if (a.y == b.y) {
            lo = a.x < b.x ? a.x : b.x;
            hi = a.x < b.x ? b.x : a.x;
            if (x >= lo && x <= hi && y >= a.y - t && y <= a.y + t)
                return 40;
            continue;
        }
        double dx = static_cast<double>(b.x) - a.x;
        double dy = static_cast<double>(b.y) - a.y;
        double D = std::sqrt(dx * dx + dy * dy);
        if (std::fabs(dy) < std::fabs(dx)) {
            int lineY = a.y + TruncToInt((x - a.x) * dy / dx);
            int tol = TruncToInt(t * D / std::fabs(dx));
            if (std::abs(y - lineY) <= tol)
                return 40;
        } else {
            int lineX = a.x + TruncToInt((y - a.y) * dx / dy);
            int tol = TruncToInt(t * D / std::fabs(dy));
            if (std::abs(x - lineX) <= tol)
                return 40;
        }
    }
    return 0;
}

void GetLineEndHandleCodes(const DrawingObject* line, int* start, int* end)
{
    switch (LineDirectionOf(line)) {
    case kLineHorizontal:
        *start = 20;
        *end = 21;
        break;
    case kLineVertical:
        *start = 22;
        *end = 23;
        break;
    default:
        *start = RunsUp(line) ? 26 : 24;
        *end = RunsUp(line) ? 25 : 27;
        break;
    }
}

int LineAdjustCodeBase(const DrawingObject* line)
{
    switch (LineDirectionOf(line)) {
    case kLineHorizontal:
        return 62;
    case kLineVertical:
        return 60;
    default:
        return RunsUp(line) ? 64 : 66;
    }
}

int HitTestStraightLine(DrawingRecord* drawing, void* table, int index, int, int x, int y)
{
    const DrawingObject* line = KindObject(table, index);
    POINT p = {x, y};
    bool selected = (line->stateFlags & kStateSelected) != 0;
    if (selected) {
        RECT box = {0, 0, 0, 0};
        POINT centre = {0, 0};
        int code = CallObjectKind(nullptr, drawing, table, index, kMsgRotateHandle, 1,
                                  reinterpret_cast<INT_PTR>(&centre), reinterpret_cast<INT_PTR>(&box));
        line = KindObject(table, index);
        if (code && PtInRect(&box, p))
            return code;
    }
    if (drawing && index >= 0 && HasAttachment(drawing->storeSlot, line)) {
        RECT marker;
        GetLineMarkerRect(line, &marker);
        if (PtInRect(&marker, p))
            return 45;
    }
    POINT points[kLineOutlineCapacity];
    int count = 0;
    int figure = 0;
    ComputeStoredLineOutline(line, 0, points, &count, &figure, 1, nullptr);
    if (selected) {
        int start;
        int end;
        GetLineEndHandleCodes(line, &start, &end);
        RECT box;
        GetHandleRect(line, &box, start, nullptr);
        if (PtInRect(&box, p))
            return start;
        GetHandleRect(line, &box, end, nullptr);
        if (PtInRect(&box, p))
            return end;
        RECT boxes[kMaxLineTypeHandles];
        int number = 0;
        GetLineAdjustHandleRects(line, points, count, figure, boxes, &number);
        for (int i = 0; i < number; ++i)
            if (PtInRect(&boxes[i], p))
                return LineAdjustCodeBase(line) + i;
    }
    if (count > 0)
        return HitTestLinePoints(line, points, figure == 1 ? 2 : count, x, y);
    int direction = LineDirectionOf(line);
    if (direction != kLineSloped) {
        RECT band = line->inner;
        InflateRect(&band, 6, 6);
        if (PtInRect(&band, p))
            return direction == kLineHorizontal ? 42 : 41;
        return 0;
    }
    const RECT& f = line->frame;
    RECT grown = f;
    InflateRect(&grown, 6, 6);
    if (!PtInRect(&grown, p))
        return 0;
    int t = line->lineWidth / 2 + 6;
    double dx = static_cast<double>(f.right) - f.left;
    double dy = static_cast<double>(f.bottom) - f.top;
    double L = std::sqrt(dx * dx + dy * dy);
    bool up = RunsUp(line);
    // A frame without width or height (as a file may hold) tests as the
    // axis it lies on: no division by its zero side.
    if (dx > 0.0 && dy / dx < 1.0) {
        int offset = TruncToInt(dy * (x - f.left) / dx);
        int lineY = up ? f.bottom - offset : f.top + offset;
        return std::abs(y - lineY) <= TruncToInt(t * L / dx) ? 40 : 0;
    }
    if (dy > 0.0) {
        int along = up ? f.bottom - y : y - f.top;
        int lineX = f.left + TruncToInt(dx * along / dy);
        return std::abs(x - lineX) <= TruncToInt(t * L / dy) ? 40 : 0;
    }
    return std::abs(y - f.top) <= t && std::abs(x - f.left) <= t ? 40 : 0;
}
