#include "frame/menu_hints.h"

#include "common/help_context.h"
#include "common/info_dialog.h"
#include "common/app_globals.h"
#include "frame/option_flags.h"
#include "resources/menu_ids.h"

HMENU PendingMenuHint = nullptr;

namespace {

struct MenuHint {
    int popup;          // position in the menu bar
    bool byCommand;     // the tested item is a command id, else a position
    UINT tested;
    const char* notice;
    int topic;
    bool shown;
};

MenuHint Hints[] = {
    {MENU_POS_SHAPES, false, 4, "HINT_SHAPESEL", 106, false},
    {MENU_POS_LINES, false, 1, "HINT_LINESEL", 106, false},
    {MENU_POS_TEXT, false, 2, "HINT_TEXTSEL", 112, false},
    {MENU_POS_DRAW, true, IDM_DRAW_BRING_TO_FRONT, "HINT_DRAWSEL", 117, false},
};

MenuHint* FindHint(HMENU popup)
{
    if (!popup)
        return nullptr;
    for (MenuHint& hint : Hints)
        if (MainMenuPopups[hint.popup] == popup)
            return &hint;
    return nullptr;
}

bool CommandWaiting()
{
    MSG message;
    return PeekMessageA(&message, MainWindow, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) != 0;
}

void NotePopup(HMENU bar, int index)
{
    HMENU popup = GetSubMenu(bar, index);
    MenuHint* hint = FindHint(popup);
    PendingMenuHint = hint && !hint->shown ? popup : nullptr;
}

} // namespace

void OnMenuSelect(HWND window, WPARAM wParam, LPARAM lParam)
{
    const UINT item = LOWORD(wParam);
    const UINT flags = HIWORD(wParam);
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    const bool closed = flags == 0xFFFF;
    if (!closed)
        SetHelpContext(static_cast<int>(item));
    if (!(GetOptionFlags() & kFlagShowHints))
        return;
    if (closed && !menu) {
        if (PendingMenuHint)
            PostMessageA(window, WM_COMMAND, IDM_HINT_MENU_SELECTION, 0);
        return;
    }
    if ((flags & MF_POPUP) && menu == GetMenu(window))
        NotePopup(menu, static_cast<int>(item));
}

int ShowPendingMenuHint()
{
    MenuHint* hint = FindHint(PendingMenuHint);
    if (!hint)
        return 0;
    HMENU popup = MainMenuPopups[hint->popup];
    const UINT state = GetMenuState(popup, hint->tested, hint->byCommand ? MF_BYCOMMAND : MF_BYPOSITION);
    const bool greyed = state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED));
    if (!greyed || (hint->byCommand && CommandWaiting()))
        return 0;
    PendingMenuHint = nullptr;
    hint->shown = true;
    return ShowInfoDialog(hint->notice, hint->topic);
}
