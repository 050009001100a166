// Moving one object and keeping an object inside the drawing area.
#pragma once
#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Set by a kind that refuses a rotation or a flip; the command that asked
// clears it first and reports it afterwards.
extern int TransformRefused;

// Moves an object by (dx, dy); 10009 when it would reach 32,767.
ErrorCode OffsetObject(DrawingRecord* drawing, void* objectTable, int index, int dx, int dy);
// Pushes an object back into the drawing area; 10009 when it is larger.
ErrorCode KeepObjectInsideDrawing(void* viewRecord, DrawingRecord* drawing, void* objectTable, int index);
// The same through the view record of the drawing's view window (nothing
// happens when the window has none).
ErrorCode KeepInsideThroughView(DrawingRecord* drawing, void* objectTable, int index);
