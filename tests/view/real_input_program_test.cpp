// The harness itself under real input: a rectangle drawn with the real mouse
// (palette button clicked, drag in the view) shows on the screen where it was
// drawn, and Undo typed as Ctrl+Z takes it away again.
#include <gtest/gtest.h>

#include <string>

#include "documents/options_file.h"
#include "support/program_driver.h"
#include "support/real_input.h"
#include "support/screen_image.h"

namespace {

const int kRectangleTool = 114;
const int kNewBlank = 150;
const DWORD kSplashMs = 2500;   // the start-up splash stays for two seconds of the clock
const int kInset = 16;          // clear of the outline and its handles, which reach inside

class RealInputProgram : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string options = WriteQuietOptionsFile();
        ASSERT_FALSE(options.empty());
        ASSERT_TRUE(program_.Start("/o " + options));
        Sleep(kSplashMs);
        ASSERT_TRUE(program_.Settle());
        palette_ = FindWindowExA(program_.MainWindow(), nullptr, "#32770", nullptr);
        ASSERT_NE(nullptr, palette_);
        HWND client = FindWindowExA(program_.MainWindow(), nullptr, "MDICLIENT", nullptr);
        ASSERT_NE(nullptr, client);
        HWND document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        if (!document) {
            program_.PostCommand(kNewBlank);
            ASSERT_TRUE(program_.Settle());
            document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        }
        ASSERT_NE(nullptr, document);
        view_ = FindWindowExA(document, nullptr, "MDScrollClass", nullptr);
        ASSERT_NE(nullptr, view_);
    }
    void TearDown() override { program_.Close(); }

    void ClickTool(int id)
    {
        HWND button = GetDlgItem(palette_, id);
        ASSERT_NE(nullptr, button) << id;
        RECT r = ClientScreenRect(button);
        RealClick(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        ASSERT_TRUE(program_.Settle());
    }

    ProgramDriver program_;
    HWND palette_ = nullptr;
    HWND view_ = nullptr;
};

TEST_F(RealInputProgram, ARectangleDrawnWithTheRealMouseIsOnTheScreenAndCtrlZTakesItAway)
{
    const RECT client = ClientScreenRect(view_);
    const POINT from = {client.left + 60, client.top + 60};
    const POINT to = {client.left + 200, client.top + 160};
    const RECT outline = {from.x - 3, from.y - 3, to.x + 4, to.y + 4};
    const RECT inside = {from.x + kInset, from.y + kInset, to.x - kInset, to.y - kInset};
    const ScreenImage before = ScreenImage::Grab();
    before.Save("real_input_before");

    ClickTool(kRectangleTool);
    RealDrag(from, to);
    ASSERT_TRUE(program_.Settle());
    const ScreenImage drawn = ScreenImage::Grab();
    drawn.Save("real_input_rectangle_drawn");
    // The outline and handles add dark pixels around the frame; the inside stays one colour.
    EXPECT_GT(drawn.CountDark(outline), before.CountDark(outline) + 200);
    EXPECT_TRUE(drawn.Uniform(inside));

    RealKey('Z', false, true);
    ASSERT_TRUE(program_.Settle());
    const ScreenImage undone = ScreenImage::Grab();
    undone.Save("real_input_rectangle_undone");
    EXPECT_EQ(before.CountDark(outline), undone.CountDark(outline));
}

} // namespace
