// The inverted outlines drawn while a connector is drawn, reshaped or moved.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// Messages 4 (index given) and 27 (index -1, a new connector): the route from
// the fixed corner to `point` over `rect`.
void SegLineDragFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int cornerStyle, POINT point,
                         const RECT* rect, int solid);
// Message 5: the route moved to a frame whose top-left is `topLeft`.
void SegLineMoveFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, POINT topLeft);
