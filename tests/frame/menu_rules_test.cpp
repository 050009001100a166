// Which commands the menus offer for a state of the document, its selection,
// its text editor and the clipboard; checked on the program's own menus.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/app_globals.h"
#include "common/menu_bitmaps.h"
#include "frame/app_startup.h"
#include "frame/menu_build.h"
#include "frame/menu_checks.h"
#include "objects/color_table.h"
#include "frame/menu_enabling.h"
#include "frame/menu_rules.h"
#include "frame/right_menu.h"
#include "resources/menu_ids.h"

namespace {

MenuContext NoDocument()
{
    return MenuContext{};
}

MenuContext Drawing(int objects, uint32_t selection)
{
    MenuContext c;
    c.document = true;
    c.drawing = true;
    c.objectCount = objects;
    c.selectionFlags = selection;
    c.selectedCount = selection ? 1 : 0;
    return c;
}

MenuContext EditorWithoutSelection(bool textOnClipboard)
{
    MenuContext c = Drawing(1, 0);
    c.editorOpen = true;
    c.editorFocused = true;
    c.pasteIndex = textOnClipboard ? 1 : 0;
    return c;
}

MenuContext TextBoxSelected()
{
    MenuContext c = Drawing(1, kSelShapes | kSelFillable | kSelLineAttributes);
    c.textBox = true;
    return c;
}

MenuContext HelpModeWithoutDocument()
{
    MenuContext c;
    c.helpMode = true;
    return c;
}

struct Row {
    const char* state;
    MenuContext context;
    int id;
    bool enabled;
};

TEST(MenuRules, EachCommandIsOfferedOnlyWhereItApplies)
{
    const uint32_t shape = kSelShapes | kSelFillable | kSelLineAttributes | kSelTakesText | kSelRotatable;
    const uint32_t line = kSelLineKinds | kSelLineAttributes;
    const Row rows[] = {
        {"no document", NoDocument(), IDM_FILE_NEW, true},
        {"no document", NoDocument(), IDM_FILE_CLOSE, false},
        {"no document", NoDocument(), IDM_EDIT_SELECT_ALL, false},
        {"no document", NoDocument(), IDM_VIEW_SHOW_TOOLBAR, true},
        {"no document", NoDocument(), IDM_VIEW_ZOOM_CUSTOM, false},
        {"no document", NoDocument(), IDM_HELP_ABOUT, true},
        {"help mode", HelpModeWithoutDocument(), IDM_EDIT_CUT, true},
        {"editor, no selection, text on clipboard", EditorWithoutSelection(true), IDM_EDIT_CUT, false},
        {"editor, no selection, text on clipboard", EditorWithoutSelection(true), IDM_EDIT_COPY, false},
        {"editor, no selection, text on clipboard", EditorWithoutSelection(true), IDM_EDIT_CLEAR, false},
        {"editor, no selection, text on clipboard", EditorWithoutSelection(true), IDM_EDIT_PASTE, true},
        {"editor, no selection, empty clipboard", EditorWithoutSelection(false), IDM_EDIT_PASTE, false},
        {"editor, no selection", EditorWithoutSelection(false), IDM_TEXT_INSERT_SYMBOL, true},
        {"editor, no selection", EditorWithoutSelection(false), IDM_SHAPES_TEXT_SIZING, false},
        {"editor, no selection", EditorWithoutSelection(false), IDM_FILL_COLOR_BASE, true},
        {"nothing selected, objects", Drawing(3, 0), IDM_EDIT_COPY, true},
        {"nothing selected, empty drawing", Drawing(0, 0), IDM_EDIT_COPY, false},
        {"nothing selected", Drawing(3, 0), IDM_EDIT_CLEAR, false},
        {"nothing selected", Drawing(3, 0), IDM_EDIT_UNDO, false},
        {"nothing selected", Drawing(3, 0), IDM_DRAW_BRING_TO_FRONT, false},
        {"nothing selected", Drawing(3, 0), IDM_DRAW_USE_SNAPS, true},
        {"nothing selected", Drawing(3, 0), IDM_SHAPES_SHAPE_SIZING, false},
        {"nothing selected", Drawing(3, 0), IDM_DRAW_ROTATE_ANGLE, false},
        {"a shape", Drawing(3, shape), IDM_EDIT_CLEAR, true},
        {"a shape", Drawing(3, shape), IDM_SHAPES_TEXT_SIZING, true},
        {"a shape", Drawing(3, shape), IDM_SHAPES_SHAPE_SIZING, true},
        {"a shape", Drawing(3, shape), IDM_DRAW_ROTATE_ANGLE, true},
        {"a shape", Drawing(3, shape), IDM_DRAW_ALIGN_LEFTS, false},
        {"a shape", Drawing(3, shape), IDM_DRAW_UNGROUP, false},
        {"a shape", Drawing(3, shape), IDM_LINES_ARROWHEADS, false},
        {"a shape", Drawing(3, shape), IDM_TEXT_BOLD, false},
        {"a shape", Drawing(3, shape), IDM_SHAPE_TYPE_FIRST, true},
        {"two units", Drawing(3, shape | kSelSeveralUnits), IDM_DRAW_ALIGN_LEFTS, true},
        {"a group", Drawing(3, shape | kSelGroup), IDM_DRAW_UNGROUP, true},
        {"a line", Drawing(3, line), IDM_LINE_1PT, true},
        {"a line", Drawing(3, line), IDM_LINES_ARROWHEADS, false},
        {"a line with heads", Drawing(3, line | kSelArrowheads), IDM_LINES_ARROWHEADS, true},
        {"a line", Drawing(3, line), IDM_LINES_TEXT_ALONG, false},
        {"a line", Drawing(3, line), IDM_FILL_COLOR_BASE, false},
        {"a text box", TextBoxSelected(), IDM_SHAPE_TYPE_FIRST, false},
        {"a text box", TextBoxSelected(), IDM_SHADING_FIRST, false},
        {"a text box", TextBoxSelected(), IDM_FILL_COLOR_BASE, true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.enabled, IsItemEnabled(row.id, row.context)) << row.state << ": command " << row.id;
}

// The program's menu bar and right-button menu as start-up builds them.
class ProgramMenus : public testing::Test {
protected:
    void SetUp() override
    {
        AppInstance = GetModuleHandleA(nullptr);
        bar_ = LoadMenuA(AppInstance, MENU_MAIN);
        ASSERT_NE(nullptr, bar_);
        TakeMenuPopups(bar_);
        ASSERT_EQ(kErrNone, BuildMenuItems());
        ASSERT_EQ(kErrNone, BuildRightMenu());
    }
    void TearDown() override
    {
        RemoveMenu(MainMenuPopups[MENU_POS_LINES], 3, MF_BYPOSITION);
        DestroyRightMenu();
        DestroyMenu(bar_);
        FreeMenuBitmaps();
        for (HMENU& popup : MainMenuPopups)
            popup = nullptr;
    }
    static bool Greyed(HMENU menu, int id)
    {
        return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    static std::string Text(HMENU menu, int position)
    {
        char text[128] = "";
        GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
        return text;
    }
    HMENU bar_ = nullptr;
};

TEST_F(ProgramMenus, EditPopupOverAnEditorWithoutSelectionOffersOnlyPaste)
{
    HMENU edit = MainMenuPopups[MENU_POS_EDIT];
    ApplyMenuRules(edit, EditorWithoutSelection(true));
    EXPECT_TRUE(Greyed(edit, IDM_EDIT_CUT));
    EXPECT_TRUE(Greyed(edit, IDM_EDIT_COPY));
    EXPECT_TRUE(Greyed(edit, IDM_EDIT_CLEAR));
    EXPECT_FALSE(Greyed(edit, IDM_EDIT_PASTE));
    EXPECT_FALSE(Greyed(edit, IDM_EDIT_SELECT_ALL));
}

TEST_F(ProgramMenus, DrawPopupGreysItsSubmenusWithNothingSelected)
{
    HMENU draw = MainMenuPopups[MENU_POS_DRAW];
    ApplyMenuRules(draw, Drawing(2, 0));
    const int align = 0;
    const int rotate = 4;
    EXPECT_TRUE(GetMenuState(draw, align, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(draw, rotate, MF_BYPOSITION) & MF_GRAYED);
    ApplyMenuRules(draw, Drawing(2, kSelRotatable | kSelShapes));
    EXPECT_FALSE(GetMenuState(draw, rotate, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(ProgramMenus, LinesPopupNamesTheShapePlaceByTheSelection)
{
    HMENU lines = MainMenuPopups[MENU_POS_LINES];
    const int place = 3;
    ShowLineShapePlace(lines, place, true);
    EXPECT_EQ("C&hange Connector Shape", Text(lines, place));
    EXPECT_EQ(GetSubMenu(RightMenu, RIGHT_POS_ARRAY_STYLES), GetSubMenu(lines, place));
    ShowLineShapePlace(lines, place, false);
    EXPECT_EQ("C&hange Line Shape", Text(lines, place));
    EXPECT_EQ(GetSubMenu(RightMenu, RIGHT_POS_LINE_SHAPES), GetSubMenu(lines, place));
}

TEST(MenuChecks, ListItemsMatchTheSelectionsCommonAttributes)
{
    const COLORREF* table = StandardColors();
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(IDM_FILL_COLOR_BASE + 5, ColourItem(IDM_FILL_COLOR_BASE, static_cast<int32_t>(table[5])));
    EXPECT_EQ(0, ColourItem(IDM_FILL_COLOR_BASE, -1)) << "mixed colours check nothing";
    EXPECT_EQ(IDM_SHADING_FIRST, ShadingItem(0)) << "no fill mode counts as solid";
    EXPECT_EQ(IDM_SHADING_FIRST + 2, ShadingItem(3));
    EXPECT_EQ(0, ShadingItem(-2));
    EXPECT_EQ(IDM_LINE_1PT, StyleItem(1, 6, IDM_LINE_WIDTH_BASE, IDM_LINE_DASH_BASE));
    EXPECT_EQ(IDM_LINE_DOTTED, StyleItem(2, 6, IDM_LINE_WIDTH_BASE, IDM_LINE_DASH_BASE));
    EXPECT_EQ(IDM_BORDER_NONE, StyleItem(0, 0, IDM_BORDER_WIDTH_BASE, IDM_BORDER_DASH_BASE));
    EXPECT_EQ(0, StyleItem(-1, 6, IDM_LINE_WIDTH_BASE, IDM_LINE_DASH_BASE));
    EXPECT_EQ(IDM_TEXT_ALIGN_TOP + IDM_TEXT_ALIGN_LEFT_DIGIT, AlignmentItem(0, 0));
    EXPECT_EQ(IDM_TEXT_ALIGN_MIDDLE + IDM_TEXT_ALIGN_CENTER_DIGIT, AlignmentItem(6, 6));
    EXPECT_EQ(IDM_TEXT_ALIGN_BOTTOM + IDM_TEXT_ALIGN_FLUSH_DIGIT, AlignmentItem(8, 32));
    EXPECT_EQ(0, AlignmentItem(-2, 0)) << "unset alignments check nothing";
}

TEST_F(ProgramMenus, SendOneReadsTheDocumentsTitle)
{
    struct Case {
        const char* name;
        const char* title;
        const char* shown;
    } cases[] = {
        {"plain title", "Plans.tyr", "Plans.tyr"},
        {"an ampersand is shown, not taken as the key", "Plans & Costs", "Plans && Costs"},
    };
    // A menu bar of a run with mail: the Send popup is kept.
    MapiEnabled = 1;
    HMENU bar = LoadMenuA(AppInstance, MENU_MAIN);
    TakeMenuPopups(bar);
    MapiEnabled = 0;
    HMENU file = MainMenuPopups[MENU_POS_FILE];
    for (const Case& c : cases) {
        HWND document = CreateWindowExA(0, "STATIC", c.title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, document);
        ShowSendOneTitle(file, document);
        char text[128] = "";
        GetMenuStringA(file, IDM_FILE_SEND_ONE, text, sizeof(text), MF_BYCOMMAND);
        EXPECT_STREQ(c.shown, text) << c.name;
        DestroyWindow(document);
    }
    TakeMenuPopups(bar_);
    DestroyMenu(bar);
}

TEST_F(ProgramMenus, RenamingHideShadowDoesNotOfferItWithoutADrawing)
{
    HMENU draw = MainMenuPopups[MENU_POS_DRAW];
    EnableMenuPopup(draw);
    char text[64] = "";
    GetMenuStringA(draw, IDM_DRAW_HIDE_SHADOW, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ("Hide S&hadow", text);
    EXPECT_TRUE(Greyed(draw, IDM_DRAW_HIDE_SHADOW));
    EXPECT_TRUE(Greyed(draw, IDM_DRAW_USE_SNAPS));
}

TEST_F(ProgramMenus, TheShapeTypeOfTheSelectionIsTheOneChecked)
{
    HMENU shapes = MainMenuPopups[MENU_POS_SHAPES];
    const int oval = IDM_SHAPE_TYPE_FIRST + 2;
    CheckListItem(shapes, IDM_SHAPE_TYPE_FIRST, IDM_SHAPE_TYPE_LAST, IDM_SHAPE_TYPE_FIRST);
    CheckListItem(shapes, IDM_SHAPE_TYPE_FIRST, IDM_SHAPE_TYPE_LAST, oval);
    EXPECT_TRUE(GetMenuState(shapes, oval, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(shapes, IDM_SHAPE_TYPE_FIRST, MF_BYCOMMAND) & MF_CHECKED);
    CheckListItem(shapes, IDM_SHAPE_TYPE_FIRST, IDM_SHAPE_TYPE_LAST, 0);
    EXPECT_FALSE(GetMenuState(shapes, oval, MF_BYCOMMAND) & MF_CHECKED);
}

} // namespace

namespace {

bool CheckedItem(HMENU menu, int id)
{
    return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST_F(ProgramMenus, TextPopupChecksWhatTheOpenEditorReports)
{
    HMENU text = MainMenuPopups[MENU_POS_TEXT];
    MenuContext editing = EditorWithoutSelection(true);
    editing.textColour = static_cast<int32_t>(StandardColors()[4]);
    editing.textVertical = 8;
    editing.textHorizontal = 6;
    editing.textShadow = true;
    InitTextChecks(text, editing);
    EXPECT_TRUE(CheckedItem(text, IDM_TEXT_SHADOW));
    EXPECT_TRUE(CheckedItem(text, IDM_TEXT_COLOR_BASE + 4));
    EXPECT_TRUE(CheckedItem(text, IDM_TEXT_ALIGN_BOTTOM + IDM_TEXT_ALIGN_CENTER_DIGIT));
    editing.textShadow = false;
    editing.textColour = -1;
    InitTextChecks(text, editing);
    EXPECT_FALSE(CheckedItem(text, IDM_TEXT_SHADOW));
    EXPECT_FALSE(CheckedItem(text, IDM_TEXT_COLOR_BASE + 4)) << "mixed colours check nothing";
}

TEST_F(ProgramMenus, BackgroundColorChecksThePageColour)
{
    HMENU view = MainMenuPopups[MENU_POS_VIEW];
    MenuContext page = Drawing(0, 0);
    page.backgroundColour = static_cast<int32_t>(StandardColors()[9]);
    InitBackgroundChecks(view, page);
    EXPECT_TRUE(CheckedItem(view, IDM_BACK_COLOR_BASE + 9));
    page.backgroundColour = -1;
    InitBackgroundChecks(view, page);
    EXPECT_FALSE(CheckedItem(view, IDM_BACK_COLOR_BASE + 9)) << "no background checks no swatch";
}

} // namespace
