// The main frame window (class TYMainClass): the MDI client with the document
// windows, the menu bar, the tool palette and every dialog.
#pragma once
#include <windows.h>

extern const char kMainClassName[];

// Private messages of the main window.
const UINT kMsgNotEnoughMemory = 1225;
const UINT kMsgResetFonts = 1226;
const UINT kMsgFontsExhausted = 1227;

extern "C" __declspec(dllexport) LRESULT CALLBACK SEMain(HWND window, UINT message, WPARAM wParam,
                                                         LPARAM lParam);
// The palette handle of the active document's view record, or none.
HPALETTE GetActiveViewPalette();
// WM_CLOSE: true when every document closed and the main window may go.
bool CloseMainWindow(HWND window);
