// Printing the active document and its print preview.
#pragma once
#include <windows.h>

// The print preview while it is open, else none.
extern HWND PreviewWindow;

// view none: the active document; withoutDialog 0 shows the Print dialog first.
int PrintActiveDocument(HWND view, BOOL withoutDialog);
int ShowPrintPreview();
