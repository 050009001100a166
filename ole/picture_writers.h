// The picture files the program writes itself: the placeable Windows
// metafile and the BMP file.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"

const uint16_t kPlaceableUnitsPerInch = 600;

// Whether a placeable metafile can hold a drawing of these extents: its box
// and every coordinate of its records are 16-bit.
bool FitsPlaceableBox(const RECT& extents);

// The 22-byte placeable header of a picture of `width` x `height` units.
void MakePlaceableHeader(int width, int height, uint8_t header[22]);

// GetDIBits as the BMP writer reads its bands; tests put a failing one here.
using BandReader = int(WINAPI*)(HDC dc, HBITMAP bitmap, UINT first, UINT lines, LPVOID bits, LPBITMAPINFO info,
                                UINT usage);
extern BandReader ReadBitmapBand;

// A BMP file of the bitmap, read through `dc` with `palette` (or none)
// realized, into the open file from its start. 10003 when a write fails or a
// band of rows cannot be read, 10004 without memory.
ErrorCode WriteBmpFile(HDC dc, HFILE file, HBITMAP bitmap, HPALETTE palette);

// The metafile's bits behind a placeable header into the open file. 10003
// when a write fails, 10004 without memory.
ErrorCode WritePlaceableBits(HFILE file, HMETAFILE metafile, int width, int height);
