// "Define Footer": where the page footer sits and its typeface.
#pragma once
#include <windows.h>

const int kFooterQuarterInch = 150;
const int kFooterPositionStep = 150;

// Runs the dialog over `owner` (the Print dialog); 1 for OK, 0 for Cancel. Cancel
// puts back a typeface chosen meanwhile; only OK writes the position.
INT_PTR RunFooterDlg(HWND owner);
extern "C" __declspec(dllexport) INT_PTR CALLBACK FooterDlgHandler(HWND dialog, UINT message, WPARAM wParam,
                                                                   LPARAM lParam);
// The radio of a footer position, and the position of a radio.
int FooterRadioFor(int position);
int FooterPositionFor(int radio);
