// The bitmaps of owner-drawn menu items and of the pattern brushes, loaded
// once and kept for the run. Entry 0 (the first pattern) is never looked up.
#pragma once
#include <windows.h>

struct MenuBitmapTable {
    HGLOBAL block;   // HBITMAP entries, none until the first bitmap
    int capacity;
    int count;
};

extern MenuBitmapTable MenuBitmaps;

// The loaded bitmap with its index, or null (index -1) when the table cannot
// grow or the bitmap does not load.
HBITMAP AddMenuBitmap(HINSTANCE instance, int bitmapId, int* index);
// Null unless 1 <= index < count.
HBITMAP GetMenuBitmap(int index);
void FreeMenuBitmaps();
