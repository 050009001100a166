// The small property dialogs run in-process from their own templates: a
// script acts on the dialog once it is up, as a person would with the keys,
// and the run function's answer is checked.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/app_globals.h"
#include "common/help_context.h"
#include "common/icon_button.h"
#include "common/modal_dialog.h"
#include "common/popup_picker.h"
#include "common/sample_window.h"
#include "common/tracking_mode.h"
#include "frame/angle_scale_dialogs.h"
#include "frame/sizing_dialogs.h"
#include "documents/printer_context.h"
#include "frame/layer_hooks.h"
#include "frame/run_tool_edit_dlg.h"
#include "objects/app_options.h"
#include "objects/shape_types.h"
#include "resources/dialog_ids.h"
#include "support/dialog_script.h"

namespace {

std::string FieldText(HWND dialog)
{
    char text[64] = "";
    GetDlgItemTextA(dialog, IDC_SPIN_VALUE, text, sizeof(text));
    return text;
}

void Press(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, kIconClicked), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Ok(HWND dialog)
{
    PressOk(dialog);
}

void Cancel(HWND dialog)
{
    PressCancel(dialog);
}

class PropertyDialogs : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterIconButtonClass(GetModuleHandleA(nullptr)); }
    void SetUp() override { AppInstance = GetModuleHandleA(nullptr); }
};

TEST_F(PropertyDialogs, AngleShowsClockwiseAndStoresCounterClockwise)
{
    int angle = 900;
    std::string shown;
    const int result = WithDialog("Set Rotation Angle", [&](HWND dialog) {
        shown = FieldText(dialog);
        SetDlgItemTextA(dialog, IDC_SPIN_VALUE, "90");
        Ok(dialog);
    }, [&] { return RunAngleDlg(&angle); });
    EXPECT_EQ(1, result);
    EXPECT_EQ("270.0", shown);
    EXPECT_EQ(-900, angle);
}

TEST_F(PropertyDialogs, AngleSpinButtonsStepTheTypedValue)
{
    int angle = 0;
    std::string up;
    std::string down;
    WithDialog("Set Rotation Angle", [&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_SPIN_VALUE, "100");
        Press(dialog, IDC_SPIN_UP);
        up = FieldText(dialog);
        SetDlgItemTextA(dialog, IDC_SPIN_VALUE, "100");
        Press(dialog, IDC_SPIN_DOWN);
        down = FieldText(dialog);
        Cancel(dialog);
    }, [&] { return RunAngleDlg(&angle); });
    EXPECT_EQ("105.0", up);
    EXPECT_EQ("90.0", down);
}

TEST_F(PropertyDialogs, CancelLeavesTheCallersValue)
{
    int angle = 450;
    const int result = WithDialog("Set Rotation Angle", [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_SPIN_VALUE, "10");
        Cancel(dialog);
    }, [&] { return RunAngleDlg(&angle); });
    EXPECT_EQ(0, result);
    EXPECT_EQ(450, angle);
}

TEST_F(PropertyDialogs, ScaleOfHundredPercentGoesBothWaysAsZero)
{
    struct Row {
        const char* name;
        int zoom;
        const char* typed;
        const char* shown;
        int result;
    };
    const Row rows[] = {
        {"100 per cent", 0, "100", "100", 0},
        {"150 per cent typed", 0, "150", "100", 1500},
        {"too large", 750, "1000", "75", 4000},
        {"no number", 2000, "abc", "200", 50},
        {"a zoom outside the range", -30, "5", "5", 50},
    };
    for (const Row& row : rows) {
        int zoom = row.zoom;
        std::string shown;
        WithDialog("Set Window Scale", [&](HWND dialog) {
            shown = FieldText(dialog);
            SetDlgItemTextA(dialog, IDC_SPIN_VALUE, row.typed);
            Ok(dialog);
        }, [&] { return RunScaleDlg(&zoom); });
        EXPECT_EQ(row.shown, shown) << row.name;
        EXPECT_EQ(row.result, zoom) << row.name;
    }
}

TEST_F(PropertyDialogs, ShapeSizingWithoutAColourChoiceGreysItAndKeepsIt)
{
    int growRule = 1;
    int colours = -1;
    bool greyed = false;
    WithDialog("Shape Sizing", [&](HWND dialog) {
        greyed = !IsWindowEnabled(GetDlgItem(dialog, IDC_CHANGE_COLORS));
        CheckRadioButton(dialog, IDC_GROW_NONE, IDC_GROW_PROPORTIONAL, IDC_GROW_PROPORTIONAL);
        Ok(dialog);
    }, [&] { return RunPictureDlg(&growRule, &colours); });
    EXPECT_TRUE(greyed);
    EXPECT_EQ(3, growRule);
    EXPECT_EQ(-1, colours);
}

// Shapes whose rules and colour settings differ: no rule is checked and the
// box shows its mixed state; what is left so comes back untouched.
TEST_F(PropertyDialogs, ShapeSizingOverDifferingShapesHandsBackOnlyWhatWasChosen)
{
    struct Case {
        const char* name;
        int chosenRule;  // 0: none chosen
        UINT box;        // the box's state at OK
        int growRule;
        int colours;
    } cases[] = {
        {"nothing touched", 0, BST_INDETERMINATE, -1, -1},
        {"only the colours", 0, BST_CHECKED, -1, 0},
        {"only the rule", IDC_GROW_PROPORTIONAL, BST_INDETERMINATE, 3, -1},
        {"both", IDC_GROW_NONE, BST_UNCHECKED, 0, 1},
    };
    for (const Case& c : cases) {
        int growRule = -1;
        int colours = -2;
        bool anyChecked = true;
        UINT shownBox = BST_UNCHECKED;
        WithDialog("Shape Sizing", [&](HWND dialog) {
            anyChecked = false;
            for (int id = IDC_GROW_NONE; id <= IDC_GROW_PROPORTIONAL; ++id)
                anyChecked = anyChecked || IsDlgButtonChecked(dialog, id) == BST_CHECKED;
            shownBox = IsDlgButtonChecked(dialog, IDC_CHANGE_COLORS);
            if (c.chosenRule)
                CheckRadioButton(dialog, IDC_GROW_NONE, IDC_GROW_PROPORTIONAL, c.chosenRule);
            CheckDlgButton(dialog, IDC_CHANGE_COLORS, c.box);
            Ok(dialog);
        }, [&] { return RunPictureDlg(&growRule, &colours); });
        EXPECT_FALSE(anyChecked) << c.name;
        EXPECT_EQ(static_cast<UINT>(BST_INDETERMINATE), shownBox) << c.name;
        EXPECT_EQ(c.growRule, growRule) << c.name;
        EXPECT_EQ(c.colours, colours) << c.name;
    }
}

TEST_F(PropertyDialogs, TextSizingStoresTheCheckedRule)
{
    int rule = 0;
    bool firstChecked = false;
    WithDialog("Shape Sizing with Text", [&](HWND dialog) {
        firstChecked = IsDlgButtonChecked(dialog, IDC_TEXTSIZE_BOTH) == BST_CHECKED;
        CheckRadioButton(dialog, IDC_TEXTSIZE_BOTH, IDC_TEXTSIZE_VERTICAL, IDC_TEXTSIZE_VERTICAL);
        Ok(dialog);
    }, [&] { return RunTextDlg(&rule); });
    EXPECT_TRUE(firstChecked);
    EXPECT_EQ(2, rule);
}

TEST_F(PropertyDialogs, NoDialogOpensDuringADrag)
{
    TrackingMode = kTrackingMove;
    int angle = 900;
    const int result = RunAngleDlg(&angle);
    TrackingMode = kTrackingNone;
    EXPECT_EQ(0, result);
    EXPECT_EQ(900, angle);
}

TEST_F(PropertyDialogs, NoDialogOpensOverAnother)
{
    HWND main = CreateWindowA("STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, main);
    MainWindow = main;
    int inner = -1;
    int zoom = 0;
    WithDialog("Set Window Scale", [&](HWND dialog) {
        int angle = 900;
        inner = RunAngleDlg(&angle);
        Cancel(dialog);
    }, [&] { return RunScaleDlg(&zoom); });
    MainWindow = nullptr;
    DestroyWindow(main);
    EXPECT_TRUE(DialogScriptRan());
    EXPECT_EQ(0, inner);
}

class ToolSlotDialog : public PropertyDialogs {
protected:
    void SetUp() override
    {
        PropertyDialogs::SetUp();
        ASSERT_EQ(kErrNone, InitObjectKinds());
        RegisterDialogControls();
        record_ = std::make_unique<OptionsRecord>();
        *record_ = OptionsRecord{};
        savedOptions_ = AppOptions;
        AppOptions = reinterpret_cast<unsigned char*>(record_.get());
        savedMeasure_ = MeasureSystem;
    }
    void TearDown() override
    {
        AppOptions = savedOptions_;
        MeasureSystem = savedMeasure_;
    }
    // The preview and the shape picker of the template, as start-up registers them.
    static void RegisterDialogControls()
    {
        WNDCLASSA existing;
        if (GetClassInfoA(GetModuleHandleA(nullptr), "SESAMPLEWIN", &existing))
            return;
        WNDCLASSA sample = {};
        sample.lpfnWndProc = SampleWndProc;
        sample.hInstance = GetModuleHandleA(nullptr);
        sample.cbWndExtra = kSampleWindowBytes;
        sample.lpszClassName = "SESAMPLEWIN";
        RegisterClassA(&sample);
        RegisterPopupClass(GetModuleHandleA(nullptr));
    }
    static std::string Text(HWND dialog, int id)
    {
        char text[64] = "";
        GetDlgItemTextA(dialog, id, text, sizeof(text));
        return text;
    }
    // Types into a size field as a person does: focus in, text, focus out.
    static void TypeSize(HWND dialog, int id, const char* text)
    {
        SetFocus(GetDlgItem(dialog, id));
        SetDlgItemTextA(dialog, id, text);
        SetFocus(GetDlgItem(dialog, IDCANCEL));
    }

    std::unique_ptr<OptionsRecord> record_;
    unsigned char* savedOptions_ = nullptr;
    int savedMeasure_ = 1;
};

TEST_F(ToolSlotDialog, AWidthOfThreeInchesIsHeldToTwo)
{
    const int slot = 4;
    record_->toolbar[slot] = {600, 600, 0, 2, 0, 0.0};
    MeasureSystem = 1;
    std::string shown;
    const BOOL confirmed = WithDialog("Edit Toolbar Location", [&](HWND dialog) {
        TypeSize(dialog, IDC_TOOLEDIT_WIDTH, "3");
        shown = Text(dialog, IDC_TOOLEDIT_WIDTH);
        Ok(dialog);
    }, [&] { return RunToolEditDlg(slot); });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ("2.00", shown);
    EXPECT_EQ(1200, record_->toolbar[slot].width);
    EXPECT_EQ(600, record_->toolbar[slot].height);
}

TEST_F(ToolSlotDialog, MetricShowsCentimetresAndCancelKeepsTheSlot)
{
    const int slot = 2;
    record_->toolbar[slot] = {600, 300, 0, 2, 0, 0.0};
    MeasureSystem = 0;
    std::string units;
    std::string shown;
    const BOOL confirmed = WithDialog("Edit Toolbar Location", [&](HWND dialog) {
        units = Text(dialog, IDC_TOOLEDIT_UNITS);
        TypeSize(dialog, IDC_TOOLEDIT_WIDTH, "10");
        shown = Text(dialog, IDC_TOOLEDIT_WIDTH);
        Cancel(dialog);
    }, [&] { return RunToolEditDlg(slot); });
    EXPECT_FALSE(confirmed);
    EXPECT_EQ("(cm)", units);
    EXPECT_EQ("5.08", shown);
    EXPECT_EQ(600, record_->toolbar[slot].width);
}

// The shape picker reports the chosen entry to the dialog, which takes the
// type's own adjustment and sizing.
TEST_F(ToolSlotDialog, ChoosingAShapeTakesItsAdjustmentAndSizing)
{
    struct Case {
        const char* name;
        int type;
        int sizing;
        int width;
        double adjustment;
        const char* shownHeight;
    } cases[] = {
        {"a circle keeps its proportion and turns square", kShapeCircle, 3, 600, 0.0, "1.00"},
        {"a rounded rectangle takes its adjustment", kShapeRoundRect, 0, 600, 0.2, "0.50"},
    };
    const int firstId = 1401;
    const int entries = 24;
    HMENU shapes = CreatePopupMenu();
    for (int i = 0; i < entries; ++i)
        AppendMenuA(shapes, MF_STRING, static_cast<UINT_PTR>(firstId + i), "shape");
    MeasureSystem = 1;
    for (const Case& c : cases) {
        const int slot = 3;
        record_->toolbar[slot] = {600, 300, 0, 2, 0, 0.0};
        std::string height;
        const BOOL confirmed = WithDialog("Edit Toolbar Location", [&](HWND dialog) {
            SetPopupData(dialog, IDC_TOOLEDIT_SHAPE, 0, nullptr, nullptr, shapes, 0, TRUE);
            SendDlgItemMessageA(dialog, IDC_TOOLEDIT_SHAPE, WM_COMMAND, static_cast<WPARAM>(firstId + c.type - 2), 0);
            height = Text(dialog, IDC_TOOLEDIT_HEIGHT);
            Ok(dialog);
        }, [&] { return RunToolEditDlg(slot); });
        EXPECT_TRUE(confirmed) << c.name;
        EXPECT_EQ(c.type, record_->toolbar[slot].type) << c.name;
        EXPECT_EQ(c.sizing, record_->toolbar[slot].sizing) << c.name;
        EXPECT_EQ(c.width, record_->toolbar[slot].width) << c.name;
        EXPECT_DOUBLE_EQ(c.adjustment, record_->toolbar[slot].adjustment) << c.name;
        EXPECT_EQ(c.shownHeight, height) << c.name;
    }
    DestroyMenu(shapes);
}

struct HelpAsked {
    UINT command;
    int control;
    int topic;
};
std::vector<HelpAsked> HelpCalls;

// The first pair of the table the engine was handed names the topic asked for.
BOOL WINAPI RecordHelp(HWND window, LPCSTR, UINT command, ULONG_PTR data)
{
    const bool table = command == HELP_WM_HELP || command == HELP_CONTEXTMENU;
    int topic = static_cast<int>(data);
    if (table) {
        const int control = GetDlgCtrlID(window);
        for (const DWORD* pair = reinterpret_cast<const DWORD*>(data); pair[0]; pair += 2)
            if (static_cast<int>(pair[0]) == control)
                topic = static_cast<int>(pair[1]);
    }
    HelpCalls.push_back({command, table ? GetDlgCtrlID(window) : 0, topic});
    return TRUE;
}

// What's This on each control of the dialog: by the caption's question mark
// (WM_HELP) and by the right button (WM_CONTEXTMENU).
TEST_F(ToolSlotDialog, WhatsThisOnAControlShowsItsOwnTopic)
{
    struct Case {
        const char* name;
        int control;
        UINT message;
        HelpAsked expected;  // command 0: no help shown
    } cases[] = {
        {"width by the question mark", IDC_TOOLEDIT_WIDTH, WM_HELP, {HELP_WM_HELP, IDC_TOOLEDIT_WIDTH, 15022}},
        {"height by the right button", IDC_TOOLEDIT_HEIGHT, WM_CONTEXTMENU,
         {HELP_CONTEXTMENU, IDC_TOOLEDIT_HEIGHT, 15022}},
        {"shape picker", IDC_TOOLEDIT_SHAPE, WM_HELP, {HELP_WM_HELP, IDC_TOOLEDIT_SHAPE, 15021}},
        {"adjustment", IDC_TOOLEDIT_ADJUSTMENT, WM_CONTEXTMENU, {HELP_CONTEXTMENU, IDC_TOOLEDIT_ADJUSTMENT, 15020}},
        {"the Help button shows the dialog's topic", IDC_HELP_BUTTON, WM_HELP, {HELP_CONTEXT, 0, 30030}},
        {"OK is left to the system", IDOK, WM_CONTEXTMENU, {0, 0, 0}},
        {"a control outside the table shows nothing", IDC_TOOLEDIT_UNITS, WM_HELP, {0, 0, 0}},
    };
    HelpEngineCall saved = HelpEngine;
    HelpEngine = RecordHelp;
    record_->toolbar[0] = {600, 600, 0, 2, 0, 0.0};
    for (const Case& c : cases) {
        HelpCalls.clear();
        WithDialog("Edit Toolbar Location", [&](HWND dialog) {
            HWND control = GetDlgItem(dialog, c.control);
            if (c.message == WM_HELP) {
                HELPINFO info = {sizeof(HELPINFO), HELPINFO_WINDOW, c.control, control, 0, {0, 0}};
                SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            } else {
                SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0);
            }
            Cancel(dialog);
        }, [&] { return RunToolEditDlg(0); });
        if (c.expected.command == 0) {
            EXPECT_TRUE(HelpCalls.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(1u, HelpCalls.size()) << c.name;
        EXPECT_EQ(c.expected.command, HelpCalls[0].command) << c.name;
        EXPECT_EQ(c.expected.control, HelpCalls[0].control) << c.name;
        EXPECT_EQ(c.expected.topic, HelpCalls[0].topic) << c.name;
    }
    HelpEngine = saved;
}

} // namespace
