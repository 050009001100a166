// Lines joined into a shape and a shape broken back into lines, from the
// menus of the running program, with their notices answered as a person
// would; what the program saved read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "objects/shape_types.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/scratch_drawing.h"
#include "support/test_paths.h"

namespace {

// A closed square of four lines, drawn in no particular direction.
void FillSquare(HWND view)
{
    const struct {
        RECT frame;
        int direction;
    } sides[] = {{{900, 900, 2700, 900}, 0},
                 {{2700, 900, 2700, 2400}, 2},
                 {{900, 2400, 2700, 2400}, 0},
                 {{900, 900, 900, 2400}, 2}};
    for (const auto& side : sides)
        ASSERT_EQ(0, CreateObject(view, kKindLine, &side.frame, side.direction, 1, 0, 0, 1, 0, 0));
}

int CountKind(const std::vector<DrawingObject>& objects, int kind)
{
    int found = 0;
    for (const DrawingObject& object : objects)
        found += object.kind == kind ? 1 : 0;
    return found;
}

class JoinLinesProgram : public DesktopProgram {
protected:
    void SetUp() override { file_ = StartOnDrawing("join-lines.tyr", FillSquare); }
    std::vector<DrawingObject> Saved()
    {
        Command(desktop_ids::kSave);
        return ScratchDrawing().ReadObjects(file_);
    }
    // Runs a command whose notice asks, answering with the button.
    void Answer(int command, const char* title, int button)
    {
        HWND notice = OpenDialog(command, title);
        ASSERT_NE(nullptr, notice) << title;
        Screenshot(std::string("asked_") + title);
        Press(notice, button);
    }

    std::string file_;
};

TEST_F(JoinLinesProgram, GroupOffersTheJoinAndEditShapeOutlineBreaksTheShapeBackIntoLines)
{
    Command(IDM_EDIT_SELECT_ALL);
    Answer(IDM_DRAW_GROUP, "Group", IDOK);
    Screenshot("joined_from_group");
    std::vector<DrawingObject> saved = Saved();
    ASSERT_EQ(1u, saved.size()) << "Join did not replace the lines by one shape";
    EXPECT_EQ(kKindShape, saved[0].kind);
    EXPECT_EQ(kShapeFreeform, saved[0].shapeType);

    Answer(IDM_SHAPES_EDIT_OUTLINE, "Edit Shape Outline", IDOK);
    Screenshot("outline_as_lines");
    saved = Saved();
    EXPECT_EQ(4u, saved.size());
    EXPECT_EQ(4, CountKind(saved, kKindLine));

    Command(IDM_EDIT_UNDO);
    saved = Saved();
    ASSERT_EQ(1u, saved.size()) << "Undo did not bring the shape back";
    EXPECT_EQ(kShapeFreeform, saved[0].shapeType);
}

TEST_F(JoinLinesProgram, JoinFromTheLinesMenuAsksOnceAndCancelLeavesTheLines)
{
    Command(IDM_EDIT_SELECT_ALL);
    Answer(IDM_LINES_JOIN, "Join to Make a New Shape", IDCANCEL);
    EXPECT_EQ(4, CountKind(Saved(), kKindLine)) << "Cancel joined the lines";

    Answer(IDM_LINES_JOIN, "Join to Make a New Shape", IDOK);
    Screenshot("joined_from_lines_menu");
    const std::vector<DrawingObject> saved = Saved();
    ASSERT_EQ(1u, saved.size());
    EXPECT_EQ(kShapeFreeform, saved[0].shapeType);
}

} // namespace
