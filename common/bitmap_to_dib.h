// Converting device bitmaps into packed DIBs for the clipboard and pictures.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// The colour depth a packed DIB keeps of a bitmap with `planes` x `bitsPerPixel`:
// 1, 4 and 8 keep 2, 16 and 256 colours; every other depth becomes 24 bits.
int PackedDibDepth(int planes, int bitsPerPixel);
// Bytes of one row: rows are padded to whole 32-bit words.
DWORD PackedDibRowBytes(LONG width, int depth);

// A packed DIB (header, colour table, rows) in a new movable block of a device
// bitmap, read through `dc` with `palette` (or none) selected. 0; 1 when the
// bits cannot be read; 10004 out of memory. The block is handed out in every
// case where it was made, so the caller frees `dib` whenever it is set.
ErrorCode BitmapToPackedDib(HDC dc, HBITMAP bitmap, HPALETTE palette, HGLOBAL* dib);
