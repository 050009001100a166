// Rotating, mirroring and measuring points.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "objects/point_transforms.h"
#include "objects/shape_outlines.h"

namespace {

TEST(RotatePoints, QuarterTurnsAboutTheOrigin)
{
    POINT p = {100, 0};
    EXPECT_EQ(1, RotatePoints(nullptr, 900, &p, 1));
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(-100, p.y);
    p = {100, 0};
    RotatePoints(nullptr, -900, &p, 1);
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(100, p.y);
}

TEST(RotatePoints, TurnsAboutTheRectangleCentreWithTruncatedHalves)
{
    // Centre of (0, 0, 201, 101) is (100, 50).
    RECT rect = {0, 0, 201, 101};
    POINT p = {200, 50};
    RotatePointsCopy(&rect, 900, &p, 1);
    EXPECT_EQ(100, p.x);
    EXPECT_EQ(-50, p.y);
}

TEST(RotatePoints, ZeroAngleChangesNothing)
{
    RECT rect = {10, 10, 500, 300};
    POINT points[3] = {{-40, 7}, {500, 300}, {32000, 12}};
    RotatePoints(&rect, 0, points, 3);
    EXPECT_EQ(-40, points[0].x);
    EXPECT_EQ(7, points[0].y);
    EXPECT_EQ(32000, points[2].x);
}

TEST(ComputeAngleBetween, SignedSoThatRotatingPBringsItOntoQ)
{
    EXPECT_EQ(-900, ComputeAngleBetween(0, 0, 100, 0, 0, 100));
    EXPECT_EQ(900, ComputeAngleBetween(0, 0, 0, 100, 100, 0));
    POINT p = {100, 0};
    RotatePoints(nullptr, ComputeAngleBetween(0, 0, 100, 0, 0, 100), &p, 1);
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(100, p.y);
}

TEST(ComputeAngleBetween, ZeroLengthGivesZero)
{
    EXPECT_EQ(0, ComputeAngleBetween(5, 5, 5, 5, 100, 0));
    EXPECT_EQ(0, ComputeAngleBetween(5, 5, 100, 0, 5, 5));
}

TEST(ComputeAngleBetween, OppositeDirectionsAreAHalfTurn)
{
    EXPECT_EQ(1800, ComputeAngleBetween(0, 0, 100, 0, -100, 0));
}

// The cosine of three collinear points, computed as the angle formula does.
double CollinearCosine(int px, int py, int qx, int qy)
{
    double r1 = std::sqrt(static_cast<double>(qx) * qx + static_cast<double>(qy) * qy);
    double r2 = std::sqrt(static_cast<double>(px) * px + static_cast<double>(py) * py);
    double dx = px - qx;
    double dy = py - qy;
    double r3 = std::sqrt(dx * dx + dy * dy);
    return (r2 * r2 + r1 * r1 - r3 * r3) / (2 * r2 * r1);
}

TEST(ComputeAngleBetween, CollinearPointsDoNotProduceNotANumber)
{
    // Rounding pushes the cosine of some collinear triples past 1; the angle
    // must still come out as 0 (same direction).
    int overflows = 0;
    for (int a = 1; a <= 40; ++a) {
        for (int b = 1; b <= 40; ++b) {
            for (int k = 2; k <= 7; ++k) {
                if (CollinearCosine(a, b, a * k, b * k) > 1.0)
                    ++overflows;
                EXPECT_EQ(0, ComputeAngleBetween(0, 0, a, b, a * k, b * k)) << a << "," << b << " x" << k;
            }
        }
    }
    EXPECT_GT(overflows, 0) << "no triple exercises the clamp";
}

TEST(SnapRotationAngle, FifteenDegreeSteps)
{
    struct Row {
        int angle;
        int snapped;
    };
    const std::vector<Row> rows = {{74, 0},      {75, 150},    {-75, -150}, {-74, 0},
                                   {1724, 1650}, {1725, 1800}, {0, 0},      {-3600, -3600}};
    for (const Row& row : rows)
        EXPECT_EQ(row.snapped, SnapRotationAngle(row.angle)) << row.angle;
}

TEST(FlipPoints, MirrorsInsideTheRectangle)
{
    RECT rect = {0, 0, 100, 50};
    POINT p = {10, 5};
    FlipPoints(&rect, 0x08, &p, 1);
    EXPECT_EQ(90, p.x);
    EXPECT_EQ(5, p.y);
    FlipPoints(&rect, 0x10, &p, 1);
    EXPECT_EQ(90, p.x);
    EXPECT_EQ(45, p.y);
    FlipPoints(&rect, 0x18, &p, 1);
    EXPECT_EQ(10, p.x);
    EXPECT_EQ(5, p.y);
    FlipPoints(&rect, 0x20, &p, 1);
    EXPECT_EQ(10, p.x);
}

TEST(FlipPoints, PointsFarOutsideTheRectangleDoNotWrapAround)
{
    struct Case {
        const char* name;
        RECT rect;
        POINT point;
        POINT mirrored;
    };
    const Case cases[] = {
        {"large rectangle, point far left", {0, 0, LONG_MAX, LONG_MAX}, {-10, -10}, {LONG_MAX, LONG_MAX}},
        {"negative rectangle, point far right", {LONG_MIN, LONG_MIN, -1, -1}, {10, 10}, {LONG_MIN, LONG_MIN}},
        {"ordinary rectangle, extreme point", {100, 100, 300, 300}, {LONG_MIN, LONG_MAX}, {LONG_MAX, LONG_MIN + 401}},
    };
    for (const Case& c : cases) {
        POINT p = c.point;
        FlipPoints(&c.rect, 0x18, &p, 1);
        EXPECT_EQ(c.mirrored.x, p.x) << c.name;
        EXPECT_EQ(c.mirrored.y, p.y) << c.name;
    }
}

TEST(GetPointsBounds, StartsFromTheCoordinateLimits)
{
    RECT box;
    GetPointsBounds(&box, nullptr, 0);
    EXPECT_EQ(32767, box.left);
    EXPECT_EQ(32767, box.top);
    EXPECT_EQ(0, box.right);
    EXPECT_EQ(0, box.bottom);
    POINT points[3] = {{300, 40}, {120, 900}, {700, 500}};
    GetPointsBounds(&box, points, 3);
    EXPECT_EQ(120, box.left);
    EXPECT_EQ(40, box.top);
    EXPECT_EQ(700, box.right);
    EXPECT_EQ(900, box.bottom);
}

TEST(BuildTransformedShapeOutline, MirrorsBeforeTurning)
{
    RECT frame = {0, 0, 1200, 600};
    POINT points[kOutlineBufferPoints];
    int count = 0;
    // The right arrow's tip mirrored lies on the left edge.
    BuildTransformedShapeOutline(&frame, &frame, 0.25, 10, 0, nullptr, points, &count, 0x08);
    ASSERT_EQ(8, count);
    EXPECT_EQ(0, points[3].x);
    EXPECT_EQ(300, points[3].y);
    // Turned a quarter about the centre (600, 300) the tip points up.
    BuildTransformedShapeOutline(&frame, &frame, 0.25, 10, 900, nullptr, points, &count, 0);
    EXPECT_EQ(600, points[3].x);
    EXPECT_EQ(-300, points[3].y);
}

} // namespace
