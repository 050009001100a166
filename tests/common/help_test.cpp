#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "common/app_globals.h"
#include "common/control_help.h"
#include "common/help_context.h"
#include "common/help_filter.h"
#include "common/help_mode.h"
#include "common/help_topics.h"
#include "common/modal_dialog.h"
#include "resources/dialog_ids.h"
#include "support/dialog_script.h"

namespace {

TEST(HelpTopics, CommandsLeadToTheirTopics)
{
    struct Row {
        const char* name;
        int command;
        int topic;
    };
    const Row rows[] = {
        {"file command in the 100s", 150, 101},
        {"open", 106, 102},
        {"zoom 200", 209, 30000},
        {"last listed library", 1066, 212},
        {"first listed library", 1051, 212},
        {"beyond the listed libraries", 1067, 127},
        {"open library dialog row", 1050, 127},
        {"background colour none", 3349, 124},
        {"web page", 908, 211},
        {"about box belongs to the Help menu", 905, kHelpMenuOwnsCommand},
        {"help mode off belongs to the Help menu", 999, kHelpMenuOwnsCommand},
        {"F1 while help mode is on", 30001, kHelpMenuOwnsCommand},
        {"unknown command", 2000, kHelpSearchTopic},
        {"plain line shape place", 2400, 209},
        {"the hundred of fill colours", 3000, kHelpSearchTopic},
        {"text colours", 3201, 10006},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.topic, HelpTopicForCommand(row.command)) << row.name;
}

struct HelpRequest {
    UINT command = 0;
    ULONG_PTR data = 0;
    std::string keyword;
    int calls = 0;
};
HelpRequest LastRequest;
BOOL EngineAnswer = TRUE;
int HelpMenuCalls = 0;

BOOL WINAPI RecordingEngine(HWND, LPCSTR, UINT command, ULONG_PTR data)
{
    LastRequest.command = command;
    LastRequest.data = data;
    LastRequest.keyword = command == HELP_PARTIALKEY && data ? reinterpret_cast<const char*>(data) : "";
    ++LastRequest.calls;
    return EngineAnswer;
}

int RecordingHelpMenu(int id)
{
    HelpMenuCalls = id;
    return 0;
}

// The help engine replaced by a recorder; help mode on at the start.
class HelpRequests : public testing::Test {
protected:
    void SetUp() override
    {
        savedEngine_ = HelpEngine;
        savedMenu_ = HelpMenuCommand;
        HelpEngine = RecordingEngine;
        HelpMenuCommand = RecordingHelpMenu;
        LastRequest = HelpRequest();
        EngineAnswer = TRUE;
        HelpMenuCalls = 0;
        HelpUsed = 0;
        HelpMode = 1;
    }
    void TearDown() override
    {
        HelpEngine = savedEngine_;
        HelpMenuCommand = savedMenu_;
        HelpUsed = 0;
        HelpMode = 0;
        SetHelpContext(0);
    }
    HelpEngineCall savedEngine_ = nullptr;
    HelpCommandCall savedMenu_ = nullptr;
};

TEST_F(HelpRequests, EachKindOfTopicAsksTheEngineItsOwnWay)
{
    struct Row {
        const char* name;
        int topic;
        UINT command;
        ULONG_PTR data;
        bool modeStaysOn;
    };
    const Row rows[] = {
        {"search", kHelpSearchTopic, HELP_PARTIALKEY, 0, true},
        {"contents", kHelpContentsTopic, HELP_CONTENTS, 0, false},
        {"context number", 207, HELP_CONTEXT, 207, false},
    };
    for (const Row& row : rows) {
        HelpMode = 1;
        LastRequest = HelpRequest();
        EXPECT_NE(0, ShowHelpTopic(row.topic)) << row.name;
        EXPECT_EQ(row.command, LastRequest.command) << row.name;
        if (row.command == HELP_PARTIALKEY)
            EXPECT_EQ("", LastRequest.keyword) << row.name;
        else
            EXPECT_EQ(row.data, LastRequest.data) << row.name;
        EXPECT_EQ(row.modeStaysOn, HelpMode != 0) << row.name;
        EXPECT_EQ(1, HelpUsed) << row.name;
    }
}

TEST_F(HelpRequests, ARefusedTopicStillEndsHelpModeButLeavesHelpUnused)
{
    EngineAnswer = FALSE;
    EXPECT_EQ(0, ShowHelpTopic(101));
    EXPECT_EQ(0, HelpMode);
    EXPECT_EQ(0, HelpUsed);
}

TEST_F(HelpRequests, HelpMenuCommandsGoBackToTheHelpMenu)
{
    ShowHelpForCommand(905);
    EXPECT_EQ(905, HelpMenuCalls);
    EXPECT_EQ(0, LastRequest.calls);
}

TEST_F(HelpRequests, F1ShowsTheTopicOfTheNotedItemAndNothingWithoutOne)
{
    SetHelpContext(0);
    ShowContextHelp();
    EXPECT_EQ(0, LastRequest.calls);
    SetHelpContext(150);
    ShowContextHelp();
    EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), LastRequest.command);
    EXPECT_EQ(101u, LastRequest.data);
}

TEST_F(HelpRequests, QuitGoesToTheEngineOnlyOnceHelpWasUsed)
{
    EndHelpSession(nullptr);
    EXPECT_EQ(0, LastRequest.calls);
    HelpUsed = 1;
    EndHelpSession(nullptr);
    EXPECT_EQ(static_cast<UINT>(HELP_QUIT), LastRequest.command);
}

// A dialog with an edit control and a stand-in main window, to see where F1
// is posted.
class HelpHooks : public testing::Test {
protected:
    void SetUp() override
    {
        savedMain_ = MainWindow;
        main_ = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        dialog_ = CreateWindowExA(0, "STATIC", "dialog", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        field_ = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 5, 5, dialog_, nullptr, nullptr, nullptr);
        MainWindow = main_;
        Drain();
    }
    void TearDown() override
    {
        DestroyWindow(dialog_);
        DestroyWindow(main_);
        MainWindow = savedMain_;
    }
    void Drain()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
        }
    }
    // The window a posted 30001 went to, or none.
    HWND Posted()
    {
        MSG message;
        if (!PeekMessageA(&message, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            return nullptr;
        return LOWORD(message.wParam) == kContextHelpCommand ? message.hwnd : nullptr;
    }
    HWND savedMain_ = nullptr;
    HWND main_ = nullptr;
    HWND dialog_ = nullptr;
    HWND field_ = nullptr;
};

TEST_F(HelpHooks, F1IsTakenOnlyWhereEachHookIsMeantFor)
{
    struct Row {
        const char* name;
        bool menuHook;
        int code;
        UINT message;
        WPARAM key;
        LRESULT result;
        bool toMain;  // else to the dialog
    };
    const Row rows[] = {
        {"F1 in a menu", true, MSGF_MENU, WM_KEYDOWN, VK_F1, 1, true},
        {"F2 in a menu", true, MSGF_MENU, WM_KEYDOWN, VK_F2, 0, false},
        {"F1 released in a menu", true, MSGF_MENU, WM_KEYUP, VK_F1, 0, false},
        {"menu hook in a dialog", true, MSGF_DIALOGBOX, WM_KEYDOWN, VK_F1, 0, false},
        {"F1 in a dialog", false, MSGF_DIALOGBOX, WM_KEYDOWN, VK_F1, 1, false},
        {"dialog hook in a menu", false, MSGF_MENU, WM_KEYDOWN, VK_F1, 0, false},
        {"Enter in a dialog", false, MSGF_DIALOGBOX, WM_KEYDOWN, VK_RETURN, 0, false},
    };
    for (const Row& row : rows) {
        MSG message = {};
        message.hwnd = field_;
        message.message = row.message;
        message.wParam = row.key;
        const LPARAM lParam = reinterpret_cast<LPARAM>(&message);
        const LRESULT result = row.menuHook ? MenuHelpFilter(row.code, 0, lParam) : HelpFilter(row.code, 0, lParam);
        EXPECT_EQ(row.result, result) << row.name;
        HWND expected = row.result == 0 ? nullptr : (row.toMain ? main_ : dialog_);
        EXPECT_EQ(expected, Posted()) << row.name;
        Drain();
    }
}

INT_PTR CALLBACK PlainNotice(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A notice run the way every property dialog runs, with help on its first
// text: the caption's question mark, right clicks and F1 reach the engine.
TEST_F(HelpRequests, ControlsOfADialogShowTheirTopicsAndItsHelpButtonTheDialogs)
{
    const int kDialogTopic = 30030;
    const DWORD kTextTopic = 15022;
    const DWORD pairs[] = {IDC_NOTE_1, kTextTopic, 0, 0};
    const auto pairsData = reinterpret_cast<ULONG_PTR>(pairs);
    struct Row {
        const char* name;
        UINT message;
        int control;  // 0: F1 through the dialog's help command
        int calls;
        UINT command;
        ULONG_PTR data;
    };
    const Row rows[] = {
        {"question mark on a listed text", WM_HELP, IDC_NOTE_1, 1, HELP_WM_HELP, pairsData},
        {"right click on a listed text", WM_CONTEXTMENU, IDC_NOTE_1, 1, HELP_CONTEXTMENU, pairsData},
        {"right click on an unlisted text", WM_CONTEXTMENU, IDC_NOTE_2, 0, 0, 0},
        {"right click on OK", WM_CONTEXTMENU, IDOK, 0, 0, 0},
        {"right click on Help", WM_CONTEXTMENU, IDC_HELP_BUTTON, 1, HELP_CONTEXT, kDialogTopic},
        {"question mark on Help", WM_HELP, IDC_HELP_BUTTON, 1, HELP_CONTEXT, kDialogTopic},
        {"F1", WM_COMMAND, 0, 1, HELP_CONTEXT, kDialogTopic},
    };
    AppInstance = GetModuleHandleA(nullptr);
    std::vector<HelpRequest> seen;
    WithDialog("Add Vexlet", [&](HWND dialog) {
        for (const Row& row : rows) {
            LastRequest = HelpRequest();
            HWND control = GetDlgItem(dialog, row.control);
            HELPINFO info = {sizeof(HELPINFO), HELPINFO_WINDOW, row.control, control, 0, {0, 0}};
            if (row.message == WM_HELP)
                SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            else if (row.message == WM_CONTEXTMENU)
                SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0);
            else
                SendMessageA(dialog, WM_COMMAND, kContextHelpCommand, 0);
            seen.push_back(LastRequest);
        }
        PressCancel(dialog);
    }, [&] { return RunModalDialog({"INFO_ADDLIB", PlainNotice, kDialogTopic, nullptr, 0, pairs}); });
    ASSERT_TRUE(DialogScriptRan());
    ASSERT_EQ(std::size(rows), seen.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        const Row& row = rows[i];
        EXPECT_EQ(row.calls, seen[i].calls) << row.name;
        if (row.calls) {
            EXPECT_EQ(row.command, seen[i].command) << row.name;
            EXPECT_EQ(row.data, seen[i].data) << row.name;
        }
    }
}

TEST(ControlHelpTables, RangesBecomeOnePairEachEndingWithZeros)
{
    const ControlHelpRange ranges[] = {{501, 503, 15023}, {1011, 1011, 15026}};
    const std::vector<DWORD> expected = {501, 15023, 502, 15023, 503, 15023, 1011, 15026, 0, 0};
    EXPECT_EQ(expected, ExpandControlHelp(ranges));
}

} // namespace
