#include "view/grid_paint.h"

#include "common/mapping.h"
#include "common/app_globals.h"
#include "common/pattern_brushes.h"
#include "objects/drawing_layout.h"
#include "resources/bitmap_ids.h"
#include "view/ruler_scale.h"

namespace {

const int kLeastDotGap = 9;

// The shared pattern brush of a bitmap, made here when start-up has not.
HBRUSH PatternBrush(int bitmapId)
{
    static HBRUSH own[3] = {};
    const int index = bitmapId - IDB_PATTERN_FIRST;
    if (PatternBrushes[index])
        return PatternBrushes[index];
    HBRUSH& brush = own[bitmapId - IDB_PATTERN_GRID_HORIZONTAL];
    if (!brush) {
        HINSTANCE instance = AppInstance ? AppInstance : GetModuleHandleA(nullptr);
        if (HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(bitmapId))) {
            brush = CreatePatternBrush(bitmap);
            DeleteObject(bitmap);
        }
    }
    return brush;
}

RulerScaleValues DrawingScale(HGLOBAL drawingHandle)
{
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return DefaultRulerScale();
    RulerScaleValues scale = ReadRulerScaleBytes(drawing->rulerScale);
    GlobalUnlock(drawingHandle);
    return scale;
}

} // namespace

HBRUSH GridHorizontalBrush() { return PatternBrush(IDB_PATTERN_GRID_HORIZONTAL); }
HBRUSH GridVerticalBrush() { return PatternBrush(IDB_PATTERN_GRID_VERTICAL); }
HBRUSH GridDotBrush() { return PatternBrush(IDB_PATTERN_GRID_DOT); }

void FillGridLine(HDC dc, const RECT* line)
{
    RECT shrunk = *line;
    LPtoDP(dc, reinterpret_cast<POINT*>(&shrunk), 2);
    InflateRect(&shrunk, -1, -1);
    DPtoLP(dc, reinterpret_cast<POINT*>(&shrunk), 2);
    if (shrunk.left == line->left)
        ++shrunk.left;
    if (shrunk.top == line->top)
        ++shrunk.top;
    if (line->top != line->bottom)
        PatBlt(dc, line->left, shrunk.top, shrunk.left - line->left, line->bottom - shrunk.top, PATCOPY);
    else
        PatBlt(dc, line->left, line->top, line->right - line->left, shrunk.top - line->top, PATCOPY);
}

void DrawGrid(HGLOBAL drawing, HDC dc, const RECT* r, HBRUSH horizontal, HBRUSH vertical, int z)
{
    const RulerScaleValues scale = DrawingScale(drawing);
    const bool dots = !(z >= 1 && z <= 499) &&
                      RulerPosition(scale, 0, 2, z) - RulerPosition(scale, 0, 0, z) >= kLeastDotGap;
    const double m = 6.0 * RulerSpacingHundredths(scale);
    const int firstRow = static_cast<int>(r->top / m);
    const int lastRow = static_cast<int>(r->bottom / m) + 1;
    const int firstColumn = static_cast<int>(r->left / m);
    const int lastColumn = static_cast<int>(r->right / m) + 1;

    HGDIOBJ oldBrush = SelectObject(dc, vertical);
    for (int i = firstColumn; i <= lastColumn; ++i) {
        if (i <= 0)
            continue;
        const int x = 6 * RulerPosition(scale, i, 0, 0);
        RECT line = {x, r->top, x, r->bottom};
        FillGridLine(dc, &line);
    }
    SIZE pixel = {1, 1};
    DeviceToLogicalSize(dc, &pixel);
    for (int i = firstRow; i <= lastRow; ++i) {
        if (i > 0) {
            SelectObject(dc, horizontal);
            const int y = 6 * RulerPosition(scale, i, 0, 0);
            RECT line = {r->left, y, r->right, y};
            FillGridLine(dc, &line);
        }
        if (!dots)
            continue;
        SelectObject(dc, GridDotBrush());
        for (int j = 1; j < scale.subdivisions; ++j) {
            const int y = 6 * RulerPosition(scale, i, j, 0);
            if (y < r->top || y > r->bottom)
                continue;
            for (int k = firstColumn; k <= lastColumn; ++k) {
                for (int l = 1; l < scale.subdivisions; ++l) {
                    const int x = 6 * RulerPosition(scale, k, l, 0);
                    PatBlt(dc, x, y, pixel.cx, pixel.cy, PATCOPY);
                }
            }
        }
    }
    SelectObject(dc, oldBrush);
}
