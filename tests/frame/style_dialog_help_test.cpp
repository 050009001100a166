// What's This help of the colour-style and arrowhead dialogs: a right click or
// the caption's question mark on a control asks the help engine for that
// control's topic; OK, Cancel and unlisted controls are left alone.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/help_context.h"
#include "frame/arrow_dialog.h"
#include "frame/style_dialogs.h"
#include "resources/dialog_ids.h"

namespace {

UINT AskedCommand = 0;
DWORD AskedTopic = 0;

// The topic the table gives the control that asked.
BOOL WINAPI RecordingEngine(HWND control, LPCSTR, UINT command, ULONG_PTR data)
{
    AskedCommand = command;
    AskedTopic = 0;
    const int id = GetDlgCtrlID(control);
    for (const DWORD* pair = reinterpret_cast<const DWORD*>(data); pair[0] != 0; pair += 2)
        if (static_cast<int>(pair[0]) == id)
            AskedTopic = pair[1];
    return TRUE;
}

class StyleDialogHelp : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = HelpEngine;
        HelpEngine = RecordingEngine;
        dialog_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, dialog_);
    }
    void TearDown() override
    {
        DestroyWindow(dialog_);
        HelpEngine = saved_;
    }
    HWND Control(int id)
    {
        return CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 5, 5, dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             nullptr, nullptr);
    }

    HelpEngineCall saved_ = nullptr;
    HWND dialog_ = nullptr;
};

TEST_F(StyleDialogHelp, EachListedControlAsksForItsOwnTopic)
{
    using Handler = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
    struct Case {
        const char* name;
        Handler handler;
        int control;
        DWORD topic;   // 0: not listed
    } cases[] = {
        {"styles: list", StyleDlgHandler, IDC_STYLE_LIST, 15041},
        {"styles: define", StyleDlgHandler, IDC_STYLE_DEFINE, 15042},
        {"styles: to fills", StyleDlgHandler, IDC_STYLE_APPLY_FILLS, 15043},
        {"styles: to lines", StyleDlgHandler, IDC_STYLE_APPLY_LINES, 15044},
        {"styles: OK", StyleDlgHandler, IDOK, 0},
        {"define: list", DefineStyleDlgHandler, IDC_STYLE_LIST, 15019},
        {"define: first picker", DefineStyleDlgHandler, IDC_DEFSTYLE_BORDER, 15012},
        {"define: last picker", DefineStyleDlgHandler, IDC_DEFSTYLE_HIGHLIGHT, 15012},
        {"define: last kind", DefineStyleDlgHandler, IDC_DEFSTYLE_KIND_LAST, 15011},
        {"define: first direction", DefineStyleDlgHandler, IDC_DEFSTYLE_DIR_FIRST, 15010},
        {"define: rename", DefineStyleDlgHandler, IDC_DEFSTYLE_RENAME, 15018},
        {"define: sample", DefineStyleDlgHandler, IDC_STYLE_SAMPLE, 15017},
        {"define: cancel", DefineStyleDlgHandler, IDCANCEL, 0},
        {"arrows: sample", ArrowDlgHandler, IDC_ARROW_SAMPLE, 15026},
        {"arrows: last start", ArrowDlgHandler, IDC_ARROW_START_LAST, 15023},
        {"arrows: first end", ArrowDlgHandler, IDC_ARROW_END_FIRST, 15024},
        {"arrows: end displaced", ArrowDlgHandler, IDC_ARROW_END_DISPLACED, 15027},
        {"arrows: middle size", ArrowDlgHandler, IDC_ARROW_SIZE_FIRST + 1, 15025},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND control = Control(c.control);
        AskedCommand = 0;
        const INT_PTR handled = c.handler(dialog_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0);
        EXPECT_EQ(c.topic != 0, handled != 0);
        EXPECT_EQ(c.topic, AskedTopic);
        EXPECT_EQ(c.topic != 0 ? static_cast<UINT>(HELP_CONTEXTMENU) : 0u, AskedCommand);
        DestroyWindow(control);
        AskedTopic = 0;
    }
}

} // namespace
