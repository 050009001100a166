// The rectangle the objects of a drawing cover, in drawing units.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// Both records locked by the caller. With `storedBoundsOnly` each object's
// stored bounds count; otherwise the rectangle its kind paints, with the
// drawing's shadow where the object casts one. With `selectedOnly` only
// selected objects and objects hanging on a selected host count. A side of
// zero length counts as one unit; the result is (0, 0, 0, 0) when nothing
// counts.
void GetDrawingExtents(DrawingRecord* drawing, void* objectTable, RECT* extents, BOOL selectedOnly,
                       BOOL storedBoundsOnly);

// The same through the drawing's handle, from the stored bounds.
void GetDrawingExtents(HGLOBAL drawing, BOOL selectedOnly, RECT* extents);
