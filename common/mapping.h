// The zoom mapping that makes 1/600 inch (or any units per inch) the logical
// unit of a device context, and size conversions between logical and device
// units.
#pragma once
#include <windows.h>

// Drawings measure in 1/600 inch.
const int kDrawingUnitsPerInch = 600;

// MM_ANISOTROPIC with window extent (unitsPerInch, unitsPerInch) and viewport
// extent the rounded resolution scaled by zoom / 1000 (zoom in per mille, 0 is
// 100 per cent). While a metafile is recorded only the mapping mode is set.
void SetZoomMapMode(HDC dc, int zoom, int unitsPerInch);

// GetDeviceCaps (or `fallback` while a metafile is recorded), rounded on a
// raster display by RoundDisplayResolution.
int GetRoundedDeviceCaps(HDC dc, int index, int fallback);

// The rounding of a raster display's value: up to 1000, values below 50 become
// 100 / (100 / value), others whole hundreds but at least 100 (96 and 120 dpi
// both count as 100). Larger values, and 0 or less, are returned unchanged.
int RoundDisplayResolution(int value);

// Convert a size in place as the difference of the converted points (dx, dy)
// and (0, 0), so the window and viewport origins do not enter. They return the
// new dy.
int LogicalToDeviceSize(HDC dc, SIZE* size);
int DeviceToLogicalSize(HDC dc, SIZE* size);
int DeviceToLogicalExtent(HDC dc, SIZE* size);
