#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "common/mapping.h"
#include "common/string_helpers.h"
#include "text/character_spacing.h"
#include "text/ten_startup.h"
#include "text/text_measure.h"
#include "text/text_positions.h"
#include "text_engine_support.h"

namespace {

TextFormat MadeFormat(TestEditor& editor, int size, int script)
{
    TextFormat format = {};
    format.size = size;
    format.requestedSize = size;
    format.script = script;
    MakeFormatFont(editor.state(), &format);
    return format;
}

} // namespace

TEST(TextMeasuring, SuperscriptUsesThreeQuartersOfTheSizeAndRisesByHalfItsHeight)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    const TextFormat four = MadeFormat(editor, 4, 0);
    const TextFormat superFive = MadeFormat(editor, 5, 1);
    EXPECT_EQ(four.height, superFive.height);  // 5 x 3/4 = 3, raised to 4 points
    EXPECT_EQ(four.ascent + superFive.height / 2, superFive.ascent);
    const TextFormat plain = MadeFormat(editor, 24, 0);
    const TextFormat sub = MadeFormat(editor, 32, -1);
    EXPECT_EQ(plain.height, sub.height);  // 32 x 3/4 = 24
    EXPECT_EQ(plain.ascent - sub.height / 4, sub.ascent);
    EXPECT_GT(plain.height, 24 * 600 / 72 * 9 / 10);  // measured at 600 units per inch
}

TEST(TextMeasuring, EffectsMakeRoomAroundTheGlyphs)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    const TextFormat bare = MadeFormat(editor, 12, 0);
    struct Case {
        const char* name;
        int kind, dy, ascentExtra, heightExtra;
    } cases[] = {
        {"raised, up", 1, -6, 6, 12}, {"sunken, down", 2, 6, 6, 12}, {"shadow, up", 4, -6, 6, 6},
        {"shadow, down", 4, 6, 0, 6}, {"extruded, down", 3, 9, 0, 9}, {"none", 0, 6, 0, 0},
    };
    for (const Case& c : cases) {
        editor.state()->effect = TextEffect{0, c.dy, c.kind, 0, 0};
        const TextFormat withEffect = MadeFormat(editor, 12, 0);
        EXPECT_EQ(bare.ascent + c.ascentExtra, withEffect.ascent) << c.name;
        EXPECT_EQ(bare.height + c.heightExtra, withEffect.height) << c.name;
    }
}

TEST(TextMeasuring, CharacterSpacingIsAPercentOfTheAverageWidth)
{
    HDC dc = CreateCompatibleDC(nullptr);
    TextParagraph paragraphs[2] = {Paragraph(0), Paragraph(0)};
    paragraphs[1].characterSpacing = 50;
    TextFormat format = {};
    format.averageWidth = 30;
    format.paragraphIndex = 1;
    ApplyCharacterSpacing(dc, paragraphs, 2, &format);
    EXPECT_EQ(15, GetTextCharacterExtra(dc));
    format.paragraphIndex = 0;
    ApplyCharacterSpacing(dc, paragraphs, 2, &format);
    EXPECT_EQ(0, GetTextCharacterExtra(dc));
    format.paragraphIndex = 7;  // no such record: no spacing
    ApplyCharacterSpacing(dc, paragraphs, 2, &format);
    EXPECT_EQ(0, GetTextCharacterExtra(dc));
    DeleteDC(dc);
}

TEST(TextMeasuring, FittedWidthsAddUpToTheTarget)
{
    StartTextEngine();
    const char text[] = "Justified text at 150%";
    const int n = static_cast<int>(sizeof(text) - 1);
    struct Case {
        const char* name;
        int measured;  // added to the true total
        int extra, breaks;
    } cases[] = {
        {"exact", 0, 0, 0},
        {"exact with justification", 0, 40, 3},
        {"narrower", -30, 0, 0},
        {"wider", 25, 0, 0},
        {"wider with justification", 10, 40, 3},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> widths(n);
        for (int i = 0; i < n; ++i)
            widths[i] = 20 + (i % 5);
        const int total = std::accumulate(widths.begin(), widths.end(), 0);
        PendingJustification = {c.extra, c.breaks};
        FitCharWidths(text, widths.data(), n, total, total - c.measured);
        const int fitted = std::accumulate(widths.begin(), widths.end(), 0);
        EXPECT_EQ(total - c.measured + c.extra, fitted) << c.name;
        for (int w : widths)
            EXPECT_GE(w, 0) << c.name;
    }
    PendingJustification = {0, 0};
}

TEST(TextMeasuring, FittingSurvivesZeroDivisors)
{
    StartTextEngine();
    // Excess 0 (measured equals target) and a total made only of the last
    // character: nothing may be divided by zero.
    int32_t widths[3] = {0, 0, 50};
    PendingJustification = {0, 0};
    FitCharWidths("ab ", widths, 3, 50, 40);
    EXPECT_EQ(0, widths[0]);
    EXPECT_EQ(0, widths[1]);
    int32_t same[4] = {10, 11, 12, 13};
    FitCharWidths("abcd", same, 4, 46, 46);
    EXPECT_EQ(10, same[0]);
    EXPECT_EQ(13, same[3]);
    // Zero-width characters never go negative.
    int32_t thin[4] = {0, 0, 0, 30};
    FitCharWidths("abcd", thin, 4, 30, 10);
    for (int w : thin)
        EXPECT_GE(w, 0);
}

TEST(TextMeasuring, NearestCharacterTiesGoToTheShorter)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    const TextFormat format = MadeFormat(editor, 12, 0);
    (void)format;
    HDC dc = TestMeasuringDC();
    const char text[] = "WiW";
    const int w1 = LOWORD(GetTextExtentPacked(dc, text, 1));
    const int w2 = LOWORD(GetTextExtentPacked(dc, text, 2));
    int reached = 0;
    const int middle = (w1 + w2) / 2;
    EXPECT_EQ(1, FitCharsToWidth(dc, text, 0, 0, 0, 3, middle, &reached, 0, 3));
    EXPECT_EQ(w1, reached);
    EXPECT_EQ(2, FitCharsToWidth(dc, text, 0, 0, 0, 3, middle + 1, &reached, 0, 3));
    EXPECT_EQ(0, FitCharsToWidth(dc, text, 0, 0, 0, 3, w1 / 2, &reached, 0, 3));
    EXPECT_EQ(3, FitCharsToWidth(dc, text, 0, 0, 0, 3, 100000, &reached, 0, 3));
}

TEST(TextMeasuring, LinesAndFormatsAreFoundByPosition)
{
    TextFormat formats[3] = {};
    formats[0].start = 0;
    formats[1].start = 5;
    formats[2].start = 9;
    EXPECT_EQ(0, FindFormatAt(0, formats, 3));
    EXPECT_EQ(0, FindFormatAt(4, formats, 3));
    EXPECT_EQ(1, FindFormatAt(5, formats, 3));
    EXPECT_EQ(2, FindFormatAt(100, formats, 3));
    EXPECT_EQ(-1, FindFormatAt(-1, formats, 3));
    TextLine lines[3] = {};
    for (int i = 0; i < 3; ++i) {
        lines[i].top = 100 * i;
        lines[i].height = 100;
    }
    EXPECT_EQ(0, FindLineAtY(lines, 3, 0));
    EXPECT_EQ(1, FindLineAtY(lines, 3, 199));
    EXPECT_EQ(2, FindLineAtY(lines, 3, 250));
}
