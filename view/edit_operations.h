// Edit operations on the selection of a drawing view, each one undo step.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// 10004 for a view without a view record.
ErrorCode DoEditOperation(HWND view, int operation, LPARAM argument, const POINT* point);
void ClearDocumentUndo(HWND view);
