// Shape Sizing with Text (TEXTDLG) and Shape Sizing (PICTUREEDIT): how the
// selected shapes grow with their text and how they may be resized.
#pragma once
#include <windows.h>

// The text-sizing rule, 0 both ways, 1 horizontally, 2 vertically (in and
// out); 1 for OK, 0 when cancelled or refused.
int RunTextDlg(int* rule);
// The grow rule (0 none, 1 horizontally only, 2 vertically only, 3
// proportionally) and the colour state (0 colours may change, 1 kept, -1 the
// choice does not apply and stays -1); 1 for OK.
int RunPictureDlg(int* growRule, int* colourState);

INT_PTR CALLBACK TextDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PictureDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
