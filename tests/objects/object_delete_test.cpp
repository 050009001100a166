// Deleting objects with their labels, links, records and group membership.
#include <gtest/gtest.h>

#include <vector>

#include "drawing_fixture.h"
#include "objects/drawing_tables.h"
#include "objects/object_delete.h"
#include "store/record_store.h"

namespace {

class ObjectDeletion : public DrawingFixture {
protected:
    // Makes object `label` the attached label of `carrier`.
    void Attach(int label, int carrier)
    {
        DrawingObject* l = Object(label);
        DrawingObject* c = Object(carrier);
        l->stateFlags |= kStateAttached;
        l->labelPartnerId = c->objectId;
        l->labelPartnerHint = carrier;
        c->labelPartnerId = l->objectId;
        c->labelPartnerHint = label;
        c->textRoleFlags |= 0x40;
    }
    std::vector<int> Ids()
    {
        std::vector<int> ids;
        for (int i = 0; i < Count(); ++i)
            ids.push_back(Object(i)->objectId);
        return ids;
    }
    ErrorCode Delete(int mode, int index) { return DeleteObjects(Drawing(), mode, index); }
};

TEST_F(ObjectDeletion, SelectedObjectsGoAndTheTablesShrink)
{
    CreateRow(3);
    SelectOnly({0, 2});
    ASSERT_EQ(0, Delete(1, -1));
    EXPECT_EQ(std::vector<int>{2}, Ids());
    EXPECT_EQ(std::vector<int>{0}, DrawOrder());
    EXPECT_EQ(kTableHeadSize + 2 * kObjectEntrySize, static_cast<int>(RecordSize(kTableObjects)));
    EXPECT_EQ(kTableHeadSize + 4, static_cast<int>(RecordSize(kTableDrawOrder)));
    EXPECT_EQ(0, Drawing()->selectedCount);
    EXPECT_EQ(-1, Drawing()->primarySelected);
    EXPECT_EQ(3, Drawing()->lastObjectId);   // largest kept id + 1
    EXPECT_EQ(0, VerifyStore(store_));
}

TEST_F(ObjectDeletion, UnselectedObjectsGoInModeZero)
{
    CreateRow(4);
    SelectOnly({1, 3});
    ASSERT_EQ(0, Delete(0, -1));
    EXPECT_EQ((std::vector<int>{2, 4}), Ids());
    EXPECT_EQ((std::vector<int>{0, 1}), DrawOrder());
    EXPECT_EQ(2, Drawing()->selectedCount);
}

TEST_F(ObjectDeletion, DeletingEverythingClearsTheLoadedSet)
{
    CreateRow(2);
    SelectOnly({0, 1});
    Drawing()->loadedSet = 1;
    ASSERT_EQ(0, Delete(1, -1));
    EXPECT_EQ(0, Count());
    EXPECT_EQ(0, Drawing()->loadedSet);
    EXPECT_EQ(kTableHeadSize + kObjectEntrySize, static_cast<int>(RecordSize(kTableObjects)));
    EXPECT_EQ(1, Drawing()->lastObjectId);
}

TEST_F(ObjectDeletion, DeletingAnEarlierObjectMovesThePrimarySelectionDown)
{
    CreateRow(3);
    SelectOnly({2});
    ASSERT_EQ(0, Delete(0, 0));
    EXPECT_EQ(1, Drawing()->primarySelected);
    EXPECT_EQ(3, Object(Drawing()->primarySelected)->objectId);
    EXPECT_EQ(1, Drawing()->selectedCount);
}

TEST_F(ObjectDeletion, DeletingThePrimaryClearsIt)
{
    CreateRow(3);
    SelectOnly({1});
    ASSERT_EQ(0, Delete(0, 1));
    EXPECT_EQ(-1, Drawing()->primarySelected);
    EXPECT_EQ(0, Drawing()->selectedCount);
}

TEST_F(ObjectDeletion, ALineTakesItsLabelAlong)
{
    CreateRow(3);
    Attach(2, 0);
    SelectOnly({});
    ASSERT_EQ(0, Delete(0, 0));
    EXPECT_EQ(std::vector<int>{2}, Ids());
    EXPECT_EQ(std::vector<int>{0}, DrawOrder());
}

TEST_F(ObjectDeletion, DeletingALabelFreesItsCarrier)
{
    CreateRow(2);
    Attach(1, 0);
    SelectOnly({});
    ASSERT_EQ(0, Delete(0, 1));
    ASSERT_EQ(1, Count());
    EXPECT_EQ(0u, Object(0)->textRoleFlags & 0x40);
    EXPECT_EQ(kNoObjectId, Object(0)->labelPartnerId);
    EXPECT_EQ(-1, Object(0)->labelPartnerHint);
}

TEST_F(ObjectDeletion, KeepingTheSelectionKeepsItsLabelsAndHangers)
{
    CreateRow(4);
    // 0 a selected line whose label is 1; 2 a label hanging on 0 as its host;
    // 3 unrelated.
    Attach(1, 0);
    DrawingObject* hanger = Object(2);
    hanger->stateFlags |= kStateAttached;
    hanger->labelPartnerId = Object(0)->objectId;
    hanger->labelPartnerHint = 0;
    SelectOnly({0});
    ASSERT_EQ(0, Delete(0, -1));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Ids());
    EXPECT_EQ(3, Drawing()->selectedCount);
}

TEST_F(ObjectDeletion, AGroupLeftWithOneMemberIsDissolved)
{
    CreateRow(5);
    // Group 5 of objects 0..2, group 7 of objects 3 and 4 after it.
    SetTableCount(kTableGroups, 2);
    GroupEntry* first = GroupEntryAt(Groups(), 0);
    first->key = 5;
    first->memberCount = 3;
    first->frame = {1000, 1000, 3000, 1300};
    GroupEntry* second = GroupEntryAt(Groups(), 1);
    second->key = 7;
    second->memberCount = 2;
    second->sizingConstraint = 3;
    second->flags = kGroupHangsOnLink;
    second->frame = {3100, 1000, 4400, 1300};
    for (int i = 0; i < 5; ++i) {
        Object(i)->groupKey = i < 3 ? 5 : 7;
        Object(i)->groupIndex = i < 3 ? 0 : 1;
    }
    SelectOnly({0, 2});
    ASSERT_EQ(0, Delete(1, -1));
    ASSERT_EQ(3, Count());
    EXPECT_EQ(0, Object(0)->groupKey);
    EXPECT_EQ(-1, Object(0)->groupIndex);
    ASSERT_EQ(1, TableCount(Groups()));
    const GroupEntry* kept = GroupEntryAt(Groups(), 0);
    EXPECT_EQ(7, kept->key);
    EXPECT_EQ(3, kept->sizingConstraint);
    EXPECT_EQ(kGroupHangsOnLink, kept->flags);
    EXPECT_EQ(7, Object(1)->groupKey);
}

TEST_F(ObjectDeletion, AGroupWithTwoMembersLeftIsRecomputed)
{
    CreateRow(3);
    SetTableCount(kTableGroups, 1);
    GroupEntry* group = GroupEntryAt(Groups(), 0);
    group->key = 9;
    group->memberCount = 3;
    group->frame = {1000, 1000, 3000, 1300};
    for (int i = 0; i < 3; ++i) {
        Object(i)->groupKey = 9;
        Object(i)->groupIndex = 0;
    }
    SelectOnly({2});
    ASSERT_EQ(0, Delete(1, -1));
    ASSERT_EQ(1, TableCount(Groups()));
    group = GroupEntryAt(Groups(), 0);
    EXPECT_EQ(2, group->memberCount);
    EXPECT_EQ(0u, group->flags & kGroupMemberDeleted);
    EXPECT_EQ(Object(0)->bounds.left, group->bounds.left);
    EXPECT_EQ(Object(1)->bounds.right, group->bounds.right);
}

TEST_F(ObjectDeletion, LinksToADeletedObjectAreRemovedAndTheEndsDetached)
{
    CreateRow(3);
    // Object 1 hangs on object 0 with one slot; object 2 on object 1.
    SetTableCount(kTableLinks, 2);
    DrawingObject* holder = Object(1);
    holder->linkCount = 1;
    holder->links[0] = {Object(0)->objectId, 0, 300, 300, 201};
    DrawingObject* other = Object(2);
    other->linkCount = 1;
    other->links[0] = {Object(1)->objectId, 1, 0, 0, 201};
    *LinkEntryAt(Links(), 0) = {Object(0)->objectId, 0, Object(1)->objectId, 1, 0};
    *LinkEntryAt(Links(), 1) = {Object(1)->objectId, 1, Object(2)->objectId, 2, 0};
    SelectOnly({0});
    ASSERT_EQ(0, Delete(1, -1));
    ASSERT_EQ(2, Count());
    EXPECT_EQ(0, Object(0)->linkCount);
    ASSERT_EQ(1, TableCount(Links()));
    const LinkEntry* entry = LinkEntryAt(Links(), 0);
    EXPECT_EQ(Object(0)->objectId, entry->targetId);
    EXPECT_EQ(0, entry->targetHint);
    EXPECT_EQ(1, entry->sourceHint);
    EXPECT_EQ(0, Object(1)->links[0].targetHint);
    EXPECT_EQ(kTableHeadSize + kLinkEntrySize, static_cast<int>(RecordSize(kTableLinks)));

    // Deleting the holder drops the entry it held.
    SelectOnly({1});
    ASSERT_EQ(0, Delete(1, -1));
    EXPECT_EQ(0, TableCount(Links()));
    EXPECT_EQ(0, VerifyStore(store_));
}

TEST_F(ObjectDeletion, RecordsOfTheObjectAreDeleted)
{
    CreateRow(2);
    RecordHandle record = nullptr;
    ASSERT_EQ(0, CreateRecord(store_, kFreeformGroup, 5, 28, &record));
    ReleaseRecord(record);
    ASSERT_EQ(0, CreateRecord(store_, kTextGroup, 8, 16, &record));
    ReleaseRecord(record);
    ASSERT_EQ(0, CreateRecord(store_, kAttachmentGroup, static_cast<short>(Object(0)->objectId), 40, &record));
    ReleaseRecord(record);
    DrawingObject* object = Object(0);
    object->dataGroup = kFreeformGroup;
    object->dataFirstId = 5;
    object->dataCount = 1;
    object->textRecordId = 8;
    SelectOnly({0});
    ASSERT_EQ(0, Delete(1, -1));
    EXPECT_EQ(kStoreErrNotFound, FindRecord(store_, kFreeformGroup, 5, &record));
    EXPECT_EQ(kStoreErrNotFound, FindRecord(store_, kTextGroup, 8, &record));
    EXPECT_EQ(kStoreErrNotFound, FindRecord(store_, kAttachmentGroup, 1, &record));
    EXPECT_EQ(0, VerifyStore(store_));
}

} // namespace

namespace {

TEST_F(ObjectDeletion, NoTableStaysLockedAfterCreatingAndDeleting)
{
    CreateRow(5);
    ASSERT_EQ(0, Create({9000, 9000, 9600, 9300}));
    SelectOnly({1, 3});
    ASSERT_EQ(0, DeleteObjects(Drawing(), 1, -1));
    ASSERT_EQ(0, DeleteObjects(Drawing(), 0, 0));
    for (int table = 0; table < 4; ++table) {
        HGLOBAL handle = DrawingTableHandle(Drawing(), static_cast<DrawingTableId>(table));
        EXPECT_EQ(0u, GlobalFlags(handle) & GMEM_LOCKCOUNT) << table;
    }
}

} // namespace
