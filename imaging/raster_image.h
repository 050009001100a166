// Images of the image component: a packed DIB (header, full colour table and
// bottom-up bits) in one movable block, with the fields callers read kept
// beside it. Depths are 1, 8 or 24 bits per pixel.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "imaging/image_errors.h"

struct RasterImage {
    HGLOBAL block = nullptr;
    BITMAPINFOHEADER* header = nullptr;  // start of the packed DIB in the block
    RGBQUAD* palette = nullptr;          // colour table, none for 24 bits
    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int bitCount = 0;
    int lineBytes = 0;                   // one row of bits, padded to 32 bits
    int colorCount = 0;                  // 2 or 256; 0 for 24 bits
};

// Largest side and pixel count an image may have: beyond these a header is
// taken for damaged rather than asking for gigabytes.
const int kImageMaxSide = 32767;
const int64_t kImageMaxPixels = int64_t{1} << 26;

// Bytes of one padded row.
int64_t ImageLineBytes(int width, int bitCount);
// Table entries for a depth: 2, 256 or 0.
int ImageColorCount(int bitCount);

// A new image of that size and depth (1, 8 or 24; 4 is taken as 8), bits
// zeroed and the colour table a grey ramp.
ErrorCode allocDIB(RasterImage* image, int width, int height, int bitCount);
ErrorCode allocimage(RasterImage* image, int width, int height, int bitCount);
void freeimage(RasterImage* image);

// A new image of a packed DIB of `size` bytes: 4 bits widen to 8, 16 and 32 to
// 24; bit-field and compressed DIBs are refused.
ErrorCode dibtoimage(const uint8_t* dib, SIZE_T size, RasterImage* image);

// Rows counted from the top.
uint8_t* ImageRow(const RasterImage* image, int y);
// The colour of a pixel as 0x00RRGGBB.
uint32_t ImagePixel(const RasterImage* image, int x, int y);
