// The GIF Format Options dialog, asked before a drawing is written as a GIF.
#pragma once
#include <windows.h>

// 1 to go on with the export, 0 to stop it.
int RunGifOptionsDlg(HWND owner);
INT_PTR CALLBACK GIFOptionDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
