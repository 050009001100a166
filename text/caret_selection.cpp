#include "text/caret_selection.h"

#include "common/mapping.h"
#include "common/scroll_helpers.h"
#include "text/format_records.h"
#include "text/font_list.h"
#include "text/ten_edit.h"
#include "text/ten_notifications.h"
#include "text/ten_paint.h"
#include "text/ten_startup.h"
#include "text/text_measure.h"
#include "text/text_positions.h"

int SelectionStateNotified = -1;
int ScriptSummary = -9;

namespace {

bool IsBlank(char c) { return c == ' ' || c == kHardSpace || c == kTabCharacter; }

int LineEnd(const TextLine& line) { return line.firstPosition + line.length; }

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

} // namespace

int FindLineOfPosition(int position, const TextLine* lines, int lineCount)
{
    int low = 0;
    int high = lineCount - 1;
    int found = 0;
    while (low <= high) {
        const int middle = (low + high) / 2;
        if (lines[middle].firstPosition <= position) {
            found = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return found;
}

int MakeCaretPosLocked(TenState* state, const TenArrays& arrays, CaretPos* caret, int position)
{
    const TenTextState& live = state->live;
    if (position < 0)
        position = 0;
    if (position > live.textLength)
        position = live.textLength;
    const int line = FindLineOfPosition(position, arrays.lines, live.lineCount);
    caret->position = position;
    caret->line = line;
    caret->atLineStart = arrays.lines[line].firstPosition == position ? 1 : 0;
    int format = 0;
    caret->x = PositionToX(state, arrays, line, position, &format);
    caret->format = format;
    return 0;
}

int MakeCaretPos(TenState* state, CaretPos* caret, int position, int* formatIndex)
{
    TenArrays arrays(&state->live);
    if (!arrays.Ok() || state->live.lineCount <= 0)
        return 0;
    MakeCaretPosLocked(state, arrays, caret, position);
    if (formatIndex)
        *formatIndex = caret->format;
    return 0;
}

int RefreshCaretPositions(HWND window, TenState* state)
{
    TenTextState& live = state->live;
    {
        TenArrays arrays(&live);
        if (!arrays.Ok() || live.lineCount <= 0)
            return 0;
        const bool anchorAtStart = live.anchor.position == live.selectionStart.position;
        MakeCaretPosLocked(state, arrays, &live.selectionStart, live.selectionStart.position);
        MakeCaretPosLocked(state, arrays, &live.selectionEnd, live.selectionEnd.position);
        live.anchor = anchorAtStart ? live.selectionStart : live.selectionEnd;
    }
    if (live.selectionStart.position == live.selectionEnd.position && (state->stateFlags & kTenShowsFocus))
        ShowTenCaret(window, state);
    return 0;
}

int ShowTenCaret(HWND window, TenState* state)
{
    TenTextState& live = state->live;
    DestroyCaret();
    const auto* lines = static_cast<const TextLine*>(GlobalLock(live.lines));
    if (!lines)
        return 0;
    int line = live.selectionStart.line;
    if (line < 0 || line >= live.lineCount)
        line = 0;
    state->caretX = live.selectionStart.x;
    state->caretTop = lines[line].top;
    state->caretHeight = lines[line].height;
    GlobalUnlock(live.lines);
    if (!window)
        return 0;
    // The class keeps its own DC with the editor's mapping, and the system
    // reads a CS_OWNDC window's caret size and place in that DC's logical
    // units: converting them here would make the caret a speck near the origin.
    SIZE size = {state->unitsPerInch * 2 / 100, state->caretHeight};
    const POINT where = {state->caretX, state->caretTop};
    if (size.cx < 1)
        size.cx = 1;
    CreateCaret(window, nullptr, size.cx, size.cy);
    SetCaretPos(where.x, where.y);
    ShowCaret(window);
    return 0;
}

void HideTenCaret(HWND, TenState*)
{
    DestroyCaret();
}

int IsWordBreakChar(int character, int fieldMode)
{
    const int c = character & 0xFF;
    if (c == kSoftHyphen || c == '\'')
        return 0;
    if (c == '.')
        return fieldMode ? 0 : 1;
    if (c == 210 || c == 211 || c == 212)
        return 1;
    return IsCharAlphaNumericA(static_cast<CHAR>(c)) ? 0 : 1;
}

int ExtendToWordBounds(TenState* state, CaretPos* back, CaretPos* forward, int skipBlanks)
{
    TenTextState& live = state->live;
    TenArrays arrays(&live);
    if (!arrays.Ok())
        return 0;
    const char* text = arrays.text;
    const int length = live.textLength;
    const int fieldMode = (state->stateFlags & kTenFieldMode) ? 1 : 0;
    if (back) {
        int p = back->position < length - 1 ? back->position : length - 1;
        int start = p < 0 ? 0 : p;
        if (p >= 0 && IsWordBreakChar(text[p], fieldMode) && !IsBlank(text[p]) && text[p] != kParagraphEnd) {
            start = p;
        } else {
            bool passedWord = false;
            int i = p;
            for (; i >= 0; --i) {
                const bool breaks = text[i] == kParagraphEnd || IsWordBreakChar(text[i], fieldMode);
                if (breaks && passedWord)
                    break;
                if (!breaks)
                    passedWord = true;
            }
            start = passedWord ? i + 1 : back->position;
        }
        if (DbcsEnabled)
            start = AdjustDbcsOffset(text, 0, start, length, 1);
        MakeCaretPosLocked(state, arrays, back, start);
    }
    if (forward) {
        int p = forward->position;
        if (p < length && text[p] == kParagraphEnd) {
            ++p;
        } else {
            while (p < length && text[p] != kParagraphEnd && !IsWordBreakChar(text[p], fieldMode))
                ++p;
            if (skipBlanks) {
                while (p < length && IsBlank(text[p]))
                    ++p;
            }
        }
        if (p > length)
            p = length;
        if (DbcsEnabled)
            p = AdjustDbcsOffset(text, 0, p, length, 0);
        MakeCaretPosLocked(state, arrays, forward, p);
    }
    return 0;
}

void ExtendTenSelection(HWND window, TenState* state, const CaretPos& freeEnd, int paint, int)
{
    TenTextState& live = state->live;
    const bool anchorAtStart = live.anchor.position == live.selectionStart.position;
    HDC dc = (paint && state->windowDC && (state->stateFlags & kTenShowsFocus)) ? state->windowDC : nullptr;
    if (dc)
        InvertSelection(dc, state, live.selectionStart, live.selectionEnd);
    if (freeEnd.position >= live.anchor.position) {
        live.selectionStart = live.anchor;
        live.selectionEnd = freeEnd;
    } else {
        live.selectionStart = freeEnd;
        live.selectionEnd = live.anchor;
    }
    (void)anchorAtStart;
    if (dc)
        InvertSelection(dc, state, live.selectionStart, live.selectionEnd);
    (void)window;
}

int MoveCaret(HWND window, TenState* state, int dx, int dy, int word)
{
    TenTextState& live = state->live;
    const bool shift = KeyDown(VK_SHIFT);
    bool byWord = word || KeyDown(VK_CONTROL);
    CaretPos target = {};
    {
        TenArrays arrays(&live);
        if (!arrays.Ok() || live.lineCount <= 0)
            return 0;
        const char* text = arrays.text;
        const int length = live.textLength;
        const bool anchorAtStart = live.anchor.position == live.selectionStart.position;
        CaretPos active = anchorAtStart ? live.selectionEnd : live.selectionStart;
        if (!shift && live.selectionStart.position != live.selectionEnd.position) {
            if (state->windowDC && (state->stateFlags & kTenShowsFocus))
                InvertSelection(state->windowDC, state, live.selectionStart, live.selectionEnd);
            const CaretPos collapsed = (dx <= 0 && dy <= 0) ? live.selectionStart : live.selectionEnd;
            live.selectionStart = live.selectionEnd = live.anchor = collapsed;
            active = collapsed;
            if (dy == 0 && (dx == 1 || dx == -1)) {
                target = collapsed;
                goto placed;
            }
        }
        {
            int position = active.position;
            int line = active.line;
            bool vertical = dx == 0 && dy != 0;
            int reachedX = active.x;
            int formatIndex = active.format;
            if (vertical) {
                byWord = false;
                line += dy > 0 ? 1 : -1;
                if (line < 0)
                    line = 0;
                if (line > live.lineCount - 1)
                    line = live.lineCount - 1;
                position = XToPosition(state->measuringDC, state->zoom, arrays.lines[line], arrays.formats,
                                       live.formatCount, arrays.runs, live.runCount, arrays.Paragraphs(),
                                       arrays.ParagraphCount(), text, length, active.x, &reachedX, &formatIndex);
            } else if (dy != 0 || dx == 0) {
                if (dy >= 1) {
                    position = dx <= 0 ? arrays.lines[line].firstPosition : LineEnd(arrays.lines[line]);
                } else {
                    line = dx <= 0 ? 0 : live.lineCount - 1;
                    position = dx <= 0 ? 0 : length;
                }
            } else {
                bool paragraphEnd = false;
                int stepped = position + dx;
                if (stepped < 0)
                    stepped = 0;
                if (stepped > length)
                    stepped = length;
                if (DbcsEnabled)
                    stepped = AdjustDbcsOffset(text, 0, stepped, length, dx < 0);
                if (dx < 0 && stepped < length && text[stepped] == kParagraphEnd)
                    paragraphEnd = true;
                if (dx > 0 && position < length && text[position] == kParagraphEnd)
                    paragraphEnd = true;
                if (byWord && !paragraphEnd) {
                    int p = position;
                    if (dx < 0) {
                        while (p > 0 && IsWordBreakChar(text[p - 1], 0) && text[p - 1] != kParagraphEnd)
                            --p;
                        while (p > 0 && !IsWordBreakChar(text[p - 1], 0))
                            --p;
                        if (p < position)
                            stepped = p;
                    } else {
                        while (p < length && text[p] != kParagraphEnd && !IsWordBreakChar(text[p], 0))
                            ++p;
                        while (p < length && IsBlank(text[p]))
                            ++p;
                        if (p > position)
                            stepped = p;
                    }
                }
                position = stepped;
                const TextLine& current = arrays.lines[line];
                if (position < current.firstPosition) {
                    if (line > 0) {
                        --line;
                        const int end = LineEnd(arrays.lines[line]);
                        if (position > end)
                            position = end;
                    } else {
                        position = current.firstPosition;
                    }
                } else if (position > LineEnd(current) ||
                           (position == LineEnd(current) && !(current.flags & kLineEndsParagraph) &&
                            !(shift && dx > 0))) {
                    if (line < live.lineCount - 1) {
                        ++line;
                        position = arrays.lines[line].firstPosition;
                    } else if (position > LineEnd(current)) {
                        position = LineEnd(current);
                    }
                }
            }
            target.position = position;
            target.line = line;
            target.atLineStart = arrays.lines[line].firstPosition == position ? 1 : 0;
            if (vertical) {
                target.x = reachedX;
                target.format = formatIndex;
            } else {
                int format = 0;
                target.x = PositionToX(state, arrays, line, position, &format);
                target.format = format;
            }
        }
    placed:;
    }
    HideTenCaret(window, state);
    if (!shift)
        live.anchor = target;
    if (live.anchor.position == target.position) {
        if (live.selectionStart.position != live.selectionEnd.position && state->windowDC &&
            (state->stateFlags & kTenShowsFocus))
            InvertSelection(state->windowDC, state, live.selectionStart, live.selectionEnd);
        live.selectionStart = live.selectionEnd = live.anchor = target;
        if (state->stateFlags & kTenShowsFocus)
            ShowTenCaret(window, state);
    } else {
        ExtendTenSelection(window, state, target, 1, 0);
    }
    SyncCaretFormat(window, state, 0);
    ScrollCaretIntoView(window, state, nullptr, &live.selectionStart, 0);
    if (state->undoKind != 0)
        DiscardError(SaveTenUndo(window, state, 0), "out of memory only: the editor keeps its previous undo snapshot");
    if (byWord && live.selectionStart.position != live.selectionEnd.position)
        live.options |= kTenWordSelection;
    else
        live.options &= ~static_cast<uint32_t>(kTenWordSelection);
    return 0;
}

void SyncCaretFormat(HWND window, TenState* state, int flags)
{
    TenTextState& live = state->live;
    TenArrays arrays(&live);
    if (!arrays.Ok() || live.formatCount <= 0)
        return;
    const TextFormat* formats = arrays.formats;
    const bool empty = live.selectionStart.position == live.selectionEnd.position;
    HWND parent = window ? GetParent(window) : nullptr;
    // A quiet editor leaves the selection news of the editor the user sees as they are.
    const bool quiet = (state->stateFlags & kTenQuiet) != 0;
    const bool post = parent && !(flags & kSyncNoPost) && !quiet;
    int index = 0;
    int styleAnd = 0;
    int styleOr = 0;
    int summary = 0;
    const int lastFormat = live.formatCount - 1;
    auto clamp = [&](int i) { return i < 0 ? 0 : (i > lastFormat ? lastFormat : i); };
    if (empty) {
        if (post && SelectionStateNotified != 0)
            PostMessageA(parent, TENN_SELCHANGE, 0, 0);
        if (!quiet)
            SelectionStateNotified = 0;
        const int position = live.selectionStart.position;
        index = clamp(FindFormatAt(position, formats, live.formatCount));
        if (index > 0 && formats[index].start == position &&
            !(position > 0 && arrays.text[position - 1] == kParagraphEnd) && !IsSymbolFormat(formats[index - 1]))
            index -= 1;
        styleAnd = styleOr = formats[index].style;
        summary = formats[index].script;
    } else {
        if (post && SelectionStateNotified != 1)
            PostMessageA(parent, TENN_SELCHANGE, 1, 0);
        if (!quiet)
            SelectionStateNotified = 1;
        index = clamp(live.selectionStart.format);
        int last = clamp(live.selectionEnd.format);
        if (last > index && formats[last].start == live.selectionEnd.position)
            --last;
        styleAnd = ~0;
        bool super = false, sub = false, normal = false;
        for (int i = index; i <= last; ++i) {
            styleAnd &= formats[i].style;
            styleOr |= formats[i].style;
            if (formats[i].script > 0)
                super = true;
            else if (formats[i].script < 0)
                sub = true;
            else
                normal = true;
        }
        if (super && sub)
            summary = -5;
        else if (super)
            summary = normal ? -3 : 1;
        else if (sub)
            summary = normal ? -2 : -1;
        else
            summary = 0;
    }
    const TextFormat& chosen = formats[index];
    TextFormat& current = live.typingFormat;
    const bool force = (flags & kSyncForce) || index != live.typingFormatIndex;
    const bool store = !(flags & kSyncNoStore);
    if (store)
        live.typingFormatIndex = index;
    int charMask = 0;
    int paraMask = 0;
    if (force || chosen.face != current.face) {
        charMask |= 4;
        if (store) {
            current.face = chosen.face;
            UpdateSymbolFlag(state, &current);
        }
    }
    if (force || chosen.paragraphIndex != current.paragraphIndex) {
        paraMask |= 0x80;
        if (store)
            current.paragraphIndex = chosen.paragraphIndex;
    }
    if (force || chosen.script != current.script || summary != ScriptSummary) {
        paraMask |= 0x40;
        if (store)
            current.script = chosen.script;
    }
    if (force || chosen.flags != current.flags || chosen.hyphenation != current.hyphenation) {
        paraMask |= 0x100;
        if (store) {
            current.flags = chosen.flags;
            current.hyphenation = chosen.hyphenation;
        }
    }
    if (force || chosen.size != current.size) {
        paraMask |= 8;
        if (store) {
            current.size = chosen.size;
            current.requestedSize = chosen.requestedSize;
        }
    }
    if (force || chosen.style != current.style || styleAnd != styleOr) {
        charMask |= 0x10;
        if (store)
            current.style = chosen.style;
    }
    if (store) {
        current.color = chosen.color;
        current.hyphenation = chosen.hyphenation;
        current.ascent = chosen.ascent;
        current.height = chosen.height;
        current.averageWidth = chosen.averageWidth;
        current.overhang = chosen.overhang;
        current.font = chosen.font;
    }
    if (!quiet)
        ScriptSummary = summary;
    if (!post)
        return;
    if (charMask) {
        const int listIndex = FontTableSlotValue(state->fontTable, chosen.face);
        const LPARAM packed = static_cast<LPARAM>((chosen.style & 0xFF) | (((styleAnd ^ styleOr) & 0xFF) << 8) |
                                                  ((listIndex & 0xFFFF) << 16));
        PostMessageA(parent, TENN_CHARFORMAT, static_cast<WPARAM>(charMask), packed);
    }
    if (paraMask) {
        int flagByte = static_cast<int>(chosen.flags & 0x7F) | (chosen.hyphenation ? 0x80 : 0);
        const LPARAM packed = static_cast<LPARAM>((flagByte & 0xFF) | ((chosen.size & 0xFF) << 8) |
                                                  ((chosen.paragraphIndex & 0xFF) << 16) |
                                                  ((summary & 0xFF) << 24));
        // One byte cannot hold up to 500 paragraph records: the whole index
        // rides in the high word of wParam beside the change mask.
        const WPARAM maskAndIndex =
            static_cast<WPARAM>(static_cast<uint32_t>(paraMask & 0xFFFF) |
                                (static_cast<uint32_t>(chosen.paragraphIndex & 0xFFFF) << 16));
        PostMessageA(parent, TENN_PARAFORMAT, maskAndIndex, packed);
    }
}

LONG ScrollCaretIntoView(HWND window, TenState* state, const TextLine* lines, const CaretPos* caret, int force)
{
    TenTextState& live = state->live;
    if (!window)
        return 0;
    const TextLine* lockedLines = lines ? lines : static_cast<const TextLine*>(GlobalLock(live.lines));
    if (!lockedLines)
        return 0;
    const int units = state->unitsPerInch > 0 ? state->unitsPerInch : 600;
    const int margin = units * 10 / 100;
    RECT r;
    if (caret) {
        int x = caret->x < live.boxWidth - 2 ? caret->x : live.boxWidth - 2;
        const TextLine& line = lockedLines[caret->line < live.lineCount ? caret->line : live.lineCount - 1];
        r.left = x;
        r.right = x + 1;
        r.top = line.top < live.boxHeight - 2 ? line.top : live.boxHeight - 2;
        r.bottom = line.top + line.height < live.boxHeight - 2 ? line.top + line.height : live.boxHeight - 2;
    } else {
        r.left = live.selectionStart.x < live.selectionEnd.x ? live.selectionStart.x : live.selectionEnd.x + 1;
        r.right = live.selectionStart.x < live.selectionEnd.x ? live.selectionEnd.x + 1 : live.selectionStart.x;
        r.top = lockedLines[live.selectionStart.line].top;
        r.bottom = lockedLines[live.selectionEnd.line].top + lockedLines[live.selectionEnd.line].height;
    }
    const int firstHeight = lockedLines[0].height;
    const bool endOnLastLine = live.selectionEnd.line >= live.lineCount - 1;
    if (!lines)
        GlobalUnlock(live.lines);
    const RECT& v = state->visibleArea;
    int dx = 0;
    int dy = 0;
    const bool inside = r.left >= v.left && r.right <= v.right && r.top >= v.top && r.bottom <= v.bottom;
    if (inside) {
        if (!force)
            return 0;
        if (!endOnLastLine)
            dy = -firstHeight;
    } else {
        if (v.left != r.left && r.left < v.left + margin) {
            dx = v.left - r.left;
            if (dx != 0)
                dx += margin;
        }
        if (v.right != r.right && r.right > v.right - margin) {
            dx = v.right - r.right;
            if (dx != 0)
                dx -= margin;
        }
        if (r.bottom > v.bottom) {
            dy = v.bottom - r.bottom;
            if (dy == 0 && force)
                dy = -firstHeight;
        }
        if (r.top < v.top)
            dy = v.top - r.top + 4;
        if (force && dy > -firstHeight)
            dy = -firstHeight;
    }
    SIZE amount = {dx, dy};
    if (state->windowDC)
        LogicalToDeviceSize(state->windowDC, &amount);
    if (state->stateFlags & kTenScrollNotify1)
        amount.cx = 0;
    if (state->stateFlags & kTenScrollNotify2)
        amount.cy = 0;
    HWND parent = GetParent(window);
    if (!parent || (amount.cx == 0 && amount.cy == 0))
        return 0;
    if (!(state->stateFlags & kTenFieldMode)) {
        int low = 0, high = 0;
        GetScrollRangeCompat(parent, SB_HORZ, &low, &high);
        const int hpos = GetScrollPos(parent, SB_HORZ);
        if (hpos - amount.cx < 0)
            amount.cx = hpos;
        if (hpos - amount.cx > high)
            amount.cx = hpos - high;
        GetScrollRangeCompat(parent, SB_VERT, &low, &high);
        const int vpos = GetScrollPos(parent, SB_VERT);
        if (vpos - amount.cy < 0)
            amount.cy = vpos;
        if (vpos - amount.cy > high)
            amount.cy = vpos - high;
    }
    if (amount.cx != 0)
        SendMessageA(parent, WM_HSCROLL, MAKEWPARAM(kTenScrollCode, static_cast<WORD>(-amount.cx)), 0);
    if (amount.cy != 0)
        SendMessageA(parent, WM_VSCROLL, MAKEWPARAM(kTenScrollCode, static_cast<WORD>(-amount.cy)), 0);
    return MAKELONG(static_cast<WORD>(-amount.cx), static_cast<WORD>(-amount.cy));
}
