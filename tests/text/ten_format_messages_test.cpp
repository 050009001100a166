// Character and paragraph formats set and read through the editor's
// messages.
#include <gtest/gtest.h>

#include "text/font_dialogs.h"
#include "text/ten_char_format.h"
#include "text/ten_edit.h"
#include "text/ten_messages.h"
#include "text/ten_replace_selection.h"
#include "text_engine_support.h"

namespace {

const WPARAM kLayoutAndUndo = kApplyLayout | kApplyUndoStep;

LPARAM StyleValue(int mode, int mask) { return PackTenPair(mode, mask); }

} // namespace

TEST(TextEditorFormats, BoldInsideOneFormatSplitsItAndBoldOffJoinsItBack)
{
    EditorSetup setup;
    setup.text = "plain bold plain";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(1u, editor.Formats().size());
    SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(6, 10));
    EXPECT_EQ(0, SendMessageA(editor.window(), TENM_SETCHARFORMAT, kLayoutAndUndo | kCharStyle, StyleValue(1, 1)));
    auto formats = editor.Formats();
    ASSERT_EQ(3u, formats.size());
    EXPECT_EQ(0, formats[0].style);
    EXPECT_EQ(1, formats[1].style);
    EXPECT_EQ(6, formats[1].start);
    EXPECT_EQ(4, formats[1].length);
    EXPECT_EQ(0, formats[2].style);
    EXPECT_EQ(1, SendMessageA(editor.window(), TENM_GETCHARFORMAT, kCharStyle, 0));
    SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(4, 8));
    EXPECT_EQ(kMixedStyle, SendMessageA(editor.window(), TENM_GETCHARFORMAT, kCharStyle, 0));
    SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(6, 10));
    SendMessageA(editor.window(), TENM_SETCHARFORMAT, kLayoutAndUndo | kCharStyle, StyleValue(0, 1));
    formats = editor.Formats();
    ASSERT_EQ(1u, formats.size());
    EXPECT_EQ(0, formats[0].style);
    EXPECT_EQ(16, formats[0].length);
}

TEST(TextEditorFormats, UndoOfAFormatStepBringsTheRecordsBack)
{
    EditorSetup setup;
    setup.text = "abcdef";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(1, 3));
    SendMessageA(editor.window(), TENM_SETCHARFORMAT, kLayoutAndUndo | kCharStyle, StyleValue(1, 2));
    ASSERT_EQ(3u, editor.Formats().size());
    EXPECT_EQ(6, SendMessageA(editor.window(), TENM_GETUNDOKIND, 0, 0));
    SendMessageA(editor.window(), EM_UNDO, 0, 0);
    EXPECT_EQ(1u, editor.Formats().size());
    SendMessageA(editor.window(), EM_UNDO, 0, 0);
    EXPECT_EQ(3u, editor.Formats().size());
}

TEST(TextEditorFormats, GrowAndShrinkStepThroughTheSizeLadder)
{
    EditorSetup setup;
    setup.text = "sized";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    struct Case {
        const char* name;
        int from;
        int selector;
        int expected;
    } cases[] = {
        {"grow 11", 11, kCharGrow, 12},   {"grow 12", 12, kCharGrow, 14},   {"grow 22", 22, kCharGrow, 24},
        {"grow 24", 24, kCharGrow, 36},   {"grow 144", 144, kCharGrow, 144}, {"shrink 36", 36, kCharShrink, 24},
        {"shrink 24", 24, kCharShrink, 22}, {"shrink 12", 12, kCharShrink, 11}, {"shrink 4", 4, kCharShrink, 4},
    };
    for (const Case& c : cases) {
        SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(0, 32000));
        SendMessageA(editor.window(), TENM_SETCHARFORMAT, kApplyLayout | kCharSize, c.from);
        SendMessageA(editor.window(), TENM_SETCHARFORMAT, kApplyLayout | static_cast<WPARAM>(c.selector), 0);
        EXPECT_EQ(c.expected, SendMessageA(editor.window(), TENM_GETCHARFORMAT, kCharSize, 0)) << c.name;
    }
}

TEST(TextEditorFormats, AnAttributeOnTheCaretChangesOnlyTheTypingFormat)
{
    EditorSetup setup;
    setup.text = "abc";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(3, 3));
    SendMessageA(editor.window(), TENM_SETCHARFORMAT, kApplyLayout | kCharSize, 20);
    EXPECT_EQ(20, SendMessageA(editor.window(), TENM_GETCHARFORMAT, kCharSize, 0));
    EXPECT_EQ(12, editor.Formats()[0].size);
    SendMessageA(editor.window(), WM_CHAR, 'd', 1);
    const auto formats = editor.Formats();
    ASSERT_EQ(2u, formats.size());
    EXPECT_EQ(20, formats[1].size);
}

TEST(TextEditorFormats, AlignmentChangesOnlyParagraphRecordZeroAndOnlyOnce)
{
    EditorSetup setup;
    setup.text = "centre me";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    EXPECT_EQ(0, SendMessageA(editor.window(), TENM_SETALIGNMENT, kLayoutAndUndo, 6));
    EXPECT_EQ(6, editor.Paragraphs()[0].alignment);
    EXPECT_EQ(10, SendMessageA(editor.window(), TENM_GETUNDOKIND, 0, 0));
    SendMessageA(editor.window(), TENM_SETMODIFY, 0, 0);
    EXPECT_EQ(0, SendMessageA(editor.window(), TENM_SETALIGNMENT, kLayoutAndUndo, 6));
    EXPECT_EQ(0, SendMessageA(editor.window(), TENM_GETUNDOKIND, 0, 0));
}

TEST(TextEditorFormats, SpacingIsAddedAndNeverBelowMinusTwo)
{
    EditorSetup setup;
    setup.text = "lines";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    SendMessageA(editor.window(), TENM_ADDSPACING, kApplyLayout, 1);
    EXPECT_EQ(1, SendMessageA(editor.window(), TENM_GETSPACING, 0, 0));
    SendMessageA(editor.window(), TENM_ADDSPACING, kApplyLayout, -5);
    EXPECT_EQ(-2, SendMessageA(editor.window(), TENM_GETSPACING, 0, 0));
    SendMessageA(editor.window(), TENM_ADDSPACING, kApplyLayout, 0);
    EXPECT_EQ(0, SendMessageA(editor.window(), TENM_GETSPACING, 0, 0));
}

TEST(TextEditorFormats, FindParagraphAddsNewRecordsOnce)
{
    EditorSetup setup;
    setup.text = "x";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    TextParagraph record = editor.Paragraphs()[0];
    EXPECT_EQ(0, SendMessageA(editor.window(), TENM_FINDPARAGRAPH, 0, reinterpret_cast<LPARAM>(&record)));
    record.alignment = 2;
    EXPECT_EQ(1, SendMessageA(editor.window(), TENM_FINDPARAGRAPH, 0, reinterpret_cast<LPARAM>(&record)));
    EXPECT_EQ(1, SendMessageA(editor.window(), TENM_FINDPARAGRAPH, 0, reinterpret_cast<LPARAM>(&record)));
    EXPECT_EQ(2u, editor.Paragraphs().size());
}

TEST(TextEditorFormats, ReplacingTheSelectionKeepsTheStylesOfTheReplacedCharacters)
{
    EditorSetup setup;
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    FormatSpec bold{1};
    bold.style = kTextBold;
    FormatSpec plain{1};
    ASSERT_EQ(0, editor.Load(MakeBlock("ab", {bold, plain}, {Paragraph(0)})));
    SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(0, 2));
    int change = 0;
    EXPECT_EQ(0, ReplaceTenSelection(editor.window(), "xyz", &change));
    EXPECT_EQ(1, change);
    EXPECT_EQ("xyz", editor.Text());
    const auto formats = editor.Formats();
    ASSERT_EQ(2u, formats.size());
    EXPECT_EQ(kTextBold, formats[0].style);
    EXPECT_EQ(1, formats[0].length);
    EXPECT_EQ(0, formats[1].style);
    EXPECT_EQ(2, formats[1].length);
}

TEST(TextEditorFormats, WholeTextModeIgnoresCaretKeysAndTypingReplacesEverything)
{
    EditorSetup setup;
    setup.text = "Click below here and type";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    EXPECT_EQ(0, SendMessageA(editor.window(), TENM_SETWHOLETEXT, 0, 1));
    EXPECT_EQ(static_cast<LRESULT>((25u << 16) | 0u), SendMessageA(editor.window(), TENM_GETSEL, 0, 0));
    SendMessageA(editor.window(), WM_KEYDOWN, VK_LEFT, 1);
    SendMessageA(editor.window(), WM_KEYDOWN, VK_BACK, 1);
    EXPECT_EQ(static_cast<LRESULT>((25u << 16) | 0u), SendMessageA(editor.window(), TENM_GETSEL, 0, 0));
    SendMessageA(editor.window(), WM_CHAR, 'A', 1);
    EXPECT_EQ("A", editor.Text());
    EXPECT_EQ(0, SendMessageA(editor.window(), TENM_GETOPTIONS, 0, 0) & kTenWholeText);
}
