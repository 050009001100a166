#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/io_seam.h"
#include "objects/text_block.h"
#include "text/text_block_build.h"

namespace {

template <typename T>
HGLOBAL BlockOf(const std::vector<T>& items)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, items.empty() ? 1 : sizeof(T) * items.size());
    if (!items.empty()) {
        std::memcpy(GlobalLock(block), items.data(), sizeof(T) * items.size());
        GlobalUnlock(block);
    }
    return block;
}

HGLOBAL ParagraphBlock(const std::vector<TextParagraph>& paragraphs)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4 + sizeof(TextParagraph) * paragraphs.size());
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    const int32_t count = static_cast<int32_t>(paragraphs.size());
    std::memcpy(bytes, &count, 4);
    if (!paragraphs.empty())
        std::memcpy(bytes + 4, paragraphs.data(), sizeof(TextParagraph) * paragraphs.size());
    GlobalUnlock(block);
    return block;
}

TextFormat FormatAt(int start, int length, int paragraph)
{
    TextFormat format = {};
    format.size = 10;
    format.requestedSize = 10;
    format.start = start;
    format.length = length;
    format.paragraphIndex = paragraph;
    return format;
}

TextLine LineAt(int position, int length, int top, int firstRun, int runCount)
{
    TextLine line = {};
    line.firstPosition = position;
    line.length = length;
    line.lastBreak = length;
    line.top = top;
    line.height = 100;
    line.wordWidth = 300 + top;
    line.firstRun = firstRun;
    line.runCount = runCount;
    return line;
}

// An editor's live text made by hand.
class EditorText {
public:
    EditorText(const std::string& text, std::vector<TextFormat> formats, std::vector<TextParagraph> paragraphs,
               std::vector<TextLine> lines, int runCount)
    {
        std::memset(&state_, 0, sizeof(state_));
        state_.live.textLength = static_cast<int32_t>(text.size());
        state_.live.formatCount = static_cast<int32_t>(formats.size());
        state_.live.lineCount = static_cast<int32_t>(lines.size());
        state_.live.runCount = runCount;
        state_.live.boxWidth = 2000;
        state_.live.ownerObjectIndex = 7;
        state_.live.options = kTenWordWrap | kTenModified;
        state_.live.text = BlockOf(std::vector<char>(text.begin(), text.end()));
        state_.live.formats = BlockOf(formats);
        state_.live.paragraphs = ParagraphBlock(paragraphs);
        state_.live.lines = BlockOf(lines);
        std::vector<TextRun> runs(static_cast<size_t>(runCount));
        for (int i = 0; i < runCount; ++i)
            runs[i].x = 10 * i;
        state_.live.runs = BlockOf(runs);
        state_.margins = {24, 24, 24, 24};
        state_.labelReference = 0x00050009;
        state_.zoom = 1500;
        state_.effect.kind = 3;
    }
    ~EditorText()
    {
        for (HGLOBAL block : {state_.live.text, state_.live.formats, state_.live.paragraphs, state_.live.lines,
                              state_.live.runs})
            GlobalFree(block);
    }
    TenState* state() { return &state_; }
    void Select(int start, int startLine, int startFormat, int end, int endLine, int endFormat)
    {
        state_.live.selectionStart = {start, startLine, startFormat, 0, 0};
        state_.live.selectionEnd = {end, endLine, endFormat, 0, 0};
    }
    std::vector<TextFormat> Formats()
    {
        std::vector<TextFormat> formats(static_cast<size_t>(state_.live.formatCount));
        std::memcpy(formats.data(), GlobalLock(state_.live.formats), sizeof(TextFormat) * formats.size());
        GlobalUnlock(state_.live.formats);
        return formats;
    }

private:
    TenState state_;
};

struct BuiltBlock {
    TextBlockHeader header;
    std::vector<TextLine> lines;
    std::vector<TextFormat> formats;
    std::vector<TextParagraph> paragraphs;
    std::vector<TextRun> runs;
    std::string text;
};

BuiltBlock Unpack(HGLOBAL block)
{
    BuiltBlock built = {};
    auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
    std::memcpy(&built.header, bytes, sizeof(built.header));
    const TextBlockHeader& h = built.header;
    built.lines.resize(static_cast<size_t>(h.lineCount));
    built.formats.resize(static_cast<size_t>(h.formatCount));
    built.paragraphs.resize(static_cast<size_t>(h.paragraphCount));
    built.runs.resize(static_cast<size_t>(h.runCount));
    std::memcpy(built.lines.data(), bytes + TextBlockLinesOffset(), sizeof(TextLine) * built.lines.size());
    std::memcpy(built.formats.data(), bytes + TextBlockFormatsOffset(h), sizeof(TextFormat) * built.formats.size());
    std::memcpy(built.paragraphs.data(), bytes + TextBlockParagraphsOffset(h),
                sizeof(TextParagraph) * built.paragraphs.size());
    std::memcpy(built.runs.data(), bytes + TextBlockRunsOffset(h), sizeof(TextRun) * built.runs.size());
    built.text.assign(reinterpret_cast<const char*>(bytes + TextBlockTextOffset(h)), static_cast<size_t>(h.textLength));
    GlobalUnlock(block);
    return built;
}

TextParagraph Paragraph(int alignment) { return NewTextParagraph(alignment, 600); }

} // namespace

TEST(TextBlock, WholeTextUpToTheLimitIsBuilt)
{
    // One line, one format, one paragraph and one run: 284 bytes of records.
    const int records = 88 + 60 + 68 + 44 + 24;
    struct Case {
        const char* name;
        int total;
        bool built;
    };
    const Case cases[] = {{"32767 bytes", 32767, true}, {"32768 bytes", 32768, false}, {"small", 300, true}};
    for (const Case& c : cases) {
        const int length = c.total - records;
        EditorText editor(std::string(static_cast<size_t>(length), 'x'), {FormatAt(0, length, 0)}, {Paragraph(0)},
                          {LineAt(0, length, 0, 0, 1)}, 1);
        HGLOBAL block = BuildTextBlock(editor.state(), kTextBlockWholeText);
        EXPECT_EQ(c.built, block != nullptr) << c.name;
        if (!block)
            continue;
        EXPECT_GE(GlobalSize(block), static_cast<SIZE_T>(c.total)) << c.name;
        EXPECT_TRUE(IsTextBlockSound(GlobalLock(block), GlobalSize(block)));
        GlobalUnlock(block);
        EXPECT_EQ(length, Unpack(block).header.textLength) << c.name;
        GlobalFree(block);
    }
}

TEST(TextBlock, WholeTextHeaderCarriesTheEditorsMeasures)
{
    const std::string text = "first\rsecond";
    EditorText editor(text, {FormatAt(0, 6, 0), FormatAt(6, 6, 1)}, {Paragraph(0), Paragraph(6)},
                      {LineAt(0, 6, 0, 0, 1), LineAt(6, 6, 100, 1, 2)}, 3);
    HGLOBAL block = BuildTextBlock(editor.state(), kTextBlockWholeText);
    ASSERT_NE(nullptr, block);
    const BuiltBlock built = Unpack(block);
    GlobalFree(block);
    const TextBlockHeader& h = built.header;
    EXPECT_EQ(2, h.formatCount);
    EXPECT_EQ(2, h.lineCount);
    EXPECT_EQ(12, h.textLength);
    EXPECT_EQ(2, h.paragraphCount);
    EXPECT_EQ(3, h.runCount);
    EXPECT_EQ(kTenWordWrap | kTenModified, h.options);
    EXPECT_EQ(400, h.widestLine);
    EXPECT_EQ(200, h.textHeight);
    EXPECT_EQ(24, h.marginLeft);
    EXPECT_EQ(2000 - 48, h.wrapWidth);
    EXPECT_EQ(1500, h.zoom);
    EXPECT_EQ(0x00050009, h.labelReference);
    EXPECT_EQ(7, h.ownerObjectIndex);
    EXPECT_EQ(3, h.effect.kind);
    EXPECT_EQ(text, built.text);
    EXPECT_EQ(6, built.paragraphs[1].alignment);
    EXPECT_EQ(20, built.runs[2].x);
}

TEST(TextBlock, SelectionBlockHoldsExactlyTheSelectedBytes)
{
    // Formats "abcd|efgh|ijkl", lines "abcdef|ghijkl"; select "cdefgh" + "ij".
    const std::string text = "abcdefghijkl";
    EditorText editor(text, {FormatAt(0, 4, 0), FormatAt(4, 4, 0), FormatAt(8, 4, 0)}, {Paragraph(0)},
                      {LineAt(0, 6, 0, 0, 2), LineAt(6, 6, 100, 2, 2)}, 4);
    editor.Select(2, 0, 0, 10, 1, 2);
    HGLOBAL block = BuildTextBlock(editor.state(), 0);
    ASSERT_NE(nullptr, block);
    const BuiltBlock built = Unpack(block);
    GlobalFree(block);
    EXPECT_EQ("cdefghij", built.text);
    ASSERT_EQ(3, built.header.formatCount);
    EXPECT_EQ(0, built.formats[0].start);
    EXPECT_EQ(2, built.formats[0].length);
    EXPECT_EQ(2, built.formats[1].start);
    EXPECT_EQ(6, built.formats[2].start);
    EXPECT_EQ(2, built.formats[2].length) << "the last format ends with the block";
    ASSERT_EQ(2, built.header.lineCount);
    EXPECT_EQ(0, built.lines[0].firstPosition);
    EXPECT_EQ(4, built.lines[0].lastBreak);
    EXPECT_EQ(4, built.lines[1].firstPosition);
    EXPECT_EQ(4, built.lines[1].lastBreak);
    EXPECT_EQ(4, built.header.runCount);
    EXPECT_EQ(0, built.header.widestLine);
    EXPECT_EQ(0, built.header.zoom);
    EXPECT_EQ(0, built.header.marginLeft);
}

TEST(TextBlock, SelectionEndingWhereAFormatBeginsLeavesThatFormatOut)
{
    const std::string text = "abcdefgh";
    EditorText editor(text, {FormatAt(0, 4, 0), FormatAt(4, 4, 0)}, {Paragraph(0)}, {LineAt(0, 8, 0, 0, 1)}, 1);
    editor.Select(1, 0, 0, 4, 0, 1);
    HGLOBAL block = BuildTextBlock(editor.state(), 0);
    ASSERT_NE(nullptr, block);
    const BuiltBlock built = Unpack(block);
    GlobalFree(block);
    EXPECT_EQ("bcd", built.text);
    ASSERT_EQ(1, built.header.formatCount);
    EXPECT_EQ(3, built.formats[0].length);
}

TEST(TextBlock, UnusedParagraphRecordsAreDroppedInTheEditorToo)
{
    const std::string text = "one\rtwo";
    EditorText editor(text, {FormatAt(0, 4, 2), FormatAt(4, 3, 0)}, {Paragraph(0), Paragraph(32), Paragraph(6)},
                      {LineAt(0, 4, 0, 0, 1), LineAt(4, 3, 100, 1, 1)}, 2);
    HGLOBAL block = BuildTextBlock(editor.state(), kTextBlockWholeText);
    ASSERT_NE(nullptr, block);
    const BuiltBlock built = Unpack(block);
    GlobalFree(block);
    ASSERT_EQ(2, built.header.paragraphCount);
    EXPECT_EQ(0, built.paragraphs[0].alignment);
    EXPECT_EQ(6, built.paragraphs[1].alignment);
    EXPECT_EQ(1, built.formats[0].paragraphIndex);
    EXPECT_EQ(0, built.formats[1].paragraphIndex);
    const std::vector<TextFormat> live = editor.Formats();
    EXPECT_EQ(1, live[0].paragraphIndex) << "renumbered in the editor itself";
}

TEST(TextBlock, FailedAllocationBuildsNothing)
{
    EditorText editor("abc", {FormatAt(0, 3, 0)}, {Paragraph(0)}, {LineAt(0, 3, 0, 0, 1)}, 1);
    SeamArmFault(kSeamAlloc, 1, false);
    EXPECT_EQ(nullptr, BuildTextBlock(editor.state(), kTextBlockWholeText));
    SeamDisarm();
}

TEST(TextBlock, WordEndedByASpaceIsOneSpaceWider)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    TextFormat format = FormatAt(0, 0, 0);
    format.font = static_cast<int32_t>(HandleToLong(font));
    std::vector<TextParagraph> paragraphs = {Paragraph(0)};
    std::vector<unsigned char> paragraphBlock(4 + sizeof(TextParagraph));
    paragraphBlock[0] = 1;
    std::memcpy(paragraphBlock.data() + 4, paragraphs.data(), sizeof(TextParagraph));
    auto widest = [&](const std::string& text) {
        format.length = static_cast<int32_t>(text.size());
        return MeasureWidestWord(dc, &format, paragraphBlock.data(), 1, text.data(), static_cast<int>(text.size()));
    };
    auto extent = [&](const char* text) {
        SelectObject(dc, font);
        SIZE size;
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        return static_cast<int>(size.cx);
    };
    const int byReturn = widest("a widest\rz");
    const int byTab = widest("a widest\tz");
    const int bySpace = widest("a widest z");
    EXPECT_EQ(extent("widest"), byReturn);
    EXPECT_EQ(byReturn, byTab);
    EXPECT_EQ(extent("widest "), bySpace);
    EXPECT_GT(bySpace, byReturn);
    EXPECT_EQ(0, widest(" \r\t  "));
    DeleteDC(dc);
    DeleteObject(font);
}
