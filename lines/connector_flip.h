// Mirroring a connector and its outline as pieces for Make Shape and Shape
// to Line (messages 58, 73, 74, 75, 77).
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Flags 8 mirror left to right, 0x10 top to bottom.
ErrorCode FlipSegLine(DrawingRecord* drawing, void* table, int index, uint32_t flags);
// The outline as points (vertex form, or handle points for arc corners);
// `codes` (or none) a block for one quadrant byte per point; `bounds` (or
// none) grows over them. Returns the number of points.
int GetSegLineOutlinePoints(HGLOBAL codes, RECT* bounds, DrawingRecord* drawing, void* table, int index,
                            int* count, POINT* points, int forceVertices);
void GetSegLineOutlineInfo(DrawingRecord* drawing, void* table, int index, int a, int32_t* words);
void ExpandSegLineArcPiece(const POINT* ends, const unsigned char* pieces, int index, int* count, POINT* points);
void SetSegLineFromPiece(DrawingRecord* drawing, void* table, int index, int entry, const unsigned char* pieces);
