#include "lines/connector_handles.h"

#include <cstdlib>

#include "common/pattern_brushes.h"
#include "objects/attachment_marker.h"
#include "objects/handle_box.h"
#include "objects/link_table.h"
#include "objects/selection_geometry.h"

void GetSegLineHandles(const SegLineRoute* route, POINT origin, POINT* points, RECT* squares, int* count)
{
    int n = RouteCount(route);
    int k = 0;
    POINT p;
    GetRouteEndPoint(route, 0, &p);
    points[k] = {p.x + origin.x, p.y + origin.y};
    squares[k] = {points[k].x - 30, points[k].y - 30, points[k].x + 24, points[k].y + 24};
    ++k;
    bool free = route->startSide == 0 && route->endSide == 0;
    for (int i = 1; i + 1 < n; ++i) {
        const RouteSegment& s = route->segments[i];
        if (IsHorizontalSegment(s))
            points[k] = {origin.x + (s.x0 + s.x1) / 2, origin.y + s.y0};
        else
            points[k] = {origin.x + s.x0, origin.y + (s.y0 + s.y1) / 2};
        if (free)
            squares[k] = {points[k].x, points[k].y, points[k].x, points[k].y};
        else
            squares[k] = {points[k].x - 24, points[k].y - 24, points[k].x + 30, points[k].y + 30};
        ++k;
    }
    GetRouteEndPoint(route, kMaxRouteSegments, &p);
    points[k] = {p.x + origin.x, p.y + origin.y};
    squares[k] = {points[k].x - 30, points[k].y - 30, points[k].x + 24, points[k].y + 24};
    ++k;
    *count = k;
}

int RouteHandlePoint(const SegLineRoute* route, POINT origin, int code, POINT* point, RECT* segment,
                     int* segmentIndex)
{
    int n = RouteCount(route);
    if (code == 28 || (code != 29 && (code < 50 || code > 53))) {
        POINT p;
        GetRouteEndPoint(route, code == 28 ? 0 : kMaxRouteSegments, &p);
        *point = {p.x + origin.x, p.y + origin.y};
        return 0;
    }
    if (code == 29) {
        POINT p;
        GetRouteEndPoint(route, kMaxRouteSegments, &p);
        *point = {p.x + origin.x, p.y + origin.y};
        return 0;
    }
    bool wantVertical = code == 50 || code == 52;
    bool forward = code == 50 || code == 51;
    int found = -1;
    if (forward) {
        for (int i = 1; i + 1 < n && found < 0; ++i)
            if (IsHorizontalSegment(route->segments[i]) != wantVertical)
                found = i;
    } else {
        for (int i = n - 2; i >= 1 && found < 0; --i)
            if (IsHorizontalSegment(route->segments[i]) != wantVertical)
                found = i;
    }
    if (found < 0)
        return 1;
    const RouteSegment& s = route->segments[found];
    if (IsHorizontalSegment(s))
        *point = {origin.x + (s.x0 + s.x1) / 2, origin.y + s.y0};
    else
        *point = {origin.x + s.x0, origin.y + (s.y0 + s.y1) / 2};
    if (segment)
        *segment = {s.x0 + origin.x, s.y0 + origin.y, s.x1 + origin.x, s.y1 + origin.y};
    if (segmentIndex)
        *segmentIndex = found;
    return 0;
}

ErrorCode GetSegLineHandlePoint(DrawingRecord* drawing, void* table, int index, int code, POINT* point,
                                RECT* segment, int* segmentIndex)
{
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    ErrorCode result = record.Find(drawing, object);
    if (result != kErrNone)
        return result;
    return ErrorCode{RouteHandlePoint(record.Get(), {object->inner.left, object->inner.top}, code, point, segment,
                                      segmentIndex)};
}

RECT ArcCornerBox(const SegLineRoute* route, const POINT* handles, int i)
{
    POINT a = handles[i];
    POINT b = handles[i + 1];
    int hw = std::abs(b.x - a.x);
    int hh = std::abs(b.y - a.y);
    POINT c = IsHorizontalSegment(route->segments[i]) ? POINT{a.x, b.y} : POINT{b.x, a.y};
    return {c.x - hw, c.y - hh, c.x + hw, c.y + hh};
}

namespace {

bool InEllipse(RECT box, POINT p)
{
    FitRectIn600(&box, &p);
    double rx = (box.right - box.left) / 2.0;
    double ry = (box.bottom - box.top) / 2.0;
    if (rx <= 0.0 || ry <= 0.0)
        return false;
    double dx = (p.x - (box.left + rx)) / rx;
    double dy = (p.y - (box.top + ry)) / ry;
    return dx * dx + dy * dy <= 1.0;
}

} // namespace

int HitRouteSegment(const SegLineRoute* route, int x, int y, int cornerStyle, RECT* ellipse, int arcIndex)
{
    int n = RouteCount(route);
    POINT p = {x, y};
    if (cornerStyle != 1 || n == 1) {
        for (int i = 0; i < n; ++i) {
            const RouteSegment& s = route->segments[i];
            RECT r = {s.x0, s.y0, s.x1, s.y1};
            if (IsHorizontalSegment(s))
                InflateRect(&r, 0, 30);
            else
                InflateRect(&r, 30, 0);
            if (PtInRect(&r, p))
                return i;
        }
        return -1;
    }
    POINT handles[kMaxRouteHandles];
    RECT squares[kMaxRouteHandles];
    int count = 0;
    GetSegLineHandles(route, {0, 0}, handles, squares, &count);
    for (int i = arcIndex > 0 ? arcIndex : 0; i <= count - 2; ++i) {
        if (arcIndex < 0) {
            RECT span;
            SetRect(&span, handles[i].x < handles[i + 1].x ? handles[i].x : handles[i + 1].x,
                    handles[i].y < handles[i + 1].y ? handles[i].y : handles[i + 1].y,
                    handles[i].x < handles[i + 1].x ? handles[i + 1].x : handles[i].x,
                    handles[i].y < handles[i + 1].y ? handles[i + 1].y : handles[i].y);
            InflateRect(&span, 30, 30);
            if (!PtInRect(&span, p))
                continue;
        }
        RECT box = ArcCornerBox(route, handles, i);
        if (ellipse)
            *ellipse = box;
        if (arcIndex >= 0)
            return i;
        RECT outer = box;
        InflateRect(&outer, 30, 30);
        RECT inner = box;
        InflateRect(&inner, -24, -24);
        if (InEllipse(outer, p) && !(inner.right > inner.left && inner.bottom > inner.top && InEllipse(inner, p)))
            return i;
    }
    return -1;
}

void GetSegLineMarkerRect(const DrawingObject* object, const RouteSegment& s, RECT* rect)
{
    POINT mid = IsHorizontalSegment(s) ? POINT{(s.x0 + s.x1) / 2, s.y0} : POINT{s.x0, (s.y0 + s.y1) / 2};
    *rect = {mid.x - 27, mid.y - 27, mid.x + 27, mid.y + 27};
    if (rect->top < object->bounds.top)
        rect->top = object->bounds.top;
    if (rect->left < object->bounds.left)
        rect->left = object->bounds.left;
}

int SegLineHitTest(DrawingRecord* drawing, void* table, int index, POINT point)
{
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return 0;
    const SegLineRoute* route = record.Get();
    if (RouteCount(route) == 0)
        return 0;
    POINT origin = {object->inner.left, object->inner.top};
    if (index >= 0 && HasAttachment(drawing->storeSlot, object)) {
        RouteSegment first = route->segments[0];
        first.x0 += origin.x;
        first.x1 += origin.x;
        first.y0 += origin.y;
        first.y1 += origin.y;
        RECT marker;
        GetSegLineMarkerRect(object, first, &marker);
        if (PtInRect(&marker, point))
            return 45;
    }
    if (object->stateFlags & kStateSelected) {
        POINT handles[kMaxRouteHandles];
        RECT squares[kMaxRouteHandles];
        int count = 0;
        GetSegLineHandles(route, origin, handles, squares, &count);
        int code = 0;
        for (int i = 0; i < count; ++i) {
            if (!PtInRect(&squares[i], point))
                continue;
            if (i == count - 1)
                code = 29;
            else if (i == 0)
                code = 28;
            else {
                bool horizontal = IsHorizontalSegment(route->segments[i]);
                if (i == 3)
                    code = horizontal ? 53 : 52;
                else
                    code = horizontal ? 51 : 50;
            }
        }
        if (code)
            return code;
    }
    return HitRouteSegment(route, point.x - origin.x, point.y - origin.y, object->shapeType, nullptr, -1) >= 0 ? 40
                                                                                                           : 0;
}

void DrawSegLineHandles(HDC dc, DrawingRecord* drawing, void* table, int index)
{
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    if (!dc || record.Find(drawing, object) != kErrNone)
        return;
    HBRUSH pattern = PatternBrushes[1];
    HGDIOBJ oldBrush = nullptr;
    if (pattern) {
        UnrealizeObject(pattern);
        POINT zero = {0, 0};
        LPtoDP(dc, &zero, 1);
        SetBrushOrgEx(dc, zero.x % 8, zero.y % 8, nullptr);
        oldBrush = SelectObject(dc, pattern);
    }
    POINT handles[kMaxRouteHandles];
    RECT squares[kMaxRouteHandles];
    int count = 0;
    GetSegLineHandles(record.Get(), {object->inner.left, object->inner.top}, handles, squares, &count);
    bool locked = (object->stateFlags & kStateLocked) != 0;
    bool primary = drawing && index >= 0 && drawing->primarySelected == index;
    for (int i = 0; i < count; ++i) {
        if (squares[i].right <= squares[i].left)
            continue;
        int end = i == 0 ? 1 : (i == count - 1 ? 2 : 0);
        bool attached = end != 0 && FindSlotByConnectPoint(object, end) >= 0;
        DrawHandleBox(dc, &squares[i], locked ? 1 : 0, primary ? 1 : 0, attached ? 1 : 0);
    }
    if (oldBrush)
        SelectObject(dc, oldBrush);
}
