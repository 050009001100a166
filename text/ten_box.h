// The editor's box: following its window size and zoom, the part of the box
// its parent shows, and hiding and showing the editor.
#pragma once
#include <windows.h>

#include "text/ten_state.h"

// WM_SIZE with SIZE_RESTORED: width and height in pixels.
int SizeTenWindow(HWND window, TenState* state, int width, int height);
void SetTenZoom(HWND window, TenState* state, int zoom, int force);
// Moves the origin by (dx, dy) and asks the parent what it shows.
int UpdateTenVisibleArea(HWND window, TenState* state, int dx, int dy);
// x or y nonzero hides a visible editor (1), both 0 shows a hidden one.
int ShowTenWindow(HWND window, int x, int y);
