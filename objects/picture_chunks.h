// Pictures stored as runs of chunk records (groups 112 DIB and 113 metafile in
// a drawing's store, 201 in symbol libraries). Every chunk record is written
// and read byte by byte in little-endian order:
//   0  record header (16 bytes, the store's)
//   16 u16 data bytes n in this chunk (the colour list counted in the first)
//   18 u16 first-chunk flag (1 in the first, 0 in the others)
//   20 4 x i16 source bounds left, top, right, bottom
//   28 i16 connect-point count of a library symbol (0 when saved)
//   30 16 x (i16 x, i16 y) connect points (written by the library code)
//   94 u16 scan flags
//   96 i16 colour count c (first chunk; 0 in the others)
//   98 12 zero bytes
//   110 n data bytes: first chunk c COLORREFs then picture bytes
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"

enum PictureChunkField : int {
    kChunkDataBytes = 16,
    kChunkFirstFlag = 18,
    kChunkBounds = 20,
    kChunkConnectCount = 28,
    kChunkConnectPoints = 30,
    kChunkScanFlags = 94,
    kChunkColorCount = 96,
    kChunkReserved = 98,
    kChunkData = 110,
};

const DWORD kChunkWriteLimit = 60000;   // data bytes per chunk as written
const DWORD kChunkReadLimit = 65000;    // data bytes per chunk a reader accepts
const int kMaxPictureColors = 256;
const int kMaxConnectPoints = 16;

// A picture that cannot be used: no memory to join it, or chunks, headers or
// records that do not add up.
constexpr ErrorCode kErrBadPicture{1};

// PictureScanFlags.
enum PictureScanFlags : int32_t {
    kScanUnusable = 1,           // the whole word is exactly 1
    kScanNegativeExtentX = 8,
    kScanNegativeExtentY = 16,
    kScanStretchedBitmap = 32,
};

// Joins the chunks first .. first + count - 1 of `group` into one new block
// (the caller frees it). Bounds, colour count, colours (room for 256, or
// none) and scan flags come from the first chunk. A chunk whose sizes or
// colour count do not fit its record refuses the picture with 1; a store
// error stops with that code. On any error no block is returned.
ErrorCode LoadPicture(int store, int group, int firstId, int count, HGLOBAL* block, RECT* bounds, int* colorCount,
                      COLORREF* colors, int* scanFlags, DWORD* bytes);
