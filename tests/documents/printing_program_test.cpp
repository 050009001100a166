// Printing through Wine's PostScript driver into a file, read back with
// Ghostscript, and the print preview on the screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/drawing_layout.h"
#include "objects/object_create.h"
#include "objects/shape_types.h"
#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"
#include "support/test_printer.h"

namespace {

// The test printer's Letter page: 1/4 inch at the sides, 1/2 inch at the top
// and bottom, leaving 4800 x 6000 units to print on.
const int kPrintableWidth = 4800;
const int kPrintableHeight = 6000;
const POINT kPrintableCorner = {150, 300};
const RECT kPrintableOnPaper = {150, 300, 4950, 6300};
const int kShapeSide = 800;
const int kShapeStep = 1100;
const int kQuadrantInset = 400;
const int kShapesPerQuadrant = 7;
const int kPreviewPageText = IDC_PREVIEW_PAGE;
const int kBarType = kShapeRectangle;
const int kMenuBarTextWidth = 400;

// The first shape of each tile, in drawing units.
RECT FirstShapeOf(int row, int column)
{
    const int left = column * kPrintableWidth + kQuadrantInset;
    const int top = row * kPrintableHeight + kQuadrantInset;
    return RECT{left, top, left + kShapeSide, top + kShapeSide};
}

// The block of shapes each tile holds.
RECT ShapesOf(int row, int column)
{
    RECT block = FirstShapeOf(row, column);
    block.right += 2 * kShapeStep;
    block.bottom += 2 * kShapeStep;
    return block;
}

// Every shape type spread over 2 x 2 tiles, a line and an array in each, and a
// long bar across the boundary between the first two columns.
void FillTwoByTwo(HWND view)
{
    for (int type = 0; type < kShapeTypeCount; ++type) {
        const int quadrant = type / kShapesPerQuadrant;
        const int slot = type % kShapesPerQuadrant;
        RECT box = FirstShapeOf(quadrant / 2, quadrant % 2);
        OffsetRect(&box, (slot % 3) * kShapeStep, (slot / 3) * kShapeStep);
        ASSERT_EQ(0, CreateObject(view, kKindShape, &box, type, 0, 0, 0, 1, 0, 0)) << type;
    }
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const RECT first = FirstShapeOf(quadrant / 2, quadrant % 2);
        RECT line = {first.left, first.top + 4000, first.left + 3000, first.top + 4600};
        ASSERT_EQ(0, CreateObject(view, kKindLine, &line, 0, 1, 0, 0, 1, 0, 0));
        RECT array = {first.left, first.top + 5000, first.left + 1500, first.top + 5300};
        ASSERT_EQ(0, CreateObject(view, kKindArray, &array, 0, 1, 0, 0, 1, 0, 0));
    }
    RECT bar = {3600, 3700, 6000, 3900};
    ASSERT_EQ(0, CreateObject(view, kKindShape, &bar, kBarType, 0, 0, 0, 1, 0, 0));
}

// A tile's drawing rectangle on the paper of its page.
RECT OnPaper(const RECT& drawing, int row, int column)
{
    RECT paper = drawing;
    OffsetRect(&paper, kPrintableCorner.x - column * kPrintableWidth, kPrintableCorner.y - row * kPrintableHeight);
    return paper;
}

// Pixels inked in the paper's margins (one pixel of slack for rounding).
int InkInMargins(const PrintedPage& page)
{
    const RECT inside = PaperPixels(kPrintableOnPaper);
    const int slack = 1;
    return page.InkIn(RECT{0, 0, page.width, inside.top - slack}) +
           page.InkIn(RECT{0, inside.bottom + slack, page.width, page.height}) +
           page.InkIn(RECT{0, 0, inside.left - slack, page.height}) +
           page.InkIn(RECT{inside.right + slack, 0, page.width, page.height});
}

class Printing : public DesktopProgram {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(printer_.Installed()) << "the test printer could not be installed";
        file_ = ScratchPath("two-by-two.tyr");
        {
            ScratchDrawing drawing;
            ASSERT_EQ(0, drawing.Write(file_, false, FillTwoByTwo));
        }
        StartWith(file_);
    }

    // The Print dialog, answered with its footer and one-page boxes as asked
    // and OK.
    void PrintThroughDialog(bool footers, bool onePage = false)
    {
        program_.PostCommand(IDM_FILE_PRINT);
        HWND dialog = AwaitDialog("Print");
        ASSERT_NE(nullptr, dialog) << "no Print dialog";
        SetBox(GetDlgItem(dialog, IDC_PRINT_FOOTERS), footers);
        SetBox(GetDlgItem(dialog, IDC_PRINT_ONE_PAGE), onePage);
        Screenshot("print_dialog");
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(program_.Settle(20000));
    }

    static void SetBox(HWND box, bool on)
    {
        ASSERT_NE(nullptr, box);
        const bool checked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (checked != on)
            SendMessageA(box, BM_CLICK, 0, 0);
    }

    HWND Preview() const
    {
        for (HWND child = FindWindowExA(program_.MainWindow(), nullptr, "#32770", nullptr); child;
             child = FindWindowExA(program_.MainWindow(), child, "#32770", nullptr)) {
            if (GetDlgItem(child, kPreviewPageText))
                return child;
        }
        return nullptr;
    }

    TestPrinter printer_;
    std::string file_;
};

TEST_F(Printing, PrintSetupKeepsTheOverlapBoxTicked)
{
    HWND dialog = OpenDialog(IDM_FILE_PRINT_SETUP, "Print Setup");
    ASSERT_NE(nullptr, dialog);
    SetBox(GetDlgItem(dialog, IDC_PRINT_OVERLAP), true);
    Press(dialog, IDOK);
    dialog = OpenDialog(IDM_FILE_PRINT_SETUP, "Print Setup");
    ASSERT_NE(nullptr, dialog);
    Screenshot("print_setup_overlap_kept");
    EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(dialog, IDC_PRINT_OVERLAP), BM_GETCHECK, 0, 0));
    Press(dialog, IDCANCEL);
}

TEST_F(Printing, ADrawingOfTwoByTwoTilesPrintsFourPagesInsideThePrintableArea)
{
    PrintThroughDialog(true);
    ASSERT_TRUE(printer_.AwaitOutput()) << "nothing was printed to " << printer_.OutputPath();
    const std::vector<PrintedPage> pages = RenderPostScript(printer_.OutputPath(), "printed_two_by_two");
    ASSERT_EQ(4u, pages.size());
    for (int page = 0; page < 4; ++page) {
        const int row = page / 2;
        const int column = page % 2;
        const RECT shapes = PaperPixels(OnPaper(ShapesOf(row, column), row, column));
        EXPECT_GT(pages[page].InkIn(shapes), 0) << "page " << page + 1 << " lacks its shapes";
        EXPECT_EQ(0, InkInMargins(pages[page])) << "page " << page + 1 << " inked its margins";
    }
    const std::string text = PostScriptText(printer_.OutputPath());
    for (const char* printed : {"two-by-two.tyr - ", " - Page 1", " - Page 4"})
        EXPECT_NE(std::string::npos, text.find(printed)) << printed << " in\n" << text;
}

TEST_F(Printing, OnOnePageTheWholeDrawingPrintsScaledOnOneSheet)
{
    PrintThroughDialog(false, true);
    ASSERT_TRUE(printer_.AwaitOutput());
    const std::vector<PrintedPage> pages = RenderPostScript(printer_.OutputPath(), "printed_on_one_page");
    ASSERT_EQ(1u, pages.size());
    // The drawing is about twice the printable size each way: each tile's
    // shapes land in their quarter of the printable area.
    const RECT inside = PaperPixels(kPrintableOnPaper);
    const int midX = (inside.left + inside.right) / 2;
    const int midY = (inside.top + inside.bottom) / 2;
    for (const RECT& quarter : {RECT{inside.left, inside.top, midX, midY}, RECT{midX, inside.top, inside.right, midY},
                                RECT{inside.left, midY, midX, inside.bottom},
                                RECT{midX, midY, inside.right, inside.bottom}})
        EXPECT_GT(pages[0].InkIn(quarter), 0);
    EXPECT_EQ(0, InkInMargins(pages[0]));
}

TEST_F(Printing, PrintingLeavesTheDocumentUnmodified)
{
    Command(IDM_FILE_PRINT_NOW);
    ASSERT_TRUE(printer_.AwaitOutput());
    // A modified document would ask to be saved and keep the program open.
    PostMessageA(program_.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program_.WaitForExit(10000));
}

TEST_F(Printing, PreviewShowsThePagesOneByOneAndClosesBackToTheDocument)
{
    Command(IDM_FILE_PRINT_PREVIEW);
    HWND preview = Preview();
    ASSERT_NE(nullptr, preview) << "no print preview";
    EXPECT_EQ("Page 1 of 4", program_.WindowText(GetDlgItem(preview, kPreviewPageText)));
    const RECT area = ClientScreenRect(preview);
    const RECT lower = {area.left, area.top + 40, area.right, area.bottom};
    ScreenImage first = ScreenImage::Grab();
    first.Save("print_preview_page1");
    EXPECT_GT(first.CountDark(lower), 0) << "page 1 shows nothing";
    const RECT client = ClientScreenRect(program_.MainWindow());
    const RECT menuBar = {client.left, client.top - GetSystemMetrics(SM_CYMENU), client.left + kMenuBarTextWidth,
                          client.top};
    EXPECT_EQ(0, first.CountDark(menuBar)) << "the menu bar is not greyed";
    PostMessageA(preview, WM_VSCROLL, SB_LINEDOWN, 0);
    ASSERT_TRUE(program_.Settle());
    EXPECT_EQ("Page 2 of 4", program_.WindowText(GetDlgItem(preview, kPreviewPageText)));
    ScreenImage second = ScreenImage::Grab();
    second.Save("print_preview_page2");
    int differing = 0;
    for (int y = lower.top; y < lower.bottom; y += 2) {
        for (int x = lower.left; x < lower.right; x += 2)
            differing += first.At(x, y) != second.At(x, y) ? 1 : 0;
    }
    EXPECT_GT(differing, 0) << "page 2 looks like page 1";
    PostMessageA(preview, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(program_.Settle());
    Screenshot("print_preview_closed");
    EXPECT_EQ(nullptr, Preview());
    EXPECT_TRUE(IsWindowVisible(document_));
    PostMessageA(program_.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program_.WaitForExit(10000)) << "the preview changed the document";
}

TEST_F(Printing, CommandLinePrintPrintsTheFileAndEnds)
{
    program_.Close();
    ProgramDriver printing;
    ASSERT_TRUE(printing.Launch("/p " + file_ + " /o " + options_));
    HWND dialog = nullptr;
    for (int i = 0; i < 200 && !dialog; ++i, Sleep(100))
        dialog = printing.FindProgramWindow("#32770", "Print");
    ASSERT_NE(nullptr, dialog) << "no Print dialog";
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(0, printing.WaitForExit(30000));
    EXPECT_TRUE(printer_.AwaitOutput());
    EXPECT_EQ(4u, RenderPostScript(printer_.OutputPath(), "printed_command_line").size());
}

// A blank drawing on the test printer.
class PrintedText : public DesktopProgram {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(printer_.Installed());
        DesktopProgram::SetUp();
    }
    TestPrinter printer_;
};

TEST_F(PrintedText, TextTypedIntoAShapePrintsAsText)
{
    const RECT frame = DrawRectangle(POINT{60, 40}, POINT{300, 140});
    RealDoubleClick(POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
    ASSERT_TRUE(program_.Settle());
    ASSERT_NE(nullptr, Editor());
    RealType("Printed words");
    ASSERT_TRUE(program_.Settle());
    Command(IDM_FILE_PRINT_NOW);
    ASSERT_TRUE(printer_.AwaitOutput());
    ASSERT_EQ(1u, RenderPostScript(printer_.OutputPath(), "printed_text").size());
    const std::string text = PostScriptText(printer_.OutputPath());
    EXPECT_NE(std::string::npos, text.find("Printed words")) << text;
}

// The lowest inked pixel row of a page, -1 for a blank page.
int LowestInkedRow(const PrintedPage& page)
{
    for (int y = page.height - 1; y >= 0; --y) {
        if (page.InkIn(RECT{0, y, page.width, y + 1}) > 0)
            return y;
    }
    return -1;
}

TEST_F(PrintedText, DefineFooterRaisesTheFooterHalfAnInch)
{
    DrawRectangle(POINT{60, 40}, POINT{160, 100});
    program_.PostCommand(IDM_FILE_PRINT);
    HWND print = AwaitDialog("Print");
    ASSERT_NE(nullptr, print);
    HWND footers = GetDlgItem(print, IDC_PRINT_FOOTERS);
    if (SendMessageA(footers, BM_GETCHECK, 0, 0) != BST_CHECKED)
        SendMessageA(footers, BM_CLICK, 0, 0);
    HWND define = GetDlgItem(print, IDC_PRINT_DEFINE_FOOTER);
    ASSERT_TRUE(IsWindowVisible(define)) << "Define Footer shows while footers are on";
    // The footer dialog is modal inside the click: the click is posted.
    PostMessageA(define, BM_CLICK, 0, 0);
    HWND footer = AwaitDialog("Define Footer");
    ASSERT_NE(nullptr, footer) << "no Define Footer dialog";
    SendMessageA(GetDlgItem(footer, IDC_FOOTER_HALF_INCH), BM_CLICK, 0, 0);
    Screenshot("define_footer");
    PostMessageA(GetDlgItem(footer, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && IsWindow(footer); ++i)
        Sleep(50);
    ASSERT_FALSE(IsWindow(footer));
    PostMessageA(GetDlgItem(print, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(printer_.AwaitOutput());
    const std::vector<PrintedPage> pages = RenderPostScript(printer_.OutputPath(), "printed_raised_footer");
    ASSERT_EQ(1u, pages.size());
    // The footer's bottom sits half an inch above the printable bottom.
    const int printableBottom = PaperPixels(kPrintableOnPaper).bottom;
    const int raised = PaperPixels(RECT{0, 0, 0, kPrintableOnPaper.bottom - 300}).bottom;
    const int lowest = LowestInkedRow(pages[0]);
    EXPECT_LE(lowest, raised + 1);
    EXPECT_GT(lowest, raised - 12) << "no footer near its raised place";
    EXPECT_LT(lowest, printableBottom);
}

// A printer whose port cannot be written.
class BrokenPrinter : public DesktopProgram {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(printer_.Installed());
        DesktopProgram::SetUp();
    }
    TestPrinter printer_{"/nonexistent-tessary-folder/printed.ps"};
};

const DWORD kReportWaitMs = 20000;
const DWORD kReportPollMs = 100;

TEST_F(BrokenPrinter, AJobThePrinterRefusesEndsWithAMessage)
{
    DrawRectangle(POINT{40, 40}, POINT{160, 120});
    program_.PostCommand(IDM_FILE_PRINT_NOW);
    // The "Now Printing" box comes first; the report follows when the job fails.
    HWND box = nullptr;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kReportWaitMs) {
        box = AwaitDialog(nullptr, kReportWaitMs);
        if (box && StaticTexts(box).find("A problem occurred while printing") != std::string::npos)
            break;
        Sleep(kReportPollMs);
    }
    ASSERT_NE(nullptr, box) << "the failed job was not reported";
    EXPECT_NE(std::string::npos, StaticTexts(box).find("A problem occurred while printing")) << StaticTexts(box);
    Screenshot("print_failed_message");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    program_.Settle();
}

using NoPrinter = DesktopProgram;

TEST_F(NoPrinter, PrintSaysThereIsNoPrinter)
{
    DrawRectangle(POINT{40, 40}, POINT{160, 120});
    for (int command : {IDM_FILE_PRINT, IDM_FILE_PRINT_NOW}) {
        program_.PostCommand(command);
        HWND box = AwaitDialog(nullptr, 10000);
        ASSERT_NE(nullptr, box) << command << " said nothing";
        EXPECT_NE(std::string::npos, StaticTexts(box).find("There is no active printer")) << StaticTexts(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        program_.Settle();
    }
}

} // namespace
