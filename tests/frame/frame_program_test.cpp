// The real program, started and driven from outside.
#include <gtest/gtest.h>

#include "support/program_driver.h"

namespace {

const int kMdiClientId = 32000;

class FrameProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        options_ = WriteQuietOptionsFile();
        ASSERT_FALSE(options_.empty());
        ASSERT_EQ("QRVLOPTI", FileSignature(options_));
    }
    std::string OptionsArgument() const { return "/o " + options_; }
    std::string options_;
};

int CountMainWindows()
{
    int count = 0;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "TYMainClass", nullptr)) != nullptr)
        ++count;
    return count;
}

// The program's warning box about a file that does not open: answered with OK.
bool AnswerWarning(const ProgramDriver& program, int answer)
{
    for (int i = 0; i < 200; ++i, Sleep(50)) {
        HWND box = program.FindProgramWindow("#32770", "Tessary Plus");
        if (box) {
            PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
            return true;
        }
    }
    return false;
}

// Working stores live in the temporary folder as VXTMP files.
int CountWorkingFiles()
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string pattern = std::string(folder) + "VXT*.tmp";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

const char kMissingDrawing[] = "C:\\nothing-here.tyr";

} // namespace

TEST_F(FrameProgram, StartsWithMdiClientAndPaletteAndEndsWritingTheOptions)
{
    DeleteFileA(options_.c_str());
    ProgramDriver program;
    ASSERT_TRUE(program.Start(OptionsArgument()));
    HWND main = program.MainWindow();
    EXPECT_EQ("Tessary Plus", program.WindowText(main));
    HWND client = FindWindowExA(main, nullptr, "MDICLIENT", nullptr);
    ASSERT_NE(nullptr, client);
    EXPECT_EQ(kMdiClientId, GetDlgCtrlID(client));
    EXPECT_NE(nullptr, FindWindowExA(main, nullptr, "#32770", nullptr));
    EXPECT_TRUE(IsZoomed(main));
    // No splash is left after start-up.
    EXPECT_EQ(nullptr, program.FindProgramWindow("#32770", "About Tessary Plus"));
    EXPECT_EQ(0, program.Close());
    EXPECT_EQ("QRVLOPTI", FileSignature(options_));
}

TEST_F(FrameProgram, SecondStartHandsItsFileToTheRunningInstance)
{
    ProgramDriver program;
    ASSERT_TRUE(program.Start(OptionsArgument()));
    struct Case {
        const char* name;
        std::string arguments;
        bool reachesRunningInstance;
    };
    const Case cases[] = {
        {"OpenAFile", std::string(kMissingDrawing), true},
        {"PrintAFile", std::string("/p ") + kMissingDrawing, true},
        {"NoFileOnlyBringsForward", "", false},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        ProgramDriver second;
        ASSERT_TRUE(second.Launch(row.arguments));
        // The running instance tries to open the file and says it cannot.
        if (row.reachesRunningInstance) {
            EXPECT_TRUE(AnswerWarning(program, IDOK));
        }
        EXPECT_EQ(0, second.WaitForExit());
        EXPECT_TRUE(program.Running());
        EXPECT_EQ(1, CountMainWindows());
    }
    EXPECT_TRUE(program.Settle());
    EXPECT_EQ(0, program.Close());
}

// A /p run prints and ends by itself, without a message loop.
TEST_F(FrameProgram, PrintRunEndsByItself)
{
    ProgramDriver program;
    ASSERT_TRUE(program.Launch(OptionsArgument() + " /p " + kMissingDrawing));
    EXPECT_TRUE(AnswerWarning(program, IDOK));
    EXPECT_EQ(0, program.WaitForExit());
    EXPECT_EQ(0, CountMainWindows());
}

// An embedding start whose document fails to open ends by itself, hidden and
// without a message loop, and leaves no working file behind. The file comes
// before /o: a '-' inside a name is text, only '/' ends it.
TEST_F(FrameProgram, FailedEmbeddingStartEndsAndCleansUp)
{
    const int workingFilesBefore = CountWorkingFiles();
    ProgramDriver program;
    ASSERT_TRUE(program.Launch(std::string("/Embedding ") + kMissingDrawing + " " + OptionsArgument()));
    EXPECT_EQ(1, program.WaitForExit());
    EXPECT_EQ(0, CountMainWindows());
    EXPECT_EQ(workingFilesBefore, CountWorkingFiles());
}

TEST_F(FrameProgram, ScreenshotWithAColourMenuOpen)
{
    ProgramDriver program;
    ASSERT_TRUE(program.Start(OptionsArgument()));
    HWND main = program.MainWindow();
    // Alt+T opens Text on Typeface; Down picks its Color popup (the other
    // swatch popups are greyed until their commands are built), Right opens it.
    PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, 't');
    ASSERT_TRUE(program.Settle());
    for (WPARAM key : {VK_DOWN, VK_RIGHT}) {
        PostMessageA(main, WM_KEYDOWN, key, 0);
        ASSERT_TRUE(program.Settle());
    }
    Sleep(300);
    EXPECT_FALSE(program.Screenshot("program_menus_open").empty());
    SendMessageA(main, WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(program.Settle());
    EXPECT_EQ(0, program.Close());
}

// A changed document answers Cancel to "Save changes to %s": everything stays open.
TEST_F(FrameProgram, CloseCancelledByADocumentKeepsEverythingOpen)
{
    ProgramDriver program;
    ASSERT_TRUE(program.Start(OptionsArgument()));
    HWND main = program.MainWindow();
    HWND client = FindWindowExA(main, nullptr, "MDICLIENT", nullptr);
    HWND document = FindWindowExA(client, nullptr, "MDDocumentClass", nullptr);
    ASSERT_NE(nullptr, document);
    HWND view = FindWindowExA(document, nullptr, "MDScrollClass", nullptr);
    ASSERT_NE(nullptr, view);
    HWND palette = FindWindowExA(main, nullptr, "#32770", nullptr);
    ASSERT_NE(nullptr, palette);
    // The first shape tool of the palette, then a rectangle dragged out in the view.
    HWND shapeTool = GetDlgItem(palette, 114);
    ASSERT_NE(nullptr, shapeTool);
    PostMessageA(shapeTool, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageA(shapeTool, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    ASSERT_TRUE(program.Settle());
    PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 60));
    PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(140, 120));
    PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(140, 120));
    ASSERT_TRUE(program.Settle());
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerWarning(program, IDCANCEL));
    ASSERT_TRUE(program.Settle());
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(IsWindow(document));
    EXPECT_TRUE(IsWindow(palette));
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerWarning(program, IDNO));
    EXPECT_EQ(0, program.WaitForExit());
}
