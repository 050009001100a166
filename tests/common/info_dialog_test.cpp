#include <gtest/gtest.h>
#include <windows.h>

#include "common/app_globals.h"
#include "common/info_dialog.h"
#include "resources/dialog_ids.h"

namespace {

bool HintsOn = true;
int HintsSets = 0;

bool GetHints()
{
    return HintsOn;
}

void SetHints(bool on)
{
    HintsOn = on;
    ++HintsSets;
}

// The notices' procedure on a modeless copy of a template, with the hints
// flag replaced by a plain variable.
class InfoDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = HintsFlag;
        HintsFlag = {GetHints, SetHints};
        HintsSets = 0;
    }
    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
        HintsFlag = saved_;
    }
    void Open(const char* templateName, bool hintsOn)
    {
        HintsOn = hintsOn;
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), templateName, nullptr, InfoDlgHandler, 0);
        ASSERT_NE(nullptr, dialog_) << templateName;
    }
    HintsFlagCalls saved_ = {};
    HWND dialog_ = nullptr;
};

TEST_F(InfoDialogs, TheShowHintsBoxFollowsTheFlagAndOkStoresIt)
{
    struct Row {
        const char* name;
        bool flagBefore;
        bool tick;
        int button;
        bool flagAfter;
        int sets;
    };
    const Row rows[] = {
        {"unticked and OK clears the flag", true, false, IDOK, false, 1},
        {"ticked and OK sets the flag", false, true, IDOK, true, 1},
        {"unticked and Cancel leaves it", true, false, IDCANCEL, true, 0},
    };
    for (const Row& row : rows) {
        Open("HINT_IMPORT", row.flagBefore);
        EXPECT_EQ(row.flagBefore, IsDlgButtonChecked(dialog_, IDC_INFO_SHOW_HINTS) == BST_CHECKED) << row.name;
        CheckDlgButton(dialog_, IDC_INFO_SHOW_HINTS, row.tick ? BST_CHECKED : BST_UNCHECKED);
        HintsSets = 0;
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(row.button, 0), 0);
        EXPECT_EQ(row.flagAfter, HintsOn) << row.name;
        EXPECT_EQ(row.sets, HintsSets) << row.name;
        DestroyWindow(dialog_);
        dialog_ = nullptr;
    }
}

TEST_F(InfoDialogs, ANoticeWithoutTheBoxLeavesTheFlagAlone)
{
    Open("INFO_DIM", true);
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    EXPECT_EQ(0, HintsSets);
}

TEST_F(InfoDialogs, EscIsKeptFromANoticeWithoutCancelButton)
{
    struct Row {
        const char* name;
        const char* templateName;
        bool kept;
    };
    const Row rows[] = {
        {"OK and Help only", "INFO_DIM", true},
        {"Continue and Cancel", "INFO_GIFTRANS", false},
    };
    for (const Row& row : rows) {
        Open(row.templateName, true);
        EXPECT_EQ(row.kept ? TRUE : FALSE, InfoDlgHandler(dialog_, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0))
            << row.name;
        DestroyWindow(dialog_);
        dialog_ = nullptr;
    }
}

TEST(InfoDialogHidden, NothingIsShownWhileTheMainWindowIsHidden)
{
    HWND saved = MainWindow;
    MainWindow = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(NoticesCanShow());
    EXPECT_EQ(0, ShowInfoDialog("HINT_IMPORT", 1));
    DestroyWindow(MainWindow);
    MainWindow = saved;
}

} // namespace
