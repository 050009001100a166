// Checkpoints: before-images, placeholders, undo and redo by swapping, commit.
#include "store_test_support.h"

namespace {

int ShadowGroupCount(int store)
{
    uint32_t root = 0;
    if (FetchRoot(store, kShadowRootKey, &root))
        return -1;
    LockedBlock locked(TokenHandle(root));
    return IndexCount(locked.bytes());
}

// Changes a record the undoable way: mark, then write a new pattern.
void Change(RecordHandle handle, uint32_t seed)
{
    ASSERT_EQ(0, MarkRecordChanged(handle));
    FillPayload(handle, seed);
}

RecordHandle Find(int store, short group, short id)
{
    RecordHandle handle = nullptr;
    EXPECT_EQ(0, FindRecord(store, group, id, &handle));
    return handle;
}

} // namespace

class StoreCheckpointTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        store_ = OpenNewStore();
        ASSERT_EQ(0, CreateGroup(store_, 1));
        for (short id = 0; id < 5; ++id)
            Make(store_, 1, id, 100 + 30 * id, id);
        ASSERT_EQ(0, FlushStore(store_, FALSE));
        before_ = ModelOf(store_);
    }
    void ExpectSound()
    {
        EXPECT_EQ(0, VerifyStore(store_));
        store_ = Reopen(store_);
        EXPECT_EQ(0, VerifyStore(store_));
    }
    int store_ = -1;
    StoreModel before_;
};

TEST_F(StoreCheckpointTest, UndoRestoresTheContentsBeforeTheFirstChange)
{
    ASSERT_EQ(0, BeginCheckpoint(store_));
    RecordHandle handle = Find(store_, 1, 2);
    Change(handle, 50);
    Change(handle, 51);
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ("", CompareWithModel(store_, before_));
    EXPECT_EQ(0, ShadowGroupCount(store_));
    EXPECT_EQ(0, IsCheckpointOpen(store_));
    ExpectSound();
    EXPECT_EQ("", CompareWithModel(store_, before_));
}

TEST_F(StoreCheckpointTest, UndoOfACreationFreesItsSpace)
{
    const int32_t end = ReadMap(store_).header.endOfData;
    ASSERT_EQ(0, BeginCheckpoint(store_));
    Make(store_, 1, 9, 500, 9);
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    RecordHandle handle = nullptr;
    EXPECT_EQ(kStoreErrNotFound, FindRecord(store_, 1, 9, &handle));
    EXPECT_EQ("", CompareWithModel(store_, before_));
    // Everything beyond the old end of data is free again (or lost).
    const MapImage map = ReadMap(store_);
    int64_t free = map.header.lostBytes;
    for (const FreeExtent& extent : map.byOffset)
        free += extent.size;
    EXPECT_GE(free, map.header.endOfData - end);
    ExpectSound();
}

TEST_F(StoreCheckpointTest, UndoOfADeletionBringsTheRecordBack)
{
    struct Row {
        const char* name;
        bool changedFirst;
    };
    for (const Row& row : {Row{"unchanged", false}, Row{"changed then deleted", true}}) {
        SCOPED_TRACE(row.name);
        RecordHandle handle = Find(store_, 1, 3);
        // A change outside the step that was never flushed: the deletion must
        // still bring back these bytes.
        FillPayload(handle, 77);
        ASSERT_EQ(0, SetRecordDirty(handle));
        StoreModel expected = ModelOf(store_);
        ASSERT_EQ(0, BeginCheckpoint(store_));
        if (row.changedFirst)
            Change(handle, 78);
        ASSERT_EQ(0, DeleteRecordByHandle(handle));
        GlobalFree(handle);
        ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
        EXPECT_EQ("", CompareWithModel(store_, expected));
        ExpectSound();
        EXPECT_EQ("", CompareWithModel(store_, expected));
    }
}

TEST_F(StoreCheckpointTest, UndoAndRedoOfANewGroupWithRecords)
{
    ASSERT_EQ(0, BeginCheckpoint(store_));
    ASSERT_EQ(0, CreateGroup(store_, 7));
    for (short id = 0; id < 4; ++id)
        Make(store_, 7, id, 60 + id, 100 + id);
    RecordHandle handle = Find(store_, 7, 1);
    Change(handle, 200); // a record of a new group needs no before-image
    const StoreModel after = ModelOf(store_);

    ASSERT_EQ(0, SwapCheckpoint(store_, TRUE));
    EXPECT_EQ("", CompareWithModel(store_, before_));
    EXPECT_EQ(0, VerifyStore(store_));
    ASSERT_EQ(0, SwapCheckpoint(store_, TRUE));
    EXPECT_EQ("", CompareWithModel(store_, after));
    EXPECT_EQ(0, VerifyStore(store_));
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ("", CompareWithModel(store_, before_));
    EXPECT_EQ(0, IsCheckpointOpen(store_));
    ExpectSound();
}

TEST_F(StoreCheckpointTest, AResizeWithoutMarkIsNotUndone)
{
    ASSERT_EQ(0, BeginCheckpoint(store_));
    RecordHandle handle = Find(store_, 1, 0);
    ASSERT_EQ(0, ResizeRecord(&handle, 900));
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ(900u, QueryRecordSize(Find(store_, 1, 0)));
    ExpectSound();
}

TEST_F(StoreCheckpointTest, AMarkedResizeIsUndone)
{
    ASSERT_EQ(0, BeginCheckpoint(store_));
    RecordHandle handle = Find(store_, 1, 0);
    ASSERT_EQ(0, MarkRecordChanged(handle));
    ASSERT_EQ(0, ResizeRecord(&handle, 900));
    FillPayload(handle, 5);
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ("", CompareWithModel(store_, before_));
    ExpectSound();
}

TEST_F(StoreCheckpointTest, ARecordMadeAndDeletedInOneStepLeavesAPlaceholderOnly)
{
    ASSERT_EQ(0, BeginCheckpoint(store_));
    RecordHandle handle = Make(store_, 1, 20, 300, 1);
    ASSERT_EQ(0, DeleteRecordByHandle(handle));
    GlobalFree(handle);
    EXPECT_EQ(0, VerifyStore(store_));
    ASSERT_EQ(0, SwapCheckpoint(store_, TRUE));
    EXPECT_EQ("", CompareWithModel(store_, before_));
    EXPECT_EQ(0, VerifyStore(store_));
    ASSERT_EQ(0, SwapCheckpoint(store_, TRUE));
    EXPECT_EQ("", CompareWithModel(store_, before_));
    ASSERT_EQ(0, CommitCheckpoint(store_));
    EXPECT_EQ(0, ShadowGroupCount(store_));
    ExpectSound();
}

TEST_F(StoreCheckpointTest, BeginningAStepCommitsThePreviousOne)
{
    ASSERT_EQ(0, BeginCheckpoint(store_));
    Change(Find(store_, 1, 1), 60);
    const StoreModel afterFirst = ModelOf(store_);
    ASSERT_EQ(0, BeginCheckpoint(store_));
    Change(Find(store_, 1, 4), 61);
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ("", CompareWithModel(store_, afterFirst));
    EXPECT_EQ(kStoreErrNoCheckpoint, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ(kStoreErrNoCheckpoint, SwapCheckpoint(store_, TRUE));
    ExpectSound();
}

TEST_F(StoreCheckpointTest, UndoAndRedoSurviveClosingTheStore)
{
    ASSERT_EQ(0, BeginCheckpoint(store_));
    Change(Find(store_, 1, 2), 90);
    RecordHandle gone = Find(store_, 1, 4);
    ASSERT_EQ(0, DeleteRecordByHandle(gone));
    GlobalFree(gone);
    Make(store_, 1, 30, 2000, 91);
    const StoreModel after = ModelOf(store_);
    store_ = Reopen(store_);
    EXPECT_EQ(1, IsCheckpointOpen(store_));
    ASSERT_EQ(0, SwapCheckpoint(store_, TRUE));
    store_ = Reopen(store_);
    EXPECT_EQ("", CompareWithModel(store_, before_));
    ASSERT_EQ(0, SwapCheckpoint(store_, TRUE));
    store_ = Reopen(store_);
    EXPECT_EQ("", CompareWithModel(store_, after));
    ASSERT_EQ(0, CommitCheckpoint(store_));
    ExpectSound();
    EXPECT_EQ("", CompareWithModel(store_, after));
}

TEST_F(StoreCheckpointTest, CreatingAnExistingIdDuringAStepKeepsTheRecordOnUndo)
{
    ASSERT_EQ(0, BeginCheckpoint(store_));
    RecordHandle handle = nullptr;
    EXPECT_EQ(kStoreErrExists, CreateRecord(store_, 1, 2, 40, &handle));
    EXPECT_EQ(kStoreErrExists, AttachRecordBlock(store_, 1, 2, Find(store_, 1, 3)));
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ("", CompareWithModel(store_, before_));
    ExpectSound();
}

TEST_F(StoreCheckpointTest, RefusedCreationsInAbsentGroupsLeaveNothingForUndo)
{
    ASSERT_EQ(0, BeginCheckpoint(store_));
    RecordHandle handle = nullptr;
    EXPECT_EQ(kStoreErrNotFound, CreateRecord(store_, 5, 1, 40, &handle));
    EXPECT_EQ(kStoreErrExists, CreateGroup(store_, 1));
    EXPECT_EQ(0, ShadowGroupCount(store_));
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ("", CompareWithModel(store_, before_));
    ExpectSound();
}

TEST_F(StoreCheckpointTest, UndoAndRedoOfAGroupDeletion)
{
    ASSERT_EQ(0, CreateGroup(store_, 2));
    Make(store_, 2, 1, 70, 1);
    Make(store_, 2, 2, 5000, 2);
    const StoreModel start = ModelOf(store_);
    ASSERT_EQ(0, BeginCheckpoint(store_));
    Change(Find(store_, 2, 2), 3);       // changed, then its group goes
    Make(store_, 2, 3, 90, 4);           // made in the step: must not come back
    RecordHandle gone = Find(store_, 2, 1);
    ASSERT_EQ(0, DeleteRecordByHandle(gone)); // deleted alone before the group
    GlobalFree(gone);
    ASSERT_EQ(0, DeleteGroup(store_, 2));
    EXPECT_EQ(0, VerifyStore(store_));
    const StoreModel after = ModelOf(store_);
    ASSERT_EQ(0, SwapCheckpoint(store_, TRUE));
    EXPECT_EQ("", CompareWithModel(store_, start));
    EXPECT_EQ(0, VerifyStore(store_));
    ASSERT_EQ(0, SwapCheckpoint(store_, TRUE));
    EXPECT_EQ("", CompareWithModel(store_, after));
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ("", CompareWithModel(store_, start));
    ExpectSound();
    EXPECT_EQ("", CompareWithModel(store_, start));
}

TEST_F(StoreCheckpointTest, AGroupMadeAndDeletedInOneStepLeavesNothing)
{
    ASSERT_EQ(0, BeginCheckpoint(store_));
    ASSERT_EQ(0, CreateGroup(store_, 3));
    Make(store_, 3, 1, 70, 1);
    ASSERT_EQ(0, DeleteGroup(store_, 3));
    ASSERT_EQ(0, CreateGroup(store_, 3)); // and made again
    Make(store_, 3, 2, 70, 2);
    const StoreModel after = ModelOf(store_);
    ASSERT_EQ(0, SwapCheckpoint(store_, TRUE));
    EXPECT_EQ("", CompareWithModel(store_, before_));
    ASSERT_EQ(0, SwapCheckpoint(store_, TRUE));
    EXPECT_EQ("", CompareWithModel(store_, after));
    ASSERT_EQ(0, CommitCheckpoint(store_));
    ExpectSound();
    EXPECT_EQ("", CompareWithModel(store_, after));
}

TEST_F(StoreCheckpointTest, ARecordMovedInDuringAStepLeavesOnUndo)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 80);
    ASSERT_EQ(0, BeginCheckpoint(store_));
    ASSERT_EQ(0, AttachRecordBlock(store_, 1, 40, block));
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ("", CompareWithModel(store_, before_));
    ExpectSound();
}
