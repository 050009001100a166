// Length labels: formatting in each unit and the rewriting of the number in
// a label's text.
#include <gtest/gtest.h>

#include <string>

#include "lines/length_label.h"

namespace {

RulerScaleView Scale(int unit, int inch = 1)
{
    return {inch, 100.0, 1.0, unit};
}

std::string Format(const RulerScaleView& scale, double length)
{
    char number[261];
    char unit[261];
    FormatLength(scale, length, number, unit);
    return std::string(number) + "|" + unit;
}

TEST(LengthLabels, FormatsInEveryUnit)
{
    struct Case {
        int unit;
        int inch;
        double length;
        const char* text;
    } cases[] = {
        {1, 1, 900, "1.5|\""},
        {4, 0, 900, "3.8|cm"},
        {3, 0, 900, "3.8|mm"},
        {5, 1, 900, "1.50|m"},
        {0, 1, 900, "1.5|"},
        {2, 1, 600 * 5.25, "5'3|\""},
        {2, 1, 600 * 5.99, "5'11.9|\""},
        // inches that round to a whole foot carry: never 5'12
        {2, 1, 600 * 5.996, "6'0|\""},
        {2, 1, 600 * 0.5, "0'6|\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, Format(Scale(c.unit, c.inch), c.length)) << c.unit << " " << c.length;
}

TEST(LengthLabels, AScaleWithoutUnitsDoesNotDivideByZero)
{
    RulerScaleView scale = {1, 0.0, 0.0, 1};
    EXPECT_EQ("1.5|\"", Format(scale, 900));
}

TEST(LengthLabels, TheNumberAndItsUnitAreReplaced)
{
    struct Case {
        const char* before;
        const char* after;
    } cases[] = {
        {"Cable 12.5mm long", "Cable 20.0mm long"},
        // the old unit after a blank goes with the number
        {"Cable 12.5 mm long", "Cable 20.0mm long"},
        {"Cable", "20.0mmCable"},
        {"12.5", "20.0mm"},
        // a full stop alone is no number
        {"End. 12.5mm", "End. 20.0mm"},
        {"", "20.0mm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.after, ReplaceLengthInText(c.before, "20.0", "mm", 0)) << c.before;
    EXPECT_EQ("Run 6'1\" up", ReplaceLengthInText("Run 5'3\" up", "6'1", "\"", '\''));
}

// A new ruler unit: the inch mark gives way to the new unit instead of staying behind it.
TEST(LengthLabel, RelabelledInANewUnitTheOldUnitTextGoes)
{
    struct Case {
        const char* before;
        const char* oldUnit;
        const char* after;
    } cases[] = {
        {"Run 1.5\" up", "\"", "Run 3.8cm up"},
        {"Run 1.5 \" up", "\"", "Run 3.8cm up"},
        {"Run 38.1mm", "mm", "Run 3.8cm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.after, ReplaceLengthInText(c.before, "3.8", "cm", 0, c.oldUnit)) << c.before;
    EXPECT_EQ("Run 3.8cm up", ReplaceLengthInText("Run 1'3\" up", "3.8", "cm", '\'', "\""));
}
} // namespace
