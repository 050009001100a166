#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>

#include "common/help_context.h"
#include "common/help_filter.h"
#include "documents/print_dialogs.h"

namespace {

struct EngineCall {
    UINT command = 0;
    ULONG_PTR data = 0;
    int calls = 0;
};
EngineCall LastCall;

BOOL WINAPI RecordingEngine(HWND, LPCSTR, UINT command, ULONG_PTR data)
{
    LastCall.command = command;
    LastCall.data = data;
    ++LastCall.calls;
    return TRUE;
}

// The topic the engine was handed for a control: the context number itself,
// or the control's entry in the pairs it was given.
DWORD TopicOfCall(const EngineCall& call, int control)
{
    if (call.command == HELP_CONTEXT)
        return static_cast<DWORD>(call.data);
    for (const DWORD* p = reinterpret_cast<const DWORD*>(call.data); p && *p; p += 2)
        if (static_cast<int>(*p) == control)
            return p[1];
    return 0;
}

const int kCommonDialogsOwnControl = 1136;  // the printer list of the common dialog

// Stands in for the common dialog: a window with buttons of the ids the
// hooks are asked about, and a recorder for the help engine.
class PrintDialogHelp : public testing::Test {
protected:
    void SetUp() override
    {
        savedEngine_ = HelpEngine;
        HelpEngine = RecordingEngine;
        dialog_ = CreateWindowExA(0, "STATIC", "Print", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        const int ids[] = {IDOK, kPrintHelpButton, kPrintFootersBox, kDefineFooterButton, kOverlapBox,
                           kCommonDialogsOwnControl};
        for (int id : ids)
            CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, dialog_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(dialog_);
        HelpEngine = savedEngine_;
    }
    HWND dialog_ = nullptr;
    HelpEngineCall savedEngine_ = nullptr;
};

TEST_F(PrintDialogHelp, EachWayOfAskingReachesTheDialogsOrTheControlsTopic)
{
    typedef UINT_PTR(CALLBACK * Hook)(HWND, UINT, WPARAM, LPARAM);
    struct Row {
        const char* name;
        Hook hook;
        UINT message;
        int control;  // 0: F1 through the help command
        UINT command;  // 0: left to the common dialog
        DWORD topic;
    };
    const Row rows[] = {
        {"print: right click on Print Footers", SEPPrintHook, WM_CONTEXTMENU, kPrintFootersBox, HELP_CONTEXTMENU,
         15004},
        {"print: question mark on Define Footer", SEPPrintHook, WM_HELP, kDefineFooterButton, HELP_WM_HELP, 15003},
        {"print: right click on Help", SEPPrintHook, WM_CONTEXTMENU, kPrintHelpButton, HELP_CONTEXT, 30034},
        {"print: Help clicked", SEPPrintHook, WM_COMMAND, kPrintHelpButton, HELP_CONTEXT, 30034},
        {"print: F1", SEPPrintHook, WM_COMMAND, 0, HELP_CONTEXT, 30034},
        {"print: right click on OK", SEPPrintHook, WM_CONTEXTMENU, IDOK, 0, 0},
        {"print: right click on the printer list", SEPPrintHook, WM_CONTEXTMENU, kCommonDialogsOwnControl, 0, 0},
        {"setup: question mark on Overlap", SEPSetupHook, WM_HELP, kOverlapBox, HELP_WM_HELP, 15005},
        {"setup: right click on Help", SEPSetupHook, WM_CONTEXTMENU, kPrintHelpButton, HELP_CONTEXT, 30033},
        {"setup: Help clicked", SEPSetupHook, WM_COMMAND, kPrintHelpButton, HELP_CONTEXT, 30033},
        {"setup: F1", SEPSetupHook, WM_COMMAND, 0, HELP_CONTEXT, 30033},
    };
    for (const Row& row : rows) {
        LastCall = EngineCall();
        HWND control = GetDlgItem(dialog_, row.control);
        HELPINFO info = {sizeof(HELPINFO), HELPINFO_WINDOW, row.control, control, 0, {0, 0}};
        UINT_PTR answer = 0;
        if (row.message == WM_HELP)
            answer = row.hook(dialog_, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        else if (row.message == WM_CONTEXTMENU)
            answer = row.hook(dialog_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0);
        else if (row.control)
            answer = row.hook(dialog_, WM_COMMAND, MAKEWPARAM(row.control, BN_CLICKED),
                              reinterpret_cast<LPARAM>(control));
        else
            answer = row.hook(dialog_, WM_COMMAND, kContextHelpCommand, 0);
        EXPECT_EQ(row.command != 0, answer != 0) << row.name;
        EXPECT_EQ(row.command != 0 ? 1 : 0, LastCall.calls) << row.name;
        if (row.command) {
            EXPECT_EQ(row.command, LastCall.command) << row.name;
            EXPECT_EQ(row.topic, TopicOfCall(LastCall, row.control)) << row.name;
        }
    }
}

} // namespace
