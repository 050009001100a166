// The shape kind's rotation messages (25, 67, 68, 69) and the freeform
// outline record that outline builders take.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// The FreeformOutline record of a type-26 shape, none for other types.
HGLOBAL LoadFreeformOutline(int store, const DrawingObject* object);
// Ends the use of a record from LoadFreeformOutline (none is allowed).
void ReleaseFreeformOutline(HGLOBAL freeform);

void SetShapeRotation(DrawingRecord* drawing, void* table, int index, int angle);
ErrorCode RotateShapeToPoint(DrawingRecord* drawing, void* table, int index, int handleCode, const POINT* target);
// The rotation handle: its code (140, 141) or 0 when there is none; the point
// through `point`, the 48-unit box through `box`.
int GetShapeRotateHandle(DrawingRecord* drawing, void* table, int index, int flags, POINT* point, RECT* box);
// The outline as drawn, mirrored and turned; `points` holds 601 points.
void GetShapeOutline(DrawingRecord* drawing, void* table, int index, int* count, POINT* points);
