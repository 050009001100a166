// Damaged store files: each damage is refused on open or on first access with
// a store code; random byte flips never crash the store.
#include <random>

#include "store_test_support.h"
#include "support/crash_guard.h"
#include "support/test_paths.h"

namespace {

int16_t I16(const std::vector<uint8_t>& b, size_t at) { return static_cast<int16_t>(b[at] | (b[at + 1] << 8)); }
int32_t I32(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24));
}
void Put16(std::vector<uint8_t>& b, size_t at, int value)
{
    b[at] = static_cast<uint8_t>(value);
    b[at + 1] = static_cast<uint8_t>(value >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, int64_t value)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Where the parts of the base file lie, read from its own bytes.
struct Layout {
    size_t map;      // free-map block
    size_t mainRoot; // main root block
    size_t group;    // the first group block of the main tree
    size_t record;   // the first record of that group
};

Layout LayoutOf(const std::vector<uint8_t>& b)
{
    Layout layout = {};
    layout.map = static_cast<size_t>(I32(b, 54));
    layout.mainRoot = static_cast<size_t>(I32(b, 26));
    layout.group = static_cast<size_t>(I32(b, layout.mainRoot + 18 + 2));
    layout.record = static_cast<size_t>(I32(b, layout.group + 18 + 2));
    return layout;
}

bool IsStoreCode(ErrorCode code) { return code.value >= kStoreErrFirst && code.value <= kStoreErrLast; }

// Opens the file and touches everything in it; the first failure comes back.
ErrorCode OpenAndWalk(const std::string& path, bool deep)
{
    int store = -1;
    int second = 0;
    ErrorCode result = OpenStoreByName(path.c_str(), &store, 0, &second, FALSE);
    if (result)
        return result;
    int groups = 0;
    result = CountGroups(store, &groups);
    for (int g = 0; !result && g < groups; ++g) {
        short group = 0;
        result = GetGroupIdAt(store, g, &group);
        int records = 0;
        if (!result)
            result = CountGroupRecords(store, group, &records);
        for (int r = 0; !result && r < records; ++r) {
            short id = 0;
            result = GetGroupRecordId(store, group, r, &id);
            RecordHandle handle = nullptr;
            if (!result)
                result = FindRecord(store, group, id, &handle);
            if (!result)
                PayloadOf(handle);
        }
    }
    if (!result)
        result = VerifyStore(store);
    if (!result && deep) {
        // A store that passed everything must also stand its own operations.
        result = SwapCheckpoint(store, TRUE);
        if (!result || result == kStoreErrNoCheckpoint)
            result = CompactStore(store);
        if (!result)
            result = VerifyStore(store);
    }
    const ErrorCode closed = CloseStore(store);
    return result ? result : closed;
}

} // namespace

class StoreDamagedFileTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        int store = OpenNewStore("base.tst");
        ASSERT_EQ(0, CreateGroup(store, 3));
        ASSERT_EQ(0, CreateGroup(store, 8));
        for (short id = 0; id < 12; ++id)
            Make(store, id % 3 ? 3 : 8, id, 40 + 50 * id, id);
        RecordHandle handle = nullptr;
        ASSERT_EQ(0, FindRecord(store, 3, 4, &handle));
        ASSERT_EQ(0, DeleteRecordByHandle(handle));
        GlobalFree(handle);
        ASSERT_EQ(0, BeginCheckpoint(store));
        ASSERT_EQ(0, FindRecord(store, 3, 5, &handle));
        ASSERT_EQ(0, MarkRecordChanged(handle));
        ASSERT_EQ(0, FindRecord(store, 3, 7, &handle));
        ASSERT_EQ(0, DeleteRecordByHandle(handle));
        GlobalFree(handle);
        ASSERT_EQ(0, CloseStore(store));
        base_ = ReadWholeFile(path_);
        // The undamaged file passes the whole walk.
        const std::string copy = ScratchPath("sound.tst");
        WriteWholeFile(copy, base_);
        ASSERT_EQ(0, OpenAndWalk(copy, true));
        layout_ = LayoutOf(base_);
        ASSERT_GE(I16(base_, layout_.map + 18), 2); // the map holds extents
    }
    std::vector<uint8_t> base_;
    Layout layout_;
};

TEST_F(StoreDamagedFileTest, EachDamageIsRefusedWithAStoreCode)
{
    const Layout& l = layout_;
    const size_t size = base_.size();
    struct Row {
        std::string name;
        size_t at;
        int64_t value;
        int width; // 2 or 4 bytes
        ErrorCode expected;
    };
    const size_t entry0 = l.group + 18;      // first record entry of the group
    const size_t rootEntry0 = l.mainRoot + 18;
    const size_t bySize = l.map + 28;
    const size_t byOffset = l.map + 28 + 8 * static_cast<size_t>(I16(base_, l.map + 16));
    const std::vector<Row> rows = {
        {"version 3", 0, 3, 2, kStoreErrNotStore},
        {"second word 0", 2, 0, 2, kStoreErrNotStore},
        {"base offset 64", 4, 64, 4, kStoreErrBaseMismatch},
        {"shift 11", 14, 11, 2, kStoreErrBadShift},
        {"shift 12", 14, 12, 2, kStoreErrBadShift},
        {"shift 32767", 14, 32767, 2, kStoreErrBadShift},
        {"shift -1", 14, -1, 2, kStoreErrBadShift},
        {"shift 10 for a file laid out with 6", 14, 10, 2, kStoreErrOffsetMismatch},
        {"block count -5", 16, -5, 2, kStoreErrBlockCount},
        {"block count one more", 16, I16(base_, 16) + 1, 2, kStoreErrBlockCount},
        {"block limit -1", 18, -1, 2, kStoreErrLimit},
        {"main root key -5", 24, -5, 2, kStoreErrNoEntry},
        {"main root offset off the granule", 26, I32(base_, 26) + 8, 4, kStoreErrOffsetMismatch},
        {"main root beyond the end", 26, static_cast<int64_t>(size) + 64, 4, kStoreErrOffsetMismatch},
        {"main root size 15", 30, 15, 4, kStoreErrTooSmall},
        {"main root size 17", 30, 17, 4, kStoreErrSizeMismatch},
        {"main root size huge", 30, 0x7FFFFFF0, 4, kStoreErrOffsetMismatch},
        {"shadow root offset elsewhere", 40, I32(base_, 40) + 64, 4, kStoreErrSizeMismatch},
        {"shadow root size 0", 44, 0, 4, kStoreErrTooSmall},
        {"free-map root offset", 54, I32(base_, 54) + 64, 4, kStoreErrOffsetMismatch},
        {"free-map root size", 58, I32(base_, 58) + 16, 4, kStoreErrSizeMismatch},
        {"free-map root size 4", 58, 4, 4, kStoreErrTooSmall},
        {"main root count one more than its block", l.mainRoot + 16, I16(base_, l.mainRoot + 16) + 1, 2, kStoreErrSizeMismatch},
        {"main root count 32767", l.mainRoot + 16, 32767, 2, kStoreErrSizeMismatch},
        {"main root count -1", l.mainRoot + 16, -1, 2, kStoreErrSizeMismatch},
        {"negative group key", rootEntry0, -7, 2, kStoreErrNegativeGroup},
        {"group keys not ascending", rootEntry0, 30000, 2, kStoreErrKeyOrder},
        {"group entry size 17", rootEntry0 + 6, 17, 4, kStoreErrSizeMismatch},
        {"group block count one more", l.group + 16, I16(base_, l.group + 16) + 1, 2, kStoreErrSizeMismatch},
        {"group block count 20000", l.group + 16, 20000, 2, kStoreErrSizeMismatch},
        {"record keys not ascending", entry0, 32000, 2, kStoreErrKeyOrder},
        {"record entry size 15", entry0 + 6, 15, 4, kStoreErrTooSmall},
        {"record entry size 0", entry0 + 6, 0, 4, kStoreErrTooSmall},
        {"record entry size huge", entry0 + 6, 0x7FFFFFFF, 4, kStoreErrOffsetMismatch},
        {"record entry offset off the granule", entry0 + 2, I32(base_, entry0 + 2) + 2, 4, kStoreErrOffsetMismatch},
        {"record entry offset beyond the end", entry0 + 2, static_cast<int64_t>(size), 4, kStoreErrOffsetMismatch},
        {"record entry offset negative", entry0 + 2, -64, 4, kStoreErrOffsetMismatch},
        {"record entry names the header", entry0 + 2, 0, 4, kStoreErrOffsetMismatch},
        {"record entry names another record", entry0 + 2, I32(base_, entry0 + 14 + 2), 4, kStoreErrSizeMismatch},
        {"record header key", l.record, 99, 2, kStoreErrNoEntry},
        {"record header parent", l.record + 2, 99, 2, kStoreErrParentMismatch},
        {"record header offset", l.record + 6, 0, 4, kStoreErrOffsetMismatch},
        {"record header size", l.record + 10, 999, 4, kStoreErrSizeMismatch},
        {"group header parent", l.group + 2, -2, 2, kStoreErrParentMismatch},
        {"map header key", l.map, -1, 2, kStoreErrNoEntry},
        {"map header parent", l.map + 2, 3, 2, kStoreErrParentMismatch},
        {"map capacity one more", l.map + 16, I16(base_, l.map + 16) + 1, 2, kStoreErrSizeMismatch},
        {"map capacity -1", l.map + 16, -1, 2, kStoreErrSizeMismatch},
        {"map count above capacity", l.map + 18, I16(base_, l.map + 16) + 1, 2, kStoreErrFreeMap},
        {"map count -1", l.map + 18, -1, 2, kStoreErrFreeMap},
        {"map count one more", l.map + 18, I16(base_, l.map + 18) + 1, 2, kStoreErrSizeOrder},
        {"lost bytes negative", l.map + 20, -64, 4, kStoreErrLostBytes},
        {"lost bytes that are not there", l.map + 20, 64, 4, kStoreErrLostBytes},
        {"end of data off the granule", l.map + 24, I32(base_, l.map + 24) - 8, 4, kStoreErrFileLength},
        {"end of data beyond the file", l.map + 24, I32(base_, l.map + 24) + 64, 4, kStoreErrFileLength},
        {"end of data inside the map", l.map + 24, 64, 4, kStoreErrFileLength},
        {"end of data negative", l.map + 24, -64, 4, kStoreErrFileLength},
        {"by-size list out of order", bySize + 4, 0x40000, 4, kStoreErrSizeMismatch},
        {"by-offset extent elsewhere", byOffset, I32(base_, byOffset) + 64, 4, kStoreErrFreeMap},
        {"by-offset first at 0", byOffset, 0, 4, kStoreErrFreeMap},
        {"extent sizes disagree", byOffset + 4, I32(base_, byOffset + 4) + 64, 4, kStoreErrSizeMismatch},
        {"extent beyond the end", bySize, I32(base_, l.map + 24), 4, kStoreErrFreeMap},
        {"extent over a block", bySize, static_cast<int64_t>(l.record), 4, kStoreErrFreeMap},
    };
    const std::string path = ScratchPath("damaged.tst");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> damaged = base_;
        if (row.width == 2)
            Put16(damaged, row.at, static_cast<int>(row.value));
        else
            Put32(damaged, row.at, row.value);
        ASSERT_NE(base_, damaged);
        WriteWholeFile(path, damaged);
        const ErrorCode result = OpenAndWalk(path, false);
        EXPECT_EQ(row.expected, result);
        EXPECT_EQ(kStoreErrNotOpen, CheckStoreIndex(0));
    }
    // The "extent over a block" row must name its extent in both lists to be a
    // real overlap rather than a list mismatch.
    std::vector<uint8_t> overlap = base_;
    const int count = I16(base_, l.map + 18);
    for (int i = 0; i < count; ++i) {
        if (I32(base_, byOffset + 8 * i) == I32(base_, bySize)) {
            Put32(overlap, byOffset + 8 * i, I32(base_, l.group + 18 + 2));
            Put32(overlap, bySize, I32(base_, l.group + 18 + 2));
        }
    }
    WriteWholeFile(path, overlap);
    EXPECT_EQ(kStoreErrSameOffset, OpenAndWalk(path, false));
}

TEST_F(StoreDamagedFileTest, ATruncatedFileIsRefusedAtEveryLength)
{
    const std::string path = ScratchPath("short.tst");
    std::vector<size_t> lengths = {0, 1, 2, 3, 4, 100, 201, 202, 203, 255, 256, 257, layout_.map + 27,
                                   layout_.mainRoot, layout_.mainRoot + 10, layout_.group + 5};
    for (size_t length = base_.size() - 1; length > base_.size() - 200; length -= 13)
        lengths.push_back(length);
    for (size_t length = 300; length < base_.size(); length += 257)
        lengths.push_back(length);
    for (size_t length : lengths) {
        SCOPED_TRACE(length);
        WriteWholeFile(path, std::vector<uint8_t>(base_.begin(), base_.begin() + static_cast<std::ptrdiff_t>(length)));
        const ErrorCode result = OpenAndWalk(path, false);
        EXPECT_EQ(length < 4 ? kStoreErrNotStore : kStoreErrFileLength, result);
    }
}

TEST_F(StoreDamagedFileTest, RandomByteFlipsNeverCrash)
{
    const std::string path = ScratchPath("flipped.tst");
    std::mt19937 random(20240607);
    // Most flips go to the parts that steer the reader: header, map, index blocks.
    const size_t hot[] = {0, layout_.map, layout_.mainRoot, layout_.group,
                          static_cast<size_t>(I32(base_, 40))};
    int refused = 0;
    CrashGuard guard("store-file");
    for (int round = 0; round < 600; ++round) {
        std::vector<uint8_t> damaged = base_;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int f = 0; f < flips; ++f) {
            size_t at = random() % damaged.size();
            if (random() % 4 != 0)
                at = (hot[random() % 5] + random() % 96) % damaged.size();
            damaged[at] ^= static_cast<uint8_t>(1u << (random() % 8));
        }
        WriteWholeFile(path, damaged);
        guard.Reading("round " + std::to_string(round), damaged);
        const ErrorCode result = OpenAndWalk(path, true);
        if (result) {
            ++refused;
            EXPECT_TRUE(IsStoreCode(result) || result == kErrFile || result == kErrNoMemory ||
                        result == kErrDiskFull)
                << "round " << round << " gave " << result;
        }
        ASSERT_EQ(kStoreErrNotOpen, CheckStoreIndex(0)) << "round " << round;
    }
    EXPECT_GT(refused, 100);
}
