#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "text/break_areas.h"
#include "text/ten_arrays.h"
#include "text/ten_create.h"
#include "text/ten_edit.h"
#include "text/ten_notifications.h"
#include "text/ten_paint.h"
#include "text/ten_startup.h"
#include "text/text_paint.h"
#include "text_engine_support.h"

namespace {

struct AreaSpec {
    int height;
    int width;
};

// Hands the editor a list of areas (the editor owns it from then on) and
// lays the text out again.
void GiveAreas(TestEditor& editor, const std::vector<AreaSpec>& specs)
{
    HGLOBAL list = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, specs.size() * sizeof(TextBreakArea));
    auto* areas = static_cast<TextBreakArea*>(GlobalLock(list));
    for (size_t i = 0; i < specs.size(); ++i) {
        areas[i].height = specs[i].height;
        areas[i].width = specs[i].width;
    }
    GlobalUnlock(list);
    SetTenBreakAreas(editor.window(), list, static_cast<int>(specs.size()));
    EXPECT_EQ(kErrNone, editor.Layout());
}

std::vector<TextBreakArea> Areas(const TestEditor& editor)
{
    BreakAreaView view(editor.state());
    return std::vector<TextBreakArea>(view.areas(), view.areas() + view.count());
}

std::vector<unsigned char> Paragraphs(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? "\r" : "") + std::string("Line ") + std::to_string(i + 1);
    return MakeBlock(text, {{static_cast<int>(text.size())}}, {Paragraph(0)});
}

int Bottom(const TextLine& line) { return line.top + line.height; }

// The area each line stands in, from the areas' first lines.
int AreaOfLine(const std::vector<TextBreakArea>& areas, int line)
{
    int area = 0;
    for (size_t i = 1; i < areas.size(); ++i) {
        if (areas[i].firstLine <= line)
            area = static_cast<int>(i);
    }
    return area;
}

// Every line stands inside its area, and exactly the first lines of the
// later areas carry the bar flag.
void ExpectStacked(const TestEditor& editor, const char* when)
{
    const std::vector<TextLine> lines = editor.Lines();
    const std::vector<TextBreakArea> areas = Areas(editor);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int area = AreaOfLine(areas, static_cast<int>(i));
        const TextBreakArea& a = areas[static_cast<size_t>(area)];
        const bool opens = i > 0 && a.firstLine == static_cast<int>(i);
        EXPECT_EQ(opens, (lines[i].flags & kLineFirstOfLaterArea) != 0) << when << " line " << i;
        EXPECT_GE(lines[i].top, a.top) << when << " line " << i;
        if (area + 1 < static_cast<int>(areas.size())) {
            EXPECT_LE(Bottom(lines[i]), a.top + a.height) << when << " line " << i;
        }
        if (i > 0 && !opens) {
            EXPECT_EQ(Bottom(lines[i - 1]), lines[i].top) << when << " line " << i;
        }
    }
}

} // namespace

TEST(TextBreakAreas, EditsAndUndoKeepTheLinesInTheirAreas)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(Paragraphs(6)));
    const int lineHeight = editor.Lines()[0].height;
    GiveAreas(editor, {{lineHeight * 3, 0}, {lineHeight * 3, 0}, {20000, 0}});
    ExpectStacked(editor, "loaded");
    const std::vector<TextLine> before = editor.Lines();
    ASSERT_EQ(3, Areas(editor)[1].firstLine);
    editor.Select(37, 37);  // in the last paragraph, in the second area
    ASSERT_EQ(0, InsertTenText(editor.window(), "\r\rnew\r", 6, kApplyUndoStep | kApplyMoveSelection | kApplyLayout));
    ASSERT_EQ(9u, editor.Lines().size());
    ExpectStacked(editor, "typed");
    UndoTenStep(editor.window(), editor.state());
    ExpectStacked(editor, "undone");
    const std::vector<TextLine> after = editor.Lines();
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(before[i].top, after[i].top) << i;
        EXPECT_EQ(before[i].flags, after[i].flags) << i;
    }
}

TEST(TextBreakAreas, TextFlowsFromAreaToAreaBelowABar)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(Paragraphs(8)));
    const int lineHeight = editor.Lines()[0].height;
    GiveAreas(editor, {{lineHeight * 5 / 2, 0}, {lineHeight * 7 / 2, 0}, {20000, 0}});
    const std::vector<TextLine> lines = editor.Lines();
    const std::vector<TextBreakArea> areas = Areas(editor);
    ASSERT_EQ(8u, lines.size());
    // Two lines fit the first area, three the second, the rest the third.
    EXPECT_EQ(2, areas[1].firstLine);
    EXPECT_EQ(5, areas[2].firstLine);
    for (int i = 0; i < 8; ++i) {
        const TextLine& line = lines[static_cast<size_t>(i)];
        const int area = AreaOfLine(areas, i);
        const bool opens = i > 0 && areas[static_cast<size_t>(area)].firstLine == i;
        EXPECT_EQ(opens, (line.flags & kLineFirstOfLaterArea) != 0) << i;
        EXPECT_FALSE(line.flags & kLineBeginsBreakArea) << i;
        EXPECT_LE(Bottom(line), areas[static_cast<size_t>(area)].top + areas[static_cast<size_t>(area)].height) << i;
        if (opens) {
            // The area starts one bar below where the one before ended.
            EXPECT_EQ(areas[static_cast<size_t>(area - 1)].bottomReached + BreakBarHeight, line.top) << i;
            EXPECT_EQ(line.top, areas[static_cast<size_t>(area)].top) << i;
            EXPECT_EQ(lines[static_cast<size_t>(i - 1)].top + lines[static_cast<size_t>(i - 1)].height,
                      areas[static_cast<size_t>(area - 1)].bottomReached) << i;
        } else if (i > 0) {
            EXPECT_EQ(Bottom(lines[static_cast<size_t>(i - 1)]), line.top) << i;
        }
    }
    // Without areas the same text stands in one column again.
    SetTenBreakAreas(editor.window(), nullptr, 0);
    EXPECT_EQ(kErrNone, editor.Layout());
    const std::vector<TextLine> plain = editor.Lines();
    for (size_t i = 1; i < plain.size(); ++i) {
        EXPECT_EQ(Bottom(plain[i - 1]), plain[i].top) << i;
        EXPECT_EQ(0u, plain[i].flags & (kLineFirstOfLaterArea | kLineBeginsBreakArea)) << i;
    }
}

TEST(TextBreakAreas, EachAreaBreaksLinesAtItsOwnWidth)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "word ";
    ASSERT_EQ(0, editor.Load(MakeBlock(text, {{static_cast<int>(text.size())}}, {Paragraph(0)})));
    editor.SetBox(2400, 32000);
    const int lineHeight = editor.Lines()[0].height;
    GiveAreas(editor, {{lineHeight * 2, 2400}, {20000, 900}});
    const std::vector<TextLine> lines = editor.Lines();
    const std::vector<TextBreakArea> areas = Areas(editor);
    ASSERT_GT(areas[1].firstLine, 0);
    ASSERT_GT(static_cast<int>(lines.size()), areas[1].firstLine + 2);
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        const int width = static_cast<int>(i) < areas[1].firstLine ? 2400 : 900;
        EXPECT_LE(lines[i].wordWidth, width) << i;
        EXPECT_GT(lines[i].wordWidth, width - 450) << i;  // full lines: a word more would not fit
    }
}

TEST(TextBreakAreas, BreakBeforeParagraphOpensTheNextArea)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    const std::string text = "Title\rBody one\rBody two";
    ASSERT_EQ(0, editor.Load(MakeBlock(text, {{6, 0, 12}, {17, 0, 12, 0, 0, 0, kFormatNewBreakArea}},
                                       {Paragraph(0)})));
    GiveAreas(editor, {{5000, 0}, {5000, 0}});
    const std::vector<TextLine> lines = editor.Lines();
    const std::vector<TextBreakArea> areas = Areas(editor);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(1, areas[1].firstLine);
    EXPECT_EQ(static_cast<uint32_t>(kLineBeginsBreakArea | kLineFirstOfLaterArea),
              lines[1].flags & (kLineBeginsBreakArea | kLineFirstOfLaterArea));
    EXPECT_EQ(Bottom(lines[0]), areas[0].bottomReached);
    EXPECT_EQ(Bottom(lines[0]) + BreakBarHeight, lines[1].top);
    // The second paragraph of the same format does not break again.
    EXPECT_EQ(0u, lines[2].flags & (kLineBeginsBreakArea | kLineFirstOfLaterArea));
}

TEST(TextBreakAreas, RestackingPutsLinesWhereLayoutPutThem)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(Paragraphs(9)));
    const int lineHeight = editor.Lines()[0].height;
    GiveAreas(editor, {{lineHeight * 3, 0}, {lineHeight * 2, 0}, {lineHeight * 30, 0}});
    const std::vector<TextLine> laidOut = editor.Lines();
    const std::vector<TextBreakArea> areasLaidOut = Areas(editor);
    TenState* state = editor.state();
    {
        TenArrays arrays(&state->live);
        BreakAreaView view(state);
        for (int i = 0; i < state->live.lineCount; ++i) {
            arrays.lines[i].top = 7;
            arrays.lines[i].flags &= ~static_cast<uint32_t>(kLineFirstOfLaterArea);
        }
        for (int i = 0; i < view.count(); ++i)
            view.areas()[i].bottomReached = 0;
        PlaceBreakAreas(state, 0, view.areas(), arrays.lines, state->live.lineCount - 1, arrays.formats,
                        arrays.Paragraphs(), arrays.ParagraphCount());
    }
    const std::vector<TextLine> restacked = editor.Lines();
    for (size_t i = 0; i < laidOut.size(); ++i) {
        EXPECT_EQ(laidOut[i].top, restacked[i].top) << i;
        EXPECT_EQ(laidOut[i].flags, restacked[i].flags) << i;
    }
    const std::vector<TextBreakArea> areas = Areas(editor);
    for (size_t i = 0; i < areas.size(); ++i) {
        EXPECT_EQ(areasLaidOut[i].bottomReached, areas[i].bottomReached) << i;
        EXPECT_EQ(areasLaidOut[i].firstLine, areas[i].firstLine) << i;
    }
}

TEST(TextBreakAreas, ParentHearsWhenTheTextRunsPastTheAreas)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(Paragraphs(2)));
    TakeNotifications(TENN_OVERFLOW);
    TakeNotifications(TENN_PASTBREAKS);
    const int lineHeight = editor.Lines()[0].height;
    GiveAreas(editor, {{lineHeight * 2, 0}, {lineHeight * 2, 0}});
    // Without areas nothing was said; two lines fit the areas.
    EXPECT_EQ(0, TakeNotifications(TENN_OVERFLOW));
    EXPECT_EQ(0, TakeNotifications(TENN_PASTBREAKS));

    struct Case {
        int paragraphs;
        int overflowSent;     // TENN_OVERFLOW since the case before
        bool overflows;       // its wParam
        bool pastBreaks;      // TENN_PASTBREAKS posted
    } cases[] = {
        {5, 1, true, false},  // one line past the end
        {6, 0, true, false},  // still past: nothing new to say
        {12, 0, true, true},  // far past the last area
        {3, 1, false, false}, // fits again
        {3, 0, false, false},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(0, editor.Load(Paragraphs(c.paragraphs)));
        EXPECT_EQ(kErrNone, editor.Layout());
        EXPECT_EQ(c.overflowSent, TakeNotifications(TENN_OVERFLOW)) << c.paragraphs;
        EXPECT_EQ(c.overflows, (editor.state()->stateFlags & kTenTextOverflows) != 0) << c.paragraphs;
        EXPECT_EQ(c.pastBreaks, TakeNotifications(TENN_PASTBREAKS) > 0) << c.paragraphs;
    }
}

TEST(TextBreakAreas, BarsArePaintedInTheEditorOnly)
{
    EditorSetup setup;
    setup.boxHeight = 1200;
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(Paragraphs(4)));
    editor.SetBox(1800, 1200);
    const int lineHeight = editor.Lines()[0].height;
    GiveAreas(editor, {{lineHeight * 2, 0}, {lineHeight * 4, 0}});
    const std::vector<TextBreakArea> areas = Areas(editor);
    ASSERT_EQ(2, areas[1].firstLine);
    TenState* state = editor.state();
    PaintTextLines(editor.window(), state, 0, state->live.lineCount, 1);
    HDC dc = state->offscreenDC;
    ASSERT_NE(nullptr, dc);
    const int inBar = areas[0].bottomReached + BreakBarHeight / 2;
    const int endBar = areas[1].bottomReached + BreakBarHeight / 2;
    EXPECT_EQ(RGB(192, 192, 192), GetPixel(dc, 10, inBar));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 10, endBar));
    EXPECT_EQ(areas[1].bottomReached + BreakBarHeight, state->paintedBarBottom);
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 10, areas[1].bottomReached + BreakBarHeight * 2));

    // The same lines drawn by the line painter (drawing views, printing)
    // carry no bars.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 400, 300);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetMapMode(memory, MM_ANISOTROPIC);
    SetWindowExtEx(memory, 600, 600, nullptr);
    SetViewportExtEx(memory, 96, 96, nullptr);
    SetTextAlign(memory, TA_BASELINE);
    SetBkMode(memory, TRANSPARENT);
    RECT all = {0, 0, 2500, 1875};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    {
        TenArrays arrays(&state->live);
        TextPaintOptions options = {};
        options.measuringDC = state->measuringDC;
        options.fontList = state->fontList;
        options.fontTable = state->fontTable;
        options.unitsPerInch = 600;
        DrawTextLines(memory, TenLinesView(state, arrays), 0, state->live.lineCount, options);
    }
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(memory, 10, inBar));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(memory, 10, endBar));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}
