// A new array, and the plain attribute messages of the array kind.
#pragma once
#include "lines/array_record.h"

// Message 11; corner = the corner code 1..4 of the drag that drew it.
ErrorCode CreateArray(DrawingRecord* drawing, void* table, int index, int corner);
void OffsetArray(DrawingRecord* drawing, void* table, int index, int dx, int dy);
void SetArrayLineWidth(DrawingRecord* drawing, void* table, int index, int resetStyle, int width);
void SetArrayLineStyle(DrawingRecord* drawing, void* table, int index, int style);
void SetArrayArrowEnds(DrawingRecord* drawing, void* table, int index, int ends);
// value: start arrowhead word, size, end arrowhead word.
void SetArrayArrowheads(DrawingRecord* drawing, void* table, int index, const int32_t* value);
// Message 56 and 86.
void GetArrayLineRect(DrawingRecord* drawing, void* table, int index, int wholeFrame, RECT* rect);
// Message 81: the reach of the array's stem, 0 when unreadable.
int32_t GetArrayStemLength(const DrawingRecord* drawing, const void* table, int index);
