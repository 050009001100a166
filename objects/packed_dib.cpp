#include "objects/packed_dib.h"

#include "objects/picture_chunks.h"

namespace {

// Pictures larger than this on either side are not something this program
// makes or imports; refusing them keeps the size arithmetic in 64 bits small.
const LONG kMaxDibSide = 65535;

} // namespace

int DibColorEntries(const BITMAPINFOHEADER* header)
{
    if (header->biClrUsed != 0)
        return header->biClrUsed > 0xFFFF ? 0x10000 : static_cast<int>(header->biClrUsed);
    switch (header->biBitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

bool CheckPackedDib(const uint8_t* dib, DWORD size, UINT colorUse, DWORD scanLines, DibLayout* layout)
{
    if (!dib || size < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER header;
    CopyMemory(&header, dib, sizeof(header));
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size)
        return false;
    if (header.biWidth <= 0 || header.biWidth > kMaxDibSide || header.biHeight == 0 ||
        header.biHeight > kMaxDibSide || header.biHeight < -kMaxDibSide || header.biPlanes != 1)
        return false;
    switch (header.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    if (header.biBitCount <= 8 && header.biClrUsed > (1u << header.biBitCount))
        return false;
    if (header.biBitCount > 8 && header.biClrUsed > 256)
        return false;
    uint64_t entries = static_cast<uint64_t>(DibColorEntries(&header));
    uint64_t table = entries * (colorUse == DIB_PAL_COLORS ? 2u : 4u);
    uint64_t lines = header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
    if (scanLines != 0) {
        if (scanLines > lines)
            return false;
        lines = scanLines;
    }
    uint64_t stride = ((static_cast<uint64_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    uint64_t bits = stride * lines;
    switch (header.biCompression) {
    case BI_RGB:
        break;
    case BI_BITFIELDS:
        if (header.biBitCount != 16 && header.biBitCount != 32)
            return false;
        // The three masks follow a plain 40-byte header.
        if (header.biSize == sizeof(BITMAPINFOHEADER))
            table += 12;
        break;
    case BI_RLE8:
    case BI_RLE4:
        if ((header.biCompression == BI_RLE8) != (header.biBitCount == 8) ||
            (header.biCompression == BI_RLE4) != (header.biBitCount == 4) || header.biSizeImage == 0 ||
            header.biHeight < 0)
            return false;
        bits = header.biSizeImage;
        break;
    default:
        return false;
    }
    uint64_t total = header.biSize + table + bits;
    if (total > size)
        return false;
    if (layout) {
        layout->headerBytes = header.biSize;
        layout->tableBytes = static_cast<DWORD>(table);
        layout->bitsBytes = static_cast<DWORD>(bits);
        layout->width = header.biWidth;
        layout->height = static_cast<int>(lines);
        layout->bitCount = header.biBitCount;
        layout->tableEntries = static_cast<int>(entries);
    }
    return true;
}

ErrorCode DrawDib(HDC dc, const RECT* rect, HGLOBAL dib)
{
    if (!dib)
        return kErrBadPicture;
    SIZE_T size = GlobalSize(dib);
    auto* bytes = static_cast<const uint8_t*>(GlobalLock(dib));
    if (!bytes)
        return kErrBadPicture;
    DibLayout layout;
    ErrorCode code = kErrBadPicture;
    if (size <= 0xFFFFFFFFu && CheckPackedDib(bytes, static_cast<DWORD>(size), DIB_RGB_COLORS, 0, &layout)) {
        const uint8_t* bits = bytes + layout.headerBytes + layout.tableBytes;
        StretchDIBits(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, 0, 0,
                      layout.width, layout.height, bits, reinterpret_cast<const BITMAPINFO*>(bytes), DIB_RGB_COLORS,
                      SRCCOPY);
        code = kErrNone;
    }
    GlobalUnlock(dib);
    return code;
}
