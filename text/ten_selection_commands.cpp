#include "text/ten_selection_commands.h"

#include "text/caret_selection.h"
#include "text/ten_arrays.h"
#include "text/ten_messages.h"
#include "text/ten_paint.h"
#include "text/text_measure.h"
#include "text/text_positions.h"

namespace {

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

void RepaintAll(HWND window, TenState* state)
{
    if (window && IsWindowVisible(window)) {
        PaintTextLines(window, state, 0, state->live.lineCount, 0);
        ScrollCaretIntoView(window, state, nullptr, &state->live.selectionStart, 0);
    }
    SyncCaretFormat(window, state, 0);
}

bool StartsWord(const char* text, int length, int position)
{
    if (position >= length || IsWordBreakChar(text[position], 0) || text[position] == kParagraphEnd)
        return false;
    return position == 0 || IsWordBreakChar(text[position - 1], 0) || text[position - 1] == kParagraphEnd;
}

} // namespace

int SetTenSelection(HWND window, TenState* state, WPARAM flags, int start, int end)
{
    TenTextState& live = state->live;
    if (flags & 0x4000) {
        start = 0;
        TenArrays arrays(&live);
        if (arrays.Ok() && live.lineCount >= 4)
            start = arrays.lines[live.lineCount - 4].firstPosition;
        end = start;
    }
    HideTenCaret(window, state);
    if (state->windowDC && (state->stateFlags & kTenShowsFocus) &&
        live.selectionStart.position != live.selectionEnd.position)
        InvertSelection(state->windowDC, state, live.selectionStart, live.selectionEnd);
    start = Clamp(start, 0, live.textLength);
    end = Clamp(end, 0, live.textLength);
    live.anchor.position = live.selectionStart.position = start;
    live.selectionEnd.position = end;
    RefreshCaretPositions(window, state);
    if (state->windowDC && (state->stateFlags & kTenShowsFocus) && start != end)
        InvertSelection(state->windowDC, state, live.selectionStart, live.selectionEnd);
    if (flags & 2)
        RepaintAll(window, state);
    return 0;
}

int SelectTenWord(HWND window, TenState* state, int direction)
{
    TenTextState& live = state->live;
    if (live.lineCount <= 0)
        return 0;
    if (live.selectionStart.position != live.selectionEnd.position) {
        const int keep = direction > 0 ? live.selectionEnd.position : live.selectionStart.position;
        SetTenSelection(window, state, 0, keep, keep);
    }
    {
        TenArrays arrays(&live);
        if (!arrays.Ok())
            return 0;
        const bool stay = direction > 0 && StartsWord(arrays.text, live.textLength, live.selectionStart.position);
        int p = live.selectionStart.position;
        if (!stay) {
            if (direction > 0) {
                while (p < live.textLength && !IsWordBreakChar(arrays.text[p], 0))
                    ++p;
                while (p < live.textLength && IsWordBreakChar(arrays.text[p], 0) && arrays.text[p] != kParagraphEnd)
                    ++p;
            } else {
                while (p > 0 && IsWordBreakChar(arrays.text[p - 1], 0))
                    --p;
                while (p > 0 && !IsWordBreakChar(arrays.text[p - 1], 0))
                    --p;
            }
            while (p < live.textLength && arrays.text[p] == kParagraphEnd) {
                ++p;
                while (p < live.textLength && IsWordBreakChar(arrays.text[p], 0) && arrays.text[p] != kParagraphEnd)
                    ++p;
            }
        }
        MakeCaretPosLocked(state, arrays, &live.anchor, p);
        live.selectionStart = live.selectionEnd = live.anchor;
    }
    HideTenCaret(window, state);
    CaretPos end = live.selectionEnd;
    ExtendToWordBounds(state, nullptr, &end, 1);
    if (end.position == live.selectionEnd.position && end.position < live.textLength)
        MakeCaretPos(state, &end, end.position + 1, nullptr);
    ExtendTenSelection(window, state, end, 1, 0);
    RefreshCaretPositions(window, state);
    if (live.selectionStart.position != live.selectionEnd.position)
        live.options |= kTenWordSelection;
    SyncCaretFormat(window, state, 0);
    ScrollCaretIntoView(window, state, nullptr, &live.selectionEnd, 0);
    return 0;
}

LRESULT SelectTenParagraphs(HWND window, TenState* state, int flags)
{
    TenTextState& live = state->live;
    if (live.textLength > 0) {
        int start = live.selectionStart.position;
        int end = live.selectionEnd.position;
        {
            TenArrays arrays(&live);
            if (!arrays.Ok())
                return PackTenPair(start, end);
            const char* text = arrays.text;
            while (start > 0 && text[start - 1] != kParagraphEnd)
                --start;
            if (!(end > start && text[end - 1] == kParagraphEnd)) {
                while (end < live.textLength && text[end] != kParagraphEnd)
                    ++end;
                if (end < live.textLength)
                    ++end;
            }
        }
        HideTenCaret(window, state);
        if (state->windowDC && (state->stateFlags & kTenShowsFocus) &&
            live.selectionStart.position != live.selectionEnd.position)
            InvertSelection(state->windowDC, state, live.selectionStart, live.selectionEnd);
        live.anchor.position = live.selectionStart.position = start;
        live.selectionEnd.position = end;
        RefreshCaretPositions(window, state);
        if (flags & 2)
            RepaintAll(window, state);
    }
    return PackTenPair(live.selectionStart.position, live.selectionEnd.position);
}

int CaretToVisibleLine(HWND window, TenState* state)
{
    TenTextState& live = state->live;
    int position = 0;
    {
        TenArrays arrays(&live);
        if (!arrays.Ok() || live.lineCount <= 0)
            return 0;
        const int x = live.selectionStart.position == live.selectionEnd.position ? live.selectionStart.x : 0;
        int line = FindLineAtY(arrays.lines, live.lineCount, state->visibleArea.top);
        line = Clamp(line, 0, live.lineCount - 1);
        int reached = 0;
        int format = 0;
        position = XToPosition(state->measuringDC, state->zoom, arrays.lines[line], arrays.formats, live.formatCount,
                               arrays.runs, live.runCount, arrays.Paragraphs(), arrays.ParagraphCount(), arrays.text,
                               live.textLength, x, &reached, &format);
    }
    SendMessageA(window, TENM_SETSEL, 2, PackTenPair(position, position));
    return 0;
}
