// Scroll ranges with a page size on Windows 4 and later (SCROLLINFO), plain
// ranges before.
#pragma once
#include <windows.h>

// The scroll codes beyond the standard ones: scroll by the signed 16-bit
// amount in the position (98 from the text editor, 99 restoring or tracking).
const int kScrollByEditor = 98;
const int kScrollByAmount = 99;

// Sets the range min..max with the page; the stored maximum is max + page, but
// a max of 0 stays 0.
void SetScrollRangeCompat(HWND window, int bar, int min, int max, int page, BOOL redraw);

// Reads the range back as set: max is the stored maximum less the page, never
// below 0; both 0 when the bar cannot be read.
void GetScrollRangeCompat(HWND window, int bar, int* min, int* max);
