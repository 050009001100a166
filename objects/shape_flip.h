// Mirroring shapes (kind message 58).
#pragma once
#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// The mirror bits (0x08, 0x10) a shape accepts.
uint32_t GetFlipPermissions(const DrawingObject* object);
// Mirrors by the requested flags, or swaps an asymmetric type for its mirror
// image; a refusal sets TransformRefused.
ErrorCode FlipShape(DrawingRecord* drawing, void* table, int index, uint32_t flags);
