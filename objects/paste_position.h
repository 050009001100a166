// Where pasted and imported objects go when no point is given.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// The drawing point 300 units right of and below the view's client origin
// (through the view's own device context, which keeps its zoom and scroll),
// moved back so that `extent` does not reach the drawing's right or bottom.
void GetPastePosition(const DrawingRecord* drawing, const RECT* extent, POINT* point);
