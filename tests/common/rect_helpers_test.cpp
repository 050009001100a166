#include <gtest/gtest.h>

#include "common/rect_helpers.h"

namespace {

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(Rect, SetRectFromPointsOrdersCorners)
{
    struct Case {
        const char* name;
        int x1, y1, x2, y2;
        RECT expected;
    };
    const Case cases[] = {
        {"already ordered", 1, 2, 30, 40, {1, 2, 30, 40}},
        {"both swapped", 30, 40, 1, 2, {1, 2, 30, 40}},
        {"x swapped", 30, 2, 1, 40, {1, 2, 30, 40}},
        {"y swapped", 1, 40, 30, 2, {1, 2, 30, 40}},
        {"negative", -5, 7, -50, -70, {-50, -70, -5, 7}},
        {"empty", 3, 3, 3, 3, {3, 3, 3, 3}},
    };
    for (const Case& c : cases) {
        RECT r = {99, 99, 99, 99};
        SetRectFromPoints(&r, c.x1, c.y1, c.x2, c.y2);
        EXPECT_TRUE(Same(c.expected, r)) << c.name;
    }
}

TEST(Rect, ExpandAndShrinkAreOpposites)
{
    const RECT start = {100, 200, 300, 400};
    const RECT by = {1, 2, 3, 4};
    RECT r = start;
    ExpandRect(&r, &by);
    EXPECT_TRUE(Same(RECT{99, 198, 303, 404}, r));
    ShrinkRect(&r, &by);
    EXPECT_TRUE(Same(start, r));
    ShrinkRect(&r, &by);
    EXPECT_TRUE(Same(RECT{101, 202, 297, 396}, r));
}
