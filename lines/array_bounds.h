// The rectangles of an array from its branch list.
#pragma once
#include "lines/array_record.h"

// Inner rectangle, frame, bounds and text frame of the array from its entries,
// pen, arrowheads and shadow (message 64, the end of every change).
void ComputeArrayBoundsFrom(const DrawingRecord* drawing, DrawingObject* array, const ArrayBranchHead* list);
void ComputeArrayBounds(const DrawingRecord* drawing, void* table, int index);
