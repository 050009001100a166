// The straight-line kind procedure (slot of the object-kind table).
#pragma once
#include <windows.h>

#include <cstdint>

extern "C" __declspec(dllexport) int32_t WINAPI RUV_OvadERovazad(HDC dc, void* drawing, void* table, int index, int message,
                                                       INT_PTR a, INT_PTR b, INT_PTR c);
