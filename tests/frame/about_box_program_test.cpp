// The About box of the real program closes on Esc as on OK.
#include <gtest/gtest.h>

#include <string>

#include "program_waits.h"
#include "support/program_driver.h"
#include "support/real_input.h"
#include "support/screen_image.h"

namespace {

const int kHelpAbout = 905;
const char kAboutTitle[] = "About Tessary Plus";

HWND WaitForAbout(const ProgramDriver& program)
{
    for (int i = 0; i < 100; ++i, Sleep(50)) {
        if (HWND box = program.FindProgramWindow("#32770", kAboutTitle))
            return box;
    }
    return nullptr;
}

} // namespace

TEST(AboutBoxProgram, EscClosesTheAboutBox)
{
    const std::string options = WriteQuietOptionsFile();
    ASSERT_FALSE(options.empty());
    ProgramDriver program;
    ASSERT_TRUE(program.Start("/o " + options));
    ASSERT_TRUE(WaitForSplashToGo(program));
    ASSERT_TRUE(program.Settle());
    program.PostCommand(kHelpAbout);
    HWND about = WaitForAbout(program);
    ASSERT_NE(nullptr, about);
    ASSERT_TRUE(program.Settle());
    ScreenImage::Grab().Save("about_box_open");

    RealKey(VK_ESCAPE);
    ASSERT_TRUE(program.Settle());
    ScreenImage::Grab().Save("about_box_after_esc");
    EXPECT_FALSE(IsWindow(about));
    EXPECT_EQ(0, program.Close());
}
