// Painting a text editor: strips of lines through its off-screen bitmap,
// the selection marking and the break bars.
#pragma once
#include <windows.h>

#include "text/ten_arrays.h"
#include "text/ten_state.h"
#include "text/text_paint.h"

// The arrays of the editor's live text as the line painters take them.
TextLinesView TenLinesView(const TenState* state, const TenArrays& arrays);
void PaintTextLines(HWND window, TenState* state, int firstLine, int endLine, int whole);
void InvertSelection(HDC dc, TenState* state, const CaretPos& start, const CaretPos& end);
void DrawBreakBar(TenState* state, HDC dc, int areaIndex, int y, int width);
class BreakAreaView;
// The bars between the areas and the end bar that fall in the strip.
void DrawBreakBars(TenState* state, HDC dc, const BreakAreaView& view, int stripTop, int stripBottom);
