// Drawing laid-out text lines on any DC (editor, view, printer, metafile),
// with the text effects, bullets, underlines, highlights and rules.
#pragma once
#include <windows.h>

#include "objects/text_block.h"

// The arrays of one laid-out text.
struct TextLinesView {
    const TextLine* lines;
    int lineCount;
    TextFormat* formats;      // fonts are made here when missing
    int formatCount;
    const char* text;
    int textLength;
    const TextParagraph* paragraphs;
    int paragraphCount;
    const TextRun* runs;
    int runCount;
};

struct TextPaintOptions {
    HDC measuringDC;
    int fit;                  // runs drawn with widths fitted to their layout
    HGLOBAL fontList;
    HGLOBAL fontTable;
    int rotate;               // with rotationRect: rotate by the first format's angle
    int printWithoutColor;
    int editor;               // 1 in the editor window
    int unitsPerInch;
    const COLORREF* colorOverride;
    int xOffset;
    int yOffset;
    const RECT* rotationRect;
};

void DrawTextLines(HDC target, const TextLinesView& view, int firstLine, int endLine, const TextPaintOptions& options);
void DrawTextLinesWithEffect(HDC target, const TextLinesView& view, int firstLine, int endLine,
                             const TextPaintOptions& options, const TextEffect& effect);
// TextOut, or with a target width ExtTextOut with fitted widths; -1 when
// the width buffer cannot grow.
int DrawRunText(HDC target, HDC measuringDC, int x, int y, const char* characters, int count, int targetWidth,
                int doubleByte);
void DrawBullet(HDC dc, COLORREF color, int kind, int x, int baseline, int ascent, int leftIndent,
                const RECT* rotationRect, int angle);
void EnsureFormatFont(TextFormat* format, HGLOBAL fontList, HGLOBAL fontTable, int sizePercent, int unitsPerInch,
                      int widthFlag);
// A new font the caller deletes, made with the format's average width.
HFONT CreateFormatOutputFont(HDC dc, const TextFormat* format, HGLOBAL fontList, HGLOBAL fontTable, int sizePercent,
                             int unitsPerInch);
