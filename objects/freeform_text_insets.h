// Text insets of a freeform shape made from lines.
#pragma once
#include <windows.h>

struct DrawingObject;

// Sets the text-inset fractions of a freeform shape from its outline.
void FitFreeformTextInsets(HGLOBAL freeform, DrawingObject* object);
