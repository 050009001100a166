// Painting connectors (messages 1, 31, 32) and their inverted outlines.
#pragma once
#include <windows.h>

#include "lines/connector_route.h"
#include "objects/drawing_layout.h"

// Index -1: the table argument is the object record. `offset` (or none):
// dx, dy and a colour.
void PaintSegLine(HDC dc, int message, DrawingRecord* drawing, void* table, int index, int firstValue,
                  const int32_t* offset);
// One quarter-ellipse corner between handle points i and i + 1; `flags` 2 an
// arrowhead at the first point, 1 at the second. Without an object the
// feedback sizes are used.
void DrawArcCorner(HDC dc, const SegLineRoute* route, int i, const POINT* handles, int dx, int dy, int flags,
                   int lineWidth, HBRUSH brush, HPEN thinPen, HPEN arrowPen, const DrawingObject* object);
// Offsets (along toward the centre, across) from the vertex at the end of
// semi-axis a to the ellipse point at straight distance c.
void ArcTrimPoint(double a, double b, double c, double* along, double* across);
// The route's outline in R2_NOT, shifted by (dx, dy).
void DrawRouteXor(HDC dc, const SegLineRoute* route, int cornerStyle, int dx, int dy, int solid);
