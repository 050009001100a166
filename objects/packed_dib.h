// Packed device-independent bitmaps: a BITMAPINFOHEADER, its colour table and
// the pixel bits in one block. Every DIB that reaches a drawing call is
// measured here first, so no call reads past the block it came in.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"

// Where the parts of a checked DIB lie, in bytes from its start.
struct DibLayout {
    DWORD headerBytes;   // biSize
    DWORD tableBytes;    // colour table (and bit-field masks)
    DWORD bitsBytes;     // pixel bits as GDI reads them
    int width;
    int height;          // absolute scan-line count
    int bitCount;
    int tableEntries;
};

// The colour-table entry count that GDI reads for a header: biClrUsed when it
// is set, else 2, 16 or 256 for 1, 4 or 8 bits per pixel, else none.
int DibColorEntries(const BITMAPINFOHEADER* header);

// Measures a packed DIB of `size` bytes (`colorUse` DIB_RGB_COLORS or
// DIB_PAL_COLORS). `scanLines`, when not 0, is the number of scan lines the
// bits hold (SetDIBitsToDevice); otherwise the whole height. Returns false for
// a header that is too short, a size that does not add up or bits that lie
// beyond the block.
bool CheckPackedDib(const uint8_t* dib, DWORD size, UINT colorUse, DWORD scanLines, DibLayout* layout);

// Copies the whole DIB into `rect` (StretchDIBits, SRCCOPY). 1 for a block
// that is no usable DIB; nothing is drawn then.
ErrorCode DrawDib(HDC dc, const RECT* rect, HGLOBAL dib);
