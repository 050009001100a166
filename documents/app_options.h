// The program's options record and colour-style list, as far as the drawing
// code reads them.
#pragma once
#include <windows.h>

#include <cstdint>

// The options record, locked for the whole run; none before it is read.
extern unsigned char* AppOptions;
// The colour-style list block: count, current index, then 76-byte styles.
extern HGLOBAL ColorStyles;

enum OptionsField : int {
    kOptionsRulerScale = 4,         // 32 bytes copied into a new drawing
    kOptionsFlags = 38,             // 16-bit flag word
    kOptionsNewObjectDefaults = 42, // 84 bytes copied into a new drawing
    kOptionsToolbarSlots = 10146,   // 22 slots of 28 bytes, the adjust value at +20
    kOptionsTextOnLines = 11626,    // flag word, 0x02 texts on lines kept horizontal
};

enum OptionsFlags : uint16_t {
    kOptionsSnap = 0x02,
    kOptionsHints = 0x10,
    kOptionsLinesLink = 0x20,
    kOptionsShapesLink = 0x40,
};

const int kToolbarSlotCount = 22;
const int kToolbarSlotSize = 28;
const int kToolbarSlotAdjust = 20;
const int kColorStyleListHead = 8;
// The options bytes the drawing code reaches.
const int kOptionsMinimumSize = 11628;
