// The rulers, arrowheads and colour-style dialogs as a person uses them:
// opened from their menus, changed and confirmed, and what the program saved
// read back; Cancel leaves the saved file as it was, byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "documents/options_file.h"
#include "frame/style_dialogs.h"
#include "frame/style_rules.h"
#include "lines/arrowheads.h"
#include "objects/app_options.h"
#include "objects/color_style.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"
#include "view/selection_access.h"

namespace {

const int kFirstStartKind = 5;
const RECT kUpperLine = {600, 600, 3000, 600};
const RECT kLowerLine = {600, 1500, 3000, 1500};

// Two horizontal lines; the upper one starts with a head the lower one lacks.
void FillTwoLines(HWND view)
{
    for (const RECT& frame : {kUpperLine, kLowerLine})
        ASSERT_EQ(0, CreateObject(view, kKindLine, &frame, 0, 1, 0, 0, 1, 0, 0));
    HGLOBAL handle = ViewDrawingHandle(view);
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(handle));
    ASSERT_NE(nullptr, drawing);
    {
        LockedTable objects(drawing, kTableObjects);
        ASSERT_EQ(2, objects.Count());
        DrawingObject* upper = ObjectAt(objects.Get(), 0);
        upper->startArrow = kFirstStartKind;
        upper->arrowEnds = RebuildArrowEnds(&upper->startArrow, &upper->endArrow);
    }
    GlobalUnlock(handle);
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class AppearanceDialogsProgram : public DesktopProgram {
protected:
    void SetUp() override
    {
        file_ = ScratchPath("appearance-drawing.tyr");
        DeleteFileA(file_.c_str());
        {
            ScratchDrawing drawing;
            ASSERT_EQ(0, drawing.Write(file_, false, FillTwoLines));
        }
        StartWith(file_);
    }

    // An icon button pressed with the real mouse.
    void Click(HWND dialog, int id)
    {
        const RECT r = ClientScreenRect(GetDlgItem(dialog, id));
        RealClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        ASSERT_TRUE(program_.Settle());
    }
    std::vector<DrawingObject> Saved()
    {
        Command(desktop_ids::kSave);
        return ScratchDrawing().ReadObjects(file_);
    }
    RulerScale SavedRulers()
    {
        Command(desktop_ids::kSave);
        RulerScale scale{};
        uint32_t flags = 0;
        EXPECT_EQ(0, ScratchDrawing().Inspect(file_, [&](DrawingRecord* drawing) {
            std::memcpy(&scale, drawing->rulerScale, sizeof(scale));
            flags = drawing->flags;
        }));
        snapCentred_ = (flags & kDrawingCentredMiddle) != 0;
        return scale;
    }

    std::string file_;
    bool snapCentred_ = false;
};

TEST_F(AppearanceDialogsProgram, RulersTakeTheRoundedScaleUnitAndDivisionsAndUndoDoesNotOfferThem)
{
    Command(desktop_ids::kSave);
    const std::string before = FileBytes(file_);
    HWND dialog = OpenDialog(IDM_VIEW_RULERS_AND_GRID, "Set Rulers And Grids");
    ASSERT_NE(nullptr, dialog);
    SendMessageA(GetDlgItem(dialog, IDC_RULER_SCALE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
    Press(dialog, IDC_RULER_DIV_8);
    Press(dialog, IDCANCEL);
    Command(desktop_ids::kSave);
    EXPECT_EQ(before, FileBytes(file_)) << "Cancel changed the saved drawing";

    dialog = OpenDialog(IDM_VIEW_RULERS_AND_GRID, "Set Rulers And Grids");
    ASSERT_NE(nullptr, dialog);
    // The scale field has the focus: typing goes there.
    SendMessageA(GetDlgItem(dialog, IDC_RULER_SCALE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    RealType("2.54");
    ASSERT_TRUE(program_.Settle());
    HWND units = GetDlgItem(dialog, IDC_RULER_UNIT);
    SendMessageA(units, CB_SETCURSEL, 4, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RULER_UNIT, CBN_SELCHANGE), reinterpret_cast<LPARAM>(units));
    Press(dialog, IDC_RULER_CM);
    Press(dialog, IDC_RULER_DIV_16);
    Press(dialog, IDC_RULER_SNAP_TOP_LEFT);
    Screenshot("rulers_dialog_changed");
    Press(dialog, IDOK);
    Screenshot("rulers_applied");
    RulerScale scale = SavedRulers();
    EXPECT_DOUBLE_EQ(3.0, scale.labelValue);
    EXPECT_NEAR(84.67, scale.majorLength, 0.005);
    EXPECT_EQ(4, scale.labelUnit);
    EXPECT_EQ(0, scale.screenUnit);
    EXPECT_EQ(16, scale.divisions);
    EXPECT_FALSE(snapCentred_);

    Command(IDM_EDIT_UNDO);
    scale = SavedRulers();
    EXPECT_EQ(16, scale.divisions) << "Undo took back the ruler change";
    EXPECT_EQ(4, scale.labelUnit);
}

TEST_F(AppearanceDialogsProgram, MixedStartHeadsStayAsTheyWereWhileTheChosenEndReachesBothLines)
{
    Command(IDM_EDIT_SELECT_ALL);
    Command(desktop_ids::kSave);
    const std::string before = FileBytes(file_);
    HWND dialog = OpenDialog(IDM_LINES_ARROWHEADS, "Arrowheads");
    ASSERT_NE(nullptr, dialog);
    Screenshot("arrowheads_mixed_start");
    Click(dialog, IDC_ARROW_END_FIRST + 3);
    Press(dialog, IDCANCEL);
    Command(desktop_ids::kSave);
    EXPECT_EQ(before, FileBytes(file_)) << "Cancel changed the saved drawing";

    dialog = OpenDialog(IDM_LINES_ARROWHEADS, "Arrowheads");
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDC_ARROW_END_FIRST + 3);
    Click(dialog, IDC_ARROW_END_DISPLACED);
    Click(dialog, IDC_ARROW_SIZE_FIRST + 2);
    Screenshot("arrowheads_end_chosen");
    Press(dialog, IDOK);
    Screenshot("arrowheads_applied");
    const std::vector<DrawingObject> lines = Saved();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(kFirstStartKind, lines[0].startArrow & 0xFF);
    EXPECT_EQ(0, lines[1].startArrow & 0xFF);
    for (const DrawingObject& line : lines) {
        EXPECT_EQ(0x103, line.endArrow);
        EXPECT_EQ(2, line.arrowSize);
    }
}

// Read as wide text: another process's list box answers LB_GETTEXT in its own form.
std::string ListText(HWND dialog, int index)
{
    wchar_t wide[64] = L"";
    SendDlgItemMessageW(dialog, IDC_STYLE_LIST, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide));
    char text[64] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
    return text;
}

int ListSelection(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_STYLE_LIST, LB_GETCURSEL, 0, 0));
}

TEST_F(AppearanceDialogsProgram, ColorsAndShadowsGivesTheDrawingTheChosenStyleAndCancelNothing)
{
    Command(desktop_ids::kSave);
    const std::string before = FileBytes(file_);
    HWND dialog = OpenDialog(IDM_EDIT_COLORS_AND_SHADOWS, "Colors and Shadows");
    ASSERT_NE(nullptr, dialog);
    Screenshot("colors_and_shadows_opened");
    EXPECT_EQ("[Current Settings: No Style]", ListText(dialog, ListSelection(dialog)));
    Press(dialog, IDCANCEL);
    Command(desktop_ids::kSave);
    EXPECT_EQ(before, FileBytes(file_)) << "Cancel changed the saved drawing";

    dialog = OpenDialog(IDM_EDIT_COLORS_AND_SHADOWS, "Colors and Shadows");
    ASSERT_NE(nullptr, dialog);
    HWND list = GetDlgItem(dialog, IDC_STYLE_LIST);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_STYLE_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    ASSERT_TRUE(program_.Settle());
    const std::string chosen = ListText(dialog, 1);
    Screenshot("colors_and_shadows_chosen");
    Press(dialog, IDOK);
    Screenshot("colors_and_shadows_applied");
    Command(desktop_ids::kSave);
    std::string saved;
    EXPECT_EQ(0, ScratchDrawing().Inspect(file_, [&](DrawingRecord* drawing) {
        saved.assign(drawing->style.name, strnlen(drawing->style.name, sizeof(drawing->style.name)));
    }));
    EXPECT_EQ(chosen, saved);
}

TEST_F(AppearanceDialogsProgram, DefineStylesProposesTheNextNameRefusesATakenOneAndWritesTheOptionsAtOnce)
{
    HWND outer = OpenDialog(IDM_EDIT_COLORS_AND_SHADOWS, "Colors and Shadows");
    ASSERT_NE(nullptr, outer);
    const std::string firstName = ListText(outer, 0);
    PostMessageA(GetDlgItem(outer, IDC_STYLE_DEFINE), BM_CLICK, 0, 0);
    HWND dialog = AwaitDialog("Define Colors and Shadow Styles");
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(program_.Settle());
    char name[64] = "";
    GetDlgItemTextA(dialog, IDC_DEFSTYLE_NAME, name, sizeof(name));
    EXPECT_STREQ("New Style 1", name);
    Screenshot("define_styles_opened");
    const int styles = static_cast<int>(SendDlgItemMessageA(dialog, IDC_STYLE_LIST, LB_GETCOUNT, 0, 0)) - 1;
    // Stepped copies as the shadow, then added under the proposed name.
    Click(dialog, IDC_DEFSTYLE_KIND_FIRST + 3);
    Press(dialog, IDC_DEFSTYLE_ADD);
    EXPECT_EQ(styles + 1, SendDlgItemMessageA(dialog, IDC_STYLE_LIST, LB_GETCOUNT, 0, 0));
    EXPECT_EQ("New Style 1", ListText(dialog, styles));

    // Another style's name in another case: no second style of that name.
    std::string shouted = firstName;
    CharUpperBuffA(&shouted[0], static_cast<DWORD>(shouted.size()));
    Click(dialog, IDC_DEFSTYLE_KIND_FIRST + 4);
    SetDlgItemTextA(dialog, IDC_DEFSTYLE_NAME, shouted.c_str());
    ASSERT_TRUE(program_.Settle());
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_DEFSTYLE_ADD))) << shouted;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_DEFSTYLE_RENAME))) << shouted;
    SetDlgItemTextA(dialog, IDC_DEFSTYLE_NAME, "");
    ASSERT_TRUE(program_.Settle());
    Screenshot("define_styles_added");
    Press(dialog, IDOK);
    EXPECT_NE(std::string::npos, FileBytes(options_).find("New Style 1")) << "the options file was not written";
    EXPECT_EQ("New Style 1", ListText(outer, styles));
    Press(outer, IDCANCEL);
}

// The style of that name in an options file, read as the program reads it.
bool SavedStyleNamed(const std::string& optionsPath, const char* name, ColorStyle* style)
{
    if (CreateDefaultOptions() != kErrNone || ReadOptionsFile(optionsPath.c_str()) != kErrNone)
        return false;
    int found = -1;
    {
        LockedStyleList list(ColorStyles);
        found = FindStyleNamed(list.styles(), list.count(), name, -1);
        if (found >= 0)
            *style = *list.at(found);
    }
    SaveAndFreeOptions();
    return found >= 0;
}

// The menu a picker dropped, waited for.
HWND AwaitDroppedMenu()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Hidden menu windows of the program come first.
        for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu;
             menu = FindWindowExA(nullptr, menu, "#32768", nullptr))
            if (IsWindowVisible(menu))
                return menu;
        Sleep(50);
    }
    return nullptr;
}

TEST_F(AppearanceDialogsProgram, AFillColourPickedInDefineStylesPaintsTheSampleAndIsSavedWithTheStyle)
{
    HWND outer = OpenDialog(IDM_EDIT_COLORS_AND_SHADOWS, "Colors and Shadows");
    ASSERT_NE(nullptr, outer);
    PostMessageA(GetDlgItem(outer, IDC_STYLE_DEFINE), BM_CLICK, 0, 0);
    HWND dialog = AwaitDialog("Define Colors and Shadow Styles");
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(program_.Settle());
    const RECT sample = ClientScreenRect(GetDlgItem(dialog, IDC_STYLE_SAMPLE));
    const ScreenImage before = ScreenImage::Grab();

    Click(dialog, IDC_DEFSTYLE_FILL);
    HWND menu = AwaitDroppedMenu();
    Screenshot("define_styles_fill_colours");
    ASSERT_NE(nullptr, menu) << "the picker dropped no colours";
    RECT colours;
    GetWindowRect(menu, &colours);
    // Six columns of eight colours above the Transparent row: the third
    // colour of the sixth row.
    RealClick({colours.left + (colours.right - colours.left) * 5 / 12,
               colours.top + (colours.bottom - colours.top) * 11 / 18});
    ASSERT_TRUE(program_.Settle());
    const ScreenImage after = ScreenImage::Grab();
    after.Save("define_styles_fill_picked");

    char name[64] = "";
    GetDlgItemTextA(dialog, IDC_DEFSTYLE_NAME, name, sizeof(name));
    ASSERT_STREQ("New Style 1", name);
    Press(dialog, IDC_DEFSTYLE_ADD);
    Press(dialog, IDOK);
    Press(outer, IDCANCEL);
    ColorStyle saved{};
    ASSERT_TRUE(SavedStyleNamed(options_, "New Style 1", &saved)) << "the options file lacks the style";
    ASSERT_NE(CLR_INVALID, saved.fillColor);
    const int shownBefore = before.CountColor(sample, saved.fillColor);
    const int shownAfter = after.CountColor(sample, saved.fillColor);
    EXPECT_GT(shownAfter, shownBefore + 100) << "the sample was not filled with the picked colour " << std::hex
                                             << saved.fillColor;
}

} // namespace
