// Dragging one of several selected objects moves them all, as a person who
// selected everything and dragged one box expects.
#include <gtest/gtest.h>

#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/screen_image.h"

namespace {

using MoveSelectionProgram = DesktopProgram;

// The rectangle's frame and a margin for its outline and handles.
RECT AroundFrame(const RECT& frame)
{
    return RECT{frame.left - 4, frame.top - 4, frame.right + 5, frame.bottom + 5};
}

TEST_F(MoveSelectionProgram, DraggingOneOfTheSelectedObjectsMovesThemAll)
{
    const RECT first = DrawRectangle(POINT{60, 60}, POINT{160, 130});
    const RECT second = DrawRectangle(POINT{260, 60}, POINT{360, 130});
    Command(IDM_EDIT_SELECT_ALL);
    const ScreenImage selected = ScreenImage::Grab();
    selected.Save("move_selection_selected");

    const POINT from = {(first.left + first.right) / 2, (first.top + first.bottom) / 2};
    RealDrag(from, POINT{from.x + 40, from.y + 90});
    ASSERT_TRUE(program_.Settle());
    const ScreenImage moved = ScreenImage::Grab();
    moved.Save("move_selection_moved");

    // Both old places are empty paper now; the second box went along too.
    EXPECT_TRUE(moved.Uniform(AroundFrame(first)));
    EXPECT_TRUE(moved.Uniform(AroundFrame(second)));
    RECT secondMoved = second;
    OffsetRect(&secondMoved, 40, 90);
    EXPECT_GT(moved.CountDark(AroundFrame(secondMoved)), 100);
}

TEST_F(MoveSelectionProgram, DraggingALabelledBoxOfTheSelectionMovesThemAll)
{
    const RECT first = DrawRectangle(POINT{60, 60}, POINT{160, 130});
    const RECT second = DrawRectangle(POINT{260, 60}, POINT{360, 130});
    const POINT middle = {(first.left + first.right) / 2, (first.top + first.bottom) / 2};
    ClickTool(desktop_ids::kTextTool);
    RealClick(middle);
    ASSERT_TRUE(program_.Settle());
    RealType("Label");
    ASSERT_TRUE(program_.Settle());
    ClickTool(desktop_ids::kSelectTool);
    RealClick(ClientToScreenPoint(view_, POINT{500, 400}));
    ASSERT_TRUE(program_.Settle());
    Command(IDM_EDIT_SELECT_ALL);
    Screenshot("move_selection_labelled_selected");

    RealDrag(middle, POINT{middle.x + 40, middle.y + 90});
    ASSERT_TRUE(program_.Settle());
    const ScreenImage moved = ScreenImage::Grab();
    moved.Save("move_selection_labelled_moved");
    EXPECT_TRUE(moved.Uniform(AroundFrame(second)));
}

} // namespace
