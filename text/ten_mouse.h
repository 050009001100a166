// The text editor's mouse: press, double-click, drag selection and release.
#pragma once
#include <windows.h>

#include "text/ten_state.h"

// Set while an editor tracks the left button; one for all editors.
extern int TenMouseCapture;

int TenMouseDown(HWND window, int keys, POINT point, int doubleClick);
LRESULT TenMouseMove(HWND window, int keys, POINT point);
void TenMouseUp(HWND window, int keys);
// The text position at logical (x, y); its line, format and x go out.
int HitTestTenText(TenState* state, int x, int y, int* line, int* format, int* hitX);
// The character before `position` and where it starts; 0 at the text start.
int PrevTenChar(const char* text, const TextFormat* formats, int formatIndex, int position, int* previous);
