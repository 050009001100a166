// Dragging, rotating and the connection points of straight lines.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

void DrawLineResizeFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int x, int y, const RECT* rect);
void DrawLineMoveFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, const RECT* rect);
void DrawLineRotateFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int x, int y, const RECT* rect);
int GetLineRotationHandle(DrawingRecord* drawing, void* table, int index, int flags, POINT* centre, RECT* box);
ErrorCode RotateLineToPoint(DrawingRecord* drawing, void* table, int index, const POINT* point);
void SetLineRotation(DrawingRecord* drawing, void* table, int index, int angle);
void GetLineRotationReference(void* table, int index, int* angle, RECT* rect);
int RotateLineInGroupRect(DrawingRecord* drawing, void* table, int index, int dx, int dy, RECT* rect);
// Turns the line by `delta` tenths of a degree about its frame's centre.
void RotateLineBy(DrawingRecord* drawing, void* table, int index, int delta);

void SetTextAlongLine(DrawingRecord* drawing, void* table, int index, const int32_t* value);
inline void SetLineTextHorizontal(DrawingRecord* drawing, void* table, int index, const int32_t* value)
{
    SetTextAlongLine(drawing, table, index, value);
}
void MapPointToLineHook(DrawingRecord* drawing, void* table, int index, int flags, int* word, POINT* point);
void MapBoxPointsOntoLine(void* table, int index, int count, POINT* points, int noArc);
void GetLineConnectPoints(void* table, int index, int* count, POINT* points);
void GetLineEndOfHandle(void* table, int index, int code, int32_t* end);
void GetLineEndPoint(void* table, int index, int end, POINT* point);
int GetSideOfLine(void* table, int index, const POINT* reference, const POINT* point);
void MoveLineFrameByHandle(void* table, int index, int code, POINT* delta, RECT* rect);
void GetLineSize(void* table, int index, int32_t* size);
void GetLineBoxRect(void* table, int index, int flag, RECT* rect);
void GetLineExtentRect(void* table, int index, RECT* rect);
int GetLineOutlinePoints(RECT* accumulator, void* table, int index, int* count, POINT* points);
void GetLineTypeInfo(void* table, int index, int32_t* entry);
void AppendLineOutline(const RECT* segment, const unsigned char* list, int entry, int* count, POINT* points);
