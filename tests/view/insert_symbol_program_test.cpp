// Insert Symbol with the real mouse: the character double-clicked in the
// dialog's grid is typed into the shape's text being edited, and Ctrl+Z takes
// it out again.
#include <gtest/gtest.h>

#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/screen_image.h"

namespace {

const int kGridId = 1055;
const int kGridColumns = 28;
const int kFirstCharacter = 32;
const int kCellHeightWord = 8;
const int kCellWidthWord = 12;
// "W" at the default size leaves more than this many dark pixels.
const int kLetterPixels = 8;

POINT CellCentre(HWND grid, char character)
{
    const int index = character - kFirstCharacter;
    const int width = static_cast<int>(GetWindowLongA(grid, kCellWidthWord));
    const int height = static_cast<int>(GetWindowLongA(grid, kCellHeightWord));
    POINT centre = {(index % kGridColumns) * width + 1 + width / 2, (index / kGridColumns) * height + 1 + height / 2};
    ClientToScreen(grid, &centre);
    return centre;
}

class InsertSymbolProgram : public DesktopProgram {
protected:
    void OpenEditor(const RECT& frame)
    {
        RealDoubleClick(POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
        ASSERT_TRUE(program_.Settle());
        ASSERT_NE(nullptr, Editor());
    }
    // Text > Insert Symbol, the character double-clicked in the grid.
    void InsertWithTheGrid(char character, const char* step)
    {
        program_.PostCommand(IDM_TEXT_INSERT_SYMBOL);
        HWND dialog = AwaitDialog("Insert Symbol");
        ASSERT_NE(nullptr, dialog);
        ASSERT_TRUE(program_.Settle());
        HWND grid = GetDlgItem(dialog, kGridId);
        ASSERT_NE(nullptr, grid);
        Screenshot(step);
        RealDoubleClick(CellCentre(grid, character));
        ASSERT_TRUE(program_.Settle());
        EXPECT_FALSE(IsWindow(dialog) && IsWindowVisible(dialog)) << "a double-click accepts";
    }
    // Clicks the empty page: the editing ends and the caret goes.
    void EndEditing()
    {
        RealClick(ClientToScreenPoint(view_, POINT{500, 400}));
        ASSERT_TRUE(program_.Settle());
        ASSERT_EQ(nullptr, Editor());
    }
};

TEST_F(InsertSymbolProgram, TheCharacterPickedInTheGridIsTypedIntoTheTextAndUndoTakesItOut)
{
    const RECT frame = DrawRectangle(POINT{60, 40}, POINT{260, 140});
    RECT inside = frame;
    InflateRect(&inside, -12, -12);
    EndEditing();
    const int empty = ScreenImage::Grab().CountDark(inside);

    OpenEditor(frame);
    InsertWithTheGrid('W', "insert_symbol_dialog");
    EndEditing();
    Screenshot("insert_symbol_typed");
    const int typed = ScreenImage::Grab().CountDark(inside);
    EXPECT_GT(typed, empty + kLetterPixels) << "the letter shows";

    OpenEditor(frame);
    InsertWithTheGrid('W', "insert_symbol_again");
    RealKey('Z', false, true);
    ASSERT_TRUE(program_.Settle());
    EndEditing();
    Screenshot("insert_symbol_undone");
    EXPECT_EQ(typed, ScreenImage::Grab().CountDark(inside)) << "the second one undone";
}

} // namespace
