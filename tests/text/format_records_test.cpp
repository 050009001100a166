#include <gtest/gtest.h>

#include <vector>

#include "text/format_records.h"
#include "text/ten_arrays.h"
#include "text_engine_support.h"

namespace {

// The stretches of an editor's formats as (start, length, size) triples.
struct Stretch {
    int start, length, size;
    bool operator==(const Stretch& o) const { return start == o.start && length == o.length && size == o.size; }
};

std::vector<Stretch> Stretches(const TestEditor& editor)
{
    std::vector<Stretch> result;
    for (const TextFormat& f : editor.Formats())
        result.push_back({f.start, f.length, f.size});
    return result;
}

// Puts raw formats into the editor without normalising them.
void PutFormats(TestEditor& editor, const std::vector<Stretch>& stretches)
{
    TenTextState& live = editor.state()->live;
    ASSERT_EQ(kErrNone, ResizeBlock(&live.formats, sizeof(TextFormat) * stretches.size()));
    auto* formats = static_cast<TextFormat*>(GlobalLock(live.formats));
    for (size_t i = 0; i < stretches.size(); ++i) {
        TextFormat f = {};
        f.size = stretches[i].size;
        f.requestedSize = stretches[i].size;
        f.start = stretches[i].start;
        f.length = stretches[i].length;
        formats[i] = f;
    }
    GlobalUnlock(live.formats);
    live.formatCount = static_cast<int>(stretches.size());
}

} // namespace

TEST(TextFormatRecords, NormalFormJoinsEqualNeighboursAndDropsAnEmptyLast)
{
    EditorSetup setup;
    setup.text = "aabb";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    struct Case {
        const char* name;
        std::vector<Stretch> before;
        std::vector<Stretch> after;
    } cases[] = {
        {"A A B B empty", {{0, 1, 10}, {1, 1, 10}, {2, 1, 12}, {3, 1, 12}, {4, 0, 14}}, {{0, 2, 10}, {2, 2, 12}}},
        {"single empty", {{0, 0, 10}}, {{0, 0, 10}}},
        {"all equal", {{0, 1, 10}, {1, 2, 10}, {3, 1, 10}}, {{0, 4, 10}}},
        {"alternating", {{0, 1, 10}, {1, 1, 12}, {2, 2, 10}}, {{0, 1, 10}, {1, 1, 12}, {2, 2, 10}}},
    };
    for (const Case& c : cases) {
        PutFormats(editor, c.before);
        EXPECT_EQ(kErrNone, NormalizeFormats(editor.state())) << c.name;
        EXPECT_EQ(c.after, Stretches(editor)) << c.name;
    }
}

TEST(TextFormatRecords, JoinAndSplitRefuseIndexesOutsideTheArray)
{
    EditorSetup setup;
    setup.text = "abcd";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    PutFormats(editor, {{0, 2, 10}, {2, 2, 12}});
    EXPECT_EQ(1, MergeFormatWithNext(editor.state(), 1));
    EXPECT_EQ(1, SplitFormat(editor.state(), 2, 3));
    EXPECT_EQ((std::vector<Stretch>{{0, 2, 10}, {2, 2, 12}}), Stretches(editor));
    EXPECT_EQ(kErrNone, SplitFormat(editor.state(), 0, 1));
    EXPECT_EQ((std::vector<Stretch>{{0, 1, 10}, {1, 1, 10}, {2, 2, 12}}), Stretches(editor));
}

TEST(TextFormatRecords, EqualityIgnoresRunTimeValues)
{
    TextFormat a = {};
    a.size = 12;
    TextFormat b = a;
    b.font = 1234;
    b.ascent = 99;
    b.height = 120;
    b.rotation = 900;
    b.start = 40;
    b.length = 3;
    EXPECT_EQ(1, FormatsEqual(a, b));
    b.requestedSize = 14;
    EXPECT_EQ(0, FormatsEqual(a, b));
}

TEST(TextFormatRecords, SizeStepsCountBoundarySizesToTheLowerBandWhenShrinking)
{
    struct Case {
        int size, shrinking, step;
    } cases[] = {{4, 0, 1}, {11, 0, 1}, {12, 0, 2}, {23, 0, 2}, {24, 0, 12}, {144, 0, 12},
                 {12, 1, 1}, {13, 1, 2}, {24, 1, 2}, {25, 1, 12}, {5, 1, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.step, FontSizeStep(c.size, c.shrinking)) << c.size << (c.shrinking ? " shrink" : " grow");
}

TEST(TextFormatRecords, ParagraphTailKeepsSymbolStretchesApart)
{
    const char text[] = "ab\rcd\ref";
    TextFormat a = {};
    a.start = 0;
    a.length = 4;
    a.paragraphIndex = 0;
    TextFormat b = a;
    b.start = 4;
    b.length = 4;
    b.paragraphIndex = 1;
    // B continues A's paragraph "cd" up to the CR after it.
    EXPECT_EQ(6, FindParagraphTail(text, 8, a, b));
    TextFormat symbol = b;
    symbol.flags = kFormatEnteredAsSymbol;
    EXPECT_EQ(0, FindParagraphTail(text, 8, a, symbol));
    TextFormat same = b;
    same.paragraphIndex = 0;
    EXPECT_EQ(0, FindParagraphTail(text, 8, a, same));
    TextFormat afterBreak = b;
    afterBreak.start = 3;
    TextFormat shortA = a;
    shortA.length = 3;
    EXPECT_EQ(0, FindParagraphTail(text, 8, shortA, afterBreak));
}

TEST(TextFormatRecords, TakingParagraphAttributesKeepsBreakBeforeOfTheFirstAndRuleOfTheLast)
{
    TextFormat a = {};
    a.paragraphIndex = 2;
    a.flags = kFormatNewBreakArea;
    TextFormat b = {};
    b.paragraphIndex = 5;
    b.flags = kFormatRuleBelow1;
    TakeParagraphAttributes(nullptr, nullptr, &a, &b);
    EXPECT_EQ(2, b.paragraphIndex);
    EXPECT_EQ(static_cast<uint32_t>(kFormatNewBreakArea | kFormatRuleBelow1), b.flags);
    EXPECT_EQ(b.flags, a.flags);
}

TEST(TextFormatRecords, SymbolFlagFollowsTheFacesCharacterSet)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    TextFormat format = {};
    for (int face = 0; face < 5; ++face) {
        format.face = face;
        UpdateSymbolFlag(editor.state(), &format);
        EXPECT_EQ(face == 3 ? 1 : 0, IsSymbolFormat(format)) << "face " << face;
    }
}

TEST(TextFormatRecords, PlainFaceFallsBackToTheDefaultFace)
{
    EditorSetup setup;
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(MakeBlock("ab", {{1, 3, 12, 0, 0, 0, kFormatSymbolFace}, {1, 3, 14, 0, 0, 0, kFormatSymbolFace}}, {Paragraph(0)})));
    editor.state()->defaultFace = 2;
    editor.Select(1, 1);
    EXPECT_EQ(2, FindPlainFace(editor.state()));
    ASSERT_EQ(0, editor.Load(MakeBlock("abc", {{1, 1}, {1, 3, 12, 0, 0, 0, kFormatSymbolFace}, {1, 3, 14, 0, 0, 0, kFormatSymbolFace}}, {Paragraph(0)})));
    editor.Select(2, 2);
    EXPECT_EQ(1, FindPlainFace(editor.state()));
}

TEST(TextFormatRecords, AligningLinesNeverPutsThemLeftOfTheMargin)
{
    TextLine lines[2] = {};
    lines[0].wordWidth = 400;
    lines[1].wordWidth = 1200;
    TextFormat format = {};
    TextParagraph right = Paragraph(2);
    right.leftIndent = 30;
    AlignTenLines(lines, &format, &right, 2, 1, 1, 100, 1000);
    EXPECT_EQ(100 + 600 + 30, lines[0].left);
    EXPECT_EQ(100 + 30, lines[1].left);
    TextParagraph centre = Paragraph(6);
    AlignTenLines(lines, &format, &centre, 2, 1, 1, 100, 1001);
    EXPECT_EQ(100 + 300, lines[0].left);
}

TEST(TextFormatRecords, TallTextsStayAtTheTopMargin)
{
    TextLine lines[2] = {};
    lines[0].top = 500;
    lines[0].height = 100;
    lines[1].top = 600;
    lines[1].height = 100;
    PlaceTenLinesVertically(lines, 2, 6, 20, 100);
    EXPECT_EQ(20, lines[0].top);
    EXPECT_EQ(120, lines[1].top);
    PlaceTenLinesVertically(lines, 2, 8, 20, 1000);
    EXPECT_EQ(20 + 800, lines[0].top);
    PlaceTenLinesVertically(lines, 2, 6, 20, 1001);
    EXPECT_EQ(20 + 400, lines[0].top);
}
