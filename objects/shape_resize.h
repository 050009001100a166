// Giving a shape a new frame (kind messages 6, 10 and 48).
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// `rect` is widened to the 24-unit minimum in place. A rotated shape keeps the
// point named by `handleCode` where it is on the page unless `keepFrame`.
ErrorCode ResizeShape(DrawingRecord* drawing, void* table, int index, int handleCode, int keepFrame, RECT* rect);
// The frame with the corner or side opposite `sideCode` moved by the offset.
int MoveFrameOppositeSide(DrawingRecord* drawing, void* table, int index, int sideCode, const POINT* offset,
                          RECT* out);
