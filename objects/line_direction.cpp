#include "objects/line_direction.h"

#include <cmath>

int ClassifyDirection(const RECT* rect, int tolerant)
{
    double dx = std::fabs(static_cast<double>(rect->right) - rect->left);
    double dy = std::fabs(static_cast<double>(rect->bottom) - rect->top);
    if (dy == 0.0 && dx != 0.0)
        return kLineHorizontal;
    if (dx == 0.0 && dy != 0.0)
        return kLineVertical;
    if (tolerant) {
        double r = dy / (dx > 6.0 ? dx : 6.0);
        if (r > 22.0)
            return kLineVertical;
        if (r < 0.04)
            return kLineHorizontal;
        return kLineSloped;
    }
    if (dx == 0.0 && dy == 0.0)
        return kLineHorizontal;
    if (dx < 6.0 && 3.0 * dy > dx)
        return kLineVertical;
    return kLineSloped;
}
