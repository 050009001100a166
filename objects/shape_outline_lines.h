// A shape's outline as the line pieces that Shape to Line turns into line
// objects (kind message 76).
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Reallocates the caller's movable block to a FreeformOutline layout of
// pieces and writes the traced rectangle into `rect`. 0, 1 when the block
// cannot be reallocated (the block is unchanged), or the store's code when a
// freeform shape's outline record cannot be read.
ErrorCode ShapeToFreeformOutline(DrawingRecord* drawing, void* table, int index, HGLOBAL* block, RECT* rect);
