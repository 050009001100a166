#include "objects/edit_step.h"

#include "common/results.h"
#include "objects/view_record.h"
#include "objects/drawing_edits.h"
#include "objects/document_undo.h"
#include "objects/view_record_word.h"

ErrorCode OpenEditStep(HWND view, int undoKind, EditStep* step)
{
    SetAppCursor(1);
    step->view = view;
    step->viewHandle = GetViewRecordHandle(view);
    if (!step->viewHandle)
        return kErrNoMemory;
    if (undoKind) {
        ErrorCode code = BeginDocumentUndo(view, undoKind);
        if (code != kErrNone)
            return code;
    }
    step->viewRecord = GlobalLock(step->viewHandle);
    if (!step->viewRecord)
        return kErrNoMemory;
    step->drawingHandle = GetViewDrawingHandle(step->viewRecord);
    if (step->drawingHandle)
        step->drawing = static_cast<DrawingRecord*>(GlobalLock(step->drawingHandle));
    return kErrNone;
}

void ReleaseEditStep(EditStep* step)
{
    if (step->drawing)
        GlobalUnlock(step->drawingHandle);
    step->drawing = nullptr;
    step->drawingHandle = nullptr;
    if (step->viewRecord)
        GlobalUnlock(step->viewHandle);
    step->viewRecord = nullptr;
}

void CloseEditStep(EditStep* step, ErrorCode code, int repaintAll)
{
    ReleaseEditStep(step);
    if (!step->viewHandle)
        return;
    if (code != kErrNone) {
        // The roll-back reopens the drawing: nothing of it may stay locked.
        DiscardError(CancelDrawingEdit(step->view), "the roll-back warns of its own failure");
        void* viewRecord = GlobalLock(step->viewHandle);
        if (viewRecord) {
            WriteViewField(viewRecord, kViewPendingUndo, 0);
            GlobalUnlock(step->viewHandle);
        }
        return;
    }
    void* viewRecord = GlobalLock(step->viewHandle);
    MarkDrawingEdited(step->view, viewRecord, repaintAll);
    if (viewRecord)
        GlobalUnlock(step->viewHandle);
}
