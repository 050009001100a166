// The editor window's focus and WM_PAINT handlers.
#pragma once
#include <windows.h>

#include "text/ten_state.h"

// gained: nonzero when the editor gets the focus (or is activated).
void SetTenFocusState(HWND window, TenState* state, int gained);
void PaintTenWindow(HWND window, TenState* state, HDC dc, const RECT& paintRect);
