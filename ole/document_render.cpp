#include "ole/document_render.h"

#include "common/app_globals.h"
#include "common/handle_tokens.h"
#include "documents/clipboard_store.h"
#include "documents/document_records.h"
#include "documents/drawing_stream.h"
#include "objects/document_palette.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "ole/drawing_render.h"
#include "store/record_store.h"
#include "text/font_list.h"

namespace {

const char kViewClass[] = "MDScrollClass";

ErrorCode WriteStream(void* viewRecord, HANDLE* out)
{
    HGLOBAL block = nullptr;
    DWORD size = 0;
    ErrorCode code = WriteDrawingFile(nullptr, &block, &size, static_cast<ViewRecord*>(viewRecord));
    if (code == kErrNone && !block)
        code = kErrNotDone;
    if (code == kErrNone)
        *out = block;
    else if (block)
        GlobalFree(block);
    return code;
}

// The font table may have grown while the scratch store was read; the stream
// writer reads it from its record.
ErrorCode StoreFontTable(void* viewRecord)
{
    HGLOBAL table = TokenHandle(static_cast<ViewRecord*>(viewRecord)->fontTable);
    if (!table)
        return kErrNone;
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(ClipboardScratchStore, kDocumentGroup, kFontTableId, &record);
    if (code != kErrNone)
        return code;
    const DWORD size = static_cast<DWORD>(GlobalSize(table)) + kRecordHeaderBytes;
    if (QueryRecordSize(record) != size)
        code = ResizeRecord(&record, size);
    if (code == kErrNone)
        code = CopyBlockToRecord(table, record);
    if (code == kErrNone)
        code = SetRecordDirty(record);
    ReleaseRecord(record);
    return code;
}

ErrorCode RenderHidden(HWND hidden, HANDLE* out, int kind)
{
    HGLOBAL handle = GetViewRecordHandle(hidden);
    void* viewRecord = handle ? GlobalLock(handle) : nullptr;
    if (!viewRecord)
        return kErrNoMemory;
    ErrorCode code = RealizeDocumentPalette(hidden, viewRecord);
    HGLOBAL drawing = GetViewDrawingHandle(viewRecord);
    auto palette = reinterpret_cast<HPALETTE>(static_cast<INT_PTR>(ReadViewField(viewRecord, kViewPalette)));
    if (code == kErrNone) {
        switch (kind) {
        case kRenderBitmap:
            *out = MakeDrawingBitmap(hidden, TRUE);
            break;
        case kRenderMetafilePict:
            *out = MakePictureMetafilePict(drawing, FALSE);
            if (!*out)
                *out = MakeDrawingMetafilePict(drawing, palette, FALSE, TRUE, TRUE);
            break;
        default:
            code = StoreFontTable(viewRecord);
            if (code == kErrNone)
                code = WriteStream(viewRecord, out);
            break;
        }
    }
    GlobalUnlock(handle);
    if (code == kErrNone && !*out)
        code = kErrNotDone;
    return code;
}

ErrorCode RenderScratchStore(HANDLE* out, int kind)
{
    if (ClipboardScratchStore < 0)
        return kErrNotDone;
    ErrorCode code = FlushStore(ClipboardScratchStore, FALSE);
    if (code != kErrNone)
        return code;
    RECT client = {0, 0, 0, 0};
    if (MainWindow)
        GetClientRect(MainWindow, &client);
    HWND hidden = CreateWindowA(kViewClass, nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0,
                                client.right, client.bottom, MainWindow, nullptr, AppInstance, nullptr);
    if (!hidden)
        return kErrNotDone;
    int converted = 0;
    code = ReadDocumentRecords(hidden, ClipboardScratchStore, &converted);
    if (code == kErrNone)
        code = RenderHidden(hidden, out, kind);
    // Its destruction frees the view data read above.
    DestroyWindow(hidden);
    return code;
}

} // namespace

ErrorCode RenderDocumentData(HWND view, void* viewRecord, HANDLE* out, int kind)
{
    *out = nullptr;
    if (!view)
        return RenderScratchStore(out, kind);
    ErrorCode code = StoreDocumentState(GetParent(view), 0);
    if (code == kErrNone)
        code = WriteStream(viewRecord, out);
    return code;
}
