#include "common/mapping.h"

#include "common/display_flags.h"

void SetZoomMapMode(HDC dc, int zoom, int unitsPerInch)
{
    SetMapMode(dc, MM_ANISOTROPIC);
    // The metafile recorder sets the extents itself.
    if (RenderingMetafile)
        return;
    int x = GetRoundedDeviceCaps(dc, LOGPIXELSX, 100);
    int y = GetRoundedDeviceCaps(dc, LOGPIXELSY, 100);
    if (zoom != 0) {
        x = x * zoom / 1000;
        y = y * zoom / 1000;
    }
    SetWindowExtEx(dc, unitsPerInch, unitsPerInch, nullptr);
    SetViewportExtEx(dc, x, y, nullptr);
}

int RoundDisplayResolution(int value)
{
    // 0 would divide by zero below; such a value is no resolution to round.
    if (value <= 0 || value > 1000)
        return value;
    if (value * 2 < 100)
        return 100 / (100 / value);
    const int hundreds = value / 100 * 100;
    return hundreds < 100 ? 100 : hundreds;
}

int GetRoundedDeviceCaps(HDC dc, int index, int fallback)
{
    const int value = RenderingMetafile ? fallback : GetDeviceCaps(dc, index);
    if (GetDeviceCaps(dc, TECHNOLOGY) != DT_RASDISPLAY)
        return value;
    return RoundDisplayResolution(value);
}

namespace {

// Converts (dx, dy) and the origin with `convert` and keeps the difference.
int ConvertSize(HDC dc, SIZE* size, BOOL(WINAPI* convert)(HDC, LPPOINT, int))
{
    POINT points[2] = {{size->cx, size->cy}, {0, 0}};
    convert(dc, points, 2);
    size->cx = points[0].x - points[1].x;
    size->cy = points[0].y - points[1].y;
    return size->cy;
}

} // namespace

int LogicalToDeviceSize(HDC dc, SIZE* size) { return ConvertSize(dc, size, LPtoDP); }

int DeviceToLogicalSize(HDC dc, SIZE* size) { return ConvertSize(dc, size, DPtoLP); }

int DeviceToLogicalExtent(HDC dc, SIZE* size) { return DeviceToLogicalSize(dc, size); }
