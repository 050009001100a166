// Mapping between text positions and x inside a laid-out line.
#pragma once
#include <windows.h>

#include "text/ten_arrays.h"
#include "text/ten_state.h"

// The x of a position on line `lineIndex` of the editor, in its
// coordinates; the format holding the position goes to `formatIndex`.
int PositionToX(TenState* state, const TenArrays& arrays, int lineIndex, int position, int* formatIndex);
// The number of characters (0..count) whose width is nearest `width`; the
// width reached goes to `widthReached`.
int FitCharsToWidth(HDC dc, const char* text, int overhang, int doubleByte, int start, int count, int width,
                    int* widthReached, int targetWidth, int drawnCount);
// The text position on the line nearest x (relative to the box).
int XToPosition(HDC dc, int zoom, const TextLine& line, const TextFormat* formats, int formatCount,
                const TextRun* runs, int runCount, const TextParagraph* paragraphs, int paragraphCount,
                const char* text, int textLength, int x, int* xReached, int* formatIndex);
