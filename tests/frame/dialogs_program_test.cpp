// The property dialogs of the Shapes, View and Draw menus as a person uses
// them: each opened from its menu command, a value changed and confirmed or
// cancelled, and what the program saved or painted checked.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "objects/drawing_layout.h"
#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"

namespace {

class DialogsProgram : public DesktopProgram {
protected:
    void SetUp() override
    {
        file_ = StartOnEmptyDrawing("dialogs-drawing.tyr");
    }

    // A rectangle drawn with the real mouse near the view's top left, selected.
    void DrawSelectedRectangle()
    {
        const RECT client = ClientScreenRect(view_);
        DrawRectangle({client.left + 40, client.top + 40}, {client.left + 120, client.top + 100});
        Command(IDM_EDIT_SELECT_ALL);
    }
    static std::string Field(HWND dialog)
    {
        char text[64] = "";
        SendMessageA(GetDlgItem(dialog, IDC_SPIN_VALUE), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
        return text;
    }
    static void Type(HWND dialog, const char* text)
    {
        SendMessageA(GetDlgItem(dialog, IDC_SPIN_VALUE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    std::vector<DrawingObject> Saved()
    {
        Command(desktop_ids::kSave);
        ScratchDrawing reader;
        return reader.ReadObjects(file_);
    }

    std::string file_;
};

TEST_F(DialogsProgram, SetAngleTurnsTheSelectionAndCancelLeavesIt)
{
    DrawSelectedRectangle();
    HWND dialog = OpenDialog(IDM_DRAW_ROTATE_ANGLE, "Set Rotation Angle");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("0.0", Field(dialog));
    Type(dialog, "45");
    Screenshot("set_angle_typed");
    Press(dialog, IDCANCEL);
    std::vector<DrawingObject> objects = Saved();
    ASSERT_EQ(1u, objects.size());
    EXPECT_EQ(0, objects[0].rotation) << "Cancel changed the drawing";

    dialog = OpenDialog(IDM_DRAW_ROTATE_ANGLE, "Set Rotation Angle");
    ASSERT_NE(nullptr, dialog);
    Type(dialog, "90");
    Press(dialog, IDOK);
    Screenshot("set_angle_turned");
    objects = Saved();
    ASSERT_EQ(1u, objects.size());
    EXPECT_EQ(-900, objects[0].rotation);
}

TEST_F(DialogsProgram, CustomZoomOf150PerCentEnlargesTheView)
{
    DrawSelectedRectangle();
    const RECT client = ClientScreenRect(view_);
    const int before = ScreenImage::Grab().CountDark(client);
    HWND dialog = OpenDialog(IDM_VIEW_ZOOM_CUSTOM, "Set Window Scale");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("100", Field(dialog));
    Type(dialog, "150");
    Screenshot("custom_zoom_typed");
    Press(dialog, IDOK);
    const ScreenImage zoomed = ScreenImage::Grab();
    zoomed.Save("custom_zoom_150");
    // The outline grows by half in each direction, and so does its pen.
    const int after = zoomed.CountDark(client);
    EXPECT_GT(after, before * 13 / 10) << before << " dark pixels became " << after;

    dialog = OpenDialog(IDM_VIEW_ZOOM_CUSTOM, "Set Window Scale");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("150", Field(dialog));
    Type(dialog, "50");
    Press(dialog, IDCANCEL);
    EXPECT_EQ(after, ScreenImage::Grab().CountDark(client)) << "Cancel changed the zoom";
}

TEST_F(DialogsProgram, ShapeSizingAndTextSizingAreSavedWithTheShape)
{
    DrawSelectedRectangle();
    HWND dialog = OpenDialog(IDM_SHAPES_SHAPE_SIZING, "Shape Sizing");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDC_GROW_PROPORTIONAL);
    Screenshot("shape_sizing_proportional");
    Press(dialog, IDCANCEL);
    std::vector<DrawingObject> objects = Saved();
    ASSERT_EQ(1u, objects.size());
    const int32_t constraint = objects[0].sizingConstraint;
    EXPECT_NE(3, constraint) << "Cancel changed the drawing";

    dialog = OpenDialog(IDM_SHAPES_SHAPE_SIZING, "Shape Sizing");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDC_GROW_PROPORTIONAL);
    Press(dialog, IDOK);
    dialog = OpenDialog(IDM_SHAPES_TEXT_SIZING, "Shape Sizing with Text");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDC_TEXTSIZE_VERTICAL);
    Screenshot("text_sizing_vertical");
    Press(dialog, IDOK);
    objects = Saved();
    ASSERT_EQ(1u, objects.size());
    EXPECT_EQ(3, objects[0].sizingConstraint);
    EXPECT_EQ(2, objects[0].textBoxWord);
}

// Two shapes whose sizing rules differ: the dialog checks no rule; OK with
// none chosen leaves each its own, and a chosen rule reaches both.
TEST_F(DialogsProgram, ShapeSizingOverDifferingRulesChangesOnlyWhatWasChosen)
{
    const RECT client = ClientScreenRect(view_);
    DrawSelectedRectangle();
    HWND dialog = OpenDialog(IDM_SHAPES_SHAPE_SIZING, "Shape Sizing");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDC_GROW_PROPORTIONAL);
    Press(dialog, IDOK);
    DrawRectangle({client.left + 160, client.top + 40}, {client.left + 240, client.top + 100});
    std::vector<DrawingObject> before = Saved();
    ASSERT_EQ(2u, before.size());
    ASSERT_NE(before[0].sizingConstraint, before[1].sizingConstraint) << "the two shapes should differ";

    Command(IDM_EDIT_SELECT_ALL);
    dialog = OpenDialog(IDM_SHAPES_SHAPE_SIZING, "Shape Sizing");
    ASSERT_NE(nullptr, dialog);
    for (int id = IDC_GROW_NONE; id <= IDC_GROW_PROPORTIONAL; ++id)
        EXPECT_NE(static_cast<LRESULT>(BST_CHECKED), SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0))
            << "rule " << id - IDC_GROW_NONE << " shown as if the shapes shared it";
    Screenshot("shape_sizing_mixed_rules");
    Press(dialog, IDOK);
    std::vector<DrawingObject> untouched = Saved();
    ASSERT_EQ(2u, untouched.size());
    EXPECT_EQ(before[0].sizingConstraint, untouched[0].sizingConstraint);
    EXPECT_EQ(before[1].sizingConstraint, untouched[1].sizingConstraint);

    dialog = OpenDialog(IDM_SHAPES_SHAPE_SIZING, "Shape Sizing");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDC_GROW_NONE);
    Press(dialog, IDOK);
    std::vector<DrawingObject> chosen = Saved();
    ASSERT_EQ(2u, chosen.size());
    EXPECT_EQ(0, chosen[0].sizingConstraint);
    EXPECT_EQ(0, chosen[1].sizingConstraint);
}

TEST_F(DialogsProgram, AFontChangeDropsTheUndoStepSoCtrlZDoesNothing)
{
    DrawSelectedRectangle();
    PostMessageA(program_.MainWindow(), WM_FONTCHANGE, 0, 0);
    ASSERT_TRUE(program_.Settle());
    RealKey('Z', false, true);
    ASSERT_TRUE(program_.Settle());
    Screenshot("font_change_then_ctrl_z");
    EXPECT_EQ(1u, Saved().size()) << "the drawn rectangle was undone after the font change";
}

TEST_F(DialogsProgram, ToolbarDialogShowsTheChosenShapeToolInItsPreview)
{
    ClickTool(desktop_ids::kRectangleTool);
    HWND dialog = OpenDialog(IDM_EDIT_TOOLBAR, "Edit Toolbar Location");
    ASSERT_NE(nullptr, dialog);
    HWND preview = GetDlgItem(dialog, IDC_TOOLEDIT_SAMPLE);
    ASSERT_NE(nullptr, preview);
    const ScreenImage shown = ScreenImage::Grab();
    shown.Save("toolbar_dialog");
    // The rectangle's outline on the white preview.
    EXPECT_GT(shown.CountDark(ClientScreenRect(preview)), 100);
    Press(dialog, IDCANCEL);
}

// The shape picker drops the Shapes menu's shape list; choosing the circle
// (its eighth entry) makes the slot draw circles, square and proportional.
TEST_F(DialogsProgram, ToolbarDialogChangesTheSlotsShapeThroughItsPicker)
{
    ClickTool(desktop_ids::kRectangleTool);
    HWND dialog = OpenDialog(IDM_EDIT_TOOLBAR, "Edit Toolbar Location");
    ASSERT_NE(nullptr, dialog);
    HWND picker = GetDlgItem(dialog, IDC_TOOLEDIT_SHAPE);
    ASSERT_NE(nullptr, picker);
    const RECT face = ClientScreenRect(picker);
    RealClick({(face.left + face.right) / 2, (face.top + face.bottom) / 2});
    ASSERT_TRUE(program_.Settle());
    Screenshot("toolbar_shape_picker_open");
    const int circleEntry = 7;
    for (int i = 0; i <= circleEntry; ++i)
        RealKey(VK_DOWN);
    RealKey(VK_RETURN);
    ASSERT_TRUE(program_.Settle());
    Screenshot("toolbar_dialog_after_shape_change");
    char width[32] = "";
    char height[32] = "";
    SendMessageA(GetDlgItem(dialog, IDC_TOOLEDIT_WIDTH), WM_GETTEXT, sizeof(width), reinterpret_cast<LPARAM>(width));
    SendMessageA(GetDlgItem(dialog, IDC_TOOLEDIT_HEIGHT), WM_GETTEXT, sizeof(height), reinterpret_cast<LPARAM>(height));
    EXPECT_STREQ(width, height) << "a circle's slot is square";
    Press(dialog, IDOK);
    char tip[64] = "";
    GetWindowTextA(GetDlgItem(palette_, desktop_ids::kRectangleTool), tip, sizeof(tip));
    EXPECT_STREQ("Draw a Connector Symbol (Circle)", tip) << "the palette button now draws circles";
}

} // namespace
