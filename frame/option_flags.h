// The options' flag word as the frame reads and sets it.
#pragma once
#include <cstdint>

enum FrameOptionFlags : uint16_t {
    kFlagOpenDialogAtStart = 0x0001,
    kFlagPaletteShown = 0x0004,
    kFlagShowHints = 0x0010,
    kFlagWelcomeAtStart = 0x0100,
    kFlagNotMaximized = 0x1000,
};

// False while the options are not read.
bool OptionsExist();
uint16_t GetOptionFlags();
// Sets or clears the mask bits; nothing while the options are not read.
void SetOptionFlagBits(uint16_t mask, bool on);

// The "show hints" flag as the notices read and set it.
bool HintsShown();
void SetHintsShown(bool on);
