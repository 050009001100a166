// Where a text holder's first line sits below its frame's top, so a moved
// text snaps by its first line rather than by its frame.
#pragma once

#include "objects/drawing_layout.h"

// The distance from the object's frame top to its first text line; 0 when the
// object holds no readable text.
int GetTextLineOffset(const DrawingRecord* drawing, void* objectTable, int index);
