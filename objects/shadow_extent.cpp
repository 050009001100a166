#include "objects/shadow_extent.h"

void GetShadowExtent(const DrawingRecord* drawing, RECT* extent, unsigned mask)
{
    *extent = {0, 0, 0, 0};
    if (!drawing)
        return;
    const ColorStyle& style = drawing->style;
    if (mask != 0 && (style.flags & mask) == 0)
        return;
    int dx = style.shadowDx;
    int dy = style.shadowDy;
    switch (style.shadowKind) {
    case 1:
    case 2:
        // The extrusions: the bottom side takes dx.
        *extent = {dx, dy, dx, dx};
        break;
    case 3:
    case 4:
    case 5:
        if (dx < 0)
            extent->left = -dx;
        else
            extent->right = dx;
        if (dy < 0)
            extent->top = -dy;
        else
            extent->bottom = dy;
        break;
    default:
        break;
    }
}
