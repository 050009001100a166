// The text editor window procedure (class "TENClass").
#pragma once
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK TENProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
