// The preferred size of a shape tool as typed into its dialog.
#include <gtest/gtest.h>

#include "frame/tool_slot_sizes.h"

namespace {

TEST(ToolSlotSizes, TypedSizesAreHeldToTwoInchesASide)
{
    struct Row {
        const char* name;
        ShownSize start;
        double typed;
        bool width;
        bool keep;
        bool metric;
        ShownSize shown;
        bool taken;
    };
    const Row rows[] = {
        {"3 inches wide", {1, 1}, 3, true, false, false, {2, 1}, true},
        {"10 cm wide in metric", {2.54, 2.54}, 10, true, false, true, {5.08, 2.54}, true},
        {"1.5 inches high", {1, 1}, 1.5, false, false, false, {1, 1.5}, true},
        {"a circle 3 inches wide", {1, 1}, 3, true, true, false, {2, 2}, true},
        {"a circle 1.25 inches high", {1, 1}, 1.25, false, true, false, {1.25, 1.25}, true},
        {"a width of 0", {1, 0.5}, 0, true, false, false, {1, 0.5}, false},
        {"a negative width", {1, 0.5}, -2, true, false, false, {1, 0.5}, false},
    };
    for (const Row& row : rows) {
        ShownSize shown = row.start;
        EXPECT_EQ(row.taken, ApplyTypedSize(&shown, row.typed, row.width, row.keep, row.metric)) << row.name;
        EXPECT_NEAR(row.shown.width, shown.width, 1e-9) << row.name;
        EXPECT_NEAR(row.shown.height, shown.height, 1e-9) << row.name;
    }
}

TEST(ToolSlotSizes, ShownSizesAreStoredInWholeUnits)
{
    EXPECT_EQ(1200, SlotUnits(2.0, false));
    EXPECT_EQ(1200, SlotUnits(5.08, true));
    EXPECT_EQ(599, SlotUnits(0.999, false));
    const ShownSize shown = ShownSizeOfSlot(1200, 300, true);
    EXPECT_NEAR(5.08, shown.width, 1e-9);
    EXPECT_NEAR(1.27, shown.height, 1e-9);
}

TEST(ToolSlotSizes, AdjustmentsOutsideTheTypesRangeAreBroughtIn)
{
    EXPECT_DOUBLE_EQ(0.5, ClampAdjustment(0.9, 0.0, 0.5));
    EXPECT_DOUBLE_EQ(0.1, ClampAdjustment(-3, 0.1, 0.5));
    EXPECT_DOUBLE_EQ(0.3, ClampAdjustment(0.3, 0.1, 0.5));
}

} // namespace
