// Join to Make a New Shape and Edit Shape Outline through the edit commands:
// each one undo step that Undo takes back and Redo makes again.
#include <gtest/gtest.h>

#include <initializer_list>

#include "edit_fixture.h"
#include "objects/document_undo.h"
#include "objects/object_create.h"
#include "objects/shape_types.h"
#include "view/edit_operations.h"

namespace {

const int kUndoJoinText = 2560;
const int kUndoEditShapeText = 2562;

class JoinLines : public EditFixture {
protected:
    void Line(RECT frame)
    {
        const int direction = frame.top == frame.bottom ? 0 : 2;
        ASSERT_EQ(0, CreateObject(view_, kKindLine, &frame, direction, 1, 0, 0, 0, 0, 0));
    }
    // A closed square of four lines; `gap` opens its last corner.
    void Square(int gap)
    {
        for (const RECT& side : {RECT{1000, 1000, 2000, 1000}, RECT{2000, 1000, 2000, 2000},
                                 RECT{1000, 2000, 2000, 2000}, RECT{1000, 1000 + gap, 1000, 2000}})
            Line(side);
    }
    void SelectAll()
    {
        for (int i = 0; i < Count(); ++i)
            Object(i)->stateFlags |= kStateSelected;
        Drawing()->selectedCount = Count();
        Drawing()->primarySelected = 0;
    }
    int Kinds(int kind)
    {
        int found = 0;
        for (int i = 0; i < Count(); ++i)
            found += Object(i)->kind == kind ? 1 : 0;
        return found;
    }
};

TEST_F(JoinLines, FourLinesBecomeOneShapeAndUndoRedoSwapThem)
{
    Square(0);
    SelectAll();
    ASSERT_EQ(0, DoEditOperation(view_, kEditJoin, 0, nullptr));
    ASSERT_EQ(1, Count());
    EXPECT_EQ(kKindShape, Object(0)->kind);
    EXPECT_EQ(kShapeFreeform, Object(0)->shapeType);
    EXPECT_EQ(1, Drawing()->selectedCount);
    EXPECT_EQ(kUndoStepJoin, UndoKind());
    EXPECT_EQ(kUndoJoinText, UndoTextId());

    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_EQ(4, Kinds(kKindLine)) << "Undo did not give the lines back";
    EXPECT_EQ(4, Count());
    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_EQ(1, Kinds(kKindShape)) << "Redo did not join them again";
    EXPECT_EQ(1, Count());
}

TEST_F(JoinLines, AShapeBrokenIntoItsOutlineIsOneStepUndoneWhole)
{
    ASSERT_EQ(0, Create(RECT{1000, 1000, 2500, 2000}, kShapeRectangle, 1));
    const int before = UndoKind();
    ASSERT_EQ(0, DoEditOperation(view_, kEditShapeOutline, 0, nullptr));
    EXPECT_EQ(4, Kinds(kKindLine));
    EXPECT_EQ(4, Count());
    EXPECT_EQ(4, Drawing()->selectedCount) << "the new lines are the selection";
    EXPECT_EQ(kUndoStepEditShape, UndoKind());
    EXPECT_EQ(kUndoEditShapeText, UndoTextId());
    EXPECT_NE(before, UndoKind());

    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    ASSERT_EQ(1, Count());
    EXPECT_EQ(kShapeRectangle, Object(0)->shapeType);
    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_EQ(4, Kinds(kKindLine));
}

TEST_F(JoinLines, RefusedCommandsLeaveTheDrawingAndTheStepAlone)
{
    struct Case {
        const char* name;
        int operation;
        bool openSquare;
        bool twoShapes;
    } cases[] = {
        {"join of an open chain", kEditJoin, true, false},
        {"join of shapes", kEditJoin, false, true},
        {"outline of two shapes", kEditShapeOutline, false, true},
        {"outline of lines", kEditShapeOutline, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        while (Count() > 0)
            ASSERT_EQ(0, DoEditOperation(view_, kEditClear, 0, nullptr)) << "clearing";
        if (c.twoShapes) {
            ASSERT_EQ(0, Create(RECT{1000, 1000, 2000, 2000}));
            ASSERT_EQ(0, Create(RECT{3000, 1000, 4000, 2000}));
        } else {
            Square(c.openSquare ? 300 : 0);
        }
        SelectAll();
        const int objects = Count();
        const int kind = UndoKind();
        ASSERT_EQ(0, DoEditOperation(view_, c.operation, 0, nullptr));
        EXPECT_EQ(objects, Count());
        EXPECT_EQ(kind, UndoKind());
        // Select everything again for the clearing of the next row.
        SelectAll();
    }
}

// With nobody to ask (no main window shown) Group keeps grouping lines that
// could be joined.
TEST_F(JoinLines, GroupWithoutAnAnswerStaysAGroup)
{
    Square(0);
    SelectAll();
    ASSERT_EQ(0, DoEditOperation(view_, kEditGroup, 0, nullptr));
    EXPECT_EQ(4, Kinds(kKindLine));
    EXPECT_NE(kUndoStepJoin, UndoKind());
}

} // namespace
