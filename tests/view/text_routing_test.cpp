// Typing in the drawing view: which characters open a selected shape's text.
#include <gtest/gtest.h>

#include "edit_fixture.h"
#include "text/ten_startup.h"
#include "view/end_text_edit.h"
#include "view/selection_changes.h"
#include "documents/view_children.h"
#include "view/view_keyboard.h"

namespace {

class ViewTyping : public EditFixture {
protected:
    void SetUp() override
    {
        ASSERT_EQ(kErrNone, RegisterTenClass(GetModuleHandleA(nullptr)));
        EditFixture::SetUp();
    }
    // This drawing has no font list, so its editors open without a text to
    // hand back and ending one is refused: the cases check only which
    // characters open one.
    void EndEditor() { DiscardError(EndTextEdit(view_, 0), "an editor without fonts holds no text"); }
    void TearDown() override
    {
        EndEditor();
        EditFixture::TearDown();
    }
    HWND Editor() { return ViewEditorOf(view_); }
};

TEST_F(ViewTyping, CharactersOpenTheSelectedShapesTextOrNothing)
{
    struct Case {
        const char* name;
        bool select;
        int character;
        bool opens;
    };
    const Case cases[] = {
        {"a letter on a selected shape", true, 'R', true},
        {"Enter only opens it", true, 13, true},
        {"DEL is ignored", true, 127, false},
        {"a control character is ignored", true, 9, false},
        {"nothing selected", false, 'R', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EndEditor();
        if (Count() == 0) {
            ASSERT_EQ(0, Create(RECT{1000, 1000, 2200, 1800}));
        }
        DeselectAllObjects(DrawingHandle());
        if (c.select)
            SelectDrawingObject(DrawingHandle(), 0, FALSE, FALSE, TRUE);
        HandleViewChar(view_, c.character, 1);
        EXPECT_EQ(c.opens, Editor() != nullptr);
    }
}

} // namespace
