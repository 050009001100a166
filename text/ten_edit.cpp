#include "text/ten_edit.h"

#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "text/break_areas.h"
#include "text/caret_selection.h"
#include "text/font_list.h"
#include "text/format_records.h"
#include "text/ten_arrays.h"
#include "text/ten_autosize.h"
#include "text/ten_notifications.h"
#include "text/ten_paint.h"
#include "text/ten_startup.h"
#include "text/ten_state_access.h"
#include "text/text_block_check.h"
#include "text/text_layout.h"
#include "text/text_measure.h"

namespace {

int ClampIndex(int index, int count)
{
    if (index > count - 1)
        index = count - 1;
    return index < 0 ? 0 : index;
}

int FormatEnd(const TextFormat& format) { return format.start + format.length; }

void SwapTextStates(TenState* state)
{
    TenTextState held = state->undo;
    state->undo = state->live;
    state->live = held;
}

// The line range to lay out again after an edit: from the line before
// `firstLine` to the end of the paragraph that holds `lastLine` + extra.
void RelayoutRange(TenState* state, int firstLine, int lastLine, bool formatsChanged, int* from, int* to)
{
    const TenTextState& live = state->live;
    *from = firstLine - 1 < 0 ? 0 : firstLine - 1;
    if (formatsChanged) {
        *to = 32000;
        return;
    }
    int end = lastLine + 1;
    const auto* lines = static_cast<const TextLine*>(GlobalLock(live.lines));
    if (lines) {
        while (end < live.lineCount && !(lines[end - 1].flags & kLineEndsParagraph))
            ++end;
        GlobalUnlock(live.lines);
    }
    *to = end;
}

// Layout, auto-size, caret and repaint after an edit, as the apply flags ask.
ErrorCode ApplyEdit(HWND window, TenState* state, int from, int to, int flags, bool paragraphSplit, bool symbolKept)
{
    if (!(flags & kApplyLayout))
        return kErrNone;
    int end = 0;
    int first = 0;
    ErrorCode code = LayoutText(window, state, from, to, &end, &first);
    if (code != kErrNone)
        return code;
    int whole = 0;
    if (state->stateFlags & (kTenFitWidth | kTenFitHeight)) {
        const LONG changed = AutoSizeTenWindow(window, state);
        // A box that shrank must draw its owner's outline at its new edges.
        if (changed != 0)
            whole = 1;
        if (LOWORD(changed) != 0) {
            first = 0;
            end = state->live.lineCount;
        }
    }
    state->live.neededHeight = NeededTextHeight(state);
    RefreshCaretPositions(window, state);
    if (paragraphSplit && !symbolKept)
        SyncCaretFormat(window, state, 0);
    if ((flags & kApplyRepaint) && window && IsWindowVisible(window)) {
        PaintTextLines(window, state, first, end, whole);
        ScrollCaretIntoView(window, state, nullptr, &state->live.selectionStart, 0);
    }
    return kErrNone;
}

// Shifts the first positions of the lines from `line` on.
void ShiftLines(TenArrays& arrays, int line, int by)
{
    for (int i = line < 0 ? 0 : line; i < arrays.state->lineCount; ++i)
        arrays.lines[i].firstPosition += by;
}

// Makes room for `count` more bytes of text.
ErrorCode ReserveText(TenArrays& arrays, int count)
{
    const TenTextState& live = *arrays.state;
    const SIZE_T needed = static_cast<SIZE_T>(live.textLength) + static_cast<SIZE_T>(count) + 1;
    if (GlobalSize(live.text) >= needed)
        return kErrNone;
    return arrays.ResizeText(needed + 255);
}

// Index of the paragraph record equal to `record`, added when missing; -1
// when the table is full or cannot grow.
int FindOrAddParagraph(TenArrays& arrays, const TextParagraph& record)
{
    const int count = arrays.ParagraphCount();
    for (int i = 0; i < count; ++i) {
        if (std::memcmp(&arrays.Paragraphs()[i], &record, sizeof(TextParagraph)) == 0)
            return i;
    }
    if (count >= kMaxTextParagraphs || arrays.ResizeParagraphs(count + 1) != kErrNone)
        return -1;
    arrays.Paragraphs()[count] = record;
    *reinterpret_cast<int32_t*>(arrays.paragraphBlock) = count + 1;
    return count;
}

} // namespace

ErrorCode CopyBlockInto(HGLOBAL* destination, HGLOBAL source)
{
    if (!source || !*destination)
        return kErrNoMemory;
    const SIZE_T size = GlobalSize(source);
    if (ResizeBlock(destination, size) != kErrNone)
        return kErrNoMemory;
    void* to = GlobalLock(*destination);
    const void* from = GlobalLock(source);
    if (to && from)
        std::memcpy(to, from, size);
    if (to)
        GlobalUnlock(*destination);
    if (from)
        GlobalUnlock(source);
    return to && from ? kErrNone : kErrNoMemory;
}

ErrorCode SaveTenUndo(HWND window, TenState* state, int kind)
{
    state->stateFlags &= ~static_cast<uint32_t>(kTenUndoIsRedo | kTenUndoFontsStale);
    if (kind == 0) {
        state->undoKind = 0;
        return kErrNone;
    }
    if (kind != kUndoSnapshot && window && GetParent(window))
        SendMessageA(GetParent(window), TENN_UNDOSTEP, 0, 0);
    TenTextState& live = state->live;
    TenTextState& undo = state->undo;
    HGLOBAL handles[5] = {undo.text, undo.formats, undo.lines, undo.paragraphs, undo.runs};
    undo = live;
    undo.text = handles[0];
    undo.formats = handles[1];
    undo.lines = handles[2];
    undo.paragraphs = handles[3];
    undo.runs = handles[4];
    live.options |= kTenModified | kTenUndoTaken;
    ErrorCode code = CopyBlockInto(&undo.formats, live.formats);
    if (code == kErrNone)
        code = CopyBlockInto(&undo.paragraphs, live.paragraphs);
    if (code == kErrNone)
        code = CopyBlockInto(&undo.runs, live.runs);
    if (code == kErrNone)
        code = CopyBlockInto(&undo.lines, live.lines);
    if (code == kErrNone)
        code = CopyBlockInto(&undo.text, live.text);
    state->undoKind = code == kErrNone ? kind : 0;
    return code;
}

void RevertTenUndo(TenState* state)
{
    if (state->undoKind == 0)
        return;
    SwapTextStates(state);
    state->undoKind = 0;
}

int UndoTenStep(HWND window, TenState* state)
{
    if (state->undoKind == 0)
        return 0;
    HideTenCaret(window, state);
    const bool sizeChanged =
        state->undo.boxWidth != state->live.boxWidth || state->undo.boxHeight != state->live.boxHeight;
    const bool fontsStale = (state->stateFlags & kTenUndoFontsStale) != 0;
    SwapTextStates(state);
    state->stateFlags ^= kTenUndoIsRedo;
    state->stateFlags &= ~static_cast<uint32_t>(kTenUndoFontsStale);
    if (fontsStale) {
        RefreshStateFormatFonts(state, 0, state->live.formatCount - 1);
        state->stateFlags |= kTenRelayoutAfterUndo;
    }
    {
        // The restored lines stand over the areas as they stand now.
        BreakAreaView areas(state);
        TenArrays arrays(&state->live);
        if (areas && arrays.Ok() && state->live.lineCount > 0)
            PlaceBreakAreas(state, 0, areas.areas(), arrays.lines, state->live.lineCount - 1, arrays.formats,
                            arrays.Paragraphs(), arrays.ParagraphCount());
    }
    if (sizeChanged && window)
        ResizeTenWindow(window, state, state->live.boxWidth, state->live.boxHeight);
    if (state->stateFlags & kTenRelayoutAfterUndo) {
        int end = 0;
        int first = 0;
        if (LayoutText(window, state, 0, kLayoutToEnd, &end, &first) != kErrNone)
            return 0;
    }
    RefreshCaretPositions(window, state);
    if (window && IsWindowVisible(window)) {
        PaintTextLines(window, state, 0, state->live.lineCount, sizeChanged ? 1 : 0);
        ScrollCaretIntoView(window, state, nullptr, &state->live.selectionStart, 0);
    }
    SyncCaretFormat(window, state, kSyncForce);
    return 0;
}

int DeleteTenRange(TenState* state, CaretPos from, CaretPos to)
{
    TenTextState& live = state->live;
    const int p = from.position;
    const int q = to.position;
    const int n = q - p;
    if (n <= 0 || p < 0 || q > live.textLength)
        return 0;
    bool removedCr = false;
    int seam = 0;
    {
        TenArrays arrays(&live);
        if (!arrays.Ok())
            return 0;
        for (int i = p; i < q; ++i) {
            if (arrays.text[i] == kParagraphEnd)
                removedCr = true;
        }
        // Formats: each stretch shrinks by its part of the range; stretches
        // the range swallows whole go, but one format always stays.
        auto map = [&](int x) { return x < p ? x : (x < q ? p : x - n); };
        std::vector<TextFormat> kept;
        kept.reserve(static_cast<size_t>(live.formatCount));
        for (int i = 0; i < live.formatCount; ++i) {
            TextFormat format = arrays.formats[i];
            const int end = i == live.formatCount - 1 ? live.textLength : FormatEnd(format);
            const int newStart = map(format.start);
            const int newEnd = map(end);
            const bool swallowed = newEnd == newStart && end > format.start;
            format.start = newStart;
            format.length = newEnd - newStart;
            if (!swallowed)
                kept.push_back(format);
        }
        if (kept.empty()) {
            TextFormat first = arrays.formats[0];
            first.start = 0;
            first.length = 0;
            kept.push_back(first);
        }
        std::memcpy(arrays.formats, kept.data(), sizeof(TextFormat) * kept.size());
        live.formatCount = static_cast<int32_t>(kept.size());
        std::memmove(arrays.text + p, arrays.text + q, static_cast<size_t>(live.textLength - q));
        live.textLength -= n;
        seam = ClampIndex(FindFormatAt(p, arrays.formats, live.formatCount), live.formatCount);
        ShiftLines(arrays, to.line + 1, -n);
    }
    DiscardError(ResizeBlock(&live.formats, sizeof(TextFormat) * static_cast<SIZE_T>(live.formatCount)),
                 "a failed shrink is harmless");
    // The seam: equal neighbours join.
    {
        const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
        bool joinAfter = false;
        bool joinBefore = false;
        if (formats) {
            joinAfter = seam + 1 < live.formatCount && FormatsEqual(formats[seam], formats[seam + 1]);
            joinBefore = !joinAfter && seam > 0 && FormatsEqual(formats[seam - 1], formats[seam]);
            GlobalUnlock(live.formats);
        }
        if (joinAfter)
            DiscardError(MergeFormatWithNext(state, seam), "equal neighbours left apart only cost a format entry");
        else if (joinBefore)
            DiscardError(MergeFormatWithNext(state, --seam), "equal neighbours left apart only cost a format entry");
    }
    if (removedCr && p > 0) {
        const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
        int holder = formats ? ClampIndex(FindFormatAt(p - 1, formats, live.formatCount), live.formatCount) : 0;
        while (formats && holder > 0 && formats[holder].length <= 0)
            --holder;
        if (formats)
            GlobalUnlock(live.formats);
        if (holder < live.formatCount - 1)
            DiscardError(CarryParagraphAttributes(state, holder), "the paragraph keeps its own attributes");
    }
    if (GlobalSize(live.text) > static_cast<SIZE_T>(live.textLength) + 256)
        DiscardError(ResizeBlock(&live.text, static_cast<SIZE_T>(live.textLength) + 128),
                     "a failed shrink is harmless");
    from.format = ClampIndex(from.format, live.formatCount);
    {
        const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
        if (formats) {
            from.format = ClampIndex(FindFormatAt(p, formats, live.formatCount), live.formatCount);
            GlobalUnlock(live.formats);
        }
    }
    live.selectionStart = live.selectionEnd = live.anchor = from;
    live.options &= ~static_cast<uint32_t>(kTenWordSelection);
    return removedCr ? 1 : 0;
}

namespace {

// Typing or pasting more than one character in a symbol font switches the
// typing format to a plain face first. True when it did.
ErrorCode TypeInPlainFaceAfterSymbols(TenState* state, int count, int typed, bool* plainFace)
{
    TenTextState& live = state->live;
    *plainFace = false;
    const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
    if (!formats)
        return kErrNoMemory;
    const int index = live.typingFormatIndex;
    const bool indexed = index >= 0 && index < live.formatCount;
    const bool symbol = indexed ? IsSymbolFormat(formats[index]) != 0 : IsSymbolFormat(live.typingFormat) != 0;
    if (symbol && (count > 1 || typed)) {
        if (indexed)
            live.typingFormat = formats[index];
        live.typingFormat.face = FindPlainFace(state);
        UpdateSymbolFlag(state, &live.typingFormat);
        live.typingFormat.script = 0;
        live.typingFormatIndex = -1;
        *plainFace = true;
    }
    GlobalUnlock(live.formats);
    return kErrNone;
}

// The selection the new bytes replace goes first; the typing format becomes
// the selection's first format (keeping a plain face just chosen).
void DeleteSelectionBeforeInsert(TenState* state, int selected, bool plainFace, int* paragraphSplit)
{
    TenTextState& live = state->live;
    if (live.typingFormatIndex != -1) {
        const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
        const int face = live.typingFormat.face;
        live.typingFormat = formats[ClampIndex(live.selectionStart.format, live.formatCount)];
        GlobalUnlock(live.formats);
        if (plainFace)
            live.typingFormat.face = face;
        live.typingFormatIndex = -1;
    }
    CaretPos end = live.selectionEnd;
    if (live.options & kTenWordSelection) {
        // A selected word keeps the space after it.
        const char* text = static_cast<const char*>(GlobalLock(live.text));
        const char last = text ? text[end.position - 1] : 0;
        if (text)
            GlobalUnlock(live.text);
        if (selected > 2 && (last == kHardSpace || last == kTabCharacter || last == ' '))
            end.position -= 1;
    }
    const int split = DeleteTenRange(state, live.selectionStart, end);
    if (paragraphSplit)
        *paragraphSplit = split;
}

// A soft hyphen never starts the text nor stands beside another.
bool SoftHyphenRefused(const TenTextState& live, const char* bytes, int count, int pos)
{
    if (count != 1 || bytes[0] != kSoftHyphen)
        return false;
    const char* text = static_cast<const char*>(GlobalLock(live.text));
    const bool refused = pos == 0 || (text && text[pos - 1] == kSoftHyphen) ||
                         (text && pos < live.textLength && text[pos] == kSoftHyphen);
    if (text)
        GlobalUnlock(live.text);
    return refused;
}

// Splits format f so that a new, empty format stands at pos; its index.
ErrorCode MakeFormatAt(TenState* state, int f, int pos, int* made)
{
    TenTextState& live = state->live;
    const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
    const int start = formats[f].start;
    const int end = f == live.formatCount - 1 ? live.textLength : FormatEnd(formats[f]);
    GlobalUnlock(live.formats);
    ErrorCode code = kErrNone;
    if (pos > start && pos < end) {
        code = SplitFormat(state, f, pos);
        if (code == kErrNone)
            code = SplitFormat(state, f + 1, pos);
        *made = f + 1;
    } else if (pos <= start) {
        code = SplitFormat(state, f, pos);
        *made = f;
    } else {
        code = SplitFormat(state, f, pos);
        *made = f + 1;
    }
    return code != kErrNone ? kErrNoMemory : kErrNone;
}

// A format just made takes the typing format's attributes and font.
void TakeTypingFormat(TenState* state, int index)
{
    TenTextState& live = state->live;
    auto* formats = static_cast<TextFormat*>(GlobalLock(live.formats));
    TextFormat& made = formats[index];
    const TextFormat& t = live.typingFormat;
    made.face = t.face;
    made.size = t.size;
    made.requestedSize = t.size;
    made.style = t.style;
    made.paragraphIndex = t.paragraphIndex;
    made.script = t.script;
    made.flags = t.flags;
    made.color = t.color;
    made.hyphenation = t.hyphenation;
    UpdateSymbolFlag(state, &made);
    MakeFormatFont(state, &made);
    GlobalUnlock(live.formats);
}

// The format the new bytes go into: the typing format's own entry while it
// still covers pos, an equal neighbour, or a new entry made for it.
ErrorCode ChooseInsertFormat(TenState* state, int pos, int* chosenOut, bool* justMade)
{
    TenTextState& live = state->live;
    int chosen = live.typingFormatIndex;
    *justMade = false;
    {
        const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
        if (!formats)
            return kErrNoMemory;
        if (chosen >= 0 && (chosen >= live.formatCount || formats[chosen].start > pos ||
                            (chosen < live.formatCount - 1 && FormatEnd(formats[chosen]) < pos))) {
            live.typingFormat = formats[ClampIndex(chosen, live.formatCount)];
            chosen = -1;
        }
        GlobalUnlock(live.formats);
    }
    if (chosen >= 0) {
        *chosenOut = chosen;
        return kErrNone;
    }
    const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
    const int f = ClampIndex(FindFormatAt(pos, formats, live.formatCount), live.formatCount);
    const bool useBefore = pos == formats[f].start && f > 0 && FormatsEqual(formats[f - 1], live.typingFormat);
    const bool useOwn = !useBefore && FormatsEqual(formats[f], live.typingFormat);
    const bool emptyOwn = formats[f].length == 0;
    GlobalUnlock(live.formats);
    if (useBefore) {
        chosen = f - 1;
    } else if (useOwn || emptyOwn) {
        chosen = f;
        *justMade = !useOwn;
    } else {
        ErrorCode code = MakeFormatAt(state, f, pos, &chosen);
        if (code != kErrNone)
            return code;
        *justMade = true;
    }
    if (*justMade)
        TakeTypingFormat(state, chosen);
    live.typingFormatIndex = chosen;
    *chosenOut = chosen;
    return kErrNone;
}

ErrorCode PutBytes(TenState* state, const char* bytes, int count, int pos, int chosen, int noteLine)
{
    TenTextState& live = state->live;
    TenArrays arrays(&live);
    if (!arrays.Ok())
        return kErrNoMemory;
    if (ReserveText(arrays, count) != kErrNone)
        return kErrNoMemory;
    std::memmove(arrays.text + pos + count, arrays.text + pos, static_cast<size_t>(live.textLength - pos));
    std::memcpy(arrays.text + pos, bytes, static_cast<size_t>(count));
    live.textLength += count;
    arrays.formats[chosen].length += count;
    for (int i = chosen + 1; i < live.formatCount; ++i)
        arrays.formats[i].start += count;
    ShiftLines(arrays, noteLine, count);
    return kErrNone;
}

// A new paragraph starts without break-before and without the rule: the
// format is split where it begins, or the typing format drops them at the end.
ErrorCode EndCarriedFlagsAtNewParagraph(TenState* state, int pos, int firstCr, int chosen, bool justMade,
                                        int* paragraphSplit)
{
    TenTextState& live = state->live;
    auto* formats = static_cast<TextFormat*>(GlobalLock(live.formats));
    const TextFormat holder = formats[chosen];
    const char* text = static_cast<const char*>(GlobalLock(live.text));
    const uint32_t carried = kFormatNewBreakArea | kFormatRuleBelow1;
    int p = pos + firstCr + 1;
    const int end = FormatEnd(holder);
    bool splitAt = false;
    if ((holder.flags & carried) && (!justMade || firstCr != 0)) {
        if (p == end && p > 1 && text[p - 2] == kParagraphEnd)
            p -= 1;
        if (p > holder.start && p < end && p < live.textLength) {
            splitAt = true;
        } else if (p == live.textLength && end == live.textLength) {
            live.typingFormat = holder;
            live.typingFormat.flags &= ~carried;
            live.typingFormatIndex = -1;
        }
    }
    GlobalUnlock(live.text);
    GlobalUnlock(live.formats);
    if (!splitAt)
        return kErrNone;
    if (SplitFormat(state, chosen, p) != kErrNone)
        return kErrNoMemory;
    formats = static_cast<TextFormat*>(GlobalLock(live.formats));
    formats[chosen + 1].flags &= ~carried;
    GlobalUnlock(live.formats);
    if (paragraphSplit)
        *paragraphSplit = 1;
    return kErrNone;
}

int FirstParagraphEnd(const char* bytes, int count)
{
    for (int i = 0; i < count; ++i)
        if (bytes[i] == kParagraphEnd)
            return i;
    return -1;
}

} // namespace

ErrorCode InsertTenChars(TenState* state, const char* bytes, int count, int* paragraphSplit, int* nothingInserted,
                         int typed)
{
    TenTextState& live = state->live;
    if (paragraphSplit)
        *paragraphSplit = 0;
    if (nothingInserted)
        *nothingInserted = 0;
    const int noteLine = live.selectionEnd.line + 1;
    const int selected = live.selectionEnd.position - live.selectionStart.position;
    // Refused before anything changes.
    if (live.textLength - (selected > 0 ? selected : 0) + count > kMaxTextBytes)
        return kErrTextTooLong;

    bool plainFace = false;
    ErrorCode code = TypeInPlainFaceAfterSymbols(state, count, typed, &plainFace);
    if (code != kErrNone)
        return code;
    if (selected > 0)
        DeleteSelectionBeforeInsert(state, selected, plainFace, paragraphSplit);
    if (live.textLength + count > kMaxTextBytes)
        return kErrTextTooLong;
    if (state->maximumLength > 0) {
        const int room = state->maximumLength - live.textLength;
        if (count > room) {
            MessageBeep(static_cast<UINT>(-1));
            count = room > 0 ? room : 0;
        }
    }
    const int pos = live.selectionStart.position;
    if ((state->maximumLength > 0 && count <= 0) || SoftHyphenRefused(live, bytes, count, pos)) {
        if (nothingInserted)
            *nothingInserted = 1;
        return kErrNone;
    }

    int chosen = 0;
    bool justMade = false;
    code = ChooseInsertFormat(state, pos, &chosen, &justMade);
    if (code == kErrNone)
        code = PutBytes(state, bytes, count, pos, chosen, noteLine);
    const int firstCr = FirstParagraphEnd(bytes, count);
    if (code == kErrNone && firstCr >= 0)
        code = EndCarriedFlagsAtNewParagraph(state, pos, firstCr, chosen, justMade, paragraphSplit);
    if (code != kErrNone)
        return code;
    live.options &= ~static_cast<uint32_t>(kTenWholeText);
    return kErrNone;
}

ErrorCode InsertTenBlock(TenState* state, const void* block, SIZE_T blockSize, int flags)
{
    TenTextState& live = state->live;
    if (flags & 0x400)
        return kErrNone;
    if (!CheckTextBlock(block, blockSize))
        return kErrNoMemory;
    TextBlockHeader header;
    std::memcpy(&header, block, sizeof(header));
    const auto* base = static_cast<const unsigned char*>(block);
    const int blockText = header.textLength;
    const int selected = live.selectionEnd.position - live.selectionStart.position;
    if (blockText > 0 && live.textLength - (selected > 0 ? selected : 0) + blockText > kMaxTextBytes)
        return kErrTextTooLong;
    if (selected > 0)
        DeleteTenRange(state, live.selectionStart, live.selectionEnd);
    if (blockText <= 0 || header.formatCount <= 0)
        return kErrNone;
    if (live.textLength + blockText > kMaxTextBytes)
        return kErrTextTooLong;
    if (state->maximumLength > 0 && live.textLength + blockText > state->maximumLength) {
        MessageBeep(static_cast<UINT>(-1));
        return kErrNone;
    }
    const int pos = live.selectionStart.position;
    const int noteLine = live.selectionEnd.line + 1;

    // The block's formats with this editor's paragraph records and faces.
    std::vector<TextFormat> incoming(static_cast<size_t>(header.formatCount));
    std::memcpy(incoming.data(), base + TextBlockFormatsOffset(header), sizeof(TextFormat) * incoming.size());
    const auto* blockParagraphs = reinterpret_cast<const TextParagraph*>(base + TextBlockParagraphsOffset(header));
    const char* blockChars = reinterpret_cast<const char*>(base + TextBlockTextOffset(header));
    const int tableCount = FontTableCount(state->fontTable);
    {
        TenArrays arrays(&live);
        if (!arrays.Ok())
            return kErrNoMemory;
        const int fallback =
            arrays.formats[ClampIndex(live.selectionStart.format, live.formatCount)].paragraphIndex;
        for (TextFormat& format : incoming) {
            format.font = 0;
            int index = -1;
            if (format.paragraphIndex >= 0 && format.paragraphIndex < header.paragraphCount)
                index = FindOrAddParagraph(arrays, blockParagraphs[format.paragraphIndex]);
            format.paragraphIndex = index >= 0 ? index : fallback;
            if (tableCount > 0 && format.face >= tableCount)
                format.face = tableCount - 1;
            if (format.face < 0)
                format.face = 0;
        }
        if (live.textLength == 0) {
            TextFormat first = incoming[0];
            first.start = 0;
            first.length = 0;
            arrays.formats[0] = first;
            live.formatCount = 1;
            MakeFormatFont(state, &arrays.formats[0]);
        }
    }
    // Where the block's formats go.
    int index = live.formatCount;
    if (pos < live.textLength) {
        const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
        const int f = ClampIndex(FindFormatAt(pos, formats, live.formatCount), live.formatCount);
        const bool atStart = formats[f].start == pos;
        GlobalUnlock(live.formats);
        if (atStart) {
            index = f;
        } else {
            if (SplitFormat(state, f, pos) != kErrNone)
                return kErrNoMemory;
            index = f + 1;
        }
    }
    {
        TenArrays arrays(&live);
        if (!arrays.Ok())
            return kErrNoMemory;
        size_t firstIncoming = 0;
        if (index > 0 && FormatsEqual(arrays.formats[index - 1], incoming[0])) {
            arrays.formats[index - 1].length += incoming[0].length;
            firstIncoming = 1;
        }
        const int added = static_cast<int>(incoming.size() - firstIncoming);
        if (added > 0 && arrays.ResizeFormats(live.formatCount + added) != kErrNone)
            return kErrNoMemory;
        std::memmove(arrays.formats + index + added, arrays.formats + index,
                     sizeof(TextFormat) * static_cast<size_t>(live.formatCount - index));
        for (int i = index + added; i < live.formatCount + added; ++i)
            arrays.formats[i].start += blockText;
        int start = index > 0 ? FormatEnd(arrays.formats[index - 1]) : pos;
        for (int i = 0; i < added; ++i) {
            TextFormat format = incoming[firstIncoming + static_cast<size_t>(i)];
            format.start = start;
            start += format.length;
            MakeFormatFont(state, &format);
            arrays.formats[index + i] = format;
        }
        live.formatCount += added;
        if (ReserveText(arrays, blockText) != kErrNone)
            return kErrNoMemory;
        std::memmove(arrays.text + pos + blockText, arrays.text + pos, static_cast<size_t>(live.textLength - pos));
        std::memcpy(arrays.text + pos, blockChars, static_cast<size_t>(blockText));
        live.textLength += blockText;
        ShiftLines(arrays, noteLine, blockText);
        const int last = index + added - 1;
        if (added > 0 && last + 1 < live.formatCount && FormatsEqual(arrays.formats[last], arrays.formats[last + 1])) {
            arrays.formats[last].length += arrays.formats[last + 1].length;
            std::memmove(arrays.formats + last + 1, arrays.formats + last + 2,
                         sizeof(TextFormat) * static_cast<size_t>(live.formatCount - last - 2));
            --live.formatCount;
        }
    }
    for (int i = index > 0 ? index - 1 : 0; i < live.formatCount - 1; ++i) {
        ErrorCode code = CarryParagraphAttributes(state, i);
        if (code != kErrNone)
            return code;
    }
    live.options &= ~static_cast<uint32_t>(kTenWholeText);
    return kErrNone;
}

ErrorCode InsertTenText(HWND window, const void* data, int count, int flags, SIZE_T blockSize)
{
    TenStateLock lock(window);
    if (!lock)
        return kErrNotDone;
    TenState* state = lock.get();
    TenTextState& live = state->live;
    if (flags & kApplyUndoStep) {
        ErrorCode code = SaveTenUndo(window, state, kUndoPaste);
        if (code != kErrNone)
            return code;
    }
    const int formatsBefore = live.formatCount;
    const int firstLine = live.selectionStart.line;
    const int lastLine = live.selectionEnd.line;
    int split = 0;
    int nothing = 0;
    int inserted = 0;
    const bool pendingFormat = live.typingFormatIndex == -1;
    const TextFormat pending = live.typingFormat;
    ErrorCode code = kErrNone;
    if (count > 0) {
        const int before = live.textLength - (live.selectionEnd.position - live.selectionStart.position);
        code = InsertTenChars(state, static_cast<const char*>(data), count, &split, &nothing, 1);
        inserted = nothing ? 0 : live.textLength - before;
    } else {
        const int before = live.textLength - (live.selectionEnd.position - live.selectionStart.position);
        code = InsertTenBlock(state, data, blockSize, 0);
        inserted = live.textLength - before;
        split = 1;
    }
    if (code == kErrNone) {
        int from = 0;
        int to = 0;
        RelayoutRange(state, firstLine, lastLine + (split ? 1 : 0), live.formatCount != formatsBefore, &from, &to);
        if ((flags & kApplyMoveSelection) && inserted > 0) {
            const int position = live.selectionStart.position + inserted;
            live.selectionStart.position = live.selectionEnd.position = live.anchor.position = position;
            const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
            const int f = ClampIndex(FindFormatAt(position, formats, live.formatCount), live.formatCount);
            GlobalUnlock(live.formats);
            live.selectionStart.format = live.selectionEnd.format = live.anchor.format = f;
            SyncCaretFormat(window, state, kSyncForce);
        }
        code = ApplyEdit(window, state, from, to, flags, split != 0, false);
    }
    if (code == kErrNone && count > 0 && pendingFormat && !(flags & kApplyMoveSelection)) {
        live.typingFormat = pending;
        live.typingFormatIndex = -1;
    }
    if (code != kErrNone) {
        RevertTenUndo(state);
        if (flags & kApplyLayout)
            RefreshCaretPositions(window, state);
    }
    return code;
}

ErrorCode EditTenChar(HWND window, int key, int flags)
{
    TenStateLock lock(window);
    if (!lock)
        return kErrNone;
    TenState* state = lock.get();
    TenTextState& live = state->live;
    const bool empty = live.selectionStart.position == live.selectionEnd.position;
    if ((key == 8 || key == 46) && !(state->undoKind == kUndoTyping && !(state->stateFlags & kTenUndoIsRedo))) {
        if (!empty || key == 8 || key == 46) {
            ErrorCode code = SaveTenUndo(window, state, kUndoTyping);
            if (code != kErrNone)
                return code;
        }
    }
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    CaretPos from = live.selectionStart;
    CaretPos to = live.selectionEnd;
    int lastLine = to.line;
    bool symbolKept = false;
    TextFormat symbolFormat = {};
    if (empty) {
        const char* text = static_cast<const char*>(GlobalLock(live.text));
        if (!text)
            return kErrNoMemory;
        if (key == 8 && from.position > 0) {
            int start = from.position - 1;
            if (DbcsEnabled)
                start = AdjustDbcsOffset(text, 0, start, live.textLength, 1);
            if (ctrl) {
                while (start > 0 && text[start - 1] != kParagraphEnd && IsWordBreakChar(text[start], 0) &&
                       text[start] != kParagraphEnd)
                    --start;
                while (start > 0 && !IsWordBreakChar(text[start - 1], 0))
                    --start;
            }
            GlobalUnlock(live.text);
            MakeCaretPos(state, &from, start, nullptr);
            const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
            const int f = ClampIndex(FindFormatAt(start, formats, live.formatCount), live.formatCount);
            if (formats[f].start == start && IsSymbolFormat(formats[f])) {
                symbolKept = true;
                symbolFormat = formats[f];
            }
            GlobalUnlock(live.formats);
        } else if (key == 46 && to.position < live.textLength) {
            int end = to.position + 1;
            if (DbcsEnabled)
                end = AdjustDbcsOffset(text, 0, end, live.textLength, 0);
            if (ctrl) {
                while (end < live.textLength && !IsWordBreakChar(text[end], 0))
                    ++end;
                while (end < live.textLength && (text[end] == ' ' || text[end] == kTabCharacter))
                    ++end;
            }
            GlobalUnlock(live.text);
            MakeCaretPos(state, &to, end, nullptr);
            lastLine = to.line;
        } else {
            GlobalUnlock(live.text);
            if (key != 0 || empty)
                return kErrNone;
        }
    }
    const int formatsBefore = live.formatCount;
    const int removedCr = DeleteTenRange(state, from, to);
    if (symbolKept) {
        live.typingFormat = symbolFormat;
        live.typingFormatIndex = -1;
    }
    int from_ = 0;
    int to_ = 0;
    RelayoutRange(state, from.line, lastLine + (removedCr ? 1 : 0), live.formatCount != formatsBefore, &from_, &to_);
    ErrorCode code = ApplyEdit(window, state, from_, to_, flags, true, symbolKept);
    if (code == kErrNone && !symbolKept && (flags & kApplyLayout))
        SyncCaretFormat(window, state, 0);
    if (live.textLength == 0 && window && GetParent(window))
        SendMessageA(GetParent(window), TENN_EMPTIED, 0, 0);
    if (code != kErrNone)
        RevertTenUndo(state);
    return code;
}
