#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "text/ten_edit.h"
#include "text/ten_notifications.h"
#include "text/text_layout.h"
#include "text_engine_support.h"

namespace {

std::vector<unsigned char> PlainBlock(const std::string& text, const TextParagraph& paragraph)
{
    return MakeBlock(text, {{static_cast<int>(text.size())}}, {paragraph});
}

// Two layouts agree on everything but where they were made.
void ExpectSameLines(const std::vector<TextLine>& a, const std::vector<TextLine>& b, const char* name)
{
    ASSERT_EQ(a.size(), b.size()) << name;
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(0, std::memcmp(&a[i], &b[i], sizeof(TextLine))) << name << " line " << i;
}

int RunWidthSum(const TestEditor& editor, const TextLine& line)
{
    const std::vector<TextRun> runs = editor.Runs();
    int extra = 0;
    for (int i = 0; i < line.runCount; ++i)
        extra += runs[static_cast<size_t>(line.firstRun + i)].justifyExtra;
    return extra;
}

} // namespace

TEST(TextLayout, EmptyTextHasOneParagraphLineWithOneEmptyRun)
{
    struct Case {
        const char* name;
        int alignment;
        int expectedLeft;
    } cases[] = {{"left", 0, 100}, {"right", 2, 1800 - 200}, {"centre", 6, 100 + (1800 - 300) / 2}};
    for (const Case& c : cases) {
        EditorSetup setup;
        setup.margins = {100, 50, 200, 0};
        setup.boxWidth = 1800;
        setup.alignment = c.alignment;
        TestEditor editor(setup);
        ASSERT_TRUE(editor.ok()) << c.name;
        const std::vector<TextLine> lines = editor.Lines();
        ASSERT_EQ(1u, lines.size()) << c.name;
        EXPECT_EQ(static_cast<uint32_t>(kLineEndsParagraph), lines[0].flags) << c.name;
        EXPECT_EQ(c.expectedLeft, lines[0].left) << c.name;
        EXPECT_EQ(50, lines[0].top) << c.name;
        EXPECT_EQ(editor.Formats()[0].height, lines[0].height) << c.name;
        EXPECT_EQ(editor.Formats()[0].ascent, lines[0].ascent) << c.name;
        EXPECT_EQ(1, lines[0].runCount) << c.name;
        EXPECT_EQ(0, editor.Runs()[0].length) << c.name;
    }
}

TEST(TextLayout, TrailingCrGivesAnEmptyLastLine)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("one\rtwo\r", Paragraph(0))));
    const std::vector<TextLine> lines = editor.Lines();
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ((std::vector<std::string>{"one", "two", ""}), editor.LineTexts());
    EXPECT_EQ(8, lines[2].firstPosition);
    EXPECT_EQ(0, lines[2].length);
    EXPECT_TRUE(lines[2].flags & kLineEndsParagraph);
    EXPECT_EQ(lines[1].top + lines[1].height, lines[2].top);
}

TEST(TextLayout, WordsWrapAndSpacesHangAtTheLineEnd)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("alpha beta gamma delta epsilon zeta eta theta", Paragraph(0))));
    editor.SetBox(1000, 32000);
    const std::vector<TextLine> lines = editor.Lines();
    const std::vector<std::string> texts = editor.LineTexts();
    ASSERT_GT(lines.size(), 2u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].wordWidth, 1000) << texts[i];
        EXPECT_NE(' ', texts[i].front()) << texts[i];
        if (i + 1 < lines.size()) {
            EXPECT_EQ(' ', texts[i].back()) << texts[i];
            EXPECT_GT(lines[i].width, lines[i].wordWidth) << texts[i];
            EXPECT_FALSE(lines[i].flags & kLineEndsParagraph) << texts[i];
        }
    }
}

TEST(TextLayout, AWordWiderThanTheBoxIsSplitOverLines)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    const std::string word(60, 'W');
    ASSERT_EQ(0, editor.Load(PlainBlock(word, Paragraph(0))));
    for (int width : {600, 150, 10}) {
        editor.SetBox(width, 32000);
        const std::vector<TextLine> lines = editor.Lines();
        ASSERT_GT(lines.size(), 1u) << width;
        int covered = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_GE(lines[i].length, 1) << width << " line " << i;
            EXPECT_EQ(covered, lines[i].firstPosition) << width << " line " << i;
            covered += lines[i].length;
            if (lines[i].length > 1) {
                EXPECT_LE(lines[i].wordWidth, width < 10 ? 10 : width) << width << " line " << i;
            }
        }
        EXPECT_EQ(60, covered) << width;
    }
}

TEST(TextLayout, WithoutWrappingALongLineStaysWholeAndNeverAlignsLeftOfTheMargin)
{
    EditorSetup setup;
    setup.options = 0;
    setup.alignment = 2;
    setup.margins = {40, 0, 0, 0};
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("a long line that is much wider than its little box", Paragraph(2))));
    editor.SetBox(500, 32000);
    const std::vector<TextLine> lines = editor.Lines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_GT(lines[0].width, 500);
    EXPECT_EQ(40, lines[0].left);
}

TEST(TextLayout, SoftHyphenEndsALineWithAShownHyphen)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    const std::string text = std::string("Hyphen") + kSoftHyphen + "ation";
    ASSERT_EQ(0, editor.Load(PlainBlock(text, Paragraph(0))));
    editor.SetBox(32000, 32000);
    const TextLine whole = editor.Lines()[0];
    ASSERT_EQ(1u, editor.Lines().size());
    EXPECT_FALSE(whole.flags & kLineEndsAtSoftHyphen);
    // Room for "Hyphen-" but not for the whole word.
    editor.SetBox(whole.wordWidth * 3 / 4, 32000);
    const std::vector<TextLine> lines = editor.Lines();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ((std::vector<std::string>{std::string("Hyphen") + kSoftHyphen, "ation"}), editor.LineTexts());
    EXPECT_TRUE(lines[0].flags & kLineEndsAtSoftHyphen);
    EXPECT_FALSE(lines[1].flags & kLineEndsAtSoftHyphen);
    // The soft hyphen is never drawn: the run stops before it.
    EXPECT_EQ(6, editor.Runs()[static_cast<size_t>(lines[0].firstRun)].drawnCount);
}

TEST(TextLayout, TabsAdvanceToTheNextStopAndIntervalZeroTakesNoSpace)
{
    for (int interval : {0, 300}) {
        TestEditor editor;
        ASSERT_TRUE(editor.ok());
        ASSERT_EQ(0, editor.Load(PlainBlock("ab\tcd", Paragraph(0, interval))));
        const std::vector<TextLine> lines = editor.Lines();
        const std::vector<TextRun> runs = editor.Runs();
        ASSERT_EQ(1u, lines.size()) << interval;
        ASSERT_EQ(2, lines[0].runCount) << interval;
        EXPECT_EQ(3, runs[0].length) << interval;
        EXPECT_EQ(2, runs[0].drawnCount) << interval;  // the tab is not drawn
        const int stop = interval == 0 ? runs[0].width : 300;
        EXPECT_EQ(stop, runs[1].x) << interval;
    }
}

TEST(TextLayout, JustifiedLinesFillTheWidthButNotTheLastLine)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("one two three four five six seven eight nine ten eleven twelve",
                                        Paragraph(32))));
    editor.SetBox(1000, 32000);
    const std::vector<TextLine> lines = editor.Lines();
    ASSERT_GT(lines.size(), 2u);
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_EQ(1000 + 18, lines[i].justifiedWidth) << "line " << i;
        EXPECT_EQ(1000 - lines[i].wordWidth, RunWidthSum(editor, lines[i])) << "line " << i;
    }
    const TextLine& last = lines.back();
    EXPECT_TRUE(last.flags & kLineEndsParagraph);
    EXPECT_EQ(last.width, last.justifiedWidth);
}

TEST(TextLayout, CentreVerticalAlignmentSplitsTheSpace)
{
    EditorSetup setup;
    setup.verticalAlignment = 6;
    setup.margins = {0, 30, 0, 10};
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("first\rsecond", Paragraph(0))));
    editor.SetBox(1800, 1001);
    const std::vector<TextLine> lines = editor.Lines();
    ASSERT_EQ(2u, lines.size());
    const int height = lines[1].top + lines[1].height - lines[0].top;
    EXPECT_EQ(30 + (1001 - 40 - height) / 2, lines[0].top);
}

TEST(TextLayout, TypingReflowsOnlyItsParagraph)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "paragraph number " + std::to_string(i) + " has a few words to wrap\r";
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock(text, Paragraph(0))));
    editor.SetBox(1200, 32000);
    const int lineCount = editor.state()->live.lineCount;
    // At the end of paragraph 3, typing that does not change its height.
    const int position = static_cast<int>(text.find('\r', text.find("number 3 ")));
    editor.Select(position, position);
    ASSERT_EQ(0, InsertTenText(editor.window(), "x", 1, kApplyMoveSelection));
    const int line = editor.state()->live.selectionStart.line;
    int end = 0;
    int first = 0;
    ASSERT_EQ(0, LayoutText(editor.window(), editor.state(), line - 1, line + 1, &end, &first));
    EXPECT_EQ(lineCount, editor.state()->live.lineCount);
    EXPECT_LE(end, line + 2);
    const std::vector<TextLine> incremental = editor.Lines();
    EXPECT_EQ(kErrNone, editor.Layout());
    ExpectSameLines(editor.Lines(), incremental, "one character");
    // Many characters: the paragraph grows and the lines below move down.
    const std::string more(200, 'y');
    ASSERT_EQ(0, InsertTenText(editor.window(), more.c_str(), static_cast<int>(more.size()),
                               kApplyMoveSelection | kApplyLayout));
    EXPECT_GT(editor.state()->live.lineCount, lineCount);
    const std::vector<TextLine> grown = editor.Lines();
    EXPECT_EQ(kErrNone, editor.Layout());
    ExpectSameLines(editor.Lines(), grown, "many characters");
}

TEST(TextLayout, TooLongBlocksAreReportedOncePerLayout)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock(std::string(25000, 'a') + " b", Paragraph(0))));
    TakeNotifications(TENN_TOOLONG);
    editor.SetBox(300, 32000);  // many lines and runs: the block passes 32767 bytes
    EXPECT_EQ(1, TakeNotifications(TENN_TOOLONG));
    editor.SetBox(32000, 32000);
    EXPECT_EQ(0, TakeNotifications(TENN_TOOLONG));
}

TEST(TextLayout, AFirstLineBeyondTheEndLaysOutNothing)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("a\rb", Paragraph(0))));
    editor.state()->stateFlags |= kTenRelayoutAfterUndo;
    int end = -1;
    int first = -1;
    EXPECT_EQ(0, LayoutText(editor.window(), editor.state(), 5, kLayoutToEnd, &end, &first));
    EXPECT_EQ(2, end);
    EXPECT_FALSE(editor.state()->stateFlags & kTenRelayoutAfterUndo);
}

TEST(TextLayout, MixedFormatsRaiseTheLineToTheTallest)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(MakeBlock("small BIG small", {{6, 0, 10}, {3, 0, 30}, {6, 0, 10}}, {Paragraph(0)})));
    const std::vector<TextLine> lines = editor.Lines();
    const std::vector<TextFormat> formats = editor.Formats();
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(formats[1].ascent, lines[0].ascent);
    EXPECT_GE(lines[0].height, formats[1].height);
    EXPECT_EQ(3, lines[0].runCount);
}
