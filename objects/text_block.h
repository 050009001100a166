// The stored form of a text: one flat byte image of the editor's text, its
// character formats, paragraph records and laid-out lines and runs. It is the
// payload of a text record (group 114), the editor's clipboard data and what
// the editor's get and set text-block messages exchange. Every number is a
// little-endian 32-bit word.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/handle_words.h"

#pragma pack(push, 4)

struct TextEffect {
    int32_t shadowDx;
    int32_t shadowDy;
    int32_t kind;            // ShadowKind 0..5, 0 none
    COLORREF shadowColor;
    COLORREF secondColor;    // the drawing style's highlight colour
};

struct TextBlockHeader {
    int32_t formatCount;       // F
    int32_t lineCount;         // L
    int32_t textLength;        // T
    int32_t paragraphCount;    // P
    int32_t runCount;          // R
    uint32_t options;          // TenOptions
    int32_t widestLine;        // whole-text block only, else 0
    int32_t textHeight;        // whole-text block only, else 0
    int32_t marginLeft;        // words 8..12 and 14: whole-text block only
    int32_t marginTop;
    int32_t marginRight;
    int32_t marginBottom;
    int32_t wrapWidth;
    int32_t widestWord;        // whole-text block only, else 0
    int32_t zoom;
    int32_t labelReference;    // returned as the creator passed it
    int32_t ownerObjectIndex;  // -1 for a new text
    TextEffect effect;
};

struct TextFormat {
    int32_t face;              // slot of the document's FontTable
    int32_t size;              // points
    int32_t style;             // TextStyleBits
    COLORREF color;
    int32_t script;            // > 0 superscript, < 0 subscript
    int32_t hyphenation;
    int32_t paragraphIndex;
    uint32_t flags;            // TextFormatFlags
    int32_t requestedSize;
    int32_t rotation;          // tenths of a degree
    int32_t ascent;            // measuring-DC units
    int32_t height;
    int32_t averageWidth;
    int32_t overhang;
    int32_t start;             // text position
    int32_t length;            // bytes
    int32_t font;              // cached HFONT, meaningful only in this process
};

struct TextParagraph {
    int32_t alignment;         // 0 left, 2 right, 6 centre, 32 justified
    int32_t spacingPercent;
    int32_t spacingExtra;
    int32_t characterSpacing;  // percent of the average character width
    int32_t leftIndent;
    int32_t rightIndent;
    int32_t firstIndent;
    int32_t reserved;          // 120 in a new record
    int32_t bullet;
    int32_t tabInterval;
    int32_t hyphenate;
};

struct TextLine {
    int32_t ascent;
    int32_t height;
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t justifiedWidth;
    int32_t wordWidth;
    int32_t firstFormat;
    int32_t firstPosition;
    int32_t lastBreak;         // offset from the first position
    int32_t length;
    int32_t availableWidth;
    uint32_t flags;            // TextLineFlags
    int32_t firstRun;
    int32_t runCount;
};

struct TextRun {
    int32_t drawnCount;
    int32_t length;
    int32_t spaceCount;
    int32_t justifyExtra;
    int32_t x;                 // from the line's left
    int32_t width;
};

#pragma pack(pop)

static_assert(sizeof(TextEffect) == 20, "text effect");
static_assert(sizeof(TextBlockHeader) == 88, "text block header");
static_assert(sizeof(TextFormat) == 68, "text format");
static_assert(sizeof(TextParagraph) == 44, "text paragraph");
static_assert(sizeof(TextLine) == 60, "text line");
static_assert(sizeof(TextRun) == 24, "text run");
CHECK_FIELD_OFFSET(TextBlockHeader, options, 20);
CHECK_FIELD_OFFSET(TextBlockHeader, widestLine, 24);
CHECK_FIELD_OFFSET(TextBlockHeader, marginLeft, 32);
CHECK_FIELD_OFFSET(TextBlockHeader, wrapWidth, 48);
CHECK_FIELD_OFFSET(TextBlockHeader, widestWord, 52);
CHECK_FIELD_OFFSET(TextBlockHeader, zoom, 56);
CHECK_FIELD_OFFSET(TextBlockHeader, labelReference, 60);
CHECK_FIELD_OFFSET(TextBlockHeader, ownerObjectIndex, 64);
CHECK_FIELD_OFFSET(TextBlockHeader, effect, 68);
CHECK_FIELD_OFFSET(TextFormat, paragraphIndex, 24);
CHECK_FIELD_OFFSET(TextFormat, flags, 28);
CHECK_FIELD_OFFSET(TextFormat, requestedSize, 32);
CHECK_FIELD_OFFSET(TextFormat, rotation, 36);
CHECK_FIELD_OFFSET(TextFormat, start, 56);
CHECK_FIELD_OFFSET(TextFormat, length, 60);
CHECK_FIELD_OFFSET(TextFormat, font, 64);
CHECK_FIELD_OFFSET(TextParagraph, reserved, 28);
CHECK_FIELD_OFFSET(TextParagraph, tabInterval, 36);
CHECK_FIELD_OFFSET(TextParagraph, hyphenate, 40);
CHECK_FIELD_OFFSET(TextLine, firstFormat, 28);
CHECK_FIELD_OFFSET(TextLine, firstPosition, 32);
CHECK_FIELD_OFFSET(TextLine, lastBreak, 36);
CHECK_FIELD_OFFSET(TextLine, flags, 48);
CHECK_FIELD_OFFSET(TextLine, firstRun, 52);
CHECK_FIELD_OFFSET(TextLine, runCount, 56);
CHECK_FIELD_OFFSET(TextRun, x, 16);

const int kMaxTextBytes = 32767;
const int kMaxTextParagraphs = 500;
const DWORD kTextBlockHeaderSize = sizeof(TextBlockHeader);

enum TenOptions : uint32_t {
    kTenModified = 0x01,
    kTenWordWrap = 0x02,
    kTenWholeText = 0x04,
    kTenKeysToParent = 0x08,
    kTenNeverShrinkWidth = 0x10,
    kTenWordSelection = 0x200,
    kTenUndoTaken = 0x400,
};

enum TextStyleBits : int32_t {
    kTextBold = 1,
    kTextItalic = 2,
    kTextUnderline = 4,
    kTextHighlight = 8,   // the run's cell is filled
};

enum TextFormatFlags : uint32_t {
    kFormatRuleBelow1 = 0x01,
    kFormatRuleBelow2 = 0x02,
    kFormatNewBreakArea = 0x04,
    kFormatSymbolFace = 0x08,
    kFormatEnteredAsSymbol = 0x10,
};

enum TextLineFlags : uint32_t {
    kLineEndsParagraph = 0x01,
    kLineEndsAtSoftHyphen = 0x02,
    kLineBeginsBreakArea = 0x04,
    kLineFirstOfLaterArea = 0x08,
};

// Characters with a meaning to the text engine.
const char kParagraphEnd = 13;
const char kTabCharacter = 9;
const char kSoftHyphen = 1;
const char kHardSpace = 2;

// Byte offsets of the parts of a block with the given counts.
inline DWORD TextBlockLinesOffset() { return kTextBlockHeaderSize; }
inline DWORD TextBlockFormatsOffset(const TextBlockHeader& h)
{
    return kTextBlockHeaderSize + sizeof(TextLine) * static_cast<DWORD>(h.lineCount);
}
inline DWORD TextBlockParagraphsOffset(const TextBlockHeader& h)
{
    return TextBlockFormatsOffset(h) + sizeof(TextFormat) * static_cast<DWORD>(h.formatCount);
}
inline DWORD TextBlockRunsOffset(const TextBlockHeader& h)
{
    return TextBlockParagraphsOffset(h) + sizeof(TextParagraph) * static_cast<DWORD>(h.paragraphCount);
}
inline DWORD TextBlockTextOffset(const TextBlockHeader& h)
{
    return TextBlockRunsOffset(h) + sizeof(TextRun) * static_cast<DWORD>(h.runCount);
}
// The whole size, or 0 when a count is negative or the size passes 32 bits.
uint64_t TextBlockSize(int formats, int lines, int paragraphs, int runs, int textLength);
// True when the header's counts fit the `size` bytes of a block.
bool IsTextBlockSound(const void* block, SIZE_T size);

// A new paragraph record of an editor: its alignment and `unitsPerInch` / 4
// as the tab interval.
TextParagraph NewTextParagraph(int alignment, int unitsPerInch);
