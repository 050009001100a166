#include "objects/document_palette.h"

#include <cstring>

#include "common/handle_words.h"
#include "common/io_seam.h"
#include "objects/color_table.h"
#include "objects/view_record.h"
#include "objects/document_colors.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/picture_chunks.h"
#include "store/record_store.h"

LibraryColorsCall MergeLibraryColorsCall = nullptr;

namespace {

const UINT kEditorSetPalette = 1193;

void Append(PaletteBuffer* palette, BYTE red, BYTE green, BYTE blue)
{
    PALETTEENTRY& entry = palette->entries[palette->count++];
    entry.peRed = red;
    entry.peGreen = green;
    entry.peBlue = blue;
    entry.peFlags = 0;
}

// Appends a colour unless an entry already has its red, green and blue.
void AppendNew(PaletteBuffer* palette, BYTE red, BYTE green, BYTE blue)
{
    if (palette->count >= kPaletteEntries)
        return;
    for (int i = 0; i < palette->count; ++i) {
        const PALETTEENTRY& e = palette->entries[i];
        if (e.peRed == red && e.peGreen == green && e.peBlue == blue)
            return;
    }
    Append(palette, red, green, blue);
}

int TableEntries(int bitCount)
{
    return bitCount == 1 ? 2 : (bitCount == 4 ? 16 : (bitCount == 8 ? 256 : 0));
}

// The colours of one picture's first chunk, checked against the chunk.
void AddPictureColors(PaletteBuffer* palette, int group, const uint8_t* record, DWORD size)
{
    if (size < static_cast<DWORD>(kChunkData) || ReadLeU16(record + kChunkFirstFlag) != 1)
        return;
    DWORD n = ReadLeU16(record + kChunkDataBytes);
    int colors = ReadLeI16(record + kChunkColorCount);
    if (kChunkData + n > size || colors < 0 || colors > kMaxPictureColors || 4u * colors > n)
        return;
    const uint8_t* data = record + kChunkData;
    if (group == kMetafilePictureGroup) {
        for (int i = 0; i < colors; ++i) {
            COLORREF c = ReadLeU32(data + 4 * i);
            AppendNew(palette, GetRValue(c), GetGValue(c), GetBValue(c));
        }
        return;
    }
    // A DIB's header follows its colour list (which DIBs placed here lack).
    const uint8_t* dib = data + 4 * colors;
    DWORD dibBytes = n - 4 * colors;
    if (dibBytes < sizeof(BITMAPINFOHEADER))
        return;
    PaletteBuffer table;
    int entries = 0;
    LogPaletteFromDib(&table, reinterpret_cast<const BITMAPINFOHEADER*>(dib), dibBytes, &entries);
    for (int i = 0; i < entries; ++i)
        AppendNew(palette, table.entries[i].peRed, table.entries[i].peGreen, table.entries[i].peBlue);
}

ErrorCode AddDrawingPictureColors(PaletteBuffer* palette, int store, DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; objects.Get() && i < objects.Count() && palette->count < kPaletteEntries; ++i) {
        const DrawingObject* object = ObjectAt(objects.Get(), i);
        if (object->dataFirstId < 0 || object->dataFirstId > 32767 ||
            (object->dataGroup != kBitmapPictureGroup && object->dataGroup != kMetafilePictureGroup))
            continue;
        RecordHandle record = nullptr;
        ErrorCode code = FindRecord(store, static_cast<short>(object->dataGroup),
                                    static_cast<short>(object->dataFirstId), &record);
        if (code != kErrNone)
            return code;
        DWORD size = QueryRecordSize(record);
        if (auto* bytes = static_cast<const uint8_t*>(GlobalLock(record))) {
            AddPictureColors(palette, object->dataGroup, bytes, size);
            GlobalUnlock(record);
        }
        ReleaseRecord(record);
    }
    return kErrNone;
}

HPALETTE PaletteField(const void* viewRecord, int offset)
{
    return WordToHandle<HPALETTE>(ReadViewField(viewRecord, offset));
}

} // namespace

void AddStandardColors(PaletteBuffer* palette, int* count)
{
    const COLORREF* table = StandardColors();
    palette->count = static_cast<WORD>(*count);
    for (int i = 0; i < kColorTableSize && palette->count < kPaletteEntries; ++i)
        Append(palette, GetRValue(table[i]), GetGValue(table[i]), GetBValue(table[i]));
    *count = palette->count;
}

int LogPaletteFromDib(PaletteBuffer* palette, const BITMAPINFOHEADER* header, DWORD bytes, int* count)
{
    palette->version = 0x300;
    palette->count = 0;
    // The header may lie at any byte of a record: its fields are copied out.
    BITMAPINFOHEADER fields;
    std::memcpy(&fields, header, sizeof(fields));
    int entries = TableEntries(fields.biBitCount);
    if (fields.biSize < sizeof(BITMAPINFOHEADER) || fields.biSize > bytes ||
        (bytes - fields.biSize) / 4 < static_cast<DWORD>(entries))
        entries = 0;
    const uint8_t* table = reinterpret_cast<const uint8_t*>(header) + fields.biSize;
    for (int i = 0; i < entries; ++i) {
        // RGBQUAD: blue, green, red, reserved.
        Append(palette, table[4 * i + 2], table[4 * i + 1], table[4 * i]);
    }
    *count = palette->count;
    return palette->count;
}

ErrorCode BuildDocumentPalette(void* viewRecord, PaletteBuffer* palette)
{
    std::memset(palette, 0, sizeof(*palette));
    palette->version = 0x300;
    int count = 0;
    AddStandardColors(palette, &count);
    const int store = ReadViewField(viewRecord, kViewStoreSlot);

    COLORREF listed[kMaxDocumentColors];
    int listCount = 0;
    ErrorCode result = ReadDocumentColors(store, listed, &listCount);
    const COLORREF* standard = StandardColors();
    for (int i = 0; i < listCount && palette->count < kPaletteEntries; ++i) {
        if (!ColorInList(listed[i], standard, kColorTableSize))
            Append(palette, GetRValue(listed[i]), GetGValue(listed[i]), GetBValue(listed[i]));
    }

    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (drawing && palette->count < kPaletteEntries) {
        ErrorCode code = AddDrawingPictureColors(palette, store, drawing);
        if (code != kErrNone)
            result = code;
    }
    if (drawing)
        GlobalUnlock(drawingHandle);
    if (palette->count < kPaletteEntries && MergeLibraryColorsCall)
        MergeLibraryColorsCall(reinterpret_cast<LOGPALETTE*>(palette));
    if (palette->count > kPaletteEntries)
        palette->count = kPaletteEntries;
    return result;
}

ErrorCode RealizeDocumentPalette(HWND view, void* viewRecord)
{
    if (!view || !viewRecord)
        return kErrNone;
    HDC dc = GetDC(view);
    if (!dc)
        return kErrNone;
    HPALETTE held = PaletteField(viewRecord, kViewPalette);
    HPALETTE replaced = PaletteField(viewRecord, kViewReplacedPalette);
    if (held && replaced) {
        SelectPalette(dc, replaced, FALSE);
        DeleteObject(held);
        WriteViewField(viewRecord, kViewPalette, 0);
        WriteViewField(viewRecord, kViewReplacedPalette, 0);
        RealizePalette(dc);
    }
    ErrorCode result = kErrNone;
    if (GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) == 8) {
        HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(PaletteBuffer));
        auto* palette = block ? static_cast<PaletteBuffer*>(GlobalLock(block)) : nullptr;
        HPALETTE made = nullptr;
        if (palette) {
            result = BuildDocumentPalette(viewRecord, palette);
            made = CreatePalette(reinterpret_cast<const LOGPALETTE*>(palette));
            GlobalUnlock(block);
        }
        if (block)
            GlobalFree(block);
        if (made) {
            held = PaletteField(viewRecord, kViewPalette);
            replaced = PaletteField(viewRecord, kViewReplacedPalette);
            if (held) {
                SelectPalette(dc, replaced, FALSE);
                DeleteObject(held);
            }
            HPALETTE previous = SelectPalette(dc, made, FALSE);
            WriteViewField(viewRecord, kViewPalette, HandleToWord(made));
            WriteViewField(viewRecord, kViewReplacedPalette, HandleToWord(previous));
            RealizePalette(dc);
            if (HWND editor = GetWindow(view, GW_CHILD))
                SendMessageA(editor, kEditorSetPalette, reinterpret_cast<WPARAM>(made), 0);
        }
    }
    ReleaseDC(view, dc);
    return result;
}
