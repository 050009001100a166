#include "imaging/raster_image.h"

#include <climits>
#include <cstring>

#include "common/io_seam.h"

namespace {

const int kHeaderBytes = sizeof(BITMAPINFOHEADER);
const int kGreyLevels = 256;

bool SizeFits(int width, int height)
{
    return width > 0 && height > 0 && width <= kImageMaxSide && height <= kImageMaxSide &&
           int64_t{width} * height <= kImageMaxPixels;
}

void FillGreyRamp(RGBQUAD* table, int count)
{
    for (int i = 0; i < count; ++i) {
        const BYTE level = static_cast<BYTE>(count > 1 ? i * (kGreyLevels - 1) / (count - 1) : 0);
        table[i] = {level, level, level, 0};
    }
}

} // namespace

int64_t ImageLineBytes(int width, int bitCount)
{
    return (int64_t{width} * bitCount + 31) / 32 * 4;
}

int ImageColorCount(int bitCount)
{
    switch (bitCount) {
    case 1:
        return 2;
    case 8:
        return 256;
    default:
        return 0;
    }
}

ErrorCode allocDIB(RasterImage* image, int width, int height, int bitCount)
{
    *image = RasterImage{};
    if (bitCount == 4)
        bitCount = 8;
    if (!SizeFits(width, height) || (bitCount != 1 && bitCount != 8 && bitCount != 24))
        return kImageBadRange;
    const int colors = ImageColorCount(bitCount);
    const int64_t lineBytes = ImageLineBytes(width, bitCount);
    const int64_t total = kHeaderBytes + int64_t{colors} * sizeof(RGBQUAD) + lineBytes * height;
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(total));
    if (!block)
        return kImageNoMemory;
    auto* start = static_cast<uint8_t*>(GlobalLock(block));
    if (!start) {
        GlobalFree(block);
        return kImageNoMemory;
    }
    image->block = block;
    image->header = reinterpret_cast<BITMAPINFOHEADER*>(start);
    image->palette = colors ? reinterpret_cast<RGBQUAD*>(start + kHeaderBytes) : nullptr;
    image->bits = start + kHeaderBytes + colors * sizeof(RGBQUAD);
    image->width = width;
    image->height = height;
    image->bitCount = bitCount;
    image->lineBytes = static_cast<int>(lineBytes);
    image->colorCount = colors;
    BITMAPINFOHEADER& header = *image->header;
    header.biSize = kHeaderBytes;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(lineBytes * height);
    if (colors)
        FillGreyRamp(image->palette, colors);
    return kImageOk;
}

// This component keeps every image in the packed DIB layout, so the two
// allocations are one.
ErrorCode allocimage(RasterImage* image, int width, int height, int bitCount)
{
    return allocDIB(image, width, height, bitCount);
}

void freeimage(RasterImage* image)
{
    if (image->block) {
        GlobalUnlock(image->block);
        GlobalFree(image->block);
    }
    *image = RasterImage{};
}

uint8_t* ImageRow(const RasterImage* image, int y)
{
    return image->bits + static_cast<int64_t>(image->height - 1 - y) * image->lineBytes;
}

uint32_t ImagePixel(const RasterImage* image, int x, int y)
{
    const uint8_t* row = ImageRow(image, y);
    if (image->bitCount == 24) {
        const uint8_t* p = row + x * 3;
        return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    }
    const int index = image->bitCount == 8 ? row[x] : (row[x / 8] >> (7 - x % 8)) & 1;
    const RGBQUAD& entry = image->palette[index];
    return (uint32_t{entry.rgbRed} << 16) | (uint32_t{entry.rgbGreen} << 8) | entry.rgbBlue;
}

namespace {

// One pixel of a checked DIB row as 0x00RRGGBB.
uint32_t DibPixel(const uint8_t* row, int x, int bitCount, const RGBQUAD* table, int entries)
{
    int index = 0;
    switch (bitCount) {
    case 1:
        index = (row[x / 8] >> (7 - x % 8)) & 1;
        break;
    case 4:
        index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
        break;
    case 8:
        index = row[x];
        break;
    case 16: {
        const uint16_t v = static_cast<uint16_t>(row[x * 2] | (row[x * 2 + 1] << 8));
        const uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        return ((r * 255 / 31) << 16) | ((g * 255 / 31) << 8) | (b * 255 / 31);
    }
    default: {
        const uint8_t* p = row + x * (bitCount / 8);
        return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    }
    }
    if (index >= entries)
        return 0;
    return (uint32_t{table[index].rgbRed} << 16) | (uint32_t{table[index].rgbGreen} << 8) | table[index].rgbBlue;
}

void PutPixel(RasterImage* image, int x, int y, uint32_t rgb)
{
    uint8_t* p = ImageRow(image, y) + x * 3;
    p[0] = static_cast<uint8_t>(rgb);
    p[1] = static_cast<uint8_t>(rgb >> 8);
    p[2] = static_cast<uint8_t>(rgb >> 16);
}

struct DibParts {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    int tableEntries = 0;
    const RGBQUAD* table = nullptr;
    const uint8_t* bits = nullptr;
    bool topDown = false;
};

// Measures a packed DIB against its block before any of it is read.
bool MeasureDib(const uint8_t* dib, SIZE_T size, DibParts* parts)
{
    if (!dib || size < static_cast<SIZE_T>(kHeaderBytes))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib, sizeof(header));
    if (header.biSize < static_cast<DWORD>(kHeaderBytes) || header.biSize > size || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biHeight == LONG_MIN || header.biPlanes != 1 ||
        header.biCompression != BI_RGB)
        return false;
    parts->width = header.biWidth;
    parts->height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    parts->topDown = header.biHeight < 0;
    parts->bitCount = header.biBitCount;
    if (!SizeFits(parts->width, parts->height))
        return false;
    const int defaultEntries = parts->bitCount <= 8 ? 1 << parts->bitCount : 0;
    parts->tableEntries = header.biClrUsed ? static_cast<int>(header.biClrUsed) : defaultEntries;
    if (header.biClrUsed > static_cast<DWORD>(kGreyLevels))
        return false;
    const int64_t tableBytes = int64_t{parts->tableEntries} * sizeof(RGBQUAD);
    const int64_t bitsBytes = ImageLineBytes(parts->width, parts->bitCount) * parts->height;
    if (static_cast<int64_t>(header.biSize) + tableBytes + bitsBytes > static_cast<int64_t>(size))
        return false;
    parts->table = reinterpret_cast<const RGBQUAD*>(dib + header.biSize);
    parts->bits = dib + header.biSize + tableBytes;
    return true;
}

} // namespace

ErrorCode dibtoimage(const uint8_t* dib, SIZE_T size, RasterImage* image)
{
    *image = RasterImage{};
    DibParts dibParts;
    if (!MeasureDib(dib, size, &dibParts))
        return kImageNotFormat;
    const int bitCount = dibParts.bitCount;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return kImageUnsupported;
    const int target = bitCount <= 8 ? (bitCount == 1 ? 1 : 8) : 24;
    ErrorCode code = allocDIB(image, dibParts.width, dibParts.height, target);
    if (code != kImageOk)
        return code;
    if (target != 24) {
        const int entries = dibParts.tableEntries < image->colorCount ? dibParts.tableEntries : image->colorCount;
        for (int i = 0; i < image->colorCount; ++i)
            image->palette[i] = i < entries ? dibParts.table[i] : RGBQUAD{};
    }
    const int64_t sourceLine = ImageLineBytes(dibParts.width, bitCount);
    for (int y = 0; y < dibParts.height; ++y) {
        const uint8_t* row = dibParts.bits + sourceLine * (dibParts.topDown ? y : dibParts.height - 1 - y);
        uint8_t* out = ImageRow(image, y);
        if (bitCount == 1 || bitCount == 8 || bitCount == 24) {
            std::memcpy(out, row, static_cast<size_t>(sourceLine));
        } else if (bitCount == 4) {
            for (int x = 0; x < dibParts.width; ++x)
                out[x] = static_cast<uint8_t>((row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F);
        } else {
            for (int x = 0; x < dibParts.width; ++x)
                PutPixel(image, x, y, DibPixel(row, x, bitCount, dibParts.table, dibParts.tableEntries));
        }
    }
    return kImageOk;
}
