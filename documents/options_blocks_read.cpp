// The block readers of the options file: library windows, toolbar slots,
// colour styles and symbol fonts.
#include <cstring>

#include "common/handle_words.h"
#include "common/io_seam.h"
#include "objects/app_options.h"
#include "objects/color_style.h"
#include "documents/options_file_read.h"
#include "documents/options_records.h"
#include "documents/record_stream.h"

namespace {

OptionsPayload Payload(uint32_t length) { return OptionsPayload(StreamPayload(), length); }

struct LibraryReading {
    int entry = -1;
    bool Current() const { return !OptionsFileIsPrevious && entry >= 0 && entry < kLibraryWindowCount; }
};

ErrorCode ReadLibraryRecord(HFILE, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    auto* reading = static_cast<LibraryReading*>(context);
    const OptionsPayload payload = Payload(length);
    *recognised = tag == kOptLibraryWindow || tag == kOptLibraryFolder || tag == kOptLibraryFile;
    if (tag == kOptLibraryWindow)
        reading->entry += 1;
    if (!*recognised || !reading->Current())
        return kErrNone;
    SavedLibraryWindow& window = Options()->libraryWindows[reading->entry];
    if (tag == kOptLibraryWindow) {
        int32_t* values[6] = {&window.width, &window.height, &window.x, &window.y, &window.open, &window.minimized};
        for (uint32_t index = 0; index < 6; ++index)
            payload.I16(2 * index, values[index]);
    } else {
        payload.String(0, tag == kOptLibraryFolder ? window.folder : window.fileName, kOptionsPathSize);
    }
    return kErrNone;
}

ErrorCode ReadToolbarRecord(HFILE, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    if (tag != kOptToolbarSlot) {
        *recognised = false;
        return kErrNone;
    }
    *recognised = true;
    int* record = static_cast<int*>(context);
    const int index = ++*record;
    // The previous version had no fourth line tool: its slots from 3 on move up.
    int slot = index;
    if (OptionsFileIsPrevious)
        slot = index < 3 ? -1 : index + 1;
    if (slot < 0 || slot >= kToolbarSlotCount)
        return kErrNone;
    const OptionsPayload payload = Payload(length);
    ToolbarSlot& target = Options()->toolbar[slot];
    payload.I16(0, &target.width);
    payload.I16(2, &target.height);
    payload.I16(4, &target.kind);
    payload.I16(6, &target.type);
    payload.I16(8, &target.sizing);
    payload.Double(10, &target.adjustment);
    return kErrNone;
}

struct StyleReading {
    unsigned char* list;
    int count;
    int index = -1;
    int highest = -1;
};

ErrorCode ReadStyleRecord(HFILE, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    auto* reading = static_cast<StyleReading*>(context);
    *recognised = tag == kOptStyleShadow || tag == kOptStyleColors || tag == kOptStyleName;
    if (tag == kOptStyleShadow)
        reading->index += 1;
    if (!*recognised || reading->index < 0 || reading->index >= reading->count)
        return kErrNone;
    if (reading->index > reading->highest)
        reading->highest = reading->index;
    ColorStyle style;
    unsigned char* at = reading->list + kColorStyleListHead + sizeof(ColorStyle) * reading->index;
    std::memcpy(&style, at, sizeof(style));
    const OptionsPayload payload = Payload(length);
    if (tag == kOptStyleShadow) {
        payload.I16(0, &style.shadowDx);
        payload.I16(2, &style.shadowDy);
        payload.I16(4, &style.shadowKind);
        int32_t flags = static_cast<int32_t>(style.flags);
        payload.I16(6, &flags);
        style.flags = static_cast<uint32_t>(flags);
    } else if (tag == kOptStyleColors) {
        int32_t count = 0;
        payload.U16(0, &count);
        COLORREF* colors = &style.borderColor;
        for (int32_t color = 0; color < count && color < 7; ++color)
            payload.U32(2 + 4 * color, reinterpret_cast<uint32_t*>(&colors[color]));
    } else {
        payload.String(0, style.name, sizeof(style.name));
    }
    std::memcpy(at, &style, sizeof(style));
    return kErrNone;
}

struct SymbolFontReading {
    LOGFONTA* fonts;
    int limit;
    int filled = 0;
};

ErrorCode ReadSymbolFontRecord(HFILE, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    auto* reading = static_cast<SymbolFontReading*>(context);
    *recognised = tag == kOptFont;
    if (!*recognised || !reading->fonts || reading->filled + 1 >= reading->limit)
        return kErrNone;
    reading->filled += 1;
    UnpackFontRecord(StreamPayload(), length, &reading->fonts[reading->filled], true);
    return kErrNone;
}

} // namespace

ErrorCode ReadLibraryWindowBlock(HFILE file)
{
    LibraryReading reading;
    return ReadStreamBlock(file, CloserOf(kOptLibraryBlock), ReadLibraryRecord, &reading);
}

ErrorCode ReadToolbarBlock(HFILE file)
{
    int record = -1;
    return ReadStreamBlock(file, CloserOf(kOptToolbarBlock), ReadToolbarRecord, &record);
}

ErrorCode ReadStyleBlock(HFILE file, int count, int currentStyle)
{
    const SIZE_T bytes = kColorStyleListHead + sizeof(ColorStyle) * static_cast<SIZE_T>(count);
    HGLOBAL list = ColorStyles ? SeamGlobalReAlloc(ColorStyles, bytes, GMEM_MOVEABLE | GMEM_ZEROINIT)
                               : SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!list)
        return kErrNotDone;
    ColorStyles = list;
    StyleReading reading;
    reading.list = static_cast<unsigned char*>(GlobalLock(list));
    if (!reading.list)
        return kErrNotDone;
    // Growing kept the old styles; a slot the file does not fill must not keep them.
    std::memset(reading.list, 0, bytes);
    reading.count = count;
    ErrorCode code = ReadStreamBlock(file, CloserOf(kOptStyleBlock), ReadStyleRecord, &reading);
    // Styles the count promised but the file never gave are not kept, and
    // the current style must name one that is.
    const int32_t kept = reading.highest + 1;
    const int32_t current = currentStyle >= 0 && currentStyle < kept ? currentStyle : 0;
    std::memcpy(reading.list, &kept, 4);
    std::memcpy(reading.list + 4, &current, 4);
    GlobalUnlock(list);
    return code;
}

ErrorCode ReadSymbolFontBlock(HFILE file, int count)
{
    // Never more than the symbol dialog can hold, whatever the file says.
    if (count > kMaxSymbolFonts)
        count = kMaxSymbolFonts;
    int limit = SymbolFontCount;
    if (SymbolFonts && static_cast<SIZE_T>(limit) > GlobalSize(SymbolFonts) / sizeof(LOGFONTA))
        limit = static_cast<int>(GlobalSize(SymbolFonts) / sizeof(LOGFONTA));
    if (count > 1) {
        HGLOBAL fonts = SymbolFonts ? SeamGlobalReAlloc(SymbolFonts, sizeof(LOGFONTA) * count, GMEM_MOVEABLE | GMEM_ZEROINIT)
                                    : nullptr;
        if (fonts) {
            SymbolFonts = fonts;
            limit = count;
        }
    }
    SymbolFontReading reading;
    reading.fonts = SymbolFonts ? static_cast<LOGFONTA*>(GlobalLock(SymbolFonts)) : nullptr;
    reading.limit = limit;
    ErrorCode code = ReadStreamBlock(file, kOptSymbolFontEnd, ReadSymbolFontRecord, &reading);
    if (reading.fonts)
        GlobalUnlock(SymbolFonts);
    SymbolFontCount = reading.filled + 1;
    return code;
}
