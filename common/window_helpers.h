// Placing windows, the dialog font and the active document window.
#pragma once
#include <windows.h>

// Moves `window`, keeping its size and without repainting, so that its centre
// lies on the centre of `other`; a negative left or top becomes 0.
void CenterWindowOver(HWND window, HWND other);

// Sends DefaultUiFont (without redraw) to every existing item of the dialog
// with an id from firstId to lastId; nothing while there is no such font.
void SetDialogItemsFont(HWND dialog, int firstId, int lastId);

// The active document window of the MDI client, or none; `maximized` (may be
// null) receives whether it is maximized.
HWND GetActiveDocWindow(BOOL* maximized);

// A child window's rectangle in its dialog's client coordinates.
RECT DialogChildRect(HWND dialog, HWND child);
