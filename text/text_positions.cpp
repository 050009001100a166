#include "text/text_positions.h"

#include "common/handle_words.h"
#include "text/character_spacing.h"
#include "text/ten_startup.h"
#include "text/text_measure.h"

namespace {

bool IsJustifiedLine(const TextLine& line, const TextParagraph& paragraph)
{
    return paragraph.alignment == 32 && !(line.flags & kLineEndsParagraph);
}

int ClampFormat(int index, int count)
{
    if (index < 0)
        return 0;
    return index > count - 1 ? count - 1 : index;
}

void SelectFormat(HDC dc, const TextFormat& format, const TextParagraph* paragraphs, int paragraphCount)
{
    if (format.font)
        SelectObject(dc, WordToHandle<HFONT>(format.font));
    ApplyCharacterSpacing(dc, paragraphs, paragraphCount, &format);
}

} // namespace

int PositionToX(TenState* state, const TenArrays& arrays, int lineIndex, int position, int* formatIndex)
{
    const TenTextState& live = state->live;
    const TextLine& line = arrays.lines[lineIndex];
    const int formatCount = live.formatCount;
    if (position <= line.firstPosition || line.runCount <= 0) {
        if (formatIndex)
            *formatIndex = ClampFormat(line.firstFormat, formatCount);
        return line.left;
    }
    const int paragraphCount = arrays.ParagraphCount();
    const TextParagraph* paragraphs = arrays.Paragraphs();
    const int format = ClampFormat(FindFormatAt(position, arrays.formats, formatCount), formatCount);
    if (formatIndex)
        *formatIndex = format;
    const TextFormat& lineFormat = arrays.formats[ClampFormat(line.firstFormat, formatCount)];
    const TextParagraph& paragraph = GetTextParagraph(paragraphs, paragraphCount, lineFormat.paragraphIndex);
    const bool justified = IsJustifiedLine(line, paragraph);
    if (justified && position >= line.firstPosition + line.length)
        return line.left + line.justifiedWidth;

    const int lastRun = line.firstRun + line.runCount - 1;
    int runStart = line.firstPosition;
    int r = line.firstRun;
    for (; r < lastRun; ++r) {
        if (position < runStart + arrays.runs[r].length)
            break;
        runStart += arrays.runs[r].length;
    }
    const TextRun& run = arrays.runs[r];
    if (r == lastRun && position >= runStart + run.length && run.length == 1 && run.drawnCount == 0 &&
        runStart < live.textLength && arrays.text[runStart] == kTabCharacter)
        return line.left + line.width;
    const int runFormat = ClampFormat(FindFormatAt(runStart, arrays.formats, formatCount), formatCount);
    HDC dc = state->measuringDC;
    SelectFormat(dc, arrays.formats[runFormat], paragraphs, paragraphCount);
    if (justified)
        SetRunJustification(dc, run.justifyExtra, run.spaceCount, 1);
    int count = position - runStart;
    if (count > live.textLength - runStart)
        count = live.textLength - runStart;
    int width = 0;
    if (count > 0) {
        const LONG measured = MeasureRunText(dc, arrays.text + runStart, count, run.drawnCount,
                                             (state->zoom != 0 || justified) ? run.width : 0, DbcsEnabled);
        width = measured < 0 ? 0 : LOWORD(measured);
        const bool atNextFormat = runFormat + 1 < formatCount && arrays.formats[runFormat + 1].start == position;
        if (!atNextFormat)
            width -= arrays.formats[runFormat].overhang;
    }
    if (justified)
        SetRunJustification(dc, 0, 0, 1);
    return line.left + run.x + width;
}

int FitCharsToWidth(HDC dc, const char* text, int overhang, int doubleByte, int start, int count, int width,
                    int* widthReached, int targetWidth, int drawnCount)
{
    const char* characters = text + start;
    auto measure = [&](int k) -> int {
        if (k <= 0)
            return 0;
        const LONG packed = MeasureRunText(dc, characters, k, drawnCount > k ? drawnCount : k, targetWidth,
                                           doubleByte);
        return (packed < 0 ? 0 : LOWORD(packed)) - overhang;
    };
    // The largest k with measure(k) <= width, by bisection.
    int low = 0;
    int high = count;
    int lowWidth = 0;
    const int full = measure(count);
    if (full <= width) {
        if (widthReached)
            *widthReached = full;
        return count;
    }
    while (high - low > 1) {
        int middle = (low + high) / 2;
        if (doubleByte)
            middle = AdjustDbcsOffset(text, start, middle, count, 1);
        if (middle <= low)
            middle = low + 1;
        const int w = measure(middle);
        if (w <= width) {
            low = middle;
            lowWidth = w;
        } else {
            high = middle;
        }
    }
    const int highWidth = measure(high);
    if ((lowWidth + highWidth) / 2 < width) {
        if (widthReached)
            *widthReached = highWidth;
        return high;
    }
    if (widthReached)
        *widthReached = lowWidth;
    return low;
}

int XToPosition(HDC dc, int zoom, const TextLine& line, const TextFormat* formats, int formatCount,
                const TextRun* runs, int runCount, const TextParagraph* paragraphs, int paragraphCount,
                const char* text, int textLength, int x, int* xReached, int* formatIndex)
{
    x -= line.left;
    int format = ClampFormat(line.firstFormat, formatCount);
    auto answer = [&](int position, int reached) {
        if (xReached)
            *xReached = line.left + reached;
        while (format + 1 < formatCount && formats[format + 1].start <= position && formats[format + 1].length > 0)
            ++format;
        if (formatIndex)
            *formatIndex = format;
        return position;
    };
    const int lineEnd = line.firstPosition + line.length;
    if (x < 1 || line.runCount <= 0)
        return answer(line.firstPosition, 0);
    const TextParagraph& paragraph = GetTextParagraph(paragraphs, paragraphCount, formats[format].paragraphIndex);
    const bool justified = IsJustifiedLine(line, paragraph);
    if (!justified && x > line.width)
        return answer(lineEnd, line.width);
    if (justified && x >= line.justifiedWidth)
        return answer(lineEnd, line.justifiedWidth);

    const int firstRun = line.firstRun;
    int lastRun = firstRun + line.runCount - 1;
    if (lastRun > runCount - 1)
        lastRun = runCount - 1;
    int r = lastRun;
    while (r > firstRun && runs[r].x > x)
        --r;
    int runStart = line.firstPosition;
    for (int i = firstRun; i < r; ++i)
        runStart += runs[i].length;
    const TextRun& run = runs[r];
    if (runStart + run.length > textLength)
        return answer(lineEnd, line.width);
    while (format + 1 < formatCount && formats[format + 1].start <= runStart)
        ++format;
    if (r == lastRun && run.length > 0 && text[runStart + run.length - 1] == kTabCharacter && run.drawnCount == 0)
        return answer(runStart + run.length, line.width);
    if (run.length <= 0)
        return answer(runStart, run.x);
    if (formats[format].font)
        SelectObject(dc, WordToHandle<HFONT>(formats[format].font));
    ApplyCharacterSpacing(dc, paragraphs, paragraphCount, &formats[format]);
    if (justified)
        SetRunJustification(dc, run.justifyExtra, run.spaceCount, 1);
    int reached = 0;
    const int countable = run.drawnCount > 0 ? run.length : 0;
    int k = FitCharsToWidth(dc, text, formats[format].overhang, DbcsEnabled, runStart, countable, x - run.x,
                            &reached, (zoom != 0 || justified) ? run.width : 0, run.drawnCount);
    if (justified)
        SetRunJustification(dc, 0, 0, 1);
    if (k >= run.length && r < lastRun)
        return answer(runStart + run.length, runs[r + 1].x);
    if (runStart + k > lineEnd)
        k = lineEnd - runStart;
    return answer(runStart + k, run.x + reached);
}
