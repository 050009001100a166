// Numeric helpers of the shape geometry: conversions truncate toward zero and
// never let a NaN or an out-of-range value reach an integer coordinate.
#pragma once
#include <cmath>
#include <climits>

inline int TruncToInt(double value)
{
    if (!(value == value))
        return 0;
    if (value >= 2147483647.0)
        return INT_MAX;
    if (value <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(value);
}

// The square root of a value, 0 when the value is not positive.
inline double RootOrZero(double value)
{
    return value > 0.0 ? std::sqrt(value) : 0.0;
}
