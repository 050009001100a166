// The OLE drag of objects moved out of the main window: a data object that
// renders from the scratch store once it is asked, and the drop source.
#pragma once
#include <windows.h>
#include <ole2.h>

// Runs the drag of the view's listed objects; true when they were dropped,
// with the effect the target chose. The scratch store's earlier contents
// (what Paste would give) are back in place afterwards.
bool RunDragOut(HWND view, HGLOBAL objects, DWORD* effect);

// The drop source's answer for a state of the keys and the pointer: Esc
// cancels, and so does coming back over the main window (the view's own move
// takes over again); outside it a released button drops.
HRESULT DragContinuation(BOOL escapePressed, DWORD keys, POINT screen);
