// Keeping an editor's character formats in normal form: compare, join,
// split and normalise; carrying paragraph attributes across a joined
// paragraph; symbol faces; font-size steps; and re-placing laid-out lines
// when only an alignment changes.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "text/ten_state.h"

// 1 when the attributes (face to requested size) are equal, else 0.
int FormatsEqual(const TextFormat& a, const TextFormat& b);
// Adds format a+1 to format a; 1 when a is not below count - 1.
ErrorCode MergeFormatWithNext(TenState* state, int a);
// Splits format a at text position p; 1 when a is not below the count, 10004
// when the array cannot grow.
ErrorCode SplitFormat(TenState* state, int a, int p);
// Joins equal neighbours and drops an empty last format.
ErrorCode NormalizeFormats(TenState* state);
// Where the stretch of B that continues A's paragraph ends, or 0 when
// nothing is to be carried.
int FindParagraphTail(const char* text, int textLength, const TextFormat& a, const TextFormat& b);
// B takes A's paragraph index and break-before bit; A then takes B's flags.
void TakeParagraphAttributes(TenState* state, void* paragraphBlock, TextFormat* a, TextFormat* b);
// Sets or clears the symbol-face flag from the face's character set.
void UpdateSymbolFlag(TenState* state, TextFormat* format);
int IsSymbolFormat(const TextFormat& format);
int IsDbcsText(const TextFormat* format);
// The face for text typed after a symbol face.
int FindPlainFace(TenState* state);
// The step of the grow (shrinking 0) and shrink (shrinking 1) size commands.
int FontSizeStep(int size, int shrinking);
void AlignTenLines(TextLine* lines, const TextFormat* formats, const TextParagraph* paragraphs, int lineCount,
                   int formatCount, int paragraphCount, int leftMargin, int availableWidth);
void PlaceTenLinesVertically(TextLine* lines, int lineCount, int verticalAlignment, int topMargin,
                             int availableHeight);

// Carries paragraph attributes across the pair (i, i+1) of the live formats
// as an edit that joins paragraphs needs: split, take, then join or re-make
// the font. Used by deleting and inserting.
ErrorCode CarryParagraphAttributes(TenState* state, int i);
