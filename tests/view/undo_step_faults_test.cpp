// Failures at the ends of an undo step: a step the store cannot close is
// reported, and a move that fails at any one memory request is rolled back
// whole and reported.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/box_watcher.h"
#include "common/io_seam.h"
#include "common/results.h"
#include "common/string_helpers.h"
#include "edit_fixture.h"
#include "common/app_globals.h"
#include "resources/resource_ids.h"
#include "store/record_store.h"
#include "objects/document_undo.h"
#include "view/selection_changes.h"
#include "view/tracking_state.h"

namespace {

// Far more requests than a move's release makes: the sweep ends before.
const long kMostRequests = 3000;

// Warnings show only over a visible main window: a stand-in is shown for the
// test and the program's own put back after it.
class UndoStepFaults : public EditFixture {
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        savedMain_ = MainWindow;
        savedSuppress_ = SuppressWarnings;
        main_ = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 10, 10, 200, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, main_);
        ShowWindow(main_, SW_SHOWNOACTIVATE);
        MainWindow = main_;
        SuppressWarnings = 0;
    }
    void TearDown() override
    {
        SeamDisarm();
        MainWindow = savedMain_;
        SuppressWarnings = savedSuppress_;
        DestroyWindow(main_);
        EditFixture::TearDown();
    }
    static std::string DiskOrMemoryText()
    {
        char text[kStringBufferSize];
        EXPECT_EQ(kErrNone, LoadStr(IDS_DISK_OR_MEMORY, text));
        return text;
    }
    static bool Shows(const SeenBox& box, const std::string& text)
    {
        for (const std::string& seen : box.texts)
            if (seen == text)
                return true;
        return false;
    }

    HWND main_ = nullptr;
    HWND savedMain_ = nullptr;
    int savedSuppress_ = 0;
};

} // namespace

TEST_F(UndoStepFaults, AStepTheStoreCannotCloseIsReported)
{
    ASSERT_EQ(kErrNone, Create(RECT{1200, 1200, 2400, 1800}));
    ClearDocumentUndo(view_);
    ASSERT_EQ(kErrNone, BeginDocumentUndo(view_, kUndoStepMove));
    ASSERT_EQ(kErrNone, MarkRecordChanged(DrawingHandle()));
    // The before-images go to the file: closing the step must read them back.
    ASSERT_EQ(kErrNone, FlushStore(store_, TRUE));
    std::vector<SeenBox> seen;
    bool fired = false;
    {
        BoxWatcher watcher;
        SeamArmFault(kSeamAllFile | kSeamAlloc, 1, true);
        ClearDocumentUndo(view_);
        fired = SeamFaultFired();
        SeamDisarm();
        seen = watcher.Seen();
    }
    ASSERT_TRUE(fired) << "closing the step must touch the file or memory";
    ASSERT_EQ(1u, seen.size()) << "the failed close is reported once";
    EXPECT_TRUE(Shows(seen[0], DiskOrMemoryText()));
    EXPECT_EQ(0, UndoKind()) << "nothing is left to undo";
}

TEST_F(UndoStepFaults, AMoveThatFailsAtAnyMemoryRequestIsRolledBackWholeAndReported)
{
    ASSERT_EQ(kErrNone, Create(RECT{1200, 1200, 2400, 1800}));
    ASSERT_EQ(kErrNone, Create(RECT{3000, 1200, 4200, 1800}));
    const RECT firstBefore = Object(0)->frame;
    const RECT secondBefore = Object(1)->frame;
    const std::string report = DiskOrMemoryText();
    int refused = 0;
    for (long nth = 1; nth <= kMostRequests; ++nth) {
        SCOPED_TRACE("failed memory request " + std::to_string(nth));
        // Both shapes selected, the first one dragged 100 pixels right.
        SelectObjectsInRect(view_, nullptr);
        Press(300, 250);
        for (int step = 1; step <= 4; ++step)
            Drag(300 + 25 * step, 250, MK_LBUTTON);
        std::vector<SeenBox> seen;
        bool fired = false;
        {
            BoxWatcher watcher;
            SeamArmFault(kSeamAlloc, nth, false);
            Release(400, 250);
            fired = SeamFaultFired();
            SeamDisarm();
            seen = watcher.Seen();
        }
        ASSERT_EQ(kTrackingNone, TrackingMode);
        const RECT first = Object(0)->frame;
        const RECT second = Object(1)->frame;
        const bool stayed = EqualRect(&first, &firstBefore) && EqualRect(&second, &secondBefore);
        const bool moved = first.left == firstBefore.left + 600 && second.left == secondBefore.left + 600 &&
                           first.top == firstBefore.top && second.top == secondBefore.top;
        ASSERT_TRUE(stayed || moved) << "never one shape moved without the other";
        if (stayed) {
            ++refused;
            ASSERT_EQ(1u, seen.size()) << "a refused move is reported once";
            EXPECT_TRUE(Shows(seen[0], report));
            EXPECT_EQ(0, UndoKind()) << "a refused move leaves nothing to undo";
        } else {
            EXPECT_TRUE(seen.empty());
            ASSERT_EQ(kErrNone, SwapDocumentUndo(view_, 1));
            ASSERT_EQ(firstBefore.left, Object(0)->frame.left) << "the move undoes";
        }
        if (!fired)
            break;
    }
    EXPECT_GT(refused, 0) << "some failed requests must refuse the move";
}
