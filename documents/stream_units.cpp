#include <cstdint>

#include "documents/record_stream.h"

int32_t ScaleToDrawingUnits(int32_t value, int fromUnits, int toUnits)
{
    const unsigned from = static_cast<uint16_t>(fromUnits);
    const unsigned to = static_cast<uint16_t>(toUnits);
    if (from == to || from == 0)
        return value;
    const double product = static_cast<double>(value) * (static_cast<double>(to) / static_cast<double>(from));
    if (product >= 2147483647.0)
        return INT32_MAX;
    if (product <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(product);
}
