// Connector routing: side codes, default routes and the route families with
// their 60-unit thresholds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "lines/connector_route.h"
#include "common/rect_handle_point.h"

namespace {

SegLineRoute NewRoute(int startSide, int endSide)
{
    SegLineRoute route = {};
    route.startSide = startSide;
    route.endSide = endSide;
    FillRouteLengths(&route);
    return route;
}

// Every segment axis-parallel and ordered; consecutive ones share an end and
// turn at a right angle; the route starts at `from` and ends at `to`.
void ExpectRightAngleRoute(const SegLineRoute& route, POINT from, POINT to)
{
    int n = RouteCount(&route);
    ASSERT_GE(n, 1);
    for (int i = 0; i < n; ++i) {
        const RouteSegment& s = route.segments[i];
        EXPECT_TRUE(s.x0 == s.x1 || s.y0 == s.y1) << "segment " << i;
        EXPECT_LE(s.x0, s.x1);
        EXPECT_LE(s.y0, s.y1);
        if (i > 0) {
            const RouteSegment& p = route.segments[i - 1];
            EXPECT_NE(IsHorizontalSegment(p), IsHorizontalSegment(s)) << "segment " << i;
            bool touch = (p.x0 == s.x0 && p.y0 == s.y0) || (p.x0 == s.x1 && p.y0 == s.y1) ||
                         (p.x1 == s.x0 && p.y1 == s.y0) || (p.x1 == s.x1 && p.y1 == s.y1);
            EXPECT_TRUE(touch) << "segment " << i;
        }
    }
    POINT start;
    POINT last;
    GetRouteEndPoint(&route, 0, &start);
    GetRouteEndPoint(&route, kMaxRouteSegments, &last);
    EXPECT_EQ(from.x, start.x);
    EXPECT_EQ(from.y, start.y);
    EXPECT_EQ(to.x, last.x);
    EXPECT_EQ(to.y, last.y);
}

struct RouteCase {
    const char* name;
    int startSide;
    int endSide;
    POINT q;        // the moving end; the fixed start is (1000, 1000)
    int segments;
};

TEST(ConnectorRoutes, FamiliesChangeAtTheSixtyUnitThresholds)
{
    const RouteCase cases[] = {
        // top to bottom, Q straight above: 61 up faces, 60 up does not
        {"facing straight", 5, 6, {1000, 939}, 1},
        {"facing at 60", 5, 6, {1000, 940}, 5},
        {"Z route", 5, 6, {1300, 800}, 3},
        // same side: 60 across and 60 along apart takes a detour
        {"U behind at 60", 5, 5, {1060, 1100}, 5},
        {"U at 61", 5, 5, {1061, 1100}, 3},
        {"U side by side", 5, 5, {1500, 1000}, 3},
        // perpendicular: 61 both ways is an L, 60 either way is four
        {"L", 5, 7, {1061, 939}, 2},
        {"four across 60", 5, 7, {1060, 939}, 4},
        {"four along 60", 5, 7, {1061, 940}, 4},
        {"right to left facing", 8, 7, {2000, 1000}, 1},
        {"right to left Z", 8, 7, {2000, 1400}, 3},
        {"left to right behind", 7, 8, {2000, 1400}, 5},
        {"bottom to right", 6, 8, {1500, 1600}, 4},
    };
    for (const RouteCase& c : cases) {
        SCOPED_TRACE(c.name);
        SegLineRoute route = NewRoute(c.startSide, c.endSide);
        POINT p = {1000, 1000};
        RouteSegLine(&route, 0, 0, c.q.x, c.q.y, &p, 1);
        EXPECT_EQ(c.segments, route.count);
        bool swapped = c.q.x < p.x || (c.q.x == p.x && c.q.y < p.y);
        ExpectRightAngleRoute(route, swapped ? c.q : p, swapped ? p : c.q);
    }
}

TEST(ConnectorRoutes, RoutingFromTheRightExchangesTheEnds)
{
    SegLineRoute route = NewRoute(8, 7);
    POINT p = {2000, 1000};
    RouteSegLine(&route, 0, 0, 1000, 1200, &p, 1);
    // The stored start is now the left end, with the side it had as the end.
    EXPECT_EQ(7, route.startSide);
    EXPECT_EQ(8, route.endSide);
    ExpectRightAngleRoute(route, {1000, 1200}, {2000, 1000});
}

TEST(ConnectorRoutes, StubLengthsHoldTheLegsOut)
{
    SegLineRoute route = NewRoute(8, 7);
    route.lengths[0] = 120;
    POINT p = {1000, 1000};
    RouteSegLine(&route, 0, 0, 2000, 1400, &p, 1);
    ASSERT_EQ(3, route.count);
    // The first leg runs out the stored stub before turning.
    EXPECT_EQ(1000, route.segments[0].x0);
    EXPECT_EQ(1120, route.segments[0].x1);
}

TEST(ConnectorRoutes, RoutesNeverLeaveTheCoordinateRange)
{
    SegLineRoute route = NewRoute(5, 5);
    POINT p = {10, 10};
    RouteSegLine(&route, 0, 0, 40, 200, &p, 1);
    for (int i = 0; i < route.count; ++i) {
        EXPECT_GE(route.segments[i].x0, 0);
        EXPECT_GE(route.segments[i].y0, 0);
    }
}

TEST(ConnectorRoutes, BothSidesUnsetLeaveTheRouteAsItWas)
{
    SegLineRoute route = NewRoute(0, 0);
    MakeDefaultRoute(&route, 12, 400, 300, 1, 0, 0);
    SegLineRoute before = route;
    POINT p = {0, 0};
    RouteSegLine(&route, 0, 0, 400, 300, &p, 1);
    EXPECT_EQ(0, std::memcmp(&before, &route, sizeof(route)));
}

TEST(ConnectorRoutes, SideCodesAndOpposites)
{
    EXPECT_EQ(7, HookSideOfPoint(300, 300));
    EXPECT_EQ(8, HookSideOfPoint(301, 300));
    EXPECT_EQ(5, HookSideOfPoint(300, 10));
    EXPECT_EQ(6, HookSideOfPoint(200, 590));
    EXPECT_EQ(1, GetOppositeSide(0));
    EXPECT_EQ(1, GetOppositeSide(4));
    EXPECT_EQ(4, GetOppositeSide(1));
    EXPECT_EQ(8, GetOppositeSide(7));
}

TEST(ConnectorRoutes, DefaultRoutes)
{
    SegLineRoute route = NewRoute(0, 0);
    for (int i = 0; i < kMaxRouteSegments; ++i)
        EXPECT_EQ(300, route.lengths[i]);
    MakeDefaultRoute(&route, 12, 400, 20, 1, 0, 0);
    ASSERT_EQ(1, route.count);
    EXPECT_TRUE(IsHorizontalSegment(route.segments[0]));
    EXPECT_EQ(400, route.segments[0].x1);

    MakeDefaultRoute(&route, 12, 400, 300, 1, 0, 0);
    ASSERT_EQ(3, route.count);
    EXPECT_EQ(200, route.segments[1].x0);   // the middle leg at half the width
    ExpectRightAngleRoute(route, {0, 0}, {400, 300});

    MakeDefaultRoute(&route, 12, 400, 300, 4, 0, 1);
    ASSERT_EQ(2, route.count);   // arc corners: one quarter arc
}
} // namespace
