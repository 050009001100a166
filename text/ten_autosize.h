// Growing and shrinking an editor's box to its text.
#pragma once
#include <windows.h>

#include "text/ten_state.h"

// 0 when the size stays; else dx (high word) and dy (low word).
LONG AutoSizeTenWindow(HWND window, TenState* state);
// Asks the parent (TENN_RESIZE) and resizes; the new height, 0 when refused.
int ResizeTenWindow(HWND window, TenState* state, int width, int height);
// The height the text needs with the top and bottom margins.
int NeededTextHeight(const TenState* state);
