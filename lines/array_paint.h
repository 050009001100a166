// Painting an array: its entries as lines with the array's arrowheads.
#pragma once
#include "lines/array_record.h"

// Messages 1, 31 and 32. Index -1: the table argument is one detached
// array. printing: no markers. shadow: (dx, dy, colour) or none.
void DrawArray(HDC dc, int message, DrawingRecord* drawing, void* table, int index, int printing,
               const int32_t* shadow);
// The box with a cross that shows an array with no branches yet.
void DrawEmptyArrayMarker(HDC dc, int x, int y);
