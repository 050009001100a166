// The clipboard commands in the real program: while a text is typed Copy
// copies the typed text; the palette's clipboard buttons stay offered for the
// objects once the typing ends.
#include <gtest/gtest.h>

#include <string>

#include "support/program_driver.h"
#include "support/view_mouse.h"

namespace {

const int kRectangleTool = 114;
const int kSelectTool = 108;
const int kSelectAll = 218;
const int kCopy = 203;
const int kCutButton = 505;
const int kCopyButton = 506;
const int kPasteButton = 507;
const int kHelpModeButton = 511;
const int kSplashWaits = 200;
const DWORD kSplashPoll = 50;

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void EmptyTheClipboard()
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

class UnbuiltCommandsProgram : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string options = WriteQuietOptionsFile();
        ASSERT_FALSE(options.empty());
        ASSERT_TRUE(program_.Start("/o " + options));
        // The start-up splash would take the clicks meant for the drawing.
        for (int i = 0; i < kSplashWaits && program_.FindProgramWindow("#32770", "About Tessary Plus"); ++i)
            Sleep(kSplashPoll);
        ASSERT_TRUE(program_.Settle());
        palette_ = FindWindowExA(program_.MainWindow(), nullptr, "#32770", nullptr);
        ASSERT_NE(nullptr, palette_);
        HWND client = FindWindowExA(program_.MainWindow(), nullptr, "MDICLIENT", nullptr);
        ASSERT_NE(nullptr, client);
        HWND document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        ASSERT_NE(nullptr, document) << "the new drawing of the start";
        view_ = FindWindowExA(document, nullptr, "MDScrollClass", nullptr);
        ASSERT_NE(nullptr, view_);
    }
    void TearDown() override { program_.Close(); }

    void Command(int id)
    {
        program_.PostCommand(id);
        program_.Settle();
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            PostMessageA(view_, WM_CHAR, static_cast<unsigned char>(c), 1);
        program_.Settle();
    }
    bool Enabled(int button) const { return IsWindowEnabled(GetDlgItem(palette_, button)) != FALSE; }
    HWND Editor() const { return FindWindowExA(view_, nullptr, "TENClass", nullptr); }

    ProgramDriver program_;
    HWND palette_ = nullptr;
    HWND view_ = nullptr;
};

TEST_F(UnbuiltCommandsProgram, CopyWorksOnTypedTextAndThePaletteFollowsTheEditor)
{
    ASSERT_TRUE(ClickPaletteTool(program_, palette_, kRectangleTool));
    ViewMouse mouse(program_, view_);
    mouse.Drag({100, 100}, {260, 180});
    ASSERT_TRUE(ClickPaletteTool(program_, palette_, kSelectTool));
    mouse.Click({180, 140});
    Type("Router 1");
    ASSERT_NE(nullptr, Editor()) << "typing on the selected shape opens its text";

    for (int button : {kCutButton, kCopyButton, kPasteButton})
        EXPECT_TRUE(Enabled(button)) << "while typing, button " << button;
    EXPECT_TRUE(Enabled(kHelpModeButton));
    program_.Screenshot("unbuilt_palette_while_typing");
    EmptyTheClipboard();
    Command(kSelectAll);
    Command(kCopy);
    EXPECT_EQ("Router 1", ClipboardText()) << "Copy as the accelerator sends it, in the editor";

    mouse.Click({400, 300});
    ASSERT_EQ(nullptr, Editor()) << "the click elsewhere ends the typing";
    // Outside the editor they act on the objects.
    for (int button : {kCutButton, kCopyButton, kPasteButton})
        EXPECT_TRUE(Enabled(button)) << "after typing, button " << button;
    program_.Screenshot("unbuilt_palette_after_typing");
}

} // namespace
