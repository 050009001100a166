#include "objects/placeable_metafile.h"
#include "common/mapping.h"

#include "common/file_helpers.h"
#include "common/handle_words.h"
#include "common/io_seam.h"
#include "objects/metafile_playback.h"
#include "objects/metafile_records.h"
#include "objects/metafile_scan.h"
#include "objects/picture_chunks.h"
#include "objects/picture_place.h"
#include "objects/paste_position.h"

namespace {

const UINT kReadPortion = 65000;

const int kEmptySide = 100;

int PictureSide(int low, int high, int unitsPerInch)
{
    int side = (high - low) * kDrawingUnitsPerInch / unitsPerInch;
    return side <= 0 ? kEmptySide : side;
}

// A box of few units per inch, or one spanning the whole 16-bit range, would
// be wider than a drawing's coordinates reach: such a picture comes in scaled
// down to fit, its proportions kept.
RECT PictureSize(int width, int height)
{
    const int larger = width > height ? width : height;
    if (larger <= kPlaybackCoordinateLimit)
        return {0, 0, width, height};
    const auto scaled = [larger](int side) {
        const int64_t fitted = int64_t{side} * kPlaybackCoordinateLimit / larger;
        return fitted < 1 ? 1 : static_cast<int>(fitted);
    };
    return {0, 0, scaled(width), scaled(height)};
}

ErrorCode ReadInto(HFILE file, uint8_t* target, DWORD count)
{
    while (count > 0) {
        UINT portion = count > kReadPortion ? kReadPortion : static_cast<UINT>(count);
        if (ReadFileBytes(file, target, portion) != portion)
            return kErrFile;
        target += portion;
        count -= portion;
    }
    return kErrNone;
}

} // namespace

ErrorCode ReadPlaceableMetafile(HFILE file, RECT* size, HGLOBAL* block, RECT* headerBounds, DWORD* bytes)
{
    *block = nullptr;
    *bytes = 0;
    LONG length = 0;
    ErrorCode code = GetFileLength(file, &length);
    if (code != kErrNone)
        return code;
    LONG metafileBytes = length - kPlaceableHeaderBytes;
    if (metafileBytes <= 0)
        return kErrBadPicture;
    if (SeekFile(file, 0, FILE_BEGIN) != 0)
        return kErrFile;
    DWORD blockBytes = metafileBytes > kPlaceableHeaderBytes ? metafileBytes : kPlaceableHeaderBytes;
    HGLOBAL bits = SeamGlobalAlloc(GMEM_MOVEABLE, blockBytes);
    if (!bits)
        return kErrNoMemory;
    auto* target = static_cast<uint8_t*>(GlobalLock(bits));
    if (!target) {
        GlobalFree(bits);
        return kErrNoMemory;
    }
    code = ReadInto(file, target, kPlaceableHeaderBytes);
    int unitsPerInch = 0;
    if (code == kErrNone) {
        unitsPerInch = ReadLeU16(target + 14);
        if (ReadLeU32(target) != kPlaceableKey || unitsPerInch == 0)
            code = kErrBadPicture;
    }
    if (code == kErrNone) {
        int left = ReadLeI16(target + 6);
        int top = ReadLeI16(target + 8);
        int right = ReadLeI16(target + 10);
        int bottom = ReadLeI16(target + 12);
        *size = PictureSize(PictureSide(left, right, unitsPerInch), PictureSide(top, bottom, unitsPerInch));
        *headerBounds = {left, top, right, bottom};
        code = ReadInto(file, target, static_cast<DWORD>(metafileBytes));
    }
    if (code == kErrNone && !CheckMetafileBits(target, static_cast<DWORD>(metafileBytes), nullptr))
        code = kErrBadPicture;
    GlobalUnlock(bits);
    if (code != kErrNone) {
        GlobalFree(bits);
        return code;
    }
    *block = bits;
    *bytes = static_cast<DWORD>(metafileBytes);
    return kErrNone;
}

ErrorCode ImportWmfFile(HWND view, DrawingRecord* drawing, HFILE file, const POINT* point)
{
    RECT size, bounds;
    HGLOBAL block = nullptr;
    DWORD bytes = 0;
    ErrorCode code = ReadPlaceableMetafile(file, &size, &block, &bounds, &bytes);
    if (code != kErrNone)
        return code;
    SeekFile(file, 0, FILE_BEGIN);
    HMETAFILE metafile = nullptr;
    if (auto* bits = static_cast<const uint8_t*>(GlobalLock(block))) {
        metafile = SetMetaFileBitsEx(bytes, bits);
        GlobalUnlock(block);
    }
    GlobalFree(block);
    COLORREF colors[kMaxPictureColors];
    int colorCount = 0;
    int scanFlags = 0;
    if (metafile) {
        RECT extent = size;
        DiscardError(ScanMetafile(metafile, &extent, &colorCount, colors, &scanFlags),
                     "an unreadable metafile comes back as unusable in the scan flags");
        DeleteMetaFile(metafile);
        if (scanFlags == kScanUnusable)
            return kErrBadMetafile;
    }
    code = ReadPlaceableMetafile(file, &size, &block, &bounds, &bytes);
    if (code != kErrNone)
        return code;
    POINT topLeft;
    if (point)
        topLeft = *point;
    else
        GetPastePosition(drawing, &size, &topLeft);
    code = CreatePictureObject(view, drawing, kMetafilePictureGroup, block, bytes, topLeft, &size, &bounds,
                               colorCount, colors, scanFlags);
    GlobalFree(block);
    return code;
}
