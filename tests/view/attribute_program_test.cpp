// The attribute commands in the running program: objects drawn with the real
// mouse, a command of the menus applied to the selection, the drawing saved
// and read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lines/array_record.h"
#include "lines/array_style.h"
#include "objects/drawing_tables.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/test_paths.h"
#include "view/tool_palette.h"

namespace {

const int32_t kDotted = 2;

class AttributeProgram : public DesktopProgram {
protected:
    void SetUp() override
    {
        file_ = StartOnEmptyDrawing("attributes.tyr");
    }
    void DrawWith(int tool, POINT from, POINT to)
    {
        ClickTool(tool);
        RealDrag(ClientToScreenPoint(view_, from), ClientToScreenPoint(view_, to));
        ASSERT_TRUE(program_.Settle());
        ClickTool(desktop_ids::kSelectTool);
    }
    std::vector<DrawingObject> Saved()
    {
        Command(desktop_ids::kSave);
        ScratchDrawing reader;
        return reader.ReadObjects(file_);
    }
    // The saved array's orientation, angle and flags.
    ArrayStyle SavedArrayStyle()
    {
        Command(desktop_ids::kSave);
        ArrayStyle style{-1, -1, 0};
        ScratchDrawing reader;
        EXPECT_EQ(0, reader.Inspect(file_, [&](DrawingRecord* drawing) {
            LockedTable objects(drawing, kTableObjects);
            ASSERT_EQ(1, objects.Count());
            const DrawingObject* array = ObjectAt(objects.Get(), 0);
            ArrayRecord record;
            ASSERT_EQ(0, record.Find(drawing, objects.Get(), array).value);
            style = {array->shapeType, record.Get()->angle, record.Get()->flags};
        }));
        return style;
    }

    std::string file_;
};

TEST_F(AttributeProgram, DottedFromTheMenusReachesBothALineAndAShape)
{
    DrawRectangle({60, 60}, {200, 140});
    DrawWith(kToolStraightLine, {260, 200}, {460, 260});
    Command(IDM_EDIT_SELECT_ALL);
    Command(IDM_LINE_DOTTED);
    Command(IDM_BORDER_DOTTED);
    Screenshot("line_and_shape_dotted");
    const std::vector<DrawingObject> saved = Saved();
    ASSERT_EQ(2u, saved.size());
    for (const DrawingObject& object : saved)
        EXPECT_EQ(kDotted, object.lineStyle) << "object of kind " << object.kind;
}

TEST_F(AttributeProgram, FillNoneMakesTheShapeTransparent)
{
    DrawRectangle({60, 60}, {200, 140});
    Command(IDM_EDIT_SELECT_ALL);
    Command(IDM_FILL_COLOR_NONE);
    const std::vector<DrawingObject> saved = Saved();
    ASSERT_EQ(1u, saved.size());
    EXPECT_EQ(0, saved[0].fillMode);
    EXPECT_EQ(CLR_INVALID, saved[0].fillColor);
}

TEST_F(AttributeProgram, EveryArrayStyleOfTheMenuReshapesTheArray)
{
    const int styles[] = {IDM_ARRAY_HORIZ_LINEAR,   IDM_ARRAY_VERT_LINEAR,    IDM_ARRAY_FISH_H_UPPER,
                          IDM_ARRAY_FISH_V_REVERSE, IDM_ARRAY_HORIZ,          IDM_ARRAY_VERT_RIGHT,
                          IDM_ARRAY_FISH_DOUBLE_H,  IDM_ARRAY_FISH_DOUBLE_V,  IDM_ARRAY_STAGGER,
                          IDM_ARRAY_VERT_LEFT,      IDM_ARRAY_FISH_H,         IDM_ARRAY_FISH_V,
                          IDM_ARRAY_HORIZ_BOTH,     IDM_ARRAY_VERT_BOTH,      IDM_ARRAY_FISH_STAGGER_H,
                          IDM_ARRAY_FISH_STAGGER_V, IDM_ARRAY_H_BOTH_STAGGER, IDM_ARRAY_V_BOTH_STAGGER,
                          IDM_ARRAY_FISH_REVERSE_H, IDM_ARRAY_FISH_DOUBLE_REVERSE};
    DrawWith(kToolAutoConnector, {120, 200}, {420, 260});
    for (int id : styles) {
        SCOPED_TRACE("array style " + std::to_string(id));
        Command(IDM_EDIT_SELECT_ALL);
        Command(id);
        Screenshot("array_style_" + std::to_string(id));
        ArrayStyle expected{};
        ASSERT_TRUE(DecodeArrayStyle(id - kArrayStyleMenuBase, &expected));
        const ArrayStyle saved = SavedArrayStyle();
        EXPECT_EQ(expected.orientation, saved.orientation);
        EXPECT_EQ(expected.angle, saved.angle);
        EXPECT_EQ(expected.flags, saved.flags);
    }
}

} // namespace
