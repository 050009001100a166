// Ending in-place text editing in a drawing view.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// view none: the active document's drawing view. selectMode -1 the caller has
// its own undo step open, 1 select the edited object afterwards, 0 neither.
ErrorCode EndTextEdit(HWND view, int selectMode);
