#include "objects/selection_geometry.h"

#include <cstdlib>

#include "objects/geometry_math.h"

namespace {

const int kOutside = 30;
const int kInside = 24;
const int kSideHandleHalfSpan = 192;

RECT AroundPoint(POINT p)
{
    return {p.x - kOutside, p.y - kOutside, p.x + kInside, p.y + kInside};
}

} // namespace

void GetHandleRect(const DrawingObject* object, RECT* rect, int code, const POINT* corners)
{
    const RECT& f = object->frame;
    int k = object->kindCoordinate;
    switch (code) {
    case 20:
        *rect = {f.left - 30, k - 27, f.left + 24, k + 27};
        return;
    case 21:
        *rect = {f.right - 24, k - 27, f.right + 30, k + 27};
        return;
    case 22:
        *rect = {k - 27, f.top - 30, k + 27, f.top + 24};
        return;
    case 23:
        *rect = {k - 27, f.bottom - 24, k + 27, f.bottom + 30};
        return;
    case 24:
        *rect = {f.left - 30, f.top - 30, f.left + 24, f.top + 24};
        return;
    case 25:
        *rect = {f.right - 24, f.top - 30, f.right + 30, f.top + 24};
        return;
    case 26:
        *rect = {f.left - 30, f.bottom - 24, f.left + 24, f.bottom + 30};
        return;
    case 27:
        *rect = {f.right - 24, f.bottom - 24, f.right + 30, f.bottom + 30};
        return;
    default:
        break;
    }
    if (code < 1 || code > 8)
        return;
    int halfWidth = (f.right - f.left) / 2;
    int halfHeight = (f.bottom - f.top) / 2;
    if ((code == 5 || code == 6) && halfWidth < kSideHandleHalfSpan && object->sizingConstraint != 2) {
        SetRectEmpty(rect);
        return;
    }
    if ((code == 7 || code == 8) && halfHeight < kSideHandleHalfSpan && object->sizingConstraint != 1) {
        SetRectEmpty(rect);
        return;
    }
    if (corners) {
        // The corner points come TL, TR, BR, BL, then the side middles.
        static const int kPointOfCode[9] = {0, 0, 1, 3, 2, 4, 6, 7, 5};
        *rect = AroundPoint(corners[kPointOfCode[code]]);
        return;
    }
    int midX = halfWidth + f.left;
    int midY = halfHeight + f.top;
    POINT p;
    switch (code) {
    case 1: p = {f.left, f.top}; break;
    case 2: p = {f.right, f.top}; break;
    case 3: p = {f.left, f.bottom}; break;
    case 4: p = {f.right, f.bottom}; break;
    case 5: p = {midX, f.top}; break;
    case 6: p = {midX, f.bottom}; break;
    case 7: p = {f.left, midY}; break;
    default: p = {f.right, midY}; break;
    }
    *rect = AroundPoint(p);
}

void FitRectIn600(RECT* rect, POINT* point)
{
    int left = rect->left;
    int top = rect->top;
    OffsetRect(rect, -left, -top);
    if (point) {
        point->x -= left;
        point->y -= top;
    }
    int width = rect->right;
    int height = rect->bottom;
    if (width <= 600 && height <= 600)
        return;
    double sx = width > 600 ? 600.0 / width : 1.0;
    double sy = height > 600 ? 600.0 / height : 1.0;
    double s = sx < sy ? sx : sy;
    rect->right = TruncToInt(rect->right * s);
    rect->bottom = TruncToInt(rect->bottom * s);
    if (point) {
        point->x = TruncToInt(point->x * s);
        point->y = TruncToInt(point->y * s);
    }
}

int SideCodeOnRect(const RECT* rect, int x, int y)
{
    bool left = x == rect->left;
    bool right = x == rect->right;
    bool top = y == rect->top;
    bool bottom = y == rect->bottom;
    if (top && left)
        return 1;
    if (top && right)
        return 2;
    if (bottom && left)
        return 3;
    if (bottom && right)
        return 4;
    int toTop = std::abs(y - rect->top);
    int toBottom = std::abs(y - rect->bottom);
    int toLeft = std::abs(x - rect->left);
    int toRight = std::abs(x - rect->right);
    int best = toTop;
    int code = 5;
    if (toBottom < best) {
        best = toBottom;
        code = 6;
    }
    if (toLeft < best) {
        best = toLeft;
        code = 7;
    }
    if (toRight < best)
        code = 8;
    return code;
}
