// Changing a shape's type (kind message 50).
#pragma once
#include "common/error_codes.h"
#include "objects/drawing_layout.h"

ErrorCode ChangeShapeType(DrawingRecord* drawing, void* table, int index, int newType);
