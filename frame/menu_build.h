// The attribute popups of the menu bar become bitmap, shape and swatch items.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// 0, or 10004 when a bitmap does not load.
ErrorCode BuildMenuItems();
// Owner-drawn bitmap items from the bitmap of each item's command id, a new
// column every `perColumn` items (the array styles and line shapes).
ErrorCode MakeBitmapColumns(HMENU popup, int perColumn);
// The item data of a bitmap item of the given size code (0x1A1A, 0x1819 ...).
ULONG_PTR BitmapItemData(int bitmapIndex, int sizeCode);
// The Shapes menu's Shape popup, whose entry i draws shape type i + 2.
HMENU ShapeTypePopup();
// The Shapes menu's Fill Color popup (48 colours and none) and its Border
// Color popup (48 colours), which the colour pickers of the dialogs drop.
HMENU FillColorPopup();
HMENU BorderColorPopup();
