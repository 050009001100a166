// Cut and Copy through the clipboard scratch store: the whole working store
// is copied over the scratch store and everything not selected deleted from
// that copy; the data object on the clipboard renders from it.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// The data-transfer code above fills this in at start-up.
struct ClipboardHooks {
    // Whether the copy offers links to the view's document file.
    void (*setDocName)(HWND view, int allowLinks);
    // Puts the data object of the scratch store on the clipboard.
    ErrorCode (*putOnClipboard)();
};
extern ClipboardHooks ClipboardCalls;

// copy 1 is Copy, 0 Cut (the caller deletes the selection afterwards). With
// nothing selected the whole drawing is copied, without the private marker.
// On failure the clipboard is emptied.
ErrorCode CopySelection(HWND view, void* viewRecord, DrawingRecord* drawing, int copy);
// Deletes every record of the scratch store; its groups stay.
ErrorCode ClearClipboardStore();
// Keeps only the selected objects (and what hangs on them) of a drawing
// copied into the scratch store, none of them selected afterwards.
ErrorCode KeepSelectedObjects(DrawingRecord* drawing, bool anySelected);
// For a drag: the whole document copied over the scratch store, which then
// keeps only the listed objects (and what hangs on them), none selected.
// kErrNotDone without a scratch store.
ErrorCode CopyObjectsToScratchStore(HWND view, HGLOBAL objects);
