#include "ole/document_render.h"

#include "common/app_globals.h"
#include "common/handle_tokens.h"
#include "documents/clipboard_store.h"
#include "documents/document_records.h"
#include "documents/drawing_stream.h"
#include "documents/hidden_view.h"
#include "objects/document_palette.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "ole/drawing_render.h"
#include "store/record_store.h"
#include "text/font_list.h"

namespace {

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

} // namespace

ErrorCode StoreScratchFontTable(void* viewRecord)
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

namespace {

struct RenderRequest {
    HANDLE* out;
    int kind;
};

ErrorCode RenderHidden(HWND hidden, void* viewRecord, void* context)
{
    const auto* request = static_cast<const RenderRequest*>(context);
    HANDLE* out = request->out;
    HGLOBAL drawing = GetViewDrawingHandle(viewRecord);
    auto palette = reinterpret_cast<HPALETTE>(static_cast<INT_PTR>(ReadViewField(viewRecord, kViewPalette)));
    ErrorCode code = kErrNone;
    switch (request->kind) {
    case kRenderBitmap:
        *out = MakeDrawingBitmap(hidden, TRUE);
        break;
    case kRenderMetafilePict:
        *out = MakePictureMetafilePict(drawing, FALSE);
        if (!*out)
            *out = MakeDrawingMetafilePict(drawing, palette, FALSE, TRUE, TRUE);
        break;
    default:
        code = StoreScratchFontTable(viewRecord);
        if (code == kErrNone)
            code = WriteStream(viewRecord, out);
        break;
    }
    if (code == kErrNone && !*out)
        code = kErrNotDone;
    return code;
}

} // namespace

ErrorCode RenderDocumentData(HWND view, void* viewRecord, HANDLE* out, int kind)
{
    *out = nullptr;
    if (!view) {
        RenderRequest request = {out, kind};
        return WithScratchStoreView(RenderHidden, &request);
    }
    ErrorCode code = StoreDocumentState(GetParent(view), 0);
    if (code == kErrNone)
        code = WriteStream(viewRecord, out);
    return code;
}

ErrorCode WithScratchStoreView(ScratchViewWork work, void* context)
{
    if (ClipboardScratchStore < 0)
        return kErrNotDone;
    ErrorCode code = FlushStore(ClipboardScratchStore, FALSE);
    if (code != kErrNone)
        return code;
    HWND hidden = nullptr;
    code = CreateHiddenDrawingView(&hidden);
    if (code != kErrNone)
        return code;
    int converted = 0;
    code = ReadDocumentRecords(hidden, ClipboardScratchStore, &converted);
    HGLOBAL handle = code == kErrNone ? GetViewRecordHandle(hidden) : nullptr;
    void* viewRecord = handle ? GlobalLock(handle) : nullptr;
    if (code == kErrNone && !viewRecord)
        code = kErrNoMemory;
    if (code == kErrNone)
        code = RealizeDocumentPalette(hidden, viewRecord);
    if (code == kErrNone)
        code = work(hidden, viewRecord, context);
    if (viewRecord)
        GlobalUnlock(handle);
    // Its destruction frees the view data read above.
    DestroyWindow(hidden);
    return code;
}
