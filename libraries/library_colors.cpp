#include "libraries/library_colors.h"

#include "common/app_globals.h"
#include "documents/view_children.h"
#include "libraries/library_window.h"
#include "objects/document_palette.h"
#include "objects/picture_chunks.h"
#include "objects/view_record.h"
#include "store/record_store.h"

namespace {

const int kPaletteDisplayBits = 8;
const WORD kLogPaletteVersion = 0x300;
const int kFixedEntries = 2;

bool PaletteDisplay()
{
    HDC dc = GetDC(MainWindow);
    if (!dc)
        return false;
    const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    ReleaseDC(MainWindow, dc);
    return bits == kPaletteDisplayBits;
}

PALETTEENTRY EntryOf(COLORREF color)
{
    return PALETTEENTRY{GetRValue(color), GetGValue(color), GetBValue(color), 0};
}

bool Holds(const PaletteBuffer& palette, PALETTEENTRY entry)
{
    for (int i = 0; i < palette.count; ++i)
        if (palette.entries[i].peRed == entry.peRed && palette.entries[i].peGreen == entry.peGreen &&
            palette.entries[i].peBlue == entry.peBlue)
            return true;
    return false;
}

void Append(PaletteBuffer* palette, PALETTEENTRY entry)
{
    if (palette->count < kPaletteEntries && !Holds(*palette, entry))
        palette->entries[palette->count++] = entry;
}

void StartWithButtonColors(PaletteBuffer* palette)
{
    palette->version = kLogPaletteVersion;
    palette->count = 0;
    palette->entries[palette->count++] = EntryOf(GetSysColor(COLOR_BTNFACE));
    palette->entries[palette->count++] = EntryOf(GetSysColor(COLOR_BTNTEXT));
}

void CollectSymbolColors(int row, PaletteBuffer* palette)
{
    const LibraryWindowSlot& slot = LibraryWindows[row];
    for (int i = 0; i < slot.header->symbolCount && palette->count < kPaletteEntries; ++i) {
        HGLOBAL block = nullptr;
        RECT bounds;
        int colorCount = 0;
        int scanFlags = 0;
        DWORD bytes = 0;
        COLORREF colors[kMaxPictureColors];
        if (LoadPicture(slot.store, kLibraryPictureGroup, slot.header->items[i].symbolId, 1, &block, &bounds,
                        &colorCount, colors, &scanFlags, &bytes))
            continue;
        GlobalFree(block);
        for (int c = 0; c < colorCount && c < kMaxPictureColors; ++c)
            Append(palette, EntryOf(colors[c]));
    }
}

void StorePalette(int row, const PaletteBuffer& palette)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    if (slot.palette)
        DeleteObject(slot.palette);
    slot.palette = palette.count ? CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette)) : nullptr;
}

} // namespace

void CollectLibraryColors(int row)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    if (!PaletteDisplay() || !slot.header || !slot.view) {
        if (slot.palette)
            DeleteObject(slot.palette);
        slot.palette = nullptr;
        return;
    }
    PaletteBuffer palette;
    StartWithButtonColors(&palette);
    // A picture that cannot be joined only loses its colours; the chunk's
    // own colour count is bounded by the reader.
    CollectSymbolColors(row, &palette);
    for (int i = 0; i < palette.count; ++i)
        slot.view->paletteEntries[i] = palette.entries[i];
    slot.view->paletteCount = static_cast<int16_t>(palette.count);
    StorePalette(row, palette);
    DiscardError(SetRecordDirty(slot.viewHandle), "the block is held while the library is open");
}

void BuildLibraryPalette(int row)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    if (!PaletteDisplay() || !slot.view) {
        if (slot.palette)
            DeleteObject(slot.palette);
        slot.palette = nullptr;
        return;
    }
    PaletteBuffer palette;
    StartWithButtonColors(&palette);
    const int stored = slot.view->paletteCount;
    for (int i = 0; i < stored && palette.count < kPaletteEntries; ++i)
        palette.entries[palette.count++] = slot.view->paletteEntries[i];
    StorePalette(row, palette);
}

void MergeLibraryColors(LOGPALETTE* logPalette)
{
    auto* palette = reinterpret_cast<PaletteBuffer*>(logPalette);
    for (int row = 0; row < kLibraryRowCount; ++row) {
        const LibraryViewBlock* view = LibraryWindows[row].window ? LibraryWindows[row].view : nullptr;
        for (int i = 0; view && i < view->paletteCount && palette->count < kPaletteEntries; ++i)
            Append(palette, view->paletteEntries[i]);
    }
}

void RealizeAllDocumentPalettes()
{
    if (!MdiClientWindow)
        return;
    for (HWND child = GetWindow(MdiClientWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetParent(child) != MdiClientWindow)
            continue;
        HWND view = DocumentViewOf(child);
        ViewRecord* record = view ? LockViewRecord(view) : nullptr;
        if (!record)
            continue;
        const bool valid = CheckStoreIndex(record->storeSlot) == kErrNone;
        if (valid)
            DiscardError(RealizeDocumentPalette(view, record), "a palette left as it was still paints");
        ReleaseViewRecord(view);
    }
}
