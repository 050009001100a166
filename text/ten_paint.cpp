#include "text/ten_paint.h"

#include <cstdio>
#include <cstring>

#include "common/color_helpers.h"
#include "common/display_flags.h"
#include "common/mapping.h"
#include "text/break_areas.h"
#include "text/ten_startup.h"
#include "text/text_measure.h"

TextLinesView TenLinesView(const TenState* state, const TenArrays& arrays)
{
    const TenTextState& live = state->live;
    TextLinesView view = {};
    view.lines = arrays.lines;
    view.lineCount = live.lineCount;
    view.formats = arrays.formats;
    view.formatCount = live.formatCount;
    view.text = arrays.text;
    view.textLength = live.textLength;
    view.paragraphs = arrays.Paragraphs();
    view.paragraphCount = arrays.ParagraphCount();
    view.runs = arrays.runs;
    view.runCount = live.runCount;
    return view;
}

void DrawBreakBar(TenState* state, HDC dc, int areaIndex, int y, int width)
{
    RECT bar = {0, y, width, y + BreakBarHeight};
    char label[32] = "";
    if (areaIndex >= 0) {
        FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
        std::snprintf(label, sizeof(label), "%d", areaIndex + 2);
        SetTextColor(dc, RGB(0, 0, 0));
    } else {
        FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetTextColor(dc, RGB(255, 255, 255));
        state->paintedBarBottom = bar.bottom;
    }
    const int length = static_cast<int>(std::strlen(label));
    if (length > 0) {
        SIZE extent = {};
        GetTextExtentPoint32A(dc, label, length, &extent);
        int x = (width - extent.cx) / 2;
        if (x < 4)
            x = 4;
        TextOutA(dc, x, y + BreakBarTextOffset + 1, label, length);
    }
}

void DrawBreakBars(TenState* state, HDC dc, const BreakAreaView& view, int stripTop, int stripBottom)
{
    const TextBreakArea* areas = view.areas();
    const int count = view.count();
    const int width = state->live.boxWidth;
    HGDIOBJ oldFont = TenDefaultFont ? SelectObject(dc, TenDefaultFont) : nullptr;
    const COLORREF oldColor = GetTextColor(dc);
    for (int i = 0; i + 1 < count && areas[i].bottomReached <= stripBottom; ++i) {
        if (areas[i].bottomReached + BreakBarHeight > stripTop - 50)
            DrawBreakBar(state, dc, i, areas[i].bottomReached, width);
    }
    const int endBar = areas[count - 1].bottomReached;
    if (endBar < stripBottom && endBar >= stripTop - BreakBarHeight)
        DrawBreakBar(state, dc, -1, endBar, width);
    SetTextColor(dc, oldColor);
    if (oldFont)
        SelectObject(dc, oldFont);
}

void InvertSelection(HDC dc, TenState* state, const CaretPos& start, const CaretPos& end)
{
    TenTextState& live = state->live;
    if (!dc || start.position == end.position)
        return;
    TenArrays arrays(&live);
    if (!arrays.Ok() || live.lineCount <= 0)
        return;
    const int units = state->unitsPerInch > 0 ? state->unitsPerInch : 600;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, state->margins.left, state->margins.top, live.boxWidth - state->margins.right,
                      live.boxHeight - state->margins.bottom);
    auto band = [&](int li, int* top, int* bottom) {
        const TextLine& line = arrays.lines[li];
        *top = line.top;
        const bool last = li >= live.lineCount - 1;
        *bottom = (last || (arrays.lines[li + 1].flags & kLineFirstOfLaterArea)) ? line.top + line.height
                                                                                 : arrays.lines[li + 1].top;
    };
    auto fullRight = [&](int li) {
        const TextLine& line = arrays.lines[li];
        int right = line.left + line.justifiedWidth;
        const int next = line.firstPosition + line.length;
        if ((line.flags & kLineEndsParagraph) && next < live.textLength && arrays.text[next] == kParagraphEnd)
            right += units * 5 / 100;
        return right;
    };
    const int first = start.line < 0 ? 0 : start.line;
    const int last = end.line > live.lineCount - 1 ? live.lineCount - 1 : end.line;
    for (int li = first; li <= last; ++li) {
        int top = 0;
        int bottom = 0;
        band(li, &top, &bottom);
        RECT r = {arrays.lines[li].left, top, fullRight(li), bottom};
        if (li == first)
            r.left = start.x;
        if (li == first && first == last)
            r.right = end.x;
        else if (li == last && li != first) {
            if (end.x <= arrays.lines[li].left)
                continue;
            r.right = end.x;
        }
        if (r.right > r.left)
            InvertRect(dc, &r);
    }
    RestoreDC(dc, saved);
}

namespace {

// Puts a DC into plain pixels for a copy; the caller restores it.
void UsePixels(HDC dc)
{
    SetMapMode(dc, MM_TEXT);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
}

// BitBlt maps its source point through the source DC as well: both DCs carry
// the zoom mapping, so the copy is made in pixels on both sides, or the strip
// is read from the wrong place of the bitmap (nothing, or its black rest).
void CopyStripToWindow(HWND window, TenState* state, HDC strip, POINT from, POINT to)
{
    POINT stripFrom = from;
    POINT stripTo = to;
    LPtoDP(strip, &stripFrom, 1);
    LPtoDP(strip, &stripTo, 1);
    POINT windowFrom = from;
    LPtoDP(state->windowDC, &windowFrom, 1);
    HideCaret(window);
    const int savedWindow = SaveDC(state->windowDC);
    const int savedStrip = SaveDC(strip);
    UsePixels(state->windowDC);
    UsePixels(strip);
    BitBlt(state->windowDC, windowFrom.x, windowFrom.y, stripTo.x - stripFrom.x, stripTo.y - stripFrom.y, strip,
           stripFrom.x, stripFrom.y, SRCCOPY);
    RestoreDC(strip, savedStrip);
    RestoreDC(state->windowDC, savedWindow);
    ShowCaret(window);
}

} // namespace

void PaintTextLines(HWND window, TenState* state, int firstLine, int endLine, int whole)
{
    TenTextState& live = state->live;
    HDC dc = state->offscreenDC;
    if (!dc)
        return;
    TenArrays arrays(&live);
    if (!arrays.Ok())
        return;
    if (endLine > live.lineCount)
        endLine = live.lineCount;
    if (firstLine < 0)
        firstLine = 0;
    if (endLine <= 0 || firstLine >= endLine)
        return;
    if (state->stateFlags & kTenRepaintWholeBox)
        whole = 1;
    RECT update = {0, 0, live.boxWidth, live.boxHeight};
    if (!IsRectEmpty(&state->visibleArea))
        IntersectRect(&update, &update, &state->visibleArea);
    if (IsRectEmpty(&update))
        return;
    const TextLine* lines = arrays.lines;
    const int units = state->unitsPerInch > 0 ? state->unitsPerInch : 600;
    if (whole) {
        firstLine = 0;
        endLine = live.lineCount;
    }

    int stripTop = lines[firstLine].top;
    if (firstLine == 0)
        stripTop = whole ? 0 : (live.verticalAlignment == 6 || live.verticalAlignment == 8 ? state->margins.top
                                                                                         : lines[0].top);
    if (stripTop < update.top)
        stripTop = update.top;
    const bool throughEnd = endLine >= live.lineCount;
    const TextLine& lastPainted = lines[endLine - 1];
    int stripBottom = lastPainted.top + lastPainted.height;
    if (!throughEnd && !(lines[endLine].flags & kLineFirstOfLaterArea) && lines[endLine].top > stripBottom)
        stripBottom = lines[endLine].top;
    BreakAreaView areaView(state);
    if (throughEnd) {
        if (stripBottom < state->paintedTextBottom)
            stripBottom = state->paintedTextBottom;
        if (whole && stripBottom < live.boxHeight)
            stripBottom = live.boxHeight;
        if (!state->backgroundCallback)
            stripBottom += units * 3 / 100;
        if (areaView) {
            // The end bar moved: erase where it was and paint where it is.
            const int barBottom = areaView.areas()[areaView.count() - 1].bottomReached + BreakBarHeight;
            if (barBottom != state->paintedBarBottom) {
                if (stripBottom < state->paintedBarBottom)
                    stripBottom = state->paintedBarBottom;
                if (stripBottom < barBottom)
                    stripBottom = barBottom;
                state->paintedBarBottom = barBottom;
            }
        }
    }
    if (stripBottom <= stripTop)
        return;

    const int saved = SaveDC(dc);
    SelectClipRgn(dc, nullptr);
    SetWindowOrgEx(dc, 0, stripTop, nullptr);
    HPALETTE oldPalette = nullptr;
    if (state->palette) {
        oldPalette = SelectPalette(dc, state->palette, FALSE);
        RealizePalette(dc);
    }
    const bool callbackPaints = whole && state->backgroundCallback && live.ownerObjectIndex >= 0;
    if (!callbackPaints) {
        HBRUSH brush = CreateSolidBrush(MapOutputColor(dc, state->backgroundColor, 0));
        RECT strip = {0, stripTop, live.boxWidth, stripBottom};
        FillRect(dc, &strip, brush);
        DeleteObject(brush);
    }
    if (whole && state->backgroundCallback) {
        state->backgroundCallback(window, dc, state);
        IntersectClipRect(dc, state->margins.left, state->margins.top, live.boxWidth - state->margins.right,
                          live.boxHeight - state->margins.bottom);
    }
    TextPaintOptions options = {};
    options.measuringDC = state->measuringDC;
    options.fit = state->zoom;
    options.fontList = state->fontList;
    options.fontTable = state->fontTable;
    options.printWithoutColor = 0;
    options.editor = 1;
    options.unitsPerInch = units;
    const TextLinesView view = TenLinesView(state, arrays);
    if (state->effect.kind != 0)
        DrawTextLinesWithEffect(dc, view, firstLine, endLine, options, state->effect);
    else
        DrawTextLines(dc, view, firstLine, endLine, options);
    if (throughEnd)
        state->paintedTextBottom = lastPainted.top + lastPainted.height;
    if (areaView)
        DrawBreakBars(state, dc, areaView, stripTop, stripBottom);
    if (oldPalette)
        SelectPalette(dc, oldPalette, FALSE);
    RestoreDC(dc, saved);
    SetWindowOrgEx(dc, 0, stripTop, nullptr);
    if ((state->stateFlags & kTenShowsFocus) && live.selectionStart.position != live.selectionEnd.position)
        InvertSelection(dc, state, live.selectionStart, live.selectionEnd);

    // Copy the strip to the window in one go.
    if (state->windowDC && window) {
        const POINT from = {whole ? 0 : state->margins.left, stripTop};
        const POINT to = {whole ? live.boxWidth : live.boxWidth - state->margins.right, stripBottom};
        CopyStripToWindow(window, state, dc, from, to);
    }
    SetWindowOrgEx(dc, 0, 0, nullptr);
}
