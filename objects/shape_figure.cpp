#include "objects/shape_figure.h"

#include <algorithm>

#include "common/display_flags.h"
#include "common/mapping.h"
#include "common/rect_helpers.h"
#include "objects/geometry_math.h"
#include "objects/outline_insets.h"
#include "objects/point_transforms.h"
#include "objects/shape_outlines.h"
#include "objects/shape_types.h"

namespace {

// One device pixel in logical units (one logical unit while a metafile is
// recorded, where there are no pixels to measure).
SIZE OneDeviceUnit(HDC dc)
{
    SIZE unit = {1, 1};
    if (!RenderingMetafile) {
        DeviceToLogicalSize(dc, &unit);
        unit.cx = std::max<LONG>(1, std::abs(unit.cx));
        unit.cy = std::max<LONG>(1, std::abs(unit.cy));
    }
    return unit;
}

bool NeverMirroredHere(int type)
{
    return type == kShapeDecision || type == kShapeTriangle || type == kShapeReverseTriangle;
}

// Outer outlines built in the pen-adjusted rectangle against the full frame.
bool OuterAgainstFrame(int type)
{
    return type == 5 || (type >= 10 && type <= 13) || (type >= 16 && type <= 19) || (type >= 21 && type <= 23);
}

// The band between the outer outline and the inner one inset by the line width.
void DrawRing(HDC dc, const RECT* rect, int lineWidth, double parameter, int type, HGLOBAL freeform,
              HBRUSH ringBrush, unsigned flags)
{
    POINT outer[kOutlineBufferPoints];
    POINT inner[kOutlineBufferPoints];
    POINT ring[2 * kOutlineBufferPoints + 1];
    int outerCount = 0;
    BuildShapeOutline(rect, rect, parameter, type, 0, freeform, outer, &outerCount);
    RECT insets;
    ComputeOutlineInsets(rect, lineWidth, parameter, type, &insets);
    RECT innerRect = *rect;
    if (!RenderingMetafile) {
        SIZE leading = {insets.left, insets.top};
        SIZE trailing = {insets.right, insets.bottom};
        LogicalToDeviceSize(dc, &leading);
        LogicalToDeviceSize(dc, &trailing);
        insets = {std::max<LONG>(1, leading.cx), std::max<LONG>(1, leading.cy), std::max<LONG>(1, trailing.cx),
                  std::max<LONG>(1, trailing.cy)};
        POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
        LPtoDP(dc, corners, 2);
        innerRect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        ShrinkRect(&innerRect, &insets);
        POINT back[2] = {{innerRect.left, innerRect.top}, {innerRect.right, innerRect.bottom}};
        DPtoLP(dc, back, 2);
        innerRect = {back[0].x, back[0].y, back[1].x, back[1].y};
    } else {
        insets = {std::max<LONG>(1, insets.left), std::max<LONG>(1, insets.top), std::max<LONG>(1, insets.right),
                  std::max<LONG>(1, insets.bottom)};
        ShrinkRect(&innerRect, &insets);
    }
    int innerCount = 0;
    BuildShapeOutline(&innerRect, rect, parameter, type, lineWidth, freeform, inner, &innerCount);
    if (outerCount < 1 || innerCount < 1)
        return;
    if (type == kShapeManualInput) {
        inner[0].y = inner[0].y - (innerRect.top - rect->top) + (innerRect.left - rect->left);
        inner[innerCount - 1].y = inner[0].y;
    }
    int n = 0;
    ring[n++] = outer[0];
    for (int i = innerCount - 1; i >= 0; --i)
        ring[n++] = inner[i];
    for (int i = 0; i < outerCount; ++i)
        ring[n++] = outer[i];
    if ((flags & 0x18) && !NeverMirroredHere(type))
        FlipPoints(rect, flags, ring, n);
    int saved = SaveDC(dc);
    SetPolyFillMode(dc, WINDING);
    SelectObject(dc, GetStockObject(NULL_PEN));
    if (ringBrush)
        SelectObject(dc, ringBrush);
    Polygon(dc, ring, n);
    RestoreDC(dc, saved);
}

} // namespace

void DrawShapeFigure(HDC dc, const RECT* rect, const RECT* centreRect, int lineWidth, double parameter,
                     int shapeType, int rotation, HGLOBAL freeform, int noPen, HBRUSH ringBrush, unsigned flags)
{
    POINT points[kOutlineBufferPoints];
    int count = 0;
    RECT r = *rect;
    const bool needsUnit = noPen || (rotation == 0 && IsRingOutlineType(shapeType) && lineWidth != 0);
    const SIZE unit = needsUnit ? OneDeviceUnit(dc) : SIZE{1, 1};
    if (noPen) {
        // Without a pen GDI leaves the right and bottom edges out.
        r.right += unit.cx;
        r.bottom += unit.cy;
    }
    if (rotation != 0) {
        BuildTransformedShapeOutline(rect, centreRect, parameter, shapeType, rotation, freeform, points, &count,
                                     flags);
        Polygon(dc, points, count);
        return;
    }
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    switch (shapeType) {
    case kShapePicture:
    case kShapeRectangle:
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        return;
    case kShapeRoundRect: {
        int corner = TruncToInt(std::min(width, height) * parameter * 2.0);
        RoundRect(dc, r.left, r.top, r.right, r.bottom, corner, corner);
        return;
    }
    case kShapeOval:
    case kShapeCircle:
        Ellipse(dc, r.left, r.top, r.right, r.bottom);
        return;
    case kShapeTerminate:
        RoundRect(dc, r.left, r.top, r.right, r.bottom, height, height);
        return;
    case kShapeFreeform:
        BuildShapeOutline(&r, rect, parameter, kShapeFreeform, 0, freeform, points, &count);
        if (flags & 0x18)
            FlipPoints(&r, flags, points, count);
        Polygon(dc, points, count);
        return;
    default:
        break;
    }
    if (!IsRingOutlineType(shapeType))
        return;
    int d = 0;
    if (!noPen && lineWidth != 0) {
        r.right -= unit.cx;
        r.bottom -= unit.cy;
        d = rect->bottom - r.bottom;
    }
    if (OuterAgainstFrame(shapeType))
        BuildShapeOutline(&r, rect, parameter, shapeType, 0, freeform, points, &count);
    else
        BuildShapeOutline(&r, &r, parameter, shapeType, d, freeform, points, &count);
    if ((flags & 0x18) && !NeverMirroredHere(shapeType))
        FlipPoints(&r, flags, points, count);
    Polygon(dc, points, count);
    if (lineWidth > 1)
        DrawRing(dc, rect, lineWidth, parameter, shapeType, freeform, ringBrush, flags);
}
