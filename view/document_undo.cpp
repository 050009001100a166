#include "view/document_undo.h"

#include <cstring>

#include "documents/view_record.h"
#include "objects/drawing_records.h"
#include "store/record_store.h"
#include "view/view_record_word.h"

namespace {

// Copies the 400-byte view record into the payload of (100,101), keeping the
// old contents for undo.
ErrorCode SaveViewRecord(int store, HGLOBAL viewHandle)
{
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, 100, 101, &record);
    if (code == kStoreErrNotFound)
        return kErrNone;   // a store without a view record keeps none
    if (code != kErrNone)
        return code;
    const SIZE_T held = GlobalSize(viewHandle);
    const DWORD size = static_cast<DWORD>(held < kViewRecordSize ? held : kViewRecordSize);
    code = MarkRecordChanged(record);
    if (code == kErrNone && QueryRecordSize(record) != kViewRecordSize + 16)
        code = ResizeRecord(&record, kViewRecordSize + 16);
    if (code == kErrNone) {
        auto* target = static_cast<unsigned char*>(GlobalLock(record));
        auto* source = static_cast<unsigned char*>(GlobalLock(viewHandle));
        if (target && source)
            std::memcpy(target + 16, source, size);
        GlobalUnlock(viewHandle);
        GlobalUnlock(record);
    }
    ReleaseRecord(record);
    return code;
}

} // namespace

ErrorCode BeginDocumentUndo(HWND view, int undoKind)
{
    HGLOBAL viewHandle = GetViewRecordHandle(view);
    if (!viewHandle)
        return 1;
    auto* viewRecord = GlobalLock(viewHandle);
    if (!viewRecord)
        return kErrNoMemory;
    int store = ReadViewField(viewRecord, kViewStoreSlot);
    ErrorCode code = BeginCheckpoint(store);
    if (code == kErrNone) {
        WriteViewField(viewRecord, kViewPendingUndo, undoKind);
        code = SaveViewRecord(store, viewHandle);
    }
    GlobalUnlock(viewHandle);
    return code;
}

ErrorCode SwapDocumentUndo(HWND view, int mode)
{
    HGLOBAL viewHandle = GetViewRecordHandle(view);
    if (!viewHandle)
        return 1;
    auto* viewRecord = GlobalLock(viewHandle);
    if (!viewRecord)
        return kErrNoMemory;
    ErrorCode code = kErrNone;
    int store = ReadViewField(viewRecord, kViewStoreSlot);
    if (ReadViewField(viewRecord, kViewPendingUndo) != 0 && IsCheckpointOpen(store)) {
        // The drawing's blocks change under the swap: let go of them first.
        ReleaseDrawingRecords(GetViewDrawingHandle(viewRecord));
        SetViewDrawingHandle(viewRecord, nullptr);
        code = SwapCheckpoint(store, mode != 0);
        HGLOBAL drawing = nullptr;
        ErrorCode reopen = OpenDrawingRecords(view, store, 0, 0, &drawing);
        if (reopen == kErrNone)
            SetViewDrawingHandle(viewRecord, drawing);
        if (code == kErrNone)
            code = reopen;
        if (mode == 0)
            WriteViewField(viewRecord, kViewPendingUndo, 0);
        InvalidateRect(view, nullptr, FALSE);
    }
    GlobalUnlock(viewHandle);
    return code;
}
