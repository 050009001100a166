#include "text/ten_mouse.h"

#include "text/caret_selection.h"
#include "text/ten_arrays.h"
#include "text/ten_edit.h"
#include "text/ten_focus_paint.h"
#include "text/ten_notifications.h"
#include "text/ten_paint.h"
#include "text/ten_startup.h"
#include "text/ten_state_access.h"
#include "text/text_measure.h"
#include "text/text_positions.h"

int TenMouseCapture = 0;

namespace {

CaretPos HitCaret(TenState* state, POINT client)
{
    POINT logical = client;
    if (state->windowDC)
        DPtoLP(state->windowDC, &logical, 1);
    CaretPos hit = {};
    hit.position = HitTestTenText(state, logical.x, logical.y, &hit.line, &hit.format, &hit.x);
    TenArrays arrays(&state->live);
    if (arrays.Ok() && hit.line >= 0 && hit.line < state->live.lineCount)
        hit.atLineStart = arrays.lines[hit.line].firstPosition == hit.position ? 1 : 0;
    return hit;
}

// Widens a dragged position to words, keeping the double-clicked word.
CaretPos WidenToWords(TenState* state, CaretPos hit)
{
    TenTextState& live = state->live;
    if (hit.position < live.anchor.position) {
        if (live.anchor.position == live.selectionStart.position) {
            CaretPos end = live.anchor;
            ExtendToWordBounds(state, nullptr, &end, 1);
            if (end.position != live.selectionEnd.position)
                live.selectionEnd = end;
            live.anchor = live.selectionEnd;
        }
        ExtendToWordBounds(state, &hit, nullptr, 0);
    } else {
        if (live.anchor.position == live.selectionEnd.position && live.anchor.position > 0) {
            CaretPos start = live.anchor;
            MakeCaretPos(state, &start, live.anchor.position - 1, nullptr);
            ExtendToWordBounds(state, &start, nullptr, 0);
            if (start.position != live.selectionStart.position)
                live.selectionStart = start;
            live.anchor = live.selectionStart;
        }
        ExtendToWordBounds(state, nullptr, &hit, 1);
    }
    return hit;
}

} // namespace

int HitTestTenText(TenState* state, int x, int y, int* line, int* format, int* hitX)
{
    TenTextState& live = state->live;
    TenArrays arrays(&live);
    *line = 0;
    *format = 0;
    *hitX = 0;
    if (!arrays.Ok() || live.lineCount <= 0)
        return 0;
    const TextLine& last = arrays.lines[live.lineCount - 1];
    if (y >= last.top + last.height) {
        *line = live.lineCount - 1;
        *format = live.formatCount > 0 ? live.formatCount - 1 : 0;
        *hitX = last.left + last.width;
        return live.textLength;
    }
    int index = y < state->margins.top ? 0 : FindLineAtY(arrays.lines, live.lineCount, y);
    if (index < 0)
        index = 0;
    if (index >= live.lineCount)
        index = live.lineCount - 1;
    *line = index;
    return XToPosition(state->measuringDC, state->zoom, arrays.lines[index], arrays.formats, live.formatCount,
                       arrays.runs, live.runCount, arrays.Paragraphs(), arrays.ParagraphCount(), arrays.text,
                       live.textLength, x, hitX, format);
}

int PrevTenChar(const char* text, const TextFormat* formats, int formatIndex, int position, int* previous)
{
    if (position <= 0) {
        *previous = 0;
        return 0;
    }
    int p = position - 1;
    if (DbcsEnabled && formats) {
        const int start = formats[formatIndex].start < p ? formats[formatIndex].start : 0;
        p = AdjustDbcsOffset(text, start, p, position, 1);
    }
    *previous = p;
    return static_cast<unsigned char>(text[p]);
}

int TenMouseDown(HWND window, int keys, POINT point, int doubleClick)
{
    TenStateLock lock(window);
    if (!lock)
        return 0;
    TenState* state = lock.get();
    TenTextState& live = state->live;
    if (GetFocus() != window)
        SetTenFocusState(window, state, 1);
    HWND parent = GetParent(window);
    if ((state->stateFlags & kTenWordDrag) && parent)
        SendMessageA(parent, TENN_WORDDRAGCLICK, 0, 0);
    bool selected = false;
    if (!(live.options & kTenWholeText)) {
        const CaretPos hit = HitCaret(state, point);
        HideTenCaret(window, state);
        TenMouseCapture = 1;
        SetCapture(window);
        if (doubleClick)
            state->stateFlags |= kTenWordDrag;
        else
            state->stateFlags &= ~static_cast<uint32_t>(kTenWordDrag);
        if (keys & MK_SHIFT) {
            ExtendTenSelection(window, state, hit, 1, 0);
        } else {
            if (state->windowDC && (state->stateFlags & kTenShowsFocus) &&
                live.selectionStart.position != live.selectionEnd.position)
                InvertSelection(state->windowDC, state, live.selectionStart, live.selectionEnd);
            live.anchor = hit;
            live.selectionStart = live.selectionEnd = hit;
            if (doubleClick) {
                CaretPos copy = hit;
                ExtendToWordBounds(state, &live.anchor, &copy, 1);
                live.selectionStart = live.selectionEnd = live.anchor;
                ExtendTenSelection(window, state, copy, 1, 0);
                selected = live.selectionStart.position != live.selectionEnd.position;
            }
        }
    }
    if (doubleClick && selected)
        live.options |= kTenWordSelection;
    else
        live.options &= ~static_cast<uint32_t>(kTenWordSelection);
    if (!doubleClick && parent) {
        POINT where = point;
        MapWindowPoints(window, parent, &where, 1);
        PostMessageA(parent, TENN_CLICK, static_cast<WPARAM>(keys),
                     static_cast<LPARAM>(static_cast<uint32_t>((where.x & 0xFFFF) | ((where.y & 0xFFFF) << 16))));
    }
    return 1;
}

LRESULT TenMouseMove(HWND window, int, POINT point)
{
    TenStateLock lock(window);
    if (!lock)
        return 0;
    TenState* state = lock.get();
    TenTextState& live = state->live;
    bool dragOut = false;
    if (state->stateFlags & kTenFieldMode) {
        RECT client;
        GetClientRect(window, &client);
        InflateRect(&client, 10, 4);
        dragOut = !PtInRect(&client, point);
    }
    CaretPos hit = HitCaret(state, point);
    POINT screen = point;
    ClientToScreen(window, &screen);
    HDC screenDC = GetDC(nullptr);
    const bool bottomEdge = screenDC && screen.y >= GetDeviceCaps(screenDC, VERTRES) - 1;
    if (screenDC)
        ReleaseDC(nullptr, screenDC);
    if (state->stateFlags & kTenWordDrag)
        hit = WidenToWords(state, hit);
    const bool anchorAtStart = live.anchor.position == live.selectionStart.position;
    const CaretPos& freeEnd = anchorAtStart ? live.selectionEnd : live.selectionStart;
    if (hit.position != freeEnd.position) {
        ExtendTenSelection(window, state, hit, 1, 0);
        ScrollCaretIntoView(window, state, nullptr, &hit, bottomEdge ? 1 : 0);
    } else if (bottomEdge) {
        ScrollCaretIntoView(window, state, nullptr, &hit, 1);
    }
    if (!dragOut)
        return 0;
    const LRESULT answer = SendMessageA(GetParent(window), TENN_DRAGOUT, 0,
                                        static_cast<LPARAM>(static_cast<uint32_t>(
                                            (screen.x & 0xFFFF) | ((screen.y & 0xFFFF) << 16))));
    if (answer)
        TenMouseCapture = 0;
    return answer;
}

void TenMouseUp(HWND window, int)
{
    TenStateLock lock(window);
    TenMouseCapture = 0;
    ReleaseCapture();
    if (!lock)
        return;
    TenState* state = lock.get();
    TenTextState& live = state->live;
    if (live.selectionStart.position == live.selectionEnd.position && (state->stateFlags & kTenShowsFocus))
        ShowTenCaret(window, state);
    SyncCaretFormat(window, state, 0);
    state->stateFlags &= ~static_cast<uint32_t>(kTenWordDrag);
    const bool anchorAtStart = live.anchor.position == live.selectionStart.position;
    ScrollCaretIntoView(window, state, nullptr, anchorAtStart ? &live.selectionEnd : &live.selectionStart, 0);
    if (state->undoKind != 0)
        DiscardError(SaveTenUndo(window, state, 0), "out of memory only: the editor keeps its previous undo snapshot");
}
