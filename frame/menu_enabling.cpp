#include "frame/menu_enabling.h"

#include "common/app_globals.h"
#include "common/string_helpers.h"
#include "common/window_helpers.h"
#include "documents/recent_files.h"
#include "documents/view_children.h"
#include "frame/file_menu_texts.h"
#include "frame/frame_caption.h"
#include "frame/menu_checks.h"
#include "frame/menu_context.h"
#include "frame/menu_rules.h"
#include "frame/recent_files_menu.h"
#include "frame/unbuilt_commands.h"
#include "frame/view_menu.h"
#include "libraries/library_windows.h"
#include "resources/menu_ids.h"
#include "resources/resource_ids.h"

namespace {

// A maximized document window puts its system menu first on the menu bar.
const int kPlainMenuBarItems = 10;
const int kLinesShapePlace = 3;
const int kRightLineShapePlace = 6;
const int kDrawingSnaps = 0x02;
const int kDrawingLinesLink = 0x08;
const int kDrawingShapesLink = 0x10;

const int kDocumentPopups[] = {MENU_POS_EDIT,  MENU_POS_VIEW, MENU_POS_SHAPES,    MENU_POS_LINES,
                               MENU_POS_TEXT,  MENU_POS_DRAW, MENU_POS_LIBRARIES, MENU_POS_WINDOW};
const int kFileDocumentItems[] = {IDM_FILE_CLOSE,  IDM_FILE_SAVE,   IDM_FILE_SAVE_AS,      IDM_FILE_PRINT_SETUP,
                                  IDM_FILE_PRINT,  IDM_FILE_EXPORT, IDM_FILE_IMPORT,       IDM_FILE_PRINT_PREVIEW,
                                  IDM_FILE_SEND_ONE, IDM_FILE_SEND_ALL};

int MenuBarOffset(HMENU bar)
{
    return GetMenuItemCount(bar) > kPlainMenuBarItems ? 1 : 0;
}

void SetText(HMENU popup, int id, int stringId)
{
    char text[kStringBufferSize];
    LoadStrOrBlank(stringId, text);
    SetMenuItemText(popup, id, text);
}

void Check(HMENU popup, int id, bool checked)
{
    CheckMenuItem(popup, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void InitEditTexts(HMENU popup, const MenuContext& c)
{
    SetText(popup, IDM_EDIT_UNDO, IDS_UNDO_BASE + c.undoIndex);
    SetText(popup, IDM_EDIT_PASTE, IDS_PASTE_BASE + c.pasteIndex);
}

void InitDrawChecks(HMENU popup, const MenuContext& c)
{
    Check(popup, IDM_DRAW_USE_SNAPS, (c.drawingFlags & kDrawingSnaps) != 0);
    Check(popup, IDM_DRAW_LINES_LINK, (c.drawingFlags & kDrawingLinesLink) != 0);
    Check(popup, IDM_DRAW_SHAPES_LINK, (c.drawingFlags & kDrawingShapesLink) != 0);
    Check(popup, IDM_DRAW_LOCK, (c.selectionFlags & kSelLocked) != 0);
    SetText(popup, IDM_DRAW_HIDE_SHADOW, c.shadowHidden ? IDS_MENU_SHOW_SHADOW : IDS_MENU_HIDE_SHADOW);
}

const int kColourListLast = 48;
const int kStyleListLast = 49;
const int kDashListLast = 19;

void InitShapeChecks(HMENU popup, const MenuContext& c)
{
    const int type = c.shapeType > 1 ? IDM_SHAPE_TYPE_BASE + c.shapeType : 0;
    CheckListItem(popup, IDM_SHAPE_TYPE_FIRST, IDM_SHAPE_TYPE_LAST, type);
    CheckListItem(popup, IDM_FILL_COLOR_BASE, IDM_FILL_COLOR_BASE + kColourListLast,
                  ColourItem(IDM_FILL_COLOR_BASE, c.fillColour));
    CheckListItem(popup, IDM_BORDER_COLOR_BASE, IDM_BORDER_COLOR_BASE + kColourListLast,
                  ColourItem(IDM_BORDER_COLOR_BASE, c.outlineColour));
    CheckListItem(popup, IDM_SHADING_FIRST, IDM_SHADING_LAST, ShadingItem(c.fillMode));
    const int style = StyleItem(c.outlineStyle, c.outlineWidth, IDM_BORDER_WIDTH_BASE, IDM_BORDER_DASH_BASE);
    CheckListItem(popup, IDM_BORDER_WIDTH_BASE, IDM_BORDER_WIDTH_BASE + kStyleListLast,
                  style < IDM_BORDER_DASH_BASE ? style : 0);
    CheckListItem(popup, IDM_BORDER_DASH_BASE, IDM_BORDER_DASH_BASE + kDashListLast,
                  style >= IDM_BORDER_DASH_BASE ? style : 0);
}

void InitLineChecks(HMENU popup, const MenuContext& c)
{
    CheckListItem(popup, IDM_LINE_COLOR_BASE, IDM_LINE_COLOR_BASE + kColourListLast,
                  ColourItem(IDM_LINE_COLOR_BASE, c.lineColour));
    const int style = StyleItem(c.lineStyle, c.lineWidth, IDM_LINE_WIDTH_BASE, IDM_LINE_DASH_BASE);
    CheckListItem(popup, IDM_LINE_WIDTH_BASE, IDM_LINE_WIDTH_BASE + kStyleListLast,
                  style < IDM_LINE_DASH_BASE ? style : 0);
    CheckListItem(popup, IDM_LINE_DASH_BASE, IDM_LINE_DASH_BASE + kStyleListLast,
                  style >= IDM_LINE_DASH_BASE ? style : 0);
}

bool IsMainPopup(HMENU popup, int position)
{
    return popup && popup == MainMenuPopups[position];
}

} // namespace

// The colour and alignment of the edited text, or those the selected texts share.
void InitTextChecks(HMENU popup, const MenuContext& c)
{
    Check(popup, IDM_TEXT_SHADOW, c.textShadow);
    CheckListItem(popup, IDM_TEXT_COLOR_BASE, IDM_TEXT_COLOR_BASE + kColourListLast - 1,
                  ColourItem(IDM_TEXT_COLOR_BASE, c.textColour));
    CheckListItem(popup, IDM_TEXT_ALIGN_TOP, IDM_TEXT_ALIGN_MIDDLE + IDM_TEXT_ALIGN_FLUSH_DIGIT,
                  AlignmentItem(c.textVertical, c.textHorizontal));
}

void InitBackgroundChecks(HMENU popup, const MenuContext& c)
{
    CheckListItem(popup, IDM_BACK_COLOR_BASE, IDM_BACK_COLOR_BASE + kColourListLast,
                  ColourItem(IDM_BACK_COLOR_BASE, c.backgroundColour));
}

void ShowLineShapePlace(HMENU popup, int position, bool arrays)
{
    if (!popup || !RightMenu)
        return;
    HMENU shown = GetSubMenu(RightMenu, arrays ? RIGHT_POS_ARRAY_STYLES : RIGHT_POS_LINE_SHAPES);
    if (!shown || GetMenuItemCount(popup) <= position)
        return;
    char text[kStringBufferSize];
    LoadStrOrBlank(arrays ? IDS_MENU_CHANGE_CONNECTOR_SHAPE : IDS_MENU_CHANGE_LINE_SHAPE, text);
    // Removed, not destroyed: the popups belong to the right-button menu.
    RemoveMenu(popup, static_cast<UINT>(position), MF_BYPOSITION);
    InsertMenuA(popup, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(shown), text);
}

void ShowSendOneTitle(HMENU file, HWND document)
{
    char title[kStringBufferSize] = "";
    if (!file || !document || !GetWindowTextA(document, title, sizeof(title)))
        return;
    // Each '&' doubled, or the menu would take the next letter as the item's key.
    char text[2 * kStringBufferSize];
    int length = 0;
    for (const char* c = title; *c; ++c) {
        if (*c == '&')
            text[length++] = '&';
        text[length++] = *c;
    }
    text[length] = '\0';
    const UINT state = GetMenuState(file, IDM_FILE_SEND_ONE, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1))
        return;
    const UINT kept = state & (MF_GRAYED | MF_DISABLED);
    ModifyMenuA(file, IDM_FILE_SEND_ONE, MF_BYCOMMAND | MF_STRING | kept, IDM_FILE_SEND_ONE, text);
}

void GreyDocumentMenus(bool grey)
{
    HMENU bar = MainWindow ? GetMenu(MainWindow) : nullptr;
    if (bar) {
        const int offset = MenuBarOffset(bar);
        for (int position : kDocumentPopups)
            EnableMenuItem(bar, static_cast<UINT>(position + offset), MF_BYPOSITION | (grey ? MF_GRAYED : MF_ENABLED));
    }
    HMENU file = MainMenuPopups[MENU_POS_FILE];
    if (file) {
        EnableMenuItem(file, IDM_FILE_NEW, MF_BYCOMMAND | MF_ENABLED);
        EnableMenuItem(file, IDM_FILE_OPEN, MF_BYCOMMAND | MF_ENABLED);
        for (int id : kFileDocumentItems)
            EnableMenuItem(file, static_cast<UINT>(id), MF_BYCOMMAND | MF_GRAYED);
        BuildRecentFilesMenu(file);
    }
    if (MainWindow)
        DrawMenuBar(MainWindow);
}

void ActivateDocumentView(HWND document, int activating)
{
    if (!document) {
        GreyDocumentMenus(true);
    } else if (activating) {
        HMENU bar = MainWindow ? GetMenu(MainWindow) : nullptr;
        const UINT draw = static_cast<UINT>(MENU_POS_DRAW + (bar ? MenuBarOffset(bar) : 0));
        if (bar && (GetMenuState(bar, draw, MF_BYPOSITION) & MF_GRAYED))
            GreyDocumentMenus(false);
        RefreshFrameCaption();
    }
    ShowRecentFilesInMenu();
}

void EnableMenuPopup(HMENU popup)
{
    if (!popup)
        return;
    const MenuContext context = GatherMenuContext(true);
    if (IsMainPopup(popup, MENU_POS_LINES))
        ShowLineShapePlace(popup, kLinesShapePlace, (context.selectionFlags & kSelArrays) != 0);
    if (IsMainPopup(popup, MENU_POS_EDIT))
        InitEditTexts(popup, context);
    if (IsMainPopup(popup, MENU_POS_VIEW)) {
        HWND document = GetActiveDocWindow(nullptr);
        InitViewMenu(popup, document ? DocumentViewOf(document) : nullptr);
    }
    ApplyMenuRules(popup, context);
    if (IsMainPopup(popup, MENU_POS_DRAW))
        InitDrawChecks(popup, context);
    if (IsMainPopup(popup, MENU_POS_VIEW))
        InitBackgroundChecks(popup, context);
    if (IsMainPopup(popup, MENU_POS_SHAPES))
        InitShapeChecks(popup, context);
    if (IsMainPopup(popup, MENU_POS_LINES))
        InitLineChecks(popup, context);
    if (IsMainPopup(popup, MENU_POS_TEXT))
        InitTextChecks(popup, context);
    if (IsMainPopup(popup, MENU_POS_FILE)) {
        InitFileTextsForActiveDocument(popup);
        if (MapiEnabled)
            ShowSendOneTitle(popup, GetActiveDocWindow(nullptr));
        BuildRecentFilesMenu(popup);
    }
    if (IsMainPopup(popup, MENU_POS_LIBRARIES))
        PrepareLibrariesMenu(popup);
    GreyUnbuiltCommands(popup);
}

void EnableRightMenuPopup(HMENU popup, int kind)
{
    if (!popup)
        return;
    const MenuContext context = GatherMenuContext(true);
    if (kind == RIGHT_POS_LINE)
        ShowLineShapePlace(popup, kRightLineShapePlace, (context.selectionFlags & kSelArrays) != 0);
    InitEditTexts(popup, context);
    ApplyMenuRules(popup, context);
    if (kind == RIGHT_POS_BACKGROUND) {
        InitDrawChecks(popup, context);
        InitBackgroundChecks(popup, context);
    }
    if (kind == RIGHT_POS_SHAPE)
        InitShapeChecks(popup, context);
    if (kind == RIGHT_POS_LINE)
        InitLineChecks(popup, context);
    GreyUnbuiltCommands(popup);
}

bool IsCommandApplicable(int id)
{
    return !IsUnbuiltCommand(id) && IsItemEnabled(id, GatherMenuContext(RuleNeedsAttributes(id)));
}
