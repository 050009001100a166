// Symbols in the running program: shapes copied into a new library as one
// symbol, named in the symbol dialog, kept when the library is reopened.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

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
const int kButtonMiddle = 25;   // of a medium button
const int kShapesPerSymbol = 3;
const char kUserText[] = "the user's own copied text";
const int kSolidFillMode = 1;
const int kPreferredSide = 600;   // one inch
const int kUnitsPerPixel = 6;     // at 100 %
const int kDropSlack = 2 * kUnitsPerPixel;
const int kOutlineSlack = 5 * kUnitsPerPixel;   // the symbol's frame may hold the shapes' outlines

// The clipboard's text, empty when it holds none.
std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* chars = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (chars) {
        text = chars;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const char* text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const size_t size = lstrlenA(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
    EXPECT_NE(nullptr, SetClipboardData(CF_TEXT, block));
    CloseClipboard();
}

// The rectangle around the objects' frames.
RECT FrameUnion(const std::vector<DrawingObject>& objects)
{
    RECT all = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (const DrawingObject& object : objects) {
        all.left = std::min(all.left, object.frame.left);
        all.top = std::min(all.top, object.frame.top);
        all.right = std::max(all.right, object.frame.right);
        all.bottom = std::max(all.bottom, object.frame.bottom);
    }
    return all;
}

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
    // The three shapes copied and added as the one symbol of a new library;
    // its window.
    HWND MakeSymbolLibrary(const std::string& path)
    {
        DrawThreeShapes();
        Command(IDM_EDIT_SELECT_ALL);
        Command(IDM_EDIT_COPY);
        DeleteFileA(path.c_str());
        program_.PostCommand(IDM_LIB_CREATE);
        AnswerFileDialog("Create Vexlet Library", path);
        HWND library = FloatingLibrary(Title(path).c_str());
        if (!library)
            return nullptr;
        PostMessageA(library, WM_COMMAND, IDM_LIB_ADD_VEXLET, 0);
        AnswerSymbolDialog(kSymbolName);
        return library;
    }
    // Chooses the library's first symbol with the real mouse.
    void ChooseFirstSymbol(HWND library)
    {
        const RECT buttons = ClientScreenRect(library);
        RealClick(POINT{buttons.left + kButtonMiddle, buttons.top + kButtonMiddle});
        ASSERT_TRUE(program_.Settle());
    }
    // A library of two one-inch picture symbols, the first with free
    // colours, opened in a floating window; the window.
    HWND OpenPictureLibrary(const char* name)
    {
        LibraryFixture fixture;
        fixture.symbols = 2;
        fixture.editHeader = [](LibraryHeader* header) {
            for (int i = 0; i < 2; ++i) {
                header->items[i].preferredWidth = kPreferredSide;
                header->items[i].preferredHeight = kPreferredSide;
            }
            header->items[0].optionFlags = 0;   // colours free
        };
        const std::string path = WriteLibraryFixture(ScratchPath(name), fixture);
        if (path.empty())
            return nullptr;
        OpenLibraryFile(path);
        return FloatingLibrary(Title(path).c_str());
    }
    std::string file_;
};

TEST_F(SymbolsProgram, CopiedShapesBecomeANamedAutomaticSymbolThatSurvivesReopening)
{
    const std::string path = ScratchPath("made-symbols.vxl");
    const std::string title = Title(path);
    HWND library = MakeSymbolLibrary(path);
    ASSERT_NE(nullptr, library);
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

// The automatic symbol placed by a click after the drawing was cleared: the
// three shapes hang from the click by the middle of their top edge, and the
// text the user copied meanwhile is still on the clipboard.
TEST_F(SymbolsProgram, AutomaticSymbolPlacedByAClickKeepsTheUsersClipboard)
{
    HWND library = MakeSymbolLibrary(ScratchPath("placed-symbols.vxl"));
    ASSERT_NE(nullptr, library);
    Command(IDM_EDIT_SELECT_ALL);
    Command(IDM_EDIT_CLEAR);
    SetClipboardText(kUserText);

    // The symbol, 3.7 inches wide, follows the pointer by its middle: the
    // click keeps it inside the drawing.
    const POINT click = {300, 200};
    ChooseFirstSymbol(library);
    Click(view_, click);
    Screenshot("automatic_symbol_placed");
    Command(desktop_ids::kSave);

    const std::vector<DrawingObject> objects = ScratchDrawing().ReadObjects(file_);
    ASSERT_EQ(static_cast<size_t>(kShapesPerSymbol), objects.size()) << "the three shapes";
    const RECT placed = FrameUnion(objects);
    EXPECT_NEAR(click.x * kUnitsPerPixel, (placed.left + placed.right) / 2, kOutlineSlack);
    EXPECT_NEAR(click.y * kUnitsPerPixel, placed.top, kOutlineSlack);
    EXPECT_EQ(kUserText, ClipboardText()) << "placing disturbed the user's clipboard";
}

// A picture symbol whose colours are free is placed at its preferred size and
// takes the drawing's solid fill and line width.
TEST_F(SymbolsProgram, PictureSymbolWithFreeColoursIsPlacedInTheDrawingsColours)
{
    HWND library = OpenPictureLibrary("pictures.vxl");
    ASSERT_NE(nullptr, library);

    ChooseFirstSymbol(library);
    Click(view_, {100, 300});
    Screenshot("picture_symbol_placed");
    Command(desktop_ids::kSave);

    const std::vector<DrawingObject> objects = ScratchDrawing().ReadObjects(file_);
    ASSERT_EQ(1u, objects.size()) << "the placed picture was refused";
    const DrawingObject& placed = objects[0];
    EXPECT_EQ(kKindShape, placed.kind);
    EXPECT_EQ(kPreferredSide, placed.frame.right - placed.frame.left) << "placed at its preferred size";
    EXPECT_EQ(kSolidFillMode, placed.fillMode) << "free colours take a solid fill";
    EXPECT_GT(placed.lineWidth, 0);
    EXPECT_NE(RGB(0, 0, 0), placed.fillColor) << "a black fill turns white";
    EXPECT_EQ(0, placed.optionFlags & kOptionFrameless) << "colours not fixed";
}

// A symbol button dragged into the drawing: the symbol lands hanging from
// the point where the button was let go by the middle of its top edge.
TEST_F(SymbolsProgram, SymbolDraggedOutOfItsLibraryLandsWhereItIsDropped)
{
    HWND library = OpenPictureLibrary("dragged.vxl");
    ASSERT_NE(nullptr, library);
    const RECT buttons = ClientScreenRect(library);
    const POINT drop = {400, 350};
    RealDrag(POINT{buttons.left + kButtonMiddle, buttons.top + kButtonMiddle}, ClientToScreenPoint(view_, drop));
    ASSERT_TRUE(program_.Settle());
    Screenshot("symbol_dragged_into_the_drawing");
    Command(desktop_ids::kSave);

    const std::vector<DrawingObject> objects = ScratchDrawing().ReadObjects(file_);
    ASSERT_EQ(1u, objects.size()) << "the dragged symbol was not placed";
    const RECT& frame = objects[0].frame;
    EXPECT_EQ(kPreferredSide, frame.right - frame.left);
    EXPECT_NEAR(drop.x * kUnitsPerPixel, (frame.left + frame.right) / 2, kDropSlack);
    EXPECT_NEAR(drop.y * kUnitsPerPixel, frame.top, kDropSlack);
}

// A button let go off its cell, away from the drawing, still chooses its
// symbol: the next click in the drawing places it.
TEST_F(SymbolsProgram, ButtonLetGoBesideItsCellStillChoosesTheSymbol)
{
    HWND library = OpenPictureLibrary("let-go.vxl");
    ASSERT_NE(nullptr, library);
    const RECT buttons = ClientScreenRect(library);
    RECT frame;
    GetWindowRect(library, &frame);
    const int kCaptionMiddle = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    // Up onto the window's own caption, never over the drawing.
    RealDrag(POINT{buttons.left + kButtonMiddle, buttons.top + kButtonMiddle},
             POINT{buttons.left + kButtonMiddle, frame.top + kCaptionMiddle});
    ASSERT_TRUE(program_.Settle());
    Screenshot("button_let_go_on_the_caption");
    Click(view_, {300, 300});
    Screenshot("chosen_symbol_placed");
    Command(desktop_ids::kSave);
    EXPECT_EQ(1u, ScratchDrawing().ReadObjects(file_).size()) << "the symbol was not chosen";
}

} // namespace
