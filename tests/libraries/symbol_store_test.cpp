// A symbol's records written into a library and read back: its picture with
// the connect points in the first chunk, its name and its objects; and all
// of them removed again.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "libraries/library_file.h"
#include "libraries/library_table.h"
#include "libraries/symbol_records.h"
#include "objects/picture_chunks.h"
#include "objects/picture_save.h"
#include "store/record_store.h"
#include "support/test_paths.h"

namespace {

const int kRow = 0;
const DWORD kPictureBytes = 200;
const DWORD kStreamBytes = 64;

class SymbolStore : public testing::Test {
protected:
    void SetUp() override
    {
        path_ = ScratchPath("symbol-store.vxl");
        DeleteFileA(path_.c_str());
        ASSERT_EQ(kErrNone, CreateEmptyLibrary(path_.c_str(), 50));
        ASSERT_EQ(kErrNone, OpenLibraryStore(path_.c_str(), &opened_));
        LibraryWindows[kRow].store = opened_.store;
    }
    void TearDown() override
    {
        ReleaseRecord(opened_.header);
        DiscardError(CloseOrAbandonStore(opened_.store), "the test is over");
        ResetLibraryRow(kRow);
    }
    bool Exists(short group, int id)
    {
        RecordHandle record = nullptr;
        if (FindRecord(opened_.store, group, static_cast<short>(id), &record) != kErrNone)
            return false;
        ReleaseRecord(record);
        return true;
    }
    int StorePicture()
    {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kPictureBytes);
        const RECT bounds = {0, 0, 100, 100};
        int id = -1;
        int chunks = 0;
        EXPECT_EQ(kErrNone, SavePicture(opened_.store, kLibraryPictureGroup, block, kPictureBytes, &bounds, &id,
                                        &chunks, 0, nullptr, 0));
        GlobalFree(block);
        return id;
    }

    std::string path_;
    OpenedLibrary opened_;
};

TEST_F(SymbolStore, NamePointsAndObjectsGoInAndComeOutAgain)
{
    const int id = StorePicture();
    ASSERT_GE(id, 0);
    char name[] = "Router;hub switch";
    ASSERT_EQ(kErrNone, StoreVexletName(kRow, id, name));
    HGLOBAL stream = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kStreamBytes);
    ASSERT_EQ(kErrNone, StoreSymbolObjects(opened_.store, id, stream, kStreamBytes));
    GlobalFree(stream);
    VexletRecord item;
    InitVexletRecord(&item);
    item.connectPoints[3] = ConnectPoint{123, 45};
    ASSERT_EQ(kErrNone, WriteChunkConnectPoints(opened_.store, kLibraryPictureGroup, id, item));

    char read[300];
    ReadVexletName(opened_.store, id, read, sizeof(read));
    EXPECT_STREQ("Router;hub switch", read);
    RecordHandle chunk = nullptr;
    ASSERT_EQ(kErrNone, FindRecord(opened_.store, kLibraryPictureGroup, static_cast<short>(id), &chunk));
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(chunk));
    int16_t x = 0;
    std::memcpy(&x, bytes + kChunkConnectPoints + 3 * 4, sizeof(x));
    int16_t count = 0;
    std::memcpy(&count, bytes + kChunkConnectCount, sizeof(count));
    GlobalUnlock(chunk);
    ReleaseRecord(chunk);
    EXPECT_EQ(123, x);
    EXPECT_EQ(kMaxSymbolConnectPoints, count);

    ASSERT_EQ(kErrNone, DeleteSymbolRecords(opened_.store, id, 0));
    EXPECT_FALSE(Exists(kLibraryPictureGroup, id));
    EXPECT_FALSE(Exists(kLibraryNameGroup, id));
    EXPECT_FALSE(Exists(kLibraryObjectsGroup, id));
}

TEST_F(SymbolStore, AnEmptyNameDeletesTheNameRecord)
{
    const int id = StorePicture();
    char name[] = "Hub";
    ASSERT_EQ(kErrNone, StoreVexletName(kRow, id, name));
    char empty[] = "";
    ASSERT_EQ(kErrNone, StoreVexletName(kRow, id, empty));
    EXPECT_FALSE(Exists(kLibraryNameGroup, id));
}

TEST_F(SymbolStore, ALongNameIsCutToWhatTheRecordHolds)
{
    const int id = StorePicture();
    std::string text(400, 'k');
    ASSERT_EQ(kErrNone, StoreVexletName(kRow, id, &text[0]));
    char read[300];
    ReadVexletName(opened_.store, id, read, sizeof(read));
    EXPECT_EQ(256u, std::strlen(read));
}

} // namespace
