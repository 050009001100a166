#include "common/color_helpers.h"

#include "common/display_flags.h"
#include "common/app_globals.h"

namespace {

const COLORREF kWhite = 0xFFFFFF;
const COLORREF kLightGrey = 0xC0C0C0;

int SnapComponent(int value)
{
    if (value >= 108 && value <= 148)
        return 128;
    if (value >= 176 && value <= 208)
        return 192;
    const int snapped = (value + 8) / 16 * 16;
    return snapped >= 255 ? 255 : snapped;
}

// The device's nearest colour; while a metafile is recorded, the display's.
COLORREF NearestColor(HDC dc, COLORREF color)
{
    COLORREF nearest;
    if (RenderingMetafile) {
        HDC screen = GetDC(MainWindow);
        nearest = GetNearestColor(screen, color);
        ReleaseDC(MainWindow, screen);
    } else {
        nearest = GetNearestColor(dc, color);
    }
    // A failed call would read as white; keep the colour itself then.
    return nearest == CLR_INVALID ? color : (nearest & 0xFFFFFF);
}

} // namespace

COLORREF SnapColor(COLORREF color)
{
    const COLORREF rgb = color & 0xFFFFFF;
    if (rgb == 0 || rgb == kWhite)
        return color;
    return RGB(SnapComponent(GetRValue(rgb)), SnapComponent(GetGValue(rgb)), SnapComponent(GetBValue(rgb)));
}

COLORREF MapOutputColor(HDC dc, COLORREF color, int isPen)
{
    COLORREF result = color & 0xFFFFFF;
    if (PrintWithoutColor) {
        result = isPen ? 0 : kWhite;
    } else if (MonochromeDisplay) {
        if (isPen && result != kWhite)
            result = 0;
    } else if (SixteenColourDisplay && !PrintingPage) {
        if (isPen) {
            const COLORREF nearest = NearestColor(dc, result);
            // A pale line must not vanish into a white page.
            result = (result != kWhite && nearest == kWhite) ? kLightGrey : nearest;
        } else {
            result = SnapColor(result);
        }
    }
    return 0x02000000 | (result & 0xFFFFFF);
}

HPEN CreateOutputPen(HDC dc, int style, int width, COLORREF color)
{
    if (WindowsNT && width != 0 && !RenderingMetafile) {
        LOGBRUSH brush = {};
        brush.lbStyle = BS_SOLID;
        brush.lbColor = MapOutputColor(dc, color, 1);
        const DWORD penStyle = static_cast<DWORD>(style) | PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_JOIN_MITER;
        return ExtCreatePen(penStyle, static_cast<DWORD>(width), &brush, 0, nullptr);
    }
    return CreatePen(style, width, color);
}
