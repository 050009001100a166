// Every way a document reaches its file, with the Nth file or memory call
// failing (once, and from then on): the old file stays byte for byte or the
// new one is complete, the document's name and modified flag say which, and
// no working or temporary file stays behind.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "../common/box_watcher.h"
#include "common/io_seam.h"
#include "documents/document_commands.h"
#include "documents/document_window_access.h"
#include "documents/replacement_file.h"
#include "documents/view_children.h"
#include "documents/view_settings.h"
#include "drawing_file_support.h"
#include "private_temp_folder.h"
#include "stream_bytes.h"
#include "support/test_paths.h"
#include "view/view_test_frame.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct FaultMode {
    const char* name;
    bool persistent;
};
const FaultMode kModes[] = {{"Once", false}, {"FromThenOn", true}};

// File calls only: memory faults of the store and the stream writer have
// loops of their own, and with them every save here would run for minutes.
const unsigned kSaveFaults = kSeamAllSave;
const long kCallLimit = 5000;
// A zoom the drawing is not saved with, so a new file differs from the old.
const int kChangedZoom = 1500;
const int kOldJunkSize = 5000;
// The open mode of a new untitled drawing made without the Open dialog.
const int kUntitledStart = 99;
const uint8_t kOldJunkSeed = 7;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReplacementOf(const std::string& path)
{
    char temporary[MAX_PATH];
    ReplacementNameOf(path.c_str(), temporary, sizeof(temporary));
    return temporary;
}

DocumentRecord RecordOf(HWND document)
{
    DocumentRecord copy = {};
    if (DocumentRecord* record = LockDocumentRecord(document)) {
        copy = *record;
        ReleaseDocumentRecord(document);
    }
    return copy;
}

bool Modified(HWND document) { return IsDocumentModified(DocumentViewOf(document)); }

// A change that the next save writes.
void ChangeDocument(HWND document)
{
    HWND view = DocumentViewOf(document);
    ViewSettings settings;
    ASSERT_TRUE(ReadViewSettings(view, &settings));
    settings.zoom = kChangedZoom;
    WriteViewSettings(view, settings);
    SetDocumentModifiedFlag(view, true);
}

// What one run under a fault did.
struct Attempt {
    int result = 0;
    bool fired = false;
    bool told = false; // a message box came up
    std::string said;  // the texts of the boxes
};

// Runs `operation` with the Nth call of `mask` failing, answering any
// message box with OK.
Attempt RunFaulted(unsigned mask, long nth, bool persistent, const std::function<int()>& operation)
{
    Attempt attempt;
    BoxWatcher boxes(IDOK);
    SeamArmFault(mask, nth, persistent);
    attempt.result = operation();
    attempt.fired = SeamFaultFired();
    SeamDisarm();
    for (const SeenBox& box : boxes.Seen())
        for (const std::string& text : box.texts)
            attempt.said += text + "\n";
    attempt.told = !attempt.said.empty();
    return attempt;
}

class SaveFaultLoops : public testing::TestWithParam<FaultMode> {
protected:
    void TearDown() override { SeamDisarm(); }

    HWND Open(const std::string& path)
    {
        BoxWatcher boxes(IDOK);
        if (OpenDocument(path.c_str(), FALSE, 1) != kErrNone)
            return nullptr;
        return reinterpret_cast<HWND>(SendMessageA(frame_.client(), WM_MDIGETACTIVE, 0, 0));
    }

    void Close(HWND document)
    {
        SendMessageA(frame_.client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(document), 0);
    }

    // A closed document leaves no working file behind.
    void CloseLeavingNothing(HWND document)
    {
        Close(document);
        EXPECT_EQ(0, CountWorkingFiles());
    }

    // For N from 1 until a run in which no fault fired, `once(nth,
    // persistent)` runs and checks one attempt.
    void EveryFaultPoint(const std::function<bool(long, bool)>& once)
    {
        for (long nth = 1;; ++nth) {
            SCOPED_TRACE("call " + std::to_string(nth));
            const bool fired = once(nth, GetParam().persistent);
            if (!fired || HasFailure())
                break;
            ASSERT_LT(nth, kCallLimit);
        }
    }

    PrivateTempFolder temp_;
    // Visible: warnings show only over a visible main window.
    ViewTestFrame frame_{800, 600, true};
};

TEST_P(SaveFaultLoops, SaveInPlaceKeepsTheOldFileOrWritesTheWholeNewOne)
{
    const std::string path = WriteEveryKindFile("in-place.tyr");
    const Bytes old = ReadWholeFile(path);
    HWND first = Open(path);
    ASSERT_NE(nullptr, first);
    ChangeDocument(first);
    ASSERT_EQ(0, SaveDocument(first));
    const Bytes fresh = ReadWholeFile(path);
    Close(first);
    ASSERT_NE(old, fresh);

    EveryFaultPoint([&](long nth, bool persistent) {
        WriteWholeFile(path, old);
        HWND document = Open(path);
        EXPECT_NE(nullptr, document);
        if (!document)
            return false;
        ChangeDocument(document);
        const Attempt run = RunFaulted(kSaveFaults, nth, persistent, [&] { return SaveDocument(document); });
        const Bytes now = ReadWholeFile(path);
        if (run.result == 0) {
            EXPECT_EQ(fresh, now) << "success reported without the new file";
            EXPECT_FALSE(Modified(document));
            EXPECT_GE(RecordOf(document).lockHandle, 0) << "the saved file is held again";
        } else {
            EXPECT_TRUE(now == old || now == fresh) << "the file is neither the old nor the new drawing";
            EXPECT_TRUE(Modified(document)) << "a failed save keeps the changes marked";
            EXPECT_TRUE(run.told) << "a failed save says so";
        }
        const std::string temporary = ReplacementOf(path);
        if (Exists(temporary)) {
            // Only a move that failed keeps the new copy, beside the untouched old file.
            EXPECT_EQ(old, now);
            EXPECT_EQ(fresh, ReadWholeFile(temporary));
            DeleteFileA(temporary.c_str());
        }
        EXPECT_EQ(1, CountWorkingFiles());
        CloseLeavingNothing(document);
        return run.fired;
    });
}

TEST_P(SaveFaultLoops, SaveAsOverAnotherFileKeepsItOrWritesTheWholeNewOne)
{
    const std::string source = WriteEveryKindFile("source.tyr");
    const std::string target = ScratchPath("target.tyr");
    const Bytes old = Payload(kOldJunkSize, kOldJunkSeed);
    WriteWholeFile(target, old);
    HWND first = Open(source);
    ASSERT_NE(nullptr, first);
    ChangeDocument(first);
    ASSERT_EQ(kErrNone, SaveDocumentAs(first, target.c_str(), FALSE, kSaveDrawing));
    const Bytes fresh = ReadWholeFile(target);
    Close(first);

    EveryFaultPoint([&](long nth, bool persistent) {
        WriteWholeFile(target, old);
        HWND document = Open(source);
        EXPECT_NE(nullptr, document);
        if (!document)
            return false;
        ChangeDocument(document);
        const Attempt run = RunFaulted(kSaveFaults, nth, persistent, [&] {
            return SaveDocumentAs(document, target.c_str(), FALSE, kSaveDrawing).value;
        });
        const Bytes now = ReadWholeFile(target);
        const DocumentRecord record = RecordOf(document);
        const bool named = SamePath(record.path, target.c_str());
        if (run.result == 0) {
            EXPECT_EQ(fresh, now) << "success reported without the new file";
            EXPECT_TRUE(named);
            EXPECT_FALSE(Modified(document));
            EXPECT_GE(record.lockHandle, 0) << "the saved file is held";
        } else {
            EXPECT_TRUE(now == old || now == fresh) << "the file is neither the old nor the new drawing";
            EXPECT_TRUE(Modified(document)) << "a failed save keeps the changes marked";
            EXPECT_TRUE(run.told) << "a failed save says so";
            EXPECT_TRUE(named || SamePath(record.path, source.c_str()));
        }
        if (named) {
            EXPECT_EQ(fresh, now) << "the window names only a complete file";
        }
        EXPECT_FALSE(Exists(ReplacementOf(target)));
        CloseLeavingNothing(document);
        return run.fired;
    });
}

TEST_P(SaveFaultLoops, UntitledSaveAsMakesNoFileOrAWholeOne)
{
    const std::string target = ScratchPath("untitled.tyr");
    HWND first = CreateDocumentWindow(nullptr, kUntitledStart);
    ASSERT_NE(nullptr, first);
    ChangeDocument(first);
    ASSERT_EQ(kErrNone, SaveDocumentAs(first, target.c_str(), FALSE, kSaveDrawing));
    const Bytes fresh = ReadWholeFile(target);
    Close(first);

    EveryFaultPoint([&](long nth, bool persistent) {
        DeleteFileA(target.c_str());
        HWND document = CreateDocumentWindow(nullptr, kUntitledStart);
        EXPECT_NE(nullptr, document);
        if (!document)
            return false;
        ChangeDocument(document);
        const Attempt run = RunFaulted(kSaveFaults, nth, persistent, [&] {
            return SaveDocumentAs(document, target.c_str(), FALSE, kSaveDrawing).value;
        });
        const DocumentRecord record = RecordOf(document);
        if (run.result == 0) {
            EXPECT_EQ(fresh, ReadWholeFile(target));
            EXPECT_EQ(0, record.untitledNumber);
            EXPECT_FALSE(Modified(document));
        } else {
            EXPECT_TRUE(!Exists(target) || ReadWholeFile(target) == fresh);
            EXPECT_TRUE(Modified(document)) << "what could not be saved stays marked";
            EXPECT_EQ(record.untitledNumber == 0, SamePath(record.path, target.c_str()));
        }
        if (record.untitledNumber == 0) {
            EXPECT_EQ(fresh, ReadWholeFile(target)) << "the window names only a complete file";
        }
        EXPECT_FALSE(Exists(ReplacementOf(target)));
        CloseLeavingNothing(document);
        return run.fired;
    });
}

TEST_P(SaveFaultLoops, TemplateSaveAsLeavesTheWindowOnItsDrawing)
{
    const std::string source = WriteEveryKindFile("drawing.tyr");
    const std::string target = ScratchPath("copy.tyt");
    const Bytes old = Payload(kOldJunkSize, kOldJunkSeed);
    HWND document = Open(source);
    ASSERT_NE(nullptr, document);
    ASSERT_EQ(kErrNone, SaveDocumentAs(document, target.c_str(), FALSE, kSaveTemplate));
    const Bytes fresh = ReadWholeFile(target);
    ASSERT_NE(old, fresh);
    ChangeDocument(document);

    EveryFaultPoint([&](long nth, bool persistent) {
        WriteWholeFile(target, old);
        const Attempt run = RunFaulted(kSaveFaults, nth, persistent, [&] {
            return SaveDocumentAs(document, target.c_str(), FALSE, kSaveTemplate).value;
        });
        const Bytes now = ReadWholeFile(target);
        if (run.result == 0)
            EXPECT_NE(old, now) << "success reported without the new file";
        else
            EXPECT_EQ(old, now) << "a failed template save leaves the file it would replace";
        EXPECT_TRUE(SamePath(RecordOf(document).path, source.c_str()));
        EXPECT_TRUE(Modified(document)) << "a template copy does not save the drawing";
        EXPECT_FALSE(Exists(ReplacementOf(target)));
        return run.fired;
    });
    Close(document);
}

TEST_P(SaveFaultLoops, OpenMakesAWholeWindowOrNothing)
{
    const std::string path = WriteEveryKindFile("open.tyr");
    const Bytes old = ReadWholeFile(path);
    HWND document = Open(path);
    ASSERT_NE(nullptr, document);
    Close(document);

    EveryFaultPoint([&](long nth, bool persistent) {
        const Attempt run =
            RunFaulted(kSeamAllFile | kSeamTempName, nth, persistent,
                       [&] { return OpenDocument(path.c_str(), FALSE, 1).value; });
        if (frame_.DocumentCount() == 0) {
            EXPECT_TRUE(run.told) << "a failed open says so";
            EXPECT_EQ(0, CountWorkingFiles());
        } else {
            EXPECT_EQ(1, frame_.DocumentCount());
            EXPECT_EQ(1, CountWorkingFiles());
            Close(reinterpret_cast<HWND>(SendMessageA(frame_.client(), WM_MDIGETACTIVE, 0, 0)));
        }
        EXPECT_EQ(old, ReadWholeFile(path)) << "opening never writes the drawing";
        // Nothing holds the file any more.
        HANDLE held = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, held);
        CloseHandle(held);
        return run.fired;
    });
}

INSTANTIATE_TEST_SUITE_P(Faults, SaveFaultLoops, ::testing::ValuesIn(kModes),
                         [](const ::testing::TestParamInfo<FaultMode>& mode) { return std::string(mode.param.name); });

} // namespace

namespace {

// How many calls of `mask` a clean run of `operation` makes.
long CallsOf(unsigned mask, const std::function<void()>& operation)
{
    SeamArmFault(mask, LONG_MAX, false);
    operation();
    const long calls = SeamCallsCounted();
    SeamDisarm();
    return calls;
}

using LostLock = SaveFaultLoops;

} // namespace

TEST_F(LostLock, SaveAsWhoseNewFileCannotBeHeldSaysSoAndStaysModified)
{
    const std::string source = WriteEveryKindFile("held-source.tyr");
    const std::string target = ScratchPath("held-target.tyr");
    HWND first = Open(source);
    ASSERT_NE(nullptr, first);
    ChangeDocument(first);
    const long opens = CallsOf(kSeamOpen, [&] {
        ASSERT_EQ(kErrNone, SaveDocumentAs(first, target.c_str(), FALSE, kSaveDrawing));
    });
    Close(first);
    const Bytes fresh = ReadWholeFile(target);
    DeleteFileA(target.c_str());

    HWND document = Open(source);
    ASSERT_NE(nullptr, document);
    ChangeDocument(document);
    // The last open is the one that holds the new file.
    const Attempt run = RunFaulted(kSeamOpen, opens, false, [&] {
        return SaveDocumentAs(document, target.c_str(), FALSE, kSaveDrawing).value;
    });
    ASSERT_TRUE(run.fired);
    EXPECT_NE(0, run.result);
    EXPECT_NE(std::string::npos, run.said.find("could not be held open")) << run.said;
    EXPECT_EQ(fresh, ReadWholeFile(target)) << "the new file is complete";
    EXPECT_TRUE(SamePath(RecordOf(document).path, target.c_str())) << "the window names the file it wrote";
    EXPECT_LT(RecordOf(document).lockHandle, 0);
    EXPECT_TRUE(Modified(document)) << "not held, so not taken as saved";
    Close(document);
}

TEST_F(LostLock, SaveInPlaceWhoseMoveAndRelockFailSaysSoAndStaysModified)
{
    const std::string path = WriteEveryKindFile("relock.tyr");
    const Bytes old = ReadWholeFile(path);
    const unsigned mask = kSeamMove | kSeamOpen;
    HWND first = Open(path);
    ASSERT_NE(nullptr, first);
    ChangeDocument(first);
    const long calls = CallsOf(mask, [&] { ASSERT_EQ(0, SaveDocument(first)); });
    Close(first);
    WriteWholeFile(path, old);

    HWND document = Open(path);
    ASSERT_NE(nullptr, document);
    ChangeDocument(document);
    // The move is the last call but one; from it on everything fails, the
    // open that would hold the old file again too.
    const Attempt run = RunFaulted(mask, calls - 1, true, [&] { return SaveDocument(document); });
    ASSERT_TRUE(run.fired);
    EXPECT_NE(0, run.result);
    EXPECT_NE(std::string::npos, run.said.find("could not be held open")) << run.said;
    EXPECT_EQ(old, ReadWholeFile(path));
    EXPECT_LT(RecordOf(document).lockHandle, 0);
    EXPECT_TRUE(Modified(document));
    DeleteFileA(ReplacementOf(path).c_str());
    Close(document);
}
