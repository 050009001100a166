// The keyboard in the drawing view.
#pragma once
#include <windows.h>

void HandleViewKeyDown(HWND view, int key);
void HandleViewKeyUp(HWND view, int key);
void HandleViewChar(HWND view, int character, LPARAM lParam);
