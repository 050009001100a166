#include "text/ten_box.h"

#include "common/color_helpers.h"
#include "common/mapping.h"
#include "text/caret_selection.h"
#include "text/format_records.h"
#include "text/ten_arrays.h"
#include "text/ten_notifications.h"
#include "text/text_layout.h"
#include "text/text_measure.h"

namespace {

void RemakeOffscreen(TenState* state, int width, int height)
{
    HDC screen = GetDC(nullptr);
    const int rows = screen ? GetDeviceCaps(screen, VERTRES) : height;
    if (height > rows)
        height = rows;
    if (width <= state->bitmapWidth && height <= state->bitmapHeight) {
        if (screen)
            ReleaseDC(nullptr, screen);
        return;
    }
    if (state->offscreenDC)
        DeleteDC(state->offscreenDC);
    if (state->offscreenBitmap)
        DeleteObject(state->offscreenBitmap);
    state->offscreenDC = CreateCompatibleDC(screen);
    state->offscreenBitmap = state->offscreenDC && width > 0 && height > 0
                                 ? CreateCompatibleBitmap(screen ? screen : state->offscreenDC, width, height)
                                 : nullptr;
    if (screen)
        ReleaseDC(nullptr, screen);
    if (!state->offscreenBitmap) {
        // Painting goes without the bitmap then.
        if (state->offscreenDC)
            DeleteDC(state->offscreenDC);
        state->offscreenDC = nullptr;
        state->bitmapWidth = state->bitmapHeight = 0;
        return;
    }
    SelectObject(state->offscreenDC, state->offscreenBitmap);
    state->bitmapWidth = width;
    state->bitmapHeight = height;
    SetZoomMapMode(state->offscreenDC, state->zoom, state->unitsPerInch);
    SetTextAlign(state->offscreenDC, TA_BASELINE);
    SetBkColor(state->offscreenDC, MapOutputColor(state->offscreenDC, state->backgroundColor, 0));
    SetBkMode(state->offscreenDC, TRANSPARENT);
}

// Snaps a partly shown box to its full width or height.
RECT ToVisibleArea(const TenState* state, HDC dc, RECT shown, const RECT& box)
{
    const int width = state->live.boxWidth;
    const int height = state->live.boxHeight;
    if (EqualRect(&shown, &box))
        return RECT{0, 0, width, height};
    RECT v = shown;
    if (dc)
        DPtoLP(dc, reinterpret_cast<POINT*>(&v), 2);
    OffsetRect(&v, -state->originX, -state->originY);
    if (shown.left == box.left && shown.right == box.right)
        return RECT{0, v.top, width, v.bottom};
    if (shown.top == box.top && shown.bottom == box.bottom)
        return RECT{v.left, 0, v.right, height};
    return v;
}

} // namespace

int SizeTenWindow(HWND window, TenState* state, int width, int height)
{
    TenTextState& live = state->live;
    SIZE logical = {width, height};
    if (state->windowDC)
        DeviceToLogicalSize(state->windowDC, &logical);
    RemakeOffscreen(state, width, height);
    const bool widthChanged = logical.cx != live.boxWidth;
    const bool heightChanged = logical.cy != live.boxHeight && live.verticalAlignment != 0;
    live.boxWidth = logical.cx;
    live.boxHeight = logical.cy;
    bool laidOut = false;
    if (state->stateFlags & kTenRelayoutAfterUndo) {
        int end = 0;
        int first = 0;
        if (LayoutText(window, state, 0, kLayoutToEnd, &end, &first) == kErrNone) {
            laidOut = true;
            RefreshCaretPositions(window, state);
        }
    }
    if (state->paintedTextBottom > live.boxHeight)
        state->paintedTextBottom = live.boxHeight;
    if (state->paintedBarBottom > live.boxHeight)
        state->paintedBarBottom = live.boxHeight;
    UpdateTenVisibleArea(window, state, 0, 0);
    if (!laidOut && (widthChanged || heightChanged)) {
        TenArrays arrays(&live);
        if (arrays.Ok() && live.lineCount > 0) {
            if (widthChanged)
                AlignTenLines(arrays.lines, arrays.formats, arrays.Paragraphs(), live.lineCount, live.formatCount,
                              arrays.ParagraphCount(), state->margins.left,
                              live.boxWidth - state->margins.left - state->margins.right);
            if (heightChanged)
                PlaceTenLinesVertically(arrays.lines, live.lineCount, live.verticalAlignment, state->margins.top,
                                        live.boxHeight - state->margins.top - state->margins.bottom);
        }
    }
    return 1;
}

void SetTenZoom(HWND, TenState* state, int zoom, int force)
{
    if (zoom == state->zoom && !force)
        return;
    if (state->windowDC)
        SetZoomMapMode(state->windowDC, zoom, state->unitsPerInch);
    if (state->offscreenDC)
        SetZoomMapMode(state->offscreenDC, zoom, state->unitsPerInch);
    state->zoom = zoom;
    state->stateFlags |= kTenRelayoutAfterUndo;
    RefreshStateFormatFonts(state, 0, state->live.formatCount - 1);
    if (state->undoKind != 0)
        state->stateFlags |= kTenUndoFontsStale;
}

int UpdateTenVisibleArea(HWND window, TenState* state, int dx, int dy)
{
    state->originX += dx;
    state->originY += dy;
    HWND parent = window ? GetParent(window) : nullptr;
    if (!parent)
        return 1;
    RECT shown = {0, 0, 0, 0};
    SendMessageA(parent, TENN_GETVISIBLERECT, 0, reinterpret_cast<LPARAM>(&shown));
    RECT box = {state->originX, state->originY, state->originX + state->live.boxWidth,
                state->originY + state->live.boxHeight};
    HDC dc = state->windowDC;
    if (dc)
        LPtoDP(dc, reinterpret_cast<POINT*>(&box), 2);
    RECT meet;
    if (!IntersectRect(&meet, &box, &shown)) {
        meet = box;
        if (box.right <= shown.left)
            meet.left = shown.left;
        if (box.left >= shown.right)
            meet.right = shown.right;
        if (box.bottom <= shown.top)
            meet.top = shown.top;
        if (box.top >= shown.bottom)
            meet.bottom = shown.bottom;
    }
    state->visibleArea = ToVisibleArea(state, dc, meet, box);
    return 1;
}

int ShowTenWindow(HWND window, int x, int y)
{
    RECT area;
    GetClientRect(window, &area);
    area.left = x;
    area.top = y;
    const bool visible = IsWindowVisible(window) != 0;
    HWND parent = GetParent(window);
    if ((x != 0 || y != 0) && visible) {
        if (parent)
            UpdateWindow(parent);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
        if (parent) {
            MapWindowPoints(window, parent, reinterpret_cast<POINT*>(&area), 2);
            InvalidateRect(parent, &area, TRUE);
        }
        return 1;
    }
    if (x == 0 && y == 0 && !visible)
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}
