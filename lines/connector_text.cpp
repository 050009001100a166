#include "lines/connector_text.h"

#include <cmath>
#include <cstdlib>

#include "lines/connector_handles.h"
#include "lines/length_label.h"
#include "objects/geometry_math.h"

namespace {

POINT SegmentMiddle(const RouteSegment& s)
{
    return {s.x0 + (s.x1 - s.x0) / 2, s.y0 + (s.y1 - s.y0) / 2};
}

int Width(const RouteSegment& s) { return s.x1 - s.x0; }
int Height(const RouteSegment& s) { return s.y1 - s.y0; }

} // namespace

void GetSegLineTextPoint(const DrawingObject* object, const SegLineRoute* route, POINT* point, int* angle)
{
    int count = RouteCount(route);
    int a = 0;
    *point = {object->inner.left, object->inner.top};
    if (count == 0) {
        if (angle)
            *angle = 0;
        return;
    }
    int m = count / 2;
    if (object->shapeType == 1 && count == 2) {
        RECT box;
        HitRouteSegment(route, 0, 0, 1, &box, 0);
        int X = box.left < 0 ? TruncToInt(0.7 * 600) : TruncToInt(0.3 * 600);
        int Y = box.top < 0 ? TruncToInt(0.7 * 600) : TruncToInt(0.3 * 600);
        POINT pts[2] = {{X, Y}, {X, Y}};
        MapRouteBoxPoints(object, route, 0, 2, pts);
        *point = pts[0];
        int w = object->inner.right - object->inner.left;
        int h = object->inner.bottom - object->inner.top;
        double slope = std::atan(static_cast<double>(h) / (w == 0 ? 1 : w));
        POINT start;
        GetRouteEndPoint(route, 0, &start);
        int turned = TruncToInt(slope * 1800.0 / 3.1415926535);
        a = start.y == 0 ? -turned : turned;
        if (angle)
            *angle = a;
        return;
    }
    if (count % 2 == 0) {
        const RouteSegment& s = route->segments[m];
        const RouteSegment& before = route->segments[m - 1];
        if (IsHorizontalSegment(s)) {
            if (3 * Width(s) < Height(before)) {
                m = m - 1;
                a = 900;
            }
        } else {
            if (Height(s) < 3 * Width(before))
                m = m - 1;
            else
                a = 900;
        }
    } else {
        const RouteSegment& s = route->segments[m];
        if (IsHorizontalSegment(s))
            a = Width(s) < 200 ? 900 : 0;
        else
            a = Height(s) < 200 ? 0 : 900;
    }
    POINT mid = SegmentMiddle(route->segments[m]);
    *point = {mid.x + object->inner.left, mid.y + object->inner.top};
    if (angle)
        *angle = a;
}

void GetSegLineTextAngle(DrawingRecord* drawing, void* table, int index, int, int flag, int* angle)
{
    if (!flag || !angle)
        return;
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return;
    POINT point;
    GetSegLineTextPoint(object, record.Get(), &point, angle);
}

void MapRouteBoxPoints(const DrawingObject* object, const SegLineRoute* route, int anchor, int count,
                       POINT* points)
{
    int n = RouteCount(route);
    if (n == 0 || !points)
        return;
    if (anchor >= 201 && anchor <= 209) {
        GetSegLineTextPoint(object, route, &points[0], nullptr);
        return;
    }
    double width = static_cast<double>(object->inner.right) - object->inner.left;
    double height = static_cast<double>(object->inner.bottom) - object->inner.top;
    for (int k = 0; k < count; ++k) {
        double x = points[k].x * width / 600.0;
        double y = points[k].y * height / 600.0;
        int vertical = -1;
        int horizontal = -1;
        double dv = 0.0;
        double dh = 0.0;
        for (int i = 0; i < n; ++i) {
            const RouteSegment& s = route->segments[i];
            if (IsHorizontalSegment(s)) {
                double d = std::fabs(y - s.y0);
                if (horizontal < 0 || d < dh) {
                    horizontal = i;
                    dh = d;
                }
            }
            if (s.x0 == s.x1) {
                double d = std::fabs(x - s.x0);
                if (vertical < 0 || d < dv) {
                    vertical = i;
                    dv = d;
                }
            }
        }
        int j;
        bool onHorizontal = horizontal >= 0 && (vertical < 0 || dh < dv);
        double cx = x;
        double cy = y;
        if (onHorizontal) {
            const RouteSegment& s = route->segments[horizontal];
            cx = x < s.x0 ? s.x0 : (x > s.x1 ? s.x1 : x);
            cy = s.y0;
            j = horizontal;
        } else {
            const RouteSegment& s = route->segments[vertical];
            cy = y < s.y0 ? s.y0 : (y > s.y1 ? s.y1 : y);
            cx = s.x0;
            j = vertical;
        }
        if (object->shapeType == 1 && n > 1) {
            int corner = j;
            const RouteSegment& s = route->segments[j];
            if (j == n - 1) {
                corner = j - 1;
            } else if (j > 0) {
                const RouteSegment& prev = route->segments[j - 1];
                if (onHorizontal) {
                    int endX = x < (s.x0 + s.x1) / 2.0 ? s.x0 : s.x1;
                    if ((prev.x0 == endX || prev.x1 == endX) && (prev.y0 == s.y0 || prev.y1 == s.y0))
                        corner = j - 1;
                } else {
                    int endY = y < (s.y0 + s.y1) / 2.0 ? s.y0 : s.y1;
                    if ((prev.y0 == endY || prev.y1 == endY) && (prev.x0 == s.x0 || prev.x1 == s.x0))
                        corner = j - 1;
                }
            }
            if (corner < 0)
                corner = 0;
            RECT box;
            if (HitRouteSegment(route, 0, 0, 1, &box, corner) >= 0) {
                double ccx = (box.left + box.right) / 2.0;
                double ccy = (box.top + box.bottom) / 2.0;
                double a = (box.right - box.left) / 2.0;
                double b = (box.bottom - box.top) / 2.0;
                if (onHorizontal && a > 0.0) {
                    double t = (cx - ccx) * (cx - ccx) / (a * a);
                    double off = t >= 1.0 ? 0.0 : b * std::sqrt(1.0 - t);
                    cy = std::fabs(ccy + off - y) < std::fabs(ccy - off - y) ? ccy + off : ccy - off;
                } else if (!onHorizontal && b > 0.0) {
                    double t = (cy - ccy) * (cy - ccy) / (b * b);
                    double off = t >= 1.0 ? 0.0 : a * std::sqrt(1.0 - t);
                    cx = std::fabs(ccx + off - x) < std::fabs(ccx - off - x) ? ccx + off : ccx - off;
                }
            }
        }
        points[k] = {object->inner.left + TruncToInt(cx), object->inner.top + TruncToInt(cy)};
    }
}

void GetSegLineBoxPoints(DrawingRecord* drawing, void* table, int index, int anchor, int count, POINT* points)
{
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return;
    MapRouteBoxPoints(object, record.Get(), anchor, count, points);
}

double RouteLength(const DrawingObject* object, const SegLineRoute* route)
{
    int n = RouteCount(route);
    if (n == 0)
        return 0.0;
    POINT a;
    POINT b;
    GetRouteEndPoint(route, 0, &a);
    GetRouteEndPoint(route, kMaxRouteSegments, &b);
    double dx = static_cast<double>(b.x) - a.x;
    double dy = static_cast<double>(b.y) - a.y;
    if (n % 2 == 0)
        return std::sqrt(dx * dx + dy * dy);
    POINT text;
    int angle = 0;
    GetSegLineTextPoint(object, route, &text, &angle);
    return angle == 900 ? std::fabs(dy) : std::fabs(dx);
}

double GetSegLineLength(DrawingRecord* drawing, const DrawingObject* object)
{
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return 0.0;
    return RouteLength(object, record.Get());
}

ErrorCode ShowSegLineLength(DrawingRecord* drawing, void* table, int index, const int32_t* value)
{
    if (!value)
        return kErrNone;
    // The same switch as a straight line's, so the label can be turned off.
    return ShowLineLength(drawing, table, index, value);
}
