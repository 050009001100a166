// The arrowhead words of the selected lines as the Arrowheads dialog takes
// them in and hands them back: what the lines differ in stays mixed.
#include <gtest/gtest.h>

#include "frame/arrow_choice.h"

namespace {

struct Row {
    const char* name;
    int32_t start;
    int32_t end;
    int32_t size;
    ArrowChoice choice;
};

const Row kRows[] = {
    {"plain heads", 2, 0, 1, {2, 0, 0, 0, 1}},
    {"displaced start", 0x105, 7, 2, {5, 7, 1, 0, 2}},
    {"start kinds differ", 0x00FF, 3, 0, {kMixedArrowKind, 3, 0, 0, 0}},
    {"end displacement differs", 1, 0xFF04, 0, {1, 4, 0, kMixedDisplacement, 0}},
    {"sizes differ", 1, 1, -1, {1, 1, 0, 0, kMixedArrowSize}},
    {"no line among the selection", -2, -2, -2, {kMixedArrowKind, kMixedArrowKind, kMixedDisplacement,
                                                 kMixedDisplacement, kMixedArrowSize}},
};

TEST(ArrowChoice, WordsComeInWithTheirMixedParts)
{
    for (const Row& row : kRows) {
        const ArrowChoice c = ArrowChoiceFromWords(row.start, row.end, row.size);
        EXPECT_EQ(row.choice.startKind, c.startKind) << row.name;
        EXPECT_EQ(row.choice.endKind, c.endKind) << row.name;
        EXPECT_EQ(row.choice.startShift, c.startShift) << row.name;
        EXPECT_EQ(row.choice.endShift, c.endShift) << row.name;
        EXPECT_EQ(row.choice.size, c.size) << row.name;
    }
}

TEST(ArrowChoice, AnUntouchedMixedPartGoesBackMixedAndAChosenOneAsChosen)
{
    ArrowChoice c = ArrowChoiceFromWords(0x00FF, 0xFF04, -1);
    int32_t start = 0;
    int32_t end = 0;
    int32_t size = 0;
    ArrowWordsFromChoice(c, &start, &end, &size);
    // The lines keep what was not touched: kind 255 and displacement 0xFF00 merge as "keep".
    EXPECT_EQ(0x00FF, start);
    EXPECT_EQ(0xFF04, end);
    EXPECT_EQ(-1, size);
    c.startKind = 9;
    c.endShift = 1;
    c.size = 2;
    ArrowWordsFromChoice(c, &start, &end, &size);
    EXPECT_EQ(9, start);
    EXPECT_EQ(0x104, end);
    EXPECT_EQ(2, size);
    EXPECT_FALSE(IsArrowChoiceMixed(c));
}

} // namespace
