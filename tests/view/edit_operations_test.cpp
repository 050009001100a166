#include <gtest/gtest.h>

#include "objects/view_record.h"
#include "edit_fixture.h"
#include "objects/document_undo.h"
#include "view/edit_operations.h"
#include "view/selection_changes.h"

namespace {

class EditOperationsTest : public EditFixture {
protected:
    void MakeTwoSelected()
    {
        ASSERT_EQ(0, Create(RECT{1000, 1000, 2000, 2000}));
        ASSERT_EQ(0, Create(RECT{3000, 1000, 4000, 2000}));
        SelectDrawingObject(DrawingHandle(), 0, FALSE, FALSE, TRUE);
    }
    bool Modified() { return (ReadViewField(ViewRecord(), kViewFlags) & kViewModified) != 0; }
};

TEST_F(EditOperationsTest, ViewWithoutViewRecordGives10004)
{
    HWND plain = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(kErrNoMemory, DoEditOperation(plain, kEditClear, 0, nullptr));
    DestroyWindow(plain);
}

TEST_F(EditOperationsTest, ClearDeletesTheSelectionAsOneStepAndUndoBringsItBack)
{
    MakeTwoSelected();
    ASSERT_EQ(0, DoEditOperation(view_, kEditClear, 0, nullptr));
    EXPECT_EQ(1, Count());
    EXPECT_EQ(kUndoStepDelete, UndoKind());
    EXPECT_EQ(2504, UndoTextId());
    EXPECT_TRUE(Modified());
    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_EQ(2, Count());
    EXPECT_EQ(2505, UndoTextId()) << "Re&do Delete";
    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_EQ(1, Count());
    EXPECT_EQ(2504, UndoTextId());
}

TEST_F(EditOperationsTest, CommandsThatDoNotApplyChangeNothing)
{
    ASSERT_EQ(0, Create(RECT{1000, 1000, 2000, 2000}));   // an Add Object step, nothing selected
    WriteViewField(ViewRecord(), kViewFlags, 0);
    struct Case {
        const char* name;
        int code;
    } cases[] = {{"clear with nothing selected", kEditClear}, {"code 6", 6}, {"code 29", 29}, {"code 41", 41}};
    for (const Case& c : cases) {
        EXPECT_EQ(0, DoEditOperation(view_, c.code, 0, nullptr)) << c.name;
        EXPECT_EQ(1, Count()) << c.name;
        EXPECT_EQ(kUndoStepAddObject, UndoKind()) << c.name;
        EXPECT_FALSE(Modified()) << c.name;
    }
}

TEST_F(EditOperationsTest, SwitchesToggleTheDrawingAndTheOptions)
{
    struct Case {
        const char* name;
        int code;
        uint32_t flag;
    } cases[] = {{"snap", kEditUseSnaps, kDrawingSnap},
                 {"lines link", kEditLinesLink, kDrawingLinesLink},
                 {"shapes link", kEditShapesLink, kDrawingShapesLink}};
    for (const Case& c : cases) {
        uint32_t before = Drawing()->flags & c.flag;
        ASSERT_EQ(0, DoEditOperation(view_, c.code, 0, nullptr)) << c.name;
        EXPECT_NE(before, Drawing()->flags & c.flag) << c.name;
        EXPECT_EQ(kUndoStepDrawing, UndoKind()) << c.name;
    }
}

// A step that cannot be opened used to be ignored and the command ran
// without undo: now the command stops and nothing is deleted.
TEST_F(EditOperationsTest, StepThatCannotOpenStopsTheCommand)
{
    MakeTwoSelected();
    int store = ReadViewField(ViewRecord(), kViewStoreSlot);
    WriteViewField(ViewRecord(), kViewStoreSlot, 99);   // no store there
    EXPECT_NE(0, DoEditOperation(view_, kEditClear, 0, nullptr));
    WriteViewField(ViewRecord(), kViewStoreSlot, store);
    EXPECT_EQ(2, Count());
}

TEST_F(EditOperationsTest, PlacingWithoutPictureFailsAndRollsBack)
{
    ASSERT_EQ(0, Create(RECT{1000, 1000, 2000, 2000}));
    EXPECT_EQ(kErrNoMemory, DoEditOperation(view_, kEditPlacePicture, 0, nullptr));
    EXPECT_EQ(1, Count());
    EXPECT_EQ(0, UndoKind()) << "the failed step is rolled back and forgotten";
}

// The view record saved when a step opens used to come back whole at Undo
// and Redo, modified mark included: a redone change then looked saved and a
// close would drop it without asking.
TEST_F(EditOperationsTest, UndoAndRedoKeepTheDocumentModified)
{
    WriteViewField(ViewRecord(), kViewFlags, 0);
    ASSERT_EQ(0, Create(RECT{1000, 1000, 2000, 2000}));
    WriteViewField(ViewRecord(), kViewFlags, kViewModified);
    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_TRUE(Modified()) << "after Undo";
    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_TRUE(Modified()) << "after Redo";
    EXPECT_EQ(1, Count());
}

TEST_F(EditOperationsTest, UndoTextsFollowTheStep)
{
    EXPECT_EQ(2500, UndoTextId()) << "no step";
    ASSERT_EQ(0, Create(RECT{1000, 1000, 2000, 2000}));
    EXPECT_EQ(2540, UndoTextId()) << "Un&do Add Object";
    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_EQ(0, Count());
    EXPECT_EQ(2541, UndoTextId()) << "Re&do Add Object";
    ClearDocumentUndo(view_);
    EXPECT_EQ(2500, UndoTextId());
}

} // namespace
