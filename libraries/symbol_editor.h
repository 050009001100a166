// The symbol dialog VXEDIT, "Edit Vexlet": a symbol's preferred size, how it
// grows, where its text goes, its name and keywords, whether its settings
// are automatic and whether its colours may change, over a preview of it.
#pragma once
#include <windows.h>

#include "libraries/library_records.h"

// The caller's name buffer holds this many characters.
const int kVexletNameBuffer = 261;

// Runs the dialog on a working copy of `record`; OK writes the fields back
// into it and the name into `name`. 1 for OK, 0 for Cancel.
int EditVexletProperties(HWND owner, HGLOBAL picture, VexletRecord* record, const RECT* pictureBounds,
                         int pictureKind, HPALETTE palette, char* name, int automaticAllowed);
INT_PTR CALLBACK EVXDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The preview's painter.
int DrawEVXWindow(HWND window, HDC dc);
