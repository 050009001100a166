// The harness itself under real input: a rectangle drawn with the real mouse
// (palette button clicked, drag in the view) shows on the screen where it was
// drawn, and Undo typed as Ctrl+Z takes it away again.
#include <gtest/gtest.h>

#include <string>

#include "documents/options_file.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/screen_image.h"

namespace {

const int kInset = 16;          // clear of the outline and its handles, which reach inside

using RealInputProgram = DesktopProgram;

TEST_F(RealInputProgram, ARectangleDrawnWithTheRealMouseIsOnTheScreenAndCtrlZTakesItAway)
{
    const RECT client = ClientScreenRect(view_);
    const POINT from = {client.left + 60, client.top + 60};
    const POINT to = {client.left + 200, client.top + 160};
    const RECT outline = {from.x - 3, from.y - 3, to.x + 4, to.y + 4};
    const RECT inside = {from.x + kInset, from.y + kInset, to.x - kInset, to.y - kInset};
    const ScreenImage before = ScreenImage::Grab();
    before.Save("real_input_before");

    ClickTool(desktop_ids::kRectangleTool);
    RealDrag(from, to);
    ASSERT_TRUE(program_.Settle());
    const ScreenImage drawn = ScreenImage::Grab();
    drawn.Save("real_input_rectangle_drawn");
    // The outline and handles add dark pixels around the frame; the inside stays one colour.
    EXPECT_GT(drawn.CountDark(outline), before.CountDark(outline) + 200);
    EXPECT_TRUE(drawn.Uniform(inside));

    RealKey('Z', false, true);
    ASSERT_TRUE(program_.Settle());
    const ScreenImage undone = ScreenImage::Grab();
    undone.Save("real_input_rectangle_undone");
    EXPECT_EQ(before.CountDark(outline), undone.CountDark(outline));
}

} // namespace
