// Compaction: blocks move down over the holes, the map ends empty, the file
// is cut; a failure part way leaves a sound store and says so.
#include <climits>

#include "common/file_helpers.h"
#include "store_test_support.h"

namespace {

int32_t OffsetOf(int store, short group, short id)
{
    RecordHandle handle = nullptr;
    EXPECT_EQ(0, FindRecord(store, group, id, &handle));
    return HeaderOf(handle).offset;
}

void Delete(int store, short group, short id)
{
    RecordHandle handle = nullptr;
    ASSERT_EQ(0, FindRecord(store, group, id, &handle));
    ASSERT_EQ(0, DeleteRecordByHandle(handle));
    GlobalFree(handle);
}

} // namespace

class StoreCompactionTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        store_ = OpenNewStore();
        ASSERT_EQ(0, CreateGroup(store_, 1));
        for (short id = 0; id < 3; ++id)
            Make(store_, 1, id, 200, id);
    }
    int store_ = -1;
};

TEST_F(StoreCompactionTest, AStoreWithoutHolesStaysAsItIs)
{
    const int32_t last = OffsetOf(store_, 1, 2);
    ASSERT_EQ(0, FlushStore(store_, FALSE));
    const LONG length = FileSizeOf(path_);
    ASSERT_EQ(0, CompactStore(store_));
    EXPECT_EQ(last, OffsetOf(store_, 1, 2));
    EXPECT_EQ(length, FileSizeOf(path_));
    EXPECT_EQ(0, VerifyStore(store_));
}

TEST_F(StoreCompactionTest, ARecordAfterAHoleMovesDownByTheHole)
{
    const StoreModel before = [&] {
        StoreModel model = ModelOf(store_);
        model.records.erase({1, 1});
        return model;
    }();
    const int32_t hole = OffsetOf(store_, 1, 1);
    Delete(store_, 1, 1);
    const int32_t end = ReadMap(store_).header.endOfData;
    ASSERT_EQ(0, CompactStore(store_));
    EXPECT_EQ(hole, OffsetOf(store_, 1, 2));
    const MapImage map = ReadMap(store_);
    EXPECT_EQ(0, map.header.count);
    EXPECT_EQ(0, map.header.lostBytes);
    EXPECT_EQ(end - 256, map.header.endOfData);
    EXPECT_EQ(end - 256, FileSizeOf(path_));
    EXPECT_EQ(0, VerifyStore(store_));
    store_ = StoreTest::Reopen(store_);
    EXPECT_EQ(0, VerifyStore(store_));
    EXPECT_EQ("", CompareWithModel(store_, before));
}

TEST_F(StoreCompactionTest, AHoleAtTheEndIsCutOff)
{
    const int32_t last = OffsetOf(store_, 1, 2);
    const int32_t first = OffsetOf(store_, 1, 0);
    Delete(store_, 1, 2);
    ASSERT_EQ(0, CompactStore(store_));
    EXPECT_EQ(first, OffsetOf(store_, 1, 0));
    EXPECT_EQ(last, ReadMap(store_).header.endOfData);
    EXPECT_EQ(last, FileSizeOf(path_));
    EXPECT_EQ(0, VerifyStore(store_));
}

TEST_F(StoreCompactionTest, LostSpaceIsGivenBackToo)
{
    int store = OpenNewStore("small.tst", 6, 1);
    ASSERT_EQ(0, CreateGroup(store, 1));
    for (short id = 0; id < 8; ++id)
        Make(store, 1, id, 100 + id * 64, id);
    Delete(store, 1, 1);
    Delete(store, 1, 3);
    Delete(store, 1, 5);
    StoreModel before = ModelOf(store);
    ASSERT_GT(ReadMap(store).header.lostBytes, 0);
    ASSERT_EQ(0, VerifyStore(store));
    ASSERT_EQ(0, CompactStore(store));
    EXPECT_EQ(0, ReadMap(store).header.lostBytes);
    EXPECT_EQ(0, ReadMap(store).header.count);
    EXPECT_EQ(0, VerifyStore(store));
    store = Reopen(store);
    EXPECT_EQ("", CompareWithModel(store, before));
    EXPECT_EQ(0, VerifyStore(store));
}

TEST_F(StoreCompactionTest, ANegativeIdMakesCompactionRefuseUnchanged)
{
    Make(store_, 1, -5, 100, 5);
    Delete(store_, 1, 1);
    const MapImage before = ReadMap(store_);
    EXPECT_EQ(kStoreErrKeyOrder, CompactStore(store_));
    EXPECT_EQ(kStoreErrKeyOrder, VerifyStore(store_));
    EXPECT_EQ(before.header.count, ReadMap(store_).header.count);
    EXPECT_EQ(before.header.endOfData, ReadMap(store_).header.endOfData);
}

TEST_F(StoreCompactionTest, ShadowBlocksMoveTooAndUndoStillWorks)
{
    const StoreModel before = ModelOf(store_);
    ASSERT_EQ(0, BeginCheckpoint(store_));
    RecordHandle handle = nullptr;
    ASSERT_EQ(0, FindRecord(store_, 1, 0, &handle));
    ASSERT_EQ(0, MarkRecordChanged(handle));
    FillPayload(handle, 40);
    Delete(store_, 1, 1);
    Make(store_, 1, 9, 3000, 9);
    ASSERT_EQ(0, CompactStore(store_));
    EXPECT_EQ(0, VerifyStore(store_));
    store_ = StoreTest::Reopen(store_);
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ("", CompareWithModel(store_, before));
    EXPECT_EQ(0, VerifyStore(store_));
}

TEST_F(StoreCompactionTest, AReadOnlyStoreIsNotCompacted)
{
    Delete(store_, 1, 1);
    ASSERT_EQ(0, CloseStore(store_));
    const std::vector<uint8_t> bytes = ReadWholeFile(path_);
    store_ = Open(path_, true);
    EXPECT_EQ(kStoreErrCompaction, CompactStore(store_));
    EXPECT_EQ(0, VerifyStore(store_));
    ASSERT_EQ(0, CloseStore(store_));
    EXPECT_TRUE(bytes == ReadWholeFile(path_));
}

TEST_F(StoreCompactionTest, AFailedMovePartWayLeavesASoundStoreAndSaysSo)
{
    for (short id = 3; id < 12; ++id)
        Make(store_, 1, id, 150 + id, id);
    for (short id = 0; id < 12; id += 2)
        Delete(store_, 1, id);
    ASSERT_EQ(0, FlushStore(store_, TRUE));
    ASSERT_EQ(0, CloseStore(store_));
    const std::vector<uint8_t> original = ReadWholeFile(path_);
    // Fail the Nth write for every N that falls inside the moves.
    for (long nth = 1;; ++nth) {
        SCOPED_TRACE(nth);
        WriteWholeFile(path_, original);
        store_ = Open(path_);
        const StoreModel before = ModelOf(store_);
        SeamArmFault(kSeamWrite, nth, false);
        const ErrorCode result = CompactStore(store_);
        const bool fired = SeamFaultFired();
        SeamDisarm();
        if (!fired) {
            EXPECT_EQ(0, result);
            EXPECT_EQ(0, VerifyStore(store_));
            ASSERT_EQ(0, CloseStore(store_));
            EXPECT_LT(nth, 40);
            break;
        }
        EXPECT_EQ(kStoreErrCompaction, result);
        EXPECT_EQ(0, VerifyStore(store_));
        store_ = StoreTest::Reopen(store_);
        EXPECT_EQ(0, VerifyStore(store_));
        EXPECT_EQ("", CompareWithModel(store_, before));
        // A second try finishes the work.
        EXPECT_EQ(0, CompactStore(store_));
        EXPECT_EQ(0, ReadMap(store_).header.count);
        EXPECT_EQ(0, VerifyStore(store_));
        ASSERT_EQ(0, CloseStore(store_));
    }
}

TEST_F(StoreCompactionTest, AFileThatCannotBeCutIsAFailure)
{
    Delete(store_, 1, 1);
    const StoreModel before = ModelOf(store_);
    SeamArmFault(kSeamSetLength, 1, false);
    EXPECT_EQ(kStoreErrCompaction, CompactStore(store_));
    EXPECT_TRUE(SeamFaultFired());
    SeamDisarm();
    EXPECT_EQ(0, VerifyStore(store_));
    store_ = StoreTest::Reopen(store_);
    EXPECT_EQ(0, VerifyStore(store_));
    EXPECT_EQ("", CompareWithModel(store_, before));
}

TEST_F(StoreCompactionTest, AProbeThatFindsNoMemoryChangesNothing)
{
    Delete(store_, 1, 1);
    const int32_t last = OffsetOf(store_, 1, 2);
    SeamArmFault(kSeamAlloc, 1, true);
    const ErrorCode result = CompactStore(store_);
    SeamDisarm();
    EXPECT_EQ(kErrNoMemory, result);
    EXPECT_EQ(last, OffsetOf(store_, 1, 2));
    EXPECT_EQ(0, VerifyStore(store_));
}
