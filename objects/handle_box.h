// Selection handles and the XOR figures of the mouse feedback.
#pragma once
#include <windows.h>

// One handle square (an ellipse when `round`): with `patternInvert` XORed with
// the selected pattern brush, with `invert` inverted, otherwise outlined with
// the black pen in R2_NOT.
void DrawHandleBox(HDC dc, const RECT* rect, int patternInvert, int invert, int round);

// The ellipse of the rectangle with `pen`, no brush, in R2_NOT (hook markers).
void DrawXorEllipseCopy(HDC dc, const RECT* rect, HPEN pen);
// The closed diamond through the side midpoints, the same way (adjust handles).
void DrawXorDiamond(HDC dc, const RECT* rect, HPEN pen);
