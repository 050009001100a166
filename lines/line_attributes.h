// Attribute messages shared by the line kinds: width, style, arrowheads, the
// selection summary; and the straight line's Line Type message.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Recomputes whatever kind the object is (straight line or connector).
void RecalcAnyLineRects(DrawingRecord* drawing, void* table, int index);

void SetLineWidth(DrawingRecord* drawing, void* table, int index, int resetStyle, const int32_t* value);
void SetLineStyle(DrawingRecord* drawing, void* table, int index, const int32_t* value);
void SetLineArrowEnds(DrawingRecord* drawing, void* table, int index, const int32_t* value);
void SetLineArrowheads(DrawingRecord* drawing, void* table, int index, const int32_t* value);
// Replaces the kind (low byte) and second byte of a word unless 0xFF.
int32_t MergeArrowheadWord(int32_t word, int32_t value);
// Message 38 of the three line kinds.
void CollectLineAttributes(DrawingRecord* drawing, void* table, int index, DrawingObject* collector);
int32_t GetLineCommandBits(void* table, int index);
inline int32_t GetLineCapabilities() { return 19; }
inline int LineMayLink(const DrawingRecord* drawing)
{
    return drawing && (drawing->flags & kDrawingLinesLink) ? 1 : 0;
}
// Message 61 of straight lines: a LineType (codes 1..4) or a connector.
ErrorCode SetLineShape(DrawingRecord* drawing, void* table, int index, const int32_t* value);
