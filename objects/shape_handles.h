// A shape's selection handles (kind message 3) and the hook markers (43).
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// Up to eight handle rectangles with their SideCodes, by the sizing
// constraint; on a turned frame for a rotated shape. Returns the count.
int GetShapeHandleRects(DrawingRecord* drawing, const DrawingObject* object, RECT* rects, int* codes);
// Index -1 (and -2): `table` is one record, drawn as the primary (secondary)
// selection.
void DrawShapeHandles(HDC dc, DrawingRecord* drawing, void* table, int index);
// An XOR circle over each point (logical units).
void DrawHookMarkers(HDC dc, DrawingRecord* drawing, void* table, int index, int count, const POINT* points);
