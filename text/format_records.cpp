#include "text/format_records.h"

#include <cstring>

#include "text/font_list.h"
#include "text/text_alignment.h"
#include "text/ten_arrays.h"
#include "text/ten_startup.h"
#include "text/text_measure.h"

int FormatsEqual(const TextFormat& a, const TextFormat& b)
{
    return a.face == b.face && a.size == b.size && a.style == b.style && a.color == b.color &&
           a.script == b.script && a.hyphenation == b.hyphenation && a.paragraphIndex == b.paragraphIndex &&
           a.flags == b.flags && a.requestedSize == b.requestedSize;
}

ErrorCode MergeFormatWithNext(TenState* state, int a)
{
    TenTextState& live = state->live;
    if (a < 0 || a >= live.formatCount - 1)
        return kErrNotDone;
    auto* formats = static_cast<TextFormat*>(GlobalLock(live.formats));
    if (!formats)
        return kErrNoMemory;
    formats[a].length += formats[a + 1].length;
    std::memmove(formats + a + 1, formats + a + 2, sizeof(TextFormat) * static_cast<size_t>(live.formatCount - a - 2));
    GlobalUnlock(live.formats);
    --live.formatCount;
    DiscardError(ResizeBlock(&live.formats, sizeof(TextFormat) * static_cast<SIZE_T>(live.formatCount)),
                 "a failed shrink is harmless");
    return kErrNone;
}

ErrorCode SplitFormat(TenState* state, int a, int p)
{
    TenTextState& live = state->live;
    if (a < 0 || a >= live.formatCount)
        return kErrNotDone;
    if (ResizeBlock(&live.formats, sizeof(TextFormat) * static_cast<SIZE_T>(live.formatCount + 1)) != kErrNone)
        return kErrNoMemory;
    auto* formats = static_cast<TextFormat*>(GlobalLock(live.formats));
    if (!formats)
        return kErrNoMemory;
    std::memmove(formats + a + 1, formats + a, sizeof(TextFormat) * static_cast<size_t>(live.formatCount - a));
    const int end = formats[a].start + formats[a].length;
    formats[a + 1].start = p;
    formats[a + 1].length = end - p;
    formats[a].length = p - formats[a].start;
    GlobalUnlock(live.formats);
    ++live.formatCount;
    return kErrNone;
}

ErrorCode NormalizeFormats(TenState* state)
{
    TenTextState& live = state->live;
    for (int i = live.formatCount - 2; i >= 0; --i) {
        auto* formats = static_cast<TextFormat*>(GlobalLock(live.formats));
        if (!formats)
            return kErrNoMemory;
        const bool emptyLast = formats[i + 1].length <= 0 && live.formatCount > 1 && i + 1 == live.formatCount - 1;
        const bool equal = FormatsEqual(formats[i], formats[i + 1]) != 0;
        GlobalUnlock(live.formats);
        if (emptyLast) {
            --live.formatCount;
        } else if (equal) {
            ErrorCode code = MergeFormatWithNext(state, i);
            if (code != kErrNone)
                return code;
        }
    }
    return kErrNone;
}

int FindParagraphTail(const char* text, int textLength, const TextFormat& a, const TextFormat& b)
{
    if (a.paragraphIndex == b.paragraphIndex && a.flags == b.flags)
        return 0;
    if ((a.flags ^ b.flags) & kFormatEnteredAsSymbol)
        return 0;
    const int before = (a.start + a.length == b.start) ? b.start : a.start;
    if (before <= 0 || before > textLength || text[before - 1] == kParagraphEnd)
        return 0;
    for (int p = b.start < 0 ? 0 : b.start; p < textLength; ++p) {
        if (text[p] == kParagraphEnd)
            return p + 1;
    }
    return textLength;
}

void TakeParagraphAttributes(TenState*, void*, TextFormat* a, TextFormat* b)
{
    b->paragraphIndex = a->paragraphIndex;
    b->flags = (b->flags & ~static_cast<uint32_t>(kFormatNewBreakArea)) | (a->flags & kFormatNewBreakArea);
    a->flags = b->flags;
}

void UpdateSymbolFlag(TenState* state, TextFormat* format)
{
    bool symbol = false;
    if (format->face >= 0 && format->face < FontTableCount(state->fontTable)) {
        FontListEntry entry;
        const int index = FontTableSlotValue(state->fontTable, format->face);
        if (index >= 0 && GetFontListEntry(state->fontList, index, &entry))
            symbol = entry.logFont.lfCharSet == SYMBOL_CHARSET;
    }
    if (symbol)
        format->flags |= kFormatSymbolFace;
    else
        format->flags &= ~static_cast<uint32_t>(kFormatSymbolFace);
}

int IsSymbolFormat(const TextFormat& format) { return (format.flags & kFormatSymbolFace) ? 1 : 0; }

int IsDbcsText(const TextFormat*) { return DbcsEnabled; }

int FindPlainFace(TenState* state)
{
    TenTextState& live = state->live;
    const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
    if (!formats || live.formatCount <= 0) {
        if (formats)
            GlobalUnlock(live.formats);
        return state->defaultFace;
    }
    int i = live.selectionStart.format;
    if (i < 0)
        i = 0;
    if (i > live.formatCount - 1)
        i = live.formatCount - 1;
    while (IsSymbolFormat(formats[i]) && i > 0)
        --i;
    while (IsSymbolFormat(formats[i]) && i < live.formatCount - 1)
        ++i;
    const int face = IsSymbolFormat(formats[i]) ? state->defaultFace : formats[i].face;
    GlobalUnlock(live.formats);
    return face;
}

int FontSizeStep(int size, int shrinking)
{
    if (shrinking)
        return size <= 12 ? 1 : (size <= 24 ? 2 : 12);
    return size < 12 ? 1 : (size < 24 ? 2 : 12);
}

void AlignTenLines(TextLine* lines, const TextFormat* formats, const TextParagraph* paragraphs, int lineCount,
                   int formatCount, int paragraphCount, int leftMargin, int availableWidth)
{
    for (int i = 0; i < lineCount; ++i) {
        TextLine& line = lines[i];
        int paragraphIndex = 0;
        if (line.firstFormat >= 0 && line.firstFormat < formatCount)
            paragraphIndex = formats[line.firstFormat].paragraphIndex;
        const TextParagraph& paragraph = GetTextParagraph(paragraphs, paragraphCount, paragraphIndex);
        const int free = availableWidth - line.wordWidth;
        int offset = 0;
        if (paragraph.alignment == kTextAlignRight)
            offset = free;
        else if (paragraph.alignment == kTextAlignCentre)
            offset = free / 2;
        if (offset < 0)
            offset = 0;
        line.left = leftMargin + offset + paragraph.leftIndent;
    }
}

void PlaceTenLinesVertically(TextLine* lines, int lineCount, int verticalAlignment, int topMargin, int availableHeight)
{
    if (lineCount <= 0)
        return;
    const int textHeight = lines[lineCount - 1].top + lines[lineCount - 1].height - lines[0].top;
    int offset = 0;
    if (verticalAlignment == kTextPlaceMiddle)
        offset = (availableHeight - textHeight) / 2;
    else if (verticalAlignment == kTextPlaceBottom)
        offset = availableHeight - textHeight;
    if (offset < 0)
        offset = 0;
    const int shift = topMargin + offset - lines[0].top;
    for (int i = 0; i < lineCount; ++i)
        lines[i].top += shift;
}

ErrorCode CarryParagraphAttributes(TenState* state, int i)
{
    TenTextState& live = state->live;
    if (i < 0 || i + 1 >= live.formatCount)
        return kErrNone;
    int tail = 0;
    {
        TenArrays arrays(&live);
        if (!arrays.Ok())
            return kErrNoMemory;
        tail = FindParagraphTail(arrays.text, live.textLength, arrays.formats[i], arrays.formats[i + 1]);
        if (tail == 0)
            return kErrNone;
        const TextFormat& b = arrays.formats[i + 1];
        const bool inside = tail > b.start && tail < b.start + b.length && tail < live.textLength;
        if (!inside)
            tail = -1;
    }
    if (tail > 0) {
        ErrorCode code = SplitFormat(state, i + 1, tail);
        if (code != kErrNone)
            return code;
    }
    bool equal = false;
    {
        TenArrays arrays(&live);
        if (!arrays.Ok())
            return kErrNoMemory;
        TakeParagraphAttributes(state, arrays.paragraphBlock, &arrays.formats[i], &arrays.formats[i + 1]);
        equal = FormatsEqual(arrays.formats[i], arrays.formats[i + 1]) != 0;
        if (!equal)
            MakeFormatFont(state, &arrays.formats[i + 1]);
    }
    return equal ? MergeFormatWithNext(state, i) : kErrNone;
}
