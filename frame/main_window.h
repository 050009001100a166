// The main frame window (class TYMainClass).
#pragma once
#include <windows.h>

extern const char kMainClassName[];

bool RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance, int showCommand);
LRESULT CALLBACK SEMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
