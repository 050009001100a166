#include "support/view_mouse.h"

void ViewMouse::Send(UINT message, POINT point, WPARAM keys)
{
    POINT screen = point;
    ClientToScreen(view_, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(view_, message, keys, MAKELPARAM(point.x, point.y));
    program_.Settle();
}

void ViewMouse::Click(POINT point)
{
    Send(WM_LBUTTONDOWN, point, MK_LBUTTON);
    Send(WM_LBUTTONUP, point, 0);
}

void ViewMouse::DoubleClick(POINT point)
{
    Click(point);
    Send(WM_LBUTTONDBLCLK, point, MK_LBUTTON);
    Send(WM_LBUTTONUP, point, 0);
}

void ViewMouse::Drag(POINT from, POINT to, WPARAM keys)
{
    Send(WM_LBUTTONDOWN, from, keys | MK_LBUTTON);
    Sleep(250);   // past the wait before a move
    for (int i = 1; i <= 4; ++i)
        Send(WM_MOUSEMOVE, POINT{from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4},
             keys | MK_LBUTTON);
    // SetCursorPos also sends real moves, which may arrive after the posted
    // ones on a busy machine: let them in, then end at the target.
    Sleep(150);
    program_.Settle();
    Send(WM_MOUSEMOVE, to, keys | MK_LBUTTON);
    Send(WM_LBUTTONUP, to, keys);
}

bool ClickPaletteTool(ProgramDriver& program, HWND palette, int id)
{
    HWND button = GetDlgItem(palette, id);
    if (!button)
        return false;
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    program.Settle();
    return true;
}
