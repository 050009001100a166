// File > New through the template chooser, and the library browser's keyword
// search and symbol tips, over the starter content the build installs next
// to the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/screen_image.h"

namespace {

const int kCategoryCombo = 1043;
const int kNameList = 1044;
const int kPreview = 111;
const int kFindButton = 5;
const int kKeywordField = 1028;
// The cell side of the network library's thumbnail: 11 symbols, 4 x 3 cells.
const int kThumbnailCell = 37;
const int kThumbnailColumns = 4;
const int kThumbnailRows = 3;

using TemplateDialogsProgram = DesktopProgram;

HWND ActiveDocument(HWND mainWindow)
{
    HWND client = FindWindowExA(mainWindow, nullptr, "MDICLIENT", nullptr);
    return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
}

int DarkPixelsOf(HWND window)
{
    return ScreenImage::Grab().CountDark(ClientScreenRect(window));
}

// Chooses a category of the dialog's combo box as a selection by the user does.
void ChooseCategory(HWND dialog, const char* name)
{
    HWND combo = GetDlgItem(dialog, kCategoryCombo);
    const LRESULT entry = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(name));
    ASSERT_GE(entry, 0) << name << " is not a category";
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kCategoryCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

TEST_F(TemplateDialogsProgram, NewFromTheFlowchartTemplateOpensADrawingWithItsShapes)
{
    const int blankDarkness = DarkPixelsOf(view_);
    HWND chooser = OpenDialog(IDM_FILE_NEW, "Create a New Drawing");
    ASSERT_NE(nullptr, chooser) << "File > New shows no template chooser";
    HWND combo = GetDlgItem(chooser, kCategoryCombo);
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>("LIBRARY")))
        << "the library folder is no template category";
    ChooseCategory(chooser, "Flowchart");
    ASSERT_TRUE(program_.Settle());
    EXPECT_EQ(1, SendDlgItemMessageA(chooser, kNameList, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendDlgItemMessageA(chooser, kNameList, LB_GETCURSEL, 0, 0)) << "the template is selected";
    EXPECT_GT(DarkPixelsOf(GetDlgItem(chooser, kPreview)), 200) << "the template's preview is drawn";
    Screenshot("template_chooser");

    Press(chooser, IDOK);
    HWND document = ActiveDocument(program_.MainWindow());
    ASSERT_NE(document_, document) << "no new document from the template";
    HWND view = FindWindowExA(document, nullptr, "MDScrollClass", nullptr);
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(program_.Settle());
    EXPECT_GT(DarkPixelsOf(view), blankDarkness + 1000) << "the flowchart's shapes and lines are drawn";
    Screenshot("flowchart_drawing");
}

TEST_F(TemplateDialogsProgram, EmptyDrawingInTheChooserOpensABlankDrawing)
{
    // Documents open maximized: the new drawing's view takes the first one's place.
    const int blankDarkness = DarkPixelsOf(view_);
    HWND chooser = OpenDialog(IDM_FILE_NEW, "Create a New Drawing");
    ASSERT_NE(nullptr, chooser);
    SendDlgItemMessageA(chooser, kCategoryCombo, CB_SETCURSEL, 0, 0);
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(kCategoryCombo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(chooser, kCategoryCombo)));
    ASSERT_TRUE(program_.Settle());
    EXPECT_EQ(1, SendDlgItemMessageA(chooser, kNameList, LB_GETCOUNT, 0, 0)) << "the one line \"Empty Drawing\"";
    Press(chooser, IDOK);
    HWND document = ActiveDocument(program_.MainWindow());
    ASSERT_NE(document_, document);
    HWND view = FindWindowExA(document, nullptr, "MDScrollClass", nullptr);
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(program_.Settle());
    EXPECT_EQ(blankDarkness, DarkPixelsOf(view)) << "as blank as the first drawing";
}

TEST_F(TemplateDialogsProgram, EachStarterLibraryOpensFromItsCategoryInTheBrowser)
{
    struct Case {
        const char* category;
        const char* title;
    };
    const Case cases[] = {{"Basic", "Basic Shapes"}, {"Flowchart", "Flowchart"}, {"Network", "Network Devices"}};
    for (const Case& c : cases) {
        HWND browser = OpenDialog(IDM_LIB_OPEN, "Open a Vexlet Library");
        ASSERT_NE(nullptr, browser) << c.category;
        ChooseCategory(browser, c.category);
        ASSERT_TRUE(program_.Settle());
        Press(browser, IDOK);
        HWND library = program_.FindProgramWindow("VXLIBCLASS", c.title);
        ASSERT_NE(nullptr, library) << c.title << " did not open";
        ASSERT_TRUE(program_.Settle());
        EXPECT_FALSE(ScreenImage::Grab().Uniform(ClientScreenRect(library))) << c.title << " shows its symbols";
        Screenshot(std::string("starter_library_") + c.category);
        PostMessageA(library, WM_COMMAND, IDM_LIB_CLOSE, 0);
        ASSERT_TRUE(program_.Settle());
    }
}

TEST_F(TemplateDialogsProgram, KeywordsFindTheNetworkLibraryWhoseThumbnailNamesItsSymbols)
{
    HWND browser = OpenDialog(IDM_LIB_OPEN, "Open a Vexlet Library");
    ASSERT_NE(nullptr, browser) << "Open Library shows no library browser";
    PostMessageA(GetDlgItem(browser, kFindButton), BM_CLICK, 0, 0);
    HWND find = AwaitDialog("Find Vexlet");
    ASSERT_NE(nullptr, find);
    SendDlgItemMessageA(find, kKeywordField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("hub router"));
    Press(find, IDOK);
    ASSERT_EQ(1, SendDlgItemMessageA(browser, kCategoryCombo, CB_GETCURSEL, 0, 0)) << "\"Results of Find\"";
    EXPECT_EQ(2, SendDlgItemMessageA(browser, kNameList, LB_GETCOUNT, 0, 0)) << "the two network libraries";
    EXPECT_EQ(0, SendDlgItemMessageA(browser, kNameList, LB_GETCURSEL, 0, 0)) << "\"Network Devices\" first";
    HWND preview = GetDlgItem(browser, kPreview);
    EXPECT_GT(DarkPixelsOf(preview), 200) << "the library's thumbnail is drawn";

    // The pointer rests on the first cell of the thumbnail, drawn at its own
    // size in the middle of the preview.
    RECT client;
    GetClientRect(preview, &client);
    const POINT cell = {(client.right - kThumbnailColumns * kThumbnailCell + kThumbnailCell) / 2,
                        (client.bottom - kThumbnailRows * kThumbnailCell + kThumbnailCell) / 2};
    const POINT pointer = ClientToScreenPoint(preview, cell);
    RealMouseMove(pointer);
    HWND tip = AwaitToolTipBelow(pointer);
    ASSERT_NE(nullptr, tip) << "no tip over the thumbnail's first symbol";
    ASSERT_TRUE(program_.Settle());
    RECT tipRect;
    GetWindowRect(tip, &tipRect);
    EXPECT_GT(ScreenImage::Grab().CountDark(tipRect), 20) << "the tip shows the symbol's name";
    Screenshot("browser_tip");
    Press(browser, IDCANCEL);
}

} // namespace
