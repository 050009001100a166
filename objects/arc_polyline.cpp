#include "objects/arc_polyline.h"

#include <cmath>

#include "objects/geometry_math.h"

namespace {

// The quadrants in the order of the walk.
enum Quadrant : int { kTopLeft, kBottomLeft, kBottomRight, kTopRight };

struct ArcEllipse {
    int cx, cy, rx, ry;
    bool stepX;   // taller than wide: x is stepped, y computed
};

// The stepped coordinate's value at the quadrant's first and last axis point,
// and the sign of the computed coordinate in it.
void QuadrantRange(const ArcEllipse& e, int q, double* from, double* to, int* sign)
{
    static const int fromX[4] = {0, -1, 0, 1};
    static const int toX[4] = {-1, 0, 1, 0};
    static const int signY[4] = {-1, 1, 1, -1};
    static const int fromY[4] = {-1, 0, 1, 0};
    static const int toY[4] = {0, 1, 0, -1};
    static const int signX[4] = {-1, -1, 1, 1};
    if (e.stepX) {
        *from = fromX[q] * static_cast<double>(e.rx);
        *to = toX[q] * static_cast<double>(e.rx);
        *sign = signY[q];
    } else {
        *from = fromY[q] * static_cast<double>(e.ry);
        *to = toY[q] * static_cast<double>(e.ry);
        *sign = signX[q];
    }
}

int QuadrantOf(int x, int y)
{
    if (x <= 0 && y < 0)
        return kTopLeft;
    if (x < 0 && y >= 0)
        return kBottomLeft;
    if (x >= 0 && y > 0)
        return kBottomRight;
    if (x > 0 && y <= 0)
        return kTopRight;
    return kTopLeft;
}

class ArcWriter {
public:
    ArcWriter(const ArcEllipse& e, POINT* points) : e_(e), points_(points) {}

    // The point of quadrant q at progress t (0 its first axis point, 1 its last).
    void At(int q, double t)
    {
        double from, to;
        int sign;
        QuadrantRange(e_, q, &from, &to, &sign);
        double v = from + t * (to - from);
        double x, y;
        if (e_.stepX) {
            double ratio = e_.rx != 0 ? v / e_.rx : 0.0;
            x = v;
            y = sign * e_.ry * RootOrZero(1.0 - ratio * ratio);
        } else {
            double ratio = e_.ry != 0 ? v / e_.ry : 0.0;
            y = v;
            x = sign * e_.rx * RootOrZero(1.0 - ratio * ratio);
        }
        Add(e_.cx + TruncToInt(x), e_.cy + TruncToInt(y));
    }
    void Add(int x, int y)
    {
        points_[count_].x = x;
        points_[count_].y = y;
        ++count_;
    }
    int Count() const { return count_; }
    void Truncate(int count) { count_ = count; }
    POINT First() const { return points_[0]; }

private:
    ArcEllipse e_;
    POINT* points_;
    int count_ = 0;
};

// How far along its quadrant a point lies, 0 .. 1.
double Progress(const ArcEllipse& e, int q, int x, int y)
{
    double from, to;
    int sign;
    QuadrantRange(e, q, &from, &to, &sign);
    if (to == from)
        return 0.0;
    double t = ((e.stepX ? x : y) - from) / (to - from);
    return t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
}

} // namespace

void ProjectOntoEllipse(POINT* point, const RECT* rect)
{
    int rx = (rect->right - rect->left) / 2;
    int ry = (rect->bottom - rect->top) / 2;
    int cx = rect->left + rx;
    int cy = rect->top + ry;
    double dx = static_cast<double>(point->x) - cx;
    double dy = static_cast<double>(point->y) - cy;
    if (std::fabs(dx) < 1.0) {
        point->x = cx;
        point->y = dy < 0.0 ? rect->top : rect->bottom;
        return;
    }
    if (std::fabs(dy) < 1.0) {
        point->x = dx < 0.0 ? rect->left : rect->right;
        point->y = cy;
        return;
    }
    double m = dy / dx;
    double a2 = static_cast<double>(rx) * rx;
    double b2 = static_cast<double>(ry) * ry;
    double denominator = a2 * m * m + b2;
    double x = denominator > 0.0 ? std::sqrt(a2 * b2 / denominator) : 0.0;
    if (dx < 0.0)
        x = -x;
    point->x = cx + TruncToInt(x);
    point->y = cy + TruncToInt(m * x);
}

void ArcToPolyline(const RECT* rectIn, int startX, int startY, int endX, int endY, int kind, int n, POINT* points,
                   int* count)
{
    if (n < 2)
        n = 2;
    RECT rect = *rectIn;
    if (rect.left > rect.right) {
        LONG t = rect.left;
        rect.left = rect.right;
        rect.right = t;
    }
    if (rect.top > rect.bottom) {
        LONG t = rect.top;
        rect.top = rect.bottom;
        rect.bottom = t;
    }
    POINT start = {startX, startY};
    POINT end = {endX, endY};
    ProjectOntoEllipse(&start, &rect);
    ProjectOntoEllipse(&end, &rect);

    ArcEllipse e;
    e.rx = (rect.right - rect.left) / 2;
    e.ry = (rect.bottom - rect.top) / 2;
    e.cx = rect.left + e.rx;
    e.cy = rect.top + e.ry;
    e.stepX = (rect.bottom - rect.top) > (rect.right - rect.left);
    int sx = start.x - e.cx, sy = start.y - e.cy;
    int ex = end.x - e.cx, ey = end.y - e.cy;

    ArcWriter out(e, points);
    if (kind == kArcPie)
        out.Add(e.cx, e.cy);

    const int startQ = QuadrantOf(sx, sy);
    const int endQ = QuadrantOf(ex, ey);
    const double tStart = Progress(e, startQ, sx, sy);
    const double tEnd = Progress(e, endQ, ex, ey);
    // An end in the start quadrant but not after the start is reached only on
    // the second time round (the same point draws the whole ellipse).
    const bool passOver = endQ == startQ && tEnd <= tStart;
    const double steps = n - 1;

    for (int k = 0; k <= 4; ++k) {
        const int q = (startQ + k) % 4;
        const bool endHere = q == endQ && !(k == 0 && passOver);
        if (k == 0 && !endHere) {
            for (int i = 0; i < n; ++i)
                out.At(q, tStart + i * (1.0 - tStart) / steps);
            continue;
        }
        if (!endHere) {
            for (int i = 0; i < n; ++i)
                out.At(q, i / steps);
            continue;
        }
        if (k == 0) {
            for (int i = 0; i < n; ++i) {
                double t = tStart + i * (1.0 - tStart) / steps;
                if (t >= tEnd)
                    break;
                out.At(q, t);
            }
            out.At(q, tEnd);
            break;
        }
        // Entered from the previous quadrant: when only a few regular steps
        // come before the end, they are spread evenly up to it instead.
        const int mark = out.Count();
        int taken = 0;
        for (int i = 0; i < n && i / steps < tEnd; ++i, ++taken)
            out.At(q, i / steps);
        if (taken < n - 5) {
            out.Truncate(mark);
            for (int i = 0; i < n; ++i)
                out.At(q, i * tEnd / steps);
        } else {
            out.At(q, tEnd);
        }
        break;
    }
    if (kind == kArcChord || kind == kArcPie) {
        POINT first = out.First();
        out.Add(first.x, first.y);
    }
    *count = out.Count();
}
