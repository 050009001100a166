// Verification: each kind of damage to an open store is named by its code.
#include "common/file_helpers.h"
#include "store_test_support.h"
#include "support/test_paths.h"

namespace {

// Runs a change on the free map in memory.
template <typename Change>
void ChangeMap(int store, Change change)
{
    uint32_t token = 0;
    ASSERT_EQ(0, FetchFreeMap(store, &token));
    FreeMapHeader* map = static_cast<FreeMapHeader*>(GlobalLock(TokenHandle(token)));
    change(map);
    GlobalUnlock(TokenHandle(token));
}

// The entry of record (1, id) in its group block.
EntryRef RecordRef(int store, short id)
{
    EntryRef ref = {};
    bool found = false;
    EXPECT_EQ(0, FindGroupEntry(store, kMainRootKey, 1, &ref, &found));
    uint32_t group = 0;
    EXPECT_EQ(0, FetchBlock(ref, kMainRootKey, &group));
    LockedBlock locked(TokenHandle(group));
    return EntryRef{store, group, SearchIndexBlock(locked.bytes(), id, &found)};
}

HGLOBAL LoadedRecord(int store, short id)
{
    RecordHandle handle = nullptr;
    EXPECT_EQ(0, FindRecord(store, 1, id, &handle));
    return handle;
}

} // namespace

class StoreVerificationTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        store_ = OpenNewStore();
        ASSERT_EQ(0, CreateGroup(store_, 1));
        for (short id = 0; id < 6; ++id)
            Make(store_, 1, id, 100 + 70 * id, id);
        RecordHandle handle = nullptr;
        for (short id : {1, 3}) {
            ASSERT_EQ(0, FindRecord(store_, 1, id, &handle));
            ASSERT_EQ(0, DeleteRecordByHandle(handle));
            GlobalFree(handle);
        }
        ASSERT_GE(ReadMap(store_).header.count, 2);
        ASSERT_EQ(0, VerifyStore(store_));
    }
    int store_ = -1;
};

TEST_F(StoreVerificationTest, AFreshStoreIsSound)
{
    int store = OpenNewStore("fresh.tst");
    EXPECT_EQ(0, VerifyStore(store));
    EXPECT_EQ(0, VerifyFreeMap(store));
    EXPECT_EQ(kStoreErrNotOpen, VerifyStore(50));
}

TEST_F(StoreVerificationTest, SpaceLostToAFullMapStillAddsUp)
{
    int store = OpenNewStore("full.tst", 6, 1);
    ASSERT_EQ(0, CreateGroup(store, 1));
    for (short id = 0; id < 6; ++id)
        Make(store, 1, id, 100, id);
    RecordHandle handle = nullptr;
    for (short id : {1, 3}) {
        ASSERT_EQ(0, FindRecord(store, 1, id, &handle));
        ASSERT_EQ(0, DeleteRecordByHandle(handle));
        GlobalFree(handle);
    }
    ASSERT_GT(ReadMap(store).header.lostBytes, 0);
    EXPECT_EQ(0, VerifyStore(store));
}

TEST_F(StoreVerificationTest, AFileShorterByAGranuleGivesTwentyEight)
{
    HFILE file = HFILE_ERROR;
    ASSERT_EQ(0, GetStoreFileHandle(store_, &file));
    const LONG length = FileSizeOf(path_);
    ASSERT_EQ(0, SetFileLength(file, length + 1));
    EXPECT_EQ(0, VerifyStore(store_));
    ASSERT_EQ(0, SetFileLength(file, length - 64));
    EXPECT_EQ(kStoreErrFileLength, VerifyStore(store_));
    ASSERT_EQ(0, SetFileLength(file, length));
}

TEST_F(StoreVerificationTest, EachDamageInMemoryIsNamed)
{
    struct Row {
        const char* name;
        void (*damage)(int store);
        ErrorCode expected;
    };
    const Row rows[] = {
        {"block count one more", [](int store) { StoreSlot(store)->blockCount++; }, kStoreErrBlockCount},
        {"block count and lost bytes both off",
         [](int store) {
             StoreSlot(store)->blockCount++;
             ChangeMap(store, [](FreeMapHeader* map) { map->lostBytes = 64; });
         },
         kStoreErrBlockCount},
        {"first by-offset extent at 0",
         [](int store) { ChangeMap(store, [](FreeMapHeader* map) { ByOffsetList(map)[0].offset = 0; BySizeList(map)[0].offset = 0; }); },
         kStoreErrOffsetOrder},
        {"by-size list descending",
         [](int store) {
             ChangeMap(store, [](FreeMapHeader* map) { std::swap(BySizeList(map)[0], BySizeList(map)[1]); });
         },
         kStoreErrSizeOrder},
        {"extent missing from the by-offset list",
         [](int store) { ChangeMap(store, [](FreeMapHeader* map) { ByOffsetList(map)[0].offset += 64; }); },
         kStoreErrFreeMap},
        {"an extent's size differs between the lists",
         [](int store) { ChangeMap(store, [](FreeMapHeader* map) { ByOffsetList(map)[0].size += 64; }); },
         kStoreErrSizeMismatch},
        {"one extent named twice",
         [](int store) { ChangeMap(store, [](FreeMapHeader* map) { BySizeList(map)[1] = BySizeList(map)[0]; }); },
         kStoreErrSameOffset},
        {"lost bytes that are not there",
         [](int store) { ChangeMap(store, [](FreeMapHeader* map) { map->lostBytes = 64; }); }, kStoreErrLostBytes},
        {"a gap nobody accounts for",
         [](int store) {
             ChangeMap(store, [](FreeMapHeader* map) {
                 // Drop the largest extent from both lists.
                 const FreeExtent big = BySizeList(map)[map->count - 1];
                 FreeExtent* byOffset = ByOffsetList(map);
                 int kept = 0;
                 for (int i = 0; i < map->count; ++i)
                     if (byOffset[i].offset != big.offset)
                         byOffset[kept++] = byOffset[i];
                 map->count = static_cast<int16_t>(kept);
             });
         },
         kStoreErrLostBytes},
        {"two blocks at one offset",
         [](int store) {
             const EntryRef a = RecordRef(store, 0);
             const EntryRef b = RecordRef(store, 2);
             IndexEntry entry = ReadEntry(b);
             entry.offset = ReadEntry(a).offset;
             WriteEntry(b, entry);
         },
         kStoreErrSameOffset},
        {"two blocks overlapping",
         [](int store) {
             const EntryRef a = RecordRef(store, 5);
             IndexEntry entry = ReadEntry(a);
             entry.size += 200;
             WriteEntry(a, entry);
         },
         kStoreErrOverlap},
        {"a loaded block with another key",
         [](int store) { HGLOBAL b = LoadedRecord(store, 4); static_cast<RecordHeader*>(GlobalLock(b))->key = 9; GlobalUnlock(b); },
         kStoreErrNoEntry},
        {"a loaded block with another parent",
         [](int store) { HGLOBAL b = LoadedRecord(store, 4); static_cast<RecordHeader*>(GlobalLock(b))->parent = 2; GlobalUnlock(b); },
         kStoreErrParentMismatch},
        {"a loaded block of another store",
         [](int store) { HGLOBAL b = LoadedRecord(store, 4); static_cast<RecordHeader*>(GlobalLock(b))->storeIndex = 7; GlobalUnlock(b); },
         kStoreErrWrongStore},
        {"a loaded block at another offset",
         [](int store) { HGLOBAL b = LoadedRecord(store, 4); static_cast<RecordHeader*>(GlobalLock(b))->offset += 64; GlobalUnlock(b); },
         kStoreErrOffsetMismatch},
        {"a loaded block of another size",
         [](int store) { HGLOBAL b = LoadedRecord(store, 4); static_cast<RecordHeader*>(GlobalLock(b))->size -= 1; GlobalUnlock(b); },
         kStoreErrSizeMismatch},
    };
    ASSERT_EQ(0, FlushStore(store_, FALSE));
    const std::vector<uint8_t> bytes = ReadWholeFile(path_);
    const std::string path = ScratchPath("copy.tst");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteWholeFile(path, bytes);
        int store = Open(path);
        ASSERT_EQ(0, VerifyStore(store));
        row.damage(store);
        EXPECT_EQ(row.expected, VerifyStore(store));
        // The damage must not reach the file: drop the store unwritten.
        expectNoLeaks_ = false;
        HFILE file = HFILE_ERROR;
        ASSERT_EQ(0, GetStoreFileHandle(store, &file));
        ForgetStore(store);
        CloseFile(file);
    }
}

// A listed record that the file does not hold where its entry says could not
// be read back, yet the tiling of the file still adds up.
TEST_F(StoreVerificationTest, ARecordWhoseHeaderInTheFileIsWrongFailsVerification)
{
    RecordHandle handle = nullptr;
    ASSERT_EQ(0, FindRecord(store_, 1, 4, &handle));
    int owner = 0;
    short parent = 0;
    short key = 0;
    LONG offset = 0;
    DWORD size = 0;
    WORD flags = 0;
    ASSERT_EQ(0, GetRecordHeader(handle, &owner, &parent, &key, &offset, &size, &flags));
    ASSERT_EQ(0, CloseStore(store_));
    struct Row {
        const char* name;
        size_t field;
        ErrorCode expected;
    };
    const Row rows[] = {
        {"another key", offsetof(RecordHeader, key), kStoreErrNoEntry},
        {"another group", offsetof(RecordHeader, parent), kStoreErrParentMismatch},
        {"another offset", offsetof(RecordHeader, offset), kStoreErrOffsetMismatch},
        {"another size", offsetof(RecordHeader, size), kStoreErrSizeMismatch},
    };
    const std::vector<uint8_t> sound = ReadWholeFile(path_);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> bytes = sound;
        bytes[static_cast<size_t>(offset) + row.field] ^= 0x40;
        WriteWholeFile(path_, bytes);
        store_ = Open(path_, true);
        EXPECT_EQ(row.expected, VerifyStore(store_));
        ASSERT_EQ(0, CloseStore(store_));
    }
}
