// Where objects may be dropped on an array, where they hang, and the array's
// own ends by which it hangs on a host.
#pragma once
#include "lines/array_record.h"

const int kArrayMaxHookPoints = 600;

// Message 41: candidate ordinals 0 .. branch count (at most 600).
void GetArrayHookPoints(DrawingRecord* drawing, void* table, int index, int* count, POINT* points);
// Message 42: ordinals (or the negative own-end ordinals) to drawing points.
void MapArrayHookPoints(DrawingRecord* drawing, void* table, int index, int count, POINT* points);
// Message 43.
void DrawArrayHookMarkers(HDC dc, DrawingRecord* drawing, void* table, int index, int count, const POINT* points);
// Message 45: the stem end (-1) and, with the stem at the end, the tail end (-2).
void GetArrayOwnHookPoints(DrawingRecord* drawing, void* table, int index, int* count, POINT* points);
// Message 80: the anchor code for a drop on candidate b, or 0.
int GetBranchDropAnchor(DrawingRecord* drawing, void* table, int index, int b, int32_t* candidates);
// Message 46: a side code 1..4 to the array end code 20..23.
int NormalizeArrayEndCode(DrawingRecord* drawing, void* table, int index, int code);
// Message 47: the point of that end in drawing units.
void GetArrayEndPoint(DrawingRecord* drawing, void* table, int index, int code, POINT* point);
