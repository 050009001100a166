// Rounding points to the drawing's grid.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// Rounds the point in place to the grid of the drawing's ruler scale: grid
// points are whole hundredths of the unit, and no point moves by more than
// half a subdivision.
void SnapPointToGrid(const DrawingRecord* drawing, POINT* point);
// One coordinate for a ruler scale: inch flag, major spacing in hundredths of
// the unit, subdivisions.
int SnapCoordinate(int value, int inchFlag, double majorSpacing, int subdivisions);
