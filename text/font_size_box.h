// The size box of the font dialogs: on OK a size outside the dialog's limits
// is refused with the program's own warning, and a good one is handed to the
// dialog as its chosen size.
#pragma once
#include <windows.h>

#include <commdlg.h>

void RememberFontSizeLimits(HWND dialog, const CHOOSEFONTA& choose);
void ForgetFontSizeLimits(HWND dialog);
// True when the dialog may go on with its OK; false after the warning.
bool AcceptFontSizeBox(HWND dialog);
