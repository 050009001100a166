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
    // The window's new size laid the text out for the new width at once.
    EXPECT_FALSE(state->stateFlags & kTenRelayoutAfterUndo);

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

TEST(TextAutoSize, FittingWithoutAStateAnswersOutOfMemory)
{
    int32_t size[2] = {0, 0};
    EXPECT_EQ(kErrNoMemory, FitTenBoxToText(nullptr, nullptr, 10, size, 0));
}
