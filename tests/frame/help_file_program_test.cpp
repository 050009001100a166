// Help as a person meets it: the program's help file opened by Wine's own
// WinHelp viewer, on the contents from the Help menu and on a dialog's topic
// from F1 or the dialog's Help button.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/screen_image.h"
#include "support/test_printer.h"

namespace {

// The viewer's caption: the help file's title.
const char kHelpTitle[] = "Tessary Plus Help";
const DWORD kPollMs = 100;
const int kViewerPolls = 200;
// A topic's heading and a paragraph or more of text, well above a stray line.
const int kTopicTextPixels = 400;

struct ViewerSearch {
    HWND window = nullptr;
};

BOOL CALLBACK FindViewer(HWND window, LPARAM data)
{
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof(caption));
    if (IsWindowVisible(window) && std::string(caption).rfind(kHelpTitle, 0) == 0) {
        reinterpret_cast<ViewerSearch*>(data)->window = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindTopicText(HWND window, LPARAM data)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name).rfind("RichEdit", 0) == 0) {
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }
    return TRUE;
}

HWND Viewer()
{
    ViewerSearch search;
    EnumWindows(FindViewer, reinterpret_cast<LPARAM>(&search));
    return search.window;
}

// The viewer's text pane, where the topic is shown.
HWND TopicPane(HWND viewer)
{
    HWND pane = nullptr;
    EnumChildWindows(viewer, FindTopicText, reinterpret_cast<LPARAM>(&pane));
    return pane;
}

std::string PaneText(HWND pane)
{
    char text[512] = "";
    SendMessageA(pane, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

class HelpFileProgram : public DesktopProgram {
protected:
    void TearDown() override
    {
        CloseViewer();
        DesktopProgram::TearDown();
    }
    // The viewer once it shows the topic that starts with this heading; null
    // when it did not come.
    HWND AwaitTopic(const std::string& heading)
    {
        for (int i = 0; i < kViewerPolls; ++i) {
            HWND viewer = Viewer();
            HWND pane = viewer ? TopicPane(viewer) : nullptr;
            if (pane && PaneText(pane).rfind(heading, 0) == 0) {
                EXPECT_TRUE(program_.Settle());
                Sleep(kPollMs);
                return viewer;
            }
            Sleep(kPollMs);
        }
        HWND viewer = Viewer();
        HWND pane = viewer ? TopicPane(viewer) : nullptr;
        ADD_FAILURE() << "no topic " << heading << (pane ? "; the viewer shows: " + PaneText(pane) : "");
        return nullptr;
    }
    // The topic's text painted in the viewer's pane.
    void ExpectTopicPainted(HWND viewer, const std::string& step)
    {
        const ScreenImage screen = ScreenImage::Grab();
        screen.Save(step);
        EXPECT_GT(screen.CountDark(ClientScreenRect(TopicPane(viewer))), kTopicTextPixels) << step;
    }
    // F1 in an open dialog brings up the topic; the dialog is cancelled after.
    void ExpectF1ShowsTopic(HWND dialog, const std::string& heading, const std::string& step)
    {
        ASSERT_NE(nullptr, dialog);
        RealKey(VK_F1);
        HWND viewer = AwaitTopic(heading);
        ASSERT_NE(nullptr, viewer);
        ExpectTopicPainted(viewer, step);
        CloseViewer();
        Press(dialog, IDCANCEL);
    }
    void CloseViewer()
    {
        for (int i = 0; i < kViewerPolls; ++i) {
            HWND viewer = Viewer();
            if (!viewer)
                return;
            PostMessageA(viewer, WM_CLOSE, 0, 0);
            Sleep(kPollMs);
        }
    }
};

TEST_F(HelpFileProgram, HelpContentsShowsTheContentsTopic)
{
    Command(IDM_HELP_CONTENTS);
    HWND viewer = AwaitTopic("Tessary Plus Help");
    ASSERT_NE(nullptr, viewer);
    char caption[256] = "";
    GetWindowTextA(viewer, caption, sizeof(caption));
    EXPECT_STREQ(kHelpTitle, caption);
    EXPECT_NE(std::string::npos, PaneText(TopicPane(viewer)).find("Tessary Plus draws diagrams"));
    ExpectTopicPainted(viewer, "help_contents_topic");
}

TEST_F(HelpFileProgram, F1InTheToolbarDialogShowsItsTopic)
{
    ClickTool(desktop_ids::kRectangleTool);
    ExpectF1ShowsTopic(OpenDialog(IDM_EDIT_TOOLBAR, "Edit Toolbar Location"), "The tool palette",
                       "help_f1_toolbar_dialog");
}

TEST_F(HelpFileProgram, RulerDialogsHelpButtonShowsItsTopic)
{
    HWND dialog = OpenDialog(IDM_VIEW_RULERS_AND_GRID, "Set Rulers And Grids");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDC_HELP_BUTTON);
    HWND viewer = AwaitTopic("Rulers and grid");
    ASSERT_NE(nullptr, viewer);
    ExpectTopicPainted(viewer, "help_button_ruler_dialog");
    CloseViewer();
    Press(dialog, IDCANCEL);
}

// The common print dialogs run their own loop: F1 in them still reaches help.
class HelpFileWithPrinter : public HelpFileProgram {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(printer_.Installed()) << "the test printer could not be installed";
        HelpFileProgram::SetUp();
    }
    TestPrinter printer_;
};

TEST_F(HelpFileWithPrinter, F1InThePrintDialogShowsThePrintingTopic)
{
    DrawRectangle({100, 100}, {200, 160});  // an empty drawing has nothing to print
    ExpectF1ShowsTopic(OpenDialog(IDM_FILE_PRINT, "Print"), "Printing", "help_f1_print_dialog");
}

TEST_F(HelpFileWithPrinter, F1InPrintSetupShowsThePrintingTopic)
{
    ExpectF1ShowsTopic(OpenDialog(IDM_FILE_PRINT_SETUP, "Print Setup"), "Printing", "help_f1_print_setup");
}

} // namespace
