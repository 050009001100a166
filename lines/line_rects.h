// The derived rectangles of a straight line.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Frame band, bounds (pen, arrowheads, line-type points, shadow), inner
// rectangle, text frame and axis flags (message 64). `drawing` may be none.
void RecalcLineRects(DrawingRecord* drawing, DrawingObject* line);
// After a drawing is read: every decorated straight line recomputed.
void RecalcLineTypeRects(DrawingRecord* drawing);
// The attachment-marker box at the middle of the line.
void GetLineMarkerRect(const DrawingObject* line, RECT* rect);
