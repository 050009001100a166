// Selecting by message: a range, the next or previous word, whole
// paragraphs, and the caret brought to the visible area.
#pragma once
#include <windows.h>

#include "text/ten_state.h"

// wParam 2 repaints; 0x4000 puts the caret four lines from the end.
int SetTenSelection(HWND window, TenState* state, WPARAM flags, int start, int end);
// direction 1 next, -1 previous.
int SelectTenWord(HWND window, TenState* state, int direction);
// The new selection packed end << 16 | start.
LRESULT SelectTenParagraphs(HWND window, TenState* state, int flags);
int CaretToVisibleLine(HWND window, TenState* state);
