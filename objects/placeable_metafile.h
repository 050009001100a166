// Placeable metafile files (the 22-byte header with key 0x9AC6CDD7 in front of
// the metafile bits) read by the program, and File > Import of one.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

const DWORD kPlaceableKey = 0x9AC6CDD7;
const LONG kPlaceableHeaderBytes = 22;

// Reads the open file from its start: the metafile bits into a new block (the
// caller frees it) and their byte size, the header's box, and the picture's
// size in drawing units (0, 0, width, height; 100 for a side of 0 or less;
// scaled down, proportions kept, when a side would pass 32767 units).
// 1 for a file without the header, with 0 units per inch or with bits that are
// no sound metafile, 10004 without memory, 10003 when a read fails.
ErrorCode ReadPlaceableMetafile(HFILE file, RECT* size, HGLOBAL* block, RECT* headerBounds, DWORD* bytes);

// File > Import of a placeable metafile: read, scanned (10013 refuses it) and
// placed at `point` (or the paste position) as a picture object.
ErrorCode ImportWmfFile(HWND view, DrawingRecord* drawing, HFILE file, const POINT* point);
