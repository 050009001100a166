#include "objects/point_transforms.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "objects/geometry_math.h"
#include "objects/shape_outlines.h"

namespace {

const double kTwoPi = 6.283185307;
const double kPi = 3.1415926535;

// The direction of a vector, 0 .. 2 pi.
double Direction(double dx, double dy)
{
    if (dx == 0.0)
        dx = 1.0;
    double angle = std::atan(dy / dx);
    if (dx < 0.0)
        angle += kPi;
    if (dy < 0.0)
        angle += 2.0 * kPi;
    while (angle > 2.0 * kPi)
        angle -= kPi;
    return angle;
}

const unsigned kFlipAcross = 0x08; // mirrored left to right
const unsigned kFlipDown = 0x10;   // mirrored top to bottom

// A coordinate mirrored about the middle of low..high, worked out in 64 bits
// and held to the coordinate range: a point far outside its rectangle (a
// large zoom, a damaged outline) would otherwise overflow.
LONG Mirror(LONG low, LONG high, LONG value)
{
    const int64_t mirrored = static_cast<int64_t>(low) + high - value;
    return static_cast<LONG>(std::clamp<int64_t>(mirrored, LONG_MIN, LONG_MAX));
}

} // namespace

int RotatePoints(const RECT* rect, int angle, POINT* points, int count)
{
    double t = angle * kTwoPi / 3600.0;
    double s = std::sin(t);
    double c = std::cos(t);
    int cx = 0;
    int cy = 0;
    if (rect) {
        cx = (rect->right - rect->left) / 2 + rect->left;
        cy = (rect->bottom - rect->top) / 2 + rect->top;
    }
    for (int i = 0; i < count; ++i) {
        double dx = static_cast<double>(points[i].x) - cx;
        double dy = static_cast<double>(points[i].y) - cy;
        points[i].x = TruncToInt(dx * c + dy * s + cx);
        points[i].y = TruncToInt(dy * c - dx * s + cy);
    }
    return count;
}

int RotatePointsCopy(const RECT* rect, int angle, POINT* points, int count)
{
    return RotatePoints(rect, angle, points, count);
}

void FlipPoints(const RECT* rect, unsigned flags, POINT* points, int count)
{
    for (int i = 0; i < count; ++i) {
        if (flags & kFlipAcross)
            points[i].x = Mirror(rect->left, rect->right, points[i].x);
        if (flags & kFlipDown)
            points[i].y = Mirror(rect->top, rect->bottom, points[i].y);
    }
}

void GetPointsBounds(RECT* rect, const POINT* points, int count)
{
    rect->left = 32767;
    rect->top = 32767;
    rect->right = 0;
    rect->bottom = 0;
    for (int i = 0; i < count; ++i) {
        if (points[i].x < rect->left)
            rect->left = points[i].x;
        if (points[i].y < rect->top)
            rect->top = points[i].y;
        if (points[i].x > rect->right)
            rect->right = points[i].x;
        if (points[i].y > rect->bottom)
            rect->bottom = points[i].y;
    }
}

int ComputeAngleBetween(int cx, int cy, int px, int py, int qx, int qy)
{
    double qdx = static_cast<double>(qx) - cx;
    double qdy = static_cast<double>(qy) - cy;
    double pdx = static_cast<double>(px) - cx;
    double pdy = static_cast<double>(py) - cy;
    double a1 = Direction(qdx, qdy);
    double a2 = Direction(pdx, pdy);
    double r1 = std::sqrt(qdx * qdx + qdy * qdy);
    double r2 = std::sqrt(pdx * pdx + pdy * pdy);
    double r3x = static_cast<double>(px) - qx;
    double r3y = static_cast<double>(py) - qy;
    double r3 = std::sqrt(r3x * r3x + r3y * r3y);
    if (r1 * r2 == 0.0)
        return 0;
    // Rounding can carry the cosine of collinear points past +-1.
    double cosine = (r2 * r2 + r1 * r1 - r3 * r3) / (2.0 * r2 * r1);
    if (cosine > 1.0)
        cosine = 1.0;
    if (cosine < -1.0)
        cosine = -1.0;
    int magnitude = TruncToInt(std::acos(cosine) * 1800.0 / kPi);
    double turn = std::fmod(a1 - a2, 2.0 * kPi);
    if (turn < 0.0)
        turn += 2.0 * kPi;
    return turn < kPi ? -magnitude : magnitude;
}

int SnapRotationAngle(int angle)
{
    return angle >= 0 ? (angle + 75) / 150 * 150 : (angle - 75) / 150 * 150;
}

void BuildTransformedShapeOutline(const RECT* rect, const RECT* centreRect, double parameter, int shapeType,
                                  int angle, HGLOBAL freeform, POINT* points, int* count, unsigned flags)
{
    BuildShapeOutline(rect, rect, parameter, shapeType, 0, freeform, points, count);
    if (flags & 0x18)
        FlipPoints(rect, flags, points, *count);
    if (angle != 0)
        RotatePoints(centreRect, angle, points, *count);
}
