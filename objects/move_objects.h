// Moving a list of objects with their groups.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Moves the listed objects (an ObjectIndexList) by (dx, dy) as one Move step
// (or, right after Duplicate, as the step that extends the Duplicate offset).
ErrorCode MoveObjects(HWND view, int dx, int dy, HGLOBAL list, int insideStep);

// Offsets every listed object and the frames of their groups, each group
// once; the first error ends the loop.
ErrorCode OffsetListedObjects(DrawingRecord* drawing, HGLOBAL list, int dx, int dy);
