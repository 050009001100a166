#include "ole/picture_writers.h"

#include <algorithm>
#include <vector>

#include "common/bitmap_to_dib.h"
#include "common/file_helpers.h"
#include "common/handle_words.h"
#include "common/io_seam.h"
#include "objects/placeable_metafile.h"

namespace {

const WORD kBmpKey = 0x4D42;
const UINT kFileHeaderBytes = 14;
const DWORD kBandBytes = 16000;
const UINT kMetafileChunk = 64000;
const int kPlaceableWords = 10;

struct BmpHeader {
    BITMAPINFOHEADER info;
    RGBQUAD colours[256];
};

ErrorCode WriteAll(HFILE file, const void* bytes, UINT count)
{
    return WriteFileBytes(file, bytes, count) == count ? kErrNone : ErrorCode(kErrFile);
}

void FileHeader(DWORD fileSize, DWORD bitsOffset, uint8_t out[kFileHeaderBytes])
{
    std::fill(out, out + kFileHeaderBytes, uint8_t{0});
    WriteLeU16(out, kBmpKey);
    WriteLeU32(out + 2, fileSize);
    WriteLeU32(out + 10, bitsOffset);
}

// The header as the device fills it, with our image size where it says none.
void FillBmpHeader(HDC dc, HBITMAP bitmap, const BITMAP& info, int depth, BmpHeader* header)
{
    *header = {};
    header->info.biSize = sizeof(BITMAPINFOHEADER);
    header->info.biWidth = info.bmWidth;
    header->info.biHeight = info.bmHeight;
    header->info.biPlanes = 1;
    header->info.biBitCount = static_cast<WORD>(depth);
    header->info.biCompression = BI_RGB;
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), nullptr, reinterpret_cast<BITMAPINFO*>(header),
              DIB_RGB_COLORS);
    const DWORD computed = PackedDibRowBytes(info.bmWidth, depth) * static_cast<DWORD>(info.bmHeight);
    if (header->info.biSizeImage == 0 || header->info.biSizeImage < computed)
        header->info.biSizeImage = computed;
    header->info.biClrUsed = 0;
    header->info.biClrImportant = 0;
}

// The rows in bands from the bottom, each read and written whole. A band the
// device cannot give fails the file rather than leaving a hole in it.
ErrorCode WriteBands(HDC dc, HFILE file, HBITMAP bitmap, BmpHeader* header, int depth)
{
    const LONG height = header->info.biHeight;
    const DWORD rowBytes = PackedDibRowBytes(header->info.biWidth, depth);
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    const DWORD bands = std::max<DWORD>(1, (imageBytes + kBandBytes - 1) / kBandBytes);
    const LONG linesPerBand = static_cast<LONG>((static_cast<DWORD>(height) + bands - 1) / bands);
    std::vector<uint8_t> band;
    try {
        band.resize(static_cast<size_t>(rowBytes) * static_cast<size_t>(linesPerBand));
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    }
    for (LONG first = 0; first < height; first += linesPerBand) {
        const LONG lines = std::min(linesPerBand, height - first);
        BmpHeader scratch = *header;
        if (ReadBitmapBand(dc, bitmap, static_cast<UINT>(first), static_cast<UINT>(lines), band.data(),
                      reinterpret_cast<BITMAPINFO*>(&scratch), DIB_RGB_COLORS) != lines)
            return kErrFile;
        ErrorCode code = WriteAll(file, band.data(), rowBytes * static_cast<UINT>(lines));
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

ErrorCode WriteBmpParts(HDC dc, HFILE file, HBITMAP bitmap)
{
    BITMAP info = {};
    if (!GetObjectA(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return kErrFile;
    const int depth = PackedDibDepth(info.bmPlanes, info.bmBitsPixel);
    BmpHeader header;
    FillBmpHeader(dc, bitmap, info, depth, &header);
    const UINT tableBytes = (depth <= 8 ? 1u << depth : 0u) * sizeof(RGBQUAD);
    const DWORD bitsOffset = kFileHeaderBytes + sizeof(BITMAPINFOHEADER) + tableBytes;
    uint8_t fileHeader[kFileHeaderBytes];
    FileHeader(0, bitsOffset, fileHeader);
    ErrorCode code = SeekFile(file, 0, FILE_BEGIN) == 0 ? kErrNone : ErrorCode(kErrFile);
    if (code == kErrNone)
        code = WriteAll(file, fileHeader, kFileHeaderBytes);
    if (code == kErrNone)
        code = WriteAll(file, &header, sizeof(BITMAPINFOHEADER) + tableBytes);
    if (code == kErrNone)
        code = WriteBands(dc, file, bitmap, &header, depth);
    LONG length = 0;
    if (code == kErrNone)
        code = GetFileLength(file, &length);
    if (code == kErrNone) {
        // The size field is the file's real length, known only now.
        FileHeader(static_cast<DWORD>(length), bitsOffset, fileHeader);
        code = SeekFile(file, 0, FILE_BEGIN) == 0 ? WriteAll(file, fileHeader, kFileHeaderBytes) : ErrorCode(kErrFile);
    }
    return code;
}

} // namespace

BandReader ReadBitmapBand = GetDIBits;

bool FitsPlaceableBox(const RECT& extents)
{
    const auto fits = [](int64_t value) { return value >= INT16_MIN && value <= INT16_MAX; };
    return fits(extents.left) && fits(extents.top) && fits(extents.right) && fits(extents.bottom) &&
           fits(int64_t{extents.right} - extents.left) && fits(int64_t{extents.bottom} - extents.top);
}

void MakePlaceableHeader(int width, int height, uint8_t header[22])
{
    std::fill(header, header + kPlaceableHeaderBytes, uint8_t{0});
    WriteLeU32(header, kPlaceableKey);
    WriteLeI16(header + 10, static_cast<int16_t>(width));
    WriteLeI16(header + 12, static_cast<int16_t>(height));
    WriteLeU16(header + 14, kPlaceableUnitsPerInch);
    uint16_t checksum = 0;
    for (int i = 0; i < kPlaceableWords; ++i)
        checksum = static_cast<uint16_t>(checksum ^ ReadLeU16(header + 2 * i));
    WriteLeU16(header + 20, checksum);
}

ErrorCode WriteBmpFile(HDC dc, HFILE file, HBITMAP bitmap, HPALETTE palette)
{
    HPALETTE previous = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette)
        RealizePalette(dc);
    ErrorCode code = WriteBmpParts(dc, file, bitmap);
    if (palette) {
        SelectPalette(dc, previous, FALSE);
        RealizePalette(dc);
    }
    return code;
}

ErrorCode WritePlaceableBits(HFILE file, HMETAFILE metafile, int width, int height)
{
    const UINT bytes = GetMetaFileBitsEx(metafile, 0, nullptr);
    if (bytes == 0)
        return kErrNoMemory;
    std::vector<uint8_t> bits;
    try {
        bits.resize(bytes);
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    }
    if (GetMetaFileBitsEx(metafile, bytes, bits.data()) != bytes)
        return kErrNoMemory;
    uint8_t header[kPlaceableHeaderBytes];
    MakePlaceableHeader(width, height, header);
    ErrorCode code = WriteAll(file, header, kPlaceableHeaderBytes);
    for (UINT done = 0; code == kErrNone && done < bytes; done += kMetafileChunk)
        code = WriteAll(file, bits.data() + done, std::min(kMetafileChunk, bytes - done));
    return code;
}
