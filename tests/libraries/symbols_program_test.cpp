// Symbols in the running program: shapes copied into a new library as one
// symbol, named in the symbol dialog, kept when the library is reopened.
#include <gtest/gtest.h>

#include <string>

#include "libraries/library_program.h"
#include "libraries/library_records.h"
#include "objects/drawing_layout.h"
#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "support/library_fixture.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"
#include "view/tool_palette.h"

namespace {

const int kEllipseTool = kToolFirstShape + 2;
const char kSymbolName[] = "Three shapes;router hub";

class SymbolsProgram : public LibraryProgram {
protected:
    void SetUp() override
    {
        file_ = ScratchPath("symbols-drawing.tyr");
        DeleteFileA(file_.c_str());
        {
            ScratchDrawing empty;
            ASSERT_EQ(0, empty.Write(file_, false));
        }
        StartWith(file_);
    }
    void Drag(POINT from, POINT to)
    {
        RealDrag(ClientToScreenPoint(view_, from), ClientToScreenPoint(view_, to));
        ASSERT_TRUE(program_.Settle());
    }
    void Click(HWND window, POINT at)
    {
        RealClick(ClientToScreenPoint(window, at));
        ASSERT_TRUE(program_.Settle());
    }
    // An ellipse with a text beside two boxes.
    void DrawThreeShapes()
    {
        ClickTool(kEllipseTool);
        Drag({60, 120}, {180, 180});
        ClickTool(kToolFirstShape);
        Drag({220, 120}, {300, 180});
        ClickTool(kToolFirstShape);
        Drag({340, 120}, {420, 180});
        ClickTool(kToolSelect);
        Click(view_, {120, 150});
        RealType("Router");
        ASSERT_TRUE(program_.Settle());
        Click(view_, {300, 400});
    }
    // Names the symbol in the open symbol dialog and confirms it.
    void AnswerSymbolDialog(const char* name)
    {
        HWND dialog = AwaitDialog("Edit Vexlet");
        ASSERT_NE(nullptr, dialog) << "no symbol dialog";
        SendDlgItemMessageA(dialog, IDC_VXEDIT_NAME, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
        Screenshot("symbol_dialog");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(program_.Settle());
        HWND message = AwaitDialog(nullptr, 1000);
        EXPECT_EQ(nullptr, message) << StaticTexts(message);
    }
    std::string file_;
};

TEST_F(SymbolsProgram, CopiedShapesBecomeANamedAutomaticSymbolThatSurvivesReopening)
{
    DrawThreeShapes();
    Command(IDM_EDIT_SELECT_ALL);
    Command(IDM_EDIT_COPY);

    const std::string path = ScratchPath("made-symbols.vxl");
    DeleteFileA(path.c_str());
    program_.PostCommand(IDM_LIB_CREATE);
    AnswerFileDialog("Create Vexlet Library", path);
    const std::string title = Title(path);
    HWND library = FloatingLibrary(title.c_str());
    ASSERT_NE(nullptr, library);
    PostMessageA(library, WM_COMMAND, IDM_LIB_ADD_VEXLET, 0);
    AnswerSymbolDialog(kSymbolName);
    EXPECT_FALSE(ScreenImage::Grab().Uniform(ClientScreenRect(library))) << "the new symbol has a button";
    Screenshot("library_with_symbol");

    LibraryHeader header;
    ASSERT_TRUE(ReadLibraryHeader(path, &header));
    ASSERT_EQ(1, header.symbolCount);
    EXPECT_EQ(2, header.items[0].optionFlags & 3) << "automatic, colours free";
    EXPECT_EQ(3, header.items[0].growMode) << "loose objects give no frame: proportional";


    Command(IDM_LIB_CLOSE);
    EXPECT_EQ(nullptr, FloatingLibrary(title.c_str()));
    Command(IDM_LIB_WINDOW_BASE + 1);
    library = FloatingLibrary(title.c_str());
    ASSERT_NE(nullptr, library) << "the library did not reopen";
    EXPECT_FALSE(ScreenImage::Grab().Uniform(ClientScreenRect(library))) << "the symbol came back with it";
    Screenshot("library_reopened");
    ASSERT_TRUE(ReadLibraryHeader(path, &header));
    EXPECT_EQ(1, header.symbolCount);
}

} // namespace
