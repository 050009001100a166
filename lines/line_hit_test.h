// Hit testing straight lines and the handles of their line types.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

const int kMaxLineTypeHandles = 2;

// The adjust-handle boxes of an outline: comm one, digital two, arc one.
void GetLineAdjustHandleRects(const DrawingObject* line, const POINT* points, int count, int figure, RECT* boxes,
                              int* number);
inline void GetLineTypeHandleRects(const DrawingObject* line, const POINT* points, int count, int figure,
                                   RECT* boxes, int* number)
{
    GetLineAdjustHandleRects(line, points, count, figure, boxes, number);
}
// 40 when the point lies within half the width plus 12 of a piece.
int HitTestLinePoints(const DrawingObject* line, const POINT* points, int count, int x, int y);
inline int HitTestLineOutline(const DrawingObject* line, const POINT* points, int count, int x, int y)
{
    return HitTestLinePoints(line, points, count, x, y);
}
// Message 2.
int HitTestStraightLine(DrawingRecord* drawing, void* table, int index, int flags, int x, int y);
// The end-handle codes of a line: start and end.
void GetLineEndHandleCodes(const DrawingObject* line, int* start, int* end);
// The base of the adjust-handle codes of the line's direction.
int LineAdjustCodeBase(const DrawingObject* line);
