// Drawing a whole bitmap at its own size.
#pragma once
#include <windows.h>

// Copies `bitmap` to (x, y) of `dc` with `rasterOp` through a memory DC
// compatible with `dc` and in the same mapping mode.
BOOL BlitBitmap(HDC dc, HBITMAP bitmap, int x, int y, DWORD rasterOp);
