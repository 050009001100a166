// Set Rulers And Grids (RULERDLG): the scale, length unit, grid divisions,
// whether the rulers show and how shapes snap, for the drawing of a view.
// The new settings become the drawing's and the default of new drawings.
#pragma once
#include <windows.h>

// 1 when the settings were applied; 0 after Cancel, a refusal or a failure
// (which is reported and leaves the drawing as it was).
int RunRulerDlg(HWND view);

INT_PTR CALLBACK RulerDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The preview: both rulers and a dimensioned line of 1.5 inches.
int DrawRulerSample(HDC dc, RECT* client);
