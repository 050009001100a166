#include "ole/foreign_metafiles.h"
#include "common/mapping.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "common/handle_words.h"
#include "objects/placeable_metafile.h"

namespace {

const size_t kPlainHeaderBytes = 18;
const uint16_t kPlainHeaderWords = 9;
const uint16_t kMemoryMetafile = 1;
const uint16_t kDiskMetafile = 2;
const uint32_t kSmallestRecordWords = 3;
const uint16_t kEndRecord = 0;
const uint16_t kSetWindowOrg = 0x020B;
const uint16_t kSetWindowExt = 0x020C;

const size_t kEnhancedHeaderBytes = 88;
const uint32_t kEnhancedHeaderType = 1;
const uint32_t kEnhancedEndType = 14;
const uint32_t kEnhancedSignature = 0x464D4520;  // " EMF"
const size_t kEnhancedSignatureAt = 40;
const size_t kEnhancedBytesAt = 48;
const size_t kEnhancedFrameAt = 24;  // rclFrame in 0.01 mm
const int kHundredthsPerInch = 2540;
// A plain metafile says nothing of its size on paper: its longer side is
// taken as this many inches.
const int kPlainLongSideInches = 4;
const int kLargestBoxSide = 32767;

struct Window {
    int16_t orgX = 0, orgY = 0;
    int16_t extX = 0, extY = 0;
    bool hasExt = false;
};

// The last window origin and extent the records set.
Window ScanWindow(const uint8_t* bytes, size_t size)
{
    Window window;
    size_t at = kPlainHeaderBytes;
    while (at + 6 <= size) {
        const uint32_t words = ReadLeU32(bytes + at);
        const uint16_t function = ReadLeU16(bytes + at + 4);
        if (function == kEndRecord || words < kSmallestRecordWords || words > (size - at) / 2)
            break;
        if ((function == kSetWindowExt || function == kSetWindowOrg) && words >= 5) {
            const int16_t y = ReadLeI16(bytes + at + 6);
            const int16_t x = ReadLeI16(bytes + at + 8);
            if (function == kSetWindowExt) {
                window.extX = x;
                window.extY = y;
                window.hasExt = true;
            } else {
                window.orgX = x;
                window.orgY = y;
            }
        }
        at += size_t{words} * 2;
    }
    return window;
}

ErrorCode Wrap(const uint8_t* bits, size_t size, const Window& window, int unitsPerInch,
               std::vector<uint8_t>* placeable)
{
    const int width = std::abs(window.extX), height = std::abs(window.extY);
    if (!window.hasExt || width == 0 || height == 0 || unitsPerInch <= 0 || unitsPerInch > kLargestBoxSide)
        return kErrBadMetafile;
    try {
        placeable->assign(kPlaceableHeaderBytes, 0);
        placeable->insert(placeable->end(), bits, bits + size);
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    }
    uint8_t* header = placeable->data();
    WriteLeU32(header, kPlaceableKey);
    const int left = std::min<int>(window.orgX, window.orgX + window.extX);
    const int top = std::min<int>(window.orgY, window.orgY + window.extY);
    WriteLeI16(header + 6, static_cast<int16_t>(left));
    WriteLeI16(header + 8, static_cast<int16_t>(top));
    WriteLeI16(header + 10, static_cast<int16_t>(std::min(left + width, kLargestBoxSide)));
    WriteLeI16(header + 12, static_cast<int16_t>(std::min(top + height, kLargestBoxSide)));
    WriteLeU16(header + 14, static_cast<uint16_t>(unitsPerInch));
    uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum = static_cast<uint16_t>(checksum ^ ReadLeU16(header + 2 * i));
    WriteLeU16(header + 20, checksum);
    return kErrNone;
}

bool LooksPlain(const uint8_t* bytes, size_t size)
{
    if (size < kPlainHeaderBytes)
        return false;
    const uint16_t type = ReadLeU16(bytes);
    return (type == kMemoryMetafile || type == kDiskMetafile) && ReadLeU16(bytes + 2) == kPlainHeaderWords;
}

bool LooksEnhanced(const uint8_t* bytes, size_t size)
{
    return size >= kEnhancedHeaderBytes && ReadLeU32(bytes) == kEnhancedHeaderType &&
           ReadLeU32(bytes + kEnhancedSignatureAt) == kEnhancedSignature;
}

ErrorCode FromPlain(const uint8_t* bytes, size_t size, std::vector<uint8_t>* placeable)
{
    if (!PlainMetafileHolds(bytes, size))
        return kErrBadMetafile;
    const size_t length = size_t{ReadLeU32(bytes + 6)} * 2;
    const Window window = ScanWindow(bytes, length);
    const int longSide = std::max(std::abs(window.extX), std::abs(window.extY));
    return Wrap(bytes, length, window, std::max(1, longSide / kPlainLongSideInches), placeable);
}

// GDI turns the enhanced records into plain ones; the frame gives the inch.
ErrorCode FromEnhanced(const uint8_t* bytes, size_t size, std::vector<uint8_t>* placeable)
{
    if (!EnhancedMetafileHolds(bytes, size))
        return kErrBadMetafile;
    const UINT length = ReadLeU32(bytes + kEnhancedBytesAt);
    const int frameWidth = ReadLeI32(bytes + kEnhancedFrameAt + 8) - ReadLeI32(bytes + kEnhancedFrameAt);
    HENHMETAFILE enhanced = SetEnhMetaFileBits(length, bytes);
    if (!enhanced)
        return kErrBadMetafile;
    HDC screen = GetDC(nullptr);
    const UINT plainSize = GetWinMetaFileBits(enhanced, 0, nullptr, MM_ANISOTROPIC, screen);
    std::vector<uint8_t> plain;
    ErrorCode code = kErrBadMetafile;
    if (plainSize > 0) {
        try {
            plain.resize(plainSize);
            code = kErrNone;
        } catch (const std::bad_alloc&) {
            code = kErrNoMemory;
        }
    }
    if (code == kErrNone && GetWinMetaFileBits(enhanced, plainSize, plain.data(), MM_ANISOTROPIC, screen) != plainSize)
        code = kErrBadMetafile;
    ReleaseDC(nullptr, screen);
    DeleteEnhMetaFile(enhanced);
    if (code != kErrNone || !PlainMetafileHolds(plain.data(), plain.size()))
        return code != kErrNone ? code : ErrorCode(kErrBadMetafile);
    const Window window = ScanWindow(plain.data(), plain.size());
    if (frameWidth <= 0)
        return kErrBadMetafile;
    const long long inch = static_cast<long long>(std::abs(window.extX)) * kHundredthsPerInch / frameWidth;
    return Wrap(plain.data(), plain.size(), window, static_cast<int>(std::clamp<long long>(inch, 1, kLargestBoxSide)),
                placeable);
}

} // namespace

bool PlainMetafileHolds(const uint8_t* bytes, size_t size)
{
    if (!LooksPlain(bytes, size))
        return false;
    const size_t length = size_t{ReadLeU32(bytes + 6)} * 2;
    if (length < kPlainHeaderBytes || length > size)
        return false;
    size_t at = kPlainHeaderBytes;
    while (at + 6 <= length) {
        const uint32_t words = ReadLeU32(bytes + at);
        if (words < kSmallestRecordWords || words > (length - at) / 2)
            return false;
        if (ReadLeU16(bytes + at + 4) == kEndRecord)
            return true;
        at += size_t{words} * 2;
    }
    return false;
}

bool EnhancedMetafileHolds(const uint8_t* bytes, size_t size)
{
    if (!LooksEnhanced(bytes, size))
        return false;
    const size_t length = ReadLeU32(bytes + kEnhancedBytesAt);
    const size_t headerSize = ReadLeU32(bytes + 4);
    if (length > size || length < kEnhancedHeaderBytes || headerSize < kEnhancedHeaderBytes || headerSize > length)
        return false;
    size_t at = 0;
    while (at + 8 <= length) {
        const uint32_t type = ReadLeU32(bytes + at);
        const uint32_t recordSize = ReadLeU32(bytes + at + 4);
        if (recordSize < 8 || recordSize % 4 != 0 || recordSize > length - at)
            return false;
        at += recordSize;
        if (type == kEnhancedEndType)
            return at == length;
    }
    return false;
}

ErrorCode PlaceableFromForeignMetafile(const uint8_t* bytes, size_t size, std::vector<uint8_t>* placeable)
{
    if (LooksEnhanced(bytes, size))
        return FromEnhanced(bytes, size, placeable);
    if (LooksPlain(bytes, size))
        return FromPlain(bytes, size, placeable);
    return kErrNotDone;
}
