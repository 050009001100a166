// The text inset of each shape type: how far text keeps from the frame so that
// it stays inside a triangle, an arrow or an oval.
#pragma once

struct DrawingObject;

// Sets the four text-inset fractions of the shape type and the text inset
// rectangle. With `fromText` 1 the frame is taken to be the text's extent and
// the insets are scaled up to the outer shape.
void ComputeShapeTextInsets(DrawingObject* object, int fromText);
// The text frame: the inner rectangle less the text insets and the margins.
void ComputeTextFrame(DrawingObject* object);
