// Points of the 600 x 600 box laid over a shape's frame: the box points of a
// rectangle (kind message 44), the mapping of box points onto a shape's true
// outline (message 42) and the drawing's shapes-may-link flag (message 51).
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// Returns the shape kind's capability bits, 0x21. With a count and a
// rectangle, the rectangle (normalised) is replaced by its eight box points.
int GetBoxPoints(int shapeType, int* count, RECT* rect);
int ShapesMayLink(const DrawingRecord* drawing);

// The position of a box corner in the 16-point perimeter list: 0 top-left,
// 4 top-right, 8 bottom-right, 12 bottom-left; 2 for every other point.
int GetBoxCornerCode(int x, int y);

// Maps `count` box points in place onto the outline of the shape, then
// mirrors (unless `code` is a box position above 200) and turns them.
// `drawing` may be none (no centred-middle flag).
void MapShapeBoxPoints(const DrawingRecord* drawing, void* table, int index, int code, int count, POINT* points);
