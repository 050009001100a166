#include <gtest/gtest.h>

#include "edit_fixture.h"
#include "view/selection_changes.h"

namespace {

class SelectionTest : public EditFixture {
protected:
    void MakeThree()
    {
        ASSERT_EQ(0, Create(RECT{1000, 1000, 2000, 2000}));
        ASSERT_EQ(0, Create(RECT{3000, 1000, 4000, 2000}));
        ASSERT_EQ(0, Create(RECT{5000, 1000, 6000, 2000}));
    }
    bool Selected(int index) { return (Object(index)->stateFlags & kStateSelected) != 0; }
};

TEST_F(SelectionTest, ClickAndShiftClickTable)
{
    MakeThree();
    struct Step {
        const char* name;
        int index;
        BOOL toggle;
        int count;
        int primary;
    } steps[] = {
        {"click selects alone", 0, FALSE, 1, 0},
        {"click on another replaces", 1, FALSE, 1, 1},
        {"shift adds", 2, TRUE, 2, 2},
        {"shift on the primary removes it, the top one takes over", 2, TRUE, 1, 1},
        {"shift on the only selected leaves nothing", 1, TRUE, 0, -1},
    };
    for (const Step& s : steps) {
        SelectDrawingObject(DrawingHandle(), s.index, s.toggle, FALSE, TRUE);
        EXPECT_EQ(s.count, Drawing()->selectedCount) << s.name;
        EXPECT_EQ(s.primary, Drawing()->primarySelected) << s.name;
    }
}

TEST_F(SelectionTest, KeepLeavesTheRestOfTheSelection)
{
    MakeThree();
    SelectDrawingObject(DrawingHandle(), 0, FALSE, FALSE, TRUE);
    SelectDrawingObject(DrawingHandle(), 1, TRUE, FALSE, TRUE);
    SelectDrawingObject(DrawingHandle(), 0, FALSE, TRUE, TRUE);
    EXPECT_TRUE(Selected(0));
    EXPECT_TRUE(Selected(1));
    EXPECT_EQ(2, Drawing()->selectedCount);
}

TEST_F(SelectionTest, RubberBandSelectsWhatLiesWhollyInside)
{
    MakeThree();
    SelectDrawingObject(DrawingHandle(), 2, FALSE, FALSE, TRUE);
    RECT band = {500, 500, 4500, 2500};
    SelectObjectsInRect(view_, &band);
    EXPECT_TRUE(Selected(0));
    EXPECT_TRUE(Selected(1));
    EXPECT_FALSE(Selected(2)) << "outside the band, without Shift, it is deselected";
    EXPECT_EQ(2, Drawing()->selectedCount);
    EXPECT_GE(Drawing()->primarySelected, 0);
    EXPECT_TRUE(Selected(Drawing()->primarySelected));
}

TEST_F(SelectionTest, SelectAllWithoutRectangle)
{
    MakeThree();
    SelectObjectsInRect(view_, nullptr);
    EXPECT_EQ(3, Drawing()->selectedCount);
    EXPECT_EQ(0, Drawing()->primarySelected) << "the first selected becomes the primary";
}

TEST_F(SelectionTest, BandOverOneMemberOfUnrotatedGroupSelectsNothingOfIt)
{
    MakeThree();
    Group({0, 1});
    RECT band = {500, 500, 2500, 2500};
    SelectObjectsInRect(view_, &band);
    EXPECT_EQ(0, Drawing()->selectedCount);
    RECT wide = {500, 500, 4500, 2500};
    SelectObjectsInRect(view_, &wide);
    EXPECT_EQ(2, Drawing()->selectedCount);
    EXPECT_TRUE(GroupEntryAt(Groups(), 0)->flags & kGroupSelected);
}

TEST_F(SelectionTest, ClickOnGroupMemberSelectsTheWholeGroup)
{
    MakeThree();
    Group({0, 1});
    SelectDrawingObject(DrawingHandle(), 1, FALSE, FALSE, TRUE);
    EXPECT_TRUE(Selected(0));
    EXPECT_TRUE(Selected(1));
    EXPECT_EQ(2, Drawing()->selectedCount);
    DeselectAllObjects(DrawingHandle());
    EXPECT_EQ(0, Drawing()->selectedCount);
    EXPECT_EQ(-1, Drawing()->primarySelected);
    EXPECT_FALSE(GroupEntryAt(Groups(), 0)->flags & kGroupSelected);
}

TEST_F(SelectionTest, TopSelectedFollowsDrawOrder)
{
    MakeThree();
    EXPECT_EQ(-1, FindTopSelectedObject(Drawing()));
    SelectDrawingObject(DrawingHandle(), 0, FALSE, FALSE, TRUE);
    SelectDrawingObject(DrawingHandle(), 1, TRUE, FALSE, TRUE);
    EXPECT_EQ(1, FindTopSelectedObject(Drawing()));
}

} // namespace
