// The XOR outlines drawn while a shape is dragged, resized, drawn new or
// rotated (kind messages 4, 5, 27 and 66), and the rotation handle. Each
// figure is drawn in R2_NOT, so drawing it twice erases it.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"
#include "objects/handle_box.h"

// The figure of `shapeType` in `rect`, dotted (or `solid`). With index -1
// the shape does not exist yet; a parameter below 0 takes the shape's own.
void DrawShapeDragFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int message, int shapeType,
                           const RECT* rect, int solid, double parameter);
// The shape turned by the angle the drag from (x, y) over `rect` gives.
void DrawShapeRotateFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int shapeType, int x, int y,
                             const RECT* rect, int solid, double parameter);
// The rotation handle of the object, if it has one.
void DrawRotateHandle(HDC dc, DrawingRecord* drawing, void* table, int index);
// The ellipse of the box with the pen in R2_NOT; the hook markers' figure.
inline void DrawXorEllipse(HDC dc, const RECT* box, HPEN pen)
{
    DrawXorEllipseCopy(dc, box, pen);
}
