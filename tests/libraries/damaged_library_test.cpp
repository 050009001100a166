// Library files that lie about their counts and sizes: each opens with a
// refusal or opens sound, and a failed load leaves no store behind.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "common/app_globals.h"
#include "common/io_seam.h"
#include "libraries/library_window.h"
#include "libraries/library_windows.h"
#include "support/crash_guard.h"
#include "support/library_fixture.h"
#include "store/record_store.h"
#include "support/test_paths.h"

namespace {

const int kRow = 3;
const int kMutations = 60;

int OpenStores()
{
    int open = 0;
    for (int store = 0; store < kStoreTableSlots; ++store)
        open += CheckStoreIndex(store) == kErrNone ? 1 : 0;
    return open;
}

class DamagedLibraries : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        AppInstance = GetModuleHandleA(nullptr);
        ASSERT_NE(0, RegisterLibraryClass(AppInstance));
    }
    static void TearDownTestSuite() { UnregisterClassA(kLibraryClassName, AppInstance); }

    void SetUp() override
    {
        ClearLibraryRows();
        parent_ = CreateWindowA("STATIC", "", WS_OVERLAPPED, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, parent_);
        storesBefore_ = OpenStores();
    }
    void TearDown() override
    {
        if (LibraryWindows[kRow].window)
            DestroyWindow(LibraryWindows[kRow].window);
        DestroyWindow(parent_);
        EXPECT_EQ(storesBefore_, OpenStores()) << "a store stayed open";
        ClearLibraryRows();
    }

    // Opens the file docked into the hidden parent, paints it and closes it.
    int OpenPaintClose(const std::string& path)
    {
        const int result = CreateAttachedLibraryWindow(kRow, parent_, path.c_str());
        if (result == 0) {
            HWND window = LibraryWindows[kRow].window;
            EXPECT_NE(nullptr, window);
            UpdateWindow(window);
            DestroyWindow(window);
        }
        EXPECT_EQ(nullptr, LibraryWindows[kRow].window);
        EXPECT_EQ(-1, LibraryWindows[kRow].store);
        return result;
    }

    HWND parent_ = nullptr;
    int storesBefore_ = 0;
};

// Rewrites one record of a library file through the store.
template <typename Edit>
void EditRecord(const std::string& path, short group, short id, Edit edit)
{
    int store = -1;
    int secondWord = 0;
    ASSERT_EQ(kErrNone, OpenStoreByName(path.c_str(), &store, 0, &secondWord, FALSE));
    RecordHandle record = nullptr;
    if (FindRecord(store, group, id, &record) == kErrNone) {
        edit(&record);
        DiscardError(SetRecordDirty(record), "the test writes what it can");
    }
    DiscardError(CloseOrAbandonStore(store), "the test writes what it can");
}

template <typename T>
T* Payload(RecordHandle record)
{
    return RecordPayload<T>(GlobalLock(record));
}

TEST_F(DamagedLibraries, TableOfDamagedFiles)
{
    LibraryFixture forty;
    forty.symbols = kMaxLibrarySymbols;
    const std::string sound = WriteLibraryFixture(ScratchPath("forty.vxl"), forty);
    ASSERT_FALSE(sound.empty());
    struct Case {
        const char* name;
        short group;
        short id;
        void (*edit)(RecordHandle* record);
        int expected;
    };
    const Case cases[] = {
        {"sound", kLibraryInfoGroup, kLibraryHeaderId, [](RecordHandle*) {}, 0},
        {"symbol count 41", kLibraryInfoGroup, kLibraryHeaderId,
         [](RecordHandle* r) { Payload<LibraryHeader>(*r)->symbolCount = 41; GlobalUnlock(*r); }, 1},
        {"symbol count -1", kLibraryInfoGroup, kLibraryHeaderId,
         [](RecordHandle* r) { Payload<LibraryHeader>(*r)->symbolCount = -1; GlobalUnlock(*r); }, 1},
        {"connect points 5000", kLibraryInfoGroup, kLibraryHeaderId,
         [](RecordHandle* r) { Payload<LibraryHeader>(*r)->items[5].connectPointCount = 5000; GlobalUnlock(*r); }, 0},
        {"further chunks 32000", kLibraryInfoGroup, kLibraryHeaderId,
         [](RecordHandle* r) { Payload<LibraryHeader>(*r)->items[7].furtherChunks = 32000; GlobalUnlock(*r); }, 0},
        {"symbol id of no picture", kLibraryInfoGroup, kLibraryHeaderId,
         [](RecordHandle* r) { Payload<LibraryHeader>(*r)->items[2].symbolId = -20; GlobalUnlock(*r); }, 0},
        {"palette count 30000", kLibraryInfoGroup, kLibraryViewId,
         [](RecordHandle* r) { Payload<LibraryViewBlock>(*r)->paletteCount = 30000; GlobalUnlock(*r); }, 0},
        {"button size 32000", kLibraryInfoGroup, kLibraryViewId,
         [](RecordHandle* r) { Payload<LibraryViewBlock>(*r)->buttonSize = 32000; GlobalUnlock(*r); }, 0},
        {"header cut to 100 bytes", kLibraryInfoGroup, kLibraryHeaderId,
         [](RecordHandle* r) { DiscardError(ResizeRecord(r, 100), "checked by the open"); }, 1},
        {"view block cut to 20 bytes", kLibraryInfoGroup, kLibraryViewId,
         [](RecordHandle* r) { DiscardError(ResizeRecord(r, 20), "checked by the open"); }, 0},
        {"picture chunk cut short", kLibraryPictureGroup, 1,
         [](RecordHandle* r) { DiscardError(ResizeRecord(r, 40), "checked by the reader"); }, 0},
        {"name without terminator", kLibraryNameGroup, 1,
         [](RecordHandle* r) {
             std::memset(static_cast<char*>(GlobalLock(*r)) + kRecordHeaderBytes, 'x', kLibraryNameRecordSize - 16);
             GlobalUnlock(*r);
         },
         0},
    };
    for (const Case& test : cases) {
        const std::string path = ScratchPath("damaged.vxl");
        ASSERT_TRUE(CopyFileA(sound.c_str(), path.c_str(), FALSE)) << test.name;
        EditRecord(path, test.group, test.id, test.edit);
        EXPECT_EQ(test.expected, OpenPaintClose(path)) << test.name;
    }
}

TEST_F(DamagedLibraries, SeededMutationsNeverReadPastTheData)
{
    LibraryFixture forty;
    forty.symbols = kMaxLibrarySymbols;
    const std::string sound = WriteLibraryFixture(ScratchPath("forty.vxl"), forty);
    ASSERT_FALSE(sound.empty());
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> anyShort(-32768, 32767);
    std::uniform_int_distribution<int> smallCount(-5, 60);
    std::uniform_int_distribution<int> item(0, kMaxLibrarySymbols - 1);
    std::uniform_int_distribution<int> which(0, 5);
    std::uniform_int_distribution<int> size(16, 6000);
    CrashGuard guard("library-file");
    for (int round = 0; round < kMutations; ++round) {
        const std::string path = ScratchPath("mutated.vxl");
        ASSERT_TRUE(CopyFileA(sound.c_str(), path.c_str(), FALSE));
        const int kind = which(random);
        const int at = item(random);
        const int value = kind == 0 ? smallCount(random) : anyShort(random);
        const DWORD newSize = static_cast<DWORD>(size(random));
        EditRecord(path, kLibraryInfoGroup, kind >= 3 ? kLibraryViewId : kLibraryHeaderId, [&](RecordHandle* r) {
            switch (kind) {
            case 0:
                Payload<LibraryHeader>(*r)->symbolCount = static_cast<int16_t>(value);
                break;
            case 1:
                Payload<LibraryHeader>(*r)->items[at].connectPointCount = static_cast<int16_t>(value);
                break;
            case 2:
                Payload<LibraryHeader>(*r)->items[at].furtherChunks = static_cast<int16_t>(value);
                break;
            case 3:
                Payload<LibraryViewBlock>(*r)->paletteCount = static_cast<int16_t>(value);
                break;
            default:
                DiscardError(ResizeRecord(r, newSize), "checked by the open");
                return;
            }
            GlobalUnlock(*r);
        });
        std::ifstream in(path, std::ios::binary);
        guard.Reading("round " + std::to_string(round),
                      std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        in.close();
        const int result = OpenPaintClose(path);
        EXPECT_TRUE(result == 0 || result == 1) << "round " << round;
    }
}

TEST_F(DamagedLibraries, FailedLoadLeavesTheRowWithoutAStore)
{
    LibraryFixture fixture;
    fixture.symbols = 4;
    fixture.viewBlock = false;
    const std::string path = WriteLibraryFixture(ScratchPath("noview.vxl"), fixture);
    ASSERT_FALSE(path.empty());
    int failures = 0;
    for (long nth = 1; nth < 80; ++nth) {
        const std::string copy = ScratchPath("noview-copy.vxl");
        ASSERT_TRUE(CopyFileA(path.c_str(), copy.c_str(), FALSE));
        SeamArmFault(kSeamAlloc | kSeamWrite, nth, false);
        const ErrorCode code = LoadLibraryIntoRow(kRow, copy.c_str());
        SeamDisarm();
        if (code) {
            ++failures;
            EXPECT_EQ(-1, LibraryWindows[kRow].store) << nth;
            EXPECT_EQ(nullptr, LibraryWindows[kRow].header) << nth;
            EXPECT_EQ(nullptr, LibraryWindows[kRow].view) << nth;
        }
        ReleaseRowLibrary(kRow);
        EXPECT_EQ(storesBefore_, OpenStores()) << nth;
    }
    EXPECT_GT(failures, 0);
}

} // namespace
