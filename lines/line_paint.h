// Painting straight lines (messages 1, 31, 32) and their handles (3).
#pragma once
#include <windows.h>

#include <cstdint>

#include "objects/drawing_layout.h"

// Style 0 gives none; 2..5 cosmetic one-pixel dotted and dashed pens; any
// other a solid pen of the width.
HPEN CreateLineStylePen(HDC dc, COLORREF colour, int width, int style);
void DrawLinePiece(HDC dc, HPEN pen, int x1, int y1, int x2, int y2);
// Index -1: the table argument is one detached line. `flags` nonzero: no
// attachment marker; `offset` (or none): dx, dy and a colour.
void DrawStraightLine(HDC dc, int message, DrawingRecord* drawing, void* table, int index, int flags,
                      const int32_t* offset);
void DrawLineHandles(HDC dc, DrawingRecord* drawing, void* table, int index);
