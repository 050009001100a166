// Printing the active document and its print preview.
#pragma once
#include <windows.h>

// The print preview while it is open, else none.
extern HWND PreviewWindow;

// view none: the active document; withoutDialog 0 shows the Print dialog
// first. 1 when the job went out whole.
int PrintActiveDocument(HWND view, BOOL withoutDialog);
// File > Print Preview over the main window's client area.
int ShowPrintPreview();
// Keeps the open preview over the whole client area of the main window.
void FitPreviewToFrame();
extern "C" __declspec(dllexport) INT_PTR CALLBACK PreviewDlgHandler(HWND dialog, UINT message, WPARAM wParam,
                                                                    LPARAM lParam);
// Greys (0) or enables (1) every item of the main window's menu bar.
void EnableMenuBar(int enable);
