// The modeless "Printing" progress dialog and the abort procedure that keeps
// the program answering while a print job spools.
#pragma once
#include <windows.h>

extern HWND PrintingDialog;
extern int PrintAborted;

extern "C" __declspec(dllexport) BOOL CALLBACK PrintAbort(HDC printerContext, int code);
extern "C" __declspec(dllexport) INT_PTR CALLBACK ShowPrintingDlg(HWND dialog, UINT message, WPARAM wParam,
                                                                  LPARAM lParam);
// The dialog, owned by the main window, which it disables; none when it
// cannot be made.
HWND OpenPrintingDialog(HWND owner, HWND documentWindow, int firstPage, int lastPage, const char* printer);
void ClosePrintingDialog(HWND dialog);
void ShowPrintingPage(HWND dialog, int page);
