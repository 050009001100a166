// What a shape tells the menus: its attributes merged into a selection summary
// (message 28) and its command bits (message 29).
#pragma once
#include <cstdint>

#include "objects/drawing_layout.h"

void CollectShapeAttributes(DrawingRecord* drawing, void* table, int index, DrawingObject* summary);
uint32_t GetShapeCommandBits(DrawingRecord* drawing, void* table, int index);
