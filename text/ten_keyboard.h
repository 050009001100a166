// The text editor's keys and typed characters.
#pragma once
#include <windows.h>

// 1 when the key was taken, 0 to hand WM_KEYDOWN to the parent.
int TenKeyDown(HWND window, int key);
// 1 when the character was typed or refused, 0 to hand WM_CHAR on.
int TenCharInput(HWND window, int character, LPARAM keyData);
