#include "frame/right_menu.h"

#include "common/app_globals.h"
#include "frame/menu_build.h"
#include "frame/menu_enabling.h"
#include "common/right_click_point.h"
#include "resources/menu_ids.h"
#include "view/tracking_state.h"
#include "objects/view_record_word.h"

namespace {

const int kLinesShapePlace = 3;
const int kLineShapesPerColumn = 4;

// A place of a right-button popup that shows a popup of the menu bar.
struct SharedPlace {
    int rightPopup;
    int rightPosition;
    int barPopup;
    int barPosition;
};

const SharedPlace kSharedPlaces[] = {
    {RIGHT_POS_SHAPE, 4, MENU_POS_SHAPES, 0},      {RIGHT_POS_SHAPE, 5, MENU_POS_SHAPES, 1},
    {RIGHT_POS_SHAPE, 6, MENU_POS_SHAPES, 3},      {RIGHT_POS_SHAPE, 7, MENU_POS_SHAPES, 4},
    {RIGHT_POS_SHAPE, 8, MENU_POS_SHAPES, 6},      {RIGHT_POS_LINE, 4, MENU_POS_LINES, 0},
    {RIGHT_POS_LINE, 5, MENU_POS_LINES, 1},        {RIGHT_POS_BACKGROUND, 5, MENU_POS_VIEW, 9},
    {RIGHT_POS_BACKGROUND, 7, MENU_POS_DRAW, 0},   {RIGHT_POS_BACKGROUND, 8, MENU_POS_DRAW, 1},
    {RIGHT_POS_TEXT, 6, MENU_POS_TEXT, 2},         {RIGHT_POS_TEXT, 7, MENU_POS_TEXT, 3},
};

// The Line popup's place 6 shows a line-shape or array-style popup while the
// menu is open; both belong to RightMenu itself.
const int kLineShapeOrArrayPlace = 6;

void ReplaceWithPopup(HMENU menu, int position, HMENU popup)
{
    char text[128] = "";
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
    ModifyMenuA(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), text);
}

// The Lines menu's Change Line Shape popup moves into RightMenu; the menu bar
// keeps a plain item of the same text in its place.
void MoveLineShapePopup()
{
    HMENU lines = MainMenuPopups[MENU_POS_LINES];
    HMENU shapes = GetSubMenu(lines, kLinesShapePlace);
    if (!shapes)
        return;
    char text[128] = "";
    GetMenuStringA(lines, kLinesShapePlace, text, sizeof(text), MF_BYPOSITION);
    RemoveMenu(lines, kLinesShapePlace, MF_BYPOSITION);
    InsertMenuA(lines, kLinesShapePlace, MF_BYPOSITION | MF_STRING, IDM_LINE_SHAPE_PLACE, text);
    char placeText[128] = "";
    GetMenuStringA(RightMenu, RIGHT_POS_LINE_SHAPES, placeText, sizeof(placeText), MF_BYPOSITION);
    ModifyMenuA(RightMenu, RIGHT_POS_LINE_SHAPES, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(shapes),
                placeText);
}

} // namespace

ErrorCode BuildRightMenu()
{
    RightMenu = LoadMenuA(AppInstance, MENU_RIGHT);
    if (!RightMenu)
        return kErrNotDone;
    MoveLineShapePopup();
    ErrorCode code = MakeBitmapColumns(GetSubMenu(RightMenu, RIGHT_POS_ARRAY_STYLES), kLineShapesPerColumn);
    if (code != kErrNone)
        return code;
    for (const SharedPlace& place : kSharedPlaces) {
        HMENU shared = GetSubMenu(MainMenuPopups[place.barPopup], place.barPosition);
        if (shared)
            ReplaceWithPopup(GetSubMenu(RightMenu, place.rightPopup), place.rightPosition, shared);
    }
    return kErrNone;
}

void DestroyRightMenu()
{
    if (!RightMenu)
        return;
    for (const SharedPlace& place : kSharedPlaces) {
        HMENU popup = GetSubMenu(RightMenu, place.rightPopup);
        if (GetSubMenu(popup, place.rightPosition))
            RemoveMenu(popup, static_cast<UINT>(place.rightPosition), MF_BYPOSITION);
    }
    HMENU line = GetSubMenu(RightMenu, RIGHT_POS_LINE);
    HMENU shown = GetSubMenu(line, kLineShapeOrArrayPlace);
    if (shown && (shown == GetSubMenu(RightMenu, RIGHT_POS_ARRAY_STYLES) ||
                  shown == GetSubMenu(RightMenu, RIGHT_POS_LINE_SHAPES)))
        RemoveMenu(line, kLineShapeOrArrayPlace, MF_BYPOSITION);
    DestroyMenu(RightMenu);
    RightMenu = nullptr;
}

void TrackRightMenu(HWND view, POINT point)
{
    if (!RightMenu || !GetViewRecordHandle(view) || RightMenuKind < 0)
        return;
    ClientToScreen(view, &point);
    RightClickPoint = point;
    HMENU popup = GetSubMenu(RightMenu, RightMenuKind);
    if (!popup)
        return;
    EnableRightMenuPopup(popup, RightMenuKind);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, point.x, point.y, 0, MainWindow, nullptr);
    MSG release;
    PeekMessageA(&release, view, WM_RBUTTONUP, WM_RBUTTONUP, PM_REMOVE | PM_NOYIELD);
}
