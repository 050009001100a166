// Edit > Options (template VXOPTION): the program-wide preferences.
#pragma once
#include <windows.h>

// Runs the dialog on the options record; on OK the record takes the choice.
// Every view is repainted afterwards, whatever the answer.
int RunOptionsDlg();
extern "C" __declspec(dllexport) INT_PTR CALLBACK OptionsDlgHandler(HWND dialog, UINT message, WPARAM wParam,
                                                                    LPARAM lParam);
