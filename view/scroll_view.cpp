#include "view/scroll_view.h"

#include <climits>

#include "common/mapping.h"
#include "common/scroll_helpers.h"
#include "view/view_children.h"
#include "view/view_settings.h"

namespace {

const UINT kTenViewMoved = 1124;

const UINT kDefaultWheelLines = 3;

int BarOf(int bar) { return bar == 0 ? SB_HORZ : SB_VERT; }

// A page step keeps one line of the old view in sight.
int PageStep(int page) { return page - kScrollLine > kScrollLine ? page - kScrollLine : kScrollLine; }

POINT ViewOrigin(HDC dc)
{
    POINT origin = {0, 0};
    GetViewportOrgEx(dc, &origin);
    return origin;
}

// Scrolls a window's pixels by (dx, dy) device pixels. Wine scrolls through
// the window's own DC and reads the amounts and the rectangles in that DC's
// logical units, so the view (600 units an inch, origin at the scroll
// position) moved a sixth of the way with the wrong strip left to repaint.
// The own DC is held at plain pixels for the call and restored after.
void ScrollPixels(HWND window, int dx, int dy, const RECT* clip, UINT flags)
{
    const bool ownDC = (GetClassLongPtrA(window, GCL_STYLE) & (CS_OWNDC | CS_CLASSDC)) != 0;
    HDC dc = ownDC ? GetDC(window) : nullptr;
    const int state = dc ? SaveDC(dc) : 0;
    if (dc) {
        SetMapMode(dc, MM_TEXT);
        SetViewportOrgEx(dc, 0, 0, nullptr);
        SetWindowOrgEx(dc, 0, 0, nullptr);
    }
    ScrollWindowEx(window, dx, dy, clip, clip, nullptr, nullptr, flags);
    if (dc) {
        RestoreDC(dc, state);
        ReleaseDC(window, dc);
    }
}

void SetRulerOrigin(HWND ruler, int x, int y)
{
    if (!ruler)
        return;
    HDC dc = GetDC(ruler);
    SetViewportOrgEx(dc, x, y, nullptr);
    ReleaseDC(ruler, dc);
}

} // namespace

SIZE GetDrawingDeviceSize(HWND view)
{
    SIZE size = {32000, 32000};
    ViewSettings settings;
    if (!ReadViewSettings(view, &settings))
        return size;
    size.cx = settings.extentX;
    size.cy = settings.extentY;
    HDC dc = GetDC(view);
    LogicalToDeviceSize(dc, &size);
    ReleaseDC(view, dc);
    return size;
}

int ScrollRangeEnd(HWND view, int bar)
{
    int low = 0;
    int high = 0;
    GetScrollRangeCompat(view, BarOf(bar), &low, &high);
    return high;
}

void SyncRulerOrigins(HWND view)
{
    HDC dc = GetDC(view);
    const POINT origin = ViewOrigin(dc);
    ReleaseDC(view, dc);
    SetRulerOrigin(HorizontalRulerOf(view), origin.x, 0);
    SetRulerOrigin(VerticalRulerOf(view), 0, origin.y);
}

BOOL RecalcScrollBars(HWND view, const RECT* area, BOOL* horizontalNeeded, BOOL* verticalNeeded, BOOL apply)
{
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    const int w = (area->right - area->left) - barWidth;
    const int h = (area->bottom - area->top) - barHeight;
    const SIZE e = GetDrawingDeviceSize(view);

    BOOL horizontal = TRUE;
    BOOL vertical = TRUE;
    bool widthMarginal = false;
    bool heightMarginal = false;
    if (w + barWidth >= e.cx) {
        if (w >= e.cx)
            horizontal = FALSE;
        else
            widthMarginal = true;
    }
    if (h + barHeight >= e.cy) {
        if (h >= e.cy)
            vertical = FALSE;
        else
            heightMarginal = true;
    }
    vertical = vertical && (!heightMarginal || (!widthMarginal && horizontal));
    horizontal = horizontal && (!widthMarginal || (!heightMarginal && vertical));
    if (horizontalNeeded)
        *horizontalNeeded = horizontal;
    if (verticalNeeded)
        *verticalNeeded = vertical;
    if (!apply)
        return FALSE;

    const int pageX = vertical ? w : w + barWidth;
    const int pageY = horizontal ? h : h + barHeight;
    const int endX = e.cx - pageX > 0 ? e.cx - pageX : 0;
    const int endY = e.cy - pageY > 0 ? e.cy - pageY : 0;
    SetScrollRangeCompat(view, SB_HORZ, 0, endX, pageX, TRUE);
    SetScrollRangeCompat(view, SB_VERT, 0, endY, pageY, TRUE);

    HDC dc = GetDC(view);
    POINT origin = ViewOrigin(dc);
    const int ends[2] = {endX, endY};
    LONG* axes[2] = {&origin.x, &origin.y};
    int shift[2] = {0, 0};
    BOOL changed = FALSE;
    for (int axis = 0; axis < 2; ++axis) {
        const int shown = -*axes[axis];
        if (shown > ends[axis]) {
            shift[axis] = shown - ends[axis];
            *axes[axis] = -ends[axis];
            SetScrollPos(view, BarOf(axis), ends[axis], TRUE);
            changed = TRUE;
        } else if (shown != GetScrollPos(view, BarOf(axis))) {
            SetScrollPos(view, BarOf(axis), shown, TRUE);
            changed = TRUE;
        }
    }
    if (changed) {
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        SyncRulerOrigins(view);
        ViewSettings settings;
        HWND editor = ViewEditorOf(view);
        if (editor && ReadViewSettings(view, &settings) && !InFitMode(settings)) {
            RECT box;
            GetWindowRect(editor, &box);
            MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&box), 2);
            SetWindowPos(editor, nullptr, box.left + shift[0], box.top + shift[1], 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
    }
    ReleaseDC(view, dc);
    return changed;
}

void ScrollView(HWND view, int code, int bar, int position, const RECT* clip)
{
    const int end = ScrollRangeEnd(view, bar);
    const int p = GetScrollPos(view, BarOf(bar));
    RECT client;
    GetClientRect(view, &client);
    const int page = bar == 1 ? client.bottom : client.right;
    HWND ruler = bar == 1 ? VerticalRulerOf(view) : HorizontalRulerOf(view);
    if (ruler && !IsWindowVisible(ruler))
        ruler = nullptr;
    const int pageStep = PageStep(page);

    int d = 0;
    switch (code) {
    case SB_LINEUP: d = -kScrollLine; break;
    case SB_LINEDOWN: d = kScrollLine; break;
    case SB_PAGEUP: d = -pageStep; break;
    case SB_PAGEDOWN: d = pageStep; break;
    case SB_THUMBPOSITION: d = position - p; break;
    case SB_TOP: d = -p; break;
    case SB_BOTTOM: d = end - p; break;
    case kScrollByEditor:
    case kScrollByAmount: d = static_cast<short>(position); break;
    default: d = 0; break;
    }
    if (p + d > end)
        d = end - p;
    if (p + d < 0)
        d = -p;
    if (d == 0)
        return;

    const int dx = bar == 0 ? -d : 0;
    const int dy = bar == 1 ? -d : 0;
    if (IsWindowVisible(view)) {
        // Without a clip rectangle this is ScrollWindow over the whole client area.
        ScrollPixels(view, dx, dy, clip, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
        if (ruler)
            ScrollPixels(ruler, dx, dy, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    }
    HDC dc = GetDC(view);
    POINT origin = ViewOrigin(dc);
    SetViewportOrgEx(dc, origin.x + dx, origin.y + dy, nullptr);
    ReleaseDC(view, dc);
    SyncRulerOrigins(view);
    SetScrollPos(view, BarOf(bar), p + d, TRUE);
    if (IsWindowVisible(view))
        UpdateWindow(view);
    if (ruler)
        UpdateWindow(ruler);
    if (HWND editor = GetWindow(view, GW_CHILD))
        SendMessageA(editor, kTenViewMoved, 0, 0);
}

int WheelScrollAmount(int delta, UINT linesPerNotch, int page)
{
    const long long step = linesPerNotch == WHEEL_PAGESCROLL ? PageStep(page)
                                                             : static_cast<long long>(linesPerNotch) * kScrollLine;
    long long amount = -static_cast<long long>(delta) * step / WHEEL_DELTA;
    // The amount travels as a signed 16-bit scroll position.
    if (amount > SHRT_MAX)
        amount = SHRT_MAX;
    if (amount < -SHRT_MAX)
        amount = -SHRT_MAX;
    return static_cast<int>(amount);
}

void ScrollViewByWheel(HWND view, int delta, int bar)
{
    UINT lines = kDefaultWheelLines;
    if (!SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        lines = kDefaultWheelLines;
    RECT client;
    GetClientRect(view, &client);
    const int amount = WheelScrollAmount(delta, lines, bar == 1 ? client.bottom : client.right);
    if (amount == 0)
        return;
    const WPARAM wParam = MAKEWPARAM(kScrollByAmount, static_cast<WORD>(amount & 0xFFFF));
    SendMessageA(view, bar == 1 ? WM_VSCROLL : WM_HSCROLL, wParam, 0);
}

void ScrollViewBy(HWND view, HDC dc, int zoom, int dx, int dy, HWND editor)
{
    if (dx == 0 && dy == 0)
        return;
    const int x = GetScrollPos(view, SB_HORZ);
    const int y = GetScrollPos(view, SB_VERT);
    POINT origin = ViewOrigin(dc);
    SetViewportOrgEx(dc, origin.x - dx, origin.y - dy, nullptr);
    SetZoomMapMode(dc, zoom, 600);
    SetScrollPos(view, SB_HORZ, x + dx, TRUE);
    SetScrollPos(view, SB_VERT, y + dy, TRUE);
    if (editor) {
        RECT box;
        GetWindowRect(editor, &box);
        MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&box), 2);
        SetWindowPos(editor, nullptr, box.left - dx, box.top - dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        SendMessageA(editor, kTenViewMoved, 0, 0);
    }
}
