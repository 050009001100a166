// Link bookkeeping: hooking shapes to shapes and labels to hosts, following
// moves, detaching on deletion, the link limit, re-targeting one end.
#include <gtest/gtest.h>

#include <vector>

#include "drawing_fixture.h"
#include "objects/drawing_tables.h"
#include "objects/link_table.h"
#include "objects/linked_objects.h"
#include "objects/move_objects.h"
#include "objects/object_delete.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "objects/update_links.h"

namespace {

class LinkBookkeeping : public DrawingFixture {
protected:
    ErrorCode Connect(int source, int slot, int target, int code, int x, int y)
    {
        return ConnectSlot(Drawing(), source, slot, target, code, x, y);
    }
    ErrorCode MoveHost(int index, int dx, int dy)
    {
        HGLOBAL list = nullptr;
        EXPECT_EQ(0, GatherLinkedObjects(Drawing(), index, &list, kGatherAlone, nullptr));
        ErrorCode code = MoveObjects(view_, dx, dy, list, 0);
        FreeLinkedObjects(list, Objects());
        return code;
    }
    POINT TopLeft(int index) { return {Object(index)->frame.left, Object(index)->frame.top}; }
    std::vector<int> EntryTargets()
    {
        std::vector<int> ids;
        for (int i = 0; i < TableCount(Links()); ++i)
            ids.push_back(LinkEntryAt(Links(), i)->targetId);
        return ids;
    }
};

TEST_F(LinkBookkeeping, EntriesStaySortedByTarget)
{
    CreateRow(4);
    ASSERT_EQ(0, Connect(0, -1, 3, 201, 0, 0));
    ASSERT_EQ(0, Connect(1, -1, 2, 201, 0, 0));
    ASSERT_EQ(0, Connect(2, -1, 3, 201, 0, 0));
    EXPECT_EQ((std::vector<int>{Object(2)->objectId, Object(3)->objectId, Object(3)->objectId}), EntryTargets());
    EXPECT_EQ(kTableHeadSize + 3 * kLinkEntrySize, static_cast<int>(RecordSize(kTableLinks)));
    EXPECT_EQ(1, FindFirstLink(Links(), Object(3)->objectId, 1));
    EXPECT_EQ(-1, FindFirstLink(Links(), 999, 1));
    EXPECT_EQ(3, FindFirstLink(Links(), 999, 0));
}

TEST_F(LinkBookkeeping, HangingShapeFollowsItsHost)
{
    CreateRow(2);
    // Object 1's top-left corner (code 201) hangs on object 0's top-right
    // corner (box point 600, 0).
    ASSERT_EQ(0, Connect(1, -1, 0, 201, 600, 0));
    MarkLinksOf(Drawing(), Object(0)->objectId, kLinkTargetMoved, 0, -1);
    ASSERT_EQ(0, UpdateLinks(Drawing()));
    EXPECT_EQ(1600, TopLeft(1).x);
    EXPECT_EQ(1000, TopLeft(1).y);

    ASSERT_EQ(0, MoveHost(0, 500, 700));
    EXPECT_EQ(1500, TopLeft(0).x);
    EXPECT_EQ(2100, TopLeft(1).x);
    EXPECT_EQ(1700, TopLeft(1).y);
    EXPECT_EQ(0u, LinkEntryAt(Links(), 0)->flags);
}

TEST_F(LinkBookkeeping, LabelHangsBelowItsHostThroughAResize)
{
    CreateRow(2);
    // Object 1 is a label whose top middle (205) sits at the host's bottom
    // middle (box point 300, 600).
    Object(1)->stateFlags |= kStateAttached;
    Object(1)->labelPartnerId = Object(0)->objectId;
    Object(1)->labelPartnerHint = 0;
    ASSERT_EQ(0, Connect(1, -1, 0, 205, 300, 600));
    RECT bigger = {1000, 1000, 2000, 1800};
    DrawingObject* host = Object(0);
    host->frame = bigger;
    MarkLinksOf(Drawing(), host->objectId, kLinkTargetMoved, 0, -1);
    ASSERT_EQ(0, UpdateLinks(Drawing()));
    DrawingObject* label = Object(1);
    EXPECT_EQ(1500, (label->frame.left + label->frame.right) / 2);
    EXPECT_EQ(1800, label->frame.top);
    EXPECT_EQ(0, FindHostObject(Objects(), 1, 0));
}

TEST_F(LinkBookkeeping, ChainOfHangingShapesFollowsInOneUpdate)
{
    CreateRow(4);
    // 3 hangs on 2, 2 on 1, 1 on 0: each top-left on the previous top-right.
    // Linked in this order, the entries of later targets come first.
    ASSERT_EQ(0, Connect(3, -1, 2, 201, 600, 0));
    ASSERT_EQ(0, Connect(2, -1, 1, 201, 600, 0));
    ASSERT_EQ(0, Connect(1, -1, 0, 201, 600, 0));
    ASSERT_EQ(0, MoveHost(0, 0, 400));
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(1000 + 600 * i, TopLeft(i).x) << i;
        EXPECT_EQ(1400, TopLeft(i).y) << i;
    }
}

TEST_F(LinkBookkeeping, DeletingTheHostDetachesWhatHangsOnIt)
{
    CreateRow(3);
    ASSERT_EQ(0, Connect(1, -1, 0, 201, 600, 0));
    ASSERT_EQ(0, Connect(2, -1, 0, 203, 0, 600));
    ASSERT_EQ(2, TableCount(Links()));
    ASSERT_EQ(0, DeleteObjects(Drawing(), 0, 0));
    EXPECT_EQ(0, Object(0)->linkCount);
    EXPECT_EQ(0, Object(1)->linkCount);
    EXPECT_EQ(0, TableCount(Links()));
    EXPECT_EQ(kTableHeadSize, static_cast<int>(RecordSize(kTableLinks)));
}

TEST_F(LinkBookkeeping, The6001stLinkIsRefused)
{
    CreateRow(2);
    // 6000 entries of a target that sorts after every object.
    SetTableCount(kTableLinks, kMaxLinks);
    for (int i = 0; i < kMaxLinks; ++i) {
        LinkEntry* entry = LinkEntryAt(Links(), i);
        *entry = {30000, -1, 30001, -1, 0};
    }
    EXPECT_EQ(kErrTooManyLinks, Connect(1, -1, 0, 201, 600, 0));
    EXPECT_EQ(kMaxLinks, TableCount(Links()));
    // The slot stays attached without its entry until the step is cancelled.
    EXPECT_EQ(1, Object(1)->linkCount);
    EXPECT_EQ(kErrTooManyLinks, AddLink(Drawing(), 1, 0));
}

TEST_F(LinkBookkeeping, RetargetingOneEndKeepsTheOtherEndOnTheOldTarget)
{
    CreateRow(3);
    // A holder with two slots, like a line with both ends on object 0.
    Object(2)->linkCapacity = 2;
    ASSERT_EQ(0, Connect(2, -1, 0, 1, 600, 0));
    ASSERT_EQ(0, Connect(2, -1, 0, 2, 600, 600));
    ASSERT_EQ(2, TableCount(Links()));
    // The first end moves to object 1.
    ASSERT_EQ(0, Connect(2, 0, 1, 1, 0, 300));
    DrawingObject* holder = Object(2);
    ASSERT_EQ(2, holder->linkCount);
    // The kept end is first; the re-targeted one went to the end of the list.
    EXPECT_EQ(Object(0)->objectId, holder->links[0].targetId);
    EXPECT_EQ(2, holder->links[0].connectCode);
    EXPECT_EQ(Object(1)->objectId, holder->links[1].targetId);
    EXPECT_EQ(1, holder->links[1].connectCode);
    EXPECT_EQ((std::vector<int>{Object(0)->objectId, Object(1)->objectId}), EntryTargets());
}

TEST_F(LinkBookkeeping, SameTargetUpdatesTheSlotInPlace)
{
    CreateRow(2);
    ASSERT_EQ(0, Connect(1, -1, 0, 201, 600, 0));
    ASSERT_EQ(0, Connect(1, 0, 0, 203, 600, 600));
    EXPECT_EQ(1, TableCount(Links()));
    EXPECT_EQ(203, Object(1)->links[0].connectCode);
    EXPECT_EQ(600, Object(1)->links[0].y);
    EXPECT_EQ(0, FindSlotByConnectPoint(Object(1), 203));
    EXPECT_EQ(-1, FindSlotByConnectPoint(Object(1), 201));
}

TEST_F(LinkBookkeeping, RingOfHangingShapesThatAgreeEnds)
{
    CreateRow(2);
    // 1's top-left on 0's top-right, and 0's top-right on 1's top-left: once
    // they meet, every follow is a move of nothing, which marks nothing.
    ASSERT_EQ(0, Connect(1, -1, 0, 201, 600, 0));
    ASSERT_EQ(0, Connect(0, -1, 1, 202, 0, 0));
    ASSERT_EQ(0, OffsetObject(Drawing(), Objects(), 0, 10, 0));
    ASSERT_EQ(0, UpdateLinks(Drawing()));
    EXPECT_EQ(Object(0)->frame.right, Object(1)->frame.left);
    for (int i = 0; i < TableCount(Links()); ++i)
        EXPECT_EQ(0u, LinkEntryAt(Links(), i)->flags) << i;
}

TEST_F(LinkBookkeeping, RingOfHangingShapesThatCannotAgreeStops)
{
    CreateRow(2);
    // Each top-left on the other's top-right: every follow moves the other
    // again. The passes are bounded, so the update ends.
    ASSERT_EQ(0, Connect(1, -1, 0, 201, 600, 0));
    ASSERT_EQ(0, Connect(0, -1, 1, 201, 600, 0));
    ASSERT_EQ(0, OffsetObject(Drawing(), Objects(), 0, 10, 0));
    ASSERT_EQ(0, UpdateLinks(Drawing()));
    EXPECT_LT(TopLeft(0).x, 10000);
    EXPECT_LT(TopLeft(1).x, 10000);
}

TEST_F(LinkBookkeeping, ZeroMovesMarkNothing)
{
    CreateRow(3);
    ASSERT_EQ(0, Connect(1, -1, 0, 201, 600, 0));
    ASSERT_EQ(0, Connect(2, -1, 1, 201, 600, 0));
    MarkLinksOf(Drawing(), Object(0)->objectId, kLinkTargetMoved, 0, -1);
    ASSERT_EQ(0, UpdateLinks(Drawing()));
    // Everything hangs where it should: a second update moves nothing and
    // leaves no entry marked.
    MarkLinksOf(Drawing(), Object(0)->objectId, kLinkTargetMoved, 0, -1);
    MarkLinksOf(Drawing(), Object(1)->objectId, kLinkTargetMoved, 0, -1);
    POINT before = TopLeft(2);
    ASSERT_EQ(0, UpdateLinks(Drawing()));
    EXPECT_EQ(before.x, TopLeft(2).x);
    for (int i = 0; i < TableCount(Links()); ++i)
        EXPECT_EQ(0u, LinkEntryAt(Links(), i)->flags) << i;
}

TEST_F(LinkBookkeeping, StructurePushedOutIsBroughtBackWhole)
{
    CreateRow(2);
    ASSERT_EQ(0, Connect(1, -1, 0, 201, 600, 0));
    MarkLinksOf(Drawing(), Object(0)->objectId, kLinkTargetMoved, 0, -1);
    ASSERT_EQ(0, UpdateLinks(Drawing()));
    // The host moves to the right edge: the hanging shape would stick out.
    ASSERT_EQ(0, OffsetObject(Drawing(), Objects(), 0, 18800, 0));
    ASSERT_EQ(0, UpdateLinks(Drawing()));
    EXPECT_LE(Object(1)->frame.right, 20000);
    EXPECT_EQ(Object(0)->frame.right, Object(1)->frame.left);
}

TEST_F(LinkBookkeeping, DroppedAndOrphanedEntriesGo)
{
    CreateRow(3);
    ASSERT_EQ(0, Connect(1, -1, 0, 201, 600, 0));
    ASSERT_EQ(0, Connect(2, -1, 0, 201, 600, 0));
    LinkEntryAt(Links(), 0)->flags |= kLinkDrop;
    ASSERT_EQ(0, UpdateLinks(Drawing()));
    EXPECT_EQ(1, TableCount(Links()));
    EXPECT_EQ(0, Object(1)->linkCount + Object(2)->linkCount - 1);
    LinkEntryAt(Links(), 0)->flags |= kLinkTargetDeleted;
    ASSERT_EQ(0, UpdateLinks(Drawing()));
    EXPECT_EQ(0, TableCount(Links()));
    EXPECT_EQ(0, Object(1)->linkCount + Object(2)->linkCount);
}

TEST_F(LinkBookkeeping, RebuildRefreshesHintsAndDropsLostSources)
{
    CreateRow(3);
    ASSERT_EQ(0, Connect(2, -1, 0, 201, 600, 0));
    LinkEntryAt(Links(), 0)->targetHint = 7;
    LinkEntryAt(Links(), 0)->sourceHint = 9;
    Object(2)->links[0].targetHint = 5;
    ASSERT_EQ(0, RebuildLinkTable(Drawing()));
    EXPECT_EQ(0, LinkEntryAt(Links(), 0)->targetHint);
    EXPECT_EQ(2, LinkEntryAt(Links(), 0)->sourceHint);
    EXPECT_EQ(0, Object(2)->links[0].targetHint);
    LinkEntryAt(Links(), 0)->sourceId = 999;
    ASSERT_EQ(0, RebuildLinkTable(Drawing()));
    EXPECT_EQ(0, TableCount(Links()));
}

TEST_F(LinkBookkeeping, CollectingAHostBringsWhatHangsOnIt)
{
    CreateRow(4);
    ASSERT_EQ(0, Connect(1, -1, 0, 201, 600, 0));
    ASSERT_EQ(0, Connect(2, -1, 1, 201, 600, 0));
    HGLOBAL list = nullptr;
    RECT box;
    ASSERT_EQ(0, CollectObjectsToMove(Drawing(), 0, 0, 1, 1, &list, &box));
    std::vector<int> got;
    for (int i = 0; i < ListCount(list); ++i)
        got.push_back(ListIndex(list, i));
    EXPECT_EQ((std::vector<int>{0, 1, 2}), got);
    EXPECT_EQ(1000, box.left);
    EXPECT_EQ(2 * 700 + 1600, box.right);
    FreeLinkedObjects(list, Objects());
    for (int i = 0; i < Count(); ++i)
        EXPECT_EQ(0u, Object(i)->stateFlags & kStateCollected) << i;
}

} // namespace
