#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "common/file_helpers.h"
#include "common/handle_tokens.h"
#include "common/io_seam.h"
#include "document_windows.h"
#include "objects/document_modified.h"
#include "documents/document_record.h"
#include "documents/document_records.h"
#include "documents/file_copy.h"
#include "documents/printer_context.h"
#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "store/record_store.h"
#include "private_temp_folder.h"
#include "stream_bytes.h"
#include "support/test_paths.h"
#include "text/font_list.h"
#include "objects/view_record_word.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

DocumentRecord CopyOfDocumentRecord(HWND document)
{
    DocumentRecord copy = {};
    HGLOBAL handle = GetDocumentRecordHandle(document);
    if (auto* record = handle ? static_cast<DocumentRecord*>(GlobalLock(handle)) : nullptr) {
        copy = *record;
        GlobalUnlock(handle);
    }
    return copy;
}

DWORD RecordSize(int store, short id)
{
    RecordHandle record = nullptr;
    if (FindRecord(store, 100, id, &record) != kErrNone)
        return 0;
    DWORD size = QueryRecordSize(record);
    ReleaseRecord(record);
    return size;
}

// Runs `check` on the view's locked ViewRecord.
template <typename Check>
void WithViewRecord(HWND view, Check check)
{
    HGLOBAL handle = GetViewRecordHandle(view);
    ASSERT_NE(nullptr, handle);
    auto* record = static_cast<ViewRecord*>(GlobalLock(handle));
    ASSERT_NE(nullptr, record);
    check(record);
    GlobalUnlock(handle);
}

class DocumentStores : public testing::Test {
protected:
    void SetUp() override
    {
        tokens_ = TokensInUse();
        UntitledCount = 0;
        MeasureSystem = 1;
    }
    void TearDown() override { SeamDisarm(); }

    // A new untitled document with its records, as New makes it.
    int MakeUntitled(DocumentWindows& windows, int number)
    {
        int store = -1;
        HFILE lock = HFILE_ERROR;
        EXPECT_EQ(kErrNone, CreateWorkingStore(windows.document(), number, 0, 0, nullptr, &store, &lock));
        EXPECT_EQ(HFILE_ERROR, lock);
        return store;
    }
    void Close(DocumentWindows& windows)
    {
        DestroyViewData(windows.view());
        DestroyDocumentData(windows.document());
    }

    size_t tokens_ = 0;
};

} // namespace

TEST_F(DocumentStores, NewDocumentHasItsRecordsAndGroups)
{
    DocumentWindows windows;
    const int store = MakeUntitled(windows, 1);
    ASSERT_GE(store, 0);
    const DocumentRecord record = CopyOfDocumentRecord(windows.document());
    EXPECT_EQ(1, record.untitledNumber);
    EXPECT_EQ(store, record.storeSlot);
    const std::string working = record.workingPath;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    EXPECT_EQ(0, _strnicmp(working.c_str(), folder, strlen(folder))) << working;
    const std::string leaf = working.substr(working.find_last_of('\\') + 1);
    EXPECT_EQ(0, _strnicmp(leaf.c_str(), "VXT", 3)) << leaf;
    EXPECT_EQ(0, _stricmp(leaf.substr(leaf.size() - 4).c_str(), ".tmp")) << leaf;
    EXPECT_TRUE(Exists(working));

    int groups = 0;
    ASSERT_EQ(kErrNone, CountGroups(store, &groups));
    EXPECT_EQ(12, groups);
    for (short group : {100, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120}) {
        int count = -1;
        EXPECT_EQ(kErrNone, CountGroupRecords(store, group, &count)) << group;
    }

    ASSERT_EQ(kErrNone, CreateDocumentRecords(windows.view(), store));
    struct Size {
        short id;
        DWORD bytes;
    };
    const Size sizes[] = {{101, 416}, {102, 172}, {103, 20}, {104, 24}, {105, 296}, {106, 1044}};
    for (const Size& s : sizes)
        EXPECT_EQ(s.bytes, RecordSize(store, s.id)) << "record (100," << s.id << ")";

    WithViewRecord(windows.view(), [&](ViewRecord* view) {
        EXPECT_EQ(4, view->version);
        EXPECT_EQ(store, view->storeSlot);
        EXPECT_EQ(0u, view->flags & kViewModified);
        EXPECT_EQ(-1, view->containerBackground);
        EXPECT_EQ(30000, view->drawingWidth);
        EXPECT_EQ(30000, view->drawingHeight);
        EXPECT_NE(0, view->measuringDC);
        HGLOBAL fontList = GetViewFontList(view);
        ASSERT_EQ(1, FontListCount(fontList));
        LOGFONTA interfaceFont;
        GetDefaultLogFont(&interfaceFont);
        FontListEntry entry;
        ASSERT_TRUE(GetFontListEntry(fontList, 0, &entry));
        EXPECT_STREQ(interfaceFont.lfFaceName, entry.logFont.lfFaceName);
        EXPECT_EQ(1, FontTableCount(GetViewFontTable(view)));
        EXPECT_EQ(0, FontTableSlotValue(GetViewFontTable(view), 0));
        auto* drawing = static_cast<DrawingRecord*>(GlobalLock(GetViewDrawingHandle(view)));
        ASSERT_NE(nullptr, drawing);
        EXPECT_EQ(30000, drawing->width);
        EXPECT_EQ(store, drawing->storeSlot);
        GlobalUnlock(GetViewDrawingHandle(view));
    });

    Close(windows);
    EXPECT_EQ(nullptr, GetViewRecordHandle(windows.view()));
    EXPECT_EQ(nullptr, GetDocumentRecordHandle(windows.document()));
    EXPECT_FALSE(Exists(working)) << "the working file goes with the document";
    EXPECT_EQ(tokens_, TokensInUse());
}

TEST_F(DocumentStores, NewDocumentWithoutPrinterGetsALetterPage)
{
    char printer[kPrinterStringSize];
    GetDefaultPrinterString(printer);
    if (printer[0])
        GTEST_SKIP() << "a default printer exists";
    DocumentWindows windows;
    const int store = MakeUntitled(windows, 1);
    ASSERT_EQ(kErrNone, CreateDocumentRecords(windows.view(), store));
    WithViewRecord(windows.view(), [](ViewRecord* view) {
        EXPECT_NE(0u, view->flags & kViewDefaultPrinter);
        EXPECT_STREQ("", view->printer);
        EXPECT_EQ(5100, view->pageWidth);
        EXPECT_EQ(6600, view->pageHeight);
        EXPECT_EQ(5100, view->printableWidth);
        EXPECT_EQ(6600, view->printableHeight);
        EXPECT_EQ(0, view->margins.left);
        EXPECT_EQ(0, view->deviceMargins.bottom);
        auto* mode = static_cast<DEVMODEA*>(GlobalLock(GetViewDevMode(view)));
        ASSERT_NE(nullptr, mode);
        EXPECT_EQ(DMPAPER_LETTER, mode->dmPaperSize);
        EXPECT_EQ(DMORIENT_PORTRAIT, mode->dmOrientation);
        GlobalUnlock(GetViewDevMode(view));
    });
    Close(windows);
}

TEST_F(DocumentStores, StoredStateReadsBackIntoANewViewRecord)
{
    DocumentWindows windows;
    const int store = MakeUntitled(windows, 1);
    ASSERT_EQ(kErrNone, CreateDocumentRecords(windows.view(), store));
    std::string face;
    WithViewRecord(windows.view(), [&](ViewRecord* view) {
        view->zoom = 1500;
        view->overlap = 100;
        lstrcpyA(view->printer, "");
        FontListEntry entry;
        GetFontListEntry(GetViewFontList(view), 0, &entry);
        face = entry.logFont.lfFaceName;
    });
    ASSERT_EQ(kErrNone, StoreDocumentState(windows.document(), 0));
    EXPECT_EQ(416u, RecordSize(store, 101));
    EXPECT_EQ(static_cast<DWORD>(16 + 8 + 76), RecordSize(store, 104));
    DestroyViewData(windows.view());

    int converted = -1;
    ASSERT_EQ(kErrNone, ReadDocumentRecords(windows.view(), store, &converted));
    EXPECT_EQ(0, converted);
    WithViewRecord(windows.view(), [&](ViewRecord* view) {
        EXPECT_EQ(1500, view->zoom);
        EXPECT_EQ(100, view->overlap);
        EXPECT_EQ(0u, view->flags & kViewModified);
        EXPECT_NE(0, view->measuringDC);
        EXPECT_NE(nullptr, GetViewDrawingHandle(view));
        // The stored slot names the same face in the list of this system.
        LOGFONTA slotFont;
        GetFontTableLogFont(GetViewFontList(view), GetViewFontTable(view), 0, &slotFont);
        EXPECT_EQ(face, slotFont.lfFaceName);
        EXPECT_EQ(static_cast<DWORD>(16 + GlobalSize(GetViewFontList(view))), RecordSize(store, 104));
        // Overlap 100 shrinks only the sides that differ from the page.
        EXPECT_EQ(view->pageWidth - view->margins.left - view->margins.right -
                      (view->margins.left + view->margins.right ? 100 : 0),
                  view->printableWidth);
    });
    Close(windows);
    EXPECT_EQ(tokens_, TokensInUse());
}

TEST_F(DocumentStores, EarlierVersionViewRecordIsNotTakenAsCurrent)
{
    DocumentWindows windows;
    const int store = MakeUntitled(windows, 1);
    ASSERT_EQ(kErrNone, CreateDocumentRecords(windows.view(), store));
    WithViewRecord(windows.view(), [](ViewRecord* view) { view->version = 3; });
    ASSERT_EQ(kErrNone, StoreDocumentState(windows.document(), 0));
    DestroyViewData(windows.view());
    // An earlier version's records are converted first; without a font table
    // the conversion fails and nothing is taken.
    RecordHandle fontTable = nullptr;
    ASSERT_EQ(kErrNone, FindRecord(store, kDocumentGroup, kFontTableId, &fontTable));
    ASSERT_EQ(kErrNone, DeleteRecordByHandle(fontTable));
    GlobalFree(fontTable);
    int converted = -1;
    EXPECT_NE(kErrNone, ReadDocumentRecords(windows.view(), store, &converted));
    EXPECT_EQ(nullptr, GetViewRecordHandle(windows.view()));
    DestroyDocumentData(windows.document());
    EXPECT_EQ(tokens_, TokensInUse());
}

TEST_F(DocumentStores, UntitledNumbersComeBackOnlyFromTheNewest)
{
    // New gives UntitledCount + 1 and counts it; closing gives back only the
    // highest number in use.
    std::vector<DocumentWindows*> open;
    auto makeNew = [&]() {
        auto* windows = new DocumentWindows;
        const int number = UntitledCount + 1;
        MakeUntitled(*windows, number);
        ++UntitledCount;
        open.push_back(windows);
        return number;
    };
    auto close = [&](int number) {
        for (size_t i = 0; i < open.size(); ++i) {
            if (CopyOfDocumentRecord(open[i]->document()).untitledNumber == number) {
                DestroyDocumentData(open[i]->document());
                delete open[i];
                open.erase(open.begin() + static_cast<long>(i));
                return;
            }
        }
        ADD_FAILURE() << "no document " << number;
    };
    EXPECT_EQ(1, makeNew());
    EXPECT_EQ(2, makeNew());
    EXPECT_EQ(3, makeNew());
    close(2);
    EXPECT_EQ(4, makeNew());
    close(4);
    close(3);
    EXPECT_EQ(3, makeNew());
    // Closing 3 gives it back; closing 1 then leaves the count at 2, as 1 is
    // not the highest number.
    while (!open.empty())
        close(CopyOfDocumentRecord(open.back()->document()).untitledNumber);
    EXPECT_EQ(2, UntitledCount);
}

TEST_F(DocumentStores, FileHeldByAnotherWriterOpensReadOnly)
{
    const std::string path = ScratchPath("held.tyr");
    WriteWholeFile(path, StreamBytes().DrawingStart().Tag(0x4001).bytes());
    HANDLE other = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    DocumentWindows windows;
    int store = -1;
    HFILE lock = HFILE_ERROR;
    ASSERT_EQ(kErrNone, CreateWorkingStore(windows.document(), 0, 0, 1, path.c_str(), &store, &lock));
    const DocumentRecord record = CopyOfDocumentRecord(windows.document());
    EXPECT_EQ(1, record.readOnly);
    EXPECT_NE(HFILE_ERROR, lock);
    EXPECT_EQ(lock, record.lockHandle);
    EXPECT_STREQ(path.c_str(), record.path);
    DestroyDocumentData(windows.document());
    CloseHandle(other);

    DocumentWindows second;
    ASSERT_EQ(kErrNone, CreateWorkingStore(second.document(), 0, 0, 1, path.c_str(), &store, &lock));
    EXPECT_EQ(0, CopyOfDocumentRecord(second.document()).readOnly);
    // Kept open with other writers denied.
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, writer);
    if (writer != INVALID_HANDLE_VALUE)
        CloseHandle(writer);
    DestroyDocumentData(second.document());
    DeleteFileA(path.c_str());
}

TEST_F(DocumentStores, EarlierVersionStoreIsCopiedWhole)
{
    const std::string path = ScratchPath("old.tyr");
    ASSERT_EQ(kErrNone, CreateStoreFile(path.c_str(), 0, kStoreShift, kDocumentMapCapacity));
    int oldStore = -1;
    int secondWord = 0;
    ASSERT_EQ(kErrNone, OpenStoreByName(path.c_str(), &oldStore, 0, &secondWord, FALSE));
    ASSERT_EQ(kErrNone, CreateGroup(oldStore, 51));
    RecordHandle created = nullptr;
    ASSERT_EQ(kErrNone, CreateRecord(oldStore, 51, 7, 16 + 5, &created));
    std::memcpy(static_cast<char*>(GlobalLock(created)) + 16, "older", 5);
    GlobalUnlock(created);
    ASSERT_EQ(kErrNone, SetRecordDirty(created));
    ReleaseRecord(created);
    ASSERT_EQ(kErrNone, CloseStore(oldStore));
    const std::vector<uint8_t> before = ReadWholeFile(path);

    struct Case {
        const char* name;
        int untitled;
        int templateCopy;
        bool lockStays;
    };
    const Case cases[] = {{"drawing", 0, 0, true}, {"template copy", 7, 1, false}};
    for (const Case& c : cases) {
        DocumentWindows windows;
        int store = -1;
        HFILE lock = HFILE_ERROR;
        ASSERT_EQ(kErrNone, CreateWorkingStore(windows.document(), c.untitled, c.templateCopy, 0, path.c_str(),
                                               &store, &lock))
            << c.name;
        EXPECT_EQ(c.lockStays, lock != HFILE_ERROR) << c.name;
        EXPECT_EQ(c.untitled, CopyOfDocumentRecord(windows.document()).untitledNumber) << c.name;
        RecordHandle found = nullptr;
        ASSERT_EQ(kErrNone, FindRecord(store, 51, 7, &found)) << c.name;
        EXPECT_EQ(0, std::memcmp(static_cast<char*>(GlobalLock(found)) + 16, "older", 5));
        GlobalUnlock(found);
        ReleaseRecord(found);
        DestroyDocumentData(windows.document());
    }
    EXPECT_EQ(before, ReadWholeFile(path)) << "opening never writes the drawing file";
    DeleteFileA(path.c_str());
}

TEST_F(DocumentStores, FailedCreationLeavesNoWorkingFile)
{
    PrivateTempFolder temp;
    struct Case {
        const char* name;
        unsigned mask;
        long nth;
    };
    const Case cases[] = {
        {"record block", kSeamAlloc, 1},
        {"working file open", kSeamOpen, 1},
        {"store header write", kSeamWrite, 1},
    };
    for (const Case& c : cases) {
        DocumentWindows windows;
        int store = -1;
        HFILE lock = HFILE_ERROR;
        SeamArmFault(c.mask, c.nth, true);
        const ErrorCode code = CreateWorkingStore(windows.document(), 1, 0, 0, nullptr, &store, &lock);
        SeamDisarm();
        EXPECT_NE(kErrNone, code) << c.name;
        EXPECT_EQ(nullptr, GetDocumentRecordHandle(windows.document())) << c.name;
        EXPECT_EQ(0, CountWorkingFiles()) << c.name;
    }
    DocumentWindows windows;
    int store = -1;
    HFILE lock = HFILE_ERROR;
    ASSERT_EQ(kErrNone, CreateWorkingStore(windows.document(), 1, 0, 0, nullptr, &store, &lock));
    EXPECT_EQ(1, CountWorkingFiles()) << "the working file is made in the temporary folder";
    DestroyDocumentData(windows.document());
    EXPECT_EQ(0, CountWorkingFiles());
}

TEST_F(DocumentStores, StaleWorkingFilesGoAndHeldOnesStay)
{
    PrivateTempFolder temp;
    const std::string orphan = temp.path() + "VXT1A2B.tmp";
    WriteWholeFile(orphan, Payload(100, 1));
    DocumentWindows windows;
    int store = -1;
    HFILE lock = HFILE_ERROR;
    ASSERT_EQ(kErrNone, CreateWorkingStore(windows.document(), 1, 0, 0, nullptr, &store, &lock));
    ASSERT_EQ(2, CountWorkingFiles());
    EXPECT_EQ(1, RemoveStaleWorkingFiles());
    EXPECT_FALSE(Exists(orphan));
    EXPECT_EQ(1, CountWorkingFiles()) << "the file of a running document is held and stays";
    DestroyDocumentData(windows.document());
    EXPECT_EQ(0, CountWorkingFiles());
}

TEST_F(DocumentStores, SetDocumentModifiedSetsTheFlag)
{
    ViewRecord view = {};
    view.flags = kViewDefaultPrinter;
    SetDocumentModified(&view);
    EXPECT_EQ(kViewDefaultPrinter | kViewModified, view.flags);
}

TEST(FileCopy, CopiesWholeFilesOfAnySize)
{
    const std::string source = ScratchPath("source.bin");
    const std::string target = ScratchPath("target.bin");
    for (size_t size : {0u, 1u, 29999u, 30000u, 30001u, 100000u}) {
        const std::vector<uint8_t> bytes = Payload(size, 3);
        WriteWholeFile(source, bytes);
        WriteWholeFile(target, Payload(200000, 9));  // longer: must be cut to the source
        ASSERT_EQ(kErrNone, CopyFileChunks(source.c_str(), HFILE_ERROR, 0, target.c_str(), HFILE_ERROR, 0)) << size;
        EXPECT_EQ(bytes, ReadWholeFile(target)) << size;
    }
    DeleteFileA(target.c_str());
    EXPECT_EQ(kErrFile, CopyFileChunks(source.c_str(), HFILE_ERROR, 0, target.c_str(), HFILE_ERROR, 0))
        << "the target must exist";
    DeleteFileA(source.c_str());
}

TEST(FileCopy, SourceEndingBeforeItsLengthStopsTheCopy)
{
    // A file that shrank after its length was taken reads 0 bytes before the
    // length is reached.
    const std::string source = ScratchPath("short.bin");
    const std::string target = ScratchPath("target.bin");
    WriteWholeFile(source, Payload(1000, 1));
    WriteWholeFile(target, {});
    HFILE in = OpenFileMode(source.c_str(), nullptr, OF_READ);
    HFILE out = OpenFileMode(target.c_str(), nullptr, OF_READWRITE);
    ASSERT_NE(HFILE_ERROR, in);
    ASSERT_NE(HFILE_ERROR, out);
    EXPECT_EQ(kErrFile, CopyFileBytes(in, out, 5000));
    CloseFile(in);
    CloseFile(out);
    DeleteFileA(source.c_str());
    DeleteFileA(target.c_str());
}

TEST(FileCopy, FailedReadOrWriteIsAFileError)
{
    const std::string source = ScratchPath("source.bin");
    const std::string target = ScratchPath("target.bin");
    WriteWholeFile(source, Payload(70000, 1));
    WriteWholeFile(target, {});
    for (unsigned mask : {static_cast<unsigned>(kSeamRead), static_cast<unsigned>(kSeamWrite)}) {
        SeamArmFault(mask, 2, false);
        EXPECT_EQ(kErrFile, CopyFileChunks(source.c_str(), HFILE_ERROR, 0, target.c_str(), HFILE_ERROR, 0)) << mask;
        SeamDisarm();
    }
    DeleteFileA(source.c_str());
    DeleteFileA(target.c_str());
}

TEST(FileCopy, FixedDrivesKeepTheirLock)
{
    EXPECT_TRUE(IsFixedOrNetworkDrive("C:\\windows\\win.ini"));
}
