// Initialising a new shape (kind message 11) and the sizing default of a shape
// tool (message 53).
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// The creation block of a picture object (the c value of message 11).
#pragma pack(push, 4)
struct PictureCreationBlock {
    RECT bounds;
    int32_t colorCount;
    COLORREF colors[256];
    int32_t scanFlags;
    int32_t byteSize;
};
#pragma pack(pop)
static_assert(sizeof(PictureCreationBlock) == 16 + 4 + 1024 + 8, "picture creation block");

const int32_t kScanStretchedBitmaps = 32;

// a: the picture group (112, 113) of a picture object; b: a text block, a
// picture block or a FreeformOutline record; c: a PictureCreationBlock.
ErrorCode InitShapeObject(DrawingRecord* drawing, void* table, int index, INT_PTR a, INT_PTR b, INT_PTR c);
// The adjust value of a new shape: the palette slot's when the drawing names
// one, else the type's default.
double NewShapeParameter(const DrawingRecord* drawing, int shapeType);
// 3 for the connector circle (square, keeps proportions), else 0.
int GetShapeSizingDefault(int shapeType);
