#include "objects/document_undo.h"

#include <cstring>

#include "common/results.h"
#include "objects/view_record.h"
#include "objects/document_palette.h"
#include "objects/drawing_records.h"
#include "objects/text_format_bar.h"
#include "store/record_store.h"
#include "common/edit_errors.h"
#include "objects/view_record_word.h"

namespace {

const short kViewRecordGroup = 100;
const short kViewRecordId = 101;
const DWORD kRecordHeaderBytes = 16;

class LockedViewRecord {
public:
    explicit LockedViewRecord(HWND view) : handle_(GetViewRecordHandle(view))
    {
        record_ = handle_ ? static_cast<ViewRecord*>(GlobalLock(handle_)) : nullptr;
    }
    ~LockedViewRecord()
    {
        if (record_)
            GlobalUnlock(handle_);
    }
    LockedViewRecord(const LockedViewRecord&) = delete;
    LockedViewRecord& operator=(const LockedViewRecord&) = delete;

    HGLOBAL handle() const { return handle_; }
    ViewRecord* get() const { return record_; }

private:
    HGLOBAL handle_;
    ViewRecord* record_ = nullptr;
};

// The bytes of a block and a record's payload that both hold.
DWORD CommonBytes(HGLOBAL block, RecordHandle record)
{
    SIZE_T held = GlobalSize(block);
    DWORD size = QueryRecordSize(record);
    DWORD payload = size > kRecordHeaderBytes ? size - kRecordHeaderBytes : 0;
    return static_cast<DWORD>(held < payload ? held : payload);
}

ErrorCode SaveViewRecord(int store, HGLOBAL block, const ViewRecord* record)
{
    RecordHandle stored = nullptr;
    ErrorCode code = FindRecord(store, kViewRecordGroup, kViewRecordId, &stored);
    if (code != kErrNone)
        return code;
    DWORD bytes = CommonBytes(block, stored);
    auto* target = static_cast<unsigned char*>(GlobalLock(stored));
    if (target) {
        std::memcpy(target + kRecordHeaderBytes, record, bytes);
        GlobalUnlock(stored);
        // The copy is no part of the checkpoint: undo and redo both restore it.
        code = SetRecordDirty(stored);
    } else {
        code = kErrNoMemory;
    }
    ReleaseRecord(stored);
    return code;
}

// The stored copy over the view record, keeping what belongs to this run.
ErrorCode RestoreViewRecord(int store, HGLOBAL block, ViewRecord* record, int keep)
{
    RecordHandle stored = nullptr;
    ErrorCode code = FindRecord(store, kViewRecordGroup, kViewRecordId, &stored);
    if (code != kErrNone)
        return code;
    ViewRecord kept;
    std::memcpy(&kept, record, sizeof(kept));
    DWORD bytes = CommonBytes(block, stored);
    auto* source = static_cast<unsigned char*>(GlobalLock(stored));
    if (source) {
        std::memcpy(record, source + kRecordHeaderBytes, bytes);
        GlobalUnlock(stored);
    } else {
        code = kErrNoMemory;
    }
    ReleaseRecord(stored);
    record->storeSlot = kept.storeSlot;
    record->textEditor = kept.textEditor;
    record->measuringDC = kept.measuringDC;
    record->palette = kept.palette;
    record->replacedPalette = kept.replacedPalette;
    record->fontTable = kept.fontTable;
    record->fontList = kept.fontList;
    record->devMode = kept.devMode;
    record->drawingRecord = kept.drawingRecord;
    record->oleRegistration = kept.oleRegistration;
    record->oleObjects = kept.oleObjects;
    record->pendingUndo = kept.pendingUndo;
    // Undoing or redoing changes the drawing: an edited document stays
    // edited, or a close after Redo would lose the redone change unasked.
    uint32_t modified = kept.flags & kViewModified;
    uint32_t undone = kept.flags & kViewUndoUndone;
    record->flags = (record->flags & ~(kViewModified | kViewUndoUndone)) | modified;
    if (keep)
        record->flags |= undone ? 0u : static_cast<uint32_t>(kViewUndoUndone);
    return code;
}

} // namespace

ErrorCode BeginDocumentUndo(HWND view, int undoKind)
{
    LockedViewRecord record(view);
    if (!record.get())
        return kErrNotDone;
    ViewRecord* viewRecord = record.get();
    viewRecord->pendingUndo = 0;
    viewRecord->flags &= ~kViewUndoUndone;
    ErrorCode code = BeginCheckpoint(viewRecord->storeSlot);
    if (code != kErrNone)
        return code;
    code = SaveViewRecord(viewRecord->storeSlot, record.handle(), viewRecord);
    if (code != kErrNone)
        return code;
    viewRecord->pendingUndo = undoKind;
    return kErrNone;
}

ErrorCode SwapDocumentUndo(HWND view, int keep)
{
    ErrorCode code = kErrNone;
    {
        LockedViewRecord record(view);
        if (!record.get())
            return kErrNotDone;
        ViewRecord* viewRecord = record.get();
        if (viewRecord->pendingUndo != 0) {
            int store = viewRecord->storeSlot;
            ReleaseDrawingRecords(GetViewDrawingHandle(viewRecord));
            SetViewDrawingHandle(viewRecord, nullptr);
            code = SwapCheckpoint(store, keep ? TRUE : FALSE);
            if (code == kErrNone)
                code = RestoreViewRecord(store, record.handle(), viewRecord, keep);
            // The drawing is taken up again even after a refused swap: a view
            // without its drawing would lose the document.
            HGLOBAL drawing = nullptr;
            ErrorCode reopened = OpenDrawingRecords(view, store, 0, 0, &drawing);
            if (reopened == kErrNone) {
                SetViewDrawingHandle(viewRecord, drawing);
                const ErrorCode realized = RealizeDocumentPalette(view, viewRecord);
                if (reopened == kErrNone)
                    reopened = realized;
                UpdateTextFormatBar(view);
            }
            if (code == kErrNone)
                code = reopened;
        }
        InvalidateRect(view, nullptr, FALSE);
        viewRecord->flags |= kViewRepaintBuffered;
    }
    if (!keep)
        ClearDocumentUndo(view);
    if (code != kErrNone) {
        WarnById(16);
        ClearDocumentUndo(view);
    }
    return code;
}

void ClearDocumentUndo(HWND view)
{
    int store = -1;
    {
        LockedViewRecord record(view);
        if (!record.get())
            return;
        record.get()->pendingUndo = 0;
        record.get()->flags &= ~kViewUndoUndone;
        store = record.get()->storeSlot;
    }
    // A step the store could not close would be lost from undo unseen.
    if (store >= 0)
        ReportEditError(CommitCheckpoint(store));
}

int GetDocumentUndoKind(HWND view, BOOL* redoPending)
{
    LockedViewRecord record(view);
    if (redoPending)
        *redoPending = record.get() && (record.get()->flags & kViewUndoUndone) ? TRUE : FALSE;
    return record.get() ? record.get()->pendingUndo : 0;
}

int GetUndoMenuTextId(HWND view)
{
    BOOL redo = FALSE;
    int kind = GetDocumentUndoKind(view, &redo);
    return 2500 + kind + (redo && kind ? 1 : 0);
}
