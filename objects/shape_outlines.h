// Outlines of the shape types: the closed polygon of a type inside a rectangle.
#pragma once
#include <windows.h>

#include "objects/shape_types.h"

// The point buffers handed to the outline builders hold at least this many.
const int kOutlineBufferPoints = 601;
const int kFreeformPointLimit = 600;

// Fills `points` with the outline of `shapeType` in `rect`, keeping the
// proportions of `frame`; `extra` is the line width for the inner outline of a
// thick border, else 0. `freeform` is the type-26 outline record.
void BuildShapeOutline(const RECT* rect, const RECT* frame, double parameter, int shapeType, int extra,
                       HGLOBAL freeform, POINT* points, int* count);

// Half an ellipse over `rect` in n points (see the outline builder); returns n.
int BuildEllipseArc(POINT* points, int n, const RECT* rect, int lowClamp, int highClamp, int startOffset,
                    int endOffset, int fromRight);
