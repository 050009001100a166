// The options' tool-bar slots behind the palette's line and shape tools.
#pragma once

struct PaletteSlot {
    int width;       // drawing units
    int height;
    int kind;        // ToolCode 0..3 of the object the tool draws
    int shapeType;
    int sizingFlag;  // 3 keeps the proportions
};

// Slot n belongs to tool 110 + n; false without options or for a slot
// outside 0..21.
bool ReadPaletteSlot(int slot, PaletteSlot* out);
