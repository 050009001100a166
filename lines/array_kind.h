// The array kind procedure (slot of the object-kind table).
#pragma once
#include <windows.h>

#include <cstdint>

extern "C" __declspec(dllexport) int32_t WINAPI VAD_OzudiZaravoz(HDC dc, void* drawing, void* table, int index, int message,
                                                       INT_PTR a, INT_PTR b, INT_PTR c);
