// Groups: the right-angle rule, rescaling to a rectangle, rotating, unlinking.
#include <gtest/gtest.h>

#include <vector>

#include "objects/view_record.h"
#include "drawing_fixture.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/groups.h"
#include "objects/link_table.h"
#include "objects/point_transforms.h"
#include "objects/shape_frames.h"

namespace {

class GroupTransforms : public DrawingFixture {
protected:
    // Groups objects [first, first + n) as row `row` (the table grows to it).
    void Group(int first, int n, int row = 0)
    {
        SetTableCount(kTableGroups, row + 1);
        GroupEntry* entry = GroupEntryAt(Groups(), row);
        std::memset(entry, 0, sizeof(*entry));
        entry->key = 2 + row;
        for (int i = first; i < first + n; ++i) {
            DrawingObject* member = Object(i);
            member->groupKey = 2 + row;
            member->groupIndex = row;
            member->referenceFrame = member->frame;
            member->groupingRotation = member->rotation;
        }
        RecalcGroupRect(Drawing(), row, nullptr);
    }
    // Two new shapes side by side in their own new group row; returns the row.
    int NewPair()
    {
        int row = TableCount(Groups());
        RECT left = {1000, 1000 + 500 * row, 1600, 1300 + 500 * row};
        RECT right = {1700, 1000 + 500 * row, 2300, 1300 + 500 * row};
        EXPECT_EQ(0, Create(left, 2, 0, 1));
        EXPECT_EQ(0, Create(right, 2, 0, 1));
        return row;
    }
    GroupEntry* GroupRow() { return GroupEntryAt(Groups(), 0); }
    void Turn(int index, int angle)
    {
        Object(index)->rotation = angle;
        EXPECT_EQ(kErrNone, RecalcShapeFrame(Drawing(), Object(index), 0));
    }
    int Width(int index) { return Object(index)->frame.right - Object(index)->frame.left; }
    int Height(int index) { return Object(index)->frame.bottom - Object(index)->frame.top; }
};

TEST(RightAngles, MeasuredOnTheSizeOfTheAngle)
{
    struct Row {
        int angle;
        int right;
    };
    const std::vector<Row> rows = {
        {0, 1},    {900, 1},   {-900, 1},   {1800, 1},  {902, 1},  {-897, 1}, {3, 1},
        {300, 0},  {450, 0},   {-450, 0},   {-300, 0},  {-600, 0}, {904, 0},  {-1350, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.right, IsRightAngleRotation(row.angle)) << row.angle;
}

TEST_F(GroupTransforms, SlantedMembersMakeTheGroupKeepProportions)
{
    struct Row {
        int angle;
        int constraint;
    };
    // -45 degrees is as slanted as 45: both keep proportions.
    const std::vector<Row> rows = {{0, 0}, {900, 0}, {-900, 0}, {300, 3}, {450, 3}, {-450, 3}, {-300, 3}};
    for (const Row& row : rows) {
        int group = NewPair();
        int first = Count() - 2;
        Turn(first + 1, row.angle);
        Group(first, 2, group);
        EXPECT_EQ(row.constraint, GroupEntryAt(Groups(), group)->sizingConstraint) << row.angle;
    }
}

TEST_F(GroupTransforms, SmallTargetGrowsToTheGroupMinimum)
{
    CreateRow(2);
    Group(0, 2);
    RECT target = {1000, 1000, 1010, 1080};
    ASSERT_EQ(0, SetGroupRect(view_, 0, &target, 4, 0, 0));
    EXPECT_EQ(54, GroupRow()->frame.right - GroupRow()->frame.left);
    EXPECT_EQ(80, GroupRow()->frame.bottom - GroupRow()->frame.top);
    EXPECT_EQ(28, ReadViewField(ViewRecord(), kViewPendingUndo));
}

TEST_F(GroupTransforms, RescaleMovesAndGrowsMembers)
{
    CreateRow(2);   // 600 x 300 at x 1000 and 1700: group frame 1000..2300
    Group(0, 2);
    RECT target = {1000, 1000, 3600, 1600};   // twice as wide and high
    ASSERT_EQ(0, SetGroupRect(view_, 0, &target, 4, 0, 0));
    EXPECT_EQ(1000, Object(0)->frame.left);
    EXPECT_EQ(1200, Width(0));
    EXPECT_EQ(600, Height(0));
    EXPECT_EQ(2400, Object(1)->frame.left);
    EXPECT_EQ(1200, Width(1));
    EXPECT_DOUBLE_EQ(2.0, GroupRow()->scaleX);
    EXPECT_EQ(0, GroupResizeActive);
}

TEST_F(GroupTransforms, GroupingFrameWithoutWidthIsNotDividedBy)
{
    CreateRow(2);
    Group(0, 2);
    // A frame at grouping that has lost its width and height.
    GroupRow()->groupingFrame.right = GroupRow()->groupingFrame.left;
    GroupRow()->groupingFrame.bottom = GroupRow()->groupingFrame.top;
    GroupRow()->scaleX = 0.0;
    RECT target = {1000, 1000, 2300, 1300};
    ASSERT_EQ(0, SetGroupRect(view_, 0, &target, 4, 0, 0));
    EXPECT_DOUBLE_EQ(1.0, GroupRow()->scaleX);
    EXPECT_DOUBLE_EQ(1.0, GroupRow()->scaleY);
    EXPECT_EQ(600, Width(0));
    EXPECT_EQ(300, Height(1));
}

TEST_F(GroupTransforms, MemberTurnedMinusFortyFiveScalesProportionally)
{
    CreateRow(2);
    Turn(1, -450);
    Group(0, 2);
    ASSERT_EQ(3, GroupRow()->sizingConstraint);
    RECT frame = GroupRow()->frame;
    RECT target = {frame.left, frame.top, frame.left + 2 * (frame.right - frame.left), frame.bottom};
    ASSERT_EQ(0, SetGroupRect(view_, 0, &target, 4, 0, 0));
    // The turned member grows by the smaller scale, 1, in both directions.
    EXPECT_NEAR(600, Width(1), 2);
    EXPECT_NEAR(300, Height(1), 2);
    EXPECT_EQ(-450, Object(1)->rotation);
}

TEST_F(GroupTransforms, RotationSnapsToFifteenDegrees)
{
    struct Row {
        int degrees;
        int expected;
    };
    const std::vector<Row> rows = {{22, 150}, {23, 300}, {-22, -150}, {95, 900}};
    Drawing()->flags |= kDrawingSnap;
    for (const Row& row : rows) {
        int group = NewPair();
        int first = Count() - 2;
        Group(first, 2, group);
        RECT frame = GroupEntryAt(Groups(), group)->frame;
        POINT centre = {(frame.right - frame.left) / 2 + frame.left, (frame.bottom - frame.top) / 2 + frame.top};
        POINT target = {frame.right, centre.y};
        RotatePoints(&frame, row.degrees * 10, &target, 1);
        ASSERT_EQ(0, RotateGroup(ViewRecord(), group, 8, target.x, target.y, 0)) << row.degrees;
        EXPECT_EQ(row.expected, GroupEntryAt(Groups(), group)->rotation) << row.degrees;
        // Each member turned with the group.
        EXPECT_NEAR(row.expected, Object(first)->rotation, 2) << row.degrees;
        EXPECT_NEAR(row.expected, Object(first + 1)->rotation, 2) << row.degrees;
    }
}

TEST_F(GroupTransforms, RotatingAGroupUnhooksMembersFromEachOther)
{
    CreateRow(3);
    // Object 1 hangs on object 0 (both grouped), object 2 on object 0 too but
    // outside the group.
    ASSERT_EQ(0, ConnectSlot(Drawing(), 1, -1, 0, 207, 600, 300));
    ASSERT_EQ(0, ConnectSlot(Drawing(), 2, -1, 0, 207, 600, 300));
    Group(0, 2);
    ASSERT_NE(0u, GroupRow()->flags & kGroupHangsOnLink);
    ASSERT_EQ(0, RotateGroup(ViewRecord(), 0, 8, 1600, 3000, 0));
    EXPECT_EQ(0, Object(1)->linkCount);
    EXPECT_EQ(1, Object(2)->linkCount);
    EXPECT_EQ(1, TableCount(Links()));
}

TEST_F(GroupTransforms, DissolvingLeavesLaterRowsAlone)
{
    CreateRow(4);
    Group(0, 2);
    // A second row for objects 2 and 3.
    SetTableCount(kTableGroups, 2);
    GroupEntry* second = GroupEntryAt(Groups(), 1);
    std::memset(second, 0, sizeof(*second));
    second->key = 3;
    for (int i = 2; i < 4; ++i) {
        Object(i)->groupKey = 3;
        Object(i)->groupIndex = 1;
        Object(i)->referenceFrame = Object(i)->frame;
    }
    Turn(3, 300);
    Object(3)->groupingRotation = 300;
    RecalcGroupRect(Drawing(), 1, nullptr);
    ASSERT_EQ(3, GroupEntryAt(Groups(), 1)->sizingConstraint);
    // Only one member of the first group is left.
    Object(1)->groupKey = 0;
    Object(1)->groupIndex = -1;
    RecalcGroupRect(Drawing(), 0, nullptr);
    ASSERT_EQ(1, TableCount(Groups()));
    EXPECT_EQ(-1, Object(0)->groupIndex);
    EXPECT_EQ(3, GroupRow()->key);
    EXPECT_EQ(3, GroupRow()->sizingConstraint);
}

} // namespace
