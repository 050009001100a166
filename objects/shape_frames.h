// The rectangles derived from a shape's frame: bounds, inner rectangle, text
// insets and text frame; and whether an object casts the drawing's shadow.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Recomputes bounds, inner rectangle and text insets; with `reflow` also the
// text frame, or the stored text's layout. `drawing` may be none (no shadow).
ErrorCode RecalcShapeFrame(DrawingRecord* drawing, DrawingObject* object, int reflow);
int ObjectHasShadow(const DrawingRecord* drawing, const DrawingObject* object);
// How far the outline eats into the inner rectangle.
int GetBorderInset(const DrawingObject* object);
// Message 55: the frame's width and height into size[0], size[1].
void GetShapeSize(const DrawingObject* object, int32_t* size);
// Messages 56, 65, 86: the frame, or with `rotated` and a rotation the box of
// the frame's corners turned about its centre.
void GetShapeBounds(const DrawingObject* object, int rotated, RECT* rect);
