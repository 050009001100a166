// The rectangle the objects of a drawing cover, in drawing units.
#pragma once
#include <windows.h>

// All objects, or only the selected ones; an empty rectangle when none.
void GetDrawingExtents(HGLOBAL drawing, BOOL selectedOnly, RECT* extents);
