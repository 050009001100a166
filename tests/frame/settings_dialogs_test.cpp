// The Options, Welcome, Tips and Footer dialogs run in-process on a fresh
// options record, with a script acting on the dialog once it is up.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/app_globals.h"
#include "documents/footer_dialog.h"
#include "documents/options_file.h"
#include "frame/options_dialog.h"
#include "frame/welcome_dialog.h"
#include "objects/app_options.h"
#include "resources/dialog_ids.h"
#include "support/dialog_script.h"

namespace {

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

std::string TipText(HWND dialog)
{
    char text[600] = "";
    GetDlgItemTextA(dialog, IDC_TIP_TEXT, text, sizeof(text));
    return text;
}

void Click(HWND dialog, int id)
{
    CheckDlgButton(dialog, id, Checked(dialog, id) ? BST_UNCHECKED : BST_CHECKED);
}

// A radio of a group as the user picks it: the others of the group go out.
void Pick(HWND dialog, std::initializer_list<int> group, int id)
{
    for (int other : group)
        CheckDlgButton(dialog, other, other == id ? BST_CHECKED : BST_UNCHECKED);
}

class SettingsDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        AppInstance = GetModuleHandleA(nullptr);
        ASSERT_EQ(0, CreateDefaultOptions().value);
    }
    void TearDown() override { SaveAndFreeOptions(); }
};

TEST_F(SettingsDialogs, OptionsShowTheRecordAndWriteEveryChoiceOnOk)
{
    Options()->flags = kOptionFlagStartOpen | kOptionFlagTemplateChooser | 0x0004;
    Options()->quickPreviews = 123;
    Options()->moreFlags = kMoreTextOnLinesHorizontal;
    bool smallShown = false;
    bool openShown = false;
    bool chooserShown = false;
    bool pageLinesAtHalf = false;
    const int result = WithDialog("Tessary Plus Options", [&](HWND dialog) {
        smallShown = Checked(dialog, IDC_OPT_PREVIEW_SMALL);
        openShown = Checked(dialog, IDC_OPT_START_OPEN);
        chooserShown = Checked(dialog, IDC_OPT_NEW_TEMPLATE_DIALOG);
        pageLinesAtHalf = Checked(dialog, IDC_OPT_PAGE_LINES_50);
        Pick(dialog, {IDC_OPT_START_WELCOME, IDC_OPT_START_OPEN, IDC_OPT_START_NEW}, IDC_OPT_START_WELCOME);
        Pick(dialog, {IDC_OPT_NEW_DEFAULTS, IDC_OPT_NEW_COPY_TEMPLATE, IDC_OPT_NEW_TEMPLATE_DIALOG},
             IDC_OPT_NEW_COPY_TEMPLATE);
        Pick(dialog, {IDC_OPT_PAGE_LINES_50, IDC_OPT_PAGE_LINES_ALL}, IDC_OPT_PAGE_LINES_ALL);
        Click(dialog, IDC_OPT_HINTS);
        Click(dialog, IDC_OPT_OPEN_MAXIMIZED);
        PressOk(dialog);
    }, [] { return RunOptionsDlg(); });
    EXPECT_EQ(1, result);
    EXPECT_TRUE(smallShown) << "a setting other than 0 and -1 is When they appear to be small";
    EXPECT_TRUE(openShown);
    EXPECT_TRUE(chooserShown);
    EXPECT_TRUE(pageLinesAtHalf);
    EXPECT_EQ(kOptionFlagStartWelcome | kOptionFlagCopyDefaultTemplate | kOptionsHints |
                  kOptionFlagPageBreaksAlways | 0x0004,
              Options()->flags);
    EXPECT_EQ(200, Options()->quickPreviews);
    EXPECT_EQ(kMoreTextOnLinesHorizontal | kMoreAttachedMaximized, Options()->moreFlags);
}

TEST_F(SettingsDialogs, OptionsCancelWritesNothing)
{
    Options()->flags = kOptionFlagStartOpen;
    Options()->quickPreviews = -1;
    WithDialog("Tessary Plus Options", [](HWND dialog) {
        Pick(dialog, {IDC_OPT_PREVIEW_NEVER, IDC_OPT_PREVIEW_ALWAYS, IDC_OPT_PREVIEW_SMALL}, IDC_OPT_PREVIEW_NEVER);
        Click(dialog, IDC_OPT_HINTS);
        PressCancel(dialog);
    }, [] { return RunOptionsDlg(); });
    EXPECT_EQ(kOptionFlagStartOpen, Options()->flags);
    EXPECT_EQ(-1, Options()->quickPreviews);
}

TEST_F(SettingsDialogs, TipBrowsingGoesRoundAtBothEnds)
{
    struct Row {
        const char* name;
        int counter;
        int button;
        const char* shown;
        int counterAfter;
    };
    const Row rows[] = {
        {"a new record shows tip 1, Prev goes to the last", 0, IDC_TIP_PREVIOUS, "Tip #46: ", 46},
        {"the last tip's Next shows tip 1", 45, IDC_TIP_NEXT, "Tip #1: ", 1},
        {"a counter past the last tip starts at tip 1", 46, IDC_TIP_NEXT, "Tip #2: ", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Options()->tipNumber = row.counter;
        std::string shown;
        int choice = 0;
        WithDialog("Tips", [&](HWND dialog) {
            ClickDialogButton(dialog, row.button);
            shown = TipText(dialog);
            PressOk(dialog);
        }, [&] { return RunWelcomeDialog(TEMPLATE_TIPS, &choice, 0); });
        EXPECT_EQ(0u, shown.find(row.shown)) << shown;
        EXPECT_EQ(row.counterAfter, Options()->tipNumber);
    }
}

TEST_F(SettingsDialogs, WelcomeSwitchesWriteTheOptionsAndTheChoice)
{
    Options()->flags = kOptionFlagStartWelcome;
    Options()->tipNumber = 0;
    int choice = IDC_WELCOME_CREATE;
    std::string firstTip;
    const INT_PTR result = WithDialog("Welcome to Tessary Plus!", [&](HWND dialog) {
        firstTip = TipText(dialog);
        Pick(dialog, {IDC_WELCOME_CREATE, IDC_WELCOME_OPEN}, IDC_WELCOME_OPEN);
        Click(dialog, IDC_WELCOME_SHOW);
        Click(dialog, IDC_WELCOME_HINTS);
        PressOk(dialog);
    }, [&] { return RunWelcomeDialog(TEMPLATE_WELCOME, &choice, 30031); });
    EXPECT_EQ(1, result);
    EXPECT_EQ(0u, firstTip.find("Tip #1: You can draw lines")) << firstTip;
    EXPECT_EQ(IDC_WELCOME_OPEN, choice);
    EXPECT_EQ(kOptionsHints, Options()->flags) << "Show Welcome Dialog is the Options' Welcome flag";
    EXPECT_EQ(1, Options()->tipNumber);
}

TEST_F(SettingsDialogs, WelcomeCancelStillMovesTheTipCounter)
{
    Options()->tipNumber = 4;
    Options()->flags = kOptionFlagStartWelcome;
    int choice = IDC_WELCOME_CREATE;
    const INT_PTR result = WithDialog("Welcome to Tessary Plus!", [](HWND dialog) {
        Click(dialog, IDC_WELCOME_SHOW);
        PressCancel(dialog);
    }, [&] { return RunWelcomeDialog(TEMPLATE_WELCOME, &choice, 30031); });
    EXPECT_EQ(0, result);
    EXPECT_EQ(kOptionFlagStartWelcome, Options()->flags);
    EXPECT_EQ(5, Options()->tipNumber);
}

TEST_F(SettingsDialogs, FooterCancelPutsTheTypefaceBack)
{
    struct Row {
        const char* name;
        bool ok;
        int radio;
        const char* face;
        int position;
    };
    const Row rows[] = {
        {"Cancel", false, IDC_FOOTER_HALF_INCH, "Arial", 150},
        {"OK", true, IDC_FOOTER_HALF_INCH, "Courier New", 300},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        lstrcpyA(Options()->footerFont.lfFaceName, "Arial");
        Options()->footerPosition = 150;
        bool quarterShown = false;
        WithDialog("Define Footer", [&](HWND dialog) {
            quarterShown = Checked(dialog, IDC_FOOTER_QUARTER_INCH);
            // What the Font button's font dialog does to the record.
            lstrcpyA(Options()->footerFont.lfFaceName, "Courier New");
            Pick(dialog, {IDC_FOOTER_BOTTOM, IDC_FOOTER_QUARTER_INCH, IDC_FOOTER_HALF_INCH}, row.radio);
            row.ok ? PressOk(dialog) : PressCancel(dialog);
        }, [] { return RunFooterDlg(nullptr); });
        EXPECT_TRUE(quarterShown);
        EXPECT_STREQ(row.face, Options()->footerFont.lfFaceName);
        EXPECT_EQ(row.position, Options()->footerPosition);
    }
}

} // namespace
