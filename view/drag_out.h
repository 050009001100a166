// Selected objects dragged out of the main window: OLE carries them on to
// whatever window takes the drop, while the view's own move waits.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// The data-transfer layer above fills this in at start-up.
struct DragOutHooks {
    // Runs the OLE drag of the view's listed objects; true when they were
    // dropped somewhere, with the effect the target chose.
    bool (*run)(HWND view, HGLOBAL objects, DWORD* effect);
};
extern DragOutHooks DragOutCalls;

// True while the OLE drag holds the mouse: the move goes on meanwhile.
bool DragOutRunning();
// Whether a pointer at this view point is far enough outside the main
// window's client area for the move to become an OLE drag.
bool PointerLeftMainWindow(HWND view, POINT device);
// The OLE drag of the moved objects, run after a move step with nothing
// locked. Dropped: a move deletes them here (one undo step) and the tracking
// ends without moving; cancelled: the view takes the mouse back and the move
// goes on.
void DragObjectsOut(HWND view, POINT device);
