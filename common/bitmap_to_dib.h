// Converting device bitmaps into packed DIBs for the clipboard and pictures.
#pragma once
#include <windows.h>

// A packed DIB in a new movable block (the caller frees it) of a device
// bitmap, read through `dc` with `palette` (or none) selected; 1, 4 and 8
// bits per pixel keep 2, 16 and 256 colours, other depths become 24 bits.
// `dib` is none on failure.
void BitmapToPackedDib(HDC dc, HBITMAP bitmap, HPALETTE palette, HGLOBAL* dib);
