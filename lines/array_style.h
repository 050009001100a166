// The array styles of the "Ramulets" popup (menu ids 1601 and up).
#pragma once
#include "lines/array_record.h"

struct ArrayStyle {
    int orientation;   // 0 horizontal, 2 vertical
    int angle;         // 0, 45 or 135
    uint32_t flags;    // ArrayFlags
};

const int kArrayStyleMenuBase = 1601;

// Decodes a message value (menu id - 1601); false for a code no style has.
bool DecodeArrayStyle(int value, ArrayStyle* style);
// Message 83, sent to every selected object by the Ramulets commands.
ErrorCode ApplyArrayStyle(DrawingRecord* drawing, void* table, int index, int value);
