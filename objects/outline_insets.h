// How far the inner outline of a thick border lies inside the outer one.
#pragma once
#include <windows.h>

// Writes the left, top, right and bottom insets (logical units) of the inner
// outline of `shapeType` in `rect` for a border `lineWidth` wide. An inset that
// cannot be computed (a zero extent) keeps the line width.
void ComputeOutlineInsets(const RECT* rect, int lineWidth, double parameter, int shapeType, RECT* insets);
