// Dragging one of several selected objects moves them all, as a person who
// selected everything and dragged one box expects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/object_create.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
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

const COLORREF kShapeFill = RGB(255, 255, 0);   // the scratch drawing's fill colour

// Two boxes written into a drawing file, the program started on it and both
// selected.
class TwoSelectedBoxesProgram : public DesktopProgram {
protected:
    // Each test starts the program on its own drawing.
    void SetUp() override {}
    void StartOn(const RECT& first, const RECT& second, int32_t drawingFlags)
    {
        first_ = first;
        second_ = second;
        file_ = StartOnDrawing("two_selected_boxes.tyr", [&](HWND view) {
            for (RECT frame : {first, second})
                ASSERT_EQ(kErrNone, CreateObject(view, kKindShape, &frame, 2, 0, 0, 0, 1, 0, 0));
        }, drawingFlags);
        Command(IDM_EDIT_SELECT_ALL);
    }
    // Both boxes went the same way, and not further right.
    void ExpectBothMovedAlike()
    {
        Command(desktop_ids::kSave);
        ScratchDrawing reader;
        const std::vector<RECT> frames = reader.ReadFrames(file_);
        ASSERT_EQ(2u, frames.size());
        const LONG dx = frames[0].left - first_.left;
        const LONG dy = frames[0].top - first_.top;
        EXPECT_TRUE(dx != 0 || dy != 0) << "nothing moved";
        EXPECT_LE(dx, 0) << "pushed further right";
        EXPECT_EQ(second_.left + dx, frames[1].left);
        EXPECT_EQ(second_.top + dy, frames[1].top);
    }
    std::string file_;
    RECT first_ = {};
    RECT second_ = {};
};

// One box in view and one past the right edge of the free area, as a file
// written elsewhere or a big grid can hold.
const RECT kInView = {600, 600, 1400, 1200};
const RECT kPastTheEdge = {30200, 600, 30800, 1200};

TEST_F(TwoSelectedBoxesProgram, DraggingASelectionThatReachesPastTheEdgeMovesIt)
{
    StartOn(kInView, kPastTheEdge, 0);
    const RECT box = ScreenImage::Grab().ColorBox(ClientScreenRect(view_), kShapeFill);
    ASSERT_LT(box.left, box.right) << "the box in view is not on screen";
    const POINT from = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    RealDrag(from, POINT{from.x - 20, from.y + 40});
    ASSERT_TRUE(program_.Settle());
    Screenshot("selection_past_the_edge_dragged");
    ExpectBothMovedAlike();
}

TEST_F(TwoSelectedBoxesProgram, ArrowKeysMoveASelectionThatReachesPastTheEdge)
{
    StartOn(kInView, kPastTheEdge, 0);
    for (WORD key : {VK_LEFT, VK_DOWN}) {
        RealKey(key);
        ASSERT_TRUE(program_.Settle());
    }
    ExpectBothMovedAlike();
}

// The upper box dragged down over the lower one, both selected, in a drawing
// whose shapes hook: it must not hang on a box that moves along with it (it
// went twice the way, once dragged and once following its host).
TEST_F(TwoSelectedBoxesProgram, DraggedBoxOfASelectionDoesNotHookOntoAnotherOfIt)
{
    const RECT upper = {600, 600, 1400, 1200};
    const RECT lower = {600, 1230, 1400, 1830};
    StartOn(upper, lower, kDrawingShapesLink | kDrawingLinesLink);
    const RECT both = ScreenImage::Grab().ColorBox(ClientScreenRect(view_), kShapeFill);
    ASSERT_LT(both.top, both.bottom) << "the boxes are not on screen";
    const double pixelsPerUnit = static_cast<double>(both.bottom - both.top) / (lower.bottom - upper.top);
    const POINT from = {(both.left + both.right) / 2, both.top + static_cast<LONG>(300 * pixelsPerUnit)};
    const LONG down = static_cast<LONG>(200 * pixelsPerUnit) + 1;
    RealDrag(from, POINT{from.x, from.y + down});
    ASSERT_TRUE(program_.Settle());
    Screenshot("selection_dragged_over_its_own_box");
    ExpectBothMovedAlike();
}

} // namespace
