#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "view/ruler_paint.h"
#include "view/ruler_scale.h"

namespace {

struct ScaleBytes {
    unsigned char bytes[32] = {};
    ScaleBytes(int32_t shown, int32_t inch, double spacing, int32_t subdivisions, double label)
    {
        std::memcpy(bytes + 0, &shown, 4);
        std::memcpy(bytes + 4, &inch, 4);
        std::memcpy(bytes + 8, &spacing, 8);
        std::memcpy(bytes + 16, &subdivisions, 4);
        std::memcpy(bytes + 20, &label, 8);
    }
};

RulerScaleValues Scale(int inch, double spacing, int subdivisions, double label = 1.0)
{
    return RulerScaleValues{1, inch, spacing, subdivisions, label};
}

} // namespace

TEST(RulerScale, DamagedStoredScalesFallBackToTheDefault)
{
    struct Case {
        const char* name;
        ScaleBytes bytes;
        bool sound;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"inch in twelve", ScaleBytes(1, 1, 100.0, 12, 1.0), true},
        {"centimetre in ten", ScaleBytes(1, 0, 100.0, 10, 1.0), true},
        {"no subdivisions", ScaleBytes(1, 1, 100.0, 0, 1.0), false},
        {"negative subdivisions", ScaleBytes(1, 1, 100.0, -4, 1.0), false},
        {"zero spacing", ScaleBytes(1, 1, 0.0, 12, 1.0), false},
        {"negative spacing", ScaleBytes(1, 1, -100.0, 12, 1.0), false},
        {"spacing not a number", ScaleBytes(1, 1, nan, 12, 1.0), false},
        {"endless spacing", ScaleBytes(1, 1, infinity, 12, 1.0), false},
        {"huge subdivisions", ScaleBytes(1, 1, 100.0, 1 << 30, 1.0), false},
        {"label not a number", ScaleBytes(1, 1, 100.0, 12, nan), false},
    };
    for (const Case& c : cases) {
        const RulerScaleValues scale = ReadRulerScaleBytes(c.bytes.bytes);
        EXPECT_TRUE(IsRulerScaleSound(scale)) << c.name;
        if (c.sound) {
            double spacing = 0;
            std::memcpy(&spacing, c.bytes.bytes + 8, 8);
            EXPECT_EQ(spacing, scale.spacing) << c.name;
        } else {
            EXPECT_EQ(12, scale.subdivisions) << c.name;
            EXPECT_EQ(100.0, scale.spacing) << c.name;
        }
        // Positions and label steps never divide by zero.
        EXPECT_GE(HorizontalLabelStep(scale, 100), 1) << c.name;
        EXPECT_GE(VerticalLabelStep(scale, 100), 1) << c.name;
    }
}

TEST(RulerScale, MutatedScalesAlwaysReadAsSoundOnes)
{
    std::mt19937 random(20261210);
    ScaleBytes base(1, 1, 100.0, 12, 1.0);
    for (int round = 0; round < 2000; ++round) {
        ScaleBytes mutated = base;
        const int flips = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < flips; ++i)
            mutated.bytes[random() % 32] = static_cast<unsigned char>(random());
        const RulerScaleValues scale = ReadRulerScaleBytes(mutated.bytes);
        ASSERT_TRUE(IsRulerScaleSound(scale)) << "round " << round;
        ASSERT_GE(HorizontalLabelStep(scale, 2000), 1) << "round " << round;
        ASSERT_GE(RulerPosition(scale, 3, 1, 500), 0) << "round " << round;
    }
}

TEST(RulerScale, PositionsFollowTheZoomFrom75PerMille)
{
    struct Case {
        const char* name;
        RulerScaleValues scale;
        int major, sub, zoom, expected;
    };
    const Case cases[] = {
        {"inch at 100 per cent", Scale(1, 100.0, 12), 2, 0, 0, 200},
        {"subdivision truncates", Scale(1, 100.0, 12), 0, 1, 0, 8},
        {"centimetre", Scale(0, 100.0, 10), 1, 0, 0, 39},
        {"doubled", Scale(1, 100.0, 12), 1, 0, 2000, 200},
        {"below 75 unscaled", Scale(1, 100.0, 12), 1, 0, 50, 100},
        {"half", Scale(1, 100.0, 12), 1, 6, 500, 75},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, RulerPosition(c.scale, c.major, c.sub, c.zoom)) << c.name;
}

TEST(RulerScale, LabelStepsThinCrowdedLabels)
{
    struct Case {
        const char* name;
        RulerScaleValues scale;
        int zoom, horizontal, vertical;
    };
    const Case cases[] = {
        {"room enough", Scale(1, 100.0, 12), 0, 1, 1},
        {"twelve at a fifth", Scale(1, 100.0, 12), 200, 3, 3},
        {"ten at a tenth", Scale(1, 100.0, 10), 100, 5, 4},
        {"eight at a tenth", Scale(1, 100.0, 8), 100, 4, 4},
        {"twelve at a tenth", Scale(1, 100.0, 12), 100, 6, 5},
        {"ten crowded twice", Scale(1, 50.0, 10), 100, 10, 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.horizontal, HorizontalLabelStep(c.scale, c.zoom)) << c.name;
        EXPECT_EQ(c.vertical, VerticalLabelStep(c.scale, c.zoom)) << c.name;
    }
}

TEST(RulerScale, LabelsShowDecimalsBelowOne)
{
    struct Case {
        double label;
        int k, index;
        const char* expected;
    };
    const Case cases[] = {{0.05, 1, 3, "0.15"}, {0.5, 1, 3, "1.5"}, {1.0, 2, 3, "6"}, {2.5, 1, 1, "2"}};
    for (const Case& c : cases) {
        char text[32];
        FormatRulerLabel(c.label, c.k, c.index, text, sizeof(text));
        EXPECT_STREQ(c.expected, text) << c.label;
    }
}
