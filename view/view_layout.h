// Zoom of the views and the layout of the main window and document windows.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Set while the tool palette is shown.
extern int PaletteShown;

// The View menu's zoom requests: (value, mode) with mode 0 fixed, 1 Fit to
// Window, 2 Fit to Page; (1, 0) zoom in, (-1, 0) zoom out, (5000, 0) custom.
void SetZoom(int value, int mode);
ErrorCode RelayoutDocumentWindow(HWND document);
// Places the rulers, the view and its scroll bars in the document window.
void LayoutDocumentWindow(HWND document, HWND view);
// The main window's WM_SIZE.
void ResizeFrame(LPARAM size);
void ToggleToolbar();

// Re-centring after a zoom (whether it scrolled) and keeping a drawing point
// at a client position.
BOOL CentreViewContents(HWND view);
BOOL CentreViewContentsAt(HWND view, int zoom);
void KeepPointOnScreen(HWND view, int zoom, POINT drawingPoint, POINT clientPoint);
POINT GetZoomReferencePoint(HWND view, BOOL page);
// The Ctrl+Shift click at client point (x, y): a fit mode and 100 per cent.
void ToggleFitZoomAt(HWND view, int x, int y);
