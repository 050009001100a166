#include <gtest/gtest.h>

#include "common/app_globals.h"
#include "frame/app_startup.h"
#include "documents/clipboard_store.h"
#include "store/record_store.h"

namespace {

const short kMarkerGroup = 110;
const short kMarkerId = 5;

class ClipboardStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppInstance = GetModuleHandleA(nullptr);
        ASSERT_EQ(kErrNone, InitRecordStore(kStoreTableSlots));
        GetClipboardStorePath(path_);
    }
    void TearDown() override
    {
        if (ClipboardScratchStore >= 0)
            DiscardError(CloseOrAbandonStore(ClipboardScratchStore), "a test that needs a clean close checks it itself");
        ClipboardScratchStore = -1;
        TermRecordStore();
        EmptyTheClipboard();
    }
    static void EmptyTheClipboard()
    {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
    }
    static void PutPrivateFormat()
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, 4);
        SetClipboardData(RegisterClipboardFormatA("VXPICT"), data);
        CloseClipboard();
    }
    static bool PrivateFormatAvailable()
    {
        return IsClipboardFormatAvailable(RegisterClipboardFormatA("VXPICT")) != 0;
    }
    bool MarkerFound() const
    {
        RecordHandle record = nullptr;
        if (FindRecord(ClipboardScratchStore, kMarkerGroup, kMarkerId, &record) != kErrNone)
            return false;
        ReleaseRecord(record);
        return true;
    }
    // A fresh store holding one marker record, closed again.
    void MakeStoreWithMarker()
    {
        EmptyTheClipboard();
        ASSERT_EQ(kErrNone, RegisterClipboardFormats());
        RecordHandle record = nullptr;
        ASSERT_EQ(kErrNone, CreateRecord(ClipboardScratchStore, kMarkerGroup, kMarkerId, 32, &record));
        ASSERT_EQ(kErrNone, SetRecordDirty(record));
        ReleaseRecord(record);
        CloseClipboardStore();
    }
    char path_[MAX_PATH] = "";
};

} // namespace

TEST_F(ClipboardStoreTest, WithoutOurFormatANewEmptyStoreIsMade)
{
    MakeStoreWithMarker();
    EmptyTheClipboard();
    ASSERT_EQ(kErrNone, RegisterClipboardFormats());
    ASSERT_GE(ClipboardScratchStore, 0);
    EXPECT_FALSE(MarkerFound());
    const short groups[] = {100, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120};
    for (short group : groups) {
        SCOPED_TRACE(group);
        EXPECT_EQ(kStoreErrExists, CreateGroup(ClipboardScratchStore, group));
    }
    EXPECT_NE(0u, PrivatePictFormat);
    EXPECT_NE(0u, StdScaleFormat);
}

TEST_F(ClipboardStoreTest, WithOurFormatOnTheClipboardTheStoreOfTheLastRunStays)
{
    MakeStoreWithMarker();
    PutPrivateFormat();
    ASSERT_EQ(kErrNone, RegisterClipboardFormats());
    EXPECT_TRUE(MarkerFound());
    EXPECT_TRUE(PrivateFormatAvailable());
}

TEST_F(ClipboardStoreTest, DamagedOrMissingStoreIsMadeAnewAndTheClipboardEmptied)
{
    struct Case {
        const char* name;
        bool remove;
    };
    const Case cases[] = {{"Damaged", false}, {"Missing", true}};
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        MakeStoreWithMarker();
        if (row.remove) {
            DeleteFileA(path_);
        } else {
            HANDLE file = CreateFileA(path_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, file);
            DWORD written = 0;
            WriteFile(file, "not a store at all", 18, &written, nullptr);
            CloseHandle(file);
        }
        PutPrivateFormat();
        ASSERT_EQ(kErrNone, RegisterClipboardFormats());
        ASSERT_GE(ClipboardScratchStore, 0);
        EXPECT_FALSE(MarkerFound());
        EXPECT_FALSE(PrivateFormatAvailable());
        CloseClipboardStore();
    }
}

TEST(ExitApplication, IsSafeWhenNothingWasStarted)
{
    ExitApplication();
    ExitApplication();
    EXPECT_EQ(0, RecordStoreTableMade);
    EXPECT_EQ(0, ObjectKindsInitialised);
}
