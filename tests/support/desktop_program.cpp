#include "support/desktop_program.h"

#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/test_paths.h"
#include "support/screen_image.h"

namespace {

// The start-up splash stays for two seconds of the clock.
const int kSplashPolls = 100;
const DWORD kPollMs = 50;
// A tip comes after a second's rest: five seconds of polls is ample.
const int kTipPolls = 100;

HWND ActiveDocument(HWND mainWindow)
{
    HWND client = FindWindowExA(mainWindow, nullptr, "MDICLIENT", nullptr);
    if (!client)
        return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
}

}  // namespace

void DesktopProgram::TearDown()
{
    if (program_.Running())
        program_.Close();
}

void DesktopProgram::StartWith(const std::string& drawingPath)
{
    options_ = WriteQuietOptionsFile(showHints_);
    ASSERT_FALSE(options_.empty());
    const std::string file = drawingPath.empty() ? "" : drawingPath + " ";
    ASSERT_TRUE(program_.Start(file + "/o " + options_));
    for (int i = 0; i < kSplashPolls && program_.FindProgramWindow("#32770", "About Tessary Plus"); ++i)
        Sleep(kPollMs);
    ASSERT_TRUE(program_.Settle());
    palette_ = FindWindowExA(program_.MainWindow(), nullptr, "#32770", nullptr);
    ASSERT_NE(nullptr, palette_);
    document_ = ActiveDocument(program_.MainWindow());
    if (!document_ && drawingPath.empty()) {
        Command(desktop_ids::kNewBlank);
        document_ = ActiveDocument(program_.MainWindow());
    }
    ASSERT_NE(nullptr, document_) << "no document window came up";
    view_ = FindWindowExA(document_, nullptr, "MDScrollClass", nullptr);
    ASSERT_NE(nullptr, view_);
}

std::string DesktopProgram::StartOnEmptyDrawing(const std::string& name)
{
    return StartOnDrawing(name, nullptr);
}

std::string DesktopProgram::StartOnDrawing(const std::string& name, const std::function<void(HWND view)>& fill,
                                           int32_t setFlags)
{
    const std::string file = ScratchPath(name.c_str());
    DeleteFileA(file.c_str());
    {
        ScratchDrawing drawing;
        EXPECT_EQ(0, drawing.Write(file, false, fill, setFlags).value);
    }
    StartWith(file);
    return file;
}

void DesktopProgram::Command(int id)
{
    program_.PostCommand(id);
    ASSERT_TRUE(program_.Settle());
}

void DesktopProgram::ClickTool(int id)
{
    HWND button = GetDlgItem(palette_, id);
    ASSERT_NE(nullptr, button) << id;
    const RECT r = ClientScreenRect(button);
    RealClick(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    ASSERT_TRUE(program_.Settle());
}

RECT DesktopProgram::DrawRectangle(POINT from, POINT to)
{
    ClickTool(desktop_ids::kRectangleTool);
    const POINT a = ClientToScreenPoint(view_, from);
    const POINT b = ClientToScreenPoint(view_, to);
    RealDrag(a, b);
    program_.Settle();
    ClickTool(desktop_ids::kSelectTool);
    return RECT{a.x, a.y, b.x, b.y};
}

HWND DesktopProgram::Editor() const
{
    return FindWindowExA(view_, nullptr, "TENClass", nullptr);
}

HWND DesktopProgram::AwaitDialog(const char* title, DWORD timeoutMs) const
{
    // The palette is a child of the main window, so only top-level dialogs are found.
    for (DWORD waited = 0; waited <= timeoutMs; waited += kPollMs) {
        HWND found = program_.FindProgramWindow("#32770", title);
        if (found && found != palette_ && IsWindowVisible(found))
            return found;
        Sleep(kPollMs);
    }
    return nullptr;
}

HWND DesktopProgram::AwaitToolTipBelow(POINT pointer) const
{
    const int kBelowPointer = 16;
    for (int i = 0; i < kTipPolls; ++i) {
        HWND tip = program_.FindProgramWindow("SEToolTipClass", nullptr);
        RECT r;
        if (tip && IsWindowVisible(tip) && GetWindowRect(tip, &r) && r.top == pointer.y + kBelowPointer)
            return tip;
        Sleep(kPollMs);
    }
    return nullptr;
}

HWND DesktopProgram::OpenDialog(int command, const char* title)
{
    program_.PostCommand(command);
    HWND dialog = AwaitDialog(title);
    // Shown, and painted before anything looks at it.
    EXPECT_TRUE(program_.Settle());
    return dialog;
}

void DesktopProgram::Press(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    ASSERT_TRUE(program_.Settle());
}

std::string DesktopProgram::StaticTexts(HWND dialog) const
{
    std::string text;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof(className));
        if (std::string(className) == "Static")
            text += program_.WindowText(child);
    }
    return text;
}

void DesktopProgram::Screenshot(const std::string& step)
{
    ScreenImage::Grab().Save(step);
}
