// Elliptic arcs as point lists: on the ellipse, counter-clockwise on the
// screen from the start to the end, closed for chords and pies, and never
// more points than the buffer the callers give.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "objects/arc_polyline.h"

namespace {

const double kPi = 3.14159265358979;

struct Ellipse {
    double cx, cy, rx, ry;
};

Ellipse EllipseOf(const RECT& r)
{
    int rx = (r.right - r.left) / 2, ry = (r.bottom - r.top) / 2;
    return {static_cast<double>(r.left + rx), static_cast<double>(r.top + ry), static_cast<double>(rx),
            static_cast<double>(ry)};
}

// The angle of a point seen from the centre, counter-clockwise on the screen.
double AngleOf(const Ellipse& e, POINT p)
{
    return std::atan2(-(p.y - e.cy) / e.ry, (p.x - e.cx) / e.rx);
}

std::vector<POINT> Arc(const RECT& rect, POINT start, POINT end, int kind, int n)
{
    std::vector<POINT> points(ArcPolylineCapacity(n) + 16, POINT{-99999, -99999});
    int count = 0;
    ArcToPolyline(&rect, start.x, start.y, end.x, end.y, kind, n, points.data(), &count);
    // Nothing past the capacity is ever written.
    for (size_t i = ArcPolylineCapacity(n); i < points.size(); ++i)
        EXPECT_EQ(-99999, points[i].x);
    EXPECT_LE(count, ArcPolylineCapacity(n));
    points.resize(count);
    return points;
}

// The angle swept from the first to the last point, each step taken forward.
double Sweep(const Ellipse& e, const std::vector<POINT>& points)
{
    double total = 0.0;
    for (size_t i = 1; i < points.size(); ++i) {
        double step = AngleOf(e, points[i]) - AngleOf(e, points[i - 1]);
        while (step < -kPi)
            step += 2 * kPi;
        while (step > kPi)
            step -= 2 * kPi;
        EXPECT_GT(step, -0.05) << "point " << i << " turns back";
        total += step;
    }
    return total;
}

TEST(ArcToPolyline, ArcsRunCounterClockwiseFromStartToEndOnTheEllipse)
{
    struct Row {
        const char* name;
        RECT rect;
        POINT start, end;
        double sweepDegrees;
    };
    const std::vector<Row> rows = {
        {"quarter, right to top", {0, 0, 400, 200}, {400, 100}, {200, 0}, 90},
        {"half, top to bottom through the left", {0, 0, 400, 200}, {200, 0}, {200, 200}, 180},
        {"three quarters from the left", {0, 0, 400, 200}, {0, 100}, {200, 0}, 270},
        {"taller than wide", {100, 100, 300, 700}, {300, 400}, {100, 400}, 180},
        {"inside one quadrant", {0, 0, 400, 400}, {400, 190}, {210, 0}, -1},
        {"end just before the start goes round", {0, 0, 400, 400}, {210, 0}, {400, 190}, -1},
        {"the same point is the whole ellipse", {0, 0, 400, 200}, {400, 100}, {400, 100}, 360},
        {"points off the ellipse are projected", {0, 0, 400, 200}, {900, 100}, {200, -500}, 90},
        {"rectangle given upside down", {400, 200, 0, 0}, {400, 100}, {200, 0}, 90},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RECT ordered = {std::min(row.rect.left, row.rect.right), std::min(row.rect.top, row.rect.bottom),
                        std::max(row.rect.left, row.rect.right), std::max(row.rect.top, row.rect.bottom)};
        Ellipse e = EllipseOf(ordered);
        std::vector<POINT> points = Arc(row.rect, row.start, row.end, kArcOpen, 50);
        ASSERT_GE(points.size(), 2u);
        for (const POINT& p : points) {
            double u = (p.x - e.cx) / e.rx, v = (p.y - e.cy) / e.ry;
            EXPECT_NEAR(1.0, std::sqrt(u * u + v * v), 0.02) << p.x << "," << p.y;
        }
        double sweep = Sweep(e, points) * 180.0 / kPi;
        if (row.sweepDegrees > 0) {
            EXPECT_NEAR(row.sweepDegrees, sweep, 2.0);
        }
        double startAngle = AngleOf(e, row.start);
        double firstAngle = AngleOf(e, points.front());
        double gap = std::remainder(firstAngle - startAngle, 2 * kPi);
        EXPECT_NEAR(0.0, gap, 0.05);
    }
    // An end a little before the start is reached only after going round.
    Ellipse circle = EllipseOf({0, 0, 400, 400});
    double small = Sweep(circle, Arc({0, 0, 400, 400}, {400, 190}, {210, 0}, kArcOpen, 50));
    double large = Sweep(circle, Arc({0, 0, 400, 400}, {210, 0}, {400, 190}, kArcOpen, 50));
    EXPECT_LT(small, kPi / 2);
    EXPECT_GT(large, 1.5 * kPi);
    EXPECT_NEAR(2 * kPi, small + large, 0.05);
}

TEST(ArcToPolyline, ChordsAndPiesAreClosed)
{
    RECT rect = {0, 0, 400, 200};
    std::vector<POINT> chord = Arc(rect, {400, 100}, {0, 100}, kArcChord, 30);
    ASSERT_GE(chord.size(), 3u);
    EXPECT_EQ(chord.front().x, chord.back().x);
    EXPECT_EQ(chord.front().y, chord.back().y);
    std::vector<POINT> pie = Arc(rect, {400, 100}, {200, 0}, kArcPie, 20);
    ASSERT_GE(pie.size(), 4u);
    EXPECT_EQ(200, pie.front().x);
    EXPECT_EQ(100, pie.front().y);
    EXPECT_EQ(pie.front().x, pie.back().x);
    EXPECT_EQ(pie.front().y, pie.back().y);
}

TEST(ArcToPolyline, NeverWritesPastItsCapacity)
{
    std::mt19937 random(99);
    for (int round = 0; round < 2000; ++round) {
        int n = 2 + static_cast<int>(random() % 60);
        RECT rect = {static_cast<LONG>(random() % 2000) - 1000, static_cast<LONG>(random() % 2000) - 1000,
                     static_cast<LONG>(random() % 2000) - 1000, static_cast<LONG>(random() % 2000) - 1000};
        if (round % 10 == 0)
            rect.right = rect.left;   // no width at all
        POINT start = {static_cast<LONG>(random() % 4000) - 2000, static_cast<LONG>(random() % 4000) - 2000};
        POINT end = {static_cast<LONG>(random() % 4000) - 2000, static_cast<LONG>(random() % 4000) - 2000};
        Arc(rect, start, end, static_cast<int>(random() % 3), n);
    }
}

TEST(ArcToPolyline, PointsAreProjectedAlongTheLineFromTheCentre)
{
    struct Row {
        const char* name;
        POINT in, out;
    };
    const RECT rect = {0, 0, 400, 200};
    const std::vector<Row> rows = {
        {"straight above", {200, -50}, {200, 0}},
        {"straight below", {200, 150}, {200, 200}},
        {"straight left", {-10, 100}, {0, 100}},
        {"straight right", {1000, 100}, {400, 100}},
        {"on the diagonal", {400, 200}, {341, 170}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        POINT p = row.in;
        ProjectOntoEllipse(&p, &rect);
        EXPECT_EQ(row.out.x, p.x);
        EXPECT_EQ(row.out.y, p.y);
    }
}

} // namespace
