#include "text/text_block_build.h"

#include <cstring>
#include <vector>

#include "common/handle_words.h"
#include "common/io_seam.h"
#include "common/string_helpers.h"
#include "text/character_spacing.h"

namespace {

bool IsWordBreak(char c) { return c == kTabCharacter || c == kParagraphEnd || c == ' '; }

// The locked arrays of an editor's live text.
struct LiveArrays {
    TenTextState* live;
    char* text = nullptr;
    TextFormat* formats = nullptr;
    TextLine* lines = nullptr;
    unsigned char* paragraphs = nullptr;
    TextRun* runs = nullptr;

    explicit LiveArrays(TenTextState* state) : live(state)
    {
        text = static_cast<char*>(state->text ? GlobalLock(state->text) : nullptr);
        formats = static_cast<TextFormat*>(state->formats ? GlobalLock(state->formats) : nullptr);
        lines = static_cast<TextLine*>(state->lines ? GlobalLock(state->lines) : nullptr);
        paragraphs = static_cast<unsigned char*>(state->paragraphs ? GlobalLock(state->paragraphs) : nullptr);
        runs = static_cast<TextRun*>(state->runs ? GlobalLock(state->runs) : nullptr);
    }
    ~LiveArrays()
    {
        HGLOBAL handles[5] = {live->text, live->formats, live->lines, live->paragraphs, live->runs};
        const void* pointers[5] = {text, formats, lines, paragraphs, runs};
        for (int i = 0; i < 5; ++i) {
            if (pointers[i])
                GlobalUnlock(handles[i]);
        }
    }
    LiveArrays(const LiveArrays&) = delete;
    LiveArrays& operator=(const LiveArrays&) = delete;

    int ParagraphCount() const
    {
        int32_t count = 0;
        if (paragraphs)
            std::memcpy(&count, paragraphs, sizeof(count));
        return count;
    }
    TextParagraph* ParagraphRecords() const { return reinterpret_cast<TextParagraph*>(paragraphs + 4); }
};

// What a block copies out of the live arrays.
struct BlockRange {
    int firstLine, lineCount;
    int firstRun, runCount;
    int firstFormat, formatCount;
    int textStart, textLength;
};

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

BlockRange WholeTextRange(const TenTextState& live)
{
    return BlockRange{0, live.lineCount, 0, live.runCount, 0, live.formatCount, 0, live.textLength};
}

BlockRange SelectionRange(const TenTextState& live, const LiveArrays& arrays)
{
    BlockRange range = {};
    const int lastLine = live.lineCount - 1;
    const int startLine = Clamp(live.selectionStart.line, 0, lastLine);
    const int endLine = Clamp(live.selectionEnd.line, startLine, lastLine);
    range.firstLine = startLine;
    range.lineCount = live.lineCount > 0 ? endLine - startLine + 1 : 0;
    if (live.lineCount > 0 && arrays.lines) {
        range.firstRun = Clamp(arrays.lines[startLine].firstRun, 0, live.runCount);
        const int endRun = endLine < lastLine ? Clamp(arrays.lines[endLine + 1].firstRun, range.firstRun, live.runCount)
                                              : live.runCount;
        range.runCount = endRun - range.firstRun;
    }
    range.textStart = Clamp(live.selectionStart.position, 0, live.textLength);
    const int textEnd = Clamp(live.selectionEnd.position, range.textStart, live.textLength);
    range.textLength = textEnd - range.textStart;
    const int lastFormat = live.formatCount - 1;
    range.firstFormat = Clamp(live.selectionStart.format, 0, lastFormat);
    int endFormat = Clamp(live.selectionEnd.format, range.firstFormat, lastFormat);
    // A format that only begins where the selection ends holds none of it,
    // but a block always keeps one format.
    if (endFormat > range.firstFormat && arrays.formats[endFormat].start == textEnd)
        --endFormat;
    range.formatCount = endFormat - range.firstFormat + 1;
    return range;
}

void RebaseFormats(TextFormat* formats, int count, int start, int textLength)
{
    if (count <= 0)
        return;
    if (start != 0) {
        formats[0].length -= start - formats[0].start;
        formats[0].start = 0;
        for (int i = 1; i < count; ++i)
            formats[i].start -= start;
    }
    formats[count - 1].length = textLength - formats[count - 1].start;
}

void RebaseLines(TextLine* lines, int count, int firstRun, int start, int textLength, bool selection)
{
    if (firstRun != 0) {
        for (int i = 0; i < count; ++i)
            lines[i].firstRun -= firstRun;
    }
    if (!selection || count <= 0)
        return;
    if (start != 0) {
        lines[0].lastBreak -= start - lines[0].firstPosition;
        lines[0].firstPosition = 0;
        for (int i = 1; i < count; ++i)
            lines[i].firstPosition -= start;
    }
    lines[count - 1].lastBreak = textLength - lines[count - 1].firstPosition;
}

} // namespace

void CompactParagraphTable(void* paragraphBlock, TextFormat* formats, int formatCount)
{
    if (!paragraphBlock)
        return;
    auto* base = static_cast<unsigned char*>(paragraphBlock);
    int32_t count;
    std::memcpy(&count, base, sizeof(count));
    if (count <= 0)
        return;
    auto* records = reinterpret_cast<TextParagraph*>(base + 4);
    std::vector<int> newIndex(static_cast<size_t>(count), -1);
    for (int i = 0; i < formatCount; ++i) {
        // A format naming no record keeps to the first one.
        if (formats[i].paragraphIndex < 0 || formats[i].paragraphIndex >= count)
            formats[i].paragraphIndex = 0;
        newIndex[formats[i].paragraphIndex] = 0;
    }
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (newIndex[i] < 0)
            continue;
        if (kept != i)
            records[kept] = records[i];
        newIndex[i] = kept++;
    }
    for (int i = 0; i < formatCount; ++i)
        formats[i].paragraphIndex = newIndex[formats[i].paragraphIndex];
    if (kept == 0)
        kept = count;  // no formats at all: nothing is known to be unused
    std::memcpy(base, &kept, sizeof(kept));
}

int MeasureWidestWord(HDC dc, const TextFormat* formats, const void* paragraphBlock, int formatCount,
                      const char* text, int textLength)
{
    if (!text || textLength <= 0 || formatCount <= 0)
        return 0;
    int paragraphCount = 0;
    const TextParagraph* paragraphs = nullptr;
    if (paragraphBlock) {
        std::memcpy(&paragraphCount, paragraphBlock, sizeof(paragraphCount));
        paragraphs = reinterpret_cast<const TextParagraph*>(static_cast<const unsigned char*>(paragraphBlock) + 4);
    }
    HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
    const int oldExtra = GetTextCharacterExtra(dc);
    int widest = 0;
    int format = 0;
    int selectedFormat = -1;
    int position = 0;
    while (position < textLength) {
        if (IsWordBreak(text[position])) {
            ++position;
            continue;
        }
        int end = position;
        while (end < textLength && !IsWordBreak(text[end]))
            ++end;
        if (end < textLength && text[end] == ' ')
            ++end;
        int width = 0;
        for (int piece = position; piece < end;) {
            while (format < formatCount - 1 && piece >= formats[format].start + formats[format].length)
                ++format;
            int pieceEnd = formats[format].start + formats[format].length;
            if (pieceEnd <= piece || pieceEnd > end || format == formatCount - 1)
                pieceEnd = end;
            if (selectedFormat != format) {
                if (formats[format].font)
                    SelectObject(dc, WordToHandle<HFONT>(formats[format].font));
                ApplyCharacterSpacing(dc, paragraphs, paragraphCount, &formats[format]);
                selectedFormat = format;
            }
            width += LOWORD(GetTextExtentPacked(dc, text + piece, pieceEnd - piece));
            piece = pieceEnd;
        }
        if (width > widest)
            widest = width;
        position = end;
    }
    SelectObject(dc, oldFont);
    SetTextCharacterExtra(dc, oldExtra);
    return widest;
}

HGLOBAL BuildTextBlock(TenState* state, uint32_t flags)
{
    if (!state)
        return nullptr;
    TenTextState& live = state->live;
    LiveArrays arrays(&live);
    if (!arrays.text || !arrays.formats || !arrays.paragraphs || live.formatCount <= 0)
        return nullptr;
    if (live.lineCount > 0 && !arrays.lines)
        return nullptr;
    if (live.runCount > 0 && !arrays.runs)
        return nullptr;
    CompactParagraphTable(arrays.paragraphs, arrays.formats, live.formatCount);
    const int paragraphCount = arrays.ParagraphCount();

    const bool whole = (flags & kTextBlockWholeText) != 0;
    const BlockRange range = whole ? WholeTextRange(live) : SelectionRange(live, arrays);
    const uint64_t size = TextBlockSize(range.formatCount, range.lineCount, paragraphCount, range.runCount,
                                        range.textLength);
    if (size == 0 || size > static_cast<uint64_t>(kMaxTextBytes))
        return nullptr;
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
    if (!block)
        return nullptr;
    auto* out = static_cast<unsigned char*>(GlobalLock(block));
    if (!out) {
        GlobalFree(block);
        return nullptr;
    }

    TextBlockHeader header = {};
    header.formatCount = range.formatCount;
    header.lineCount = range.lineCount;
    header.textLength = range.textLength;
    header.paragraphCount = paragraphCount;
    header.runCount = range.runCount;
    header.options = live.options;
    header.labelReference = state->labelReference;
    header.ownerObjectIndex = live.ownerObjectIndex;
    header.effect = state->effect;
    if (whole) {
        for (int i = 0; i < live.lineCount; ++i) {
            if (arrays.lines[i].wordWidth > header.widestLine)
                header.widestLine = arrays.lines[i].wordWidth;
        }
        if (live.lineCount > 0) {
            const TextLine& last = arrays.lines[live.lineCount - 1];
            header.textHeight = last.top + last.height - arrays.lines[0].top;
        }
        header.marginLeft = state->margins.left;
        header.marginTop = state->margins.top;
        header.marginRight = state->margins.right;
        header.marginBottom = state->margins.bottom;
        header.wrapWidth = live.boxWidth - state->margins.left - state->margins.right;
        header.widestWord = state->measuringDC ? MeasureWidestWord(state->measuringDC, arrays.formats,
                                                                   arrays.paragraphs, live.formatCount, arrays.text,
                                                                   live.textLength)
                                               : 0;
        header.zoom = state->zoom;
    }
    std::memcpy(out, &header, sizeof(header));
    auto* lines = reinterpret_cast<TextLine*>(out + TextBlockLinesOffset());
    auto* formats = reinterpret_cast<TextFormat*>(out + TextBlockFormatsOffset(header));
    if (range.lineCount > 0)
        std::memcpy(lines, arrays.lines + range.firstLine, sizeof(TextLine) * static_cast<size_t>(range.lineCount));
    std::memcpy(formats, arrays.formats + range.firstFormat, sizeof(TextFormat) * static_cast<size_t>(range.formatCount));
    std::memcpy(out + TextBlockParagraphsOffset(header), arrays.ParagraphRecords(),
                sizeof(TextParagraph) * static_cast<size_t>(paragraphCount));
    if (range.runCount > 0)
        std::memcpy(out + TextBlockRunsOffset(header), arrays.runs + range.firstRun,
                    sizeof(TextRun) * static_cast<size_t>(range.runCount));
    std::memcpy(out + TextBlockTextOffset(header), arrays.text + range.textStart, static_cast<size_t>(range.textLength));

    RebaseFormats(formats, range.formatCount, range.textStart, range.textLength);
    RebaseLines(lines, range.lineCount, range.firstRun, range.textStart, range.textLength, !whole);
    GlobalUnlock(block);
    return block;
}
