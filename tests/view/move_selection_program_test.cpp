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
#include "support/test_paths.h"

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

// A drawing with one box in view and one past the right edge of the free
// area, as a file written elsewhere or a big grid can hold.
const COLORREF kShapeFill = RGB(255, 255, 0);   // the scratch drawing's fill colour
const RECT kInView = {600, 600, 1400, 1200};
const RECT kPastTheEdge = {30200, 600, 30800, 1200};

void AddBoxOnEachSideOfTheEdge(HWND view)
{
    for (RECT frame : {kInView, kPastTheEdge})
        ASSERT_EQ(kErrNone, CreateObject(view, kKindShape, &frame, 2, 0, 0, 0, 1, 0, 0));
}

class SelectionPastTheEdgeProgram : public DesktopProgram {
protected:
    void SetUp() override
    {
        file_ = ScratchPath("selection_past_the_edge.tyr");
        {
            ScratchDrawing drawing;
            ASSERT_EQ(0, drawing.Write(file_, false, AddBoxOnEachSideOfTheEdge));
        }
        StartWith(file_);
        Command(IDM_EDIT_SELECT_ALL);
    }
    std::vector<RECT> Saved()
    {
        Command(desktop_ids::kSave);
        ScratchDrawing reader;
        return reader.ReadFrames(file_);
    }
    // Both boxes went the same way, away from the edge or along it.
    static void ExpectBothMoved(const std::vector<RECT>& frames)
    {
        ASSERT_EQ(2u, frames.size());
        const LONG dx = frames[0].left - kInView.left;
        const LONG dy = frames[0].top - kInView.top;
        EXPECT_TRUE(dx != 0 || dy != 0) << "nothing moved";
        EXPECT_LE(dx, 0) << "pushed further past the edge";
        EXPECT_EQ(kPastTheEdge.left + dx, frames[1].left);
        EXPECT_EQ(kPastTheEdge.top + dy, frames[1].top);
    }
    std::string file_;
};

TEST_F(SelectionPastTheEdgeProgram, DraggingASelectionThatReachesPastTheEdgeMovesIt)
{
    const RECT box = ScreenImage::Grab().ColorBox(ClientScreenRect(view_), kShapeFill);
    ASSERT_LT(box.left, box.right) << "the box in view is not on screen";
    const POINT from = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    RealDrag(from, POINT{from.x - 20, from.y + 40});
    ASSERT_TRUE(program_.Settle());
    Screenshot("selection_past_the_edge_dragged");
    ExpectBothMoved(Saved());
}

TEST_F(SelectionPastTheEdgeProgram, ArrowKeysMoveASelectionThatReachesPastTheEdge)
{
    for (WORD key : {VK_LEFT, VK_DOWN}) {
        RealKey(key);
        ASSERT_TRUE(program_.Settle());
    }
    ExpectBothMoved(Saved());
}

} // namespace
