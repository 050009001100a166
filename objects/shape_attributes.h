// The attribute messages of the shape kind. `value` points at an attribute
// pair of two 32-bit words: colours are the first, widths, styles and
// patterns the second.
#pragma once
#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

ErrorCode SetShapeLineWidth(DrawingRecord* drawing, void* table, int index, int solid, const int32_t* value);
void SetShapeLineStyle(DrawingRecord* drawing, void* table, int index, const int32_t* value);
void SetShapeFillPattern(DrawingRecord* drawing, void* table, int index, int flag, const int32_t* value);
// Message 17 of shapes and 35 of the other kinds.
void SetShapeLineColor(DrawingRecord* drawing, void* table, int index, int flag, const COLORREF* color);
void SetShapeFillColor(DrawingRecord* drawing, void* table, int index, int flag, const COLORREF* color);
ErrorCode ApplyShadowSchemeToText(DrawingRecord* drawing, void* table, int index);
ErrorCode SetShapeTextOption(DrawingRecord* drawing, void* table, int index, int value);
// Message 59 of every kind: sets or clears option bits, then message 34.
ErrorCode SetObjectShadowFlags(DrawingRecord* drawing, void* table, int index, uint32_t mask, int set);
ErrorCode SetShapeTextSizing(DrawingRecord* drawing, void* table, int index, int frameless, int constraint);
