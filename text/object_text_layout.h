// Laying an object's text out in its frame.
#pragma once
#include "common/error_codes.h"

struct DrawingObject;

// The text frame: the inner rectangle less the text insets and the margins.
void ComputeTextFrame(DrawingObject* object);
// Lays the object's stored text out again in its text frame; mode 0 keeps the
// object's alignment codes, 1..8 replace them.
ErrorCode ReflowObjectText(void* drawing, DrawingObject* object, int mode, void* reserved);
