// The resource script as the program loads it: menus, accelerators, dialog
// templates, strings, bitmaps, cursors, icons and the standard styles, read
// from the test program's own module (it links the same script).
#include <windows.h>
#include <dlgs.h>

#include <stb_image_write.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/bitmap_ids.h"
#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "resources/resource_ids.h"
#include "support/test_paths.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

std::string MenuText(HMENU menu, int position)
{
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

std::vector<int> MenuIds(HMENU menu)
{
    std::vector<int> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        ids.push_back(static_cast<int>(GetMenuItemID(menu, i)));
    return ids;
}

// Every command id of a popup and its submenus (separators and popups left out).
void CollectIds(HMENU menu, std::vector<int>& ids)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i))
            CollectIds(sub, ids);
        else if (!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR))
            ids.push_back(static_cast<int>(GetMenuItemID(menu, i)));
    }
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> ids;
    for (int id = first; id <= last; ++id)
        ids.push_back(id);
    return ids;
}

class MainMenu : public testing::Test {
protected:
    void SetUp() override
    {
        menu_ = LoadMenuA(Module(), MENU_MAIN);
        ASSERT_NE(nullptr, menu_);
    }
    void TearDown() override { DestroyMenu(menu_); }
    HMENU Popup(int position) const { return GetSubMenu(menu_, position); }
    HMENU menu_ = nullptr;
};

} // namespace

TEST_F(MainMenu, BarHasTheTenPopupsInOrder)
{
    const char* titles[] = {"&File", "&Edit",      "&View",    "&Shapes", "&Lines",
                            "&Text", "&Draw", "&Libraries", "&Window", "&Help"};
    ASSERT_EQ(MENU_POPUP_COUNT, GetMenuItemCount(menu_));
    for (int i = 0; i < MENU_POPUP_COUNT; ++i) {
        EXPECT_EQ(titles[i], MenuText(menu_, i)) << "position " << i;
        EXPECT_NE(nullptr, Popup(i)) << titles[i];
    }
}

// Each popup offers only commands of its own id ranges, so the dispatcher
// sends every item to the right menu handler.
TEST_F(MainMenu, EveryCommandLiesInItsMenusRanges)
{
    struct Case {
        int position;
        std::vector<std::pair<int, int>> ranges;
    } cases[] = {
        {MENU_POS_FILE, {{101, 199}}},
        {MENU_POS_EDIT, {{201, 299}}},
        {MENU_POS_VIEW, {{301, 399}, {3301, 3399}}},
        {MENU_POS_SHAPES, {{401, 499}, {1101, 1199}, {1200, 1299}, {1300, 1399}, {1401, 1499},
                           {3101, 3199}, {3401, 3499}}},
        {MENU_POS_LINES, {{501, 599}, {1800, 1899}, {1901, 1999}, {2401, 2499}, {3001, 3099}}},
        {MENU_POS_TEXT, {{601, 699}, {3201, 3299}}},
        {MENU_POS_DRAW, {{701, 799}}},
        {MENU_POS_LIBRARIES, {{1001, 1099}}},
        {MENU_POS_WINDOW, {{801, 899}}},
        {MENU_POS_HELP, {{901, 999}}},
    };
    for (const Case& c : cases) {
        std::vector<int> ids;
        CollectIds(Popup(c.position), ids);
        EXPECT_FALSE(ids.empty()) << MenuText(menu_, c.position);
        for (int id : ids) {
            bool inside = false;
            for (const auto& r : c.ranges)
                inside = inside || (id >= r.first && id <= r.second);
            EXPECT_TRUE(inside) << MenuText(menu_, c.position) << " offers id " << id;
        }
    }
}

// The places the menu code finds by position, and the items of each
// attribute popup, as the start-up turns them into pictures and swatches.
TEST_F(MainMenu, AttributePopupsHoldTheirItemsAtTheirPositions)
{
    HMENU shapes = Popup(MENU_POS_SHAPES);
    HMENU lines = Popup(MENU_POS_LINES);
    HMENU text = Popup(MENU_POS_TEXT);
    HMENU view = Popup(MENU_POS_VIEW);
    std::vector<int> routeIds = {2401, 2402, 2403, 2404, 2416, 2420, 2421, 2424, 2425, 2426, 2427, 2428,
                                 2429, 2431, 2432, 2436, 2437, 2440, 2441, 2442, 2443, 2444, 2445, 2447};
    struct Case {
        const char* name;
        HMENU popup;
        std::vector<int> ids;
    } cases[] = {
        {"Fill Color", GetSubMenu(shapes, 0), Range(3101, 3116)},
        {"Shading", GetSubMenu(shapes, 1), Range(1101, 1106)},
        {"Border Style", GetSubMenu(shapes, 3), {1200, 1201, 1302, 1303, 1206, 1212, 1218, 1224, 1230}},
        {"Border Color", GetSubMenu(shapes, 4), Range(3401, 3416)},
        {"Shape", GetSubMenu(shapes, 6), Range(1401, 1424)},
        {"Line Style", GetSubMenu(lines, 0), {1801, 1902, 1903, 1806, 1812, 1818, 1824, 1830, 1836, 1842, 1848}},
        {"Line Color", GetSubMenu(lines, 1), Range(3001, 3016)},
        {"Change Line Shape", GetSubMenu(lines, 3), routeIds},
        {"Text Color", GetSubMenu(text, 2), Range(3201, 3216)},
        {"Alignment", GetSubMenu(text, 3), {620, 640, 630, 622, 642, 632, 621, 641, 631, 623, 643, 633}},
        {"Bullets", GetSubMenu(text, 7), {650, 652, 654, 651, 653}},
        {"Background Color", GetSubMenu(view, 9), Range(3301, 3316)},
    };
    for (const Case& c : cases) {
        ASSERT_NE(nullptr, c.popup) << c.name;
        EXPECT_EQ(c.ids, MenuIds(c.popup)) << c.name;
    }
    EXPECT_EQ(MENU_COLOR_ITEMS_IN_RESOURCE, GetMenuItemCount(GetSubMenu(shapes, 0)));
    EXPECT_EQ("C&hange Line Shape", MenuText(lines, 3));
    EXPECT_EQ(IDM_LINES_ARROWHEADS, static_cast<int>(GetMenuItemID(lines, 4)));
    EXPECT_EQ("Align &Text on the Line", MenuText(lines, 8));
    // Positions the menu enabling tests: Draw's five popups, Text's Color.
    for (int i = 0; i < 5; ++i)
        EXPECT_NE(nullptr, GetSubMenu(Popup(MENU_POS_DRAW), i)) << "Draw position " << i;
    EXPECT_EQ(IDM_DRAW_BRING_TO_FRONT, static_cast<int>(GetMenuItemID(Popup(MENU_POS_DRAW), 10)));
}

TEST_F(MainMenu, ItemsShowTheirTextsAndKeys)
{
    struct Case {
        int id;
        const char* text;
    } cases[] = {
        {IDM_FILE_NEW, "&New...\tCtrl+N"},
        {IDM_FILE_CLOSE, "&Close\tCtrl+W"},
        {IDM_FILE_EXIT, "E&xit\tAlt+F4"},
        {IDM_FILE_SEND_ONE, "Send One..."},
        {IDM_EDIT_CLEAR, "Cl&ear\tDel"},
        {IDM_EDIT_COLORS_AND_SHADOWS, "Colors and &Shadows..."},
        {IDM_VIEW_ZOOM_150, "150&%"},
        {IDM_SHAPES_SHAPE_SIZING, "Shape Si&zing..."},
        {IDM_LINES_JOIN, "&Join to Make a New Shape..."},
        {IDM_TEXT_INSERT_SYMBOL, "Insert S&ymbol..."},
        {IDM_DRAW_UNGROUP, "&Ungroup\tCtrl+Shift+G"},
        {IDM_DRAW_ROTATE_UP, "Vertical (&up)"},
        {IDM_DRAW_OPEN_ATTACHMENT, "&Open Attached File\tF11"},
        {IDM_DRAW_SHAPES_LINK, "Allow Sha&pes to Link"},
        {IDM_LIB_OPEN, "&Open Vexlet Library..."},
        {IDM_WINDOW_TILE, "&Tile Windows"},
        {IDM_HELP_SEARCH, "&Search For Help On...\tF1"},
        {IDM_HELP_WEB_PAGE, "&Go To Tessary Plus Web Page..."},
        {IDM_LINE_TYPE_DIGITAL, "digitial"},
        {2425, "RT Seg"},
    };
    for (const Case& c : cases) {
        char text[256] = {};
        GetMenuStringA(menu_, static_cast<UINT>(c.id), text, sizeof text, MF_BYCOMMAND);
        EXPECT_STREQ(c.text, text) << "id " << c.id;
    }
}

TEST(RightMenu, SevenPopupsWithTheirItemsAndSharedPlaces)
{
    HMENU menu = LoadMenuA(Module(), MENU_RIGHT);
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(RIGHT_POPUP_COUNT, GetMenuItemCount(menu));
    HMENU shape = GetSubMenu(menu, RIGHT_POS_SHAPE);
    HMENU line = GetSubMenu(menu, RIGHT_POS_LINE);
    HMENU back = GetSubMenu(menu, RIGHT_POS_BACKGROUND);
    HMENU text = GetSubMenu(menu, RIGHT_POS_TEXT);
    // Shape: Cut Copy Paste, then five places for the menu bar's popups.
    EXPECT_EQ((std::vector<int>{202, 203, 204, 0, 0, 0, 0, 0, 0, 401, 402, 403}), MenuIds(shape));
    EXPECT_EQ("&Fill Color", MenuText(shape, 4));
    EXPECT_EQ("&Shape", MenuText(shape, 8));
    EXPECT_EQ((std::vector<int>{202, 203, 204, 0, 0, 0, 2400, 501, 503, 502, -1}), MenuIds(line));
    EXPECT_NE(nullptr, GetSubMenu(line, 10));
    std::vector<int> backIds = MenuIds(back);
    ASSERT_EQ(16u, backIds.size());
    for (int position : {4, 9, 10, 11})
        EXPECT_NE(nullptr, GetSubMenu(back, position)) << "Background position " << position;
    EXPECT_EQ(IDM_DRAW_CENTER_ON_PAGE, backIds[12]);
    EXPECT_EQ((std::vector<int>{202, 203, 204, 0, 601, 0, 0, 0, 0, 609, -1}), MenuIds(text));
    EXPECT_EQ((std::vector<int>{1626, 1646, 1651, 1681, 1618, 1631, 1652, 1673, 1622, 1630,
                                1650, 1671, 1612, 1633, 1656, 1677, 1616, 1637, 1662, 1683}),
              MenuIds(GetSubMenu(menu, RIGHT_POS_ARRAY_STYLES)));
    EXPECT_EQ("Ramulets", MenuText(menu, RIGHT_POS_ARRAY_STYLES));
    EXPECT_EQ((std::vector<int>{1005, 1004, 1006, 1011}), MenuIds(GetSubMenu(menu, RIGHT_POS_LIBRARY)));
    DestroyMenu(menu);
}

TEST(LibraryMenu, OffersTheLibraryWindowCommands)
{
    HMENU menu = LoadMenuA(Module(), MENU_LIBRARY);
    ASSERT_NE(nullptr, menu);
    std::vector<int> ids;
    CollectIds(menu, ids);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(Range(1001, 1010), ids);
    char text[64] = {};
    GetMenuStringA(menu, IDM_LIB_EDIT_VEXLET, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("&Edit Drawing...", text);
    DestroyMenu(menu);
}

TEST(Accelerators, MapTheKeysToTheirCommands)
{
    HACCEL table = LoadAcceleratorsA(Module(), ACCEL_MAIN);
    ASSERT_NE(nullptr, table);
    std::vector<ACCEL> entries(static_cast<size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
    CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
    const BYTE C = FCONTROL, S = FSHIFT, A = FALT;
    struct Key {
        BYTE modifiers;
        WORD key;
        WORD command;
    } expected[] = {
        {C, 'A', 218},       {C, 'B', 606},       {C, 'C', 203},     {C, VK_INSERT, 203}, {C, 'D', 206},
        {C, 'G', 711},       {BYTE(C | S), 'G', 712}, {C, 'I', 607}, {C, 'N', 101},      {C, 'O', 102},
        {C, 'P', 107},       {C, 'Q', 110},       {C, 'S', 104},     {C, 'T', 601},      {C, 'U', 604},
        {C, 'V', 204},       {S, VK_INSERT, 204}, {C, 'W', 103},     {C, 'X', 202},      {S, VK_DELETE, 202},
        {C, 'Z', 201},       {A, VK_BACK, 201},   {C, VK_ADD, 602},  {C, VK_SUBTRACT, 603},
        {0, VK_ESCAPE, 999}, {0, VK_F1, 901},     {S, VK_F1, 998},   {0, VK_F11, 740},
    };
    EXPECT_EQ(sizeof expected / sizeof expected[0], entries.size());
    for (const Key& k : expected) {
        auto found = std::find_if(entries.begin(), entries.end(), [&](const ACCEL& a) {
            return a.key == k.key && (a.fVirt & (FCONTROL | FSHIFT | FALT)) == k.modifiers;
        });
        ASSERT_NE(entries.end(), found) << "key " << k.key << " modifiers " << int(k.modifiers);
        EXPECT_EQ(k.command, found->cmd) << "key " << k.key;
        EXPECT_EQ(FVIRTKEY | FNOINVERT, found->fVirt & (FVIRTKEY | FNOINVERT)) << "key " << k.key;
    }
    DestroyAcceleratorTable(table);
}

namespace {

// The program's own control classes, registered here as plain windows when
// the test program has not registered the real ones, so that every template
// can be created.
void EnsureControlClasses()
{
    for (const char* name : {"SEIconButtonClass", "SESAMPLEWIN", "SEPOPUP", "SECHARARRAY", "EVXWINDOWCLASS"}) {
        WNDCLASSA existing = {};
        if (GetClassInfoA(Module(), name, &existing))
            continue;
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = Module();
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = name;
        RegisterClassA(&windowClass);
    }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

struct DialogCase {
    const char* name; // or a number for the common-dialog templates
    const char* caption;
    std::vector<int> controls;
};

std::vector<DialogCase> DialogCases()
{
    std::vector<int> arrows = Range(501, 524);
    std::vector<int> ends = Range(571, 594);
    arrows.insert(arrows.end(), ends.begin(), ends.end());
    for (int id : {621, 622, 631, 632, 541, 542, 543, 1011, IDOK, IDCANCEL, IDC_HELP_BUTTON})
        arrows.push_back(id);
    std::vector<int> palette = Range(108, 131);
    for (int id = 215; id <= 221; ++id)
        palette.push_back(id);
    for (int id = 500; id <= 511; ++id)
        palette.push_back(id);
    std::vector<int> defineStyle = {210, 100, 111, 501, 502, 503, 504, 505, 506, 507, 401, 402, 403, 404, 405,
                                    406, 407, 300, 301, 302, 303, 304, 305, 310, 311, 312, 313, 314, 208, 209,
                                    212, 206, 211, 213, 207, IDOK, IDCANCEL, IDC_HELP_BUTTON};
    return {
        {TEMPLATE_ABOUT, "About Tessary Plus", {IDOK, 100, 200, 201}},
        {TEMPLATE_STYLE, "Colors and Shadows", {100, 111, 208, 209, 212, 1041, 1054, 1055, 101, 1001, IDOK, IDCANCEL, 9}},
        {TEMPLATE_DEFINE_STYLE, "Define Colors and Shadow Styles", defineStyle},
        {TEMPLATE_TEXT_SIZING, "Shape Sizing with Text", {201, 202, 203, 501, 502, 503, 504, IDOK, IDCANCEL, 9}},
        {TEMPLATE_SHAPE_SIZING, "Shape Sizing", {1018, 1019, 1020, 1021, 1040, 201, 202, IDOK, IDCANCEL, 9}},
        {TEMPLATE_TOOLBAR_SLOT, "Edit Toolbar Location", {1016, 1017, 1029, 1030, 1031, 1018, 202, 1028, 201, IDOK, IDCANCEL, 9}},
        {TEMPLATE_OPTIONS, "Tessary Plus Options",
         {1032, 1033, 1034, 1038, 1039, 1031, 1037, 1036, 1040, 1041, 1042, 1035, 1043, 201, 202, 203, 204, 205,
          IDOK, IDCANCEL, 9}},
        {TEMPLATE_WELCOME, "Welcome to Tessary Plus!", {1050, 1051, 1035, 1037, 1201, 1200, 1202, 202, 201, 203, IDOK, IDCANCEL, 9}},
        {TEMPLATE_TIPS, "Tips", {1201, 1200, 1202, 202, IDOK}},
        {TEMPLATE_FOOTER, "Define Footer", {1013, 1014, 1015, 1016, 201, 202, IDOK, IDCANCEL, 9}},
        {TEMPLATE_ARROWS, "Arrowheads", arrows},
        {TEMPLATE_RULERS, "Set Rulers And Grids", {1029, 1030, 1032, 1033, 1006, 1005, 1004, 1007, 1002, 1034, 1035, 1008, IDOK, IDCANCEL, 9}},
        {TEMPLATE_GIF_OPTIONS, "GIF Format Options", {1017, 1018, 1019, 1020, 201, 202, 203, 204, IDOK, IDCANCEL}},
        {TEMPLATE_ANGLE, "Set Rotation Angle", {1047, 1052, 1051, 201, IDOK, IDCANCEL, 9}},
        {TEMPLATE_SCALE, "Set Window Scale", {1047, 1052, 1051, 201, IDOK, IDCANCEL, 9}},
        {TEMPLATE_SYMBOL, "Insert Symbol", {1056, 1055, 200, 201, IDOK, IDCANCEL, 9}},
        {TEMPLATE_VEXLET_EDIT, "Edit Vexlet",
         {1016, 1017, 1029, 1018, 1019, 1020, 1021, 1022, 1023, 1024, 1025, 1042, 1026, 1040, 1028, 201, 202, 203, 204,
          IDOK, IDCANCEL, 9}},
        {TEMPLATE_TEMPLATE_CHOOSER, "Create a New Drawing", {1043, 1044, 111, 201, IDOK, IDCANCEL, 9}},
        {TEMPLATE_LIBRARY_BROWSER, "Open a Vexlet Library", {1043, 1044, 111, 201, 202, 4, 5, IDOK, IDCANCEL, 9}},
        {TEMPLATE_KEYWORD, "Find Vexlet", {1028, 201, 202, IDOK, IDCANCEL, 9}},
        {TEMPLATE_ATTACH, "Attach a Document to an Object", {1060, 1061, 1062, 1063, 1064, 10, 201, 202, IDOK, IDCANCEL, 9}},
        {TEMPLATE_PRINTING, "Printing", {101, 102, 103, 105, 106, 109, 107, 108, IDCANCEL}},
        {TEMPLATE_PREVIEW, "", {IDCANCEL, 3, 1057, 1058, 511}},
        {TEMPLATE_PALETTE, "", palette},
        {MAKEINTRESOURCEA(DLG_FILE_OLD), "Open", {edt1, lst1, lst2, cmb1, cmb2, stc1, IDOK, IDCANCEL, pshHelp, 1033}},
        {MAKEINTRESOURCEA(DLG_FILE_CHILD), "", {1033}},
        {MAKEINTRESOURCEA(DLG_PRINT_OLD), "Print",
         {rad1, rad2, rad3, edt1, edt2, edt3, chx1, chx2, 1045, 1046, 1047, 1039, 1038, IDOK, IDCANCEL}},
        {MAKEINTRESOURCEA(DLG_PRINT), "Print",
         {cmb4, psh2, stc12, rad1, rad2, rad3, edt1, edt2, edt3, chx1, chx2, ico3, 1045, 1046, 1047, 1039, IDOK, IDCANCEL}},
        {MAKEINTRESOURCEA(DLG_PRINT_SETUP_OLD), "Print Setup", {cmb1, cmb2, cmb3, rad1, rad2, 1042, 1038, IDOK, IDCANCEL}},
        {MAKEINTRESOURCEA(DLG_PRINT_SETUP), "Print Setup", {cmb1, psh2, cmb2, cmb3, rad1, rad2, ico1, 1042, IDOK, IDCANCEL}},
    };
}

std::string NameOf(const char* name)
{
    return IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name;
}

class Dialogs : public testing::Test {
protected:
    void SetUp() override
    {
        EnsureControlClasses();
        parent_ = CreateWindowExA(0, "STATIC", "parent", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, Module(), nullptr);
        ASSERT_NE(nullptr, parent_);
    }
    void TearDown() override { DestroyWindow(parent_); }
    HWND Create(const char* name) const { return CreateDialogParamA(Module(), name, parent_, QuietDialogProc, 0); }
    HWND parent_ = nullptr;
};

} // namespace

TEST_F(Dialogs, EveryTemplateLoadsWithItsCaptionAndControls)
{
    for (const DialogCase& c : DialogCases()) {
        std::string name = NameOf(c.name);
        EXPECT_NE(nullptr, FindResourceA(Module(), c.name, MAKEINTRESOURCEA(5))) << name;
        HWND dialog = Create(c.name);
        ASSERT_NE(nullptr, dialog) << name << " error " << GetLastError();
        char caption[128] = {};
        GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(c.caption, caption) << name;
        for (int id : c.controls)
            EXPECT_NE(nullptr, GetDlgItem(dialog, id)) << name << " lacks control " << id;
        // A dialog must fit the smallest screen the program runs on.
        RECT r = {};
        GetWindowRect(dialog, &r);
        EXPECT_LE(r.right - r.left, 640) << name;
        EXPECT_LE(r.bottom - r.top, 480) << name;
        DestroyWindow(dialog);
    }
}

TEST_F(Dialogs, TemplatesAreFoundWhateverTheCaseOfTheirNames)
{
    for (const char* name : {"StyleDlg", "STYLEDLG", "TextDlg", "PictureEdit", "MDPalette", "vxoption"})
        EXPECT_NE(nullptr, FindResourceA(Module(), name, MAKEINTRESOURCEA(5))) << name;
}

TEST_F(Dialogs, NoticesAndHintsHaveTheirTextsAndButtons)
{
    struct Case {
        const char* name;
        bool hint;
        bool cancel;
        const char* first; // the text the program quotes, or null for our own
    } cases[] = {
        {"INFO_ADDLIB", false, false, nullptr},
        {"INFO_ATTACH", false, false,
         "Before you can use this command you must select only one object. You have either more than one, a grouped object, or none at all, selected."},
        {"INFO_BADMETA", false, false, nullptr},
        {"INFO_DIM", false, false, nullptr},
        {"INFO_FLIP", false, false, nullptr},
        {"INFO_GIFTRANS", false, true, nullptr},
        {"INFO_HIDESHADOW", false, false, nullptr},
        {"INFO_LIBMENU", false, true, nullptr},
        {"INFO_MAKESHAPE", false, false, "Create a new shape by joining lines together."},
        {"INFO_MAKESHAPEGROUP", false, true, "The lines and curves you have chosen to group may be joined to make a new shape."},
        {"INFO_MAKESHAPEOK", false, true, "The lines and curves you have selected will be combined into a new shape."},
        {"INFO_METASIZE", false, false, nullptr},
        {"INFO_NOFLIP", false, false, nullptr},
        {"INFO_NOROTATE", false, false, nullptr},
        {"INFO_PICTDLG", false, false, nullptr},
        {"INFO_SHAPETOLINE_MANY", false, false, "You have more than one shape selected."},
        {"INFO_SHAPETOLINE_OK", false, true,
         "This command breaks a shape apart into its component lines and curves.  Any text associated with this shape will be lost!"},
        {"INFO_SHAPETOLINE_WRONG", false, false, "You cannot edit the outline of this shape."},
        {"INFO_TOOLEDIT", false, false, nullptr},
        {"INFO_VXNAMES", false, false, nullptr},
        {"HINT_ATTACH", true, false, nullptr},
        {"HINT_CONN", true, false, nullptr},
        {"HINT_DRAWSEL", true, false, nullptr},
        {"HINT_DUPLICATE", true, false, nullptr},
        {"HINT_IMPORT", true, false, nullptr},
        {"HINT_LINELINK", true, false, nullptr},
        {"HINT_LINESEL", true, false, nullptr},
        {"HINT_LINETOOL", true, false, nullptr},
        {"HINT_NEWDOC", true, false, nullptr},
        {"HINT_NEWTEMP", true, false, nullptr},
        {"HINT_SELECT", true, false, nullptr},
        {"HINT_SHAPELINK", true, false, nullptr},
        {"HINT_SHAPESEL", true, false, nullptr},
        {"HINT_STF", true, false, nullptr},
        {"HINT_STICKY", true, false, nullptr},
        {"HINT_TEXTSEL", true, false, nullptr},
        {"HINT_TEXTTOOL", true, false, nullptr},
        {"HINT_VEXLET", true, false, nullptr},
    };
    for (const Case& c : cases) {
        HWND dialog = Create(c.name);
        ASSERT_NE(nullptr, dialog) << c.name;
        char text[512] = {};
        GetDlgItemTextA(dialog, IDC_NOTE_1, text, sizeof text);
        EXPECT_GT(strlen(text), 10u) << c.name;
        if (c.first) {
            EXPECT_STREQ(c.first, text) << c.name;
        }
        EXPECT_NE(nullptr, GetDlgItem(dialog, IDOK)) << c.name;
        EXPECT_NE(nullptr, GetDlgItem(dialog, IDC_HELP_BUTTON)) << c.name;
        // A dialog without item 2 ignores Esc, so only choices carry one.
        EXPECT_EQ(c.cancel, GetDlgItem(dialog, IDCANCEL) != nullptr) << c.name;
        EXPECT_EQ(c.hint, GetDlgItem(dialog, IDC_INFO_SHOW_HINTS) != nullptr) << c.name;
        DestroyWindow(dialog);
    }
}

namespace {

std::string LoadText(int id)
{
    char text[1024] = {};
    return LoadStringA(Module(), static_cast<UINT>(id), text, sizeof text) > 0 ? std::string(text) : std::string();
}

bool HasString(int id)
{
    // LoadString cannot tell an empty string from a missing one; the block can.
    HRSRC block = FindResourceA(Module(), MAKEINTRESOURCEA(id / 16 + 1), MAKEINTRESOURCEA(6));
    if (!block)
        return false;
    const WORD* entry = static_cast<const WORD*>(LockResource(LoadResource(Module(), block)));
    for (int i = 0; i < id % 16; ++i)
        entry += 1 + *entry;
    return *entry != 0;
}

// Every string of the table with its id, read block by block.
std::vector<std::pair<int, std::wstring>> AllStrings()
{
    std::vector<std::pair<int, std::wstring>> strings;
    std::vector<int> blocks;
    EnumResourceNamesA(
        Module(), MAKEINTRESOURCEA(6),
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
            reinterpret_cast<std::vector<int>*>(param)->push_back(static_cast<int>(reinterpret_cast<UINT_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&blocks));
    for (int block : blocks) {
        HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(block), MAKEINTRESOURCEA(6));
        const WORD* entry = static_cast<const WORD*>(LockResource(LoadResource(Module(), found)));
        for (int i = 0; i < 16; ++i) {
            if (*entry)
                strings.emplace_back((block - 1) * 16 + i,
                                     std::wstring(reinterpret_cast<const wchar_t*>(entry + 1), *entry));
            entry += 1 + *entry;
        }
    }
    return strings;
}

} // namespace

TEST(Strings, MessagesAndTextsReadAsTheProgramShowsThem)
{
    struct Case {
        int id;
        const char* text;
    } cases[] = {
        {IDS_LOAD_FAILED, "Unable to load Tessary Plus."},
        {IDS_APP_TITLE, "Tessary Plus"},
        {IDS_DISK_FULL, "Not enough disk space for standard operations. Please delete unnecessary files from your disk and try again."},
        {IDS_TOO_MANY_DOCUMENTS, "You can open up to 16 documents at the same time. Save and close one of the open documents, then try again."},
        {IDS_TARGET_NO_SIZE, "The line you have selected as the target has no \"size\" in this direction."},
        {IDS_COPY_VEXLET, "You have dragged this Vexlet to another library window.\n\nDo you want to add a copy to this library?"},
        {IDS_CONVERT_ON_SAVE,
         "If you save this drawing it will be converted to Tessary Plus 3.0 format, and will no longer be readable by "
         "Tessary Plus 1.0 or 2.0. Saving it to another file name using \"Save As..\" will retain the original copy."
         "\n\n Continue saving?"},
        {IDS_GROUP_LINKS_OMITTED,
         "One or more of the objects that you are attempting to group are linked to another that is not included in the "
         "group. These linked objects have been omitted from the group. "},
        {IDS_VERSION, "Version 3.20, October 31, 1997"},
        {IDS_REGISTRY_VERSION_KEY, "Orvanex\\Tessary Plus\\Version3.00"},
        {IDS_INCH_MARK, "\""},
        {IDS_FOOT_MARK, "'"},
        {702, "library\\PERCOMP\\PRINTER1.vxl"},
        {IDS_FILTER_DRAWINGS, "Tessary Plus File(*.TYR)|*.tyr|Tessary Plus Template(*.TYT)|*.tyt|All Files(*.*)|*.*|"},
        {IDS_PREVIEW_PAGE, "Page %d of %d"},
        {IDS_NEW_STYLE, "New Style "},
        {IDS_PASTE_DRAWING, "&Paste Drawing\tCtrl+V"},
        {IDS_UNDO_BASE + 38, "Un&do Re-Size\tCtrl+Z"},
        {IDS_REDO_BASE + 32, "Re&do Style Change\tCtrl-Z"},
        {IDS_REDO_BASE + 44, "Re&do  Background Color\tCtrl+Z"},
        {IDS_SHAPE_TOOLTIP_BASE + 17, "Draw a Trapeziod"},
        {IDS_TOOLTIP_BASE + 113, "Draw an auto connecting line (hold ctrl key down for vertical)"},
        {IDS_TOOLTIP_BASE + 220, "IncreaseText Size"},
        {IDS_TIP_PREFIX, "Tip #"},
        // A failed attachment names what failed instead of showing the bare name.
        {IDS_WEB_PAGE_FAILED, "Unable to open this web page: "},
        {IDS_ATTACHMENT_FAILED, "Unable to open this attachment: "},
        {IDS_TIP_LAST, "Shift-click on the toolbar buttons to keep them selected."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, LoadText(c.id)) << "string " << c.id;
}

TEST(Strings, NumberedFamiliesAreComplete)
{
    struct Family {
        const char* name;
        int first, last, step;
    } families[] = {
        {"undo texts", IDS_UNDO_BASE, IDS_UNDO_BASE + 68, 2},
        {"redo texts", IDS_REDO_BASE, IDS_REDO_BASE + 68, 2},
        {"tips", IDS_TIP_FIRST, IDS_TIP_LAST, 1},
        {"length units", 600, 605, 1},
        {"unit marks", 621, 625, 1},
        {"default libraries", 700, 703, 1},
        {"paste texts", 3000, 3004, 1},
        {"shape tool tips", 6114, 6137, 1},
        {"palette tool tips", 6108, 6113, 1},
        {"toggle tool tips", 6215, 6221, 1},
        {"command tool tips", 6500, 6511, 1},
    };
    for (const Family& f : families)
        for (int id = f.first; id <= f.last; id += f.step)
            EXPECT_TRUE(HasString(id)) << f.name << ": string " << id;
}

TEST(Strings, FitTheProgramsBufferAndLeaveOutTheAbsentOnes)
{
    std::vector<std::pair<int, std::wstring>> strings = AllStrings();
    EXPECT_GT(strings.size(), 300u);
    for (const auto& s : strings)
        EXPECT_LE(s.second.size(), 260u) << "string " << s.first << " would be cut by a 261-character buffer";
    // The stock interface font stays unless these exist; the attachment hint
    // lines stay empty.
    for (int id : {529, 530, 531, 3600, 3601, 3602, 3603})
        EXPECT_FALSE(HasString(id)) << "string " << id;
}

TEST(Strings, FilterListsAlternateDescriptionAndPattern)
{
    // Filter lists alternate description and pattern and end with "|".
    for (int id : {IDS_FILTER_DRAWINGS, IDS_FILTER_PICTURES, IDS_FILTER_LIBRARIES, IDS_FILTER_PROGRAMS,
                   IDS_FILTER_DOCUMENTS, IDS_FILTER_SAVE_AS}) {
        std::string text = LoadText(id);
        ASSERT_FALSE(text.empty()) << id;
        EXPECT_EQ('|', text.back()) << id;
        EXPECT_EQ(0, std::count(text.begin(), text.end(), '|') % 2) << id;
    }
    std::string saveAs = LoadText(IDS_FILTER_SAVE_AS);
    EXPECT_EQ(16, std::count(saveAs.begin(), saveAs.end(), '|')) << "Save As offers eight types";
}

namespace {

enum Back { kWhite, kGrey, kAny };

struct BitmapCase {
    int id;
    int width, height; // 0: any size
    Back back;         // corner colour: white for pictures ANDed onto a button face,
                       // light grey for those drawn transparently through a mask
};

void AddRange(std::vector<BitmapCase>& cases, int first, int last, int width, int height, Back back)
{
    for (int id = first; id <= last; ++id)
        cases.push_back({id, width, height, back});
}

std::vector<BitmapCase> BitmapCases()
{
    std::vector<BitmapCase> cases;
    AddRange(cases, IDB_PATTERN_FIRST, IDB_PATTERN_LAST, 8, 8, kAny);
    cases.push_back({IDB_SWATCH_TRANSPARENT, 0, 0, kWhite});
    AddRange(cases, IDB_WIDTH_FIRST, IDB_WIDTH_LAST, 0, 0, kWhite);
    AddRange(cases, IDB_DASH_DOTTED, IDB_DASH_DASHED, 0, 0, kWhite);
    // Menu items measured 26 x 26 (alignment, bullets, line shapes, array styles) and 25 x 24 (shapes).
    for (int base : {620, 630, 640})
        AddRange(cases, base, base + 3, 26, 26, kWhite);
    AddRange(cases, 650, 654, 26, 26, kWhite);
    for (int id : {2401, 2402, 2403, 2404, 2416, 2420, 2421, 2424, 2425, 2426, 2427, 2428, 2429, 2431, 2432, 2436,
                   2437, 2440, 2441, 2442, 2443, 2444, 2445, 2447})
        cases.push_back({id, 26, 26, kWhite});
    for (int id : {1612, 1616, 1618, 1622, 1626, 1630, 1631, 1633, 1637, 1646, 1650, 1651, 1652, 1656, 1662, 1671,
                   1673, 1677, 1681, 1683})
        cases.push_back({id, 26, 26, kWhite});
    AddRange(cases, IDB_SHAPE_FIRST, IDB_SHAPE_LAST, 25, 24, kWhite);
    AddRange(cases, IDB_TOOL_FIRST, IDB_TOOL_LAST, 0, 0, kWhite);
    AddRange(cases, IDB_TOGGLE_FIRST, IDB_TOGGLE_LAST, 0, 0, kWhite);
    AddRange(cases, IDB_MIXED_FIRST, IDB_MIXED_LAST, 0, 0, kGrey);
    // Command buttons New .. Print Preview, Copy and Paste are drawn through a mask.
    for (int id = IDB_COMMAND_FIRST; id <= IDB_COMMAND_LAST; ++id) {
        bool masked = id <= 3504 || id == 3506 || id == 3507;
        cases.push_back({id, 0, 0, masked ? kGrey : kWhite});
    }
    AddRange(cases, IDB_SHADOW_KIND_FIRST, IDB_SHADOW_KIND_LAST, 0, 0, kGrey);
    AddRange(cases, IDB_SHADOW_DIR_FIRST, IDB_SHADOW_DIR_LAST, 0, 0, kGrey);
    AddRange(cases, IDB_ARROW_END_FIRST, IDB_ARROW_END_LAST, 0, 0, kWhite);
    AddRange(cases, IDB_ARROW_START_FIRST, IDB_ARROW_START_LAST, 0, 0, kWhite);
    for (int id : {IDB_ARROW_END_NORMAL, IDB_ARROW_END_DISPLACED, IDB_ARROW_START_NORMAL, IDB_ARROW_START_DISPLACED})
        cases.push_back({id, 0, 0, kWhite});
    AddRange(cases, IDB_ARROW_SIZE_FIRST, IDB_ARROW_SIZE_LAST, 0, 0, kWhite);
    AddRange(cases, IDB_SPIN_DOWN, IDB_SPIN_UP, 0, 0, kWhite);
    return cases;
}

COLORREF CornerColour(HBITMAP bitmap)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF colour = GetPixel(dc, 0, 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

std::vector<unsigned char> IconPixels(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return {};
    BITMAP bm = {};
    GetObjectA(info.hbmColor, sizeof bm, &bm);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<unsigned char> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight * 4);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

// A 32-bit top-down picture written as a PNG for people to look at.
struct Sheet {
    Sheet(int w, int h) : width(w), height(h)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        RECT all = {0, 0, w, h};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    }
    ~Sheet()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    bool Write(const std::string& name) const
    {
        GdiFlush();
        std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
        const auto* source = static_cast<const unsigned char*>(bits);
        for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
            rgb[i * 3 + 0] = source[i * 4 + 2];
            rgb[i * 3 + 1] = source[i * 4 + 1];
            rgb[i * 3 + 2] = source[i * 4 + 0];
        }
        std::string path = TestOutputFolder() + name + ".png";
        return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
    }
    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;
};

// Copies a dialog shown on the desktop into a sheet; false where there is no
// screen to read (Wine's display-less driver).
bool CaptureDialog(HWND dialog, Sheet& sheet)
{
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateWindow(dialog);
    for (int i = 0; i < 20; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
    HDC screen = GetDC(nullptr);
    bool readable = GetPixel(screen, 0, 0) != CLR_INVALID;
    if (readable)
        BitBlt(sheet.dc, 0, 0, sheet.width, sheet.height, screen, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return readable;
}

} // namespace

TEST(Pictures, EveryBitmapLoadsWithItsSizeAndBackground)
{
    for (const BitmapCase& c : BitmapCases()) {
        HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(c.id));
        ASSERT_NE(nullptr, bitmap) << "bitmap " << c.id;
        BITMAP bm = {};
        GetObjectA(bitmap, sizeof bm, &bm);
        if (c.width) {
            EXPECT_EQ(c.width, bm.bmWidth) << "bitmap " << c.id;
            EXPECT_EQ(c.height, bm.bmHeight) << "bitmap " << c.id;
        }
        if (c.back != kAny) {
            EXPECT_EQ(c.back == kWhite ? RGB(255, 255, 255) : RGB(192, 192, 192), CornerColour(bitmap))
                << "bitmap " << c.id;
        }
        DeleteObject(bitmap);
    }
    for (const char* name : {BITMAP_ABOUT, BITMAP_ABOUT_MONO}) {
        HBITMAP bitmap = LoadBitmapA(Module(), name);
        EXPECT_NE(nullptr, bitmap) << name;
        DeleteObject(bitmap);
    }
}

TEST(Pictures, PatternBitmapsAreOneBitSoBrushesTakeTheTextColour)
{
    for (int id = IDB_PATTERN_FIRST; id <= IDB_PATTERN_LAST; ++id) {
        HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(id));
        BITMAP bm = {};
        GetObjectA(bitmap, sizeof bm, &bm);
        EXPECT_EQ(1, bm.bmBitsPixel) << "pattern " << id;
        DeleteObject(bitmap);
    }
}

TEST(Pictures, CursorsLoadWithTheirHotSpots)
{
    struct Case {
        int id;
        int x, y; // -1: anywhere
    } cases[] = {
        {IDCUR_ARROW, 0, 0},      {IDCUR_HELP, 0, 0},       {IDCUR_MOVE_START, 15, 15}, {IDCUR_ZOOM_IN, -1, -1},
        {IDCUR_ZOOM_OUT, -1, -1}, {IDCUR_MOVE, 0, 0},       {IDCUR_HOOK, 0, 0},         {IDCUR_PENCIL, 0, 31},
        {IDCUR_PLACE, 0, 0},      {IDCUR_ATTACHMENT, 0, 0}, {IDCUR_ROTATE, 15, 15},
    };
    for (const Case& c : cases) {
        HCURSOR cursor = LoadCursorA(Module(), MAKEINTRESOURCEA(c.id));
        ASSERT_NE(nullptr, cursor) << "cursor " << c.id;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(cursor, &info)) << "cursor " << c.id;
        if (c.x >= 0) {
            EXPECT_EQ(static_cast<DWORD>(c.x), info.xHotspot) << "cursor " << c.id;
            EXPECT_EQ(static_cast<DWORD>(c.y), info.yHotspot) << "cursor " << c.id;
        }
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

// The registry names the drawing, template and library icons by their
// positions 1, 3 and 4 in the program file, which count the icon groups in
// resource order.
TEST(Pictures, IconPositionsMatchTheRegistrysIndexes)
{
    std::vector<int> order;
    EnumResourceNamesA(
        Module(), MAKEINTRESOURCEA(14),
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
            if (IS_INTRESOURCE(name))
                reinterpret_cast<std::vector<int>*>(param)->push_back(static_cast<int>(reinterpret_cast<UINT_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&order));
    ASSERT_EQ((std::vector<int>{IDI_PROGRAM, IDI_DRAWING, IDI_DRAWING_EARLIER, IDI_TEMPLATE, IDI_LIBRARY}), order);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    struct Case {
        int index, id;
    } cases[] = {{0, IDI_PROGRAM}, {ICON_INDEX_DRAWING, IDI_DRAWING}, {ICON_INDEX_TEMPLATE, IDI_TEMPLATE},
                 {ICON_INDEX_LIBRARY, IDI_LIBRARY}};
    for (const Case& c : cases) {
        HICON extracted = ExtractIconA(Module(), path, static_cast<UINT>(c.index));
        HICON loaded = static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(c.id), IMAGE_ICON, 32, 32, 0));
        ASSERT_NE(nullptr, extracted) << "index " << c.index;
        ASSERT_NE(nullptr, loaded) << "icon " << c.id;
        std::vector<unsigned char> a = IconPixels(extracted), b = IconPixels(loaded);
        EXPECT_FALSE(a.empty());
        EXPECT_TRUE(a == b) << "index " << c.index << " is not icon " << c.id;
        DestroyIcon(extracted);
        DestroyIcon(loaded);
    }
}

TEST(StandardStyles, RecordHoldsTheTwentyFiveStyles)
{
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(IDR_STDSTYLE), RESOURCE_TYPE_STDSTYLE);
    ASSERT_NE(nullptr, found);
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(Module(), found)));
    ASSERT_EQ(16u + 4u + 25u * 68u, SizeofResource(Module(), found));
    auto i16 = [&](size_t at) { return static_cast<int16_t>(data[at] | (data[at + 1] << 8)); };
    auto u32 = [&](size_t at) {
        return static_cast<uint32_t>(data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) |
                                     (static_cast<uint32_t>(data[at + 3]) << 24));
    };
    EXPECT_EQ(25, i16(16));
    EXPECT_EQ(0, i16(18));
    struct Case {
        int index;
        const char* name;
        uint32_t fill, background;
        int dx, dy, kind, flags;
    } cases[] = {
        {0, "Black & White", RGB(255, 255, 255), 0xFFFFFFFFu, 0, 0, 0, 12},
        {2, "B & W: Cont. Shadow", RGB(255, 255, 255), 0xFFFFFFFFu, 24, 24, 3, 0},
        {5, "3D Sunken", RGB(192, 192, 192), RGB(192, 192, 192), 6, 6, 2, 3},
        {15, "Forest", RGB(192, 96, 0), RGB(192, 255, 224), 24, 24, 4, 1},
        {24, "Logo", RGB(192, 192, 192), RGB(224, 224, 224), 6, 6, 1, 7},
    };
    for (const Case& c : cases) {
        size_t at = 20 + 68 * static_cast<size_t>(c.index);
        EXPECT_EQ(c.fill, u32(at + 8)) << c.name;
        EXPECT_EQ(c.background, u32(at + 20)) << c.name;
        EXPECT_EQ(c.dx, i16(at + 28)) << c.name;
        EXPECT_EQ(c.dy, i16(at + 30)) << c.name;
        EXPECT_EQ(c.kind, i16(at + 32)) << c.name;
        EXPECT_EQ(c.flags, i16(at + 34)) << c.name;
        EXPECT_STREQ(c.name, reinterpret_cast<const char*>(data + at + 36)) << c.index;
    }
}

// Pictures for people: every bitmap on one sheet, and a few dialogs.
TEST(Pictures, WritesSheetsForPeopleToLookAt)
{
    std::vector<BitmapCase> cases = BitmapCases();
    const int columns = 16, cell = 34;
    Sheet sheet(columns * cell, static_cast<int>((cases.size() + columns - 1) / columns) * cell);
    HDC source = CreateCompatibleDC(sheet.dc);
    for (size_t i = 0; i < cases.size(); ++i) {
        HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(cases[i].id));
        BITMAP bm = {};
        GetObjectA(bitmap, sizeof bm, &bm);
        HGDIOBJ old = SelectObject(source, bitmap);
        BitBlt(sheet.dc, static_cast<int>(i % columns) * cell + 1, static_cast<int>(i / columns) * cell + 1,
               std::min<int>(bm.bmWidth, cell - 2), std::min<int>(bm.bmHeight, cell - 2), source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteObject(bitmap);
    }
    DeleteDC(source);
    EXPECT_TRUE(sheet.Write("resources_bitmaps"));

    EnsureControlClasses();
    HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, Module(), nullptr);
    for (const char* name : {TEMPLATE_STYLE, TEMPLATE_DEFINE_STYLE, TEMPLATE_ARROWS, TEMPLATE_OPTIONS,
                             TEMPLATE_WELCOME, TEMPLATE_VEXLET_EDIT, TEMPLATE_RULERS, "INFO_MAKESHAPEGROUP"}) {
        HWND dialog = CreateDialogParamA(Module(), name, parent, QuietDialogProc, 0);
        ASSERT_NE(nullptr, dialog) << name;
        RECT r = {};
        GetWindowRect(dialog, &r);
        Sheet shot(r.right - r.left, r.bottom - r.top);
        if (CaptureDialog(dialog, shot)) {
            EXPECT_TRUE(shot.Write(std::string("dialog_") + name)) << name;
        }
        DestroyWindow(dialog);
    }
    DestroyWindow(parent);
}
