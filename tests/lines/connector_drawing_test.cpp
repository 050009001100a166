// Connectors in a drawing: creation between shapes, following a moved
// shape, kind messages, hit tests, reshaping and length labels.
#include <gtest/gtest.h>

#include <cstring>

#include "lines/connector_create.h"
#include "lines/connector_handles.h"
#include "lines/connector_route.h"
#include "lines/connector_text.h"
#include "objects/drawing_fixture.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/linked_objects.h"
#include "objects/move_objects.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "objects/object_offset.h"
#include "store/record_store.h"
#include "objects/text_block.h"

namespace {

class ConnectorDrawing : public DrawingFixture {
protected:
    SegLineRoute Route(int index)
    {
        RouteRecord record;
        SegLineRoute copy = {};
        if (record.Find(Drawing(), Object(index)) == kErrNone)
            copy = *record.Get();
        return copy;
    }
    POINT RouteEnd(int index, int which)
    {
        SegLineRoute route = Route(index);
        POINT p;
        GetRouteEndPoint(&route, which, &p);
        return {p.x + Object(index)->inner.left, p.y + Object(index)->inner.top};
    }
    int32_t Send(int index, int message, INT_PTR a = 0, INT_PTR b = 0, INT_PTR c = 0)
    {
        return CallObjectKind(nullptr, Drawing(), Objects(), index, message, a, b, c);
    }
    // A free connector drawn in a box.
    int FreeConnector(RECT frame, int cornerStyle = 0)
    {
        EXPECT_EQ(0, CreateObject(view_, kKindConnector, &frame, cornerStyle, 1, 0, 0, 0, 0, 0));
        return Count() - 1;
    }
    void ExpectRightAngles(int index)
    {
        SegLineRoute route = Route(index);
        ASSERT_GE(route.count, 1);
        ASSERT_LE(route.count, 5);
        for (int i = 0; i < route.count; ++i) {
            const RouteSegment& s = route.segments[i];
            EXPECT_TRUE(s.x0 == s.x1 || s.y0 == s.y1);
            if (i > 0) {
                EXPECT_NE(IsHorizontalSegment(route.segments[i - 1]), IsHorizontalSegment(s));
            }
        }
    }
};

TEST_F(ConnectorDrawing, ConnectorFollowsAMovedShape)
{
    ASSERT_EQ(0, Create({1000, 1000, 1600, 1300}));
    ASSERT_EQ(0, Create({3000, 2000, 3600, 2300}));
    int connector = -1;
    ConnectorEnd from = {0, {600, 300}, {0, 0}};
    ConnectorEnd to = {1, {0, 300}, {0, 0}};
    ASSERT_EQ(0, CreateConnector(view_, from, to, 0, 0, &connector));
    ASSERT_EQ(2, connector);
    EXPECT_EQ(2, Object(connector)->linkCount);
    SegLineRoute route = Route(connector);
    EXPECT_EQ(kSideRight, route.startSide);
    EXPECT_EQ(kSideLeft, route.endSide);
    EXPECT_EQ(3, route.count);   // a Z between facing sides
    POINT start = RouteEnd(connector, 0);
    POINT last = RouteEnd(connector, kMaxRouteSegments);
    EXPECT_EQ(1600, start.x);
    EXPECT_EQ(1150, start.y);
    EXPECT_EQ(3000, last.x);
    EXPECT_EQ(2150, last.y);
    ExpectRightAngles(connector);

    HGLOBAL list = nullptr;
    ASSERT_EQ(0, GatherLinkedObjects(Drawing(), 1, &list, kGatherAlone, nullptr));
    ASSERT_EQ(0, MoveObjects(view_, 1000, 500, list, 0));
    FreeLinkedObjects(list, Objects());

    start = RouteEnd(connector, 0);
    last = RouteEnd(connector, kMaxRouteSegments);
    EXPECT_EQ(1600, start.x);
    EXPECT_EQ(1150, start.y);
    EXPECT_EQ(4000, last.x);
    EXPECT_EQ(2650, last.y);
    ExpectRightAngles(connector);
    route = Route(connector);
    EXPECT_EQ(kSideRight, route.startSide);
    EXPECT_EQ(kSideLeft, route.endSide);

    // Moved behind the first shape: the route detours round it.
    list = nullptr;
    ASSERT_EQ(0, GatherLinkedObjects(Drawing(), 1, &list, kGatherAlone, nullptr));
    ASSERT_EQ(0, MoveObjects(view_, -3700, 0, list, 0));
    FreeLinkedObjects(list, Objects());
    ExpectRightAngles(connector);
    POINT a = {1600, 1150};
    POINT b = {Object(1)->frame.left, 2650};
    POINT s = RouteEnd(connector, 0);
    POINT e = RouteEnd(connector, kMaxRouteSegments);
    bool joined = (s.x == a.x && s.y == a.y && e.x == b.x && e.y == b.y) ||
                  (s.x == b.x && s.y == b.y && e.x == a.x && e.y == a.y);
    EXPECT_TRUE(joined) << s.x << "," << s.y << " " << e.x << "," << e.y;
    EXPECT_EQ(5, Route(connector).count);
}

TEST_F(ConnectorDrawing, HitTestsAndHandles)
{
    int index = FreeConnector({1000, 1000, 2000, 1600});
    SegLineRoute route = Route(index);
    ASSERT_EQ(3, route.count);
    // The middle leg of the default route is vertical at half the width.
    int x = 1500;
    POINT left = {x - 30, 1300};
    EXPECT_EQ(40, Send(index, kMsgHitTest, 0, 0, reinterpret_cast<INT_PTR>(&left)));
    POINT right = {x + 30, 1300};
    EXPECT_EQ(0, Send(index, kMsgHitTest, 0, 0, reinterpret_cast<INT_PTR>(&right)));
    // Unselected: no handle codes; selected and free: only the ends.
    POINT startPoint = RouteEnd(index, 0);
    EXPECT_EQ(40, Send(index, kMsgHitTest, 0, 0, reinterpret_cast<INT_PTR>(&startPoint)));
    Object(index)->stateFlags |= kStateSelected;
    EXPECT_EQ(28, Send(index, kMsgHitTest, 0, 0, reinterpret_cast<INT_PTR>(&startPoint)));
    POINT middle = {x, 1300};
    EXPECT_EQ(40, Send(index, kMsgHitTest, 0, 0, reinterpret_cast<INT_PTR>(&middle)));
}

TEST_F(ConnectorDrawing, RotationIsRefusedAndGroupsKeepArrowheads)
{
    int index = FreeConnector({1000, 1000, 2000, 1600});
    TransformRefused = 0;
    RECT before = Object(index)->frame;
    Send(index, kMsgSetRotation, 450);
    EXPECT_EQ(1, TransformRefused);
    EXPECT_TRUE(EqualRect(&before, &Object(index)->frame));
    Object(index)->groupIndex = 0;
    int32_t arrows[3] = {1, 1, 1};
    Send(index, kMsgArrowheads, 0, 0, reinterpret_cast<INT_PTR>(arrows));
    EXPECT_EQ(0, Object(index)->startArrow);
    EXPECT_EQ(2625, Send(index, kMsgCommandBits));
    Object(index)->groupIndex = -1;
    Object(index)->lineWidth = 24;
    int32_t style[2] = {0, 3};
    Send(index, kMsgSetLineStyle, 0, 0, reinterpret_cast<INT_PTR>(style));
    EXPECT_EQ(1, Object(index)->lineWidth);
    EXPECT_EQ(1, Drawing()->lineWidth);
}

TEST_F(ConnectorDrawing, MiddleHandleDragKeepsTheSixtyUnitStub)
{
    ASSERT_EQ(0, Create({1000, 1000, 1600, 1300}));
    ASSERT_EQ(0, Create({3000, 2000, 3600, 2300}));
    int index = -1;
    ASSERT_EQ(0, CreateConnector(view_, {0, {600, 300}, {0, 0}}, {1, {0, 300}, {0, 0}}, 0, 0, &index));
    POINT handle;
    RECT segment;
    int which = 0;
    ASSERT_EQ(0, GetSegLineHandlePoint(Drawing(), Objects(), index, 50, &handle, &segment, &which));
    EXPECT_EQ(1, which);
    // Dragged back past the shape: the stub stays 60 long.
    POINT drop = {1000, handle.y};
    ASSERT_EQ(0, Send(index, kMsgSetAdjustFromHandle, 50, 0, reinterpret_cast<INT_PTR>(&drop)));
    SegLineRoute route = Route(index);
    EXPECT_EQ(60, route.lengths[0]);
    EXPECT_EQ(1660, route.segments[1].x0 + Object(index)->inner.left);
    ExpectRightAngles(index);
    EXPECT_EQ(1, GetSegLineHandlePoint(Drawing(), Objects(), index, 51, &handle, nullptr, nullptr));
}

TEST_F(ConnectorDrawing, TextPointsAndAngles)
{
    int index = FreeConnector({1000, 1000, 1199, 1600});
    RouteRecord record;
    ASSERT_EQ(0, record.Find(Drawing(), Object(index)));
    SegLineRoute* route = record.Get();
    // Three segments with a horizontal middle 199 wide: text turned 900.
    route->count = 3;
    route->segments[0] = {0, 0, 0, 300};
    route->segments[1] = {0, 300, 199, 300};
    route->segments[2] = {199, 300, 199, 600};
    POINT point;
    int angle = -1;
    GetSegLineTextPoint(Object(index), route, &point, &angle);
    EXPECT_EQ(900, angle);
    EXPECT_EQ(Object(index)->inner.left + 99, point.x);
    route->segments[1].x1 = 200;
    route->segments[2] = {200, 300, 200, 600};
    GetSegLineTextPoint(Object(index), route, &point, &angle);
    EXPECT_EQ(0, angle);
    record.Release();
    int untouched = 1234;
    Send(index, kMsgLineAngle, 0, 209, reinterpret_cast<INT_PTR>(&untouched));
    EXPECT_EQ(1234, untouched);
}

TEST_F(ConnectorDrawing, LengthLabelIsWrittenIntoTheText)
{
    int32_t inches = 1;
    std::memcpy(Drawing()->rulerScale + 28, &inches, sizeof(inches));
    RECT frame = {1000, 1000, 1900, 1000};
    ASSERT_EQ(0, CreateObject(view_, kKindLine, &frame, 0, 1, 0, 0, 0, 0, 0));
    int index = Count() - 1;
    int32_t on[2] = {1, 0};
    ASSERT_EQ(0, Send(index, kMsgShowLength, 0, 0, reinterpret_cast<INT_PTR>(on)));
    EXPECT_TRUE(Object(index)->textRoleFlags & 0x40);
    ASSERT_GE(Object(index)->textRecordId, 0);
    auto text = [&]() {
        RecordHandle record = nullptr;
        EXPECT_EQ(0, FindRecord(store_, kTextGroup, static_cast<short>(Object(index)->textRecordId), &record));
        const auto* bytes = static_cast<const unsigned char*>(GlobalLock(record));
        const auto* h = reinterpret_cast<const TextBlockHeader*>(bytes + 16);
        std::string result(reinterpret_cast<const char*>(bytes + 16 + TextBlockTextOffset(*h)),
                           static_cast<size_t>(h->textLength));
        GlobalUnlock(record);
        ReleaseRecord(record);
        return result;
    };
    EXPECT_EQ("1.5\"", text());
    // Growing the line rewrites the number.
    RECT longer = {1000, 1000, 2200, 1000};
    Send(index, kMsgResizeToRect, 0, 0, reinterpret_cast<INT_PTR>(&longer));
    EXPECT_EQ("2.0\"", text());
    int32_t off[2] = {0, 1};
    Send(index, kMsgShowLength, 0, 0, reinterpret_cast<INT_PTR>(off));
    EXPECT_FALSE(Object(index)->textRoleFlags & 0x40);
    EXPECT_EQ("2.0\"", text());
}
} // namespace
