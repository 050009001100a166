// Make Shape (lines joined into a freeform shape) and Shape to Line (a shape
// broken into lines).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "drawing_fixture.h"
#include "objects/drawing_tables.h"
#include "objects/freeform_outline.h"
#include "objects/kind_messages.h"
#include "objects/make_shape.h"
#include "objects/object_create.h"
#include "objects/object_delete.h"
#include "objects/object_kind_table.h"
#include "objects/shape_to_line.h"
#include "objects/shape_types.h"
#include "store/record_store.h"

namespace {

class MakeShape : public DrawingFixture {
protected:
    int Line(int x1, int y1, int x2, int y2)
    {
        int direction = y1 == y2 ? 0 : (x1 == x2 ? 2 : 1);
        RECT frame = {x1, y1, x2, y2};
        if (x2 < x1 || y2 < y1) {
            // A line drawn against the chain: start and end from the drag.
            frame = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
        }
        EXPECT_EQ(0, CreateObject(view_, kKindLine, &frame, direction, 1, 0, 0, 1, 0, 0));
        return Count() - 1;
    }
    void SelectAll()
    {
        for (int i = 0; i < Count(); ++i)
            Object(i)->stateFlags |= kStateSelected;
        Drawing()->selectedCount = Count();
        Drawing()->primarySelected = 0;
    }
    void MarkTables()
    {
        for (DrawingTableId table : {kTableObjects, kTableDrawOrder, kTableGroups, kTableLinks})
            EXPECT_EQ(kErrNone, MarkDrawingTableChanged(Drawing(), table));
    }
    ErrorCode DeleteAllForTest()
    {
        if (Count() == 0)
            return kErrNone;
        MarkTables();
        SelectAll();
        return DeleteObjects(Drawing(), 1, -1);
    }
    std::vector<POINT> Outline(int index)
    {
        std::vector<POINT> points;
        RecordHandle record = nullptr;
        if (FindRecord(store_, kFreeformGroup, static_cast<short>(Object(index)->dataFirstId), &record) != kErrNone)
            return points;
        auto* bytes = static_cast<unsigned char*>(GlobalLock(record));
        int n = reinterpret_cast<FreeformHead*>(bytes)->vertexCount;
        for (int i = 0; i < n; ++i)
            points.push_back({FreeformVertexAt(bytes, i)->x, FreeformVertexAt(bytes, i)->y});
        GlobalUnlock(record);
        ReleaseRecord(record);
        return points;
    }
    // A square of four lines whose corners miss by `miss` units.
    void Square(int miss)
    {
        Line(1000, 1000, 2000, 1000);
        Line(2000 + miss, 1000 + miss, 2000 + miss, 2000);
        Line(1000, 2000 + miss, 2000, 2000 + miss);
        Line(1000 - miss, 1000 + miss, 1000 - miss, 2000);
    }
};

TEST_F(MakeShape, EndsMeetWithinTheTolerance)
{
    struct Row {
        const char* name;
        int miss;
        ErrorCode dry;
    } rows[] = {
        {"exact corners", 0, kErrNone},
        {"corners 29 off", 29, kErrNone},
        {"corners 30 off", 30, kErrNoClosedChain},
    };
    for (const Row& row : rows) {
        Square(row.miss);
        SelectAll();
        EXPECT_EQ(row.dry, MakeShapeFromLines(Drawing(), 1)) << row.name;
        EXPECT_EQ(4, Count()) << row.name;   // a dry run changes nothing
        EXPECT_EQ(0, DeleteAllForTest());
    }
}

TEST_F(MakeShape, SquareBecomesOneFreeformShape)
{
    Square(29);
    SelectAll();
    MarkTables();
    ASSERT_EQ(0, MakeShapeFromLines(Drawing(), 0));
    ASSERT_EQ(1, Count());
    const DrawingObject* shape = Object(0);
    EXPECT_EQ(kKindShape, shape->kind);
    EXPECT_EQ(kShapeFreeform, shape->shapeType);
    EXPECT_EQ(1, Drawing()->selectedCount);
    std::vector<POINT> points = Outline(0);
    ASSERT_EQ(5u, points.size());
    // Axis-parallel sides stay axis-parallel through every joint.
    for (size_t i = 1; i < points.size(); ++i)
        EXPECT_TRUE(points[i].x == points[i - 1].x || points[i].y == points[i - 1].y) << i;
    EXPECT_EQ(points.front().x, points.back().x);
    EXPECT_EQ(points.front().y, points.back().y);
}

// The shape of an L of six lines is fitted: its text goes into the foot,
// below the upright (1000 x 1000 outline, foot 1000 x 400 at the bottom).
TEST_F(MakeShape, NewShapeKeptTheUnfittedTextInsets)
{
    Line(1000, 1000, 1400, 1000);
    Line(1400, 1000, 1400, 1600);
    Line(1400, 1600, 2000, 1600);
    Line(2000, 1600, 2000, 2000);
    Line(2000, 2000, 1000, 2000);
    Line(1000, 2000, 1000, 1000);
    SelectAll();
    MarkTables();
    ASSERT_EQ(0, MakeShapeFromLines(Drawing(), 0));
    ASSERT_EQ(1, Count());
    const DrawingObject* shape = Object(0);
    const double expected[4] = {0.0, 0.6, 0.0, 0.0};
    for (int side = 0; side < 4; ++side)
        EXPECT_NEAR(expected[side], shape->textInsetFractions[side], 1e-9) << side;
    EXPECT_EQ(600, shape->textInsets.top) << "the text starts below the upright";
}

TEST_F(MakeShape, RefusedSelections)
{
    struct Row {
        const char* name;
        ErrorCode expected;
    } rows[] = {
        {"open chain", kErrNoClosedChain},
        {"one line", kErrNotDone},
        {"an array among the lines", kErrNotDone},
    };
    for (const Row& row : rows) {
        if (row.expected == kErrNoClosedChain) {
            Line(1000, 1000, 2000, 1000);
            Line(2000, 1000, 2000, 2000);
            Line(2000, 2000, 1000, 2000);
        } else if (std::string(row.name) == "one line") {
            Line(1000, 1000, 2000, 1000);
        } else {
            Square(0);
            RECT frame = {3000, 3000, 4200, 3300};
            ASSERT_EQ(0, CreateObject(view_, kKindArray, &frame, 0, 1, 0, 0, 1, 0, 0));
        }
        SelectAll();
        EXPECT_EQ(row.expected, MakeShapeFromLines(Drawing(), 1)) << row.name;
        EXPECT_EQ(0, DeleteAllForTest());
    }
}

TEST_F(MakeShape, ReversedLineJoinsBackwards)
{
    Line(1000, 1000, 2000, 1000);
    Line(2000, 1000, 2000, 2000);
    Line(1000, 2000, 2000, 2000);   // drawn left to right, met at its right end
    Line(1000, 1000, 1000, 2000);
    SelectAll();
    MarkTables();
    ASSERT_EQ(0, MakeShapeFromLines(Drawing(), 0));
    std::vector<POINT> points = Outline(0);
    ASSERT_EQ(5u, points.size());
    EXPECT_EQ(0, points[3].x);      // the reversed line ends at its left end
    EXPECT_EQ(1000, points[3].y);
}

TEST_F(MakeShape, NearMissKeepsTheVerticalLineVertical)
{
    POINT p = {2010, 1000};
    // A chain whose last vertex is (2000, 1000) after a horizontal piece.
    unsigned char block[sizeof(FreeformHead) + 2 * sizeof(FreeformVertex)] = {};
    auto* head = reinterpret_cast<FreeformHead*>(block);
    head->vertexCount = 2;
    FreeformVertexAt(block, 0)->x = 1000;
    FreeformVertexAt(block, 0)->y = 1000;
    FreeformVertexAt(block, 1)->x = 2000;
    FreeformVertexAt(block, 1)->y = 1000;
    JoinChainEnd(block, &p, 2010, 2000);
    EXPECT_EQ(2010, FreeformVertexAt(block, 1)->x);   // the chain takes the vertical line's x
    EXPECT_EQ(1000, FreeformVertexAt(block, 1)->y);
    EXPECT_EQ(1, EndsMeet(0, 0, 29, -29));
    EXPECT_EQ(0, EndsMeet(0, 0, 30, 0));
}

TEST_F(MakeShape, ShapeToLineBreaksShapesApart)
{
    struct Row {
        const char* name;
        int type;
        int lines;
        int kindOfFirst;
    } rows[] = {
        {"rectangle", kShapeRectangle, 4, kKindLine},
        {"document", kShapeDocument, 5, kKindLine},
        {"oval", kShapeOval, 4, kKindConnector},
    };
    for (const Row& row : rows) {
        ASSERT_EQ(0, Create({1000, 1000, 2000, 1600}, row.type, 0, 1));
        Object(0)->adjust = 0.1;
        SelectAll();
        EXPECT_EQ(0, ShapeToLines(view_, Drawing(), 1)) << row.name;
        EXPECT_EQ(1, Count()) << row.name;
        MarkTables();
        ASSERT_EQ(0, ShapeToLines(view_, Drawing(), 0)) << row.name;
        EXPECT_EQ(row.lines, Count()) << row.name;
        EXPECT_EQ(row.kindOfFirst, Object(0)->kind) << row.name;
        EXPECT_EQ(row.lines, Drawing()->selectedCount) << row.name;
        EXPECT_EQ(0, DeleteAllForTest());
    }
}

TEST_F(MakeShape, LinesBackToAShape)
{
    ASSERT_EQ(0, Create({1000, 1000, 2000, 1600}, kShapeRectangle, 0, 1));
    SelectAll();
    MarkTables();
    ASSERT_EQ(0, ShapeToLines(view_, Drawing(), 0));
    ASSERT_EQ(4, Count());
    MarkTables();
    ASSERT_EQ(0, MakeShapeFromLines(Drawing(), 0));
    ASSERT_EQ(1, Count());
    EXPECT_EQ(kShapeFreeform, Object(0)->shapeType);
    ASSERT_EQ(0, ShapeToLines(view_, Drawing(), 0));
    EXPECT_EQ(4, Count());
}

TEST_F(MakeShape, NothingSelectedIsRefused)
{
    EXPECT_EQ(1, ShapeToLines(view_, Drawing(), 1));
    EXPECT_EQ(1, MakeShapeFromLines(Drawing(), 1));
}

} // namespace
