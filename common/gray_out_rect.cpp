#include "common/gray_out_rect.h"

#include "common/pattern_brushes.h"

namespace {

// Destination OR pattern.
const DWORD kPatternOr = 0x00FA0089;

HBRUSH MakeGrayDither()
{
    static const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, rows);
    if (!bitmap)
        return nullptr;
    HBRUSH brush = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
    return brush;
}

} // namespace

void GrayOutRect(HDC dc, const RECT* rect)
{
    HBRUSH brush = PatternBrushes[0];
    HBRUSH own = nullptr;
    if (!brush)
        brush = own = MakeGrayDither();
    if (!brush)
        return;
    HGDIOBJ old = SelectObject(dc, brush);
    RECT r = *rect;
    InflateRect(&r, -2, -2);
    PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, kPatternOr);
    SelectObject(dc, old);
    if (own)
        DeleteObject(own);
}
