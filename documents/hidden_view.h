// A drawing view nobody sees, for reading or building a drawing in a store
// other than a document's own (the clipboard scratch store).
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// A hidden child of the main window with the main window's client size;
// 10004 when it cannot be made. Destroying it frees its view data.
ErrorCode CreateHiddenDrawingView(HWND* view);
