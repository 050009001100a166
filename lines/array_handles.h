// The handles of an array, their drawing and the array's hit test.
#pragma once
#include "lines/array_record.h"

const int kArrayMaxHandles = 6;

struct ArrayHandles {
    int count = 0;
    RECT rects[kArrayMaxHandles];
    int codes[kArrayMaxHandles];
    POINT points[kArrayMaxHandles];
};

// 0 to 6 handles in drawing units; none when the list cannot be read.
void GetArrayHandlesFrom(const DrawingObject* array, const ArrayBranchHead* list, ArrayHandles* handles);
void GetArrayHandles(const DrawingRecord* drawing, const void* table, const DrawingObject* array,
                     ArrayHandles* handles);
void DrawArrayHandles(HDC dc, DrawingRecord* drawing, void* table, int index);
int HitTestArray(DrawingRecord* drawing, void* table, int index, POINT point);
