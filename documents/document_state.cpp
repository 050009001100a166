// Writing a document's state back into its working store, and freeing the
// view's data when the view goes.
#include <cstring>

#include "documents/document_records.h"
#include "common/app_globals.h"
#include "objects/drawing_records.h"
#include "store/record_store.h"
#include "text/ten_startup.h"
#include "objects/view_record_word.h"

namespace {

} // namespace

ErrorCode FillRecordFromBlock(RecordHandle record, HGLOBAL block, DWORD size)
{
    auto* target = static_cast<unsigned char*>(GlobalLock(record));
    const void* source = GlobalLock(block);
    ErrorCode code = kErrNone;
    if (target && source)
        std::memcpy(target + kRecordHeaderBytes, source, size);
    else
        code = kErrNoMemory;
    if (source)
        GlobalUnlock(block);
    if (target)
        GlobalUnlock(record);
    return code == kErrNone ? SetRecordDirty(record) : code;
}

namespace {

ErrorCode StoreBlock(int store, short id, HGLOBAL block)
{
    if (!block)
        return kErrNoMemory;
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kDocumentGroup, id, &record);
    if (code != kErrNone)
        return code;
    const DWORD size = static_cast<DWORD>(GlobalSize(block));
    if (QueryRecordSize(record) != size + kRecordHeaderBytes)
        code = ResizeRecord(&record, size + kRecordHeaderBytes);
    if (code == kErrNone)
        code = FillRecordFromBlock(record, block, size);
    ReleaseRecord(record);
    return code;
}

ErrorCode StoreViewState(HWND view, ViewRecord* record)
{
    const int store = record->storeSlot;
    const short ids[3] = {kPrinterSetupId, kFontTableId, kFontListId};
    const HGLOBAL blocks[3] = {GetViewDevMode(record), GetViewFontTable(record), GetViewFontList(record)};
    for (int i = 0; i < 3; ++i) {
        ErrorCode code = StoreBlock(store, ids[i], blocks[i]);
        if (code != kErrNone)
            return code;
    }
    record->scrollX = GetScrollPos(view, SB_HORZ);
    record->scrollY = GetScrollPos(view, SB_VERT);

    RecordHandle stored = nullptr;
    ErrorCode code = FindRecord(store, kDocumentGroup, kViewRecordId, &stored);
    if (code != kErrNone)
        return code;
    if (QueryRecordSize(stored) != kViewRecordSize + kRecordHeaderBytes)
        code = ResizeRecord(&stored, kViewRecordSize + kRecordHeaderBytes);
    if (code == kErrNone) {
        auto* target = static_cast<unsigned char*>(GlobalLock(stored));
        if (target) {
            std::memcpy(target + kRecordHeaderBytes, record, kViewRecordSize);
            GlobalUnlock(stored);
            code = SetRecordDirty(stored);
        } else {
            code = kErrNoMemory;
        }
    }
    ReleaseRecord(stored);
    if (code != kErrNone)
        return code;
    return FlushStore(store, FALSE);
}

bool IsTextEditorWindow(HWND window)
{
    char className[32] = {};
    return window && GetClassNameA(window, className, sizeof(className)) && lstrcmpA(className, kTenClassName) == 0;
}

} // namespace

StorePreviewHook StorePreviewCall = nullptr;

ErrorCode StoreDocumentState(HWND documentWindow, int withPreview)
{
    HWND view = GetWindow(documentWindow, GW_CHILD);
    HGLOBAL handle = view ? GetViewRecordHandle(view) : nullptr;
    if (!handle)
        return kErrNoMemory;
    auto* record = static_cast<ViewRecord*>(GlobalLock(handle));
    if (!record)
        return kErrNoMemory;
    const int kPreviewBox = 150;
    if (withPreview && StorePreviewCall)
        DiscardError(StorePreviewCall(view, record, SIZE{kPreviewBox, kPreviewBox}),
                     "a document is saved without its preview rather than not at all");
    ErrorCode code = StoreViewState(view, record);
    GlobalUnlock(handle);
    return code;
}

void DestroyViewData(HWND view)
{
    HWND child = GetWindow(view, GW_CHILD);
    if (IsTextEditorWindow(child))
        DestroyWindow(child);
    HGLOBAL handle = GetViewRecordHandle(view);
    if (!handle)
        return;
    if (auto* record = static_cast<ViewRecord*>(GlobalLock(handle))) {
        FreeViewRecordBlocks(record);
        if (record->libraryAtom)
            GlobalDeleteAtom(record->libraryAtom);
        if (HPALETTE replaced = WordToHandle<HPALETTE>(record->replacedPalette)) {
            HDC dc = GetDC(view);
            SelectPalette(dc, replaced, FALSE);
            RealizePalette(dc);
            ReleaseDC(view, dc);
        }
        if (HPALETTE own = WordToHandle<HPALETTE>(record->palette)) {
            DeleteObject(own);
            SendMessageA(HWND_BROADCAST, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(MainWindow), 0);
        }
        ReleaseDrawingRecords(GetViewDrawingHandle(record));
        SetViewDrawingHandle(record, nullptr);
        GlobalUnlock(handle);
    }
    GlobalFree(handle);
    SetViewRecordHandle(view, nullptr);
}
