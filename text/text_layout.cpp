#include "text/text_layout.h"
#include "common/mapping.h"

#include <cstddef>
#include <cstring>
#include <optional>
#include <vector>

#include "common/handle_words.h"
#include "common/string_helpers.h"
#include "text/break_areas.h"
#include "text/dbcs_word_cut.h"
#include "text/format_records.h"
#include "text/character_spacing.h"
#include "text/ten_arrays.h"
#include "text/ten_notifications.h"
#include "text/ten_startup.h"
#include "text/text_alignment.h"
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

// A justified line may run this many hundredths of an inch past the box.
const int kJustifyReachHundredths = 3;
// A piece longer than the measuring cap is measured from this many characters
// past what fits.
const int kOverlongPieceSlack = 10;

bool EndsWord(char ch)
{
    return ch == ' ' || ch == kTabCharacter || ch == kParagraphEnd || ch == kSoftHyphen;
}

// Scans one line from `start`: spaces, tabs, soft hyphens and words, each
// closing or growing the run in progress, until the paragraph ends or the
// next word does not fit.
class LineScanner {
public:
    LineScanner(const LayoutContext& c, int start, LineOutput* out)
        : c_(c), text_(c.text), start_(start), out_(out), runs_(out->runs), cur_{{}, start, start, 0}, pos_(start)
    {
        EnterFormat(c_, &f_, FormatOfPosition(c_, start));
        paragraphFirst_ = start == 0 || text_[start - 1] == kParagraphEnd;
        PlaceLineX(c_, *f_.paragraph, paragraphFirst_, &lineX_, &avail_);
        runs_.clear();
    }

    void Scan()
    {
        for (;;) {
            if (pos_ >= c_.length || text_[pos_] == kParagraphEnd) {
                flags_ |= kLineEndsParagraph;
                EndLineAt(pos_, pos_ < c_.length ? pos_ + 1 : pos_);
                return;
            }
            if (pos_ >= f_.end && f_.index < c_.formatCount - 1) {
                CrossFormatBetweenWords();
                continue;
            }
            const char ch = text_[pos_];
            if (ch == ' ')
                ScanSpaces();
            else if (ch == kTabCharacter ? ScanTab() : ch == kSoftHyphen ? ScanSoftHyphen() : ScanWord())
                return;
        }
    }

    void Finish(int top);

private:
    // The state a word can be taken back to when it moves to the next line.
    struct Snapshot {
        size_t runCount;
        RunInProgress cur;
        int width, pendingSpaces, tentativeMark, formatIndex, lineX, avail;
        Metrics metrics;
    };
    struct Word {
        Snapshot snap;
        int start;
        int x;
        bool afterSoftHyphen;
        int width = 0;
    };

    void EndLineAt(int end, int next)
    {
        endPos_ = end;
        next_ = next;
    }

    void EndRun(int at, int nextX)
    {
        cur_.run.length = at - cur_.start;
        cur_.run.drawnCount = cur_.drawnEnd - cur_.start > 0 ? cur_.drawnEnd - cur_.start : 0;
        cur_.run.width = cur_.drawnEndX - cur_.run.x > 0 ? cur_.drawnEndX - cur_.run.x : 0;
        runs_.push_back(cur_.run);
        cur_ = RunInProgress{{}, at, at, nextX};
        cur_.run.x = nextX;
        pendingSpaces_ = 0;
    }

    // Drawn up to pos at x; the run is closed there when it has characters.
    void EndRunInsideWord(int x)
    {
        cur_.drawnEnd = pos_;
        cur_.drawnEndX = x;
    }

    void CrossFormatBetweenWords()
    {
        if (pos_ > cur_.start) {
            const bool endsInSpace = text_[pos_ - 1] == ' ' && pendingSpaces_ > 0;
            EndRun(pos_, width_);
            if (endsInSpace)
                tentativeMark_ = static_cast<int>(runs_.size()) - 1;
        }
        EnterFormat(c_, &f_, FormatOfPosition(c_, pos_));
        if (!breakable_)
            PlaceLineX(c_, *f_.paragraph, paragraphFirst_, &lineX_, &avail_);
    }

    void ScanSpaces()
    {
        int e = pos_;
        while (e < f_.end && e < c_.length && text_[e] == ' ')
            ++e;
        width_ += Extent(c_.dc, text_ + pos_, e - pos_);
        pendingSpaces_ += e - pos_;
        pos_ = e;
        afterSoftHyphen_ = false;
    }

    bool ScanTab()
    {
        const int interval = f_.paragraph->tabInterval;
        int stop = width_;
        if (interval > 0)
            stop = ((lineX_ + width_) / interval + 1) * interval - lineX_;
        if (pos_ > start_ && ((c_.wrap && breakable_ && stop > avail_) || stop > c_.cap)) {
            EndLineAt(pos_, pos_);
            return true;
        }
        metrics_.Touch(c_.formats[f_.index]);
        ++pos_;
        EndRun(pos_, stop);
        width_ = stop;
        wordWidth_ = stop;
        lastBreak_ = pos_ - start_;
        breakable_ = true;
        afterSoftHyphen_ = false;
        return false;
    }

    bool ScanSoftHyphen()
    {
        const int withHyphen = wordWidth_ + f_.hyphenWidth + 1;
        if (pos_ > start_ && ((c_.wrap && breakable_ && withHyphen > avail_) || withHyphen > c_.cap)) {
            ++pos_;
            flags_ |= kLineEndsAtSoftHyphen;
            EndLineAt(pos_, pos_);
            return true;
        }
        ++pos_;
        EndRun(pos_, width_);
        breakable_ = true;
        afterSoftHyphen_ = true;
        return false;
    }

    // A word: everything up to the next space, tab, CR or soft hyphen,
    // across format changes and non-breaking spaces. True when the line ends
    // before or inside it.
    bool ScanWord()
    {
        Word word = {{runs_.size(), cur_, width_, pendingSpaces_, tentativeMark_, f_.index, lineX_, avail_, metrics_},
                     pos_, width_, afterSoftHyphen_};
        cur_.run.spaceCount += pendingSpaces_;
        pendingSpaces_ = 0;
        if (tentativeMark_ >= 0 && tentativeMark_ < static_cast<int>(runs_.size())) {
            runs_[tentativeMark_].justifyExtra = 1;
            tentativeMark_ = -1;
        }
        while (pos_ < c_.length && !EndsWord(text_[pos_])) {
            if (pos_ >= f_.end && f_.index < c_.formatCount - 1) {
                // The word goes on in the next format; its run ends here.
                if (pos_ > cur_.start) {
                    EndRunInsideWord(word.x + word.width);
                    EndRun(pos_, word.x + word.width);
                }
                EnterFormat(c_, &f_, FormatOfPosition(c_, pos_));
                continue;
            }
            metrics_.Touch(c_.formats[f_.index]);
            if (text_[pos_] == kHardSpace) {
                EndRunInsideWord(word.x + word.width);
                word.width += f_.spaceWidth;
                ++pos_;
                EndRun(pos_, word.x + word.width);
                continue;
            }
            if (PlacePiece(word))
                return true;
        }
        width_ = word.x + word.width;
        wordWidth_ = width_;
        lastBreak_ = pos_ - start_;
        EndRunInsideWord(width_);
        breakable_ = breakable_ || pos_ > word.start;
        afterSoftHyphen_ = false;
        // A word followed by a space is a break opportunity for the next.
        if (pos_ < c_.length && text_[pos_] == ' ')
            breakable_ = true;
        return false;
    }

    // The end of the piece of a word in one format, cut short when it is too
    // long to measure at once.
    int PieceEnd(const TextFormat& format) const
    {
        int pieceEnd = pos_;
        while (pieceEnd < f_.end && pieceEnd < c_.length) {
            const char pc = text_[pieceEnd];
            if (EndsWord(pc) || pc == kHardSpace)
                break;
            ++pieceEnd;
        }
        const int average = format.averageWidth > 0 ? format.averageWidth : 1;
        if ((pieceEnd - pos_) * average > c_.cap) {
            int keep = avail_ / average + kOverlongPieceSlack;
            if (DbcsEnabled)
                keep = AdjustDbcsOffset(text_, pos_, keep, pieceEnd - pos_, 1);
            if (keep < 1)
                keep = 1;
            if (pos_ + keep < pieceEnd)
                pieceEnd = pos_ + keep;
        }
        return pieceEnd;
    }

    // Adds one piece to the word; when it does not fit, the line ends before
    // the word or inside it. True when the line ended.
    bool PlacePiece(Word& word)
    {
        const TextFormat& format = c_.formats[f_.index];
        const int pieceEnd = PieceEnd(format);
        const int pieceWidth = Extent(c_.dc, text_ + pos_, pieceEnd - pos_) - format.overhang;
        if (!(c_.wrap && word.x + word.width + pieceWidth > avail_)) {
            word.width += pieceWidth;
            pos_ = pieceEnd;
            return false;
        }
        const int room = avail_ - (word.x + word.width);
        int cut = breakable_ && DbcsEnabled ? DbcsCutInWord(word, format, pieceEnd, room) : -1;
        if (breakable_ && cut < 0) {
            MoveWordToNextLine(word);
            return true;
        }
        if (cut < 0)
            cut = CutOverlongWord(word, format, pieceEnd, room);
        const int k = cut - pos_;
        word.width += k > 0 ? Extent(c_.dc, text_ + pos_, k) - format.overhang : 0;
        pos_ = cut;
        width_ = word.x + word.width;
        wordWidth_ = width_;
        lastBreak_ = pos_ - start_;
        EndRunInsideWord(width_);
        EndLineAt(pos_, pos_);
        return true;
    }

    // Double-byte text breaks inside words, between characters; -1 when no
    // place inside this piece will do.
    int DbcsCutInWord(const Word& word, const TextFormat& format, int pieceEnd, int room) const
    {
        int reached = 0;
        int k = FitCharsToWidth(c_.dc, text_, format.overhang, DbcsEnabled, pos_, pieceEnd - pos_, room, &reached, 0,
                                pieceEnd - pos_);
        if (k > 0 && reached > room)
            k = AdjustDbcsOffset(text_, pos_, k - 1, pieceEnd - pos_, 1);
        const int at = FindDbcsWordCut(text_, word.start, pos_ + k, IsSystemLeadByte);
        return at >= pos_ && at > word.start && at < pieceEnd ? at : -1;
    }

    // A word wider than the line is cut at the character nearest the room
    // left, keeping at least one character.
    int CutOverlongWord(const Word& word, const TextFormat& format, int pieceEnd, int room) const
    {
        int reached = 0;
        int k = FitCharsToWidth(c_.dc, text_, format.overhang, DbcsEnabled, pos_, pieceEnd - pos_, room, &reached, 0,
                                pieceEnd - pos_);
        if (k > 0 && reached > room)
            k = DbcsEnabled ? AdjustDbcsOffset(text_, pos_, k - 1, pieceEnd - pos_, 1) : k - 1;
        if (k >= pieceEnd - pos_)
            k = pieceEnd - pos_ - 1;
        if (k < 1 && pos_ == word.start)
            k = DbcsEnabled && IsDbcsCharStart(text_, pos_) ? 2 : 1;
        if (k < 0)
            k = 0;
        return pos_ + k;
    }

    // The whole word moves to the next line: the line is as it was before it.
    void MoveWordToNextLine(const Word& word)
    {
        const Snapshot& snap = word.snap;
        runs_.resize(snap.runCount);
        cur_ = snap.cur;
        width_ = snap.width;
        pendingSpaces_ = snap.pendingSpaces;
        tentativeMark_ = -1;
        metrics_ = snap.metrics;
        lineX_ = snap.lineX;
        avail_ = snap.avail;
        if (f_.index != snap.formatIndex)
            EnterFormat(c_, &f_, snap.formatIndex);
        if (word.afterSoftHyphen && pendingSpaces_ == 0 && word.start > start_ && text_[word.start - 1] == kSoftHyphen)
            flags_ |= kLineEndsAtSoftHyphen;
        EndLineAt(word.start, word.start);
    }

    // The slack between the words and the box, and the offset it gives a
    // right-aligned or centred line.
    int AlignmentOffset(int slack) const
    {
        const int alignment = f_.paragraph->alignment;
        int offset = 0;
        if (alignment == kTextAlignRight)
            offset = slack;
        else if (alignment == kTextAlignCentre)
            offset = slack / 2;
        return offset < 0 ? 0 : offset;
    }

    void SpreadJustification(int slack)
    {
        const bool justified = f_.paragraph->alignment == kTextAlignJustify;
        int totalSpaces = 0;
        for (const TextRun& run : runs_)
            totalSpaces += run.spaceCount + (run.justifyExtra == 1 && &run != &runs_.back() ? 1 : 0);
        if (justified && !(flags_ & kLineEndsParagraph) && runs_.size() > 1 && slack != 0 && totalSpaces > 0) {
            JustifyRuns(runs_, slack, totalSpaces);
        } else {
            for (size_t i = 0; i + 1 < runs_.size(); ++i)
                runs_[i].justifyExtra = 0;
        }
    }

    const LayoutContext& c_;
    const char* text_;
    const int start_;
    LineOutput* out_;
    std::vector<TextRun>& runs_;
    RunInProgress cur_;
    FormatCursor f_;
    Metrics metrics_;
    bool paragraphFirst_ = false;
    int lineX_ = 0;
    int avail_ = 0;
    int pos_;
    int width_ = 0;           // x where the next character goes
    int wordWidth_ = 0;       // x after the last committed word
    int lastBreak_ = 0;
    int pendingSpaces_ = 0;   // spaces of the current run since the last word
    int tentativeMark_ = -1;  // a run that ended in spaces, counted once a word follows
    bool breakable_ = false;
    bool afterSoftHyphen_ = false;
    uint32_t flags_ = 0;
    int endPos_ = 0;
    int next_ = 0;
};

// The line's end: the last run closed, the line's measures and alignment,
// the justification spread over the runs.
void LineScanner::Finish(int top)
{
    if (!metrics_.touched)
        metrics_.Touch(c_.formats[f_.index]);
    const int trailing = width_ - wordWidth_ > 0 ? width_ - wordWidth_ : 0;
    if (flags_ & kLineEndsAtSoftHyphen)
        wordWidth_ += f_.hyphenWidth + 1;
    wordWidth_ += c_.formats[f_.index].overhang;
    cur_.run.length = endPos_ - cur_.start;
    cur_.run.drawnCount = cur_.drawnEnd - cur_.start > 0 ? cur_.drawnEnd - cur_.start : 0;
    cur_.run.width = cur_.drawnEndX - cur_.run.x > 0 ? cur_.drawnEndX - cur_.run.x : 0;
    if (cur_.run.length > 0 || runs_.empty())
        runs_.push_back(cur_.run);
    const int slack = avail_ - wordWidth_;
    runs_.back().justifyExtra = slack;

    TextLine& line = out_->line;
    std::memset(&line, 0, sizeof(line));
    line.ascent = metrics_.ascent;
    line.height = metrics_.height - metrics_.ascent < metrics_.descent ? metrics_.ascent + metrics_.descent
                                                                         : metrics_.height;
    line.left = lineX_ + AlignmentOffset(slack);
    line.top = top;
    line.wordWidth = wordWidth_;
    line.width = wordWidth_ + trailing;
    line.firstFormat = FormatOfPosition(c_, start_);
    line.firstPosition = start_;
    line.lastBreak = lastBreak_;
    line.length = endPos_ - start_;
    line.flags = flags_;
    const bool justified = f_.paragraph->alignment == kTextAlignJustify;
    if (flags_ & kLineEndsParagraph) {
        line.availableWidth = avail_;
        line.justifiedWidth = line.width;
    } else {
        line.justifiedWidth = justified ? avail_ + c_.units * kJustifyReachHundredths / 100 : line.width;
    }
    SpreadJustification(slack);
    line.runCount = static_cast<int32_t>(runs_.size());
    out_->next = next_;
}

// Lays out the line that starts at `start`.
void LayOutLine(const LayoutContext& c, int start, int top, LineOutput* out)
{
    LineScanner scanner(c, start, out);
    scanner.Scan();
    scanner.Finish(top);
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

void ReportChangedLines(int end, int from, int* endChanged, int* firstChanged)
{
    if (endChanged)
        *endChanged = end;
    if (firstChanged)
        *firstChanged = from;
}

// A change at the first line of a break area lays out the paragraph end
// before it again.
int StepBackIntoBreakArea(const TenArrays& arrays, int lineCount, int firstLine)
{
    if (lineCount == 0)
        return 0;
    if (firstLine > 0 && (arrays.lines[firstLine - 1].flags & kLineEndsParagraph) &&
        (arrays.lines[firstLine].flags & kLineBeginsBreakArea))
        return firstLine - 1;
    return firstLine;
}

LayoutContext MakeLayoutContext(TenState* state, const TenArrays& arrays)
{
    const TenTextState& live = state->live;
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
    c.units = state->unitsPerInch > 0 ? state->unitsPerInch : kDrawingUnitsPerInch;
    return c;
}

// With break areas the text is laid out again from the first line of the
// area that holds the first changed line, down to the end.
int FirstLineOfChangedArea(const BreakAreaView& view, int firstLine, int lineCount, int* startArea)
{
    const TextBreakArea* areas = view.areas();
    *startArea = 0;
    for (int i = 1; i < view.count(); ++i) {
        const int areaFirst = areas[i].firstLine;
        if (areaFirst <= areas[i - 1].firstLine || areaFirst >= firstLine || areaFirst >= lineCount)
            break;
        *startArea = i;
    }
    return *startArea == 0 ? 0 : areas[*startArea].firstLine;
}

// The old lines a new line may meet, already moved to the edited text.
struct OldTail {
    std::vector<TextLine> lines;
    std::vector<TextRun> runs;
};

OldTail KeepOldTail(const TenArrays& arrays, const TenTextState& live, int firstLine, int resyncLine)
{
    OldTail tail;
    if (resyncLine <= firstLine || resyncLine >= live.lineCount)
        return tail;
    tail.lines.assign(arrays.lines + resyncLine, arrays.lines + live.lineCount);
    int runFrom = arrays.lines[resyncLine].firstRun;
    if (runFrom < 0)
        runFrom = 0;
    if (runFrom > live.runCount)
        runFrom = live.runCount;
    tail.runs.assign(arrays.runs + runFrom, arrays.runs + live.runCount);
    return tail;
}

// The new lines and runs, and where the next line goes.
struct Layout {
    std::vector<TextLine> lines;
    std::vector<TextRun> runs;
    int pos;
    int top;
};

// The lines above the first changed one stay as they are.
Layout StartLayout(const TenState* state, const TenArrays& arrays, int firstLine)
{
    const TenTextState& live = state->live;
    Layout laid;
    laid.pos = firstLine == 0 ? 0 : arrays.lines[firstLine].firstPosition;
    laid.top = firstLine == 0 ? state->margins.top : arrays.lines[firstLine].top;
    int runBase = firstLine == 0 ? 0 : arrays.lines[firstLine].firstRun;
    if (runBase < 0 || runBase > live.runCount)
        runBase = 0;
    laid.lines.assign(arrays.lines, arrays.lines + firstLine);
    laid.runs.assign(arrays.runs, arrays.runs + runBase);
    return laid;
}

// Lays out the line at `pos` in the break area it falls into.
void LayOutLineInArea(const LayoutContext& c, BreakAreaStacker* stacker, const Layout& laid, LineOutput* out)
{
    const bool breakBefore = !laid.lines.empty() && (laid.lines.back().flags & kLineEndsParagraph) &&
                             (c.formats[FormatOfPosition(c, laid.pos)].flags & kFormatNewBreakArea);
    LayoutContext inArea = c;
    SetTextWidth(&inArea, stacker->NextWidth(breakBefore, c.textWidth));
    LayOutLine(inArea, laid.pos, laid.top, out);
    const int index = static_cast<int>(laid.lines.size());
    if (stacker->Place(&out->line, index, breakBefore, laid.top) &&
        stacker->WidthOf(stacker->Area(), c.textWidth) != inArea.textWidth) {
        // A line that went on into an area of another width is broken
        // again for it.
        const TextLine placed = out->line;
        SetTextWidth(&inArea, stacker->WidthOf(stacker->Area(), c.textWidth));
        LayOutLine(inArea, laid.pos, placed.top, out);
        out->line.flags |= placed.flags & (kLineBeginsBreakArea | kLineFirstOfLaterArea);
    }
    stacker->Grow(out->line);
}

// Lays out line after line until the text ends or a new line starts where
// an old one did; the index of that old line, or -1.
int LayOutUntilOldLineMet(const LayoutContext& c, BreakAreaStacker* stacker, const OldTail& tail, Layout* laid)
{
    size_t oldIndex = 0;
    LineOutput out;
    for (bool first = true;; first = false) {
        if (!first && !tail.lines.empty()) {
            while (oldIndex < tail.lines.size() && tail.lines[oldIndex].firstPosition < laid->pos)
                ++oldIndex;
            if (oldIndex < tail.lines.size() && tail.lines[oldIndex].firstPosition == laid->pos)
                return static_cast<int>(oldIndex);
        }
        if (stacker)
            LayOutLineInArea(c, stacker, *laid, &out);
        else
            LayOutLine(c, laid->pos, laid->top, &out);
        out.line.firstRun = static_cast<int32_t>(laid->runs.size());
        laid->runs.insert(laid->runs.end(), out.runs.begin(), out.runs.end());
        laid->lines.push_back(out.line);
        laid->top = NextLineTop(c, out.line);
        const int lineEnd = out.line.firstPosition + out.line.length;
        if (lineEnd >= c.length && out.next == lineEnd)
            return -1;
        laid->pos = out.next > laid->pos ? out.next : laid->pos + 1;  // a line always moves on
    }
}

// The old lines from the one met on are kept, shifted to their new runs,
// formats and tops; the end of the lines that changed.
int SpliceOldTail(const LayoutContext& c, const OldTail& tail, int meet, Layout* laid)
{
    const TextLine& meeting = tail.lines[static_cast<size_t>(meet)];
    const int runShift = static_cast<int>(laid->runs.size()) - meeting.firstRun;
    const int formatShift = FormatOfPosition(c, laid->pos) - meeting.firstFormat;
    const int topShift = laid->top - meeting.top;
    size_t runFrom = static_cast<size_t>(meeting.firstRun - tail.lines.front().firstRun);
    if (runFrom > tail.runs.size())
        runFrom = tail.runs.size();
    const int end = static_cast<int>(laid->lines.size());
    for (size_t i = static_cast<size_t>(meet); i < tail.lines.size(); ++i) {
        TextLine line = tail.lines[i];
        line.firstRun += runShift;
        line.firstFormat += formatShift;
        line.top += topShift;
        if (topShift != 0)
            line.flags &= ~static_cast<uint32_t>(kLineFirstOfLaterArea);
        laid->lines.push_back(line);
    }
    laid->runs.insert(laid->runs.end(), tail.runs.begin() + static_cast<std::ptrdiff_t>(runFrom), tail.runs.end());
    return topShift != 0 ? static_cast<int>(laid->lines.size()) : end;
}

ErrorCode StoreLayout(TenArrays* arrays, const Layout& laid)
{
    TenTextState& live = *arrays->state;
    void* linePointer = arrays->lines;
    ErrorCode code = StoreArray(&live.lines, &linePointer, laid.lines);
    arrays->lines = static_cast<TextLine*>(linePointer);
    if (code != kErrNone)
        return code;
    void* runPointer = arrays->runs;
    code = StoreArray(&live.runs, &runPointer, laid.runs);
    arrays->runs = static_cast<TextRun*>(runPointer);
    if (code != kErrNone)
        return code;
    live.lineCount = static_cast<int32_t>(laid.lines.size());
    live.runCount = static_cast<int32_t>(laid.runs.size());
    return kErrNone;
}

// The whole text placed down its box; true when the lines moved.
bool PlaceInBox(const TenState* state, TextLine* lines, int count)
{
    const int topBefore = lines[0].top;
    const int room = state->live.boxHeight - state->margins.top - state->margins.bottom;
    PlaceTenLinesVertically(lines, count, state->live.verticalAlignment, state->margins.top, room);
    return lines[0].top != topBefore;
}

// The parent hears when the text runs past its break areas, when it starts
// or stops running past the end, and when it grows too long to store.
void NotifyParentOfLength(HWND parent, TenState* state, const BreakAreaView* areaView, const TextLine& lastLine,
                          int paragraphCount)
{
    const TextBreakArea* areas = areaView ? areaView->areas() : nullptr;
    const int areaCount = areaView ? areaView->count() : 0;
    if (areaView && TextRanPastAreas(areas, areaCount, lastLine))
        PostMessageA(parent, TENN_PASTBREAKS, 0, 0);
    const bool overflows = lastLine.top + lastLine.height > BreakAreasEnd(areas, areaCount);
    if (overflows != ((state->stateFlags & kTenTextOverflows) != 0)) {
        state->stateFlags ^= kTenTextOverflows;
        SendMessageA(parent, TENN_OVERFLOW, overflows ? 1 : 0, 0);
    }
    if (TextBlockBytesOfState(state, paragraphCount) > static_cast<unsigned long>(kMaxTextBytes))
        PostMessageA(parent, TENN_TOOLONG, 0, 0);
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
    const int lineCount = live.lineCount;
    if (firstLine < 0)
        firstLine = 0;
    if (lineCount > 0 && firstLine >= lineCount) {
        ReportChangedLines(lineCount, lineCount, endChanged, firstChanged);
        return kErrNone;
    }
    firstLine = StepBackIntoBreakArea(arrays, lineCount, firstLine);

    const LayoutContext c = MakeLayoutContext(state, arrays);
    BreakAreaView areaView(state);
    const bool useAreas = static_cast<bool>(areaView);
    int startArea = 0;
    if (useAreas)
        firstLine = FirstLineOfChangedArea(areaView, firstLine, lineCount, &startArea);

    OldTail tail;
    if (!useAreas)
        tail = KeepOldTail(arrays, live, firstLine, resyncLine);
    const int oldBottom = lineCount > 0 ? arrays.lines[lineCount - 1].top + arrays.lines[lineCount - 1].height : 0;

    Layout laid = StartLayout(state, arrays, firstLine);
    std::optional<BreakAreaStacker> stacker;
    if (useAreas)
        stacker.emplace(areaView.areas(), areaView.count(), BreakBarHeight, startArea);
    const int meet = LayOutUntilOldLineMet(c, stacker ? &*stacker : nullptr, tail, &laid);
    int end = meet >= 0 ? SpliceOldTail(c, tail, meet, &laid) : static_cast<int>(laid.lines.size());
    if (stacker)
        stacker->Finish(static_cast<int>(laid.lines.size()));

    ErrorCode code = StoreLayout(&arrays, laid);
    if (code != kErrNone)
        return code;
    int changedFrom = firstLine;
    TextLine* placed = arrays.lines;
    const int count = live.lineCount;
    const int bottom = placed[count - 1].top + placed[count - 1].height;
    if (!useAreas && (bottom != oldBottom || firstLine == 0) && PlaceInBox(state, placed, count)) {
        changedFrom = 0;
        end = count;
    }
    if (end < count && (placed[end].flags & kLineBeginsBreakArea))
        ++end;
    live.runCount = placed[count - 1].firstRun + placed[count - 1].runCount;
    ReportChangedLines(end, changedFrom, endChanged, firstChanged);
    if (HWND parent = window ? GetParent(window) : nullptr)
        NotifyParentOfLength(parent, state, useAreas ? &areaView : nullptr, placed[count - 1], c.paragraphCount);
    state->stateFlags &= ~static_cast<uint32_t>(kTenRelayoutAfterUndo);
    return kErrNone;
}
