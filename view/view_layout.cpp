#include <initializer_list>

#include "view/view_layout.h"

#include "common/mapping.h"
#include "common/app_globals.h"
#include "common/back_buffer.h"
#include "view/scroll_view.h"
#include "view/tool_palette.h"
#include "documents/view_children.h"
#include "documents/view_options.h"
#include "documents/view_settings.h"
#include "view/view_zoom.h"

int PaletteShown = 1;

namespace {

const int kRulerThickness = 26;
const int kFitMargin = 5;
const int kFitRulerLeast = 74;
const UINT kTenReanchor = 1129;

void ShowRulers(HWND view, bool show)
{
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                       (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    for (HWND ruler : {HorizontalRulerOf(view), VerticalRulerOf(view), CornerBoxOf(view)})
        if (ruler)
            SetWindowPos(ruler, nullptr, 0, 0, 0, 0, flags);
}

RECT WindowRectIn(HWND window, HWND parent)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void MoveKeepingOrder(HWND window, const RECT& rect)
{
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceRuler(HWND document, HWND ruler, int x, int y, int width, int height)
{
    if (!ruler)
        return;
    RECT old = WindowRectIn(ruler, document);
    InvalidateRect(document, &old, TRUE);
    RECT rect = {x, y, x + width, y + height};
    MoveKeepingOrder(ruler, rect);
    ValidateRect(document, &rect);
}

void InvalidateVisible(HWND window)
{
    if (window && IsWindowVisible(window))
        InvalidateRect(window, nullptr, TRUE);
}

} // namespace

void LayoutDocumentWindow(HWND document, HWND view)
{
    RECT r;
    GetClientRect(document, &r);
    HWND hRuler = HorizontalRulerOf(view);
    HWND vRuler = VerticalRulerOf(view);
    HWND corner = CornerBoxOf(view);
    HWND bar = DockedBarOf(view);
    const RECT oldView = WindowRectIn(view, document);
    ViewSettings settings = {32000, 32000, 0, 0};
    const bool haveSettings = ReadViewSettings(view, &settings);
    HWND editor = ViewEditorOf(view);

    bool rulers = RulersShown() && (settings.zoom == 0 || settings.zoom > kFitRulerLeast);
    if (rulers)
        r.left = r.top = kRulerThickness;
    const int barHeight = [&] {
        if (!bar)
            return 0;
        RECT b;
        GetWindowRect(bar, &b);
        return static_cast<int>(b.bottom - b.top);
    }();
    r.top += barHeight;
    if (hRuler) {
        if (IsWindowVisible(hRuler) && !rulers)
            ShowRulers(view, false);
        else if (!IsWindowVisible(hRuler) && rulers)
            ShowRulers(view, true);
    }
    if (haveSettings && InFitMode(settings)) {
        ComputeFitZoom(view, &settings, SIZE{r.right - r.left, r.bottom - r.top});
        if (settings.zoom <= kFitRulerLeast) {
            ShowRulers(view, false);
            if (rulers) {
                r.left = kFitMargin;
                r.top = kFitMargin + barHeight;
            }
            ComputeFitZoom(view, &settings, SIZE{r.right - r.left, r.bottom - r.top});
            rulers = false;
        }
        WriteViewSettings(view, settings);
    }

    BOOL horizontal = FALSE;
    BOOL vertical = FALSE;
    RecalcScrollBars(view, &r, &horizontal, &vertical, FALSE);
    bool moved = false;
    if (horizontal && vertical) {
        r.right += 1;
        r.bottom += 1;
        if (!EqualRect(&oldView, &r)) {
            MoveKeepingOrder(view, r);
            moved = true;
        }
    } else {
        SIZE size = GetDrawingDeviceSize(view);
        if (vertical)
            size.cx += GetSystemMetrics(SM_CXVSCROLL);
        if (horizontal)
            size.cy += GetSystemMetrics(SM_CYHSCROLL);
        RECT place = r;
        if (!horizontal) {
            place.left = r.left + (r.right - r.left - size.cx) / 2;
            place.right = place.left + size.cx;
        }
        if (!vertical) {
            place.top = r.top + (r.bottom - r.top - size.cy) / 2;
            place.bottom = place.top + size.cy;
        }
        MoveKeepingOrder(view, place);
        r = place;
        moved = true;
    }
    const BOOL originChanged = RecalcScrollBars(view, &r, nullptr, nullptr, TRUE);
    if (IsIconic(document))
        return;
    if (moved && bar) {
        RECT old = WindowRectIn(bar, document);
        InvalidateRect(document, &old, TRUE);
    }
    if (rulers && moved && hRuler) {
        SIZE thickness = {kRulerThickness, kRulerThickness};
        HDC dc = GetDC(hRuler);
        LogicalToDeviceSize(dc, &thickness);
        ReleaseDC(hRuler, dc);
        const int t = thickness.cx;
        PlaceRuler(document, corner, r.left - t, r.top - t, t, t);
        PlaceRuler(document, hRuler, r.left - 1, r.top - t, r.right - r.left + 1, t);
        PlaceRuler(document, vRuler, r.left - t, r.top - 1, t, r.bottom - r.top + 1);
    }
    if (originChanged || moved) {
        InvalidateRect(view, nullptr, FALSE);
        for (HWND each : {editor, hRuler, vRuler, corner, bar})
            InvalidateVisible(each);
    }
    if (moved) {
        const RECT now = WindowRectIn(view, document);
        if (!EqualRect(&now, &oldView))
            InvalidateRect(document, nullptr, FALSE);
        if (editor)
            InvalidateRect(editor, nullptr, TRUE);
    }
    if (editor && IsWindowVisible(editor))
        SendMessageA(editor, kTenReanchor, 0, 0);
}

ErrorCode RelayoutDocumentWindow(HWND document)
{
    HWND view = DocumentViewOf(document);
    if (!view)
        return kErrNoMemory;
    LayoutDocumentWindow(document, view);
    return kErrNone;
}

void ResizeFrame(LPARAM size)
{
    const int width = LOWORD(size);
    const int height = HIWORD(size);
    const int y = PaletteShown ? PaletteWindowHeight : 0;
    if (MdiClientWindow)
        MoveWindow(MdiClientWindow, 0, y, width, height - y, TRUE);
    if (PaletteWindow && y)
        MoveWindow(PaletteWindow, -1, -1, width + 2, PaletteWindowHeight + 1, TRUE);
    ResizeBackBuffer();
    if (PaletteWindow && !IsWindowVisible(PaletteWindow) && PaletteShown)
        ShowWindow(PaletteWindow, SW_SHOWNA);
}

void ToggleToolbar()
{
    if (PaletteShown) {
        if (PaletteWindow)
            ShowWindow(PaletteWindow, SW_HIDE);
        PaletteShown = 0;
    } else {
        PaletteShown = 1;
    }
    SetViewOption(kOptionsPaletteShown, PaletteShown != 0);
    if (MainWindow) {
        RECT client;
        GetClientRect(MainWindow, &client);
        ResizeFrame(MAKELPARAM(client.right, client.bottom));
    }
}
