#include "text/ten_focus_paint.h"

#include "common/color_helpers.h"
#include "text/break_areas.h"
#include "text/caret_selection.h"
#include "text/ten_arrays.h"
#include "text/ten_paint.h"
#include "text/ten_startup.h"
#include "text/text_measure.h"
#include "text/text_paint.h"

namespace {

bool SelectionEmpty(const TenState* state)
{
    return state->live.selectionStart.position == state->live.selectionEnd.position;
}

void PaintBackground(HWND window, TenState* state, HDC dc, const RECT& area)
{
    if (state->backgroundCallback) {
        state->backgroundCallback(window, dc, state);
        return;
    }
    HBRUSH brush = CreateSolidBrush(MapOutputColor(dc, state->backgroundColor, 0));
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void PaintBars(TenState* state, HDC dc, const RECT& area)
{
    BreakAreaView view(state);
    if (!view)
        return;
    const TextBreakArea* areas = view.areas();
    const int width = state->live.boxWidth;
    bool fontChosen = false;
    auto choose = [&]() {
        if (!fontChosen && TenDefaultFont)
            SelectObject(dc, TenDefaultFont);
        fontChosen = true;
    };
    for (int i = 0; i < view.count() - 1; ++i) {
        const int y = areas[i].bottomReached;
        if (y > area.bottom)
            break;
        if (y + BreakBarHeight >= area.top) {
            choose();
            DrawBreakBar(state, dc, i, y, width);
        }
    }
    const int last = areas[view.count() - 1].bottomReached;
    if (last <= area.bottom && last + BreakBarHeight >= area.top) {
        choose();
        DrawBreakBar(state, dc, -1, last, width);
    }
}

} // namespace

void SetTenFocusState(HWND window, TenState* state, int gained)
{
    // A word drag captures the mouse; focus shuffles then mean nothing.
    if (state->stateFlags & kTenWordDrag)
        return;
    TenTextState& live = state->live;
    if (gained) {
        if (!(state->stateFlags & kTenShowsFocus)) {
            state->stateFlags |= kTenShowsFocus;
            if (SelectionEmpty(state))
                ShowTenCaret(window, state);
            else if (state->windowDC)
                InvertSelection(state->windowDC, state, live.selectionStart, live.selectionEnd);
        }
        if (!IsWindowEnabled(window))
            EnableWindow(window, TRUE);
        if (GetFocus() != window)
            SetFocus(window);
        return;
    }
    if (!(state->stateFlags & kTenShowsFocus))
        return;
    if (SelectionEmpty(state))
        HideTenCaret(window, state);
    else if (state->windowDC)
        InvertSelection(state->windowDC, state, live.selectionStart, live.selectionEnd);
    state->stateFlags &= ~static_cast<uint32_t>(kTenShowsFocus);
}

void PaintTenWindow(HWND window, TenState* state, HDC dc, const RECT& paintRect)
{
    TenTextState& live = state->live;
    RECT area = paintRect;
    if (state->zoom > 1000)
        InflateRect(&area, 1, 1);
    DPtoLP(dc, reinterpret_cast<POINT*>(&area), 2);
    HideCaret(window);
    TenArrays arrays(&live);
    const int saved = SaveDC(dc);
    if (state->palette) {
        SelectPalette(dc, state->palette, FALSE);
        RealizePalette(dc);
    }
    PaintBackground(window, state, dc, area);
    IntersectClipRect(dc, state->margins.left, state->margins.top, live.boxWidth - state->margins.right,
                      live.boxHeight - state->margins.bottom);
    if (arrays.Ok() && live.lineCount > 0) {
        int first = FindLineAtY(arrays.lines, live.lineCount, area.top);
        int last = FindLineAtY(arrays.lines, live.lineCount, area.bottom) + 2;
        if (first < 0)
            first = 0;
        if (last > live.lineCount)
            last = live.lineCount;
        TextPaintOptions options = {};
        options.measuringDC = state->measuringDC;
        options.fit = state->zoom;
        options.fontList = state->fontList;
        options.fontTable = state->fontTable;
        options.editor = 1;
        options.unitsPerInch = state->unitsPerInch > 0 ? state->unitsPerInch : 600;
        const TextLinesView view = TenLinesView(state, arrays);
        if (state->effect.kind != 0)
            DrawTextLinesWithEffect(dc, view, first, last, options, state->effect);
        else
            DrawTextLines(dc, view, first, last, options);
    }
    PaintBars(state, dc, area);
    ShowCaret(window);
    if ((state->stateFlags & kTenShowsFocus) && !SelectionEmpty(state))
        InvertSelection(dc, state, live.selectionStart, live.selectionEnd);
    RestoreDC(dc, saved);
}
