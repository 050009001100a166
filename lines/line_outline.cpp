#include "lines/line_outline.h"

#include <cmath>

#include "lines/line_geometry.h"
#include "objects/geometry_math.h"

namespace {

const double kPi = 3.14159265358979323846;

// The line laid out as a start, a unit direction toward its end and a length.
struct LineFrame {
    int direction;
    POINT start;
    POINT end;
    double p;        // unit direction from the start
    double q;
    double length;
};

LineFrame MakeFrame(const DrawingObject* line, const RECT* frame, int coordinate)
{
    LineFrame f;
    f.direction = LineDirectionOf(line);
    GetLineEndsIn(f.direction, RunsUp(line), frame, coordinate, &f.start, &f.end);
    double dx = static_cast<double>(f.end.x) - f.start.x;
    double dy = static_cast<double>(f.end.y) - f.start.y;
    f.length = std::sqrt(dx * dx + dy * dy);
    if (f.direction == kLineHorizontal) {
        f.length = dx;
        f.p = 1.0;
        f.q = 0.0;
    } else if (f.direction == kLineVertical) {
        f.length = dy;
        f.p = 0.0;
        f.q = 1.0;
    } else if (f.length > 0.0) {
        f.p = dx / f.length;
        f.q = dy / f.length;
    } else {
        f.p = 0.0;
        f.q = 0.0;
    }
    return f;
}

int Sign(double v)
{
    return v > 0.0 ? 1 : (v < 0.0 ? -1 : 0);
}

// One point of a pattern at distance s along the line and excursion sigma*k
// off it (sigma +1 is the first excursion's side), widened by b.
POINT PatternPoint(const LineFrame& f, int s, int sigma, int k, int b)
{
    switch (f.direction) {
    case kLineHorizontal:
        return {f.start.x + s, f.start.y - sigma * (k + b)};
    case kLineVertical:
        return {f.start.x + sigma * (k + b), f.start.y + s};
    default: {
        // The first excursion goes along the direction turned a quarter.
        double nx = f.q;
        double ny = -f.p;
        int ox = TruncToInt(sigma * k * nx);
        int oy = TruncToInt(sigma * k * ny);
        ox += Sign(sigma * nx) * b;
        oy += Sign(sigma * ny) * b;
        return {f.start.x + TruncToInt(s * f.p) + ox, f.start.y + TruncToInt(s * f.q) + oy};
    }
    }
}

struct ArcCircle {
    bool valid;
    double R;         // signed radius
    double cx;
    double cy;
    POINT apex;
    double mx;        // the chord's middle
    double my;
    double nx;        // the bulge side of a positive height
    double ny;
};

ArcCircle MakeCircle(const LineFrame& f, double h)
{
    ArcCircle c = {};
    if (h == 0.0 || (f.direction == kLineSloped && !(f.length > 0.0)))
        return c;
    double hc = f.length / 2.0;
    c.R = (hc * hc + h * h) / (2.0 * h);
    switch (f.direction) {
    case kLineHorizontal:
        c.nx = 0.0;
        c.ny = -1.0;
        break;
    case kLineVertical:
        c.nx = -1.0;
        c.ny = 0.0;
        break;
    default:
        c.nx = f.q;
        c.ny = -f.p;
        break;
    }
    c.mx = f.start.x + hc * f.p;
    c.my = f.start.y + hc * f.q;
    c.cx = c.mx - (c.R - h) * c.nx;
    c.cy = c.my - (c.R - h) * c.ny;
    if (f.direction == kLineHorizontal)
        c.apex = {TruncToInt(c.mx), TruncToInt(f.start.y - h)};
    else if (f.direction == kLineVertical)
        c.apex = {TruncToInt(f.start.x - h), TruncToInt(c.my)};
    else
        c.apex = {TruncToInt(c.mx + h * c.nx), TruncToInt(c.my + h * c.ny)};
    c.valid = true;
    return c;
}

// Turns a point about the circle's centre; a positive distance goes
// counter-clockwise on the screen.
void TurnOnCircle(const ArcCircle& c, double distance, POINT* point)
{
    if (!c.valid || c.R == 0.0)
        return;
    double s = distance / c.R;
    if (s > 1.0)
        s = 1.0;
    if (s < -1.0)
        s = -1.0;
    double co = ComputeSqrtOrZero(1.0 - s * s);
    double x = point->x - c.cx;
    double y = point->y - c.cy;
    point->x = TruncToInt(c.cx + x * co + y * s);
    point->y = TruncToInt(c.cy - x * s + y * co);
}

double MathAngle(const ArcCircle& c, POINT p)
{
    return std::atan2(-(p.y - c.cy), p.x - c.cx);
}

void SampleArc(const ArcCircle& c, POINT from, POINT to, int n, POINT* points)
{
    double r = std::fabs(c.R);
    double a0 = MathAngle(c, from);
    double a1 = MathAngle(c, to);
    double sweep = a1 - a0;
    while (sweep <= 0.0)
        sweep += 2.0 * kPi;
    while (sweep > 2.0 * kPi)
        sweep -= 2.0 * kPi;
    points[0] = from;
    for (int i = 1; i < n - 1; ++i) {
        double a = a0 + sweep * i / (n - 1);
        points[i] = {TruncToInt(c.cx + r * std::cos(a)), TruncToInt(c.cy - r * std::sin(a))};
    }
    points[n - 1] = to;
}

void ChordFigure(const LineFrame& f, POINT* points, int* count, int* figure)
{
    points[0] = f.start;
    points[1] = f.end;
    points[2] = {f.start.x + (f.end.x - f.start.x) / 2, f.start.y + (f.end.y - f.start.y) / 2};
    *count = 2;
    *figure = kOutlineChord;
}

void ArcOutline(const LineFrame& f, const RECT* frame, double parameter, int b, POINT* points, int* count,
                int* figure, int forcePolyline, const int* trims)
{
    int h = TruncToInt(parameter);
    ArcCircle c = MakeCircle(f, h);
    if (!c.valid) {
        if (f.direction != kLineSloped || f.length > 0.0)
            ChordFigure(f, points, count, figure);
        return;
    }
    POINT apex = c.apex;
    if (f.direction == kLineHorizontal)
        apex.y += h > 0 ? -b : b;
    else if (f.direction == kLineVertical)
        apex.x += h > 0 ? -b : b;

    POINT start = f.start;
    POINT end = f.end;
    if (trims) {
        double sign = f.direction == kLineVertical ? 1.0 : -1.0;
        if (trims[0])
            TurnOnCircle(c, sign * trims[0], &start);
        if (trims[1])
            TurnOnCircle(c, -sign * trims[1], &end);
    }
    bool exchange;
    if (f.direction == kLineHorizontal)
        exchange = h > 0;
    else if (f.direction == kLineVertical)
        exchange = h < 0;
    else
        exchange = h > 0;
    POINT first = exchange ? end : start;
    POINT second = exchange ? start : end;

    double r = std::fabs(c.R);
    double left = c.cx - r;
    double top = c.cy - r;
    double right = c.cx + r;
    double bottom = c.cy + r;
    bool inRange = left >= 0.0 && top >= 0.0 && right < 32767.0 && bottom < 32767.0;
    if (inRange && !forcePolyline) {
        points[0] = first;
        points[1] = second;
        points[2] = apex;
        points[3] = {TruncToInt(left), TruncToInt(top)};
        points[4] = {TruncToInt(right), TruncToInt(bottom)};
        *count = 2;
        *figure = kOutlineArc;
        return;
    }
    if (r > 16383.0) {
        ChordFigure(f, points, count, figure);
        return;
    }
    int n = f.direction == kLineSloped ? 20 : 30;
    SampleArc(c, first, second, n, points);
    if (b != 0) {
        int mx = frame->left + (frame->right - frame->left) / 2;
        int my = frame->top + (frame->bottom - frame->top) / 2;
        for (int i = 0; i < n; ++i) {
            points[i].x += points[i].x > mx ? b : (points[i].x < mx ? -b : 0);
            points[i].y += points[i].y > my ? b : (points[i].y < my ? -b : 0);
        }
    }
    points[n] = apex;
    *count = n;
    *figure = kOutlinePolyline;
}

} // namespace

double ComputeSqrtOrZero(double x)
{
    return x > 0.0 ? std::sqrt(x) : 0.0;
}

double PatternShare(double parameter)
{
    if (!(parameter >= 0.0))
        return 0.0;
    return parameter > 0.5 ? 0.5 : parameter;
}

void ComputeLineOutline(const DrawingObject* line, const RECT* frame, int coordinate, double parameter,
                        int inflation, POINT* points, int* count, int* figure, int forcePolyline, const int* trims)
{
    *count = 0;
    *figure = kOutlinePolyline;
    int type = line->lineType;
    if (type != kLineComm && type != kLineDigital && type != kLineArc)
        return;
    LineFrame f = MakeFrame(line, frame, coordinate);
    if (f.direction == kLineSloped && !(f.length > 0.0))
        return;
    if (type == kLineArc) {
        ArcOutline(f, frame, parameter, inflation, points, count, figure, forcePolyline, trims);
        return;
    }
    double D = f.length;
    double Lc = D > 1200.0 ? 1200.0 : D;
    int k = TruncToInt(PatternShare(parameter) * Lc / 2.0);
    int e = TruncToInt((D - 2.0 * k) / 2.0);
    int b = inflation;
    int n = 0;
    points[n++] = f.start;
    points[n++] = PatternPoint(f, e, 0, 0, 0);
    if (type == kLineComm) {
        points[n++] = PatternPoint(f, e + k / 2, 1, k, b);
        points[n++] = PatternPoint(f, e + (3 * k) / 2, -1, k, b);
    } else {
        points[n++] = PatternPoint(f, e, 1, k, b);
        points[n++] = PatternPoint(f, e + k, 1, k, b);
        points[n++] = PatternPoint(f, e + k, -1, k, b);
        points[n++] = PatternPoint(f, e + 2 * k, -1, k, b);
    }
    points[n++] = PatternPoint(f, e + 2 * k, 0, 0, 0);
    points[n++] = f.end;
    *count = n;
}

void ComputeStoredLineOutline(const DrawingObject* line, int inflation, POINT* points, int* count, int* figure,
                              int forcePolyline, const int* trims)
{
    ComputeLineOutline(line, &line->frame, line->kindCoordinate, line->adjust, inflation, points, count, figure,
                       forcePolyline, trims);
}

void AddLineOutlineToBounds(DrawingObject* line)
{
    POINT points[kLineOutlineCapacity];
    int count = 0;
    int figure = 0;
    ComputeStoredLineOutline(line, line->lineWidth + 24, points, &count, &figure, 1, nullptr);
    if (count == 0)
        return;
    int total = count;
    if (line->lineType == kLineArc)
        total = count + 1;   // the apex follows the points
    RECT& b = line->bounds;
    for (int i = 0; i < total; ++i) {
        if (points[i].x < b.left)
            b.left = points[i].x;
        if (points[i].x > b.right)
            b.right = points[i].x;
        if (points[i].y < b.top)
            b.top = points[i].y;
        if (points[i].y > b.bottom)
            b.bottom = points[i].y;
    }
}

void RotatePointOnArc(const DrawingObject* line, double distance, POINT* point)
{
    LineFrame f = MakeFrame(line, &line->frame, line->kindCoordinate);
    ArcCircle c = MakeCircle(f, line->adjust);
    TurnOnCircle(c, distance, point);
}

void ProjectPointOntoArc(const DrawingObject* line, POINT* point)
{
    double t = line->adjust;
    LineFrame f = MakeFrame(line, &line->frame, line->kindCoordinate);
    ArcCircle c = MakeCircle(f, t);
    if (!c.valid)
        return;
    double hc = f.length / 2.0;
    double x = point->x;
    double y = point->y;
    double R = c.R;
    auto clamp = [](double v) { return v < 0.0 ? 0 : (v > 32767.0 ? 32767 : TruncToInt(v)); };
    switch (f.direction) {
    case kLineHorizontal: {
        double e = hc - (x - f.start.x);
        double root = ComputeSqrtOrZero(R * R - e * e);
        y = t > 0 ? f.start.y + (R - t) - root : f.start.y + (R - t) + root;
        break;
    }
    case kLineVertical: {
        double e = hc - (y - f.start.y);
        double root = ComputeSqrtOrZero(R * R - e * e);
        x = t > 0 ? f.start.x + (R - t) - root : f.start.x + (R - t) + root;
        break;
    }
    default: {
        double dx = x - f.start.x;
        double dy = y - f.start.y;
        double r = std::sqrt(dx * dx + dy * dy);
        double e = r - hc;
        double root = ComputeSqrtOrZero(R * R - e * e);
        // The height over that place, on the bulge side (mirrored below 0).
        double H = t > 0 ? root - (R - t) : -(root + (R - t));
        x = f.start.x + r * f.p + H * c.nx;
        y = f.start.y + r * f.q + H * c.ny;
        break;
    }
    }
    point->x = clamp(x);
    point->y = clamp(y);
}
