#include <gtest/gtest.h>
#include <windows.h>

#include "common/tool_tips.h"

namespace {

TEST(ToolTipPlacement, BelowThePointerUnlessAnEdgeIsNear)
{
    const SIZE screen = {1024, 768};
    const SIZE tip = {100, 16};
    struct Row {
        const char* name;
        POINT cursor;
        RECT source;
        RECT expected;
    };
    const Row rows[] = {
        {"16 below the pointer", {50, 40}, {40, 30, 70, 60}, {50, 56, 150, 72}},
        {"not right of the source's right edge less 8", {68, 40}, {40, 30, 70, 60}, {62, 56, 162, 72}},
        {"above the source near the bottom", {50, 750}, {40, 740, 70, 764}, {50, 710, 150, 726}},
        {"shifted left near the right edge", {1000, 40}, {980, 30, 1020, 60}, {924, 56, 1024, 72}},
    };
    for (const Row& row : rows) {
        const RECT placed = PlaceToolTipRect(row.cursor, tip, row.source, screen);
        EXPECT_EQ(row.expected.left, placed.left) << row.name;
        EXPECT_EQ(row.expected.top, placed.top) << row.name;
        EXPECT_EQ(row.expected.right, placed.right) << row.name;
        EXPECT_EQ(row.expected.bottom, placed.bottom) << row.name;
    }
}

} // namespace
