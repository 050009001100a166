// The About box of the real program closes on Esc as on OK.
#include <gtest/gtest.h>

#include <string>

#include "support/program_driver.h"
#include "support/real_input.h"
#include "support/screen_image.h"

namespace {

const DWORD kSplashMs = 2500;  // the start-up splash, the same dialog, stays for two seconds
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
    Sleep(kSplashMs);
    ASSERT_TRUE(program.Settle());
    ASSERT_EQ(nullptr, program.FindProgramWindow("#32770", kAboutTitle)) << "the splash is still up";
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
