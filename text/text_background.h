// The text editor's background painter, held in slot 4 of the object-kind table.
#pragma once
#include <windows.h>

#include <cstdint>

typedef int32_t(WINAPI* TextBackgroundPainter)(HWND editor, HDC dc, void* textHeader);

extern "C" __declspec(dllexport) int32_t WINAPI VOR_EDAZovu(HWND editor, HDC dc, void* textHeader);
