#include "documents/document_records.h"

#include <cstring>
#include <initializer_list>

#include "common/display_flags.h"
#include "common/handle_tokens.h"
#include "common/io_seam.h"
#include "documents/earlier_version.h"
#include "documents/page_layout.h"
#include "documents/printer_context.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_records.h"
#include "store/record_store.h"
#include "text/font_list.h"
#include "objects/view_record_word.h"

namespace {

ErrorCode CreateAndRelease(int store, short id, DWORD size)
{
    RecordHandle record = nullptr;
    ErrorCode code = CreateRecord(store, kDocumentGroup, id, size, &record);
    if (code == kErrNone)
        ReleaseRecord(record);
    return code;
}

// The payload of a record of group 100 in a new block of at least
// `minimum` bytes (zero-filled beyond the payload).
ErrorCode CopyRecordIntoBlock(int store, short id, DWORD minimum, HGLOBAL* block)
{
    *block = nullptr;
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kDocumentGroup, id, &record);
    if (code != kErrNone)
        return code;
    const DWORD size = QueryRecordSize(record);
    const DWORD payload = size > kRecordHeaderBytes ? size - kRecordHeaderBytes : 0;
    HGLOBAL copy = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, payload > minimum ? payload : minimum);
    if (!copy) {
        ReleaseRecord(record);
        return kErrNoMemory;
    }
    auto* from = static_cast<const unsigned char*>(GlobalLock(record));
    auto* to = static_cast<unsigned char*>(GlobalLock(copy));
    if (from && to && payload > 0)
        std::memcpy(to, from + kRecordHeaderBytes, payload);
    if (to)
        GlobalUnlock(copy);
    if (from)
        GlobalUnlock(record);
    ReleaseRecord(record);
    if (!from || !to) {
        GlobalFree(copy);
        return kErrNoMemory;
    }
    *block = copy;
    return kErrNone;
}

// Puts a block's bytes into a record of group 100, sized to match.
ErrorCode CopyBlockIntoRecord(int store, short id, const void* bytes, DWORD count)
{
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kDocumentGroup, id, &record);
    if (code != kErrNone)
        return code;
    if (QueryRecordSize(record) != count + kRecordHeaderBytes)
        code = ResizeRecord(&record, count + kRecordHeaderBytes);
    if (code == kErrNone) {
        auto* target = static_cast<unsigned char*>(GlobalLock(record));
        if (!target) {
            code = kErrNoMemory;
        } else {
            std::memcpy(target + kRecordHeaderBytes, bytes, count);
            GlobalUnlock(record);
            code = SetRecordDirty(record);
        }
    }
    ReleaseRecord(record);
    return code;
}

ErrorCode CopyHandleIntoRecord(int store, short id, HGLOBAL block)
{
    if (!block)
        return kErrNoMemory;
    const void* bytes = GlobalLock(block);
    if (!bytes)
        return kErrNoMemory;
    ErrorCode code = CopyBlockIntoRecord(store, id, bytes, static_cast<DWORD>(GlobalSize(block)));
    GlobalUnlock(block);
    return code;
}

// The view record's blocks, kept apart while it is being built so that a
// failure frees each once.
struct ViewBlocks {
    HGLOBAL view = nullptr;
    HGLOBAL devMode = nullptr;
    HGLOBAL fontTable = nullptr;
    HGLOBAL fontList = nullptr;
    HDC context = nullptr;

    void FreeAll()
    {
        if (context)
            DeleteDC(context);
        FreeFontList(fontList);
        for (HGLOBAL block : {devMode, fontTable, view}) {
            if (block)
                GlobalFree(block);
        }
        *this = ViewBlocks{};
    }
};

// Names the blocks in the view record (tokens), once they are final.
void NameBlocks(ViewRecord* record, const ViewBlocks& blocks)
{
    SetViewDevMode(record, blocks.devMode);
    SetViewFontTable(record, blocks.fontTable);
    SetViewFontList(record, blocks.fontList);
    record->measuringDC = HandleToWord(blocks.context);
}

void ForgetBlockTokens(ViewRecord* record)
{
    FreeHandleToken(record->devMode);
    FreeHandleToken(record->fontTable);
    FreeHandleToken(record->fontList);
    record->devMode = record->fontTable = record->fontList = 0;
    record->measuringDC = 0;
}

ErrorCode FillNewViewRecord(HWND view, int store, ViewRecord* record, ViewBlocks* blocks)
{
    record->version = kViewRecordVersion;
    record->flags = 0;
    record->storeSlot = store;
    record->pendingUndo = 0;
    record->printer[0] = '\0';
    record->containerBackground = -1;

    SIZE page = {0, 0};
    RECT deviceMargins = {0, 0, 0, 0};
    int isDefault = 0;
    blocks->context = OpenPrinterContext(record->printer, &blocks->devMode, &deviceMargins, &page,
                                         kPrinterNewDefault, 0, &isDefault, nullptr);
    if (!blocks->context)
        return kErrNoPrinterContext;
    if (isDefault)
        record->flags |= kViewDefaultPrinter;
    record->overlap = 0;
    ApplyPageMeasures(record, page, deviceMargins);
    SetDrawingAreaFromFlags(record, blocks->devMode);

    blocks->fontList = NewFontList();
    if (!blocks->fontList)
        return kErrNoMemory;
    ErrorCode code = CreateAndRelease(store, kFontListId, kFontListHeadSize + kRecordHeaderBytes);
    if (code == kErrNone)
        code = CopyHandleIntoRecord(store, kFontListId, blocks->fontList);
    if (code != kErrNone)
        return code;

    LOGFONTA interfaceFont;
    GetDefaultLogFont(&interfaceFont);
    int index = FindOrAddFace(&blocks->fontList, interfaceFont.lfFaceName, &interfaceFont);
    if (index < 0)
        index = GetDefaultFontIndex(blocks->fontList);
    FindOrAddFontIndex(&blocks->fontTable, index);
    NameBlocks(record, *blocks);

    HGLOBAL drawing = nullptr;
    code = CreateDrawingRecords(view, store, 0, record->drawingWidth, record->drawingHeight, 0, &drawing);
    if (code != kErrNone)
        return code;
    SetViewDrawingHandle(record, drawing);
    return kErrNone;
}

ErrorCode ReadStoredView(HWND view, int store, ViewRecord* record, ViewBlocks* blocks)
{
    ErrorCode code = CopyRecordIntoBlock(store, kPrinterSetupId, kDevModePublicSize, &blocks->devMode);
    if (code == kErrNone)
        code = CopyRecordIntoBlock(store, kFontTableId, 4, &blocks->fontTable);
    if (code != kErrNone)
        return code;
    ClearStoredViewHandles(record);
    record->storeSlot = store;
    record->printer[kPrinterStringSize - 1] = '\0';

    int mode = kPrinterUseStored;
    int isDefault = (record->flags & kViewDefaultPrinter) ? 1 : 0;
    if (isDefault) {
        char current[kPrinterStringSize];
        GetDefaultPrinterString(current);
        if (lstrcmpiA(current, record->printer) != 0) {
            record->printer[0] = '\0';
            mode = kPrinterKeepPaper;
        }
    }
    SIZE page = {record->pageWidth, record->pageHeight};
    RECT deviceMargins = record->deviceMargins;
    blocks->context =
        OpenPrinterContext(record->printer, &blocks->devMode, &deviceMargins, &page, mode, 0, &isDefault, nullptr);
    if (!blocks->context)
        return kErrNoMemory;
    record->flags = isDefault ? (record->flags | kViewDefaultPrinter) : (record->flags & ~kViewDefaultPrinter);
    record->overlap = record->overlap > 0 ? kPageOverlap : 0;
    ApplyPageMeasures(record, page, deviceMargins);
    SetDrawingAreaFromFlags(record, blocks->devMode);

    // The faces this system has, with the stored table re-pointed at them.
    blocks->fontList = NewFontList();
    if (!blocks->fontList)
        return kErrNoMemory;
    code = BuildFontList(view, blocks->context, &blocks->fontList);
    if (code != kErrNone)
        return code;
    HGLOBAL storedList = nullptr;
    code = CopyRecordIntoBlock(store, kFontListId, kFontListHeadSize, &storedList);
    if (code != kErrNone)
        return code;
    MapFontTableToList(blocks->fontTable, storedList, &blocks->fontList);
    GlobalFree(storedList);
    return CopyHandleIntoRecord(store, kFontListId, blocks->fontList);
}

ErrorCode OpenStoredDrawing(HWND view, int store, ViewRecord* record)
{
    HGLOBAL drawing = nullptr;
    ErrorCode code = OpenDrawingRecords(view, store, 0, 0, &drawing);
    if (code != kErrNone)
        return code;
    SetViewDrawingHandle(record, drawing);
    record->flags &= ~kViewModified;
    if (auto* drawingRecord = static_cast<DrawingRecord*>(GlobalLock(drawing))) {
        // The drawing takes the area the printer gives the document.
        drawingRecord->width = record->drawingWidth;
        drawingRecord->height = record->drawingHeight;
        GlobalUnlock(drawing);
        return SetRecordDirty(drawing);
    }
    return kErrNone;
}

} // namespace

void GetDefaultLogFont(LOGFONTA* logFont)
{
    std::memset(logFont, 0, sizeof(*logFont));
    HGDIOBJ font = DefaultUiFont ? static_cast<HGDIOBJ>(DefaultUiFont) : GetStockObject(DEFAULT_GUI_FONT);
    if (!font || GetObjectA(font, sizeof(*logFont), logFont) == 0) {
        std::memset(logFont, 0, sizeof(*logFont));
        lstrcpynA(logFont->lfFaceName, "Arial", LF_FACESIZE);
    }
}

ErrorCode CreateDocumentColorList(int storeSlot)
{
    return CreateAndRelease(storeSlot, kColorListId, kColorListRecordSize);
}

ErrorCode CreateDocumentRecords(HWND view, int storeSlot)
{
    ErrorCode code = CreateAndRelease(storeSlot, kDrawingRecordId105, kNewDrawingRecordSize);
    if (code != kErrNone)
        return code;
    ViewBlocks blocks;
    blocks.view = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kViewRecordSize);
    blocks.devMode = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kDevModePublicSize);
    blocks.fontTable = NewFontTable();
    if (!blocks.view || !blocks.devMode || !blocks.fontTable) {
        blocks.FreeAll();
        return kErrNoMemory;
    }
    const short ids[3] = {kViewRecordId, kPrinterSetupId, kFontTableId};
    const DWORD sizes[3] = {kViewRecordSize + kRecordHeaderBytes, kNewDevModeRecordSize, kNewFontTableRecordSize};
    for (int i = 0; i < 3 && code == kErrNone; ++i)
        code = CreateAndRelease(storeSlot, ids[i], sizes[i]);
    if (code == kErrNone)
        code = CreateDocumentColorList(storeSlot);
    if (code != kErrNone) {
        blocks.FreeAll();
        return code;
    }
    auto* record = static_cast<ViewRecord*>(GlobalLock(blocks.view));
    if (!record) {
        blocks.FreeAll();
        return kErrNoMemory;
    }
    code = FillNewViewRecord(view, storeSlot, record, &blocks);
    if (code != kErrNone) {
        SetViewDrawingHandle(record, nullptr);
        ForgetBlockTokens(record);
        GlobalUnlock(blocks.view);
        blocks.FreeAll();
        SetViewRecordHandle(view, nullptr);
        return code;
    }
    GlobalUnlock(blocks.view);
    SetViewRecordHandle(view, blocks.view);
    return kErrNone;
}

ErrorCode ReadDocumentRecords(HWND view, int storeSlot, int* converted)
{
    *converted = 0;
    ViewBlocks blocks;
    ErrorCode code = CopyRecordIntoBlock(storeSlot, kViewRecordId, kViewRecordSize, &blocks.view);
    if (code != kErrNone)
        return code;
    // Only the first 400 bytes are the view record, whatever the record holds.
    if (GlobalSize(blocks.view) != kViewRecordSize) {
        if (HGLOBAL trimmed = SeamGlobalReAlloc(blocks.view, kViewRecordSize, GMEM_MOVEABLE))
            blocks.view = trimmed;
    }
    auto* record = static_cast<ViewRecord*>(GlobalLock(blocks.view));
    if (!record) {
        blocks.FreeAll();
        return kErrNoMemory;
    }
    if (static_cast<uint16_t>(record->version) != kViewRecordVersion) {
        // An earlier version's records are widened in the working store first.
        GlobalUnlock(blocks.view);
        code = ConvertOldDocument(blocks.view, storeSlot);
        record = code == kErrNone ? static_cast<ViewRecord*>(GlobalLock(blocks.view)) : nullptr;
        if (!record) {
            blocks.FreeAll();
            return code != kErrNone ? code : kErrNoMemory;
        }
        *converted = 1;
    }
    code = ReadStoredView(view, storeSlot, record, &blocks);
    if (code == kErrNone) {
        NameBlocks(record, blocks);
        SetViewRecordHandle(view, blocks.view);
        code = OpenStoredDrawing(view, storeSlot, record);
    }
    if (code != kErrNone) {
        SetViewDrawingHandle(record, nullptr);
        ForgetBlockTokens(record);
        GlobalUnlock(blocks.view);
        blocks.FreeAll();
        SetViewRecordHandle(view, nullptr);
        return code;
    }
    GlobalUnlock(blocks.view);
    return kErrNone;
}

void FreeViewRecordBlocks(ViewRecord* view)
{
    FreeFontList(GetViewFontList(view));
    for (HGLOBAL block : {GetViewDevMode(view), GetViewFontTable(view)}) {
        if (block)
            GlobalFree(block);
    }
    if (HDC context = GetViewMeasuringDC(view))
        DeleteDC(context);
    ForgetBlockTokens(view);
}
