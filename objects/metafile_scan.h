// The scan every metafile goes through when it enters the program (file
// import, clipboard, library editor): it collects the picture's pen, brush
// and palette colours, notes a mirrored window extent and stretched bitmaps,
// and refuses records that the playback cannot place.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Scans a metafile. colours has room for 256; the colour count and flags
// start at 0. The first window extent sets extent->right and bottom to its
// absolute size. The flag word is exactly 1, and the result 10013, for a
// metafile with region or unstretched bitmap records or with records that do
// not fit the metafile; otherwise the result is 0.
ErrorCode ScanMetafile(HMETAFILE metafile, RECT* extent, int* colorCount, COLORREF* colors, int* scanFlags);

// The scan's enumeration procedure; nonzero to go on.
extern "C" __declspec(dllexport) int CALLBACK MetaExtEnumProc(HDC dc, HANDLETABLE* table, METARECORD* record,
                                                              int handles, LPARAM data);

// Appends a colour's low 24 bits to the scan's list unless it is there or the
// list is full.
void AddScanColor(COLORREF color);
