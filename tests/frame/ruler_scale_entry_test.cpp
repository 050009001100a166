// The number typed after "Show:" in the rulers dialog: brought into range and
// rounded to a label step that the rulers can count in.
#include <gtest/gtest.h>

#include "frame/ruler_scale_entry.h"

namespace {

struct Row {
    const char* name;
    double typed;
    double shown;
    double labelStep;
    double unitsPerMajor;
};

const Row kRows[] = {
    {"zero is one", 0.0, 1.0, 1.0, 100.0},
    {"negative made positive", -3.0, 3.0, 3.0, 100.0},
    {"above the most", 500.0, 100.0, 100.0, 100.0},
    {"below the least", 0.001, 0.01, 0.01, 100.0},
    {"centimetres per inch", 2.54, 2.54, 3.0, 84.666666},
    {"a quarter", 0.25, 0.25, 0.2, 125.0},
    {"nine point six", 9.6, 9.6, 10.0, 96.0},
    {"fifteen stays ten", 15.0, 15.0, 10.0, 150.0},
    {"sixteen becomes twenty", 16.0, 16.0, 20.0, 80.0},
    {"a hundred", 100.0, 100.0, 100.0, 100.0},
};

TEST(RulerScaleEntry, TypedValuesGiveTheirLabelStepAndSpacing)
{
    for (const Row& row : kRows) {
        const TypedRulerScale scale = ScaleFromTyped(row.typed);
        EXPECT_NEAR(row.shown, scale.shown, 1e-9) << row.name;
        EXPECT_NEAR(row.labelStep, scale.labelStep, 1e-9) << row.name;
        EXPECT_NEAR(row.unitsPerMajor, scale.unitsPerMajor, 1e-4) << row.name;
    }
}

TEST(RulerScaleEntry, EveryTypedValueReachesADivision)
{
    // Whatever is typed, the spacing and the step are positive numbers.
    for (double typed = -200.0; typed <= 200.0; typed += 0.37) {
        const TypedRulerScale scale = ScaleFromTyped(typed);
        EXPECT_GT(scale.unitsPerMajor, 0.0) << typed;
        EXPECT_GT(scale.labelStep, 0.0) << typed;
        EXPECT_NEAR(scale.shown, ShownRulerScale(scale.labelStep, scale.unitsPerMajor), 1e-9) << typed;
    }
}

} // namespace
