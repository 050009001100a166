// Turning one object so that its rotation handle points at a point.
#pragma once
#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// One Rotate step: message 67 with the handle code and the point, then the
// object's label takes the new angle and the links follow.
ErrorCode RotateObject(void* viewRecord, int index, int handleCode, int x, int y);

// Gives the label attached to an object the object's new angle (message 25).
ErrorCode PassAngleToLabel(DrawingRecord* drawing, int index, int angle);
