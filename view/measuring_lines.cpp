#include "view/measuring_lines.h"

#include "common/pattern_brushes.h"
#include "documents/view_children.h"

namespace {

const int kRulerMarkLength = 26;

// A strip between two logical points, one device pixel across the other axis.
void InvertStrip(HDC dc, POINT from, POINT to, bool vertical)
{
    POINT points[2] = {from, to};
    LPtoDP(dc, points, 2);
    int saved = SaveDC(dc);
    SetMapMode(dc, MM_TEXT);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    if (vertical) {
        int top = points[0].y < points[1].y ? points[0].y : points[1].y;
        int bottom = points[0].y < points[1].y ? points[1].y : points[0].y;
        PatBlt(dc, points[0].x, top, 1, bottom - top, PATINVERT);
    } else {
        int left = points[0].x < points[1].x ? points[0].x : points[1].x;
        int right = points[0].x < points[1].x ? points[1].x : points[0].x;
        PatBlt(dc, left, points[0].y, right - left, 1, PATINVERT);
    }
    RestoreDC(dc, saved);
}

void DrawRulerMark(HWND ruler, int position, bool horizontalRuler)
{
    if (!ruler)
        return;
    HDC dc = GetDC(ruler);
    if (!dc)
        return;
    HGDIOBJ old = PatternBrushes[1] ? SelectObject(dc, PatternBrushes[1]) : nullptr;
    int at = position / 6;
    if (horizontalRuler)
        InvertStrip(dc, POINT{at, 0}, POINT{at, kRulerMarkLength}, true);
    else
        InvertStrip(dc, POINT{0, at}, POINT{kRulerMarkLength, at}, false);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(ruler, dc);
}

} // namespace

void DrawMeasureLine(HDC dc, int position, BOOL vertical, int width, int height)
{
    if (vertical)
        InvertStrip(dc, POINT{position, 0}, POINT{position, height}, true);
    else
        InvertStrip(dc, POINT{0, position}, POINT{width, position}, false);
}

void DrawHorizontalRulerMark(HWND view, int position)
{
    DrawRulerMark(HorizontalRulerOf(view), position, true);
}

void DrawVerticalRulerMark(HWND view, int position)
{
    DrawRulerMark(VerticalRulerOf(view), position, false);
}
