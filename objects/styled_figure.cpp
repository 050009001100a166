#include "objects/styled_figure.h"

#include "common/color_helpers.h"
#include "objects/shape_figure.h"

namespace {

const COLORREF kNoColor = 0xFFFFFFFF;

int HatchStyleOf(int fillMode)
{
    static const int styles[5] = {HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
    return styles[fillMode - 2];
}

} // namespace

void DrawStyledFigure(HDC dc, int shapeType, int rotation, COLORREF lineColor, int lineWidth, int lineStyle,
                      COLORREF fillColor, int fillMode, double parameter, HGLOBAL freeform, int ringMode,
                      const RECT* frame, unsigned optionFlags)
{
    const bool noFillColor = fillColor == kNoColor;
    if (noFillColor && fillMode < 2)
        fillMode = 0;
    const COLORREF fill = MapOutputColor(dc, fillColor, 0);
    const COLORREF line = MapOutputColor(dc, lineColor, 1);
    if (lineWidth == 0)
        lineStyle = 0;

    HPEN pen = nullptr;
    HBRUSH ringBrush = nullptr;
    int figureWidth = lineWidth;
    switch (lineStyle) {
    case 0:
        figureWidth = 0;
        break;
    case 2:
        pen = CreatePen(PS_DOT, 0, line);
        figureWidth = 0;
        break;
    case 3:
        pen = CreatePen(PS_DASH, 0, line);
        figureWidth = 0;
        break;
    default:
        if (ringMode) {
            pen = CreatePen(PS_INSIDEFRAME, 0, line);
            ringBrush = CreateSolidBrush(line);
        } else {
            pen = CreateOutputPen(dc, PS_INSIDEFRAME, lineWidth, line);
        }
        break;
    }

    HBRUSH brush = nullptr;
    if (fillMode == 1)
        brush = CreateSolidBrush(fill);
    else if (fillMode >= 2 && fillMode <= 6)
        brush = CreateHatchBrush(HatchStyleOf(fillMode), line);

    int saved = SaveDC(dc);
    if (brush && fillMode >= 2) {
        if (noFillColor) {
            SetBkMode(dc, TRANSPARENT);
        } else {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, fill);
        }
        // The hatch starts at the frame's corner, so it moves with the shape.
        POINT origin = {frame->left, frame->top};
        LPtoDP(dc, &origin, 1);
        UnrealizeObject(brush);
        SetBrushOrgEx(dc, origin.x % 8, origin.y % 8, nullptr);
    }
    SelectObject(dc, brush ? static_cast<HGDIOBJ>(brush) : GetStockObject(NULL_BRUSH));
    SelectObject(dc, pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(NULL_PEN));
    DrawShapeFigure(dc, frame, frame, figureWidth, parameter, shapeType, rotation, freeform, pen ? 0 : 1, ringBrush,
                    optionFlags);
    RestoreDC(dc, saved);
    if (pen)
        DeleteObject(pen);
    if (brush)
        DeleteObject(brush);
    if (ringBrush)
        DeleteObject(ringBrush);
}
