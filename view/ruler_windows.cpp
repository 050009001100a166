// The rulers' and the corner box's window procedures.
#include "common/help_mode.h"
#include "common/mapping.h"
#include "common/tool_tips.h"
#include "view/ruler_fonts.h"
#include "view/ruler_paint.h"
#include "view/tracking_state.h"
#include "documents/view_children.h"
#include "view/view_mouse.h"
#include "view/view_windows.h"

namespace {

enum RulerKind { kHorizontal, kVertical, kCorner };
// The measuring lines a press pulls out: vertical, horizontal, both.
const int kRulerToolCodes[3] = {14, 15, 16};

void OnCreate(HWND ruler, RulerKind kind)
{
    HDC dc = GetDC(ruler);
    SetZoomMapMode(dc, 0, 100);
    if (kind == kCorner) {
        SetTextAlign(dc, TA_LEFT | TA_TOP);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        if (RulerFontSmall)
            SelectObject(dc, RulerFontSmall);
    } else {
        SetTextAlign(dc, TA_BOTTOM);
        SetBkMode(dc, TRANSPARENT);
    }
    ReleaseDC(ruler, dc);
}

void OnPaint(HWND ruler, RulerKind kind)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(ruler, &paint);
    if (kind == kHorizontal)
        DrawHorizontalRuler(ruler, dc, &paint.rcPaint, nullptr);
    else if (kind == kVertical)
        DrawVerticalRuler(ruler, dc, &paint.rcPaint, nullptr);
    else
        DrawRulerCorner(ruler, dc, &paint.rcPaint);
    EndPaint(ruler, &paint);
}

void OnMouseMove(HWND ruler, LPARAM lParam)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    HWND view = RulerViewOf(ruler);
    MapWindowPoints(ruler, view, &point, 1);
    ShowPointerPosition(view, &point);
}

LRESULT RulerProc(HWND ruler, UINT message, WPARAM wParam, LPARAM lParam, RulerKind kind)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(ruler, kind);
        return 0;
    case WM_PAINT:
        OnPaint(ruler, kind);
        return 0;
    case WM_SETCURSOR:
        HideToolTip();
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(ruler, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        if (HelpMode) {
            EndHelpMode();
        } else if (!TrackingMode) {
            POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            RulerButtonDown(ruler, wParam, point, kRulerToolCodes[kind]);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcA(ruler, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK SEHRuler(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RulerProc(window, message, wParam, lParam, kHorizontal);
}

LRESULT CALLBACK SEVRuler(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RulerProc(window, message, wParam, lParam, kVertical);
}

LRESULT CALLBACK SEXRuler(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RulerProc(window, message, wParam, lParam, kCorner);
}
