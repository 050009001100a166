#include "lines/connector_paint.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "common/color_helpers.h"
#include "common/display_flags.h"
#include "lines/arrowheads.h"
#include "lines/connector_handles.h"
#include "lines/connector_text.h"
#include "objects/arc_polyline.h"
#include "objects/attachment_marker.h"
#include "objects/geometry_math.h"
#include "objects/kind_messages.h"

namespace {

const double kHalfPi = 1.57079632679489661923;

struct EndMarker {
    uint32_t word = 0;
    bool on = false;      // an end marker stands there
    int stroke = 0;       // stroke setback
    int extra = 0;        // tip setback
};

EndMarker MarkerFor(uint32_t word, bool enabled, int size, int width)
{
    EndMarker m;
    m.word = word;
    if (!enabled || ArrowheadKindOf(word) == 0 || IsMiddleArrowhead(word))
        return m;
    m.on = true;
    int s = GetArrowheadSetback(word, size, width);
    m.extra = (word & kArrowDisplaced) ? kArrowDisplacement : 0;
    m.stroke = (s > 0 ? s : 0) + m.extra;
    return m;
}

POINT Toward(POINT from, POINT to, int distance)
{
    double dx = static_cast<double>(to.x) - from.x;
    double dy = static_cast<double>(to.y) - from.y;
    double d = std::sqrt(dx * dx + dy * dy);
    if (d <= 0.0 || distance == 0)
        return from;
    if (distance > d)
        distance = static_cast<int>(d);
    return {from.x + TruncToInt(dx * distance / d), from.y + TruncToInt(dy * distance / d)};
}

bool SamePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

// A point of the ellipse at straight distance c from vertex V, V at the end
// of the semi-axis toward `centre`, turning toward `other`.
POINT TrimFromVertex(POINT V, POINT centre, POINT other, double a, double b, double c)
{
    if (c <= 0.0)
        return V;
    double along = 0.0;
    double across = 0.0;
    ArcTrimPoint(a, b, c, &along, &across);
    double ux = centre.x - V.x;
    double uy = centre.y - V.y;
    double ul = std::sqrt(ux * ux + uy * uy);
    double vx = other.x - centre.x;
    double vy = other.y - centre.y;
    double vl = std::sqrt(vx * vx + vy * vy);
    double px = V.x;
    double py = V.y;
    if (ul > 0.0) {
        px += along * ux / ul;
        py += along * uy / ul;
    }
    if (vl > 0.0) {
        px += across * vx / vl;
        py += across * vy / vl;
    }
    return {TruncToInt(px), TruncToInt(py)};
}

double MathAngle(POINT p, POINT c)
{
    return std::atan2(-(static_cast<double>(p.y) - c.y), static_cast<double>(p.x) - c.x);
}

void StrokeArc(HDC dc, RECT box, POINT from, POINT to, POINT centre)
{
    double delta = MathAngle(to, centre) - MathAngle(from, centre);
    while (delta > 3.14159265358979)
        delta -= 2 * 3.14159265358979;
    while (delta <= -3.14159265358979)
        delta += 2 * 3.14159265358979;
    POINT s = delta > 0 ? from : to;
    POINT e = delta > 0 ? to : from;
    if (!RenderingMetafile) {
        POINT device[2] = {from, to};
        LPtoDP(dc, device, 2);
        if (std::abs(device[0].x - device[1].x) <= 1 || std::abs(device[0].y - device[1].y) <= 1) {
            MoveToEx(dc, from.x, from.y, nullptr);
            LineTo(dc, to.x, to.y);
            return;
        }
    }
    if (box.left >= 0 && box.top >= 0 && box.right <= 32767 && box.bottom <= 32767) {
        Arc(dc, box.left, box.top, box.right, box.bottom, s.x, s.y, e.x, e.y);
        return;
    }
    POINT points[80];   // ArcPolylineCapacity(8) is 76
    int count = 0;
    ArcToPolyline(&box, s.x, s.y, e.x, e.y, kArcOpen, 8, points, &count);
    if (count > 1)
        Polyline(dc, points, count);
}

} // namespace

void ArcTrimPoint(double a, double b, double c, double* along, double* across)
{
    if (b < 1.0) {
        *along = 0.0;
        *across = c;
        return;
    }
    // The chord from the vertex grows with the angle: halve toward distance c.
    double lo = 0.0;
    double hi = kHalfPi;
    for (int i = 0; i < 40; ++i) {
        double t = (lo + hi) / 2.0;
        double u = a - a * std::cos(t);
        double v = b * std::sin(t);
        if (u * u + v * v < c * c)
            lo = t;
        else
            hi = t;
    }
    double t = (lo + hi) / 2.0;
    *along = a - a * std::cos(t);
    *across = b * std::sin(t);
}

void DrawArcCorner(HDC dc, const SegLineRoute* route, int i, const POINT* handles, int dx, int dy, int flags,
                   int lineWidth, HBRUSH brush, HPEN thinPen, HPEN arrowPen, const DrawingObject* object)
{
    POINT A = {handles[i].x + dx, handles[i].y + dy};
    POINT B = {handles[i + 1].x + dx, handles[i + 1].y + dy};
    bool verticalFirst = !IsHorizontalSegment(route->segments[i]);
    POINT centre = verticalFirst ? POINT{B.x, A.y} : POINT{A.x, B.y};
    double hw = std::abs(B.x - A.x);
    double hh = std::abs(B.y - A.y);
    RECT box = {centre.x - static_cast<int>(hw), centre.y - static_cast<int>(hh), centre.x + static_cast<int>(hw),
                centre.y + static_cast<int>(hh)};
    // A's semi-axis runs along x when the first leg is vertical.
    double aA = verticalFirst ? hw : hh;
    double bA = verticalFirst ? hh : hw;
    double aB = verticalFirst ? hh : hw;
    double bB = verticalFirst ? hw : hh;

    int size = object ? object->arrowSize : 1;
    int length = object ? lineWidth + ArrowheadLengthTable[ClampArrowSize(size)] : 84;
    uint32_t wordA = 0;
    uint32_t wordB = 0;
    if (object) {
        bool firstIsLeft = true;
        POINT s;
        POINT e;
        GetRouteEndPoint(route, 0, &s);
        GetRouteEndPoint(route, kMaxRouteSegments, &e);
        firstIsLeft = s.x < e.x || (s.x == e.x && s.y <= e.y);
        wordA = static_cast<uint32_t>(firstIsLeft ? object->startArrow : object->endArrow);
        wordB = static_cast<uint32_t>(firstIsLeft ? object->endArrow : object->startArrow);
    } else {
        wordA = (flags & 2) ? 1 : 0;
        wordB = (flags & 1) ? 1 : 0;
    }
    EndMarker mA = MarkerFor(wordA, (flags & 2) != 0, size, lineWidth);
    EndMarker mB = MarkerFor(wordB, (flags & 1) != 0, size, lineWidth);
    POINT from = TrimFromVertex(A, centre, B, aA, bA, mA.stroke);
    POINT to = TrimFromVertex(B, centre, A, aB, bB, mB.stroke);
    StrokeArc(dc, box, from, to, centre);
    if (!mA.on && !mB.on)
        return;
    HGDIOBJ keep = GetCurrentObject(dc, OBJ_PEN);
    if (mA.on) {
        POINT tip = TrimFromVertex(A, centre, B, aA, bA, mA.extra);
        POINT back = TrimFromVertex(A, centre, B, aA, bA, mA.extra + length);
        DrawArrowheads(dc, 2, wordA, 0, lineWidth, size, 0, tip.x, tip.y, back.x, back.y, brush, thinPen, arrowPen);
    }
    if (mB.on) {
        POINT tip = TrimFromVertex(B, centre, A, aB, bB, mB.extra);
        POINT back = TrimFromVertex(B, centre, A, aB, bB, mB.extra + length);
        DrawArrowheads(dc, 1, 0, wordB, lineWidth, size, 0, back.x, back.y, tip.x, tip.y, brush, thinPen, arrowPen);
    }
    SelectObject(dc, keep);
}

namespace {

// Bits of a line's arrow-ends word: a marker at the start (left), at the end.
const int kArrowAtStart = 2;
const int kArrowAtEnd = 1;
// Connectors with this shape type round their corners.
const int kArcCorners = 1;
// Up to this width the markers' outline pen is the line's own width.
const int kThinOutline = 12;
// The one mid-line kind that is drawn only when its end's bit is set.
const int kMidKindNeedingEndsBit = 17;
// A two-piece arc connector's mid marker aims across its box (600 units a
// side) between two points just either side of the arc's middle.
const int kBoxNear = 180;
const int kBoxFar = 420;
const int kBoxNudge = 5;

struct ConnectorPens {
    HBRUSH brush;
    HPEN thin;
    HPEN arrow;
    HPEN line;
    HGDIOBJ oldPen;
    HGDIOBJ oldBrush;
};

ConnectorPens CreateConnectorPens(HDC dc, const DrawingObject* object, COLORREF colour)
{
    static const int kStyles[4] = {PS_DOT, PS_DASH, PS_DASHDOT, PS_DASHDOTDOT};
    const int w = object->lineWidth;
    COLORREF mapped = MapOutputColor(dc, colour, 1);
    ConnectorPens pens = {};
    pens.brush = CreateSolidBrush(mapped);
    pens.thin = CreatePen(PS_SOLID, 0, mapped);
    pens.arrow = CreateOutputPen(dc, PS_INSIDEFRAME, w <= kThinOutline ? w : w / 2, colour);
    if (object->lineStyle >= 2 && object->lineStyle <= 5)
        pens.line = CreatePen(kStyles[object->lineStyle - 2], 0, mapped);
    else
        pens.line = CreateOutputPen(dc, PS_SOLID, w, colour);
    pens.oldPen = SelectObject(dc, pens.line);
    pens.oldBrush = SelectObject(dc, pens.brush);
    return pens;
}

void DeleteConnectorPens(HDC dc, const ConnectorPens& pens)
{
    SelectObject(dc, pens.oldBrush);
    SelectObject(dc, pens.oldPen);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(pens.brush);
    DeleteObject(pens.thin);
    DeleteObject(pens.arrow);
    DeleteObject(pens.line);
}

// The route's handle points and its end markers in route order. The stored
// start marker belongs to the left (or upper) end, whichever way the route runs.
struct RouteEnds {
    POINT origin;
    POINT handles[kMaxRouteHandles];
    int handleCount;
    bool firstIsLeft;
    EndMarker first;
    EndMarker last;
};

void FindRouteEnds(const DrawingObject* object, const SegLineRoute* route, int dx, int dy, RouteEnds* ends)
{
    ends->origin = {object->inner.left + dx, object->inner.top + dy};
    RECT squares[kMaxRouteHandles];
    ends->handleCount = 0;
    GetSegLineHandles(route, ends->origin, ends->handles, squares, &ends->handleCount);
    const POINT start = ends->handles[0];
    const POINT last = ends->handles[ends->handleCount - 1];
    ends->firstIsLeft = start.x < last.x || (start.x == last.x && start.y <= last.y);
    const uint32_t leftWord = static_cast<uint32_t>(object->startArrow);
    const uint32_t rightWord = static_cast<uint32_t>(object->endArrow);
    const bool leftOn = (object->arrowEnds & kArrowAtStart) != 0;
    const bool rightOn = (object->arrowEnds & kArrowAtEnd) != 0;
    const int size = object->arrowSize;
    const int w = object->lineWidth;
    ends->first = MarkerFor(ends->firstIsLeft ? leftWord : rightWord, ends->firstIsLeft ? leftOn : rightOn, size, w);
    ends->last = MarkerFor(ends->firstIsLeft ? rightWord : leftWord, ends->firstIsLeft ? rightOn : leftOn, size, w);
}

POINT SegmentStart(const RouteSegment& s, POINT origin) { return {s.x0 + origin.x, s.y0 + origin.y}; }
POINT SegmentEnd(const RouteSegment& s, POINT origin) { return {s.x1 + origin.x, s.y1 + origin.y}; }

// Square corners: each piece drawn on its own, shortened before an end marker.
void DrawSquareRoute(HDC dc, const DrawingObject* object, const SegLineRoute* route, int n, const RouteEnds& ends,
                     const ConnectorPens& pens)
{
    const POINT startPoint = ends.handles[0];
    const POINT lastPoint = ends.handles[ends.handleCount - 1];
    for (int i = 0; i < n; ++i) {
        const POINT A = SegmentStart(route->segments[i], ends.origin);
        const POINT B = SegmentEnd(route->segments[i], ends.origin);
        EndMarker atA;
        EndMarker atB;
        if (i == 0) {
            if (SamePoint(A, startPoint))
                atA = ends.first;
            else
                atB = ends.first;
        }
        if (i == n - 1) {
            if (SamePoint(B, lastPoint) && !(n == 1 && SamePoint(A, lastPoint)))
                atB = ends.last;
            else
                atA = ends.last;
        }
        POINT a = Toward(A, B, atA.stroke);
        POINT b = Toward(B, A, atB.stroke);
        int saved = SaveDC(dc);
        MoveToEx(dc, a.x, a.y, nullptr);
        LineTo(dc, b.x, b.y);
        RestoreDC(dc, saved);
        if (atA.on || atB.on) {
            POINT ta = Toward(A, B, atA.extra);
            POINT tb = Toward(B, A, atB.extra);
            int flags = (atA.on ? kArrowAtStart : 0) | (atB.on ? kArrowAtEnd : 0);
            DrawArrowheads(dc, flags, atA.on ? atA.word : 0, atB.on ? atB.word : 0, object->lineWidth,
                           object->arrowSize, 0, ta.x, ta.y, tb.x, tb.y, pens.brush, pens.thin, pens.arrow);
            SelectObject(dc, pens.line);
        }
    }
}

void DrawArcRoute(HDC dc, const DrawingObject* object, const SegLineRoute* route, const RouteEnds& ends,
                  const ConnectorPens& pens)
{
    for (int i = 0; i + 1 < ends.handleCount; ++i) {
        int flags = 0;
        if (i == 0 && ends.first.on)
            flags |= kArrowAtStart;
        if (i + 1 == ends.handleCount - 1 && ends.last.on)
            flags |= kArrowAtEnd;
        DrawArcCorner(dc, route, i, ends.handles, 0, 0, flags, object->lineWidth, pens.brush, pens.thin, pens.arrow,
                      object);
        SelectObject(dc, pens.line);
    }
}

// Where the mid-line markers stand: entering and leaving the middle piece in
// route order, or across the middle of a two-piece arc.
void FindMiddleCourse(const DrawingObject* object, const SegLineRoute* route, int n, bool arcs, const RouteEnds& ends,
                      int dx, int dy, POINT* entry, POINT* exit)
{
    if (arcs && n == 2) {
        RECT box;
        HitRouteSegment(route, 0, 0, 1, &box, 0);
        int X = box.left < 0 ? kBoxFar : kBoxNear;
        int Y = box.top < 0 ? kBoxFar : kBoxNear;
        bool same = (box.left < 0 && box.top < 0) || (box.left == 0 && box.top == 0);
        POINT pts[2];
        if (same) {
            pts[0] = {X - kBoxNudge, Y + kBoxNudge};
            pts[1] = {X + kBoxNudge, Y - kBoxNudge};
        } else {
            pts[0] = {X - kBoxNudge, Y - kBoxNudge};
            pts[1] = {X + kBoxNudge, Y + kBoxNudge};
        }
        DrawingObject moved = *object;
        OffsetRect(&moved.inner, dx, dy);
        MapRouteBoxPoints(&moved, route, 0, 2, pts);
        *entry = pts[0];
        *exit = pts[1];
        return;
    }
    const int m = (n - 1) / 2;
    const POINT A = SegmentStart(route->segments[m], ends.origin);
    const POINT B = SegmentEnd(route->segments[m], ends.origin);
    // Route order through the middle segment: in from the start side.
    bool aFirst;
    if (m == 0) {
        aFirst = SamePoint(A, ends.handles[0]);
    } else {
        const RouteSegment& p = route->segments[m - 1];
        aFirst = SamePoint(A, SegmentStart(p, ends.origin)) || SamePoint(A, SegmentEnd(p, ends.origin));
    }
    *entry = aFirst ? A : B;
    *exit = aFirst ? B : A;
}

void DrawMiddleMarkers(HDC dc, const DrawingObject* object, const SegLineRoute* route, int n, bool arcs,
                       const RouteEnds& ends, int dx, int dy, const ConnectorPens& pens)
{
    const uint32_t leftWord = static_cast<uint32_t>(object->startArrow);
    const uint32_t rightWord = static_cast<uint32_t>(object->endArrow);
    const bool leftMiddle = IsMiddleArrowhead(leftWord) != 0;
    const bool rightMiddle = IsMiddleArrowhead(rightWord) != 0;
    if (!(leftMiddle || rightMiddle) || (object->shapeType == kArcCorners && n == 1))
        return;
    int flags = object->arrowEnds & ((leftMiddle ? kArrowAtStart : 0) | (rightMiddle ? kArrowAtEnd : 0));
    // A kind that needs no ends bit is drawn whatever the bits say.
    if (leftMiddle && ArrowheadKindOf(leftWord) != kMidKindNeedingEndsBit)
        flags |= kArrowAtStart;
    if (rightMiddle && ArrowheadKindOf(rightWord) != kMidKindNeedingEndsBit)
        flags |= kArrowAtEnd;
    POINT entry;
    POINT exit;
    FindMiddleCourse(object, route, n, arcs, ends, dx, dy, &entry, &exit);
    if (!ends.firstIsLeft)
        std::swap(entry, exit);
    DrawArrowheads(dc, flags, leftMiddle ? leftWord : 0, rightMiddle ? rightWord : 0, object->lineWidth,
                   object->arrowSize, 0, entry.x, entry.y, exit.x, exit.y, pens.brush, pens.thin, pens.arrow);
}

void DrawConnectorAttachmentMarker(HDC dc, const DrawingObject* object, const SegLineRoute* route, POINT origin)
{
    RouteSegment first = route->segments[0];
    first.x0 += origin.x;
    first.x1 += origin.x;
    first.y0 += origin.y;
    first.y1 += origin.y;
    RECT marker;
    GetSegLineMarkerRect(object, first, &marker);
    DrawAttachmentMarker(dc, &marker);
}

} // namespace

void PaintSegLine(HDC dc, int message, DrawingRecord* drawing, void* table, int index, int firstValue,
                  const int32_t* offset)
{
    if (!dc || !drawing)
        return;
    const DrawingObject* object = KindObject(table, index);
    int dx = offset ? offset[0] : 0;
    int dy = offset ? offset[1] : 0;
    bool shifted = dx != 0 || dy != 0;
    bool shadowPass = message == kMsgShadowSilhouette || message == kMsgShadowOutline;
    if (shadowPass && shifted &&
        (!(drawing->style.flags & kStyleShadowOnLines) || (object->optionFlags & kOptionHideShadow)))
        return;
    COLORREF colour = shadowPass && offset ? static_cast<COLORREF>(offset[2]) : object->lineColor;
    bool markerDue = !shifted && !RenderingMetafile && firstValue == 0 && index >= 0 &&
                     HasAttachment(drawing->storeSlot, object);

    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return;
    const SegLineRoute* route = record.Get();
    int n = RouteCount(route);
    if (n == 0)
        return;
    ConnectorPens pens = CreateConnectorPens(dc, object, colour);
    RouteEnds ends;
    FindRouteEnds(object, route, dx, dy, &ends);
    const bool arcs = object->shapeType == kArcCorners && n > 1;
    if (arcs)
        DrawArcRoute(dc, object, route, ends, pens);
    else
        DrawSquareRoute(dc, object, route, n, ends, pens);
    DrawMiddleMarkers(dc, object, route, n, arcs, ends, dx, dy, pens);
    if (markerDue)
        DrawConnectorAttachmentMarker(dc, object, route, ends.origin);
    DeleteConnectorPens(dc, pens);
}

void DrawRouteXor(HDC dc, const SegLineRoute* route, int cornerStyle, int dx, int dy, int solid)
{
    int n = RouteCount(route);
    if (!dc || n == 0)
        return;
    int oldRop = SetROP2(dc, R2_NOT);
    HPEN dotted = solid ? nullptr : CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, solid ? GetStockObject(BLACK_PEN) : dotted);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (cornerStyle == 1 && n > 1) {
        POINT handles[kMaxRouteHandles];
        RECT squares[kMaxRouteHandles];
        int count = 0;
        GetSegLineHandles(route, {0, 0}, handles, squares, &count);
        for (int i = 0; i + 1 < count; ++i)
            DrawArcCorner(dc, route, i, handles, dx, dy, 0, 1, nullptr, nullptr, nullptr, nullptr);
    } else {
        for (int i = 0; i < n; ++i) {
            const RouteSegment& s = route->segments[i];
            MoveToEx(dc, s.x0 + dx, s.y0 + dy, nullptr);
            LineTo(dc, s.x1 + dx, s.y1 + dy);
        }
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SetROP2(dc, oldRop);
    if (dotted)
        DeleteObject(dotted);
}
