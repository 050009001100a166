#include "view/view_layout.h"

#include "frame/app_globals.h"

int PaletteShown = 1;

// Least version until the views land: the MDI client fills the main window.
void SetZoom(int, int) {}
ErrorCode RelayoutDocumentWindow(HWND) { return kErrNoMemory; }

void ResizeFrame(LPARAM size)
{
    if (MdiClientWindow)
        MoveWindow(MdiClientWindow, 0, 0, LOWORD(size), HIWORD(size), TRUE);
}

void ResizeBackBuffer() {}
void ToggleToolbar() { PaletteShown = !PaletteShown; }
