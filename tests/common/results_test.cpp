#include <gtest/gtest.h>

#include <string>

#include "common/results.h"
#include "common/string_helpers.h"
#include "common/app_globals.h"
#include "box_watcher.h"
#include "common/tracking_mode.h"

namespace {

const int kDiskFullMessage = 6;
const int kMissingString = 64999;

std::string StringOf(int id)
{
    char text[kStringBufferSize];
    EXPECT_EQ(kErrNone, LoadStr(id, text));
    return text;
}

bool SawText(const SeenBox& box, const std::string& text)
{
    for (const std::string& seen : box.texts)
        if (seen == text)
            return true;
    return false;
}

// A stand-in main window, hidden or shown, with the warning state saved and
// restored around each test.
class ResultsWarning : public testing::Test {
protected:
    void SetUp() override
    {
        savedMain_ = MainWindow;
        savedSuppress_ = SuppressWarnings;
        savedTracking_ = TrackingMode;
        window_ = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 10, 10, 200, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, window_);
    }
    void TearDown() override
    {
        ReleaseCapture();
        DestroyWindow(window_);
        MainWindow = savedMain_;
        SuppressWarnings = savedSuppress_;
        TrackingMode = savedTracking_;
    }
    void StartDrag()
    {
        TrackingMode = 3;
        SetCapture(window_);
    }

    HWND window_ = nullptr;
    HWND savedMain_ = nullptr;
    int savedSuppress_ = 0;
    int savedTracking_ = 0;
};

} // namespace

TEST(Results, CheckFileResultCountsOnlyMinusOne)
{
    struct Case {
        const char* name;
        long result;
        ErrorCode expected;
    };
    const Case cases[] = {
        {"HFILE_ERROR", HFILE_ERROR, kErrFile},
        {"zero bytes read", 0, kErrNone},
        {"short count", 12, kErrNone},
        {"other negative", -2, kErrNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CheckFileResult(c.result)) << c.name;
    // _lread's UINT failure value passes as -1 too.
    EXPECT_EQ(kErrFile, CheckFileResult(static_cast<long>(static_cast<UINT>(HFILE_ERROR))));
}

TEST(Results, CheckAllocAndIsNotPositive)
{
    int something = 0;
    EXPECT_EQ(kErrNoMemory, CheckAlloc(nullptr));
    EXPECT_EQ(kErrNone, CheckAlloc(&something));
    const long values[] = {-5, 0, 1, 100000};
    const int expected[] = {1, 1, 0, 0};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expected[i], IsNotPositive(values[i])) << values[i];
}

TEST_F(ResultsWarning, WarnByIdWithHiddenOrAbsentMainWindowShowsNothingAndKeepsDrag)
{
    struct Case {
        const char* name;
        bool haveMainWindow;
        bool visible;
        int suppress;
    };
    const Case cases[] = {
        {"hidden main window", true, false, 0},
        {"no main window", false, false, 0},
        {"suppressed while visible", true, true, 1},
    };
    for (const Case& c : cases) {
        MainWindow = c.haveMainWindow ? window_ : nullptr;
        ShowWindow(window_, c.visible ? SW_SHOWNOACTIVATE : SW_HIDE);
        SuppressWarnings = c.suppress;
        BoxWatcher watcher;
        StartDrag();
        WarnById(kDiskFullMessage);
        WarnWithText(kDiskFullMessage, "C:\\X.TYR");
        EXPECT_EQ(3, TrackingMode) << c.name;
        EXPECT_EQ(window_, GetCapture()) << c.name;
        EXPECT_TRUE(watcher.Seen().empty()) << c.name;
    }
}

TEST_F(ResultsWarning, WarningDuringDragShowsBoxThenEndsDrag)
{
    const std::string disk = StringOf(kDiskFullMessage);
    const std::string longName(600, 'x');
    struct Case {
        const char* name;
        int id;
        const char* text; // null for WarnById
        std::string expected;
    };
    const Case cases[] = {
        {"by id", kDiskFullMessage, nullptr, disk},
        {"with text", kDiskFullMessage, " C:\\DRAW.TYR", disk + " C:\\DRAW.TYR"},
        {"missing string still shows a box", kMissingString, nullptr, ""},
        // The text is cut so string and text hold 523 characters at most.
        {"long text is cut", kDiskFullMessage, longName.c_str(), (disk + longName).substr(0, 523)},
    };
    MainWindow = window_;
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    for (const Case& c : cases) {
        BoxWatcher watcher;
        StartDrag();
        if (c.text)
            WarnWithText(c.id, c.text);
        else
            WarnById(c.id);
        EXPECT_EQ(0, TrackingMode) << c.name;
        EXPECT_EQ(nullptr, GetCapture()) << c.name;
        std::vector<SeenBox> seen = watcher.Seen();
        ASSERT_EQ(1u, seen.size()) << c.name;
        EXPECT_EQ("Tessary Plus", seen[0].caption) << c.name;
        EXPECT_TRUE(SawText(seen[0], c.expected)) << c.name;
    }
}

TEST_F(ResultsWarning, AppMessageBoxReturnsButtonEvenWithMainWindowHidden)
{
    MainWindow = window_;
    TrackingMode = 4;
    BoxWatcher watcher(IDCANCEL);
    EXPECT_EQ(IDCANCEL, AppMessageBox(kDiskFullMessage, MB_OKCANCEL));
    std::vector<SeenBox> seen = watcher.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Tessary Plus", seen[0].caption);
    EXPECT_TRUE(SawText(seen[0], StringOf(kDiskFullMessage)));
    EXPECT_EQ(4, TrackingMode);
}

TEST_F(ResultsWarning, AppMessageBoxWithMissingStringShowsNothing)
{
    BoxWatcher watcher;
    EXPECT_EQ(0, AppMessageBox(kMissingString, MB_OK));
    EXPECT_TRUE(watcher.Seen().empty());
}

TEST(Results, SetAppCursorIgnoresIndexesOutsideTable)
{
    HCURSOR saved[18];
    memcpy(saved, AppCursors, sizeof(saved));
    const LPCSTR system[] = {IDC_ARROW, IDC_WAIT, IDC_HELP, IDC_IBEAM, IDC_CROSS, IDC_SIZENESW,
                             IDC_SIZENWSE, IDC_SIZENS, IDC_SIZEWE};
    for (int i = 0; i < 18; ++i)
        AppCursors[i] = LoadCursorA(nullptr, system[i % 9]);

    EXPECT_EQ(4, SetAppCursor(4));
    EXPECT_EQ(4, CurrentCursorIndex);
    EXPECT_EQ(AppCursors[4], GetCursor());

    for (int index : {18, -1, 1000}) {
        EXPECT_EQ(index, SetAppCursor(index)) << index;
        EXPECT_EQ(4, CurrentCursorIndex) << index;
        EXPECT_EQ(AppCursors[4], GetCursor()) << index;
    }
    EXPECT_EQ(17, SetAppCursor(17));
    EXPECT_EQ(17, CurrentCursorIndex);
    memcpy(AppCursors, saved, sizeof(saved));
}
