// The mouse in a drawing view and its rulers: what a press starts, and the
// tracking that follows it.
#pragma once
#include <windows.h>

void ViewButtonDown(HWND view, WPARAM keyFlags, POINT point, BOOL rightButton);
void ViewMouseMove(HWND view, WPARAM keyFlags, POINT point);
void ViewButtonUp(HWND view, WPARAM keyFlags, POINT point);
void ViewDoubleClick(HWND view, WPARAM keyFlags, POINT point);
// toolCode 14, 15 or 16: the measuring lines pulled out of a ruler or the corner.
void RulerButtonDown(HWND ruler, WPARAM keyFlags, POINT point, int toolCode);
