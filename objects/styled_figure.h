// The pen and brush of a shape figure from an object's style.
#pragma once
#include <windows.h>

// Line style 0 no pen, 2 dotted, 3 dashed, else an inside-frame pen of the
// line width (or, with `ringMode`, a one-pixel pen and a line-colour brush for
// the ring of a thick polygon border). Fill mode 0 none, 1 solid, 2..6 hatch
// in the line colour over the fill colour; a fill colour of -1 hatches on a
// transparent background and otherwise means no fill. The hatch is anchored
// to the frame so it moves with the shape.
void DrawStyledFigure(HDC dc, int shapeType, int rotation, COLORREF lineColor, int lineWidth, int lineStyle,
                      COLORREF fillColor, int fillMode, double parameter, HGLOBAL freeform, int ringMode,
                      const RECT* frame, unsigned optionFlags);
