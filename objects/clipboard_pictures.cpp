#include "objects/clipboard_pictures.h"

#include <cstring>

#include "common/io_seam.h"
#include "objects/metafile_scan.h"
#include "objects/picture_chunks.h"
#include "common/bitmap_to_dib.h"

namespace {

int HimetricSide(LONG extent)
{
    int side = static_cast<int>(static_cast<long long>(extent) * 600 / 2540);
    return side <= 0 ? 50 : side;
}

} // namespace

ErrorCode ReadMetafilePict(HGLOBAL* block, RECT* size, RECT* bounds, int* colorCount, COLORREF* colors,
                           int* scanFlags, HGLOBAL metafilePict)
{
    *block = nullptr;
    *colorCount = 0;
    *scanFlags = 0;
    HGLOBAL source = metafilePict ? metafilePict : GetClipboardData(CF_METAFILEPICT);
    if (!source || GlobalSize(source) < sizeof(METAFILEPICT))
        return kErrBadPicture;
    METAFILEPICT picture;
    auto* locked = static_cast<const METAFILEPICT*>(GlobalLock(source));
    if (!locked)
        return kErrBadPicture;
    picture = *locked;
    GlobalUnlock(source);

    *size = {0, 0, HimetricSide(picture.xExt), HimetricSide(picture.yExt)};
    HMETAFILE metafile = metafilePict ? picture.hMF : CopyMetaFileA(picture.hMF, nullptr);
    if (!metafile)
        return kErrBadPicture;
    *bounds = *size;
    DiscardError(ScanMetafile(metafile, bounds, colorCount, colors, scanFlags),
                 "an unreadable metafile comes back as unusable in the scan flags");
    if (*scanFlags == kScanUnusable) {
        DeleteMetaFile(metafile);
        return kErrBadMetafile;
    }
    UINT bytes = GetMetaFileBitsEx(metafile, 0, nullptr);
    HGLOBAL bits = bytes ? SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes) : nullptr;
    ErrorCode code = kErrBadPicture;
    if (bits) {
        if (void* target = GlobalLock(bits)) {
            if (GetMetaFileBitsEx(metafile, bytes, target) == bytes)
                code = kErrNone;
            GlobalUnlock(bits);
        }
        if (code != kErrNone)
            GlobalFree(bits);
    }
    DeleteMetaFile(metafile);
    if (code == kErrNone)
        *block = bits;
    return code;
}

HGLOBAL GetClipboardBitmapAsDib(HWND window)
{
    if (!OpenClipboard(window))
        return nullptr;
    HGLOBAL dib = nullptr;
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    auto palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
    if (bitmap) {
        if (HDC dc = GetDC(window)) {
            if (BitmapToPackedDib(dc, bitmap, palette, &dib) != kErrNone && dib) {
                GlobalFree(dib);
                dib = nullptr;
            }
            ReleaseDC(window, dc);
        }
    }
    CloseClipboard();
    return dib;
}
