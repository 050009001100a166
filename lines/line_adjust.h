// Adjust handles of decorated lines, XOR outlines, flipping and the turn of a
// point onto a sloped line.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// The parameter saved when an adjust-handle drag starts; arcs update it.
extern double TrackSavedParameter;

double LineParameterFromHandle(DrawingRecord* drawing, const DrawingObject* line, int code, POINT point);
void DrawLineAdjustFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int code, const POINT* point);
ErrorCode SetLineParameterFromHandle(DrawingRecord* drawing, void* table, int index, int code, const POINT* point);
ErrorCode FlipLine(DrawingRecord* drawing, void* table, int index, uint32_t flags);
void SetLineTypeFromSegment(DrawingRecord* drawing, void* table, int index, int vertex, const unsigned char* block);
void RotatePointOntoLine(const DrawingObject* line, POINT* point);
inline void RotatePointOntoChord(const DrawingObject* line, POINT* point) { RotatePointOntoLine(line, point); }

void DrawXorLine(HDC dc, int x1, int y1, int x2, int y2, int solid);
void DrawXorLineOutline(HDC dc, const POINT* points, int count, int solid, int figure);
