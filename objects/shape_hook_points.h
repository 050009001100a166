// Where lines hook to shapes: hook points (kind message 41), connect points
// (45), the point of a connect-point code (47) and its box position (84).
// Hook and connect points are points of the 600 x 600 box over the frame.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

const int kMaxHookPoints = 16;

// Message 41: `count` (in/out) and `points` (room for 16). `direction` (0, 4
// horizontal, 8 vertical) only matters for freeform shapes, whose one hook
// point is the outline point nearest to points[0] (logical units in).
void GetShapeHookPoints(DrawingRecord* drawing, void* table, int index, int direction, int* count, POINT* points);
// Message 45.
void GetShapeConnectPoints(DrawingRecord* drawing, void* table, int index, int* count, POINT* points);
// Message 47: the logical point of a connect-point code; 1 for an unknown code.
int GetShapeAnchorPoint(DrawingRecord* drawing, void* table, int index, int code, POINT* point);
// Message 84: the anchor point of `code` as a position in the frame's box.
void GetShapeBoxPosition(DrawingRecord* drawing, void* table, int index, int code, POINT* point);

// Replaces a box point by the nearest of a placed symbol's connect points.
ErrorCode SnapToSymbolConnectPoint(DrawingRecord* drawing, const DrawingObject* object, POINT* point);
// Moves a point onto the shape's turned and mirrored outline along
// `direction`. With `exact` the result is logical, else a box position (also
// kept as the last hook point unless hook markers are shown). A `count` of 0
// on entry gives the last hook point.
void FindFreeformHookPoint(DrawingRecord* drawing, DrawingObject* object, int direction, int* count, POINT* point,
                           int exact);
