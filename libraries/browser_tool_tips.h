// What the library browser's preview tells the tool tips: an item is a cell
// of the thumbnail shown, named after its symbol.
#pragma once
#include <windows.h>

bool IsBrowserPreview(HWND window);
bool ThumbnailCellName(int item, char* text, int size);
bool ThumbnailCellRect(int item, RECT* rect);
