#include <gtest/gtest.h>

#include "support/program_driver.h"

TEST(ProgramStart, ShowsTitledMainWindowAndEndsCleanly)
{
    ProgramDriver program;
    const std::string options = WriteQuietOptionsFile();
    ASSERT_FALSE(options.empty());
    ASSERT_TRUE(program.Start("/o " + options));
    EXPECT_EQ("Tessary Plus", program.WindowText(program.MainWindow()));
    EXPECT_TRUE(IsWindowVisible(program.MainWindow()));
    EXPECT_FALSE(program.Screenshot("program_start").empty());
    EXPECT_EQ(0, program.Close());
}
