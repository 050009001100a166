// Measuring text the way it is drawn: format fonts and metrics, character
// spacing, double-byte offsets, fitted per-character widths, and finding
// formats and lines.
#pragma once
#include <windows.h>

#include <cstdint>

#include "text/ten_state.h"

// The justification a fitted run spends on its spaces instead of handing it
// to SetTextJustification (any zoom but 100 per cent).
struct PendingJustificationValue {
    int extra;
    int breaks;
};
extern PendingJustificationValue PendingJustification;

// Sets the format's font and metrics; the font is left selected in the
// measuring DC.
void MakeFormatFont(TenState* state, TextFormat* format);
// MakeFormatFont over formats first..last of the editor (last clamped).
void RefreshFormatFonts(HGLOBAL editor, int first, int last);
// The same for a state that is already locked.
void RefreshStateFormatFonts(TenState* state, int first, int last);
int IsDbcsCharStart(const char* text, int position);
int AdjustDbcsOffset(const char* text, int base, int offset, int limit, int roundDown);
// Record `index`, or record 0 for an index outside the table (a neutral
// record when the table is empty).
const TextParagraph& GetTextParagraph(const TextParagraph* paragraphs, int count, int index);
int SetRunJustification(HDC dc, int extra, int breaks, int zoom);
// Grows the shared width buffer to hold `count` widths; false when it cannot.
bool EnsureCharWidthCapacity(int count);
// One width per byte from `firstSlot` on; the sum, or -1 when the buffer is
// too small.
int MeasureCharWidths(HDC dc, const char* characters, int count, int32_t* widths, int capacity, int firstSlot,
                      int doubleByte);
// Spreads the difference between the measured and the target total over the
// widths, and the pending justification over the spaces.
void FitCharWidths(const char* characters, int32_t* widths, int count, int measuredTotal, int targetTotal);
// Height (high word) and width of the first `count` characters (low word);
// with a target the run's drawn characters are fitted to it first. -1 when
// the width buffer cannot grow.
LONG MeasureRunText(HDC dc, const char* characters, int count, int drawnCount, int targetWidth, int doubleByte);
int FindFormatAt(int position, const TextFormat* formats, int formatCount);
int FindLineAtY(const TextLine* lines, int lineCount, int y);
