#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "text/ten_clipboard.h"
#include "text/ten_create.h"
#include "text/ten_edit.h"
#include "text/ten_notifications.h"
#include "text/ten_startup.h"
#include "text_engine_support.h"

namespace {

std::vector<unsigned char> PlainBlock(const std::string& text)
{
    return MakeBlock(text, {{static_cast<int>(text.size())}}, {Paragraph(0)});
}

// Everything an edit may change, to compare before and after.
struct Snapshot {
    std::string text;
    std::vector<TextFormat> formats;
    std::vector<TextLine> lines;
    std::vector<TextParagraph> paragraphs;
    int start, end;
    explicit Snapshot(const TestEditor& e)
        : text(e.Text()), formats(e.Formats()), lines(e.Lines()), paragraphs(e.Paragraphs()),
          start(e.state()->live.selectionStart.position), end(e.state()->live.selectionEnd.position)
    {
    }
};

void ExpectSame(const Snapshot& a, const Snapshot& b, const char* name)
{
    EXPECT_EQ(a.text, b.text) << name;
    EXPECT_EQ(a.start, b.start) << name;
    EXPECT_EQ(a.end, b.end) << name;
    ASSERT_EQ(a.formats.size(), b.formats.size()) << name;
    for (size_t i = 0; i < a.formats.size(); ++i) {
        EXPECT_EQ(a.formats[i].start, b.formats[i].start) << name;
        EXPECT_EQ(a.formats[i].length, b.formats[i].length) << name;
        EXPECT_EQ(a.formats[i].style, b.formats[i].style) << name;
        EXPECT_EQ(a.formats[i].paragraphIndex, b.formats[i].paragraphIndex) << name;
    }
    ASSERT_EQ(a.lines.size(), b.lines.size()) << name;
    for (size_t i = 0; i < a.lines.size(); ++i)
        EXPECT_EQ(0, std::memcmp(&a.lines[i], &b.lines[i], sizeof(TextLine))) << name << " line " << i;
    EXPECT_EQ(a.paragraphs.size(), b.paragraphs.size()) << name;
}

// The clipboard is shared by every test program: wait for it briefly.
bool OpenClipboardPatiently(HWND owner)
{
    for (int i = 0; i < 50; ++i) {
        if (OpenClipboard(owner))
            return true;
        Sleep(20);
    }
    return false;
}

bool PutOnClipboard(HWND owner, UINT format, const void* bytes, SIZE_T size)
{
    if (!OpenClipboardPatiently(owner))
        return false;
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(data), bytes, size);
    GlobalUnlock(data);
    const bool put = SetClipboardData(format, data) != nullptr;
    CloseClipboard();
    return put;
}

std::string ClipboardText(HWND owner)
{
    std::string text;
    if (!OpenClipboardPatiently(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

const int kAll = kApplyLayout | kApplyRepaint;

} // namespace

TEST(TextEditing, UndoAndRedoRestoreTextSelectionAndFormats)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(MakeBlock("Hello world", {{6}, {5, 0, 12, kTextBold}}, {Paragraph(0)})));
    editor.Select(4, 8);
    const Snapshot before(editor);
    ASSERT_EQ(0, InsertTenText(editor.window(), "y, new w", 8, kApplyUndoStep | kApplyMoveSelection | kAll));
    EXPECT_EQ("Helly, new wrld", editor.Text());
    EXPECT_EQ(kUndoPaste, editor.state()->undoKind);
    EXPECT_EQ(1, TakeNotifications(TENN_UNDOSTEP));
    const Snapshot after(editor);
    UndoTenStep(editor.window(), editor.state());
    ExpectSame(before, Snapshot(editor), "undo");
    EXPECT_TRUE(editor.state()->stateFlags & kTenUndoIsRedo);
    UndoTenStep(editor.window(), editor.state());
    ExpectSame(after, Snapshot(editor), "redo");
    EXPECT_FALSE(editor.state()->stateFlags & kTenUndoIsRedo);
    EXPECT_EQ(kUndoPaste, editor.state()->undoKind);
}

TEST(TextEditing, BackspacesAreOneTypingStep)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("abcdef")));
    editor.Select(6, 6);
    const Snapshot before(editor);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(0, EditTenChar(editor.window(), 8, kAll));
    EXPECT_EQ("abc", editor.Text());
    EXPECT_EQ(kUndoTyping, editor.state()->undoKind);
    EXPECT_EQ(1, TakeNotifications(TENN_UNDOSTEP));
    UndoTenStep(editor.window(), editor.state());
    ExpectSame(before, Snapshot(editor), "undo of three backspaces");
    // After an undo the held step is a redo: the next key starts a new step.
    ASSERT_EQ(0, EditTenChar(editor.window(), 46, kAll));
    EXPECT_EQ(1, TakeNotifications(TENN_UNDOSTEP));
    EXPECT_FALSE(editor.state()->stateFlags & kTenUndoIsRedo);
}

TEST(TextEditing, InsertionsBeyond32767BytesAreRefusedWithNothingChanged)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    std::string text(32760, 'a');
    for (size_t i = 50; i < text.size(); i += 60)
        text[i] = ' ';
    ASSERT_EQ(0, editor.Load(PlainBlock(text)));
    editor.Select(100, 110);
    const Snapshot before(editor);
    struct Case {
        const char* name;
        int count;
        ErrorCode expected;
    } cases[] = {{"one past", 18, kErrTextTooLong}, {"far past", 400, kErrTextTooLong}, {"exactly full", 17, kErrNone}};
    for (const Case& c : cases) {
        const std::string bytes(static_cast<size_t>(c.count), 'b');
        EXPECT_EQ(c.expected, InsertTenText(editor.window(), bytes.c_str(), c.count, kApplyUndoStep | kAll)) << c.name;
        if (c.expected != 0) {
            ExpectSame(before, Snapshot(editor), c.name);
            EXPECT_EQ(0, editor.state()->undoKind) << c.name;
        } else {
            EXPECT_EQ(32767, editor.state()->live.textLength) << c.name;
        }
    }
}

TEST(TextEditing, DeletingACrJoinsTheParagraphsUnderTheFirstOnesAttributes)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(MakeBlock("first\rsecond\rthird", {{6, 0, 12, 0, 0, 0, kFormatNewBreakArea}, {7, 0, 12, 0, 0, 1}, {5, 0, 12, 0, 0, 2}},
                                       {Paragraph(0), Paragraph(6), Paragraph(2)})));
    editor.Select(5, 6);
    ASSERT_EQ(0, EditTenChar(editor.window(), 46, kAll));
    EXPECT_EQ("firstsecond\rthird", editor.Text());
    const std::vector<TextFormat> formats = editor.Formats();
    ASSERT_EQ(2u, formats.size());
    EXPECT_EQ(12, formats[0].length);
    EXPECT_EQ(0, formats[0].paragraphIndex);
    EXPECT_TRUE(formats[0].flags & kFormatNewBreakArea);
    EXPECT_EQ(2, formats[1].paragraphIndex);
    EXPECT_EQ(2u, editor.Lines().size());
}

TEST(TextEditing, DeletingEverythingKeepsTheFirstFormat)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(MakeBlock("bold plain", {{5, 1, 18, kTextBold}, {5}}, {Paragraph(0)})));
    editor.Select(0, 10);
    ASSERT_EQ(0, EditTenChar(editor.window(), 8, kAll));
    EXPECT_EQ("", editor.Text());
    const std::vector<TextFormat> formats = editor.Formats();
    ASSERT_EQ(1u, formats.size());
    EXPECT_EQ(0, formats[0].length);
    EXPECT_EQ(1, formats[0].face);
    EXPECT_EQ(18, formats[0].size);
    EXPECT_EQ(1, TakeNotifications(TENN_EMPTIED));
    EXPECT_EQ(1u, editor.Lines().size());
}

TEST(TextEditing, EnterAtTheEndOfABreakBeforeParagraphStartsAPlainOne)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(MakeBlock("title\rbody", {{6, 0, 12, 0, 0, 0, kFormatNewBreakArea}, {4}}, {Paragraph(0)})));
    editor.Select(5, 5);
    ASSERT_EQ(0, InsertTenText(editor.window(), "\r", 1, kApplyMoveSelection | kAll));
    EXPECT_EQ("title\r\rbody", editor.Text());
    const std::vector<TextFormat> formats = editor.Formats();
    ASSERT_GE(formats.size(), 2u);
    EXPECT_TRUE(formats[0].flags & kFormatNewBreakArea);
    EXPECT_EQ(6, formats[0].length);
    EXPECT_FALSE(formats[1].flags & kFormatNewBreakArea);
}

TEST(TextEditing, SoftHyphensAreNotTypedAtTheStartOrTwice)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("ab")));
    const char hyphen[1] = {kSoftHyphen};
    for (int position : {0, 1, 1, 2, 3}) {
        editor.Select(position, position);
        ASSERT_EQ(0, InsertTenText(editor.window(), hyphen, 1, kAll));
    }
    EXPECT_EQ(std::string("a") + kSoftHyphen + "b" + kSoftHyphen, editor.Text());
}

TEST(TextEditing, MaximumLengthCutsAnInsertion)
{
    EditorSetup setup;
    setup.maximumLength = 10;
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("12345678")));
    editor.Select(8, 8);
    ASSERT_EQ(0, InsertTenText(editor.window(), "abcde", 5, kApplyMoveSelection | kAll));
    EXPECT_EQ("12345678ab", editor.Text());
}

TEST(TextEditing, BadBlocksAreRefusedBeforeAnythingChanges)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("keep me")));
    editor.Select(2, 2);
    const Snapshot before(editor);
    struct Case {
        const char* name;
        std::vector<unsigned char> block;
    } cases[] = {
        {"paragraph index beyond the records", MakeBlock("xy", {{2, 0, 12, 0, 0, 3}}, {Paragraph(0)})},
        {"formats beyond the text", MakeBlock("xy", {{5}}, {Paragraph(0)})},
        {"gap between formats", MakeBlock("xyz", {{1}, {1}}, {Paragraph(0)})},
        {"too many paragraph records", MakeBlock("xy", {{2}}, std::vector<TextParagraph>(501, Paragraph(0)))},
    };
    for (Case& c : cases) {
        EXPECT_NE(0, InsertTenText(editor.window(), c.block.data(), 0, kApplyUndoStep | kAll, c.block.size()))
            << c.name;
        ExpectSame(before, Snapshot(editor), c.name);
        EXPECT_NE(0, SetTenTextBlock(editor.window(), 0, c.block.data(), c.block.size())) << c.name;
        ExpectSame(before, Snapshot(editor), c.name);
    }
    // Counts larger than the block itself.
    std::vector<unsigned char> lying = PlainBlock("xy");
    TextBlockHeader header;
    std::memcpy(&header, lying.data(), sizeof(header));
    header.runCount = 100000;
    std::memcpy(lying.data(), &header, sizeof(header));
    EXPECT_NE(0, SetTenTextBlock(editor.window(), 0, lying.data(), lying.size()));
    ExpectSame(before, Snapshot(editor), "lying counts");
}

TEST(TextEditing, BlocksInsertWithTheirFormatsAndParagraphs)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("start end")));
    editor.Select(6, 6);
    const std::vector<unsigned char> block =
        MakeBlock("bold\rcentred\r", {{5, 1, 14, kTextBold}, {8, 0, 12, 0, 0, 1}}, {Paragraph(0), Paragraph(6)});
    ASSERT_EQ(0, InsertTenText(editor.window(), block.data(), 0, kApplyMoveSelection | kAll, block.size()));
    EXPECT_EQ("start bold\rcentred\rend", editor.Text());
    EXPECT_EQ(19, editor.state()->live.selectionStart.position);
    const std::vector<TextFormat> formats = editor.Formats();
    int covered = 0;
    for (const TextFormat& f : formats) {
        EXPECT_EQ(covered, f.start);
        covered += f.length;
    }
    EXPECT_EQ(22, covered);
    EXPECT_EQ(2u, editor.Paragraphs().size());
    EXPECT_EQ(3u, editor.Lines().size());
}

TEST(TextClipboard, PasteLimitsAndPlainTextRoundTrip)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    HWND owner = editor.parent();
    struct Case {
        const char* name;
        size_t bytes;      // clipboard data size, NUL included
        int pastedLength;  // -1: refused with 10004
    } cases[] = {
        {"25,000 bytes", 25001, 20000},
        {"exactly 32,000 bytes", 32000, 20000},
        {"32,001 bytes", 32001, -1},
        {"short", 11, 10},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(0, editor.Load(PlainBlock("")));
        std::vector<char> data(c.bytes, 'p');
        data.back() = 0;
        ASSERT_TRUE(PutOnClipboard(owner, CF_TEXT, data.data(), data.size())) << c.name;
        const ErrorCode code = PasteTenText(owner, editor.window());
        if (c.pastedLength < 0) {
            EXPECT_EQ(kErrNoMemory, code) << c.name;
            EXPECT_EQ(0, editor.state()->live.textLength) << c.name;
        } else {
            EXPECT_EQ(0, code) << c.name;
            EXPECT_EQ(c.pastedLength, editor.state()->live.textLength) << c.name;
            EXPECT_EQ(kUndoPaste, editor.state()->undoKind) << c.name;
        }
    }
    // Line feeds are dropped on the way in and come back on the way out.
    ASSERT_EQ(0, editor.Load(PlainBlock("")));
    const char text[] = "ab\r\ncd";
    ASSERT_TRUE(PutOnClipboard(owner, CF_TEXT, text, sizeof(text)));
    ASSERT_EQ(0, PasteTenText(owner, editor.window()));
    EXPECT_EQ("ab\rcd", editor.Text());
    editor.Select(0, 5);
    ASSERT_EQ(0, CopyTenSelection(owner, editor.window()));
    EXPECT_EQ("ab\r\ncd", ClipboardText(owner));
    EXPECT_EQ(TenClipFormat, QueryTenPasteFormat(owner));
    // Cut puts the text on the clipboard and pastes back as a block.
    ASSERT_EQ(0, DeleteTenSelection(owner, editor.window(), 1));
    EXPECT_EQ("", editor.Text());
    ASSERT_EQ(0, PasteTenText(owner, editor.window()));
    EXPECT_EQ("ab\rcd", editor.Text());
}

TEST(TextClipboard, ForeignBlocksOnTheClipboardAreChecked)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(PlainBlock("safe")));
    editor.Select(4, 4);
    const Snapshot before(editor);
    std::vector<unsigned char> block = MakeBlock("evil", {{4, 0, 12, 0, 0, 7}}, {Paragraph(0)});
    ASSERT_TRUE(PutOnClipboard(editor.parent(), TenClipFormat, block.data(), block.size()));
    EXPECT_NE(0, PasteTenText(editor.parent(), editor.window()));
    ExpectSame(before, Snapshot(editor), "bad paragraph index");
}
