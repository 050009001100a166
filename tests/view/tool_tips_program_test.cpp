// Tool tips in the running program: the pointer rests on palette buttons.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/screen_image.h"

namespace {

const char kTipClass[] = "SEToolTipClass";
const int kRoundedRectangleTool = 115;
const int kSomeTextPixels = 20;

using ToolTipsProgram = DesktopProgram;

POINT ButtonCentre(HWND palette, int id)
{
    const RECT r = ClientScreenRect(GetDlgItem(palette, id));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(ToolTipsProgram, RestingOnTheRectangleButtonShowsItsNameBelowThePointer)
{
    const POINT rest = ButtonCentre(palette_, desktop_ids::kRectangleTool);
    RealMouseMove(rest);
    HWND tip = AwaitToolTipBelow(rest);
    ASSERT_NE(nullptr, tip) << "no tip 16 pixels below the pointer";
    RECT r;
    GetWindowRect(tip, &r);
    EXPECT_EQ(rest.x, r.left);
    const ScreenImage screen = ScreenImage::Grab();
    screen.Save("tool_tip_draw_a_rectangle");
    // The text on the tip's pale background, which fills the rest.
    const RECT inside = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    EXPECT_GT(screen.CountDark(inside), kSomeTextPixels);
    EXPECT_GT(screen.CountColor(inside, GetSysColor(COLOR_INFOBK)), (r.right - r.left) * 2);

    // On to the next button while the tip shows: the next tip replaces it.
    const POINT next = ButtonCentre(palette_, kRoundedRectangleTool);
    RealMouseMove(next);
    ASSERT_NE(nullptr, AwaitToolTipBelow(next));
    Screenshot("tool_tip_next_button");

    // Into the drawing: the tip goes.
    RealMouseMove(ClientToScreenPoint(view_, POINT{200, 200}));
    program_.Settle();
    EXPECT_EQ(nullptr, program_.FindProgramWindow(kTipClass, nullptr));
}

} // namespace
