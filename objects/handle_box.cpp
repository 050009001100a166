#include "objects/handle_box.h"

namespace {

// The ellipse of a rectangle as a clipping region of device pixels.
HRGN DeviceEllipse(HDC dc, const RECT* rect)
{
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    LPtoDP(dc, corners, 2);
    return CreateEllipticRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
}

void XorFigure(HDC dc, HPEN pen, void (*draw)(HDC, const RECT*), const RECT* rect)
{
    int saved = SaveDC(dc);
    SelectObject(dc, pen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetROP2(dc, R2_NOT);
    draw(dc, rect);
    RestoreDC(dc, saved);
}

} // namespace

void DrawHandleBox(HDC dc, const RECT* rect, int patternInvert, int invert, int round)
{
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    if (patternInvert || invert) {
        DWORD rop = patternInvert ? PATINVERT : DSTINVERT;
        int saved = SaveDC(dc);
        if (round) {
            // Without an elliptic region the box is inverted square.
            if (HRGN region = DeviceEllipse(dc, rect)) {
                ExtSelectClipRgn(dc, region, RGN_AND);
                DeleteObject(region);
            }
        }
        PatBlt(dc, rect->left, rect->top, width, height, rop);
        RestoreDC(dc, saved);
        return;
    }
    int saved = SaveDC(dc);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetROP2(dc, R2_NOT);
    if (round)
        Ellipse(dc, rect->left, rect->top, rect->right, rect->bottom);
    else
        Rectangle(dc, rect->left, rect->top, rect->right, rect->bottom);
    RestoreDC(dc, saved);
}

void DrawXorEllipseCopy(HDC dc, const RECT* rect, HPEN pen)
{
    XorFigure(dc, pen, [](HDC target, const RECT* r) { Ellipse(target, r->left, r->top, r->right, r->bottom); },
              rect);
}

void DrawXorDiamond(HDC dc, const RECT* rect, HPEN pen)
{
    XorFigure(dc, pen,
              [](HDC target, const RECT* r) {
                  int cx = r->left + (r->right - r->left) / 2;
                  int cy = r->top + (r->bottom - r->top) / 2;
                  POINT points[5] = {{r->left, cy}, {cx, r->top}, {r->right, cy}, {cx, r->bottom}, {r->left, cy}};
                  Polyline(target, points, 5);
              },
              rect);
}
