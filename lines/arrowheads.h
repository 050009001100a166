// Line-end markers: their measures, the setback of the stroke before them and
// their drawing; and dotted or dashed segments wider than one unit.
#pragma once
#include <windows.h>

#include <cstdint>

extern const int32_t ArrowheadWidthTable[3];   // half-widths W
extern const int32_t ArrowheadLengthTable[3];  // head lengths

const int kMaxArrowheadKind = 23;

// The marker kind of an arrowhead word (its low byte); bit 0x100 is the
// 60-unit displacement.
inline int ArrowheadKindOf(uint32_t word)
{
    return static_cast<int>(word & 0xFF);
}
const uint32_t kArrowDisplaced = 0x100;
const int kArrowDisplacement = 60;

// A size index from a record, kept inside the tables.
int ClampArrowSize(int size);

// How far a marker widens a line's bounds: across in the low, along in the
// high signed 16 bits.
int32_t GetArrowheadExtent(uint32_t word, int size, int width);
inline int ExtentAcross(int32_t extent) { return static_cast<int16_t>(extent & 0xFFFF); }
inline int ExtentAlong(int32_t extent) { return static_cast<int16_t>((static_cast<uint32_t>(extent) >> 16) & 0xFFFF); }

// How far the stroke stops short of an end carrying the marker (-1: none).
int GetArrowheadSetback(uint32_t word, int size, int width);
inline int GetArrowSetback(uint32_t word, int size, int width) { return GetArrowheadSetback(word, size, width); }

// 1 for the kinds drawn in the middle of a line (17, 18, 19).
int IsMiddleArrowhead(uint32_t word);
inline int IsMidLineArrow(uint32_t word) { return IsMiddleArrowhead(word); }

// The ends code from two words: 2 for a start kind, 1 for an end kind; a
// word without a kind is cleared.
int RebuildArrowEnds(int32_t* startWord, int32_t* endWord);

// Draws the first kind's marker with its tip at (x1, y1) pointing away from
// (x2, y2) and the second kind's at (x2, y2). `ends`: bit 2 the first point,
// bit 1 the second (kinds 1, 17, 20 and 21 need their bit). A negative size
// draws the small sample markers. Leaves the last objects selected.
void DrawArrowheads(HDC dc, int ends, uint32_t firstWord, uint32_t secondWord, int width, int size, int unused,
                    int x1, int y1, int x2, int y2, HBRUSH brush, HPEN outlinePen, HPEN strokePen);

// Strokes a dotted (2) or dashed (3) segment as separate dashes with the
// selected pen; other styles draw nothing.
void DrawDashedWideLine(HDC dc, int width, int style, int x1, int y1, int x2, int y2);

// The measures a marker is drawn with, for tests and the ruler sample.
struct ArrowheadMeasures {
    int J;  // half-width of heads and bars
    int K;  // radius of dots, half-side of squares
    int L;  // head length
};
ArrowheadMeasures GetArrowheadMeasures(int size, int width);
