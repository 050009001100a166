// The mouse in the running program's drawing view and on its tool palette,
// driven from outside: posted button and move messages, with the cursor put
// where they happen (several handlers read the cursor position).
#pragma once
#include <windows.h>

#include "support/program_driver.h"

class ViewMouse {
public:
    ViewMouse(ProgramDriver& program, HWND view) : program_(program), view_(view) {}

    void Send(UINT message, POINT point, WPARAM keys);
    void Click(POINT point);
    void DoubleClick(POINT point);
    // Press, a wait past the pause before a move, four moves and the release.
    void Drag(POINT from, POINT to, WPARAM keys = 0);

private:
    ProgramDriver& program_;
    HWND view_;
};

// Clicks a tool button of the palette; false when the button is missing.
bool ClickPaletteTool(ProgramDriver& program, HWND palette, int id);
