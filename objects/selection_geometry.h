// Small geometric services the kinds share: the rectangle of a selection
// handle, fitting a rectangle into the 600 x 600 box, the side of a
// rectangle a point lies on, and the size of palette entries.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// Handle codes 1..8 (SideCode), 20..23 (on the kind coordinate at +68) and
// 24..27 (frame corners). `corners` (or none): the eight points TL, TR, BR,
// BL, top, right, bottom and left middle of a turned frame. A side handle
// of a frame too small for it is empty; other codes leave `rect` alone.
void GetHandleRect(const DrawingObject* object, RECT* rect, int code, const POINT* corners);

// Moves the rectangle and the point to the origin and scales both down so
// the rectangle fits 600 x 600.
void FitRectIn600(RECT* rect, POINT* point);

// The SideCode of a point on a rectangle's outline: 1..4 the corners (TL,
// TR, BL, BR), 5 top, 6 bottom, 7 left, 8 right; a point off the outline
// takes the nearest side.
int SideCodeOnRect(const RECT* rect, int x, int y);

inline int GetPaletteEntryBytes(int n) { return 4 * n; }
