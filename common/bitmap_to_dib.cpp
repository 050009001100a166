#include "common/bitmap_to_dib.h"

#include "common/io_seam.h"
#include "common/results.h"

namespace {

constexpr ErrorCode kErrBitsUnreadable{1};
const int kTrueColourDepth = 24;
const int kWaitCursor = 1;

struct DibLayout {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

DWORD ColourEntries(int depth)
{
    return depth <= 8 ? (1u << depth) : 0;
}

// GetDIBits with no bits fills in the header; its image size wins when larger
// than ours, and stands in when it says nothing.
void FillHeader(HDC dc, HBITMAP bitmap, const BITMAP& info, int depth, DibLayout* layout, DWORD* imageBytes)
{
    *layout = {};
    layout->header.biSize = sizeof(BITMAPINFOHEADER);
    layout->header.biWidth = info.bmWidth;
    layout->header.biHeight = info.bmHeight;
    layout->header.biPlanes = 1;
    layout->header.biBitCount = static_cast<WORD>(depth);
    layout->header.biCompression = BI_RGB;
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), nullptr, reinterpret_cast<BITMAPINFO*>(layout),
              DIB_RGB_COLORS);
    if (layout->header.biSizeImage > *imageBytes)
        *imageBytes = layout->header.biSizeImage;
    layout->header.biSizeImage = *imageBytes;
    // The table is always written full.
    layout->header.biClrUsed = 0;
    layout->header.biClrImportant = 0;
}

ErrorCode ReadBits(HDC dc, HBITMAP bitmap, const BITMAP& info, int depth, HGLOBAL* dib)
{
    const DWORD entries = ColourEntries(depth);
    const DWORD computed = PackedDibRowBytes(info.bmWidth, depth) * static_cast<DWORD>(info.bmHeight);
    DWORD imageBytes = computed;
    DibLayout layout;
    FillHeader(dc, bitmap, info, depth, &layout, &imageBytes);
    if (imageBytes > computed)
        FillHeader(dc, bitmap, info, depth, &layout, &imageBytes);
    const DWORD headerBytes = sizeof(BITMAPINFOHEADER) + entries * sizeof(RGBQUAD);
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, headerBytes + imageBytes);
    if (!block)
        return kErrNoMemory;
    *dib = block;
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    if (!bytes)
        return kErrNoMemory;
    CopyMemory(bytes, &layout, headerBytes);
    auto* header = reinterpret_cast<BITMAPINFO*>(bytes);
    int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), bytes + headerBytes, header,
                          DIB_RGB_COLORS);
    header->bmiHeader.biClrUsed = 0;
    header->bmiHeader.biSizeImage = imageBytes;
    GlobalUnlock(block);
    return lines == info.bmHeight ? ErrorCode(kErrNone) : kErrBitsUnreadable;
}

} // namespace

int PackedDibDepth(int planes, int bitsPerPixel)
{
    const int depth = planes * bitsPerPixel;
    return depth == 1 || depth == 4 || depth == 8 ? depth : kTrueColourDepth;
}

DWORD PackedDibRowBytes(LONG width, int depth)
{
    return static_cast<DWORD>((static_cast<unsigned long long>(width) * static_cast<unsigned>(depth) + 31) / 32 * 4);
}

ErrorCode BitmapToPackedDib(HDC dc, HBITMAP bitmap, HPALETTE palette, HGLOBAL* dib)
{
    *dib = nullptr;
    BITMAP info;
    if (!dc || !bitmap || GetObjectA(bitmap, sizeof(info), &info) != sizeof(info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return kErrBitsUnreadable;
    SetAppCursor(kWaitCursor);
    HPALETTE previous = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette)
        RealizePalette(dc);
    ErrorCode code = ReadBits(dc, bitmap, info, PackedDibDepth(info.bmPlanes, info.bmBitsPixel), dib);
    if (palette) {
        SelectPalette(dc, previous, FALSE);
        RealizePalette(dc);
    }
    return code;
}
