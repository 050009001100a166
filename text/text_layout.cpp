#include "text/text_layout.h"

#include <cstddef>
#include <cstring>
#include <optional>
#include <vector>

#include "common/handle_words.h"
#include "common/string_helpers.h"
#include "text/break_areas.h"
#include "text/dbcs_word_cut.h"
#include "text/character_spacing.h"
#include "text/ten_arrays.h"
#include "text/ten_notifications.h"
#include "text/ten_startup.h"
#include "text/text_measure.h"
#include "text/text_positions.h"

namespace {

struct RunInProgress {
    TextRun run;
    int start;       // text position
    int drawnEnd;    // text position after its last drawn character
    int drawnEndX;   // x there
};

struct LineOutput {
    TextLine line;
    std::vector<TextRun> runs;
    int next;        // where the next line starts
};

// What stays the same for every line of one layout.
struct LayoutContext {
    TenState* state;
    HDC dc;
    const char* text;
    int length;
    const TextFormat* formats;
    int formatCount;
    const TextParagraph* paragraphs;
    int paragraphCount;
    bool wrap;
    int leftMargin;
    int textWidth;
    int cap;
    int units;
};

// The format the scanner is in, with its measures.
struct FormatCursor {
    int index = 0;
    int end = 0;
    int hyphenWidth = 0;
    int spaceWidth = 0;
    const TextParagraph* paragraph = nullptr;
};

// The measuring cap keeps every extent inside 16 bits.
void SetTextWidth(LayoutContext* c, int width)
{
    c->textWidth = width;
    c->cap = width <= 1000 ? 1000 : (width < 8000 ? 2 * width : 16000);
}

int Extent(HDC dc, const char* text, int count)
{
    return count > 0 ? LOWORD(GetTextExtentPacked(dc, text, count)) : 0;
}

void EnterFormat(const LayoutContext& c, FormatCursor* f, int index)
{
    if (index < 0)
        index = 0;
    if (index > c.formatCount - 1)
        index = c.formatCount - 1;
    f->index = index;
    const TextFormat& format = c.formats[index];
    f->end = index == c.formatCount - 1 ? c.length : format.start + format.length;
    if (format.font)
        SelectObject(c.dc, WordToHandle<HFONT>(format.font));
    ApplyCharacterSpacing(c.dc, c.paragraphs, c.paragraphCount, &format);
    f->hyphenWidth = Extent(c.dc, "-", 1);
    f->spaceWidth = Extent(c.dc, " ", 1);
    f->paragraph = &GetTextParagraph(c.paragraphs, c.paragraphCount, format.paragraphIndex);
}

// The format holding the character at `position` (the last one at the end).
int FormatOfPosition(const LayoutContext& c, int position)
{
    int index = FindFormatAt(position, c.formats, c.formatCount);
    if (index < 0)
        index = 0;
    while (index > 0 && position >= c.length && c.formats[index].length <= 0)
        --index;
    return index;
}

void PlaceLineX(const LayoutContext& c, const TextParagraph& paragraph, bool paragraphFirst, int* lineX, int* avail)
{
    const bool firstIndent = paragraphFirst && paragraph.bullet == 0;
    *lineX = c.leftMargin + (firstIndent ? paragraph.firstIndent : paragraph.leftIndent);
    *avail = c.textWidth - (*lineX - c.leftMargin) - paragraph.rightIndent;
    if (*avail < 10)
        *avail = 10;
}

struct Metrics {
    int ascent = 0;
    int height = 0;
    int descent = 0;
    bool touched = false;
    void Touch(const TextFormat& format)
    {
        if (!touched || format.ascent > ascent)
            ascent = format.ascent;
        if (!touched || format.height > height)
            height = format.height;
        if (!touched || format.height - format.ascent > descent)
            descent = format.height - format.ascent;
        touched = true;
    }
};

// Spreads a justified line's slack over its runs.
void JustifyRuns(std::vector<TextRun>& runs, int slack, int totalSpaces)
{
    const int n = static_cast<int>(runs.size());
    int perSpace = slack / totalSpaces;
    if (perSpace < 1)
        perSpace = 1;
    int remainder = slack;
    int counter = totalSpaces;
    int shift = 0;
    for (int i = 0; i < n - 1; ++i) {
        TextRun& run = runs[i];
        run.x += shift;
        if (run.justifyExtra == 1) {
            const int share = perSpace < remainder ? perSpace : remainder;
            shift += share;
            remainder -= share;
            --counter;
        }
        run.justifyExtra = 0;
        if (counter <= 0) {
            shift += remainder;
            remainder = 0;
        }
        if (remainder > 0) {
            int extra = run.spaceCount * slack / totalSpaces;
            if (extra > remainder)
                extra = remainder;
            run.justifyExtra = extra;
            shift += extra;
            remainder -= extra;
        }
        if (run.spaceCount > 0) {
            --counter;
            if (counter <= 0) {
                run.justifyExtra += remainder;
                shift += remainder;
                remainder = 0;
            }
        }
    }
    TextRun& last = runs[n - 1];
    if (last.spaceCount == 0) {
        shift += remainder;
        remainder = 0;
    }
    last.justifyExtra = remainder;
    last.x += shift;
}

// Lays out the line that starts at `start`.
void LayOutLine(const LayoutContext& c, int start, int top, LineOutput* out)
{
    const char* text = c.text;
    FormatCursor f;
    EnterFormat(c, &f, FormatOfPosition(c, start));
    const bool paragraphFirst = start == 0 || text[start - 1] == kParagraphEnd;
    int lineX = 0;
    int avail = 0;
    PlaceLineX(c, *f.paragraph, paragraphFirst, &lineX, &avail);

    std::vector<TextRun>& runs = out->runs;
    runs.clear();
    RunInProgress cur = {{}, start, start, 0};
    Metrics metrics;
    int pos = start;
    int width = 0;           // x where the next character goes
    int wordWidth = 0;       // x after the last committed word
    int lastBreak = 0;
    int pendingSpaces = 0;   // spaces of the current run since the last word
    int tentativeMark = -1;  // a run that ended in spaces, counted once a word follows
    bool breakable = false;
    bool afterSoftHyphen = false;
    uint32_t flags = 0;
    int endPos = 0;
    int next = 0;

    auto endRun = [&](int at, int nextX) {
        cur.run.length = at - cur.start;
        cur.run.drawnCount = cur.drawnEnd - cur.start > 0 ? cur.drawnEnd - cur.start : 0;
        cur.run.width = cur.drawnEndX - cur.run.x > 0 ? cur.drawnEndX - cur.run.x : 0;
        runs.push_back(cur.run);
        cur = RunInProgress{{}, at, at, nextX};
        cur.run.x = nextX;
        pendingSpaces = 0;
    };

    for (;;) {
        if (pos >= c.length || text[pos] == kParagraphEnd) {
            flags |= kLineEndsParagraph;
            endPos = pos;
            next = pos < c.length ? pos + 1 : pos;
            break;
        }
        if (pos >= f.end && f.index < c.formatCount - 1) {
            if (pos > cur.start) {
                const bool endsInSpace = text[pos - 1] == ' ' && pendingSpaces > 0;
                endRun(pos, width);
                if (endsInSpace)
                    tentativeMark = static_cast<int>(runs.size()) - 1;
            }
            EnterFormat(c, &f, FormatOfPosition(c, pos));
            if (!breakable)
                PlaceLineX(c, *f.paragraph, paragraphFirst, &lineX, &avail);
            continue;
        }
        const char ch = text[pos];
        if (ch == ' ') {
            int e = pos;
            while (e < f.end && e < c.length && text[e] == ' ')
                ++e;
            width += Extent(c.dc, text + pos, e - pos);
            pendingSpaces += e - pos;
            pos = e;
            afterSoftHyphen = false;
            continue;
        }
        if (ch == kTabCharacter) {
            const int interval = f.paragraph->tabInterval;
            int stop = width;
            if (interval > 0)
                stop = ((lineX + width) / interval + 1) * interval - lineX;
            if (pos > start && ((c.wrap && breakable && stop > avail) || stop > c.cap)) {
                endPos = pos;
                next = pos;
                break;
            }
            metrics.Touch(c.formats[f.index]);
            ++pos;
            endRun(pos, stop);
            width = stop;
            wordWidth = stop;
            lastBreak = pos - start;
            breakable = true;
            afterSoftHyphen = false;
            continue;
        }
        if (ch == kSoftHyphen) {
            const int withHyphen = wordWidth + f.hyphenWidth + 1;
            if (pos > start && ((c.wrap && breakable && withHyphen > avail) || withHyphen > c.cap)) {
                ++pos;
                flags |= kLineEndsAtSoftHyphen;
                endPos = pos;
                next = pos;
                break;
            }
            ++pos;
            endRun(pos, width);
            breakable = true;
            afterSoftHyphen = true;
            continue;
        }

        // A word: everything up to the next space, tab, CR or soft hyphen,
        // across format changes and non-breaking spaces.
        struct Snapshot {
            size_t runCount;
            RunInProgress cur;
            int width, pendingSpaces, tentativeMark, formatIndex, lineX, avail;
            Metrics metrics;
        } snap = {runs.size(), cur, width, pendingSpaces, tentativeMark, f.index, lineX, avail, metrics};
        const int wordStart = pos;
        const int wordX = width;
        const bool wasAfterSoftHyphen = afterSoftHyphen;
        cur.run.spaceCount += pendingSpaces;
        pendingSpaces = 0;
        if (tentativeMark >= 0 && tentativeMark < static_cast<int>(runs.size())) {
            runs[tentativeMark].justifyExtra = 1;
            tentativeMark = -1;
        }
        int wordW = 0;
        bool lineEnded = false;
        for (;;) {
            if (pos >= c.length)
                break;
            const char wc = text[pos];
            if (wc == ' ' || wc == kTabCharacter || wc == kParagraphEnd || wc == kSoftHyphen)
                break;
            if (pos >= f.end && f.index < c.formatCount - 1) {
                // The word goes on in the next format; its run ends here.
                if (pos > cur.start) {
                    cur.drawnEnd = pos;
                    cur.drawnEndX = wordX + wordW;
                    endRun(pos, wordX + wordW);
                }
                EnterFormat(c, &f, FormatOfPosition(c, pos));
                continue;
            }
            metrics.Touch(c.formats[f.index]);
            if (wc == kHardSpace) {
                cur.drawnEnd = pos;
                cur.drawnEndX = wordX + wordW;
                wordW += f.spaceWidth;
                ++pos;
                endRun(pos, wordX + wordW);
                continue;
            }
            int pieceEnd = pos;
            while (pieceEnd < f.end && pieceEnd < c.length) {
                const char pc = text[pieceEnd];
                if (pc == ' ' || pc == kTabCharacter || pc == kParagraphEnd || pc == kSoftHyphen || pc == kHardSpace)
                    break;
                ++pieceEnd;
            }
            const TextFormat& format = c.formats[f.index];
            const int average = format.averageWidth > 0 ? format.averageWidth : 1;
            if ((pieceEnd - pos) * average > c.cap) {
                int keep = avail / average + 10;
                if (DbcsEnabled)
                    keep = AdjustDbcsOffset(text, pos, keep, pieceEnd - pos, 1);
                if (keep < 1)
                    keep = 1;
                if (pos + keep < pieceEnd)
                    pieceEnd = pos + keep;
            }
            int pieceWidth = Extent(c.dc, text + pos, pieceEnd - pos) - format.overhang;
            if (c.wrap && wordX + wordW + pieceWidth > avail) {
                const int room = avail - (wordX + wordW);
                int cut = -1;
                if (breakable && DbcsEnabled) {
                    // Double-byte text breaks inside words, between characters.
                    int reached = 0;
                    int k = FitCharsToWidth(c.dc, text, format.overhang, DbcsEnabled, pos, pieceEnd - pos, room,
                                            &reached, 0, pieceEnd - pos);
                    if (k > 0 && reached > room)
                        k = AdjustDbcsOffset(text, pos, k - 1, pieceEnd - pos, 1);
                    const int at = FindDbcsWordCut(text, wordStart, pos + k, IsSystemLeadByte);
                    if (at >= pos && at > wordStart && at < pieceEnd)
                        cut = at;
                }
                if (breakable && cut < 0) {
                    // The whole word moves to the next line.
                    runs.resize(snap.runCount);
                    cur = snap.cur;
                    width = snap.width;
                    pendingSpaces = snap.pendingSpaces;
                    tentativeMark = -1;
                    metrics = snap.metrics;
                    lineX = snap.lineX;
                    avail = snap.avail;
                    if (f.index != snap.formatIndex)
                        EnterFormat(c, &f, snap.formatIndex);
                    if (wasAfterSoftHyphen && pendingSpaces == 0 && wordStart > start &&
                        text[wordStart - 1] == kSoftHyphen)
                        flags |= kLineEndsAtSoftHyphen;
                    endPos = wordStart;
                    next = wordStart;
                    lineEnded = true;
                    break;
                }
                if (cut < 0) {
                    // Wider than the line: cut it at the character nearest
                    // the room left, keeping at least one character.
                    int reached = 0;
                    int k = FitCharsToWidth(c.dc, text, format.overhang, DbcsEnabled, pos, pieceEnd - pos, room,
                                            &reached, 0, pieceEnd - pos);
                    if (k > 0 && reached > room)
                        k = DbcsEnabled ? AdjustDbcsOffset(text, pos, k - 1, pieceEnd - pos, 1) : k - 1;
                    if (k >= pieceEnd - pos)
                        k = pieceEnd - pos - 1;
                    if (k < 1 && pos == wordStart)
                        k = DbcsEnabled && IsDbcsCharStart(text, pos) ? 2 : 1;
                    if (k < 0)
                        k = 0;
                    cut = pos + k;
                }
                const int k = cut - pos;
                pieceEnd = cut;
                pieceWidth = k > 0 ? Extent(c.dc, text + pos, k) - format.overhang : 0;
                wordW += pieceWidth;
                pos = pieceEnd;
                width = wordX + wordW;
                wordWidth = width;
                lastBreak = pos - start;
                cur.drawnEnd = pos;
                cur.drawnEndX = width;
                endPos = pos;
                next = pos;
                lineEnded = true;
                break;
            }
            wordW += pieceWidth;
            pos = pieceEnd;
        }
        if (lineEnded)
            break;
        width = wordX + wordW;
        wordWidth = width;
        lastBreak = pos - start;
        cur.drawnEnd = pos;
        cur.drawnEndX = width;
        breakable = breakable || pos > wordStart;
        afterSoftHyphen = false;
        // A word followed by a space is a break opportunity for the next.
        if (pos < c.length && text[pos] == ' ')
            breakable = true;
    }

    // The line's end.
    if (!metrics.touched)
        metrics.Touch(c.formats[f.index]);
    const int trailing = width - wordWidth > 0 ? width - wordWidth : 0;
    const int overhang = c.formats[f.index].overhang;
    if (flags & kLineEndsAtSoftHyphen)
        wordWidth += f.hyphenWidth + 1;
    wordWidth += overhang;
    cur.run.length = endPos - cur.start;
    cur.run.drawnCount = cur.drawnEnd - cur.start > 0 ? cur.drawnEnd - cur.start : 0;
    cur.run.width = cur.drawnEndX - cur.run.x > 0 ? cur.drawnEndX - cur.run.x : 0;
    if (cur.run.length > 0 || runs.empty())
        runs.push_back(cur.run);
    int slack = avail - wordWidth;
    int offset = 0;
    const int alignment = f.paragraph->alignment;
    if (alignment == 2)
        offset = slack;
    else if (alignment == 6)
        offset = slack / 2;
    if (offset < 0)
        offset = 0;
    runs.back().justifyExtra = slack;

    TextLine& line = out->line;
    std::memset(&line, 0, sizeof(line));
    line.ascent = metrics.ascent;
    line.height = metrics.height - metrics.ascent < metrics.descent ? metrics.ascent + metrics.descent
                                                                      : metrics.height;
    line.left = lineX + offset;
    line.top = top;
    line.wordWidth = wordWidth;
    line.width = wordWidth + trailing;
    line.firstFormat = FormatOfPosition(c, start);
    line.firstPosition = start;
    line.lastBreak = lastBreak;
    line.length = endPos - start;
    line.flags = flags;
    const bool justified = alignment == 32;
    if (flags & kLineEndsParagraph) {
        line.availableWidth = avail;
        line.justifiedWidth = line.width;
    } else {
        line.justifiedWidth = justified ? avail + c.units * 3 / 100 : line.width;
    }
    int totalSpaces = 0;
    for (const TextRun& run : runs)
        totalSpaces += run.spaceCount + (run.justifyExtra == 1 && &run != &runs.back() ? 1 : 0);
    if (justified && !(flags & kLineEndsParagraph) && runs.size() > 1 && slack != 0 && totalSpaces > 0) {
        JustifyRuns(runs, slack, totalSpaces);
    } else {
        for (size_t i = 0; i + 1 < runs.size(); ++i)
            runs[i].justifyExtra = 0;
    }
    line.runCount = static_cast<int32_t>(runs.size());
    out->next = next;
}

// The top of the line after `line`.
int NextLineTop(const LayoutContext& c, const TextLine& line)
{
    int top = line.top + line.height;
    const int format = FormatOfPosition(c, line.firstPosition + line.length);
    const TextFormat& f = c.formats[format];
    const TextParagraph& paragraph = GetTextParagraph(c.paragraphs, c.paragraphCount, f.paragraphIndex);
    top += paragraph.spacingPercent * line.height / 100 + paragraph.spacingExtra;
    if ((line.flags & kLineEndsParagraph) && (f.flags & (kFormatRuleBelow1 | kFormatRuleBelow2)))
        top += c.units * 5 / 100;
    return top;
}

template <typename T>
ErrorCode StoreArray(HGLOBAL* handle, void** pointer, const std::vector<T>& items)
{
    const SIZE_T needed = sizeof(T) * items.size();
    const SIZE_T size = GlobalSize(*handle);
    if (size < needed || size > needed + 256) {
        ErrorCode code = ResizeLockedBlock(handle, pointer, needed + 256);
        if (code != kErrNone)
            return code;
    }
    if (!items.empty())
        std::memcpy(*pointer, items.data(), needed);
    return kErrNone;
}

} // namespace

unsigned long TextBlockBytesOfState(const TenState* state, int paragraphCount)
{
    const TenTextState& live = state->live;
    return 88ul + 60ul * static_cast<unsigned long>(live.lineCount) + 68ul * static_cast<unsigned long>(live.formatCount) +
           44ul * static_cast<unsigned long>(paragraphCount) + 24ul * static_cast<unsigned long>(live.runCount) +
           static_cast<unsigned long>(live.textLength);
}

ErrorCode LayoutText(HWND window, TenState* state, int firstLine, int resyncLine, int* endChanged, int* firstChanged)
{
    TenTextState& live = state->live;
    state->stateFlags &= ~static_cast<uint32_t>(kTenRelayoutAfterUndo);
    TenArrays arrays(&live);
    if (!arrays.Ok() || live.formatCount <= 0 || !state->measuringDC)
        return kErrNoMemory;
    int lineCount = live.lineCount;
    if (firstLine < 0)
        firstLine = 0;
    if (lineCount > 0 && firstLine >= lineCount) {
        if (endChanged)
            *endChanged = lineCount;
        if (firstChanged)
            *firstChanged = lineCount;
        return kErrNone;
    }
    if (lineCount == 0)
        firstLine = 0;
    if (firstLine > 0 && (arrays.lines[firstLine - 1].flags & kLineEndsParagraph) &&
        (arrays.lines[firstLine].flags & kLineBeginsBreakArea))
        --firstLine;

    LayoutContext c = {};
    c.state = state;
    c.dc = state->measuringDC;
    c.text = arrays.text;
    c.length = live.textLength;
    c.formats = arrays.formats;
    c.formatCount = live.formatCount;
    c.paragraphs = arrays.Paragraphs();
    c.paragraphCount = arrays.ParagraphCount();
    c.wrap = (live.options & kTenWordWrap) && !(live.options & kTenWholeText);
    c.leftMargin = state->margins.left;
    SetTextWidth(&c, live.boxWidth - state->margins.left - state->margins.right);
    c.units = state->unitsPerInch > 0 ? state->unitsPerInch : 600;

    // With break areas the text is laid out again from the first line of the
    // area that holds the first changed line, down to the end.
    BreakAreaView areaView(state);
    const bool useAreas = static_cast<bool>(areaView);
    TextBreakArea* areas = areaView.areas();
    int startArea = 0;
    if (useAreas) {
        for (int i = 1; i < areaView.count(); ++i) {
            const int areaFirst = areas[i].firstLine;
            if (areaFirst <= areas[i - 1].firstLine || areaFirst >= firstLine || areaFirst >= lineCount)
                break;
            startArea = i;
        }
        firstLine = startArea == 0 ? 0 : areas[startArea].firstLine;
    }

    // The old lines a new line may meet, already moved to the edited text.
    std::vector<TextLine> oldLines;
    std::vector<TextRun> oldRuns;
    if (!useAreas && resyncLine > firstLine && resyncLine < lineCount) {
        oldLines.assign(arrays.lines + resyncLine, arrays.lines + lineCount);
        int runFrom = arrays.lines[resyncLine].firstRun;
        if (runFrom < 0)
            runFrom = 0;
        if (runFrom > live.runCount)
            runFrom = live.runCount;
        oldRuns.assign(arrays.runs + runFrom, arrays.runs + live.runCount);
    }
    const int oldBottom = lineCount > 0 ? arrays.lines[lineCount - 1].top + arrays.lines[lineCount - 1].height : 0;

    int pos = firstLine == 0 ? 0 : arrays.lines[firstLine].firstPosition;
    int top = firstLine == 0 ? state->margins.top : arrays.lines[firstLine].top;
    int runBase = firstLine == 0 ? 0 : arrays.lines[firstLine].firstRun;
    if (runBase < 0 || runBase > live.runCount)
        runBase = 0;
    std::vector<TextLine> lines(arrays.lines, arrays.lines + firstLine);
    std::vector<TextRun> runs(arrays.runs, arrays.runs + runBase);
    size_t oldIndex = 0;
    int meet = -1;
    LineOutput out;
    bool first = true;
    std::optional<BreakAreaStacker> stacker;
    if (useAreas)
        stacker.emplace(areas, areaView.count(), BreakBarHeight, startArea);
    const int editorWidth = c.textWidth;
    for (;;) {
        if (!first && !oldLines.empty()) {
            while (oldIndex < oldLines.size() && oldLines[oldIndex].firstPosition < pos)
                ++oldIndex;
            if (oldIndex < oldLines.size() && oldLines[oldIndex].firstPosition == pos) {
                meet = static_cast<int>(oldIndex);
                break;
            }
        }
        if (stacker) {
            const bool breakBefore = !lines.empty() && (lines.back().flags & kLineEndsParagraph) &&
                                     (c.formats[FormatOfPosition(c, pos)].flags & kFormatNewBreakArea);
            LayoutContext inArea = c;
            SetTextWidth(&inArea, stacker->NextWidth(breakBefore, editorWidth));
            LayOutLine(inArea, pos, top, &out);
            const int index = static_cast<int>(lines.size());
            if (stacker->Place(&out.line, index, breakBefore, top) &&
                stacker->WidthOf(stacker->Area(), editorWidth) != inArea.textWidth) {
                // A line that went on into an area of another width is broken
                // again for it.
                const TextLine placed = out.line;
                SetTextWidth(&inArea, stacker->WidthOf(stacker->Area(), editorWidth));
                LayOutLine(inArea, pos, placed.top, &out);
                out.line.flags |= placed.flags & (kLineBeginsBreakArea | kLineFirstOfLaterArea);
            }
            stacker->Grow(out.line);
        } else {
            LayOutLine(c, pos, top, &out);
        }
        out.line.firstRun = static_cast<int32_t>(runs.size());
        runs.insert(runs.end(), out.runs.begin(), out.runs.end());
        lines.push_back(out.line);
        top = NextLineTop(c, out.line);
        first = false;
        const int lineEnd = out.line.firstPosition + out.line.length;
        const bool endedAtTextEnd = lineEnd >= c.length && out.next == lineEnd;
        if (endedAtTextEnd)
            break;
        pos = out.next > pos ? out.next : pos + 1;  // a line always moves on
    }

    int end = 0;
    if (meet >= 0) {
        const TextLine& meeting = oldLines[static_cast<size_t>(meet)];
        const int runShift = static_cast<int>(runs.size()) - meeting.firstRun;
        int formatAt = FormatOfPosition(c, pos);
        const int formatShift = formatAt - meeting.firstFormat;
        const int topShift = top - meeting.top;
        const int oldRunBase = oldLines.front().firstRun;
        size_t runFrom = static_cast<size_t>(meeting.firstRun - oldRunBase);
        if (runFrom > oldRuns.size())
            runFrom = oldRuns.size();
        end = static_cast<int>(lines.size());
        for (size_t i = static_cast<size_t>(meet); i < oldLines.size(); ++i) {
            TextLine line = oldLines[i];
            line.firstRun += runShift;
            line.firstFormat += formatShift;
            line.top += topShift;
            if (topShift != 0)
                line.flags &= ~static_cast<uint32_t>(kLineFirstOfLaterArea);
            lines.push_back(line);
        }
        runs.insert(runs.end(), oldRuns.begin() + static_cast<std::ptrdiff_t>(runFrom), oldRuns.end());
        if (topShift != 0)
            end = static_cast<int>(lines.size());
    } else {
        end = static_cast<int>(lines.size());
    }
    if (stacker)
        stacker->Finish(static_cast<int>(lines.size()));

    void* linePointer = arrays.lines;
    ErrorCode code = StoreArray(&live.lines, &linePointer, lines);
    arrays.lines = static_cast<TextLine*>(linePointer);
    if (code != kErrNone)
        return code;
    void* runPointer = arrays.runs;
    code = StoreArray(&live.runs, &runPointer, runs);
    arrays.runs = static_cast<TextRun*>(runPointer);
    if (code != kErrNone)
        return code;
    live.lineCount = static_cast<int32_t>(lines.size());
    live.runCount = static_cast<int32_t>(runs.size());
    int changedFrom = firstLine;

    // The whole text placed in its box.
    TextLine* placed = arrays.lines;
    const int count = live.lineCount;
    const int bottom = placed[count - 1].top + placed[count - 1].height;
    if (!useAreas && (bottom != oldBottom || firstLine == 0)) {
        const int textHeight = bottom - placed[0].top;
        const int room = live.boxHeight - state->margins.top - state->margins.bottom - textHeight;
        int offset = 0;
        if (live.verticalAlignment == 8)
            offset = room;
        else if (live.verticalAlignment == 6)
            offset = room / 2;
        if (offset < 0)
            offset = 0;
        const int shift = state->margins.top + offset - placed[0].top;
        if (shift != 0) {
            for (int i = 0; i < count; ++i)
                placed[i].top += shift;
            changedFrom = 0;
            end = count;
        }
    }
    if (end < count && (placed[end].flags & kLineBeginsBreakArea))
        ++end;
    live.runCount = placed[count - 1].firstRun + placed[count - 1].runCount;
    if (endChanged)
        *endChanged = end;
    if (firstChanged)
        *firstChanged = changedFrom;

    HWND parent = window ? GetParent(window) : nullptr;
    if (parent) {
        const TextLine& lastLine = placed[count - 1];
        if (useAreas && TextRanPastAreas(areas, areaView.count(), lastLine))
            PostMessageA(parent, TENN_PASTBREAKS, 0, 0);
        // The parent hears when the text starts or stops running past the end.
        const bool overflows = lastLine.top + lastLine.height > BreakAreasEnd(areas, useAreas ? areaView.count() : 0);
        if (overflows != ((state->stateFlags & kTenTextOverflows) != 0)) {
            state->stateFlags ^= kTenTextOverflows;
            SendMessageA(parent, TENN_OVERFLOW, overflows ? 1 : 0, 0);
        }
        if (TextBlockBytesOfState(state, c.paragraphCount) > static_cast<unsigned long>(kMaxTextBytes))
            PostMessageA(parent, TENN_TOOLONG, 0, 0);
    }
    state->stateFlags &= ~static_cast<uint32_t>(kTenRelayoutAfterUndo);
    return kErrNone;
}
