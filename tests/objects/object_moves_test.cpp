// Moving, keeping inside, resizing and rotating objects in a drawing.
#include <gtest/gtest.h>

#include <vector>

#include "objects/view_record.h"
#include "drawing_fixture.h"
#include "objects/drawing_tables.h"
#include "objects/linked_objects.h"
#include "objects/move_objects.h"
#include "objects/object_offset.h"
#include "objects/resize_object.h"
#include "objects/rotate_object.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/shape_types.h"
#include "store/record_store.h"
#include "objects/shape_frames.h"

namespace {

class ObjectMoves : public DrawingFixture {
protected:
    HGLOBAL ListOf(std::initializer_list<int> indices)
    {
        HGLOBAL list = nullptr;
        for (int index : indices)
            EXPECT_EQ(0, GatherLinkedObjects(Drawing(), index, &list, kGatherAlone, nullptr));
        return list;
    }
    void Free(HGLOBAL list) { FreeLinkedObjects(list, Objects()); }
    int PendingUndo() { return ReadViewField(ViewRecord(), kViewPendingUndo); }
};

TEST_F(ObjectMoves, OffsetStopsShortOfTheCoordinateLimit)
{
    struct Row {
        const char* name;
        int dx;
        int dy;
        ErrorCode code;
    };
    // The bounds reach 32,700 (frame 32,670 plus 30).
    const std::vector<Row> rows = {
        {"66 to the right", 66, 0, kErrNone},
        {"67 to the right", 67, 0, kErrOutsideDrawing},
        {"67 down", 0, 67, kErrOutsideDrawing},
        {"far to the left", -30000, 0, kErrNone},
        {"far up", 0, -30000, kErrNone},
    };
    for (const Row& row : rows) {
        ASSERT_EQ(0, Create({32070, 32070, 32670, 32670}, 2, 0, 1));
        int last = Count() - 1;
        RECT before = Object(last)->frame;
        EXPECT_EQ(row.code, OffsetObject(Drawing(), Objects(), last, row.dx, row.dy)) << row.name;
        RECT after = Object(last)->frame;
        if (row.code != 0)
            EXPECT_TRUE(EqualRect(&before, &after)) << row.name;
        else
            EXPECT_EQ(before.left + row.dx, after.left) << row.name;
    }
}

TEST_F(ObjectMoves, KeepInsideBringsObjectsBackLeftAndTopWinning)
{
    struct Row {
        const char* name;
        RECT frame;
        ErrorCode code;
        int left;
        int top;
    };
    // The drawing is 20,000 x 20,000.
    const std::vector<Row> rows = {
        {"past the right", {19800, 100, 20400, 400}, kErrNone, 19400, 100},
        {"past the left", {-300, 100, 300, 400}, kErrNone, 0, 100},
        {"past the bottom", {100, 19900, 700, 20200}, kErrNone, 100, 19700},
        {"past the top", {100, -50, 700, 250}, kErrNone, 100, 0},
        {"wider than the drawing", {-100, 100, 20100, 400}, kErrOutsideDrawing, -100, 100},
        {"inside", {500, 500, 800, 800}, kErrNone, 500, 500},
    };
    for (const Row& row : rows) {
        ASSERT_EQ(0, Create(row.frame, 2, 0, 1));
        int last = Count() - 1;
        EXPECT_EQ(row.code, KeepObjectInsideDrawing(ViewRecord(), Drawing(), Objects(), last)) << row.name;
        EXPECT_EQ(row.left, Object(last)->frame.left) << row.name;
        EXPECT_EQ(row.top, Object(last)->frame.top) << row.name;
    }
}

TEST_F(ObjectMoves, MoveObjectsMovesTheListAsOneStep)
{
    CreateRow(3);
    HGLOBAL list = ListOf({0, 2});
    ASSERT_EQ(0, MoveObjects(view_, 100, 50, list, 0));
    Free(list);
    EXPECT_EQ(1100, Object(0)->frame.left);
    EXPECT_EQ(1050, Object(0)->frame.top);
    EXPECT_EQ(1700, Object(1)->frame.left);
    EXPECT_EQ(2500, Object(2)->frame.left);
    EXPECT_EQ(30, PendingUndo());
}

TEST_F(ObjectMoves, FailedMoveIsRolledBackWhole)
{
    CreateRow(1);
    ASSERT_EQ(0, Create({31000, 1000, 32600, 1300}, 2, 0, 1));
    HGLOBAL list = ListOf({0, 1});
    EXPECT_EQ(kErrOutsideDrawing, MoveObjects(view_, 200, 0, list, 0));
    Free(list);
    EXPECT_EQ(1000, Object(0)->frame.left);
    EXPECT_EQ(31000, Object(1)->frame.left);
    EXPECT_EQ(0, PendingUndo());
}

TEST_F(ObjectMoves, MoveAfterDuplicateGrowsTheDuplicateOffset)
{
    CreateRow(1);
    WriteViewField(ViewRecord(), kViewPendingUndo, 34);
    Drawing()->duplicateDx = 60;
    Drawing()->duplicateDy = 60;
    HGLOBAL list = ListOf({0});
    ASSERT_EQ(0, MoveObjects(view_, 100, -20, list, 0));
    Free(list);
    EXPECT_EQ(160, Drawing()->duplicateDx);
    EXPECT_EQ(40, Drawing()->duplicateDy);
    EXPECT_EQ(36, PendingUndo());
}

TEST_F(ObjectMoves, NoMoveAndNoListDoNothing)
{
    CreateRow(1);
    HGLOBAL list = ListOf({0});
    EXPECT_EQ(0, MoveObjects(view_, 0, 0, list, 0));
    EXPECT_EQ(0, MoveObjects(view_, 10, 10, nullptr, 0));
    Free(list);
    EXPECT_EQ(1000, Object(0)->frame.left);
    EXPECT_EQ(0, PendingUndo());
}

TEST_F(ObjectMoves, ResizeObjectKeepsTheMinimumSide)
{
    CreateRow(1);
    RECT tiny = {2000, 2000, 2010, 2050};
    ASSERT_EQ(0, ResizeObject(view_, 0, &tiny, 0, 0, 0));
    EXPECT_EQ(24, Object(0)->frame.right - Object(0)->frame.left);
    EXPECT_EQ(50, Object(0)->frame.bottom - Object(0)->frame.top);
    RECT exact = {2000, 2000, 2024, 2024};
    ASSERT_EQ(0, ResizeObject(view_, 0, &exact, 4, 0, 0));
    EXPECT_EQ(2024, Object(0)->frame.right);
}

TEST_F(ObjectMoves, RotateObjectTurnsTheShapeAndItsLabel)
{
    CreateRow(2);
    // Object 1 is the attached label of object 0.
    Object(1)->stateFlags |= kStateAttached;
    Object(1)->labelPartnerId = Object(0)->objectId;
    Object(1)->labelPartnerHint = 0;
    Object(0)->labelPartnerId = Object(1)->objectId;
    Object(0)->labelPartnerHint = 1;
    // From the right middle handle straight down: a quarter turn.
    ASSERT_EQ(0, RotateObject(ViewRecord(), 0, 8, 1300, 2000));
    EXPECT_EQ(-900, Object(0)->rotation);
    EXPECT_EQ(-900, Object(1)->rotation);
    EXPECT_EQ(58, PendingUndo());
}

TEST_F(ObjectMoves, ChangeObjectShapeSetsTheAdjustParameter)
{
    ASSERT_EQ(0, Create({1000, 1000, 1600, 1300}, kShapeInputOutput, 0, 1));
    POINT drag = {1150, 1000};
    ASSERT_EQ(0, ChangeObjectShape(57, ViewRecord(), 0, 0, &drag));
    // (1150 - bounds left 970) / 600.
    EXPECT_DOUBLE_EQ(0.3, Object(0)->adjust);
    EXPECT_EQ(42, PendingUndo());
}

class DrawingHitTest : public DrawingFixture {};

TEST_F(DrawingHitTest, AttachmentMarkerIsHitWhenTheObjectHasAnAttachment)
{
    CreateRow(1);
    // The marker square: 54 units, its bottom-right 60 units inside the
    // bottom-right corner of the bounds (1630, 1330).
    POINT marker = {1545, 1245};
    int before = CallObjectKind(nullptr, Drawing(), Objects(), 0, kMsgHitTest, 0, 0, reinterpret_cast<INT_PTR>(&marker));
    EXPECT_NE(45, before);
    RecordHandle record = nullptr;
    ASSERT_EQ(0, CreateRecord(store_, kAttachmentGroup, static_cast<short>(Object(0)->objectId), 32, &record));
    ReleaseRecord(record);
    EXPECT_EQ(45, CallObjectKind(nullptr, Drawing(), Objects(), 0, kMsgHitTest, 0, 0, reinterpret_cast<INT_PTR>(&marker)));
}

} // namespace
