// The view's undo step: one store checkpoint per undoable edit.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Opens an undo step of the given kind: a new checkpoint of the working store,
// the view record written into record (100,101), the kind kept as pending.
// 1 when the view has no view record.
ErrorCode BeginDocumentUndo(HWND view, int undoKind);
// Mode 0: rolls the open step back and forgets it, reopening the drawing.
ErrorCode SwapDocumentUndo(HWND view, int mode);
