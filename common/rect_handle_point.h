// Points of a rectangle named by handle and side codes.
#pragma once
#include <windows.h>

// 1 top-left, 2 top-right, 3 bottom-left, 5 top middle, 6 and 141 bottom
// middle, 7 left middle, 8 and 140 right middle, any other the bottom-right.
void GetRectHandlePoint(const RECT* rect, int code, POINT* point);
// The side or corner across the rectangle; 0, 4 and unknown codes give 1.
int GetOppositeSide(int code);
