#include <gtest/gtest.h>

#include <climits>

#include "view/scroll_view.h"

TEST(WheelScroll, ANotchScrollsTheSystemsLinesOrAPage)
{
    struct Case {
        const char* name;
        int delta;
        UINT lines;
        int page;
        int expected;
    };
    const Case cases[] = {
        {"a notch towards the user scrolls three lines down", -WHEEL_DELTA, 3, 500, 3 * kScrollLine},
        {"a notch away scrolls three lines up", WHEEL_DELTA, 3, 500, -3 * kScrollLine},
        {"two notches at once scroll twice as far", -2 * WHEEL_DELTA, 3, 500, 6 * kScrollLine},
        {"a fine wheel's third of a notch scrolls one line", -WHEEL_DELTA / 3, 3, 500, kScrollLine},
        {"the user's own count of lines", -WHEEL_DELTA, 5, 500, 5 * kScrollLine},
        {"no lines set: no scrolling", -WHEEL_DELTA, 0, 500, 0},
        {"page scrolling keeps a line of the old view", -WHEEL_DELTA, WHEEL_PAGESCROLL, 500, 500 - kScrollLine},
        {"page scrolling in a tiny view still moves a line", WHEEL_DELTA, WHEEL_PAGESCROLL, 20, -kScrollLine},
        {"a huge turn stays a 16-bit amount", -400 * WHEEL_DELTA, 100, 500, SHRT_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, WheelScrollAmount(c.delta, c.lines, c.page)) << c.name;
}
