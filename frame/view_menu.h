// The View popup as it opens: the zoom of the active view radio-checked,
// Show Grid and Show Toolbar checked from the options and the palette.
#pragma once
#include <windows.h>

// The zoom command (301..308) that matches a view's settings.
int ZoomCommandOf(int zoom, int flags);
// view none: no document is open, and every item but Show Toolbar is greyed.
void InitViewMenu(HMENU popup, HWND view);
