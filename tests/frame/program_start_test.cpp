#include <gtest/gtest.h>

#include "support/program_driver.h"

TEST(ProgramStart, ShowsTitledMainWindowAndEndsCleanly)
{
    ProgramDriver program;
    const std::string options = WriteQuietOptionsFile();
    ASSERT_FALSE(options.empty());
    ASSERT_TRUE(program.Start("/o " + options));
    // The first drawing is made maximized, and the caption names it.
    EXPECT_EQ("Tessary Plus - [Untitled 1]", program.WindowText(program.MainWindow()));
    EXPECT_TRUE(IsWindowVisible(program.MainWindow()));
    EXPECT_FALSE(program.Screenshot("program_start").empty());
    EXPECT_EQ(0, program.Close());
}
