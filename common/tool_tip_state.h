// The one tip's state, shared by the tips' logic and their window class.
#pragma once
#include <windows.h>

// The timer procedure while tips are enabled, none while disabled.
extern TIMERPROC ToolTipTimerProc;
extern UINT_PTR ToolTipTimer;
extern HWND ToolTipWindow;
extern HWND ToolTipSource;
extern int ToolTipItem;
extern HBRUSH ToolTipBrush;

// Window words of a tip: the string id of its text (control id + 6000, -1
// for an item), then the source whose window text is the tip's text.
const int kTipStringIdWord = 0;
const int kTipSourceWord = sizeof(LONG);
const int kTipWindowBytes = sizeof(LONG) + sizeof(LONG_PTR);
const int kTipItemStringId = -1;
const int kTipTextSize = 262;  // 261 characters and the terminator

void CALLBACK SEToolTimerProc(HWND, UINT, UINT_PTR, DWORD);
LRESULT CALLBACK SEToolTipWProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void KillToolTipTimer();
void DestroyToolTipWindow();
// The text of an item tip, empty when the item has none.
void ItemToolTipText(HWND source, int item, char* text);
HFONT ToolTipFontOrStock();
