// The arrange commands on a drawing, each through the edit dispatcher as one
// undo step.
#include <gtest/gtest.h>

#include <vector>

#include "common/io_seam.h"
#include "edit_fixture.h"
#include "lines/array_record.h"
#include "objects/document_undo.h"
#include "objects/object_create.h"
#include "objects/link_table.h"
#include "objects/object_links.h"
#include "objects/update_links.h"
#include "store/record_store.h"
#include "objects/drawing_tables.h"
#include "objects/view_record.h"
#include "view/edit_operations.h"
#include "view/selection_changes.h"
#include "view/tracking_state.h"
#include "view/view_mouse.h"
#include "common/tracking_mode.h"

namespace {

class ArrangeOperations : public EditFixture {
protected:
    // Shapes made unselected, then selected; the last one listed is the
    // primary selection.
    void Make(std::initializer_list<RECT> frames)
    {
        for (const RECT& frame : frames)
            ASSERT_EQ(0, Create(frame));
    }
    void Select(std::initializer_list<int> indices)
    {
        DeselectAllObjects(DrawingHandle());
        for (int index : indices)
            SelectDrawingObject(DrawingHandle(), index, TRUE, FALSE, FALSE);
    }
    RECT Frame(int index) { return Object(index)->frame; }
    int Rows() { return TableCount(Groups()); }
    std::vector<int32_t> Order()
    {
        LockedTable order(Drawing(), kTableDrawOrder);
        const int32_t* entries = DrawOrderEntries(order.Get());
        return std::vector<int32_t>(entries, entries + order.Count());
    }
    ErrorCode Do(int operation, LPARAM argument = 0) { return DoEditOperation(view_, operation, argument, nullptr); }
    void UndoAndRedo() { ASSERT_EQ(0, SwapDocumentUndo(view_, 1)); }
};

TEST_F(ArrangeOperations, DuplicateRepeatsTheOffsetTheCopyWasMovedBy)
{
    Make({RECT{1000, 1000, 2000, 2000}});
    Select({0});
    ASSERT_EQ(0, Do(kEditDuplicate));
    ASSERT_EQ(2, Count());
    EXPECT_EQ(1300, Frame(1).left);
    EXPECT_EQ(kUndoStepDuplicate, UndoKind());
    for (int press = 0; press < 100; ++press)
        ASSERT_EQ(0, Do(kEditNudge, VK_RIGHT));
    EXPECT_EQ(kUndoStepMoveAfterDuplicate, UndoKind()) << "the presses are one step";
    ASSERT_EQ(0, Do(kEditDuplicate));
    ASSERT_EQ(3, Count());
    EXPECT_EQ(Frame(1).left - Frame(0).left, Frame(2).left - Frame(1).left);
    EXPECT_EQ(Frame(1).top - Frame(0).top, Frame(2).top - Frame(1).top);
    EXPECT_EQ(0u, Object(0)->stateFlags & kStateSelected);
    EXPECT_NE(0u, Object(2)->stateFlags & kStateSelected);
    EXPECT_EQ(2, Drawing()->primarySelected);
}

TEST_F(ArrangeOperations, DuplicateIsUndoneAndRedone)
{
    Make({RECT{1000, 1000, 2000, 2000}});
    Select({0});
    ASSERT_EQ(0, Do(kEditDuplicate));
    UndoAndRedo();
    EXPECT_EQ(1, Count());
    UndoAndRedo();
    EXPECT_EQ(2, Count());
}

// The object ids a branch list holds on its branches.
std::vector<int32_t> BranchIds(int store, const DrawingObject* array)
{
    std::vector<int32_t> ids;
    RecordHandle record = nullptr;
    if (FindRecord(store, kArrayBranchGroup, static_cast<short>(array->dataFirstId), &record) != kErrNone)
        return ids;
    auto* list = static_cast<ArrayBranchHead*>(GlobalLock(record));
    RehookBranchEntries(list, QueryRecordSize(record), [&](int32_t* id, int32_t*) { ids.push_back(*id); });
    GlobalUnlock(record);
    ReleaseRecord(record);
    return ids;
}

TEST_F(ArrangeOperations, DuplicatedArrayKeptItsBranchesOnTheOriginalsObjects)
{
    RECT trunk = {1000, 1000, 4000, 1400};
    ASSERT_EQ(0, CreateObject(view_, kKindArray, &trunk, 0, 1, 0, 0, 1, 0, 0));
    Make({RECT{1500, 2000, 2100, 2300}});
    const int kArrayConnect = 305;
    ASSERT_EQ(0, ConnectSlot(Drawing(), 1, -1, 0, kArrayConnect, 0, 0));
    ASSERT_EQ(0, UpdateLinks(Drawing()));
    const int32_t hung = Object(1)->objectId;
    ASSERT_EQ(std::vector<int32_t>{hung}, BranchIds(store_, Object(0))) << "the box hangs on the array";
    Select({0, 1});
    ASSERT_EQ(0, Do(kEditDuplicate));
    ASSERT_EQ(4, Count());
    const int arrayCopy = Object(2)->kind == kKindArray ? 2 : 3;
    const int boxCopy = 5 - arrayCopy;
    EXPECT_EQ(std::vector<int32_t>{hung}, BranchIds(store_, Object(0))) << "the original keeps its box";
    EXPECT_EQ(std::vector<int32_t>{Object(boxCopy)->objectId}, BranchIds(store_, Object(arrayCopy)))
        << "the copy's branch holds the box's copy";
    EXPECT_EQ(Object(arrayCopy)->objectId, Object(boxCopy)->links[0].targetId) << "the box's copy hangs on the copy";
}

// A copy that fails at any memory request leaves the drawing as it was.
TEST_F(ArrangeOperations, DuplicateThatFailsPartWayLeavesNothingBehind)
{
    Make({RECT{1000, 1000, 2000, 2000}, RECT{3000, 1000, 4000, 2000}});
    for (long request = 1; request < 40; ++request) {
        Select({0, 1});
        SeamArmFault(kSeamAlloc, request, false);
        const ErrorCode code = Do(kEditDuplicate);
        const bool fired = SeamFaultFired();
        SeamDisarm();
        if (!fired)
            break;
        if (code != kErrNone) {
            EXPECT_EQ(2, Count()) << "request " << request;
        } else if (Count() == 4) {
            ASSERT_EQ(0, SwapDocumentUndo(view_, 0));   // a success: undo it for the next round
        }
        ASSERT_EQ(2, Count()) << "request " << request;
    }
}

TEST_F(ArrangeOperations, NudgeAtTheLeftEdgeDoesNothing)
{
    Make({RECT{0, 1000, 1000, 2000}});
    Select({0});
    Drawing()->duplicateDx = 300;
    ASSERT_EQ(0, Do(kEditNudge, VK_LEFT));
    EXPECT_EQ(0, Frame(0).left);
    EXPECT_EQ(300, Drawing()->duplicateDx);
    ASSERT_EQ(0, Do(kEditNudge, VK_DOWN));
    EXPECT_EQ(1006, Frame(0).top);
}

TEST_F(ArrangeOperations, GroupKeysAreHandedOutAgain)
{
    Make({RECT{1000, 1000, 2000, 2000}, RECT{3000, 1000, 4000, 2000}, RECT{5000, 1000, 6000, 2000},
          RECT{7000, 1000, 8000, 2000}});
    Select({0, 1});
    ASSERT_EQ(0, Do(kEditGroup));
    ASSERT_EQ(1, Rows());
    EXPECT_EQ(1, GroupEntryAt(Groups(), 0)->key);
    Select({2, 3});
    ASSERT_EQ(0, Do(kEditGroup));
    ASSERT_EQ(2, Rows());
    EXPECT_EQ(2, GroupEntryAt(Groups(), 1)->key);
    Select({0});
    ASSERT_EQ(0, Do(kEditUngroup));
    ASSERT_EQ(1, Rows());
    EXPECT_EQ(0, Object(0)->groupKey);
    Select({0, 1});
    ASSERT_EQ(0, Do(kEditGroup));
    EXPECT_EQ(1, GroupEntryAt(Groups(), 1)->key) << "the smallest key 2 gives 1 again";
}

TEST_F(ArrangeOperations, GroupingGroupsAndAShapeKeepsTheFirstKey)
{
    Make({RECT{1000, 1000, 2000, 2000}, RECT{3000, 1000, 4000, 2000}, RECT{5000, 1000, 6000, 2000},
          RECT{7000, 1000, 8000, 2000}, RECT{9000, 1000, 9500, 2000}});
    Select({0, 1});
    ASSERT_EQ(0, Do(kEditGroup));
    Select({2, 3});
    ASSERT_EQ(0, Do(kEditGroup));
    Select({0, 2, 4});
    ASSERT_EQ(0, Do(kEditGroup));
    ASSERT_EQ(1, Rows());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(1, Object(i)->groupKey) << i;
    EXPECT_EQ(1000, GroupEntryAt(Groups(), 0)->frame.left);
    EXPECT_EQ(9500, GroupEntryAt(Groups(), 0)->frame.right);
}

TEST_F(ArrangeOperations, AlignMovesToThePrimary)
{
    Make({RECT{1000, 1000, 2000, 2000}, RECT{3500, 3000, 4000, 4000}, RECT{2000, 5000, 2600, 6000}});
    Select({1, 2, 0});
    struct Case {
        const char* name;
        int mode;
        LONG RECT::*edge;
    } cases[] = {{"lefts", 0, &RECT::left}, {"rights", 1, &RECT::right}, {"tops", 3, &RECT::top},
                 {"bottoms", 5, &RECT::bottom}};
    for (const Case& c : cases) {
        ASSERT_EQ(0, Do(kEditAlign, c.mode)) << c.name;
        EXPECT_EQ(kUndoStepMove, UndoKind()) << c.name;
        for (int i = 1; i < 3; ++i)
            EXPECT_EQ(Frame(0).*c.edge, Frame(i).*c.edge) << c.name << " " << i;
    }
}

TEST_F(ArrangeOperations, AlignThatWouldLeaveTheDrawingMovesNothing)
{
    Make({RECT{0, 1000, 3000, 2000}, RECT{100, 3000, 300, 4000}});
    Select({0, 1});
    ASSERT_EQ(0, Do(kEditAlign, 1));   // the wide one's right to 300 puts its left past 0
    EXPECT_EQ(0, Frame(0).left);
    EXPECT_EQ(kUndoStepAddObject, UndoKind()) << "no step opened";
}

TEST_F(ArrangeOperations, SpaceEvenlyKeepsTheEndsAndEqualsTheGaps)
{
    Make({RECT{1000, 1000, 2000, 2000}, RECT{2100, 1000, 2600, 2000}, RECT{8000, 1000, 9000, 2000}});
    Select({0, 1, 2});
    ASSERT_EQ(0, Do(kEditSpaceEvenly, 1));
    EXPECT_EQ(1000, Frame(0).left);
    EXPECT_EQ(8000, Frame(2).left);
    EXPECT_EQ(Frame(1).left - Frame(0).right, Frame(2).left - Frame(1).right);
    UndoAndRedo();
    EXPECT_EQ(2100, Frame(1).left);
}

TEST_F(ArrangeOperations, SpaceEvenlyWithNoGapMovesNothing)
{
    Make({RECT{1000, 1000, 2000, 2000}, RECT{2000, 1000, 2500, 2000}, RECT{2500, 1000, 3000, 2000}});
    Select({0, 1, 2});
    ASSERT_EQ(0, Do(kEditSpaceEvenly, 1));
    EXPECT_EQ(2000, Frame(1).left);
}

TEST_F(ArrangeOperations, MakeSameSizeTakesThePrimarysWidth)
{
    Make({RECT{1000, 1000, 2000, 1500}, RECT{3000, 1000, 3400, 1800}});
    Select({1, 0});
    ASSERT_EQ(0, Do(kEditSameSize, 1));
    EXPECT_EQ(1000, Frame(1).right - Frame(1).left);
    EXPECT_EQ(800, Frame(1).bottom - Frame(1).top);
    EXPECT_EQ(kUndoStepResize, UndoKind());
}

TEST_F(ArrangeOperations, FlippingAGroupSwapsItsMembers)
{
    Make({RECT{1000, 1000, 1500, 2000}, RECT{3000, 1000, 4000, 2000}});
    Select({0, 1});
    ASSERT_EQ(0, Do(kEditGroup));
    ASSERT_EQ(0, Do(kEditFlip, kOptionFlipH));
    EXPECT_EQ(3500, Frame(0).left);
    EXPECT_EQ(1000, Frame(1).left);
    EXPECT_EQ(kUndoStepFlip, UndoKind());
}

TEST_F(ArrangeOperations, SendToBackAndBringToFrontKeepTheSelectionsOrder)
{
    Make({RECT{1000, 1000, 2000, 2000}, RECT{3000, 1000, 4000, 2000}, RECT{5000, 1000, 6000, 2000},
          RECT{7000, 1000, 8000, 2000}});
    Select({1, 3});
    ASSERT_EQ(0, Do(kEditSendToBack));
    EXPECT_EQ((std::vector<int32_t>{1, 3, 0, 2}), Order());
    ASSERT_EQ(0, Do(kEditBringToFront));
    EXPECT_EQ((std::vector<int32_t>{0, 2, 1, 3}), Order());
}

TEST_F(ArrangeOperations, LockWithOneLockedUnlocksAll)
{
    Make({RECT{1000, 1000, 2000, 2000}, RECT{3000, 1000, 4000, 2000}});
    Select({0, 1});
    ASSERT_EQ(0, Do(kEditLock));
    EXPECT_NE(0u, Object(0)->stateFlags & kStateLocked);
    Object(0)->stateFlags &= ~kStateLocked;
    ASSERT_EQ(0, Do(kEditLock));
    EXPECT_EQ(0u, Object(0)->stateFlags & kStateLocked);
    EXPECT_EQ(0u, Object(1)->stateFlags & kStateLocked);
}

// A right press on a group's handle named a group row where an object index
// was expected and moved or selected the wrong object.
TEST_F(ArrangeOperations, RightPressOnAGroupHandleKeepsTheGroupAndOffersTheArrangeMenu)
{
    Make({RECT{1200, 1200, 1800, 1800}, RECT{3000, 1200, 3600, 1800}, RECT{6000, 6000, 6600, 6600}});
    Select({0, 1});
    ASSERT_EQ(0, Do(kEditGroup));
    const RECT corner = GroupEntryAt(Groups(), 0)->bounds;
    const RECT before2 = Frame(2);
    ViewButtonDown(view_, MK_RBUTTON, Pixel(corner.left, corner.top), TRUE);
    ViewButtonUp(view_, 0, Pixel(corner.left, corner.top));
    EXPECT_EQ(2, RightMenuKind);
    EXPECT_EQ(kTrackingNone, TrackingMode);
    EXPECT_NE(0u, GroupEntryAt(Groups(), 0)->flags & kGroupSelected);
    EXPECT_NE(0u, Object(0)->stateFlags & kStateSelected);
    EXPECT_EQ(0u, Object(2)->stateFlags & kStateSelected);
    EXPECT_TRUE(EqualRect(&before2, &Object(2)->frame) != FALSE);
}

} // namespace
