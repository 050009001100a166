#include "common/bitmap_to_dib.h"

#include "common/io_seam.h"

void BitmapToPackedDib(HDC dc, HBITMAP bitmap, HPALETTE palette, HGLOBAL* dib)
{
    *dib = nullptr;
    BITMAP info;
    if (!dc || !bitmap || GetObjectA(bitmap, sizeof(info), &info) != sizeof(info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return;
    int depth = info.bmBitsPixel * info.bmPlanes;
    if (depth != 1 && depth != 4 && depth != 8)
        depth = 24;
    DWORD entries = depth <= 8 ? (1u << depth) : 0;
    DWORD stride = ((static_cast<DWORD>(info.bmWidth) * depth + 31) / 32) * 4;
    DWORD header = sizeof(BITMAPINFOHEADER) + entries * sizeof(RGBQUAD);
    DWORD bits = stride * static_cast<DWORD>(info.bmHeight);
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, header + bits);
    if (!block)
        return;
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    if (!bytes) {
        GlobalFree(block);
        return;
    }
    auto* bitmapInfo = reinterpret_cast<BITMAPINFO*>(bytes);
    bitmapInfo->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bitmapInfo->bmiHeader.biWidth = info.bmWidth;
    bitmapInfo->bmiHeader.biHeight = info.bmHeight;
    bitmapInfo->bmiHeader.biPlanes = 1;
    bitmapInfo->bmiHeader.biBitCount = static_cast<WORD>(depth);
    bitmapInfo->bmiHeader.biCompression = BI_RGB;
    bitmapInfo->bmiHeader.biSizeImage = bits;
    HPALETTE old = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette)
        RealizePalette(dc);
    int lines = GetDIBits(dc, bitmap, 0, info.bmHeight, bytes + header, bitmapInfo, DIB_RGB_COLORS);
    if (palette)
        SelectPalette(dc, old, FALSE);
    // GetDIBits may fill in the colour count; the table is always full here.
    bitmapInfo->bmiHeader.biClrUsed = 0;
    GlobalUnlock(block);
    if (lines != info.bmHeight) {
        GlobalFree(block);
        return;
    }
    *dib = block;
}
