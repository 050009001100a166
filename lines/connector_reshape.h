// Reshaping and hooking connectors: end moves, middle-handle drags, slots
// made, hook points and the side a line meets.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

ErrorCode ResizeSegLine(DrawingRecord* drawing, void* table, int index, int corner, const RECT* rect);
void GetMovedEndRect(DrawingRecord* drawing, void* table, int index, int which, const POINT* offset, RECT* rect);
ErrorCode AdjustSegLine(DrawingRecord* drawing, void* table, int index, int handleCode, const POINT* point);
void AdjustSegLineFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int handleCode,
                           const POINT* point);
ErrorCode SegLineSlotConnected(DrawingRecord* drawing, void* table, int index, int slot, int connected);
void GetSegLineHookPoint(DrawingRecord* drawing, void* table, int index, int* flag, POINT* point);
void GetSegLineEndHookPoints(DrawingRecord* drawing, void* table, int index, int* count, POINT* points);
void GetSegLineEndOfCode(int code, int32_t* end);
ErrorCode GetSegLineEndPoint(DrawingRecord* drawing, void* table, int index, int end, int* otherEnd, POINT* point);
int GetSegLineSideAt(DrawingRecord* drawing, void* table, int index, const POINT* point, const POINT* from);
