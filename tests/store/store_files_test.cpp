// Store files as a whole: the bytes of a new store, opening and its refusals,
// the table of open stores, flushing and closing.
#include <climits>
#include <cstring>

#include "common/file_helpers.h"
#include "store_test_support.h"
#include "support/test_paths.h"

namespace {

void PutI16(std::vector<uint8_t>& bytes, size_t at, int value)
{
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutI32(std::vector<uint8_t>& bytes, size_t at, int64_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

int GetI16(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8));
}

int32_t GetI32(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                (static_cast<uint32_t>(bytes[at + 3]) << 24));
}

// The expected image of a new store, written field by field from the layout
// rules: header, free map right after it, two empty roots.
std::vector<uint8_t> ExpectedNewStore(int capacity, int mapAt, int mainAt, int shadowAt, int end)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(end), 0);
    const int mapSize = 28 + 16 * capacity;
    PutI16(bytes, 0, 2);
    PutI16(bytes, 2, -1);
    PutI32(bytes, 4, 0);
    PutI16(bytes, 14, 6);
    PutI16(bytes, 16, 0);
    PutI16(bytes, 18, 32700 - capacity);
    const int roots[3][3] = {{-1, mainAt, 18}, {-2, shadowAt, 18}, {-3, mapAt, mapSize}};
    for (int i = 0; i < 3; ++i) {
        PutI16(bytes, 24 + 14 * i, roots[i][0]);
        PutI32(bytes, 26 + 14 * i, roots[i][1]);
        PutI32(bytes, 30 + 14 * i, roots[i][2]);
    }
    // The map: key -3, parent -4, its offset and size, capacity, count 0, lost 0, end of data.
    PutI16(bytes, mapAt, -3);
    PutI16(bytes, mapAt + 2, -4);
    PutI32(bytes, mapAt + 6, mapAt);
    PutI32(bytes, mapAt + 10, mapSize);
    PutI16(bytes, mapAt + 16, capacity);
    PutI32(bytes, mapAt + 24, end);
    const int rootAt[2][2] = {{-1, mainAt}, {-2, shadowAt}};
    for (const auto& root : rootAt) {
        PutI16(bytes, root[1], root[0]);
        PutI16(bytes, root[1] + 2, -4);
        PutI32(bytes, root[1] + 6, root[1]);
        PutI32(bytes, root[1] + 10, 18);
    }
    return bytes;
}

} // namespace

TEST_F(StoreTest, NewStoreIsByteForByteTheLayout)
{
    struct Row {
        const char* name;
        int capacity;
        int mapAt, mainAt, shadowAt, end;
    };
    const Row rows[] = {
        {"document capacity 200", 200, 256, 3520, 3584, 3648},
        {"library capacity 50", 50, 256, 1088, 1152, 1216},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = MakeStoreFile(row.name, 6, row.capacity);
        const std::vector<uint8_t> bytes = ReadWholeFile(path);
        ASSERT_EQ(static_cast<size_t>(row.end), bytes.size());
        EXPECT_TRUE(bytes == ExpectedNewStore(row.capacity, row.mapAt, row.mainAt, row.shadowAt, row.end));
    }
}

TEST_F(StoreTest, CreateStoreInFileWritesTheSameBytesAndOpens)
{
    const std::string path = ScratchPath("infile.tst");
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_CREATE | OF_READWRITE | OF_SHARE_EXCLUSIVE);
    ASSERT_NE(HFILE_ERROR, file);
    int store = -1;
    ASSERT_EQ(0, CreateStoreInFile(file, &store, 0, 6, 200));
    HFILE held = HFILE_ERROR;
    EXPECT_EQ(0, GetStoreFileHandle(store, &held));
    EXPECT_EQ(file, held);
    EXPECT_TRUE(ReadWholeFile(path) == ExpectedNewStore(200, 256, 3520, 3584, 3648));
    EXPECT_EQ(0, VerifyStore(store));
    EXPECT_EQ(0, CloseStore(store));
    // Closing writes the header and the roots again, flags as they stood:
    // the header open and changed, the roots changed.
    std::vector<uint8_t> expected = ExpectedNewStore(200, 256, 3520, 3584, 3648);
    PutI16(expected, 8, kSlotOpen | kSlotHeaderChanged);
    PutI16(expected, 3520 + 14, kBlockChanged);
    PutI16(expected, 3584 + 14, kBlockChanged);
    const std::vector<uint8_t> after = ReadWholeFile(path);
    ASSERT_EQ(expected.size(), after.size());
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(expected[i], after[i]) << "at byte " << i;
}

TEST_F(StoreTest, ShiftOutsideZeroToTenGivesOneAndLeavesNoFile)
{
    for (int shift : {11, -1}) {
        SCOPED_TRACE(shift);
        const std::string path = ScratchPath("badshift.tst");
        EXPECT_EQ(kStoreErrBadShift, CreateStoreFile(path.c_str(), 0, shift, 200));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    }
}

TEST_F(StoreTest, OpenRefusesWhatIsNotAStoreHeader)
{
    const std::string good = MakeStoreFile("good.tst");
    const std::vector<uint8_t> bytes = ReadWholeFile(good);
    struct Row {
        const char* name;
        size_t at;
        int value;
        ErrorCode expected;
    };
    const Row rows[] = {
        {"version 3", 0, 3, kStoreErrNotStore},
        {"second word 0", 2, 0, kStoreErrNotStore},
        {"base offset 64", 4, 64, kStoreErrBaseMismatch},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> damaged = bytes;
        PutI16(damaged, row.at, row.value);
        const std::string path = ScratchPath("damaged.tst");
        WriteWholeFile(path, damaged);
        int store = -1;
        int second = 0;
        EXPECT_EQ(row.expected, OpenStoreByName(path.c_str(), &store, 0, &second, FALSE));
        EXPECT_EQ(kStoreErrNotOpen, CheckStoreIndex(0));
    }
}

TEST_F(StoreTest, StoreAtANonZeroBaseOffset)
{
    const std::string path = ScratchPath("based.tst");
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_CREATE | OF_READWRITE | OF_SHARE_EXCLUSIVE);
    ASSERT_NE(HFILE_ERROR, file);
    int store = -1;
    ASSERT_EQ(0, CreateStoreInFile(file, &store, 1000, 6, 50));
    ASSERT_EQ(0, CreateGroup(store, 1));
    Make(store, 1, 1, 500, 7);
    EXPECT_EQ(0, VerifyStore(store));
    ASSERT_EQ(0, FlushStore(store, TRUE));
    ForgetStore(store);
    int second = 0;
    ASSERT_EQ(0, OpenStoreInFile(file, &store, 1000, &second));
    EXPECT_EQ(-1, second);
    RecordHandle handle = nullptr;
    ASSERT_EQ(0, FindRecord(store, 1, 1, &handle));
    EXPECT_EQ(PatternBytes(484, 7), PayloadOf(handle));
    EXPECT_EQ(0, VerifyStore(store));
    EXPECT_EQ(0, CloseStore(store));
}

TEST_F(StoreTest, TheHundredAndFirstOpenGivesTwo)
{
    const std::string path = MakeStoreFile("many.tst");
    for (int i = 0; i < kStoreTableSlots; ++i) {
        int store = -1;
        int second = 0;
        ASSERT_EQ(0, OpenStoreByName(path.c_str(), &store, 0, &second, TRUE));
        ASSERT_EQ(i, store);
    }
    int store = -1;
    int second = 0;
    EXPECT_EQ(kStoreErrNoFreeSlot, OpenStoreByName(path.c_str(), &store, 0, &second, TRUE));
}

TEST_F(StoreTest, CheckStoreIndexNamesRangeAndOpenness)
{
    EXPECT_EQ(kStoreErrIndexRange, CheckStoreIndex(-1));
    EXPECT_EQ(kStoreErrIndexRange, CheckStoreIndex(kStoreTableSlots));
    EXPECT_EQ(kStoreErrNotOpen, CheckStoreIndex(0));
    EXPECT_EQ(kStoreErrNotOpen, CloseStore(0));
    EXPECT_EQ(kStoreErrIndexRange, CloseStore(-1));
    int store = OpenNewStore();
    EXPECT_EQ(0, CheckStoreIndex(store));
}

TEST_F(StoreTest, CheckpointFlagSurvivesReopenAndOtherFlagsStartFresh)
{
    int store = OpenNewStore();
    ASSERT_EQ(0, BeginCheckpoint(store));
    store = Reopen(store);
    EXPECT_EQ(kSlotOpen | kSlotCheckpoint, StoreSlot(store)->flags);
    ASSERT_EQ(0, CommitCheckpoint(store));
    store = Reopen(store);
    EXPECT_EQ(kSlotOpen, StoreSlot(store)->flags);
    ASSERT_EQ(0, CloseStore(store));
    store = Open(path_, true);
    EXPECT_EQ(kSlotOpen | kSlotReadOnly, StoreSlot(store)->flags);
}

TEST_F(StoreTest, FlushOfAReadOnlyStoreWritesNothingAndClearsMarks)
{
    int store = OpenNewStore();
    ASSERT_EQ(0, CreateGroup(store, 3));
    Make(store, 3, 1, 100, 1);
    ASSERT_EQ(0, CloseStore(store));
    const std::vector<uint8_t> before = ReadWholeFile(path_);
    store = Open(path_, true);
    RecordHandle handle = nullptr;
    ASSERT_EQ(0, FindRecord(store, 3, 1, &handle));
    FillPayload(handle, 99);
    ASSERT_EQ(0, SetRecordDirty(handle));
    SeamArmFault(kSeamWrite | kSeamSetLength, LONG_MAX, false);
    EXPECT_EQ(0, FlushStore(store, FALSE));
    EXPECT_EQ(0, SeamCallsCounted());
    SeamDisarm();
    EXPECT_EQ(0, HeaderOf(handle).flags & kBlockChanged);
    EXPECT_EQ(0, CloseStore(store));
    EXPECT_TRUE(before == ReadWholeFile(path_));
}

TEST_F(StoreTest, ABlockWhoseHeaderDisagreesWithItsEntryIsRefused)
{
    int store = OpenNewStore();
    ASSERT_EQ(0, CreateGroup(store, 2));
    RecordHandle handle = Make(store, 2, 9, 40, 3);
    const int32_t at = HeaderOf(handle).offset;
    ASSERT_EQ(0, CloseStore(store));
    const std::vector<uint8_t> good = ReadWholeFile(path_);
    struct Row {
        const char* name;
        size_t field;
        int64_t value;
        bool wide;
        ErrorCode expected;
    };
    const Row rows[] = {
        {"other offset", 6, at + 64, true, kStoreErrOffsetMismatch},
        {"other size", 10, 41, true, kStoreErrSizeMismatch},
        {"other parent", 2, 7, false, kStoreErrParentMismatch},
        {"other key", 0, 8, false, kStoreErrNoEntry},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> damaged = good;
        if (row.wide)
            PutI32(damaged, static_cast<size_t>(at) + row.field, row.value);
        else
            PutI16(damaged, static_cast<size_t>(at) + row.field, static_cast<int>(row.value));
        WriteWholeFile(path_, damaged);
        store = Open(path_);
        EXPECT_EQ(row.expected, FindRecord(store, 2, 9, &handle));
        EXPECT_EQ(nullptr, handle);
        // The entry holds no handle, so the next lookup reads again.
        EntryRef ref = {};
        bool found = false;
        ASSERT_EQ(0, FindGroupEntry(store, kMainRootKey, 2, &ref, &found));
        uint32_t group = 0;
        ASSERT_EQ(0, FetchBlock(ref, kMainRootKey, &group));
        EXPECT_EQ(nullptr, EntryBlock(EntryRef{store, group, 0}));
        EXPECT_EQ(row.expected, FindRecord(store, 2, 9, &handle));
        ASSERT_EQ(0, CloseStore(store));
    }
}

TEST_F(StoreTest, A100000ByteBlockMovesInThreePieces)
{
    // A store in a file handed over keeps no journal: only the block's own writes count.
    path_ = MakeStoreFile("pieces.tst");
    HFILE file = OpenFileMode(path_.c_str(), nullptr, OF_READWRITE | OF_SHARE_DENY_WRITE);
    ASSERT_NE(HFILE_ERROR, file);
    int store = -1;
    int second = 0;
    ASSERT_EQ(0, OpenStoreInFile(file, &store, 0, &second));
    ASSERT_EQ(0, CreateGroup(store, 1));
    RecordHandle handle = Make(store, 1, 1, 100000, 5);
    ASSERT_EQ(0, FlushStore(store, FALSE));
    FillPayload(handle, 6);
    ASSERT_EQ(0, SetRecordDirty(handle));
    // Detaching writes this block alone.
    SeamArmFault(kSeamWrite, LONG_MAX, false);
    ASSERT_EQ(0, DetachRecord(handle));
    EXPECT_EQ(3, SeamCallsCounted());
    GlobalFree(handle);
    SeamArmFault(kSeamRead, LONG_MAX, false);
    ASSERT_EQ(0, FindRecord(store, 1, 1, &handle));
    EXPECT_EQ(3, SeamCallsCounted());
    SeamDisarm();
    EXPECT_EQ(PatternBytes(100000 - 16, 6), PayloadOf(handle));
    EXPECT_EQ(0, VerifyStore(store));
}

TEST_F(StoreTest, FilesHoldNoSessionValuesAndSameStepsGiveSameBytes)
{
    std::vector<uint8_t> images[2];
    for (int round = 0; round < 2; ++round) {
        // A second store open first puts this one in another slot.
        int other = round == 1 ? OpenNewStore("other.tst") : -1;
        int store = OpenNewStore("same.tst");
        ASSERT_NE(other, store);
        ASSERT_EQ(0, CreateGroup(store, 4));
        ASSERT_EQ(0, CreateGroup(store, 8));
        for (short id = 0; id < 20; ++id)
            Make(store, id % 2 ? 4 : 8, id, 30 + 11 * id, id);
        ASSERT_EQ(0, BeginCheckpoint(store));
        RecordHandle handle = nullptr;
        ASSERT_EQ(0, FindRecord(store, 4, 3, &handle));
        ASSERT_EQ(0, MarkRecordChanged(handle));
        ASSERT_EQ(0, CloseStore(store));
        if (other >= 0) {
            ASSERT_EQ(0, CloseStore(other));
        }
        images[round] = ReadWholeFile(path_);
    }
    EXPECT_TRUE(images[0] == images[1]);
    // The header's file handle and the three roots' handles are zero.
    const std::vector<uint8_t>& bytes = images[0];
    EXPECT_EQ(0, GetI16(bytes, 10));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(0, GetI32(bytes, 34 + 14 * i));
    const int mainAt = GetI32(bytes, 26);
    const int count = GetI16(bytes, static_cast<size_t>(mainAt) + 16);
    ASSERT_EQ(2, count);
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(0, GetI32(bytes, static_cast<size_t>(mainAt) + 18 + 14 * i + 10));
    EXPECT_EQ(0, GetI16(bytes, static_cast<size_t>(mainAt) + 4));
}

// A failed close leaves the store open, so that the caller can close again or give it up.
TEST_F(StoreTest, CloseAfterAFailedFlushKeepsTheStoreOpenForARetryOrToBeAbandoned)
{
    for (bool retry : {true, false}) {
        SCOPED_TRACE(retry ? "closed again" : "abandoned");
        int store = OpenNewStore();
        ASSERT_EQ(0, CreateGroup(store, 1));
        Make(store, 1, 1, 64, 1);
        SeamArmFault(kSeamWrite, 1, !retry);
        EXPECT_EQ(kErrFile, CloseStore(store));
        SeamDisarm();
        ASSERT_EQ(0, CheckStoreIndex(store));
        if (retry) {
            ASSERT_EQ(0, CloseStore(store));
        } else {
            AbandonStore(store);
        }
        EXPECT_EQ(kStoreErrNotOpen, CheckStoreIndex(store));
        // The file is closed: it can be opened for writing again, and holds
        // the record only when the close succeeded.
        HFILE file = OpenFileMode(path_.c_str(), nullptr, OF_READWRITE | OF_SHARE_DENY_WRITE);
        EXPECT_NE(HFILE_ERROR, file);
        CloseFile(file);
        store = Open(path_);
        StoreModel model;
        model.groups = {1};
        model.records[{1, 1}] = PatternBytes(64 - 16, 1);
        EXPECT_EQ("", CompareWithModel(store, retry ? model : StoreModel()));
        ASSERT_EQ(0, CloseStore(store));
    }
}

TEST_F(StoreTest, ForgetStoreFreesTheSlotOnly)
{
    int store = OpenNewStore();
    ASSERT_EQ(0, FlushStore(store, TRUE));
    HFILE file = HFILE_ERROR;
    ASSERT_EQ(0, GetStoreFileHandle(store, &file));
    ForgetStore(store);
    ForgetStore(-1);
    ForgetStore(kStoreTableSlots);
    EXPECT_EQ(kStoreErrNotOpen, CheckStoreIndex(store));
    int again = -1;
    int second = 0;
    ASSERT_EQ(0, OpenStoreInFile(file, &again, 0, &second));
    EXPECT_EQ(store, again);
    EXPECT_EQ(0, VerifyStore(again));
}

TEST_F(StoreTest, OpenOfAMissingFileGivesFileErrorAndFreesTheSlot)
{
    int store = -1;
    int second = 0;
    EXPECT_EQ(kErrFile, OpenStoreByName(ScratchPath("missing.tst").c_str(), &store, 0, &second, FALSE));
    EXPECT_EQ(kStoreErrNotOpen, CheckStoreIndex(0));
}

TEST_F(StoreTest, AWriterHoldsOffOtherWritersButNotReaders)
{
    int store = OpenNewStore();
    int reader = Open(path_, true);
    EXPECT_GE(reader, 0);
    int writer = -1;
    int second = 0;
    EXPECT_EQ(kErrFile, OpenStoreByName(path_.c_str(), &writer, 0, &second, FALSE));
    (void)store;
}
