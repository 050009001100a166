#include <gtest/gtest.h>

#include <float.h>

#include <cstring>

#include "common/float_control.h"

TEST(Float, SetFloatControlRestoresNearestRoundingWithExceptionsMasked)
{
    _controlfp(_RC_CHOP, _MCW_RC);
    ASSERT_EQ(static_cast<unsigned>(_RC_CHOP), _controlfp(0, 0) & _MCW_RC);
    SetFloatControl();
    const unsigned word = _controlfp(0, 0);
    EXPECT_EQ(static_cast<unsigned>(_RC_NEAR), word & _MCW_RC);
    const unsigned masks = _EM_INVALID | _EM_ZERODIVIDE | _EM_OVERFLOW | _EM_UNDERFLOW | _EM_INEXACT;
    EXPECT_EQ(masks, word & masks);
    volatile double zero = 0.0;
    volatile double result = 1.0 / zero; // masked: no trap
    EXPECT_GT(result, 1e308);
    volatile double third = 1.0;
    third = third / 3.0;
    const double value = third;
    unsigned long long bits = 0;
    memcpy(&bits, &value, sizeof(bits));
    EXPECT_EQ(0x3FD5555555555555ull, bits); // 53-bit, rounded to nearest
}
