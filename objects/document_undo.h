// The view's undo step: one store checkpoint per undoable edit, undone and
// redone as a whole.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// UndoKind: the Edit menu's first item shows string 2500 + kind, or 2501 +
// kind while the step is undone (RedoPending).
enum UndoStepKind : int {
    kUndoStepNone = 0,
    kUndoStepTyping = 2,
    kUndoStepDelete = 4,
    kUndoStepPaste = 8,
    kUndoStepCopy = 24,
    kUndoStepImport = 26,
    kUndoStepDrawing = 28,
    kUndoStepMove = 30,
    kUndoStepDuplicate = 34,
    kUndoStepMoveAfterDuplicate = 36,
    kUndoStepResize = 38,
    kUndoStepAddObject = 40,
    kUndoStepChangeShape = 42,
    kUndoStepBackground = 44,
    kUndoStepCut = 46,
    kUndoStepAppearance = 48,
    kUndoStepFlip = 50,
    kUndoStepHideShadow = 52,
    kUndoStepAttach = 54,
    kUndoStepClearAttach = 56,
    kUndoStepRotate = 58,
    kUndoStepJoin = 60,
    kUndoStepEditShape = 62,
    kUndoStepShowLength = 64,
    kUndoStepNudge = 66,
    kUndoStepLineText = 68,
};

// Opens an undo step of the given kind: a new checkpoint of the working store
// (committing the last one), the view record copied into record (100,101),
// the kind kept as pending. 1 when the view has no view record.
ErrorCode BeginDocumentUndo(HWND view, int undoKind);
// keep 1: Undo or Redo of the step; keep 0: rolls it back and forgets it.
ErrorCode SwapDocumentUndo(HWND view, int keep);
// Commits the step: nothing is left to undo.
void ClearDocumentUndo(HWND view);

// The pending UndoKind and whether the step is undone (its next swap redoes).
int GetDocumentUndoKind(HWND view, BOOL* redoPending);
// The Edit menu's Undo item text for the view's step.
int GetUndoMenuTextId(HWND view);
