// Laying out an array: every segment of its branch list from its style, its
// measures and the sizes of the objects hanging on it.
#pragma once
#include "lines/array_record.h"

// Rewrites the branch list and the array's rectangles, and marks the links of
// what must follow (the hanging objects, and the host when the point the
// array hangs by moved). 0 or a store error.
ErrorCode LayoutArray(DrawingRecord* drawing, void* table, int index);
// 0 not hanging, 1 hanging by its stem end (codes 20, 22), 2 by its tail end.
int GetArrayAttachEnd(const DrawingObject* array);
// Exchanges x and y of every entry: a vertical array is laid out as a
// horizontal one between two of these.
void SwapArrayAxes(ArrayBranchHead* list);
