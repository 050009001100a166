// A shape's figure as GDI calls inside the pen and brush the caller selected;
// the painters and the XOR drag feedback draw through it.
#pragma once
#include <windows.h>

// `lineWidth` is the outline width in logical units (0 for a cosmetic or no
// pen); `noPen` is set when the selected pen is the null pen; `ringBrush`
// fills the band of a thick border of a polygon type (none: the selected
// brush). A rotated figure is one turned polygon about `centreRect`.
void DrawShapeFigure(HDC dc, const RECT* rect, const RECT* centreRect, int lineWidth, double parameter,
                     int shapeType, int rotation, HGLOBAL freeform, int noPen, HBRUSH ringBrush, unsigned flags);
