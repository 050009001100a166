// The font dialogs: the text font (face slot, size, style) and the LOGFONT
// kept by the style dialogs.
#pragma once
#include <windows.h>

// Style bit 0x4000 and a slot of -1 or a size of 0 stand for a mixed value
// on input and an unchosen one on output.
const int kMixedStyle = 0x4000;

// 1 chosen, 0 cancelled, -1 when the starting face is not in the list.
int ChooseTextFont(HWND owner, HGLOBAL* fontList, HGLOBAL* fontTable, HDC dc, int* slot, int* size, int* styleBits);
// 1 chosen (the LOGFONT, in 1/600 inch, rewritten), 0 cancelled.
int ChooseStyleFont(HWND owner, LOGFONTA* logFont);
extern "C" __declspec(dllexport) UINT_PTR CALLBACK VXFontHook(HWND dialog, UINT message, WPARAM wParam,
                                                              LPARAM lParam);
