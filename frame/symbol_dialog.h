// The Insert Symbol dialog: a character picked from a grid in one of the
// symbol fonts, which the user adds to and removes from.
#pragma once
#include <windows.h>

// The chosen character (0 after Cancel or an empty cell); `font` is the
// chosen font and `notDefault` 1 when it is not the normal text font.
int RunSymbolDlg(LOGFONTA* font, int* notDefault);
INT_PTR CALLBACK SYDDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
