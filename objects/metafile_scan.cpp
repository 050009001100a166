#include "objects/metafile_scan.h"

#include "common/io_seam.h"
#include "common/back_buffer.h"
#include "objects/metafile_records.h"
#include "objects/picture_chunks.h"

namespace {

// The one scan in progress; scans never overlap.
struct ScanState {
    COLORREF* colors;
    int* count;
    RECT* extent;
    int extentSeen;
    int flags;
};
ScanState scan;

bool ScanFull()
{
    return scan.extentSeen && *scan.count >= kMaxPictureColors;
}

bool IsPaletteIndex(COLORREF color)
{
    return (color & 0x01000000) != 0;
}

void ScanSelectedObject(HGDIOBJ object)
{
    switch (GetObjectType(object)) {
    case OBJ_BRUSH: {
        LOGBRUSH brush;
        if (GetObjectA(object, sizeof(brush), &brush) && brush.lbStyle != BS_NULL && !IsPaletteIndex(brush.lbColor))
            AddScanColor(brush.lbColor);
        break;
    }
    case OBJ_PEN: {
        LOGPEN pen;
        if (GetObjectA(object, sizeof(pen), &pen) && pen.lopnStyle != PS_NULL && !IsPaletteIndex(pen.lopnColor))
            AddScanColor(pen.lopnColor);
        break;
    }
    case OBJ_PAL: {
        PALETTEENTRY entries[kMaxPictureColors];
        UINT n = GetPaletteEntries(static_cast<HPALETTE>(object), 0, kMaxPictureColors, entries);
        for (UINT i = 0; i < n && *scan.count < kMaxPictureColors; ++i)
            AddScanColor(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
        break;
    }
    default:
        break;
    }
}

// The metafile's own bits, checked; false when they cannot be had or do not
// make a sound metafile.
bool MetafileBitsAreSound(HMETAFILE metafile)
{
    UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    if (size == 0)
        return false;
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return false;
    bool sound = false;
    if (auto* bits = static_cast<uint8_t*>(GlobalLock(block))) {
        if (GetMetaFileBitsEx(metafile, size, bits) == size)
            sound = CheckMetafileBits(bits, size, nullptr);
        GlobalUnlock(block);
    }
    GlobalFree(block);
    return sound;
}

} // namespace

void AddScanColor(COLORREF color)
{
    COLORREF value = color & 0x00FFFFFF;
    int n = *scan.count;
    if (n >= kMaxPictureColors)
        return;
    for (int i = 0; i < n; ++i) {
        if (scan.colors[i] == value)
            return;
    }
    scan.colors[n] = value;
    *scan.count = n + 1;
}

int CALLBACK MetaExtEnumProc(HDC dc, HANDLETABLE* table, METARECORD* record, int handles, LPARAM)
{
    const UINT slots = handles > 0 ? static_cast<UINT>(handles) : 0;
    switch (record->rdFunction) {
    case kMetaSetWindowExt:
        if (!scan.extentSeen) {
            scan.extentSeen = 1;
            int y = MetaParam(record, 0);
            int x = MetaParam(record, 1);
            if (x < 0)
                scan.flags |= kScanNegativeExtentX;
            if (y < 0)
                scan.flags |= kScanNegativeExtentY;
            if (scan.extent) {
                scan.extent->right = x < 0 ? -x : x;
                scan.extent->bottom = y < 0 ? -y : y;
            }
        }
        break;
    case kMetaSelectObject:
    case kMetaSelectPalette: {
        UINT index = MetaParamU(record, 0);
        if (index < slots)
            ScanSelectedObject(table->objectHandle[index]);
        return ScanFull() ? 0 : 1;
    }
    case kMetaFillRegion:
    case kMetaInvertRegion:
    case kMetaPaintRegion:
    case kMetaSelectClipRegion:
    case kMetaFrameRegion:
    case kMetaBitBlt:
    case kMetaDibBitBlt:
        scan.flags = kScanUnusable;
        return 0;
    case kMetaStretchBlt:
    case kMetaDibStretchBlt:
    case kMetaSetDibToDev:
    case kMetaStretchDib:
        scan.flags |= kScanStretchedBitmap;
        return 1;
    default:
        break;
    }
    PlayCheckedRecord(dc, table, record, slots);
    return 1;
}

ErrorCode ScanMetafile(HMETAFILE metafile, RECT* extent, int* colorCount, COLORREF* colors, int* scanFlags)
{
    *colorCount = 0;
    *scanFlags = 0;
    if (!metafile || !MetafileBitsAreSound(metafile)) {
        *scanFlags = kScanUnusable;
        return kErrBadMetafile;
    }
    scan = {colors, colorCount, extent, 0, 0};
    // The shared off-screen context takes the records; before the main window
    // has made it, a context of our own does.
    HDC dc = BackBufferDC;
    HDC own = nullptr;
    if (!dc)
        dc = own = CreateCompatibleDC(nullptr);
    int saved = SaveDC(dc);
    EnumMetaFile(dc, metafile, MetaExtEnumProc, 0);
    RestoreDC(dc, saved);
    if (own)
        DeleteDC(own);
    *scanFlags = scan.flags;
    scan = {};
    return *scanFlags == kScanUnusable ? kErrBadMetafile : kErrNone;
}
