// The editor window's message protocol: selection packing, select all,
// notifications to the parent, windows without state, typing and special
// characters, and the mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/ten_messages.h"
#include "text/ten_mouse.h"
#include "text/ten_notifications.h"
#include "text/ten_state_access.h"
#include "text_engine_support.h"

namespace {

DWORD Selection(HWND editor) { return static_cast<DWORD>(SendMessageA(editor, TENM_GETSEL, 0, 0)); }

void Type(HWND editor, const std::string& text)
{
    for (char c : text)
        SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Holds Ctrl down in this thread's key state for the scope.
class CtrlHeld {
public:
    CtrlHeld()
    {
        GetKeyboardState(saved_);
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
    }
    ~CtrlHeld() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

// The client point of a text position on the first line.
POINT ClientPointOf(TestEditor& editor, int position)
{
    SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(position, position));
    POINT point = {editor.state()->live.selectionStart.x + 2, editor.Lines()[0].top + editor.Lines()[0].height / 2};
    LPtoDP(editor.state()->windowDC, &point, 1);
    return point;
}

void Click(HWND window, POINT point, bool twice)
{
    const LPARAM where = PackTenPair(point.x, point.y);
    SendMessageA(window, WM_LBUTTONDOWN, 0, where);
    SendMessageA(window, WM_LBUTTONUP, 0, where);
    if (twice) {
        SendMessageA(window, WM_LBUTTONDBLCLK, 0, where);
        SendMessageA(window, WM_LBUTTONUP, 0, where);
    }
}

} // namespace

TEST(TextEditorMessages, SelectionsArePackedStartLowEndHigh)
{
    EditorSetup setup;
    setup.text = "Router one two";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    struct Case {
        const char* name;
        int start, end;
        DWORD expected;
    } cases[] = {
        {"caret", 3, 3, (3u << 16) | 3u},
        {"range", 2, 9, (9u << 16) | 2u},
        {"end beyond the text", 4, 200, (14u << 16) | 4u},
        {"select all", 0, 32000, (14u << 16) | 0u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(0, SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(c.start, c.end))) << c.name;
        EXPECT_EQ(c.expected, Selection(editor.window())) << c.name;
    }
}

TEST(TextEditorMessages, SelectionChangesAreNotifiedOnceEachWay)
{
    EditorSetup setup;
    setup.text = "abc def";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    SendMessageA(editor.window(), TENM_SETSEL, 2, PackTenPair(0, 3));
    TakeNotifications(TENN_SELCHANGE);
    SendMessageA(editor.window(), TENM_SETSEL, 2, PackTenPair(1, 1));
    WPARAM wParam = 9;
    LPARAM lParam = 0;
    EXPECT_EQ(1, TakeNotifications(TENN_SELCHANGE));
    ASSERT_TRUE(LastNotification(TENN_SELCHANGE, &wParam, &lParam));
    EXPECT_EQ(0u, wParam);
    SendMessageA(editor.window(), TENM_SETSEL, 2, PackTenPair(2, 2));
    EXPECT_EQ(0, TakeNotifications(TENN_SELCHANGE));
}

TEST(TextEditorMessages, AWindowWithoutStateAnswersItsNoStateValues)
{
    StartTextEngine();
    HWND window = CreateWindowExA(0, "TENClass", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    struct Case {
        const char* name;
        UINT message;
        LRESULT expected;
    } cases[] = {
        {"get selection", TENM_GETSEL, 1},      {"set selection", TENM_SETSEL, 1},
        {"get modify", TENM_GETMODIFY, 1},      {"offset origin", TENM_OFFSETORIGIN, 0},
        {"show caret", TENM_SHOWCARET, 1},      {"undo kind", TENM_GETUNDOKIND, 1},
        {"find paragraph", TENM_FINDPARAGRAPH, -1}, {"text length", TENM_GETTEXTLENGTH, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, SendMessageA(window, c.message, 0, 0)) << c.name;
    DestroyWindow(window);
    StopTextEngine();
}

TEST(TextEditorMessages, TypedCharactersReplaceTheSelectionAsOneUndoStep)
{
    EditorSetup setup;
    setup.text = "Hello";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(0, 32000));
    Type(editor.window(), "Router 1");
    EXPECT_EQ("Router 1", editor.Text());
    EXPECT_EQ((8u << 16) | 8u, Selection(editor.window()));
    EXPECT_EQ(2, SendMessageA(editor.window(), TENM_GETUNDOKIND, 0, 0));
    SendMessageA(editor.window(), EM_UNDO, 0, 0);
    EXPECT_EQ("Hello", editor.Text());
    SendMessageA(editor.window(), EM_UNDO, 0, 0);
    EXPECT_EQ("Router 1", editor.Text());
}

TEST(TextEditorMessages, SpecialCharactersAreTypedFromControlKeys)
{
    EditorSetup setup;
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    {
        CtrlHeld ctrl;
        SendMessageA(editor.window(), WM_CHAR, ' ', 1);
        SendMessageA(editor.window(), WM_KEYDOWN, VK_OEM_MINUS, 1);
    }
    SendMessageA(editor.window(), WM_CHAR, ' ', 1);
    EXPECT_EQ(std::string("\x02\x01 ", 3), editor.Text());
}

TEST(TextEditorMessages, ControlCharactersWithKeyDataGoToTheParent)
{
    EditorSetup setup;
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    TakeNotifications(0);
    struct Case {
        const char* name;
        int character;
    } cases[] = {{"Ctrl+A", 1}, {"Backspace", 8}, {"Ctrl+Backspace", 127}, {"Escape", 27}};
    for (const Case& c : cases)
        SendMessageA(editor.window(), WM_CHAR, static_cast<WPARAM>(c.character), 1);
    EXPECT_EQ("", editor.Text());
}

TEST(TextEditorMessages, ANumericFilterTurnsCommasIntoFullStopsAndBeepsAtLetters)
{
    EditorSetup setup;
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    editor.state()->characterFilter = 4;
    Type(editor.window(), "1,5x-");
    EXPECT_EQ("1.5", editor.Text());
}

TEST(TextEditorMessages, DoubleClickSelectsTheWordWithItsTrailingBlanks)
{
    EditorSetup setup;
    setup.text = "alpha beta, gamma";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    struct Case {
        const char* name;
        int position;
        DWORD expected;
    } cases[] = {
        {"first word", 2, (6u << 16) | 0u},
        {"word before a comma", 7, (10u << 16) | 6u},
        {"last word", 14, (17u << 16) | 12u},
    };
    for (const Case& c : cases) {
        const POINT point = ClientPointOf(editor, c.position);
        Click(editor.window(), point, true);
        EXPECT_EQ(c.expected, Selection(editor.window())) << c.name;
        EXPECT_EQ(0, TenMouseCapture) << c.name;
    }
}

TEST(TextEditorMessages, ASinglePressPlacesTheCaretAndPostsAClick)
{
    EditorSetup setup;
    setup.text = "alpha beta";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    const POINT point = ClientPointOf(editor, 7);
    SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(0, 0));
    TakeNotifications(TENN_CLICK);
    Click(editor.window(), point, false);
    EXPECT_EQ((7u << 16) | 7u, Selection(editor.window()));
    EXPECT_EQ(1, TakeNotifications(TENN_CLICK));
}

TEST(TextEditorMessages, SelectParagraphsWidensToWholeParagraphs)
{
    EditorSetup setup;
    setup.text = "one\rtwo two\rthree";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(5, 6));
    const LRESULT packed = SendMessageA(editor.window(), TENM_SELECTPARAGRAPHS, 0, 0);
    EXPECT_EQ(static_cast<LRESULT>((12u << 16) | 4u), packed);
}

TEST(TextEditorMessages, F3StepsToTheNextWord)
{
    EditorSetup setup;
    setup.text = "one two three";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    SendMessageA(editor.window(), TENM_SETSEL, 0, PackTenPair(0, 4));
    SendMessageA(editor.window(), TENM_SELECTNEXTWORD, 0, 0);
    EXPECT_EQ((8u << 16) | 4u, Selection(editor.window()));
}

// One byte held the paragraph index of the format notification, so formats
// of paragraph records beyond 255 were reported under the wrong record.
TEST(TextEditorMessages, FormatNotificationCarriesParagraphIndexesBeyond255)
{
    EditorSetup setup;
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    std::vector<TextParagraph> paragraphs;
    for (int i = 0; i < 300; ++i)
        paragraphs.push_back(Paragraph(i % 2 ? 2 : 0, 150 + i));
    FormatSpec first{3};
    FormatSpec second{2};
    second.paragraph = 299;
    ASSERT_EQ(0, editor.Load(MakeBlock("ab\rcd", {first, second}, paragraphs)));
    TakeNotifications(0);
    SendMessageA(editor.window(), TENM_SETSEL, 2, PackTenPair(4, 4));
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    ASSERT_TRUE(LastNotification(TENN_PARAFORMAT, &wParam, &lParam));
    EXPECT_EQ(299u, (static_cast<DWORD>(wParam) >> 16) & 0xFFFF);
}
