// Writing the options file: the signature, then every record in its order.
#include <cstring>

#include "common/handle_words.h"
#include "common/io_seam.h"
#include "objects/app_options.h"
#include "objects/color_style.h"
#include "documents/options_file.h"
#include "documents/options_records.h"
#include "documents/record_stream.h"
#include "documents/recent_files.h"
#include "documents/replacement_file.h"
#include "documents/attached_library_atom.h"

namespace {

ErrorCode WriteString(HFILE file, uint16_t tag, const char* text)
{
    return WriteStreamRecord(file, tag, static_cast<uint32_t>(std::strlen(text) + 1), text);
}

ErrorCode WritePath(HFILE file, int index, const char* path)
{
    uint8_t payload[2 + kOptionsPathSize] = {};
    WriteLeU16(payload, static_cast<uint16_t>(index));
    const size_t length = strnlen(path, kOptionsPathSize - 1);
    std::memcpy(payload + 2, path, length);
    return WriteStreamRecord(file, kOptPath, static_cast<uint32_t>(length + 3), payload);
}

ErrorCode WriteFont(HFILE file, const LOGFONTA& font)
{
    uint8_t payload[kOptFontSize];
    PackFontRecord(font, payload);
    return WriteStreamRecord(file, kOptFont, kOptFontSize, payload);
}

ErrorCode WriteGeneral(HFILE file, const OptionsRecord& options)
{
    uint8_t payload[kOptGeneralSize] = {};
    WriteLeU16(payload + 0, options.printOptions);
    WriteLeU16(payload + 2, static_cast<uint16_t>(options.flags));
    WriteLeI16(payload + 4, static_cast<int16_t>(options.exportPictureType));
    WriteLeI16(payload + 6, static_cast<int16_t>(options.importPictureType));
    WriteLeI16(payload + 8, static_cast<int16_t>(options.tipNumber));
    WriteLeI16(payload + 10, static_cast<int16_t>(options.footerPosition));
    WriteLeU32(payload + 12, options.reserved);
    for (int index = 0; index < 6; ++index)
        WriteLeI16(payload + 16 + 2 * index, static_cast<int16_t>(options.drawingDefaults[index]));
    WriteLeU16(payload + 28, options.defaultFont.lfCharSet);
    WriteLeI16(payload + 30, static_cast<int16_t>(options.quickPreviews));
    WriteLeI16(payload + 32, options.symbolCharacter);
    WriteLeI16(payload + 34, static_cast<int16_t>(options.symbolFont));
    WriteLeI16(payload + 36, static_cast<int16_t>(options.moreFlags));
    WriteLeI16(payload + 38, static_cast<int16_t>(options.attachmentType));
    return WriteStreamRecord(file, kOptGeneral, kOptGeneralSize, payload);
}

ErrorCode WriteRulers(HFILE file, const RulerScale& rulers)
{
    uint8_t payload[kOptRulersSize];
    WriteLeI16(payload + 0, static_cast<int16_t>(rulers.shown));
    WriteLeI16(payload + 2, static_cast<int16_t>(rulers.screenUnit));
    std::memcpy(payload + 4, &rulers.majorLength, 8);
    WriteLeI16(payload + 12, static_cast<int16_t>(rulers.divisions));
    std::memcpy(payload + 14, &rulers.labelValue, 8);
    WriteLeI16(payload + 22, static_cast<int16_t>(rulers.labelUnit));
    return WriteStreamRecord(file, kOptRulers, kOptRulersSize, payload);
}

ErrorCode WritePaths(HFILE file, const OptionsRecord& options)
{
    const char* paths[kOptPathCount] = {options.drawingsFolder, options.exportFolder, options.importFolder,
                                        options.librariesFolder, options.templatePath, options.lastLibrary,
                                        options.keyword};
    for (int index = 0; index < kOptPathCount; ++index) {
        ErrorCode code = WritePath(file, index, paths[index]);
        if (code != kErrNone)
            return code;
    }
    if (AttachedLibraryAtom) {
        char path[kOptionsPathSize] = {};
        GlobalGetAtomNameA(AttachedLibraryAtom, path, kOptionsPathSize);
        return WritePath(file, kOptPathCount, path);
    }
    return kErrNone;
}

ErrorCode WriteLibraryWindows(HFILE file, const OptionsRecord& options)
{
    ErrorCode code = WriteStreamRecord(file, kOptLibraryBlock, 0, nullptr);
    for (int entry = 0; code == kErrNone && entry < kLibraryWindowCount; ++entry) {
        const SavedLibraryWindow& window = options.libraryWindows[entry];
        const int32_t values[6] = {window.width, window.height, window.x, window.y, window.open, window.minimized};
        uint8_t payload[kOptLibraryWindowSize];
        for (int index = 0; index < 6; ++index)
            WriteLeI16(payload + 2 * index, static_cast<int16_t>(values[index]));
        code = WriteStreamRecord(file, kOptLibraryWindow, kOptLibraryWindowSize, payload);
        if (code == kErrNone)
            code = WriteString(file, kOptLibraryFolder, window.folder);
        if (code == kErrNone)
            code = WriteString(file, kOptLibraryFile, window.fileName);
    }
    return code == kErrNone ? WriteStreamRecord(file, CloserOf(kOptLibraryBlock), 0, nullptr) : code;
}

ErrorCode WriteToolbar(HFILE file, const OptionsRecord& options)
{
    ErrorCode code = WriteStreamRecord(file, kOptToolbarBlock, 0, nullptr);
    for (int slot = 0; code == kErrNone && slot < kToolbarSlotCount; ++slot) {
        const ToolbarSlot& value = options.toolbar[slot];
        uint8_t payload[kOptToolbarSlotSize];
        const int32_t words[5] = {value.width, value.height, value.kind, value.type, value.sizing};
        for (int index = 0; index < 5; ++index)
            WriteLeI16(payload + 2 * index, static_cast<int16_t>(words[index]));
        std::memcpy(payload + 10, &value.adjustment, 8);
        code = WriteStreamRecord(file, kOptToolbarSlot, kOptToolbarSlotSize, payload);
    }
    return code == kErrNone ? WriteStreamRecord(file, CloserOf(kOptToolbarBlock), 0, nullptr) : code;
}

ErrorCode WriteColorTable(HFILE file, const OptionsRecord& options)
{
    uint8_t payload[kOptColorTableSize];
    WriteLeU16(payload, kColorTableEntries);
    for (int index = 0; index < kColorTableEntries; ++index)
        WriteLeU32(payload + 2 + 4 * index, options.colorTable[index]);
    return WriteStreamRecord(file, kOptColorTable, kOptColorTableSize, payload);
}

ErrorCode WriteStyleEntries(HFILE file, const unsigned char* list, int32_t count)
{
    for (int32_t index = 0; index < count; ++index) {
        ColorStyle style;
        std::memcpy(&style, list + kColorStyleListHead + sizeof(ColorStyle) * index, sizeof(style));
        uint8_t shadow[kOptStyleShadowSize];
        WriteLeI16(shadow + 0, static_cast<int16_t>(style.shadowDx));
        WriteLeI16(shadow + 2, static_cast<int16_t>(style.shadowDy));
        WriteLeI16(shadow + 4, static_cast<int16_t>(style.shadowKind));
        WriteLeI16(shadow + 6, static_cast<int16_t>(style.flags));
        ErrorCode code = WriteStreamRecord(file, kOptStyleShadow, kOptStyleShadowSize, shadow);
        if (code != kErrNone)
            return code;
        uint8_t colors[kOptStyleColorsSize];
        WriteLeU16(colors, 7);
        const COLORREF* values = &style.borderColor;
        for (int color = 0; color < 7; ++color)
            WriteLeU32(colors + 2 + 4 * color, values[color]);
        code = WriteStreamRecord(file, kOptStyleColors, kOptStyleColorsSize, colors);
        if (code != kErrNone)
            return code;
        char name[sizeof(style.name) + 1] = {};
        std::memcpy(name, style.name, sizeof(style.name));
        code = WriteString(file, kOptStyleName, name);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

ErrorCode WriteStyles(HFILE file)
{
    int32_t count = 0;
    int32_t current = 0;
    const unsigned char* list = ColorStyles ? static_cast<const unsigned char*>(GlobalLock(ColorStyles)) : nullptr;
    if (list) {
        std::memcpy(&count, list, 4);
        std::memcpy(&current, list + 4, 4);
        const SIZE_T room = (GlobalSize(ColorStyles) - kColorStyleListHead) / sizeof(ColorStyle);
        if (count < 0)
            count = 0;
        if (static_cast<SIZE_T>(count) > room)
            count = static_cast<int32_t>(room);
    }
    uint8_t head[4];
    WriteLeU16(head, static_cast<uint16_t>(count));
    WriteLeU16(head + 2, static_cast<uint16_t>(current));
    ErrorCode code = WriteStreamRecord(file, kOptStyleBlock, 4, head);
    if (code == kErrNone && list)
        code = WriteStyleEntries(file, list, count);
    if (list)
        GlobalUnlock(ColorStyles);
    return code == kErrNone ? WriteStreamRecord(file, CloserOf(kOptStyleBlock), 0, nullptr) : code;
}

ErrorCode WriteRecentFiles(HFILE file)
{
    if (!RecentFiles)
        return kErrNone;
    for (int position = 0; position < RecentFiles->count; ++position) {
        char path[kRecentPathSize];
        GetRecentFile(RecentFiles->firstId + position, path);
        ErrorCode code = WriteString(file, kOptRecentFile, path);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

ErrorCode WriteSymbolFonts(HFILE file)
{
    const LOGFONTA* fonts = SymbolFonts ? static_cast<const LOGFONTA*>(GlobalLock(SymbolFonts)) : nullptr;
    int count = fonts ? SymbolFontCount : 0;
    if (fonts && static_cast<SIZE_T>(count) > GlobalSize(SymbolFonts) / sizeof(LOGFONTA))
        count = static_cast<int>(GlobalSize(SymbolFonts) / sizeof(LOGFONTA));
    uint8_t head[2];
    WriteLeU16(head, static_cast<uint16_t>(count));
    ErrorCode code = WriteStreamRecord(file, kOptSymbolFontBlock, 2, head);
    for (int entry = 1; code == kErrNone && entry < count; ++entry)
        code = WriteFont(file, fonts[entry]);
    if (fonts)
        GlobalUnlock(SymbolFonts);
    return code == kErrNone ? WriteStreamRecord(file, kOptSymbolFontEnd, 0, nullptr) : code;
}

ErrorCode WriteOptionRecords(HFILE file, const OptionsRecord& options)
{
    ErrorCode code = WriteStreamStart(file, kOptionsStreamSignature, kOptionsStreamHeader);
    if (code == kErrNone)
        code = WriteGeneral(file, options);
    if (code == kErrNone)
        code = WriteFont(file, options.footerFont);
    if (code == kErrNone)
        code = WriteRulers(file, options.rulerDefaults);
    if (code == kErrNone)
        code = WriteString(file, kOptDefaultFace, options.defaultFont.lfFaceName);
    if (code == kErrNone)
        code = WritePaths(file, options);
    if (code == kErrNone)
        code = WriteLibraryWindows(file, options);
    if (code == kErrNone)
        code = WriteToolbar(file, options);
    if (code == kErrNone)
        code = WriteColorTable(file, options);
    if (code == kErrNone)
        code = WriteStyles(file);
    if (code == kErrNone)
        code = WriteRecentFiles(file);
    if (code == kErrNone)
        code = WriteSymbolFonts(file);
    if (code == kErrNone)
        code = WriteStreamEnd(file);
    return code;
}

} // namespace

ErrorCode WriteOptionsFile(const char* path)
{
    if (!AppOptions)
        return kErrNone;
    ErrorCode code = BeginStreamOperation();
    if (code != kErrNone)
        return code;
    // The earlier options stay whole until the new file is complete.
    char temporary[MAX_PATH];
    ReplacementNameOf(path, temporary, sizeof(temporary));
    HFILE file = SeamCreateFile(temporary, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (file == HFILE_ERROR) {
        DiscardError(EndStreamOperation(), "the failed open is what is passed up");
        return kErrNotDone;
    }
    // A signature that cannot be written is an error like any other write.
    code = WriteOptionRecords(file, *Options());
    ErrorCode end = EndStreamOperation();
    if (code == kErrNone)
        code = end;
    if (code == kErrNone && !SeamFlush(file))
        code = kErrFile;
    SeamClose(file);
    if (code == kErrNone)
        code = PutReplacementInPlace(temporary, path);
    if (code != kErrNone)
        SeamDeleteFile(temporary);
    return code;
}

void RemoveStaleOptionsReplacement(const char* path)
{
    char temporary[MAX_PATH];
    ReplacementNameOf(path, temporary, sizeof(temporary));
    // One that another instance is writing is held open and refuses.
    SeamDeleteFile(temporary);
}
