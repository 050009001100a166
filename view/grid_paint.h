// The grid of the drawing view: major lines and minor dots.
#pragma once
#include <windows.h>

void DrawGrid(HGLOBAL drawing, HDC dc, const RECT* rect, HBRUSH horizontal, HBRUSH vertical, int zoom);
// A one-pixel line from a rectangle of zero width or height.
void FillGridLine(HDC dc, const RECT* line);
// The three shared grid brushes: horizontal lines, vertical lines, dots.
HBRUSH GridHorizontalBrush();
HBRUSH GridVerticalBrush();
HBRUSH GridDotBrush();
