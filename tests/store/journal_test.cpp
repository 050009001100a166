// The journal of a store opened by name: what a writer that stopped part-way
// leaves is rolled back at the next open; a journal still in use is not.
#include <string>
#include <vector>

#include "common/file_helpers.h"
#include "store_test_support.h"
#include "support/test_paths.h"

namespace {

// Changes that overwrite blocks already in the file, grow it and free space.
void ChangeEverything(int store)
{
    for (short id = 1; id <= 6; ++id) {
        RecordHandle handle = nullptr;
        ASSERT_EQ(0, FindRecord(store, 1, id, &handle));
        ASSERT_EQ(0, MarkRecordChanged(handle));
        FillPayload(handle, 100u + id);
        ASSERT_EQ(0, ResizeRecord(&handle, 400u + 50u * id));
    }
    RecordHandle big = nullptr;
    ASSERT_EQ(0, CreateRecord(store, 2, 1, 90000, &big));
    FillPayload(big, 7);
    ASSERT_EQ(0, SetRecordDirty(big));
}

// Where the writer stopped: the Nth call of a kind failed from then on, and
// the program went away without closing the store.
struct Stop {
    const char* name;
    unsigned mask;
    long nth;
    bool readOnlyOpen; // how the next open asks for the file
};

const Stop kStops[] = {
    {"at the flush's second write", kSeamWrite, 2, false},
    {"part-way through the store's writes", kSeamWrite, 8, false},
    {"after every write, before the journal went", kSeamDelete, 1, false},
    {"after every write, opened to read only", kSeamDelete, 1, true},
};

} // namespace

class StoreJournalTest : public StoreTest {
protected:
    // A committed store of two groups and its bytes.
    std::vector<uint8_t> CommittedStore()
    {
        int store = OpenNewStore("journal.tst");
        EXPECT_EQ(0, CreateGroup(store, 1));
        EXPECT_EQ(0, CreateGroup(store, 2));
        for (short id = 1; id <= 12; ++id)
            Make(store, 1, id, 100u + 30u * id, id);
        EXPECT_EQ(0, CloseStore(store));
        return ReadWholeFile(path_);
    }
    // Opens the store, changes it and writes it all without committing: the
    // journal stays, still held by the open store.
    int WrittenButNotCommitted()
    {
        int store = Open(path_);
        ChangeEverything(store);
        SeamArmFault(kSeamDelete, 1, true);
        EXPECT_NE(0, FlushStore(store, TRUE));
        SeamDisarm();
        EXPECT_TRUE(JournalExists());
        return store;
    }
    std::string JournalPath() const { return path_ + "-journal"; }
    bool JournalExists() const { return GetFileAttributesA(JournalPath().c_str()) != INVALID_FILE_ATTRIBUTES; }
};

TEST_F(StoreJournalTest, AJournalLeftByAStoppedCommitIsRolledBackAtOpen)
{
    for (const Stop& stop : kStops) {
        SCOPED_TRACE(stop.name);
        const std::vector<uint8_t> committed = CommittedStore();
        int store = Open(path_);
        ChangeEverything(store);
        SeamArmFault(stop.mask, stop.nth, true);
        EXPECT_NE(0, FlushStore(store, TRUE));
        SeamDisarm();
        AbandonStore(store);
        ASSERT_TRUE(JournalExists());
        if (stop.mask == kSeamDelete) {
            ASSERT_NE(committed, ReadWholeFile(path_)) << "the store was not written";
        }
        store = Open(path_, stop.readOnlyOpen);
        ASSERT_GE(store, 0);
        EXPECT_FALSE(JournalExists());
        EXPECT_EQ(committed, ReadWholeFile(path_));
        EXPECT_EQ(0, VerifyStore(store));
        ASSERT_EQ(0, CloseStore(store));
    }
}

TEST_F(StoreJournalTest, AJournalWithATornHeaderIsDroppedAndTheFileLeftAlone)
{
    const std::vector<uint8_t> committed = CommittedStore();
    WriteWholeFile(JournalPath(), {0x54, 0x4A, 0x4E});
    int store = Open(path_);
    ASSERT_GE(store, 0);
    EXPECT_FALSE(JournalExists());
    EXPECT_EQ(committed, ReadWholeFile(path_));
}

TEST_F(StoreJournalTest, AJournalItsWriterStillHoldsIsNotRolledBack)
{
    CommittedStore();
    int writer = WrittenButNotCommitted();
    const std::vector<uint8_t> written = ReadWholeFile(path_);
    int reader = Open(path_, true);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(written, ReadWholeFile(path_));
    ASSERT_EQ(0, CloseStore(reader));
    ASSERT_EQ(0, CloseStore(writer));
    EXPECT_FALSE(JournalExists());
}

TEST_F(StoreJournalTest, AFailedRollBackKeepsTheJournalAndRefusesTheOpen)
{
    const std::vector<uint8_t> committed = CommittedStore();
    AbandonStore(WrittenButNotCommitted());
    int store = -1;
    for (unsigned mask : {unsigned(kSeamWrite), unsigned(kSeamFlush), unsigned(kSeamDelete)}) {
        SeamArmFault(mask, 1, true);
        int second = 0;
        EXPECT_NE(0, OpenStoreByName(path_.c_str(), &store, 0, &second, FALSE));
        SeamDisarm();
        EXPECT_TRUE(JournalExists());
    }
    store = Open(path_);
    EXPECT_EQ(committed, ReadWholeFile(path_));
}

TEST_F(StoreJournalTest, StoresInAFileHandedOverKeepNoJournal)
{
    CommittedStore();
    HFILE file = OpenFileMode(path_.c_str(), nullptr, OF_READWRITE | OF_SHARE_DENY_WRITE);
    ASSERT_NE(HFILE_ERROR, file);
    int store = -1;
    int second = 0;
    ASSERT_EQ(0, OpenStoreInFile(file, &store, 0, &second));
    ChangeEverything(store);
    ASSERT_EQ(0, FlushStore(store, FALSE));
    SeamArmFault(kSeamDelete, 1, true);
    EXPECT_EQ(0, CloseStore(store));
    EXPECT_FALSE(SeamFaultFired());
    SeamDisarm();
}

TEST_F(StoreJournalTest, AFileMadeAnewDoesNotTakeTheJournalOfTheOldOne)
{
    CommittedStore();
    AbandonStore(WrittenButNotCommitted());
    ASSERT_TRUE(DeleteFileA(path_.c_str()));
    ASSERT_EQ(0, CreateStoreFile(path_.c_str(), 0, kStoreShift, kDocumentMapCapacity));
    const std::vector<uint8_t> fresh = ReadWholeFile(path_);
    int store = Open(path_);
    ASSERT_GE(store, 0);
    EXPECT_EQ(fresh, ReadWholeFile(path_));
    EXPECT_EQ(0, VerifyStore(store));
}
