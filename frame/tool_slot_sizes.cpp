#include "frame/tool_slot_sizes.h"

namespace {

const double kUnitsPerInch = 600.0;
const double kCentimetresPerInch = 2.54;
const double kHalfMostInches = 1.0;  // two inches a side at most

double PerInch(bool metric)
{
    return metric ? kCentimetresPerInch : 1.0;
}

} // namespace

ShownSize ShownSizeOfSlot(int widthUnits, int heightUnits, bool metric)
{
    return {widthUnits / kUnitsPerInch * PerInch(metric), heightUnits / kUnitsPerInch * PerInch(metric)};
}

bool ApplyTypedSize(ShownSize* shown, double typed, bool typedWidth, bool keepProportion, bool metric)
{
    if (!(typed > 0))
        return false;
    double width = typedWidth ? typed : shown->width;
    double height = typedWidth ? shown->height : typed;
    if (keepProportion)
        width = height = typed;
    const double halfWidth = width / PerInch(metric) / 2;
    const double halfHeight = height / PerInch(metric) / 2;
    if (keepProportion) {
        const double larger = halfWidth > halfHeight ? halfWidth : halfHeight;
        if (larger > kHalfMostInches) {
            width /= larger;
            height /= larger;
        }
    } else {
        if (halfWidth > kHalfMostInches)
            width /= halfWidth;
        if (halfHeight > kHalfMostInches)
            height /= halfHeight;
    }
    *shown = {width, height};
    return true;
}

int SlotUnits(double shown, bool metric)
{
    return static_cast<int>(shown / PerInch(metric) * kUnitsPerInch);
}

double ClampAdjustment(double value, double minimum, double maximum)
{
    if (value < minimum)
        return minimum;
    if (value > maximum)
        return maximum;
    return value;
}
