#include "common/window_helpers.h"

#include "common/display_flags.h"
#include "common/app_globals.h"

void CenterWindowOver(HWND window, HWND other)
{
    RECT own;
    RECT over;
    if (!GetWindowRect(window, &own) || !GetWindowRect(other, &over))
        return;
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int x = over.left + (over.right - over.left) / 2 - width / 2;
    int y = over.top + (over.bottom - over.top) / 2 - height / 2;
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    MoveWindow(window, x, y, width, height, FALSE);
}

void SetDialogItemsFont(HWND dialog, int firstId, int lastId)
{
    if (!DefaultUiFont)
        return;
    for (int id = firstId; id <= lastId; ++id) {
        HWND item = GetDlgItem(dialog, id);
        if (item)
            SendMessageA(item, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultUiFont), FALSE);
    }
}

HWND GetActiveDocWindow(BOOL* maximized)
{
    BOOL isMaximized = FALSE;
    HWND active = nullptr;
    if (MdiClientWindow)
        active = reinterpret_cast<HWND>(
            SendMessageA(MdiClientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&isMaximized)));
    if (!active)
        isMaximized = FALSE;
    if (maximized)
        *maximized = isMaximized;
    return active;
}

RECT DialogChildRect(HWND dialog, HWND child)
{
    RECT rect = {0, 0, 0, 0};
    if (!child)
        return rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
