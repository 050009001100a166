// Giving an object a new frame or a new shape parameter through its kind.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Message 6 with a handle code, message 10 without; the caller's undo step is
// open. Unless `insideStep`, the links follow and the edit is marked or,
// on error, rolled back and reported.
ErrorCode ResizeObject(HWND view, int index, RECT* rect, int handleCode, int option, int insideStep);
// The same on a drawing already in hand, inside a step: no link update.
ErrorCode ResizeObjectInDrawing(DrawingRecord* drawing, int index, RECT* rect, int handleCode, int option);

// One shape-editing message (57, the adjust handle) as the Change Shape step.
ErrorCode ChangeObjectShape(int message, void* viewRecord, int index, int value, POINT* point);

// Marks an object's links as moved and, when it hangs on one target, the
// target's: what every change of an object's frame does.
void MarkChangedObjectLinks(DrawingRecord* drawing, int index);
