// WM_MENUSELECT: the item noted for F1, and the one-time hint shown when a
// Shapes, Lines, Text or Draw menu was opened with nothing suitable selected.
#pragma once
#include <windows.h>

// The menu bar popup whose hint waits for the menu to close, or none.
extern HMENU PendingMenuHint;

void OnMenuSelect(HWND window, WPARAM wParam, LPARAM lParam);
// Command 997: shows the pending hint when its popup was greyed where it matters.
int ShowPendingMenuHint();
