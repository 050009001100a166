// Rectangle arithmetic.
#pragma once
#include <windows.h>

// The rectangle spanned by two points, left <= right and top <= bottom.
void SetRectFromPoints(RECT* rect, int x1, int y1, int x2, int y2);
// Moves each side outward by the matching value of `by`.
void ExpandRect(RECT* rect, const RECT* by);
// Moves each side inward by the matching value of `by`.
void ShrinkRect(RECT* rect, const RECT* by);
