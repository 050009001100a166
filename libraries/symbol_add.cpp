#include "libraries/symbol_commands.h"

#include "common/app_globals.h"
#include "common/clipboard_formats.h"
#include "common/edit_errors.h"
#include "common/info_dialog.h"
#include "common/results.h"
#include "libraries/library_window.h"
#include "libraries/symbol_editor.h"
#include "libraries/symbol_hooks.h"
#include "libraries/symbol_records.h"
#include "libraries/symbol_rules.h"
#include "objects/clipboard_pictures.h"
#include "objects/picture_chunks.h"
#include "objects/picture_save.h"
#include "resources/resource_ids.h"

RenderSymbolHook RenderSelectionForSymbolCall = nullptr;

namespace {

const int kAddLibraryTopic = 213;
const int kMetaSizeTopic = 20002;
const int kNoFrameHint = -1;

// What a new symbol is made of while it is being added.
struct NewSymbol {
    HGLOBAL bits = nullptr;
    RECT size = {0, 0, 0, 0};
    RECT bounds = {0, 0, 0, 0};
    int colorCount = 0;
    COLORREF colors[kMaxPictureColors] = {};
    int scanFlags = 0;
    bool picture = false;
    bool objects = false;
    HGLOBAL stream = nullptr;
    DWORD streamSize = 0;
    RECT frame = {0, 0, 0, 0};
    int hint = kNoFrameHint;

    NewSymbol() = default;
    NewSymbol(const NewSymbol&) = delete;
    NewSymbol& operator=(const NewSymbol&) = delete;
    ~NewSymbol()
    {
        if (bits)
            GlobalFree(bits);
        if (stream)
            GlobalFree(stream);
    }
};

ErrorCode ReadPicture(NewSymbol* symbol, HGLOBAL metafilePict)
{
    ErrorCode code = ReadMetafilePict(&symbol->bits, &symbol->size, &symbol->bounds, &symbol->colorCount,
                                      symbol->colors, &symbol->scanFlags, metafilePict);
    symbol->picture = code == kErrNone && symbol->bits;
    return code;
}

// The program's own objects are rendered from the clipboard scratch store;
// a foreign metafile is taken as it is.
ErrorCode TakeFromClipboard(NewSymbol* symbol)
{
    if (!OpenClipboard(MainWindow))
        return kErrNone;
    const bool ours = PrivatePictFormat && IsClipboardFormatAvailable(PrivatePictFormat);
    ErrorCode code = kErrNone;
    if (!ours && IsClipboardFormatAvailable(CF_METAFILEPICT))
        code = ReadPicture(symbol, nullptr);
    CloseClipboard();
    if (!ours || !RenderSelectionForSymbolCall)
        return code;
    HGLOBAL metafilePict = nullptr;
    code = RenderSelectionForSymbolCall(&metafilePict, &symbol->stream, &symbol->streamSize, 1, &symbol->frame,
                                        &symbol->hint);
    if (code == kErrNone) {
        code = ReadPicture(symbol, metafilePict);
        GlobalFree(metafilePict);
    }
    symbol->objects = code == kErrNone && symbol->stream;
    return code;
}

VexletRecord FirstValues(const NewSymbol& symbol)
{
    VexletRecord item;
    InitVexletRecord(&item);
    item.preferredWidth = static_cast<int16_t>(symbol.size.right - symbol.size.left);
    item.preferredHeight = static_cast<int16_t>(symbol.size.bottom - symbol.size.top);
    if (!symbol.objects)
        return item;
    const bool frameKnown = symbol.hint != kNoFrameHint;
    item.optionFlags = kSymbolAutomatic;
    if (!frameKnown)
        item.optionFlags |= kSymbolSizeFromPicture;
    item.growMode = GrowModeFromHint(symbol.hint, frameKnown);
    if (frameKnown) {
        item.preferredWidth = static_cast<int16_t>(symbol.frame.right - symbol.frame.left);
        item.preferredHeight = static_cast<int16_t>(symbol.frame.bottom - symbol.frame.top);
    }
    return item;
}

ErrorCode StoreNewSymbol(int row, const NewSymbol& symbol, VexletRecord item, char* name)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    int id = 0;
    int chunks = 0;
    ErrorCode code = SavePicture(slot.store, kLibraryPictureGroup, symbol.bits,
                                 static_cast<DWORD>(GlobalSize(symbol.bits)), &symbol.bounds, &id, &chunks,
                                 symbol.colorCount, symbol.colors, symbol.scanFlags);
    if (code == kErrNone && symbol.objects)
        code = StoreSymbolObjects(slot.store, id, symbol.stream, symbol.streamSize);
    if (code == kErrNone && name[0])
        code = StoreVexletName(row, id, name);
    if (code == kErrNone)
        code = WriteChunkConnectPoints(slot.store, kLibraryPictureGroup, id, item);
    if (code != kErrNone)
        return code;
    item.furtherChunks = static_cast<int16_t>(chunks - 1);
    item.symbolId = static_cast<int16_t>(id);
    slot.header->items[slot.header->symbolCount] = item;
    slot.header->symbolCount++;
    return RefreshAfterSymbolChange(row);
}

} // namespace

void AddVexletToLibrary(HWND window, int fromDrop)
{
    const int row = GetLibraryRow(window);
    if (!IsValidLibraryRow(row) || !RowHeader(row))
        return;
    if (LibraryWindows[row].readOnly) {
        WarnById(IDS_LIBRARY_READ_ONLY);
        return;
    }
    if (RowHeader(row)->symbolCount >= kMaxLibrarySymbols) {
        WarnById(IDS_LIBRARY_FULL);
        return;
    }
    // Objects dragged out of a drawing reach a library only through the clipboard.
    if (fromDrop)
        return;
    NewSymbol symbol;
    ErrorCode code = TakeFromClipboard(&symbol);
    if (!symbol.picture) {
        ShowInfoDialog("INFO_ADDLIB", kAddLibraryTopic);
        return;
    }
    if (code == kErrNone && !SymbolPictureFits(static_cast<DWORD>(GlobalSize(symbol.bits)), symbol.colorCount)) {
        ShowInfoDialog("INFO_METASIZE", kMetaSizeTopic);
        return;
    }
    if (code != kErrNone) {
        ReportEditError(code);
        return;
    }
    VexletRecord item = FirstValues(symbol);
    char name[kVexletNameBuffer] = "";
    if (!EditVexletProperties(window, symbol.bits, &item, &symbol.bounds, symbol.scanFlags,
                              LibraryWindows[row].palette, name, symbol.objects ? 1 : 0))
        return;
    code = StoreNewSymbol(row, symbol, item, name);
    if (code != kErrNone)
        ReportEditError(code);
}
