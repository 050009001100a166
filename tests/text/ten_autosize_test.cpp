#include <gtest/gtest.h>

#include <string>

#include "text/ten_autosize.h"
#include "text/ten_fit_box.h"
#include "text/ten_state_access.h"
#include "text_engine_support.h"

namespace {

std::vector<unsigned char> Lines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += i ? "\rmore" : "first";
    return MakeBlock(text, {{static_cast<int>(text.size())}}, {Paragraph(0)});
}

} // namespace

TEST(TextAutoSize, AskingTheParentKeepsTheBoxsProportions)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(Lines(6)));
    editor.SetBox(1800, 300);
    TenState* state = editor.state();
    state->stateFlags |= kTenFitHeight | kTenAskBeforeGrowing;
    state->live.neededHeight = 300;  // the height granted before the text grew
    const int needed = NeededTextHeight(state);
    ASSERT_GT(needed, 300);
    const LONG result = AutoSizeTenWindow(editor.window(), state);
    EXPECT_EQ(needed, state->live.boxHeight);
    EXPECT_EQ(1800 * needed / 300, state->live.boxWidth);
    EXPECT_EQ(needed, state->live.neededHeight);
    EXPECT_TRUE(LOWORD(result) & 1);
    EXPECT_TRUE(HIWORD(result) & 1);
    EXPECT_TRUE(state->stateFlags & kTenRelayoutAfterUndo);

    // The height granted last time is not asked for again.
    editor.SetBox(1800, 300);
    EXPECT_EQ(0, AutoSizeTenWindow(editor.window(), state));
    EXPECT_EQ(300, state->live.boxHeight);
}

TEST(TextAutoSize, WithoutAskingOnlyTheHeightGrows)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(Lines(6)));
    editor.SetBox(1800, 300);
    TenState* state = editor.state();
    state->stateFlags |= kTenFitHeight;
    const int needed = NeededTextHeight(state);
    EXPECT_NE(0, AutoSizeTenWindow(editor.window(), state));
    EXPECT_EQ(needed, state->live.boxHeight);
    EXPECT_EQ(1800, state->live.boxWidth);
}

TEST(TextAutoSize, FittingWithoutProbesGrowsAtTheRatioAndKeepsTheBoxWhenShrinking)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    editor.SetBox(1200, 400);
    struct Case {
        int change;
        int width, height;
    } cases[] = {{100, 1500, 500}, {10, 1230, 410}, {-150, 1200, 400}, {0, 1200, 400}};
    for (const Case& c : cases) {
        int32_t size[2] = {0, 0};
        EXPECT_EQ(kErrNone, FitTenBoxToText(editor.window(), TenStateHandle(editor.window()), c.change, size, 0));
        EXPECT_EQ(c.width, size[0]) << c.change;
        EXPECT_EQ(c.height, size[1]) << c.change;
        EXPECT_EQ(400 + c.change, editor.state()->live.neededHeight) << c.change;
        EXPECT_EQ(400, editor.state()->live.boxHeight) << c.change;
    }
    int32_t size[2] = {0, 0};
    EXPECT_EQ(kErrNoMemory, FitTenBoxToText(nullptr, nullptr, 10, size, 0));
}
