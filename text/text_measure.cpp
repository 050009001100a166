#include "text/text_measure.h"

#include "common/handle_words.h"
#include "common/io_seam.h"
#include "common/string_helpers.h"
#include "text/character_spacing.h"
#include "text/document_fonts.h"
#include "text/ten_arrays.h"
#include "text/ten_startup.h"

PendingJustificationValue PendingJustification = {0, 0};

namespace {

// Height and ascent an effect adds around the glyphs.
void EffectAllowance(const TextEffect& effect, int* ascent, int* height)
{
    const int dy = effect.shadowDy;
    const int ady = dy < 0 ? -dy : dy;
    *ascent = 0;
    *height = 0;
    if (effect.kind == 1 || effect.kind == 2) {
        *ascent = ady;
        *height = 2 * ady;
    } else if (effect.kind >= 3 && effect.kind <= 5) {
        *ascent = dy < 0 ? -dy : 0;
        *height = ady;
    }
}

} // namespace

void MakeFormatFont(TenState* state, TextFormat* format)
{
    int size = format->size;
    if (format->script != 0)
        size = size * 3 / 4;
    if (size < 4)
        size = 4;
    HFONT font = GetCachedDocumentFont(state->fontList, state->fontTable, format->face, size, format->style, 0, 0,
                                       state->unitsPerInch);
    format->rotation = 0;
    format->font = HandleToWord(font);
    HDC dc = state->measuringDC;
    if (!dc)
        return;
    if (font)
        SelectObject(dc, font);
    SetTextCharacterExtra(dc, 0);
    if (state->windowDC)
        SetTextCharacterExtra(state->windowDC, 0);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    int ascentExtra = 0;
    int heightExtra = 0;
    EffectAllowance(state->effect, &ascentExtra, &heightExtra);
    format->height = metrics.tmHeight + heightExtra;
    format->averageWidth = metrics.tmAveCharWidth;
    format->ascent = metrics.tmAscent + ascentExtra;
    format->overhang = metrics.tmOverhang;
    if (format->script > 0)
        format->ascent += format->height / 2;
    else if (format->script < 0)
        format->ascent -= format->height / 4;
}

void RefreshStateFormatFonts(TenState* state, int first, int last)
{
    TenTextState& live = state->live;
    if (last > live.formatCount - 1)
        last = live.formatCount - 1;
    if (first < 0)
        first = 0;
    auto* formats = static_cast<TextFormat*>(live.formats ? GlobalLock(live.formats) : nullptr);
    if (!formats)
        return;
    for (int i = first; i <= last; ++i)
        MakeFormatFont(state, &formats[i]);
    GlobalUnlock(live.formats);
}

void RefreshFormatFonts(HGLOBAL editor, int first, int last)
{
    auto* state = static_cast<TenState*>(editor ? GlobalLock(editor) : nullptr);
    if (!state)
        return;
    RefreshStateFormatFonts(state, first, last);
    GlobalUnlock(editor);
}

int IsDbcsCharStart(const char* text, int position)
{
    if (!IsDBCSLeadByte(static_cast<BYTE>(text[position])))
        return 0;
    int leads = 0;
    for (int i = position - 1; i >= 0 && IsDBCSLeadByte(static_cast<BYTE>(text[i])); --i)
        ++leads;
    return (leads % 2) == 0 ? 1 : 0;
}

int AdjustDbcsOffset(const char* text, int base, int offset, int limit, int roundDown)
{
    if (!DbcsEnabled || offset == 0)
        return offset;
    if (IsDbcsCharStart(text, base + offset))
        return offset;
    if (!IsDbcsCharStart(text, base + offset - 1))
        return offset;
    if (roundDown)
        return offset - 1;
    return offset < limit ? offset + 1 : offset;
}

const TextParagraph& GetTextParagraph(const TextParagraph* paragraphs, int count, int index)
{
    static const TextParagraph neutral = {};
    if (!paragraphs || count <= 0)
        return neutral;
    if (index < 0 || index > count - 1)
        index = 0;
    return paragraphs[index];
}

int SetRunJustification(HDC dc, int extra, int breaks, int zoom)
{
    if (zoom == 0) {
        PendingJustification.extra = 0;
        PendingJustification.breaks = 0;
        return SetTextJustification(dc, extra, breaks);
    }
    SetTextJustification(dc, 0, 0);
    PendingJustification.extra = extra;
    PendingJustification.breaks = breaks;
    return 0;
}

bool EnsureCharWidthCapacity(int count)
{
    if (count <= CharWidthCapacity && CharWidths)
        return true;
    if (!CharWidthBuffer)
        return false;
    GlobalUnlock(CharWidthBuffer);
    HGLOBAL grown = SeamGlobalReAlloc(CharWidthBuffer, static_cast<SIZE_T>(count) * 4 + 40, GMEM_MOVEABLE);
    if (grown) {
        CharWidthBuffer = grown;
        CharWidthCapacity = count + 10;
    }
    CharWidths = static_cast<int32_t*>(GlobalLock(CharWidthBuffer));
    return grown != nullptr && CharWidths != nullptr;
}

int MeasureCharWidths(HDC dc, const char* characters, int count, int32_t* widths, int capacity, int firstSlot,
                      int doubleByte)
{
    if (firstSlot + count > capacity)
        return -1;
    int total = 0;
    for (int i = 0; i < count; ++i) {
        const UINT c = static_cast<BYTE>(characters[i]);
        INT width = 0;
        if (doubleByte || !GetCharWidth32A(dc, c, c, &width))
            width = LOWORD(GetTextExtentPacked(dc, characters + i, 1));
        widths[firstSlot + i] = width;
        total += width;
    }
    return total;
}

void FitCharWidths(const char* characters, int32_t* widths, int n, int measuredTotal, int targetTotal)
{
    if (n < 2)
        return;
    int excess = measuredTotal - targetTotal;
    double spaceExtra = 0;
    double perSpace = 0;
    const int pendingExtra = PendingJustification.extra;
    const int pendingBreaks = PendingJustification.breaks;
    if (pendingExtra > 0 && pendingBreaks != 0) {
        if (pendingExtra <= excess) {
            excess -= pendingExtra;
        } else if (excess > 0) {
            spaceExtra = pendingExtra - excess;
            excess = 0;
        } else {
            spaceExtra = pendingExtra;
        }
        perSpace = spaceExtra / pendingBreaks;
    }
    // Nothing to spread, or nothing to spread it over: the widths stay (a run
    // measured exactly at its target is the common case, not a fault).
    const int spreadBase = measuredTotal - widths[n - 1];
    const bool spread = excess != 0 && spreadBase != 0;
    const double ratio = spread ? static_cast<double>(excess) / spreadBase : 0.0;
    double sum = 0;
    for (int i = 0; i <= n - 3 && spread && excess != 0; ++i) {
        sum += widths[i];
        int share = static_cast<int>(sum * ratio);
        const int limit = widths[i] - 1 > 0 ? widths[i] - 1 : 0;
        if (share > limit)
            share = limit;
        sum -= share / ratio;
        widths[i] -= share;
        excess -= share;
    }
    if (excess != 0) {
        int share = excess;
        const int limit = widths[n - 2] - 1 > 0 ? widths[n - 2] - 1 : 0;
        if (share > limit)
            share = limit;
        widths[n - 2] -= share;
    }
    // The justification goes to the spaces in whole units; the fraction is
    // carried, and what rounding leaves goes to the last space, so that the
    // widths add up to the target and the extra.
    if (spaceExtra > 0) {
        const int whole = static_cast<int>(spaceExtra + 0.5);
        int given = 0;
        int lastSpace = -1;
        double spaceSum = 0;
        for (int i = 0; i < n; ++i) {
            if (characters[i] != ' ')
                continue;
            spaceSum += perSpace;
            int add = static_cast<int>(spaceSum);
            spaceSum -= add;
            if (given + add > whole)
                add = whole - given;
            widths[i] += add;
            given += add;
            lastSpace = i;
        }
        if (lastSpace >= 0)
            widths[lastSpace] += whole - given;
    }
}

LONG MeasureRunText(HDC dc, const char* characters, int count, int drawnCount, int targetWidth, int doubleByte)
{
    if (count <= 0)
        return 0;
    if (targetWidth == 0)
        return GetTextExtentPacked(dc, characters, count);
    const int measured = count > drawnCount ? count : drawnCount;
    if (!EnsureCharWidthCapacity(measured))
        return -1;
    const int drawnTotal = MeasureCharWidths(dc, characters, drawnCount, CharWidths, CharWidthCapacity, 0, doubleByte);
    if (drawnTotal < 0)
        return -1;
    if (measured > drawnCount)
        MeasureCharWidths(dc, characters + drawnCount, measured - drawnCount, CharWidths, CharWidthCapacity,
                          drawnCount, doubleByte);
    FitCharWidths(characters, CharWidths, drawnCount, drawnTotal, targetWidth);
    int width = 0;
    for (int i = 0; i < count; ++i)
        width += CharWidths[i];
    const int height = HIWORD(GetTextExtentPacked(dc, characters, 1));
    return MAKELONG(width, height);
}

int FindFormatAt(int position, const TextFormat* formats, int formatCount)
{
    int low = 0;
    int high = formatCount - 1;
    int found = -1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        if (formats[middle].start <= position) {
            found = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return found;
}

int FindLineAtY(const TextLine* lines, int lineCount, int y)
{
    int low = 0;
    int high = lineCount - 1;
    int probe = 0;
    while (low <= high) {
        probe = (low + high) / 2;
        if (y < lines[probe].top)
            high = probe - 1;
        else if (y >= lines[probe].top + lines[probe].height)
            low = probe + 1;
        else
            return probe;
    }
    return probe;
}
