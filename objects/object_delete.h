// Deleting objects with everything that hangs on them.
#pragma once
#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// index -1: mode 1 deletes the selected objects, mode 0 every object that is
// not selected (keeping the labels and hanging objects of the selection).
// index >= 0: deletes that object and its label. The caller holds the drawing
// record locked and has marked the tables changed.
ErrorCode DeleteObjects(DrawingRecord* drawing, int mode, int index);

// What DeleteObjects(drawing, 0, -1) leaves, in one pass however many objects
// go: the selected objects and what hangs on them.
ErrorCode DeleteUnselectedObjects(DrawingRecord* drawing);

// Takes a deleted object out of its group's member count and marks the row
// for re-layout; 1 when it was in a group.
int LeaveGroupOnDelete(DrawingRecord* drawing, void* groupTable, DrawingObject* object);
