// Fitting an editor's box to its text.
#include <gtest/gtest.h>

#include <string>

#include "text/ten_fit_box.h"
#include "text/ten_state_access.h"
#include "text_engine_support.h"

TEST(TextEditorFitBox, SmallChangesMakeNoProbe)
{
    EditorSetup setup;
    setup.text = "fit";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    editor.SetBox(1200, 600);
    struct Case {
        const char* name;
        int change;
        int width, height;
    } cases[] = {{"growth", 10, 1220, 610}, {"shrink", -10, 1200, 600}};
    for (const Case& c : cases) {
        int32_t size[2] = {0, 0};
        EXPECT_EQ(0, FitTenBoxToText(editor.window(), TenStateHandle(editor.window()), c.change, size, 0)) << c.name;
        EXPECT_EQ(c.width, size[0]) << c.name;
        EXPECT_EQ(c.height, size[1]) << c.name;
        EXPECT_EQ(600 + c.change, editor.state()->live.neededHeight) << c.name;
    }
}

TEST(TextEditorFitBox, GrowthFindsAHeightThatHoldsTheTextAtTheBoxRatio)
{
    EditorSetup setup;
    setup.text = "a longer text that has to wrap over several lines in a narrow box";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    editor.SetBox(600, 300);
    EXPECT_EQ(kErrNone, editor.Layout());
    int32_t size[2] = {0, 0};
    ASSERT_EQ(0, FitTenBoxToText(editor.window(), TenStateHandle(editor.window()), 3000, size, 0));
    EXPECT_GT(size[1], 300);
    EXPECT_LT(size[1], 3300);
    EXPECT_EQ(size[0], size[1] * 2);
    EXPECT_EQ(600, editor.state()->live.boxWidth);
    EXPECT_EQ(300, editor.state()->live.boxHeight);
}

// A box read from a file may have no height; the ratio was divided by it.
TEST(TextEditorFitBox, AZeroHeightBoxDoesNotDivideByZero)
{
    EditorSetup setup;
    setup.text = "zero";
    TestEditor editor(setup);
    ASSERT_TRUE(editor.ok());
    editor.SetBox(900, 0);
    int32_t size[2] = {-1, -1};
    EXPECT_EQ(0, FitTenBoxToText(editor.window(), TenStateHandle(editor.window()), 400, size, 0));
    EXPECT_EQ(900, size[0]);
    EXPECT_GE(size[1], 0);
    EXPECT_LE(size[1], 400);
}
