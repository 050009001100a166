// Lines and connectors as the mouse sees them: XOR feedback that erases
// itself, middle markers drawn on a connector's middle segment, and straight
// lines turned with the group that holds them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "lines/connector_create.h"
#include "lines/connector_route.h"
#include "objects/drawing_fixture.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "objects/paint_drawing.h"
#include "objects/point_transforms.h"
#include "objects/view_record.h"
#include "support/paint_canvas.h"

namespace {

const int kScale = 10;   // drawing units per pixel
const int kSide = 600;   // canvas pixels

// A canvas showing drawing units at 1/kScale, over a pattern when the
// figures drawn on it are inverted.
struct Canvas : PaintCanvas {
    explicit Canvas(bool pattern) : PaintCanvas(kSide, kSide, pattern) { ScaleDown(kScale); }
};

INT_PTR Pack(int x, int y)
{
    return static_cast<INT_PTR>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                                static_cast<uint16_t>(x));
}

class LineFeedback : public DrawingFixture {
protected:
    int Line(RECT frame, int direction)
    {
        EXPECT_EQ(0, CreateObject(view_, kKindLine, &frame, direction, 1, 0, 0, 1, 0, 0));
        return Count() - 1;
    }
    int Box(int x, int y)
    {
        EXPECT_EQ(0, Create({x, y, x + 500, y + 300}, 2, 0, 1));
        return Count() - 1;
    }
    int32_t Send(HDC dc, int index, int message, INT_PTR a = 0, INT_PTR b = 0, INT_PTR c = 0)
    {
        return CallObjectKind(dc, Drawing(), Objects(), index, message, a, b, c);
    }
    // Draws once (the picture must change) and again (it must come back).
    void ExpectErasedWhenDrawnTwice(const char* name, const std::function<void(HDC)>& draw)
    {
        Canvas canvas(true);
        std::vector<uint32_t> before = canvas.Pixels();
        draw(canvas.Dc());
        EXPECT_NE(before, canvas.Pixels()) << name << ": the first drawing shows nothing";
        draw(canvas.Dc());
        EXPECT_EQ(before, canvas.Pixels()) << name << ": the second drawing does not erase the first";
    }
    // The drawing painted on white.
    std::vector<uint32_t> Paint()
    {
        Canvas canvas(false);
        PaintDrawingObjects(canvas.Dc(), GetViewDrawingHandle(ViewRecord()), nullptr, 0, 0, 0, 0);
        return canvas.Pixels();
    }
};

TEST_F(LineFeedback, EveryFeedbackFigureErasesItself)
{
    int straight = Line({1000, 1000, 3000, 2000}, 1);
    int a = Box(1000, 3000);
    int b = Box(3500, 4000);
    int connector = -1;
    ASSERT_EQ(0, CreateConnector(view_, {a, {600, 300}, {0, 0}}, {b, {0, 300}, {0, 0}}, 0, 1, &connector));
    int arced = -1;
    int c = Box(1000, 5000);
    ASSERT_EQ(0, CreateConnector(view_, {b, {300, 600}, {0, 0}}, {c, {600, 300}, {0, 0}}, 1, 1, &arced));
    RECT lineFrame = Object(straight)->frame;
    RECT shifted = lineFrame;
    OffsetRect(&shifted, 400, 300);
    POINT moveTo = {Object(connector)->frame.left + 300, Object(connector)->frame.top + 200};

    struct Row {
        const char* name;
        std::function<void(HDC)> draw;
    };
    const Row rows[] = {
        {"line end dragged", [&](HDC dc) { Send(dc, straight, kMsgHandleFeedback, 0, Pack(3600, 2600), reinterpret_cast<INT_PTR>(&lineFrame)); }},
        {"new line", [&](HDC dc) { CallKind(kKindLine, dc, Drawing(), Objects(), -1, kMsgNewObjectFeedback, 0, Pack(2500, 1800), reinterpret_cast<INT_PTR>(&lineFrame)); }},
        {"line moved", [&](HDC dc) { Send(dc, straight, kMsgMoveFeedback, 0, 0, reinterpret_cast<INT_PTR>(&shifted)); }},
        {"line turned", [&](HDC dc) { Send(dc, straight, kMsgRotateFeedback, 0, Pack(2600, 3200), reinterpret_cast<INT_PTR>(&lineFrame)); }},
        {"connector end dragged", [&](HDC dc) {
             RECT frame = Object(connector)->frame;
             Send(dc, connector, kMsgHandleFeedback, 0, Pack(frame.right + 500, frame.bottom + 400), reinterpret_cast<INT_PTR>(&frame));
         }},
        {"new connector", [&](HDC dc) {
             RECT frame = {1200, 1200, 3900, 2700};
             CallKind(kKindConnector, dc, Drawing(), Objects(), -1, kMsgNewObjectFeedback, 0, Pack(3900, 2700), reinterpret_cast<INT_PTR>(&frame));
         }},
        {"connector moved", [&](HDC dc) { Send(dc, connector, kMsgMoveFeedback, 0, 0, reinterpret_cast<INT_PTR>(&moveTo)); }},
        {"arc connector moved", [&](HDC dc) {
             POINT to = {Object(arced)->frame.left + 250, Object(arced)->frame.top - 150};
             Send(dc, arced, kMsgMoveFeedback, 0, 0, reinterpret_cast<INT_PTR>(&to));
         }},
    };
    for (const Row& row : rows)
        ExpectErasedWhenDrawnTwice(row.name, row.draw);
}

TEST_F(LineFeedback, MiddleMarkerSitsOnTheConnectorsMiddleSegment)
{
    // A Z connector: its second segment is the middle one.
    int a = Box(1000, 1000);
    int b = Box(3600, 2600);
    int connector = -1;
    ASSERT_EQ(0, CreateConnector(view_, {a, {600, 300}, {0, 0}}, {b, {0, 300}, {0, 0}}, 0, 1, &connector));
    RouteRecord record;
    ASSERT_EQ(0, record.Find(Drawing(), Object(connector)));
    SegLineRoute route = *record.Get();
    ASSERT_EQ(3, route.count);
    RECT inner = Object(connector)->inner;
    const RouteSegment& middle = route.segments[1];
    POINT centre = {inner.left + (middle.x0 + middle.x1) / 2, inner.top + (middle.y0 + middle.y1) / 2};

    std::vector<uint32_t> plain = Paint();
    int32_t arrows[3] = {18, 1, 0};   // a middle marker as the start kind
    Send(nullptr, connector, kMsgArrowheads, 0, 0, reinterpret_cast<INT_PTR>(arrows));
    std::vector<uint32_t> marked = Paint();

    // Every changed pixel lies close to the middle segment's centre: nothing
    // at either end.
    int changed = 0;
    int distant = 0;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            size_t i = static_cast<size_t>(y) * kSide + x;
            if (plain[i] == marked[i])
                continue;
            ++changed;
            if (std::abs(x * kScale - centre.x) > 250 || std::abs(y * kScale - centre.y) > 250)
                ++distant;
        }
    EXPECT_GT(changed, 5) << "no marker drawn";
    EXPECT_EQ(0, distant) << "marker drawn away from the middle segment";
}

TEST_F(LineFeedback, StraightLineTurnsWithItsGroup)
{
    int box = Box(2000, 2000);
    int line = Line({2000, 2600, 3600, 2600}, 0);   // horizontal, under the box
    SetTableCount(kTableGroups, 1);
    GroupEntry* entry = GroupEntryAt(Groups(), 0);
    std::memset(entry, 0, sizeof(*entry));
    entry->key = 2;
    for (int i : {box, line}) {
        DrawingObject* member = Object(i);
        member->groupKey = 2;
        member->groupIndex = 0;
        member->referenceFrame = member->frame;
        member->groupingRotation = member->rotation;
    }
    RecalcGroupRect(Drawing(), 0, nullptr);
    RECT group = GroupEntryAt(Groups(), 0)->frame;
    POINT centre = {(group.left + group.right) / 2, (group.top + group.bottom) / 2};
    // The rotation handle carried a quarter turn round the centre.
    POINT target = {group.right, centre.y};
    RotatePoints(&group, 900, &target, 1);
    ASSERT_EQ(0, RotateGroup(ViewRecord(), 0, 8, target.x, target.y, 0));
    EXPECT_EQ(900, GroupEntryAt(Groups(), 0)->rotation);
    EXPECT_NEAR(900, Object(box)->rotation, 2);
    RECT frame = Object(line)->frame;
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    // The 1600-long horizontal line now stands upright, still 1600 long.
    EXPECT_LT(width, 60) << "line did not turn";
    EXPECT_NEAR(1600, height, 60);
    // And it still lies inside the turned group's bounds.
    RECT turned = GroupEntryAt(Groups(), 0)->frame;
    RECT both;
    EXPECT_TRUE(IntersectRect(&both, &turned, &frame));
}

} // namespace
