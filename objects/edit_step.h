// The frame every edit of a drawing runs in: the wait cursor, the view's undo
// step, and at the end the edited mark or the roll-back.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

struct EditStep {
    HWND view = nullptr;
    HGLOBAL viewHandle = nullptr;
    void* viewRecord = nullptr;
    HGLOBAL drawingHandle = nullptr;
    DrawingRecord* drawing = nullptr;
};

// Wait cursor; the view record must exist (10004); with an undo kind the
// view's step is opened. `step.drawing` is none for a view without drawing.
ErrorCode OpenEditStep(HWND view, int undoKind, EditStep* step);
// Ends the use of the records; on error the open step is rolled back and the
// pending undo kind cleared (the view reports the code); on success the
// document is marked edited.
void CloseEditStep(EditStep* step, ErrorCode code, int repaintAll);
// Unlocks without any mark (an edit inside a caller's step).
void ReleaseEditStep(EditStep* step);
