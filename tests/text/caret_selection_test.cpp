#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/caret_selection.h"
#include "text/ten_notifications.h"
#include "text_engine_support.h"

namespace {

std::vector<unsigned char> PlainBlock(const std::string& text)
{
    return MakeBlock(text, {{static_cast<int>(text.size())}}, {Paragraph(0)});
}

int Start(const TestEditor& e) { return e.state()->live.selectionStart.position; }
int End(const TestEditor& e) { return e.state()->live.selectionEnd.position; }

} // namespace

TEST(TextCaret, LeftAndRightOnlyCollapseASelection)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("one two three")));
    struct Case {
        int dx;
        int expected;
    } cases[] = {{-1, 4}, {1, 7}};
    for (const Case& c : cases) {
        editor.Select(4, 7);
        MoveCaret(editor.window(), editor.state(), c.dx, 0, 0);
        EXPECT_EQ(c.expected, Start(editor)) << c.dx;
        EXPECT_EQ(c.expected, End(editor)) << c.dx;
    }
    editor.Select(4, 4);
    MoveCaret(editor.window(), editor.state(), 1, 0, 0);
    EXPECT_EQ(5, Start(editor));
    MoveCaret(editor.window(), editor.state(), -32767, -1, 0);
    EXPECT_EQ(0, Start(editor));
    MoveCaret(editor.window(), editor.state(), -1, 0, 0);
    EXPECT_EQ(0, Start(editor));
    MoveCaret(editor.window(), editor.state(), 32767, -1, 0);
    EXPECT_EQ(13, Start(editor));
}

TEST(TextCaret, UpFromTheFirstLineAndDownFromTheLastStayOnTheirLine)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("first line\rsecond line\rthird")));
    editor.Select(3, 3);
    MoveCaret(editor.window(), editor.state(), 0, -1, 0);
    EXPECT_EQ(0, editor.state()->live.selectionStart.line);
    EXPECT_EQ(3, Start(editor));
    MoveCaret(editor.window(), editor.state(), 0, 1, 0);
    EXPECT_EQ(1, editor.state()->live.selectionStart.line);
    MoveCaret(editor.window(), editor.state(), 0, 1, 0);
    MoveCaret(editor.window(), editor.state(), 0, 1, 0);
    EXPECT_EQ(2, editor.state()->live.selectionStart.line);
    EXPECT_GE(Start(editor), 23);
}

TEST(TextCaret, EndOfAWrappedLineLiesAfterItsSpaces)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("alpha beta gamma delta epsilon zeta")));
    editor.SetBox(900, 32000);
    const std::vector<TextLine> lines = editor.Lines();
    ASSERT_GT(lines.size(), 1u);
    editor.Select(1, 1);
    MoveCaret(editor.window(), editor.state(), 32767, 1, 0);
    EXPECT_EQ(lines[0].firstPosition + lines[0].length, Start(editor));
    EXPECT_EQ(0, editor.state()->live.selectionStart.line);
    MoveCaret(editor.window(), editor.state(), 1, 0, 0);
    EXPECT_EQ(1, editor.state()->live.selectionStart.line);
    EXPECT_EQ(1, editor.state()->live.selectionStart.atLineStart);
}

TEST(TextCaret, PositionsAndXAgreeBothWays)
{
    for (int zoom : {0, 1500}) {
        EditorSetup setup;
        setup.zoom = zoom;
        TestEditor editor(setup);
        ASSERT_TRUE(editor.ok());
        ASSERT_EQ(0, editor.Load(MakeBlock("Mixed formats on one line", {{6}, {8, 1, 18, kTextBold}, {11}},
                                           {Paragraph(32)})));
        for (int position = 0; position <= 25; ++position) {
            CaretPos caret = {};
            MakeCaretPos(editor.state(), &caret, position, nullptr);
            editor.Select(position, position);
            CaretPos hit = caret;
            EXPECT_GE(caret.x, 0) << position;
            if (position > 0) {
                CaretPos before = {};
                MakeCaretPos(editor.state(), &before, position - 1, nullptr);
                EXPECT_GT(caret.x, before.x) << zoom << " at " << position;
            }
            (void)hit;
        }
    }
}

TEST(TextCaret, FormatReportsFollowTheCaretAndTheSelection)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(MakeBlock("boldplain\rsubsup", {{4, 0, 12, kTextBold}, {6}, {3, 0, 12, 0, -1}, {3, 0, 12, 0, 1}},
                                       {Paragraph(0)})));
    TakeNotifications(TENN_CHARFORMAT);
    // Right after bold text the next character is bold.
    editor.Select(4, 4);
    SyncCaretFormat(editor.window(), editor.state(), 0);
    EXPECT_EQ(kTextBold, editor.state()->live.typingFormat.style);
    // After a CR the caret takes the format that follows.
    editor.Select(10, 10);
    SyncCaretFormat(editor.window(), editor.state(), 0);
    EXPECT_EQ(-1, editor.state()->live.typingFormat.script);
    EXPECT_EQ(-1, ScriptSummary);
    editor.Select(11, 15);
    SyncCaretFormat(editor.window(), editor.state(), 0);
    EXPECT_EQ(-5, ScriptSummary);
    editor.Select(5, 13);
    SyncCaretFormat(editor.window(), editor.state(), 0);
    EXPECT_EQ(-2, ScriptSummary);
    EXPECT_EQ(1, SelectionStateNotified);
    EXPECT_GE(TakeNotifications(TENN_SELCHANGE), 1);
    EXPECT_GE(TakeNotifications(TENN_CHARFORMAT), 1);
}
