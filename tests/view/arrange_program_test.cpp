// The arrange commands in the running program: three rectangles drawn and
// picked up with the real mouse, then aligned, spaced, grouped, flipped,
// ungrouped, duplicated and sent back, each saved and read back, each undone
// and redone with Ctrl+Z.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "objects/drawing_tables.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"

namespace {

class ArrangeProgram : public DesktopProgram {
protected:
    void SetUp() override
    {
        file_ = StartOnEmptyDrawing("arrange.tyr");
    }
    std::vector<DrawingObject> Saved()
    {
        Command(desktop_ids::kSave);
        ScratchDrawing reader;
        return reader.ReadObjects(file_);
    }
    void Key(WORD key, bool shift = false, bool ctrl = false)
    {
        RealKey(key, shift, ctrl);
        ASSERT_TRUE(program_.Settle());
    }
    void Undo() { Key('Z', false, true); }
    // Three rectangles of different widths, all selected with a rubber band.
    void DrawThreeAndSelect()
    {
        DrawRectangle({40, 60}, {120, 110});
        DrawRectangle({200, 130}, {240, 180});
        DrawRectangle({330, 80}, {450, 120});
        RealDrag(ClientToScreenPoint(view_, {20, 30}), ClientToScreenPoint(view_, {480, 220}));
        ASSERT_TRUE(program_.Settle());
    }
    static bool Same(const std::vector<DrawingObject>& objects, LONG RECT::*edge)
    {
        for (const DrawingObject& object : objects)
            if (object.frame.*edge != objects.front().frame.*edge)
                return false;
        return true;
    }
    static std::vector<RECT> ByTop(const std::vector<DrawingObject>& objects)
    {
        std::vector<RECT> frames;
        for (const DrawingObject& object : objects)
            frames.push_back(object.frame);
        std::sort(frames.begin(), frames.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });
        return frames;
    }

    // The first group row of the saved file.
    GroupEntry SavedGroup()
    {
        Command(desktop_ids::kSave);
        GroupEntry row{};
        ScratchDrawing reader;
        EXPECT_EQ(0, reader.Inspect(file_, [&](DrawingRecord* drawing) {
            LockedTable groups(drawing, kTableGroups);
            if (groups.Count() > 0)
                row = *GroupEntryAt(groups.Get(), 0);
        }));
        return row;
    }

    std::string file_;
};

TEST_F(ArrangeProgram, AlignSpaceGroupFlipAndUngroupEachSavedUndoneAndRedone)
{
    DrawThreeAndSelect();
    ASSERT_EQ(3u, Saved().size());

    Command(IDM_DRAW_ALIGN_LEFTS);
    Screenshot("arrange_after_align");
    EXPECT_TRUE(Same(Saved(), &RECT::left)) << "aligned";
    Undo();
    EXPECT_FALSE(Same(Saved(), &RECT::left)) << "undone";
    Undo();
    EXPECT_TRUE(Same(Saved(), &RECT::left)) << "redone";

    Command(IDM_DRAW_SPACE_VERTICAL);
    const std::vector<RECT> spaced = ByTop(Saved());
    ASSERT_EQ(3u, spaced.size());
    EXPECT_EQ(spaced[1].top - spaced[0].bottom, spaced[2].top - spaced[1].bottom) << "equal gaps";

    Key('G', false, true);
    Screenshot("arrange_after_group");
    std::vector<DrawingObject> grouped = Saved();
    ASSERT_EQ(3u, grouped.size());
    EXPECT_NE(0, grouped[0].groupKey);
    EXPECT_TRUE(grouped[0].groupKey == grouped[1].groupKey && grouped[1].groupKey == grouped[2].groupKey);
    Undo();
    EXPECT_EQ(0, Saved()[0].groupKey) << "group undone";
    Undo();
    EXPECT_NE(0, Saved()[0].groupKey) << "group redone";

    // Lefts that lined up end as rights that line up: the members mirror
    // inside the group's frame.
    Command(IDM_DRAW_FLIP_HORIZONTAL);
    EXPECT_TRUE(Same(Saved(), &RECT::right)) << "flipped";
    Undo();
    EXPECT_TRUE(Same(Saved(), &RECT::left)) << "flip undone";
    Undo();

    Key('G', true, true);
    std::vector<DrawingObject> ungrouped = Saved();
    for (const DrawingObject& object : ungrouped)
        EXPECT_EQ(0, object.groupKey) << "ungrouped";
}

TEST_F(ArrangeProgram, DuplicateTwiceWithANudgeBetweenAndSendToBack)
{
    DrawThreeAndSelect();
    Key('D', false, true);
    std::vector<DrawingObject> once = Saved();
    ASSERT_EQ(6u, once.size());
    const LONG stepX = once[3].frame.left - once[0].frame.left;
    const LONG stepY = once[3].frame.top - once[0].frame.top;
    EXPECT_GT(stepX, 0);
    for (int press = 0; press < 10; ++press)
        Key(VK_RIGHT);
    std::vector<DrawingObject> nudged = Saved();
    EXPECT_EQ(once[3].frame.left + 60, nudged[3].frame.left) << "ten presses of 6 units";
    Key('D', false, true);
    std::vector<DrawingObject> twice = Saved();
    ASSERT_EQ(9u, twice.size());
    EXPECT_EQ(stepX + 60, twice[6].frame.left - twice[3].frame.left) << "the learned step";
    EXPECT_EQ(stepY, twice[6].frame.top - twice[3].frame.top);
    Undo();
    EXPECT_EQ(6u, Saved().size()) << "undone";
    Undo();
    EXPECT_EQ(9u, Saved().size()) << "redone";

    // The file keeps the objects in drawing order: the copies come first.
    Command(IDM_DRAW_SEND_TO_BACK);
    std::vector<DrawingObject> sent = Saved();
    ASSERT_EQ(9u, sent.size());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(EqualRect(&sent[i].frame, &twice[6 + i].frame) != FALSE) << "sent back " << i;
    Undo();
    std::vector<DrawingObject> undone = Saved();
    ASSERT_EQ(9u, undone.size());
    EXPECT_TRUE(EqualRect(&undone[8].frame, &twice[8].frame) != FALSE) << "undone";
}

// A wide group at the page's top edge, turned upright, would stick out
// above it: it is moved down first and keeps its quarter turn.
TEST_F(ArrangeProgram, RotatingAGroupAtTheEdgeMovesItInsideAndUndoTurnsItBack)
{
    DrawRectangle({60, 8}, {200, 38});
    DrawRectangle({210, 8}, {350, 38});
    RealDrag(ClientToScreenPoint(view_, {40, 2}), ClientToScreenPoint(view_, {380, 60}));
    ASSERT_TRUE(program_.Settle());
    Key('G', false, true);
    const GroupEntry grouped = SavedGroup();
    ASSERT_NE(0, grouped.key);

    Command(IDM_DRAW_ROTATE_UP);
    Screenshot("arrange_group_rotated");
    const GroupEntry turned = SavedGroup();
    EXPECT_EQ(900, turned.rotation);
    const LONG halfWidth = (turned.frame.right - turned.frame.left) / 2;
    const LONG centreY = (turned.frame.top + turned.frame.bottom) / 2;
    EXPECT_GE(centreY - halfWidth, -1) << "the upright group's top stays on the page";
    EXPECT_GT(turned.frame.top, grouped.frame.top) << "moved down first";

    Undo();
    EXPECT_EQ(0, SavedGroup().rotation) << "undone";
}

} // namespace
