#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../common/box_watcher.h"
#include "common/io_seam.h"
#include "documents/document_commands.h"
#include "documents/document_record.h"
#include "documents/drawing_stream.h"
#include "drawing_file_support.h"
#include "objects/drawing_tables.h"
#include "documents/ole_document_state.h"
#include "support/test_paths.h"
#include "documents/view_children.h"
#include "objects/view_record_word.h"
#include "view/view_test_frame.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<char> Bytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<RECT> ObjectBounds(HWND document)
{
    std::vector<RECT> bounds;
    ViewRecord* record = LockViewRecord(DocumentViewOf(document));
    if (!record)
        return bounds;
    HGLOBAL handle = GetViewDrawingHandle(record);
    if (auto* drawing = static_cast<DrawingRecord*>(GlobalLock(handle))) {
        {
            LockedTable objects(drawing, kTableObjects);
            for (int i = 0; i < objects.Count(); ++i)
                bounds.push_back(ObjectAt(objects.Get(), i)->bounds);
        }
        GlobalUnlock(handle);
    }
    ReleaseViewRecord(DocumentViewOf(document));
    return bounds;
}

DocumentRecord RecordOf(HWND document)
{
    DocumentRecord copy = {};
    HGLOBAL handle = GetDocumentRecordHandle(document);
    if (auto* record = handle ? static_cast<DocumentRecord*>(GlobalLock(handle)) : nullptr) {
        copy = *record;
        GlobalUnlock(handle);
    }
    return copy;
}

void SetOlderFormat(HWND document, int older)
{
    HGLOBAL handle = GetDocumentRecordHandle(document);
    auto* record = static_cast<DocumentRecord*>(GlobalLock(handle));
    record->olderFormat = older;
    GlobalUnlock(handle);
}

bool Modified(HWND document)
{
    ViewRecord* record = LockViewRecord(DocumentViewOf(document));
    const bool modified = record && (record->flags & kViewModified);
    ReleaseViewRecord(DocumentViewOf(document));
    return modified;
}

void SetModified(HWND document)
{
    ViewRecord* record = LockViewRecord(DocumentViewOf(document));
    record->flags |= kViewModified;
    ReleaseViewRecord(DocumentViewOf(document));
}

HANDLE HoldForWriting(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool SawText(const std::vector<SeenBox>& boxes, const char* start)
{
    for (const SeenBox& box : boxes)
        for (const std::string& text : box.texts)
            if (text.rfind(start, 0) == 0)
                return true;
    return false;
}

HWND ActiveDocument(const ViewTestFrame& frame)
{
    return reinterpret_cast<HWND>(SendMessageA(frame.client(), WM_MDIGETACTIVE, 0, 0));
}

class DocumentCommands : public testing::Test {
protected:
    void TearDown() override { SeamDisarm(); }
};

} // namespace

TEST_F(DocumentCommands, SavedAndReopenedDrawingKeepsItsObjects)
{
    ViewTestFrame frame;
    const std::string path = WriteEveryKindFile("plan.tyr");
    ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
    HWND document = ActiveDocument(frame);
    ASSERT_NE(nullptr, document);
    char title[MAX_PATH] = "";
    GetWindowTextA(document, title, sizeof(title));
    EXPECT_NE(nullptr, std::strstr(path.c_str(), title));
    const std::vector<RECT> before = ObjectBounds(document);
    ASSERT_FALSE(before.empty());

    SetModified(document);
    EXPECT_EQ(0, SaveDocument(document));
    EXPECT_FALSE(Modified(document));
    std::string temporary = path;
    temporary.back() = '$';
    EXPECT_FALSE(Exists(temporary));
    EXPECT_GE(RecordOf(document).lockHandle, 0) << "the saved file is held open again";

    SendMessageA(document, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, frame.DocumentCount());
    ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
    const std::vector<RECT> after = ObjectBounds(ActiveDocument(frame));
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_TRUE(EqualRect(&before[i], &after[i])) << "object " << i;
}

TEST_F(DocumentCommands, OpeningAnOpenFileBringsItsWindowForward)
{
    ViewTestFrame frame;
    const std::string path = WriteEveryKindFile("twice.tyr");
    ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
    HWND first = ActiveDocument(frame);
    ASSERT_NE(nullptr, CreateDocumentWindow(nullptr, 99));
    EXPECT_NE(first, ActiveDocument(frame));
    ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
    EXPECT_EQ(2, frame.DocumentCount());
    EXPECT_EQ(first, ActiveDocument(frame));
}

TEST_F(DocumentCommands, UntouchedUntitledDrawingGivesWayToAnOpenedFile)
{
    struct Case {
        const char* name;
        bool modify;
        int expectedWindows;
    };
    const Case cases[] = {{"untouched", false, 1}, {"modified", true, 2}};
    for (const Case& c : cases) {
        ViewTestFrame frame;
        const std::string path = WriteEveryKindFile(c.name);
        HWND untitled = CreateDocumentWindow(nullptr, 99);
        ASSERT_NE(nullptr, untitled) << c.name;
        if (c.modify)
            SetModified(untitled);
        // The modified one would ask to be saved at the frame's end; it is not asked here.
        ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1)) << c.name;
        EXPECT_EQ(c.expectedWindows, frame.DocumentCount()) << c.name;
    }
}

TEST_F(DocumentCommands, SeventeenthDocumentIsRefused)
{
    ViewTestFrame frame(800, 600, false);
    for (int i = 0; i < 16; ++i) {
        HWND document = CreateDocumentWindow(nullptr, 99);
        ASSERT_NE(nullptr, document) << i;
        // A touched drawing does not give way to the next one.
        SetModified(document);
    }
    const std::string path = WriteEveryKindFile("limit.tyr");
    EXPECT_EQ(1, OpenDocument(path.c_str(), FALSE, 1));
    EXPECT_EQ(nullptr, CreateDocumentWindow(nullptr, 99));
    EXPECT_EQ(16, frame.DocumentCount());
}

TEST_F(DocumentCommands, DamagedFilesOpenNoWindow)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::string good = [] {
        const std::string path = WriteEveryKindFile("good.tyr");
        const std::vector<char> bytes = Bytes(path);
        return std::string(bytes.begin(), bytes.end());
    }();
    const Case cases[] = {
        {"empty", std::string()},
        {"text", std::string("this is not a drawing at all")},
        {"truncated", good.substr(0, good.size() / 2)},
        {"header only", good.substr(0, 16)},
    };
    ViewTestFrame frame(800, 600, false);
    for (const Case& c : cases) {
        const std::string path = ScratchPath("damaged.tyr");
        std::ofstream(path, std::ios::binary) << c.bytes;
        EXPECT_NE(kErrNone, OpenDocument(path.c_str(), FALSE, 1)) << c.name;
        EXPECT_EQ(0, frame.DocumentCount()) << c.name;
    }
}

// A short or garbled drawing was reported as "You may be low on memory or disk
// space", which sends the user after the wrong cause.
TEST_F(DocumentCommands, DamagedDrawingIsNotReportedAsLowMemory)
{
    struct Case {
        const char* name;
        std::string bytes;
        const char* warning;
    };
    const std::string good = [] {
        const std::string path = WriteEveryKindFile("good.tyr");
        const std::vector<char> bytes = Bytes(path);
        return std::string(bytes.begin(), bytes.end());
    }();
    const char* damaged = "Unable to open file. It is damaged or it is not a Tessary Plus drawing.";
    const Case cases[] = {
        {"cut in half", good.substr(0, good.size() / 2), damaged},
        {"cut after the signature", good.substr(0, 16), damaged},
        {"last byte missing", good.substr(0, good.size() - 1), damaged},
        {"text", std::string("this is not a drawing at all"), "Unable to open file. It is probably not"},
    };
    ViewTestFrame frame;
    for (const Case& c : cases) {
        const std::string path = ScratchPath("damaged.tyr");
        std::ofstream(path, std::ios::binary) << c.bytes;
        std::vector<SeenBox> seen;
        {
            BoxWatcher boxes(IDOK);
            EXPECT_NE(kErrNone, OpenDocument(path.c_str(), FALSE, 1)) << c.name;
            seen = boxes.Seen();
        }
        ASSERT_EQ(1u, seen.size()) << c.name;
        EXPECT_EQ("Tessary Plus", seen[0].caption) << c.name;
        EXPECT_TRUE(SawText(seen, c.warning)) << c.name;
    }
}

TEST_F(DocumentCommands, SaveInPlaceThatCannotReplaceKeepsBothCopies)
{
    ViewTestFrame frame;
    const std::string path = WriteEveryKindFile("held.tyr");
    const std::vector<char> original = Bytes(path);
    ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
    HWND document = ActiveDocument(frame);
    SetModified(document);
    // Another program reads the file and does not let it be replaced.
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    int result = 0;
    std::vector<SeenBox> seen;
    {
        BoxWatcher boxes(IDOK);
        result = SaveDocument(document);
        seen = boxes.Seen();
    }
    CloseHandle(reader);
    EXPECT_EQ(1, result);
    EXPECT_TRUE(SawText(seen, "Unable to save file."));
    EXPECT_EQ(original, Bytes(path)) << "the old file is untouched";
    std::string temporary = path;
    temporary.back() = '$';
    EXPECT_TRUE(Exists(temporary)) << "the new copy stays beside it";
    EXPECT_TRUE(Modified(document));
}

TEST_F(DocumentCommands, FailedWriteLeavesTheFileAndTheModifiedFlag)
{
    ViewTestFrame frame;
    const std::string path = WriteEveryKindFile("fault.tyr");
    const std::vector<char> original = Bytes(path);
    ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
    HWND document = ActiveDocument(frame);
    SetModified(document);
    SetOlderFormat(document, 0);
    int result = 0;
    {
        BoxWatcher boxes(IDOK);
        SeamArmFault(kSeamWrite, 1, true);
        result = SaveDocument(document);
        SeamDisarm();
    }
    EXPECT_EQ(1, result);
    EXPECT_EQ(original, Bytes(path));
    EXPECT_TRUE(Modified(document));
    std::string temporary = path;
    temporary.back() = '$';
    EXPECT_FALSE(Exists(temporary)) << "a half-written copy is not kept";
}

TEST_F(DocumentCommands, ReadOnlyFileIsNotSavedOverAndSaysSo)
{
    ViewTestFrame frame;
    const std::string path = WriteEveryKindFile("readonly.tyr");
    const std::vector<char> original = Bytes(path);
    // Another program writes the file, so this one may only read it.
    HANDLE writer = HoldForWriting(path);
    std::vector<SeenBox> seen;
    int result = 0;
    HWND document = nullptr;
    {
        BoxWatcher boxes(IDOK);
        ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
        document = ActiveDocument(frame);
        SetModified(document);
        result = SaveDocument(document);
        seen = boxes.Seen();
    }
    CloseHandle(writer);
    EXPECT_EQ(1, result);
    EXPECT_TRUE(SawText(seen, "This file is a read only file"));
    EXPECT_EQ(original, Bytes(path));
    EXPECT_TRUE(Modified(document)) << "nothing is lost";
}

TEST_F(DocumentCommands, FailedSaveAsKeepsTheEarlierFormatFlag)
{
    ViewTestFrame frame(800, 600, false);
    const std::string path = WriteEveryKindFile("older.tyr");
    ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
    HWND document = ActiveDocument(frame);
    SetOlderFormat(document, 1);
    const std::string target = ScratchPath("older-copy.tyr");
    SeamArmFault(kSeamWrite, 1, true);
    EXPECT_NE(kErrNone, SaveDocumentAs(document, target.c_str(), FALSE, 1));
    SeamDisarm();
    EXPECT_EQ(1, RecordOf(document).olderFormat);
    EXPECT_STREQ(path.c_str(), RecordOf(document).path);

    ASSERT_EQ(kErrNone, SaveDocumentAs(document, target.c_str(), FALSE, 1));
    EXPECT_EQ(0, RecordOf(document).olderFormat);
    EXPECT_STREQ(target.c_str(), RecordOf(document).path);
    char title[MAX_PATH] = "";
    GetWindowTextA(document, title, sizeof(title));
    EXPECT_STREQ(std::strrchr(target.c_str(), '\\') + 1, title);
}

TEST_F(DocumentCommands, UntitledSavedAsDrawingBecomesTitled)
{
    ViewTestFrame frame(800, 600, false);
    HWND document = CreateDocumentWindow(nullptr, 99);
    ASSERT_NE(nullptr, document);
    char title[MAX_PATH] = "";
    GetWindowTextA(document, title, sizeof(title));
    EXPECT_EQ(0, std::strncmp(title, "Untitled ", 9));
    const std::string target = ScratchPath("named.tyr");
    ASSERT_EQ(kErrNone, SaveDocumentAs(document, target.c_str(), FALSE, 1));
    EXPECT_EQ(0, RecordOf(document).untitledNumber);
    EXPECT_TRUE(Exists(target));
    EXPECT_EQ(FindDocumentWindow(target.c_str()), document);
}

TEST_F(DocumentCommands, ClosePromptWhoseSaveFailsKeepsTheWindow)
{
    ViewTestFrame frame;
    const std::string path = WriteEveryKindFile("prompt.tyr");
    HANDLE writer = HoldForWriting(path);
    {
        BoxWatcher boxes(IDYES);
        ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
        HWND document = ActiveDocument(frame);
        SetModified(document);
        SendMessageA(document, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(document));
        EXPECT_TRUE(SawText(boxes.Seen(), "Save changes to"));
    }
    CloseHandle(writer);
}

// The embedded state of a document with no server object behind it: the
// test marks the view itself, as the server's own records would.
class EmbeddedStateOnTheView {
public:
    EmbeddedStateOnTheView() : saved_(OleDocumentCalls)
    {
        OleDocumentCalls.getState = [](HWND view) {
            return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(view, kProperty)));
        };
        OleDocumentCalls.setState = [](HWND view, int state) {
            SetPropA(view, kProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(state)));
        };
    }
    ~EmbeddedStateOnTheView() { OleDocumentCalls = saved_; }

private:
    static constexpr const char* kProperty = "TestOleState";
    const OleDocumentHooks saved_;
};

TEST_F(DocumentCommands, EmbeddedDocumentWhoseSaveIsRefusedStaysOpen)
{
    EmbeddedStateOnTheView embedded;
    ViewTestFrame frame;
    HWND document = CreateDocumentWindow(nullptr, 99);
    ASSERT_NE(nullptr, document);
    SetModified(document);
    SetOlderFormat(document, 1);
    SetOleObjectState(DocumentViewOf(document), 1);
    {
        BoxWatcher boxes(IDCANCEL);
        EXPECT_EQ(IDCANCEL, QuerySaveDocument(document, FALSE));
        EXPECT_TRUE(SawText(boxes.Seen(), "If you save this drawing"));
    }
    EXPECT_TRUE(IsWindow(document));
    SetOleObjectState(DocumentViewOf(document), 0);
}

TEST_F(DocumentCommands, ClosedDocumentDeletesItsWorkingStore)
{
    ViewTestFrame frame(800, 600, false);
    HWND document = CreateDocumentWindow(nullptr, 99);
    ASSERT_NE(nullptr, document);
    const std::string working = RecordOf(document).workingPath;
    ASSERT_TRUE(Exists(working));
    SendMessageA(document, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(document));
    EXPECT_FALSE(Exists(working));
}

TEST_F(DocumentCommands, DriveRemovalQueryClosesOrKeepsTheDocumentsOnIt)
{
    struct Case {
        const char* name;
        int answer;
        LRESULT allowed;
        int windowsLeft;
    };
    const Case cases[] = {{"allowed", IDYES, TRUE, 0}, {"refused", IDNO, FALSE, 2}};
    for (const Case& c : cases) {
        ViewTestFrame frame;
        const std::string first = WriteEveryKindFile("drive-a.tyr");
        const std::string second = WriteEveryKindFile("drive-b.tyr");
        ASSERT_EQ(kErrNone, OpenDocument(first.c_str(), FALSE, 1)) << c.name;
        ASSERT_EQ(kErrNone, OpenDocument(second.c_str(), FALSE, 1)) << c.name;
        unsigned char header[20] = {};
        const DWORD size = sizeof(header);
        const DWORD volume = 2;
        const DWORD mask = 1u << (std::toupper(static_cast<unsigned char>(first[0])) - 'A');
        std::memcpy(header, &size, 4);
        std::memcpy(header + 4, &volume, 4);
        std::memcpy(header + 12, &mask, 4);
        std::vector<SeenBox> seen;
        LRESULT result = 0;
        {
            BoxWatcher boxes(c.answer);
            result = HandleDriveRemoval(0x8001, reinterpret_cast<LPARAM>(header));
            seen = boxes.Seen();
        }
        EXPECT_EQ(c.allowed, result) << c.name;
        EXPECT_EQ(1u, seen.size()) << c.name << ": one question for both documents";
        EXPECT_EQ(c.windowsLeft, frame.DocumentCount()) << c.name;
    }
}
