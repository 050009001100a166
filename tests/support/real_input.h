// Real mouse and keyboard input for program tests, through the X server
// (XTEST): the pointer really moves, capture, double-click timing, focus and
// the accelerators apply as they do for a person.
#pragma once
#include <windows.h>

#include <string>

POINT ClientToScreenPoint(HWND window, POINT client);

void RealMouseMove(POINT screen);
void RealClick(POINT screen);
void RealDoubleClick(POINT screen);
void RealRightClick(POINT screen);
// Press, a pause past the program's wait before a drag starts, moves in steps
// with a pause after each, release.
void RealDrag(POINT from, POINT to, int steps = 8, DWORD stepPauseMs = 40);
// Presses or lets go of the left button where the pointer is, returning as
// soon as the event is sent (no pause for the program), for timing.
void RealButton(bool down);
// Positive notches turn the wheel away from the user (scroll up).
void RealWheel(POINT screen, int notches);
void RealKey(WORD virtualKey, bool shift = false, bool ctrl = false);
// Printable ASCII without double quotes, typed key by key.
void RealType(const std::string& text);
