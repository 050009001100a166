#include <gtest/gtest.h>

#include <string>

#include "text/caret_selection.h"
#include "text_engine_support.h"

namespace {

// Holds Shift and Ctrl down in this thread's keyboard state while it lives.
class HeldKeys {
public:
    HeldKeys(bool shift, bool control)
    {
        GetKeyboardState(saved_);
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256];
};

const int kHome = -32767;
const int kEnd = 32767;

} // namespace

TEST(TextCaret, ShiftExtendsAndCtrlMovesByWords)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    // Line 0 is "one two three" ending in a CR at 13; line 1 is "four five".
    const std::string text = "one two three\rfour five";
    ASSERT_EQ(0, editor.Load(MakeBlock(text, {{static_cast<int>(text.size())}}, {Paragraph(0)})));
    ASSERT_EQ(2u, editor.Lines().size());
    struct Case {
        const char* name;
        int start, end;
        bool anchorAtEnd;
        bool shift, control;
        int dx, dy;
        int newStart, newEnd, newAnchor;
    } cases[] = {
        {"ctrl right to the next word", 0, 0, false, false, true, 1, 0, 4, 4, 4},
        {"ctrl right from a word's middle", 5, 5, false, false, true, 1, 0, 8, 8, 8},
        {"ctrl right stops before the CR", 8, 8, false, false, true, 1, 0, 13, 13, 13},
        {"ctrl left to the word's start", 8, 8, false, false, true, -1, 0, 4, 4, 4},
        {"ctrl left from a word's middle", 6, 6, false, false, true, -1, 0, 4, 4, 4},
        {"ctrl left over a paragraph end", 14, 14, false, false, true, -1, 0, 13, 13, 13},
        {"shift right extends", 0, 0, false, true, false, 1, 0, 0, 1, 0},
        {"shift left extends backwards", 5, 5, false, true, false, -1, 0, 4, 5, 5},
        {"shift ctrl right selects a word", 0, 0, false, true, true, 1, 0, 0, 4, 0},
        {"shift left shrinks from the free end", 2, 6, false, true, false, -1, 0, 2, 5, 2},
        {"shift right moves the free start", 2, 6, true, true, false, 1, 0, 3, 6, 6},
        {"shift right passes the CR", 13, 13, false, true, false, 1, 0, 13, 14, 13},
        {"home", 6, 6, false, false, false, kHome, 1, 0, 0, 0},
        {"end stops at the CR", 1, 1, false, false, false, kEnd, 1, 13, 13, 13},
        {"home on the second line", 20, 20, false, false, false, kHome, 1, 14, 14, 14},
        {"end of the text's last line", 15, 15, false, false, false, kEnd, 1, 23, 23, 23},
        {"shift end", 2, 2, false, true, false, kEnd, 1, 2, 13, 2},
        {"shift home", 6, 6, false, true, false, kHome, 1, 0, 6, 6},
        {"ctrl home", 20, 20, false, false, true, kHome, -1, 0, 0, 0},
        {"ctrl end", 4, 4, false, false, true, kEnd, -1, 23, 23, 23},
        {"shift ctrl end", 4, 4, false, true, true, kEnd, -1, 4, 23, 4},
        {"shift ctrl home from a selection", 16, 20, true, true, true, kHome, -1, 0, 20, 20},
        {"home collapses a selection first", 2, 6, false, false, false, kHome, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        editor.Select(c.start, c.end);
        TenTextState& live = editor.state()->live;
        if (c.anchorAtEnd)
            live.anchor = live.selectionEnd;
        {
            HeldKeys keys(c.shift, c.control);
            MoveCaret(editor.window(), editor.state(), c.dx, c.dy, 0);
        }
        EXPECT_EQ(c.newStart, live.selectionStart.position) << c.name;
        EXPECT_EQ(c.newEnd, live.selectionEnd.position) << c.name;
        EXPECT_EQ(c.newAnchor, live.anchor.position) << c.name;
        // Every end is a real position of its line.
        for (const CaretPos* p : {&live.selectionStart, &live.selectionEnd}) {
            CaretPos fresh = {};
            MakeCaretPos(editor.state(), &fresh, p->position, nullptr);
            EXPECT_EQ(fresh.x, p->x) << c.name;
        }
        const bool wordSelection = (live.options & kTenWordSelection) != 0;
        EXPECT_EQ(c.control && c.newStart != c.newEnd, wordSelection) << c.name;
    }
}

TEST(TextCaret, RepeatedShiftStepsGrowAndShrinkOneSelection)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    const std::string text = "alpha beta gamma";
    ASSERT_EQ(0, editor.Load(MakeBlock(text, {{static_cast<int>(text.size())}}, {Paragraph(0)})));
    editor.Select(6, 6);
    TenTextState& live = editor.state()->live;
    HeldKeys keys(true, true);
    MoveCaret(editor.window(), editor.state(), 1, 0, 0);
    EXPECT_EQ(6, live.selectionStart.position);
    EXPECT_EQ(11, live.selectionEnd.position);
    MoveCaret(editor.window(), editor.state(), 1, 0, 0);
    EXPECT_EQ(16, live.selectionEnd.position);
    // Back over the anchor: the selection turns round it.
    MoveCaret(editor.window(), editor.state(), -1, 0, 0);
    MoveCaret(editor.window(), editor.state(), -1, 0, 0);
    MoveCaret(editor.window(), editor.state(), -1, 0, 0);
    EXPECT_EQ(0, live.selectionStart.position);
    EXPECT_EQ(6, live.selectionEnd.position);
    EXPECT_EQ(6, live.anchor.position);
}
