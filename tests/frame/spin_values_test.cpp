// The numbers of the angle and scale dialogs as a person types and spins them.
#include <gtest/gtest.h>

#include "frame/spin_values.h"

namespace {

TEST(SpinValues, StoredAnglesShowClockwiseDegrees)
{
    struct Row {
        int stored;
        int shownTenths;
    };
    const Row rows[] = {{900, 2700}, {-900, 900}, {1800, 1800}, {-1800, 1800}, {0, 0}, {450, 3150}, {-5, 5}};
    for (const Row& row : rows)
        EXPECT_EQ(row.shownTenths, ShownAngleTenths(row.stored)) << "stored " << row.stored;
}

TEST(SpinValues, TypedDegreesAreStoredCounterClockwise)
{
    struct Row {
        double typed;
        int stored;
    };
    const Row rows[] = {{90, -900}, {270, 900}, {180, 1800}, {-180, -1800}, {400, -400}, {0, 0}, {359.9, 1}};
    for (const Row& row : rows)
        EXPECT_EQ(row.stored, StoredAngle(TypedAngleTenths(row.typed))) << "typed " << row.typed;
}

TEST(SpinValues, AngleSpinStepsFifteenDegreesAndWraps)
{
    struct Row {
        double from;
        int step;
        int shownTenths;
    };
    const Row rows[] = {
        {100, kAngleSpinStep, 1050}, {100, -kAngleSpinStep, 900}, {90, kAngleSpinStep, 1050},
        {90, -kAngleSpinStep, 750},  {350, kAngleSpinStep, 0},    {360, kAngleSpinStep, 150},
        {0, -kAngleSpinStep, 3450},  {-10, -kAngleSpinStep, 0},   {-10, kAngleSpinStep, 150},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.shownTenths, SpinAngle(TypedAngleTenths(row.from), row.step))
            << "from " << row.from << " step " << row.step;
}

TEST(SpinValues, HugeTypedAnglesDoNotOverflow)
{
    EXPECT_EQ(360000, TypedAngleTenths(1e30));
    EXPECT_EQ(-360000, TypedAngleTenths(-1e30));
    EXPECT_EQ(0, StoredAngle(TypedAngleTenths(1e30)));
}

TEST(SpinValues, TypedScaleIsBroughtIntoRange)
{
    struct Row {
        const char* typed;
        int perMille;
    };
    const Row rows[] = {{"100", 1000}, {"150", 1500}, {"1000", 4000}, {"abc", 50},   {"", 50},
                        {"-20", 50},   {"5", 50},     {"400", 4000},  {"99999999999999", 4000}, {" 75", 750}};
    for (const Row& row : rows)
        EXPECT_EQ(row.perMille, TypedScale(row.typed)) << "typed '" << row.typed << "'";
}

TEST(SpinValues, ScaleSpinClimbsTheLadderOfQuarters)
{
    struct Row {
        int from;
        int step;
        int to;
    };
    const Row rows[] = {
        {1100, -kScaleSpinStep, 1000}, {1100, kScaleSpinStep, 1250}, {50, -kScaleSpinStep, 50},
        {4000, kScaleSpinStep, 4000},  {1000, -kScaleSpinStep, 750}, {1000, kScaleSpinStep, 1250},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.to, SpinScale(row.from, row.step)) << "from " << row.from << " step " << row.step;
}

} // namespace
