// Set Rotation Angle (SETANGLE) and Set Window Scale (SETSCALE): one number
// with two spin buttons.
#pragma once
#include <windows.h>

// The angle in tenths of a degree, counter-clockwise (in and out); 1 for OK,
// 0 when cancelled or refused.
int RunAngleDlg(int* angle);
// The zoom per mille, 0 for 100 per cent (in and out); 1 for OK.
int RunScaleDlg(int* zoom);

INT_PTR CALLBACK RotnDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ScaleDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
