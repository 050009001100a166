// Commands that are not built yet are greyed in every popup of the menu bar and
// of the right-button menu as it opens, and on the palette, and do nothing when
// they arrive by accelerator; the built ones stay offered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/help_context.h"
#include "common/help_mode.h"
#include "common/icon_button.h"
#include "common/app_globals.h"
#include "frame/app_startup.h"
#include "frame/main_window.h"
#include "common/menu_bitmaps.h"
#include "frame/menu_build.h"
#include "frame/menu_commands.h"
#include "frame/right_menu.h"
#include "frame/unbuilt_commands.h"
#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "view/tool_palette.h"
#include "view/view_layout.h"
#include "objects/view_record_word.h"
#include "documents/view_settings.h"

namespace {

const bool kGreyed = true;
const bool kOffered = false;

// Every command item of the menus, greyed or offered as a user sees it with a
// drawing open and no text being typed.
struct IdRow {
    int id;
    bool greyed;
};

const IdRow kIds[] = {
    // File
    {IDM_FILE_NEW, kOffered}, {IDM_FILE_OPEN, kOffered}, {IDM_FILE_CLOSE, kOffered}, {IDM_FILE_SAVE, kOffered},
    {IDM_FILE_SAVE_AS, kOffered}, {IDM_FILE_PRINT_SETUP, kOffered}, {IDM_FILE_PRINT_PREVIEW, kOffered},
    {IDM_FILE_PRINT, kOffered}, {IDM_FILE_EXPORT, kOffered}, {IDM_FILE_IMPORT, kOffered},
    {IDM_FILE_SEND_ONE, kOffered}, {IDM_FILE_SEND_ALL, kOffered}, {IDM_FILE_EXIT, kOffered},
    // Edit
    {IDM_EDIT_UNDO, kOffered}, {IDM_EDIT_CUT, kOffered}, {IDM_EDIT_COPY, kOffered}, {IDM_EDIT_PASTE, kOffered},
    {IDM_EDIT_CLEAR, kOffered}, {IDM_EDIT_SELECT_ALL, kOffered}, {IDM_EDIT_DUPLICATE, kOffered},
    {IDM_EDIT_COLORS_AND_SHADOWS, kOffered}, {IDM_EDIT_TOOLBAR, kOffered}, {IDM_EDIT_OPTIONS, kOffered},
    // View
    {IDM_VIEW_FIT_WINDOW, kOffered}, {IDM_VIEW_FIT_PAGE, kOffered}, {IDM_VIEW_ZOOM_50, kOffered},
    {IDM_VIEW_ZOOM_75, kOffered}, {IDM_VIEW_ZOOM_100, kOffered}, {IDM_VIEW_ZOOM_150, kOffered},
    {IDM_VIEW_ZOOM_200, kOffered}, {IDM_VIEW_ZOOM_CUSTOM, kOffered}, {IDM_VIEW_RULERS_AND_GRID, kOffered},
    {IDM_VIEW_SHOW_TOOLBAR, kOffered}, {IDM_VIEW_SHOW_GRID, kOffered},
    // Shapes
    {IDM_SHAPES_TEXT_SIZING, kOffered}, {IDM_SHAPES_SHAPE_SIZING, kOffered}, {IDM_SHAPES_EDIT_OUTLINE, kOffered},
    // Lines
    {IDM_LINE_SHAPE_PLACE, kGreyed}, {IDM_LINES_ARROWHEADS, kOffered}, {IDM_LINES_SHOW_LENGTH, kOffered},
    {IDM_LINES_JOIN, kOffered}, {IDM_LINES_TEXT_ALONG, kOffered}, {IDM_LINES_TEXT_HORIZONTAL, kOffered},
    // Text
    {IDM_TEXT_TYPEFACE, kOffered}, {IDM_TEXT_INSERT_SYMBOL, kOffered}, {IDM_TEXT_SHADOW, kOffered},
    {620, kOffered}, {621, kOffered}, {622, kOffered}, {623, kOffered}, {630, kOffered}, {631, kOffered},
    {632, kOffered}, {633, kOffered}, {640, kOffered}, {641, kOffered}, {642, kOffered}, {643, kOffered},
    {IDM_TEXT_BULLET_NONE, kOffered}, {IDM_TEXT_BULLET_HOLLOW_CIRCLE, kOffered},
    {IDM_TEXT_BULLET_SOLID_CIRCLE, kOffered}, {IDM_TEXT_BULLET_HOLLOW_SQUARE, kOffered},
    {IDM_TEXT_BULLET_SOLID_SQUARE, kOffered},
    // Draw
    {IDM_DRAW_ALIGN_LEFTS, kOffered}, {IDM_DRAW_ALIGN_CENTERS, kOffered}, {IDM_DRAW_ALIGN_RIGHTS, kOffered},
    {IDM_DRAW_ALIGN_TOPS, kOffered}, {IDM_DRAW_ALIGN_MIDDLES, kOffered}, {IDM_DRAW_ALIGN_BOTTOMS, kOffered},
    {IDM_DRAW_SAME_WIDTH, kOffered}, {IDM_DRAW_SAME_HEIGHT, kOffered}, {IDM_DRAW_SAME_SIZE, kOffered},
    {IDM_DRAW_SPACE_HORIZONTAL, kOffered}, {IDM_DRAW_SPACE_VERTICAL, kOffered}, {IDM_DRAW_SPACE_BOTH, kOffered},
    {IDM_DRAW_FLIP_HORIZONTAL, kOffered}, {IDM_DRAW_FLIP_VERTICAL, kOffered},
    {IDM_DRAW_ROTATE_HORIZONTAL, kOffered}, {IDM_DRAW_ROTATE_UP, kOffered}, {IDM_DRAW_ROTATE_DOWN, kOffered},
    {IDM_DRAW_ROTATE_ANGLE, kOffered}, {IDM_DRAW_CENTER_ON_PAGE, kOffered}, {IDM_DRAW_GROUP, kOffered},
    {IDM_DRAW_UNGROUP, kOffered}, {IDM_DRAW_BRING_TO_FRONT, kOffered}, {IDM_DRAW_SEND_TO_BACK, kOffered},
    {IDM_DRAW_HIDE_SHADOW, kOffered}, {IDM_DRAW_LOCK, kOffered}, {IDM_DRAW_OPEN_ATTACHMENT, kOffered},
    {IDM_DRAW_ATTACH_FILE, kOffered}, {IDM_DRAW_CLEAR_ATTACHMENT, kOffered}, {IDM_DRAW_USE_SNAPS, kOffered},
    {IDM_DRAW_LINES_LINK, kOffered}, {IDM_DRAW_SHAPES_LINK, kOffered},
    // Libraries
    {IDM_LIB_OPEN, kOffered}, {IDM_LIB_CREATE, kOffered}, {IDM_LIB_CLOSE, kOffered}, {IDM_LIB_EDIT_VEXLET, kOffered},
    {IDM_LIB_ADD_VEXLET, kOffered}, {IDM_LIB_REMOVE_VEXLET, kOffered}, {IDM_LIB_SMALL_BUTTONS, kOffered},
    {IDM_LIB_MEDIUM_BUTTONS, kOffered}, {IDM_LIB_LARGE_BUTTONS, kOffered}, {IDM_LIB_NAMES, kOffered},
    {IDM_LIB_DETACH_TOOLBAR, kOffered},
    // Window
    {IDM_WINDOW_CASCADE, kOffered}, {IDM_WINDOW_TILE, kOffered},
    // Help
    {IDM_HELP_CONTENTS, kOffered}, {IDM_HELP_SEARCH, kOffered}, {IDM_HELP_MENUS, kOffered},
    {IDM_HELP_USING_HELP, kOffered}, {IDM_HELP_WEB_PAGE, kOffered}, {IDM_HELP_ABOUT, kOffered},
    {IDM_HELP_TIPS, kOffered},
};

// The attribute lists, item by item alike.
struct ListRow {
    const char* name;
    int first;
    int last;
    bool greyed;
};

const ListRow kLists[] = {
    {"shading", 1100, 1199, kOffered},         {"border widths", 1200, 1299, kOffered},
    {"border dashes", 1300, 1399, kOffered},   {"shape types", 1400, 1499, kOffered},
    {"array styles", 1600, 1699, kOffered},    {"line widths", 1800, 1899, kOffered},
    {"line dashes", 1900, 1999, kOffered},     {"line shapes", 2401, 2499, kOffered},
    {"line colours", 3000, 3099, kOffered},    {"fill colours", 3100, 3199, kOffered},
    {"text colours", 3200, 3299, kOffered},   {"background colours", 3300, 3399, kOffered},
    {"border colours", 3400, 3499, kOffered},
};

// The submenu entries: greyed when nothing in them is built.
struct SubmenuRow {
    const char* name;
    bool right;
    int popup;
    int position;
    bool greyed;
};

const SubmenuRow kSubmenus[] = {
    {"File > Send", false, MENU_POS_FILE, 14, kOffered},
    {"View > Background Color", false, MENU_POS_VIEW, 9, kOffered},
    {"Shapes > Fill Color", false, MENU_POS_SHAPES, 0, kOffered},
    {"Shapes > Shading", false, MENU_POS_SHAPES, 1, kOffered},
    {"Shapes > Border Style", false, MENU_POS_SHAPES, 3, kOffered},
    {"Shapes > Border Color", false, MENU_POS_SHAPES, 4, kOffered},
    {"Shapes > Shape", false, MENU_POS_SHAPES, 6, kOffered},
    {"Lines > Style", false, MENU_POS_LINES, 0, kOffered},
    {"Lines > Color", false, MENU_POS_LINES, 1, kOffered},
    {"Lines > Align Text on the Line", false, MENU_POS_LINES, 8, kOffered},
    {"Text > Color", false, MENU_POS_TEXT, 2, kOffered},
    {"Text > Alignment", false, MENU_POS_TEXT, 3, kOffered},
    {"Text > Bullets", false, MENU_POS_TEXT, 7, kOffered},
    {"Draw > Align", false, MENU_POS_DRAW, 0, kOffered},
    {"Draw > Make Same Size", false, MENU_POS_DRAW, 1, kOffered},
    {"Draw > Space Evenly", false, MENU_POS_DRAW, 2, kOffered},
    {"Draw > Flip", false, MENU_POS_DRAW, 3, kOffered},
    {"Draw > Rotate", false, MENU_POS_DRAW, 4, kOffered},
    {"Draw > Attach", false, MENU_POS_DRAW, 16, kOffered},
    {"right Shape > Fill Color", true, RIGHT_POS_SHAPE, 4, kOffered},
    {"right Shape > Shape", true, RIGHT_POS_SHAPE, 8, kOffered},
    {"right Line > Style", true, RIGHT_POS_LINE, 4, kOffered},
    {"right Line > Color", true, RIGHT_POS_LINE, 5, kOffered},
    {"right Line > Align Text on the Line", true, RIGHT_POS_LINE, 10, kOffered},
    {"right Background > View", true, RIGHT_POS_BACKGROUND, 4, kOffered},
    {"right Background > Background Color", true, RIGHT_POS_BACKGROUND, 5, kOffered},
    {"right Background > Align", true, RIGHT_POS_BACKGROUND, 7, kOffered},
    {"right Background > Flip", true, RIGHT_POS_BACKGROUND, 10, kOffered},
    {"right Background > Rotate", true, RIGHT_POS_BACKGROUND, 11, kOffered},
    {"right Text > Color", true, RIGHT_POS_TEXT, 6, kOffered},
    {"right Text > Bullets", true, RIGHT_POS_TEXT, 10, kOffered},
};

const IdRow* FindId(int id)
{
    for (const IdRow& row : kIds)
        if (row.id == id)
            return &row;
    return nullptr;
}

const ListRow* FindList(int id)
{
    for (const ListRow& row : kLists)
        if (id >= row.first && id <= row.last)
            return &row;
    return nullptr;
}

bool Greyed(HMENU menu, int position)
{
    return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED) != 0;
}

// The program's main window made in this process, with one drawing open in its
// MDI client: the view holds the settings the View popup reads.
class UnbuiltCommands : public testing::Test {
protected:
    void SetUp() override
    {
        AppInstance = GetModuleHandleA(nullptr);
        WindowsMajorVersion = 4;
        MapiEnabled = 1;
        savedMain_ = MainWindow;
        savedClient_ = MdiClientWindow;
        RegisterClasses();
        bar_ = LoadMenuA(AppInstance, MENU_MAIN);
        ASSERT_NE(nullptr, bar_);
        TakeMenuPopups(bar_);
        ASSERT_EQ(kErrNone, BuildMenuItems());
        ASSERT_EQ(kErrNone, BuildRightMenu());
        main_ = CreateWindowA(kTestMainClass, "Tessary Plus", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                              AppInstance, nullptr);
        ASSERT_NE(nullptr, main_);
        MainWindow = main_;
        CLIENTCREATESTRUCT client = {nullptr, IDM_WINDOW_FIRST_CHILD};
        MdiClientWindow = CreateWindowA("MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 640,
                                        480, main_, nullptr, AppInstance, &client);
        ASSERT_NE(nullptr, MdiClientWindow);
        MDICREATESTRUCTA create = {kTestDocumentClass, "Drawing", AppInstance, 0, 0, 400, 300, 0, 0};
        document_ = reinterpret_cast<HWND>(
            SendMessageA(MdiClientWindow, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
        ASSERT_NE(nullptr, document_);
        view_ = CreateWindowA(kTestViewClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, document_, nullptr,
                              AppInstance, nullptr);
        ASSERT_NE(nullptr, view_);
        ASSERT_EQ(0, InitViewSettings(view_, 30000, 30000, 0, 0));
    }
    void TearDown() override
    {
        if (view_)
            FreeWindowBlock(view_, kViewSettingsWord);
        if (main_)
            DestroyWindow(main_);
        // The main window's end posts the program's quit.
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        DestroyRightMenu();
        DestroyMenu(bar_);
        FreeMenuBitmaps();
        for (HMENU& popup : MainMenuPopups)
            popup = nullptr;
        MainWindow = savedMain_;
        MdiClientWindow = savedClient_;
    }

    static void RegisterClasses()
    {
        WNDCLASSA mainClass = {};
        mainClass.lpfnWndProc = SEMain;
        mainClass.hInstance = GetModuleHandleA(nullptr);
        mainClass.lpszClassName = kTestMainClass;
        RegisterClassA(&mainClass);
        WNDCLASSA documentClass = {};
        documentClass.lpfnWndProc = DefMDIChildProcA;
        documentClass.hInstance = GetModuleHandleA(nullptr);
        documentClass.lpszClassName = kTestDocumentClass;
        RegisterClassA(&documentClass);
        WNDCLASSA viewClass = {};
        viewClass.lpfnWndProc = DefWindowProcA;
        viewClass.hInstance = GetModuleHandleA(nullptr);
        viewClass.cbWndExtra = kViewWindowBytes;
        viewClass.lpszClassName = kTestViewClass;
        RegisterClassA(&viewClass);
        RegisterIconButtonClass(GetModuleHandleA(nullptr));
    }

    // What the system sends as a popup opens, then the same for each submenu.
    void Open(HMENU popup, int position)
    {
        SendMessageA(main_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(position, FALSE));
        const int count = GetMenuItemCount(popup);
        for (int i = 0; i < count; ++i)
            if (HMENU sub = GetSubMenu(popup, i))
                Open(sub, i);
    }
    // In help mode the menus' own rules offer every item, so what stays
    // greyed is what is not built.
    void OpenEveryPopup()
    {
        HelpMode = 1;
        for (int i = 0; i < MENU_POPUP_COUNT; ++i)
            Open(MainMenuPopups[i], i);
        for (int i = 0; i < RIGHT_POPUP_COUNT; ++i)
            Open(GetSubMenu(RightMenu, i), i);
        HelpMode = 0;
    }
    void CheckItems(HMENU popup, const std::string& where)
    {
        const int count = GetMenuItemCount(popup);
        for (int i = 0; i < count; ++i) {
            if (HMENU sub = GetSubMenu(popup, i)) {
                CheckItems(sub, where + " > " + std::to_string(i));
                continue;
            }
            const int id = static_cast<int>(GetMenuItemID(popup, i));
            if (id <= 0)
                continue;
            const IdRow* row = FindId(id);
            const ListRow* list = row ? nullptr : FindList(id);
            if (!row && !list) {
                ADD_FAILURE() << where << ": item " << id << " has no expectation";
                continue;
            }
            const bool expected = row ? row->greyed : list->greyed;
            EXPECT_EQ(expected, Greyed(popup, i)) << where << ": item " << id << (list ? list->name : "");
        }
    }

    static constexpr const char* kTestMainClass = "TessaryUnbuiltTestMain";
    static constexpr const char* kTestDocumentClass = "TessaryUnbuiltTestDocument";
    static constexpr const char* kTestViewClass = "TessaryUnbuiltTestView";
    HMENU bar_ = nullptr;
    HWND main_ = nullptr;
    HWND document_ = nullptr;
    HWND view_ = nullptr;
    HWND savedMain_ = nullptr;
    HWND savedClient_ = nullptr;
};

TEST_F(UnbuiltCommands, EveryPopupGreysWhatIsNotBuiltAndOffersTheRest)
{
    OpenEveryPopup();
    for (int i = 0; i < MENU_POPUP_COUNT; ++i)
        CheckItems(MainMenuPopups[i], "menu bar " + std::to_string(i));
    for (int i = 0; i < RIGHT_POPUP_COUNT; ++i)
        CheckItems(GetSubMenu(RightMenu, i), "right menu " + std::to_string(i));
    for (const SubmenuRow& row : kSubmenus) {
        HMENU popup = row.right ? GetSubMenu(RightMenu, row.popup) : MainMenuPopups[row.popup];
        ASSERT_NE(nullptr, GetSubMenu(popup, row.position)) << row.name;
        EXPECT_EQ(row.greyed, Greyed(popup, row.position)) << row.name;
    }
}

TEST_F(UnbuiltCommands, ThePaletteGreysTheButtonsOfUnbuiltCommands)
{
    struct Row {
        int button;
        bool enabled;
    };
    const Row rows[] = {
        {kToolNew, true},         {kToolOpen, true},        {kToolSave, true},       {kToolPrint, true},
        {kToolPreview, true},     {kToolCut, true},         {kToolCopy, true},       {kToolPaste, true},
        {kToolUndo, true},        {kToolScaleUp, true},     {kToolScaleDown, true},  {kToolHelp, true},
        {kToolBold, true},        {kToolItalic, true},      {kToolUnderline, true},  {kToolSubscript, true},
        {kToolSuperscript, true}, {kToolLargerText, true}, {kToolSmallerText, true}, {kToolSelect, true},
        {kToolText, true},        {kToolStraightLine, true}, {kToolFirstShape, true},
    };
    HWND savedPalette = PaletteWindow;
    PaletteWindow = CreateDialogParamA(AppInstance, TEMPLATE_PALETTE, main_, PaletteHandler, 0);
    ASSERT_NE(nullptr, PaletteWindow);
    FollowFocusWithPalette();
    for (const Row& row : rows)
        EXPECT_EQ(row.enabled, IsWindowEnabled(GetDlgItem(PaletteWindow, row.button)) != FALSE) << row.button;
    DestroyWindow(PaletteWindow);
    PaletteWindow = savedPalette;
}

UINT LastHelpCommand = 0;

BOOL WINAPI RecordingHelpEngine(HWND, LPCSTR, UINT command, ULONG_PTR)
{
    LastHelpCommand = command;
    return TRUE;
}

// As TranslateAccelerator sends them: the high word 1.
void SendAccelerator(HWND window, int id)
{
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 1), 0);
}

TEST_F(UnbuiltCommands, ShiftF1StartsHelpModeAndEscEndsIt)
{
    HelpCommandCall saved = HelpMenuCommand;
    HelpMenuCommand = DoHelpCommand;  // Esc reaches the Help menu through help mode
    HelpMode = 0;
    SendAccelerator(main_, IDM_HELP_MODE_ON);
    EXPECT_EQ(1, HelpMode);
    SendAccelerator(main_, IDM_HELP_MODE_OFF);
    EXPECT_EQ(0, HelpMode);
    HelpMenuCommand = saved;
}

TEST_F(UnbuiltCommands, UsingHelpAsksTheHelpEngine)
{
    HelpEngineCall saved = HelpEngine;
    HelpEngine = RecordingHelpEngine;
    LastHelpCommand = 0;
    SendAccelerator(main_, IDM_HELP_USING_HELP);
    EXPECT_EQ(static_cast<UINT>(HELP_HELPONHELP), LastHelpCommand);
    HelpEngine = saved;
    HelpUsed = 0;
}

TEST_F(UnbuiltCommands, AcceleratorsOfBuiltCommandsStillRun)
{
    const int before = PaletteShown;
    SendAccelerator(main_, IDM_VIEW_SHOW_TOOLBAR);
    EXPECT_NE(before, PaletteShown);
    SendAccelerator(main_, IDM_VIEW_SHOW_TOOLBAR);
    EXPECT_EQ(before, PaletteShown);
}

TEST_F(UnbuiltCommands, RecentFilesAndDocumentWindowsAreNeverRefused)
{
    for (int id : {IDM_FILE_RECENT_FIRST, IDM_FILE_RECENT_FIRST + 3, IDM_WINDOW_FIRST_CHILD, IDM_WINDOW_FIRST_CHILD + 8})
        EXPECT_FALSE(IsUnbuiltCommand(id)) << id;
}

} // namespace
