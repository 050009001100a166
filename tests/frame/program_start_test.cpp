#include <gtest/gtest.h>

#include "support/program_driver.h"

TEST(ProgramStart, ShowsTitledMainWindowAndEndsCleanly)
{
    ProgramDriver program;
    ASSERT_TRUE(program.Start("/o " + ScratchOptionsPath()));
    EXPECT_EQ("Tessary Plus", program.WindowText(program.MainWindow()));
    EXPECT_TRUE(IsWindowVisible(program.MainWindow()));
    EXPECT_FALSE(program.Screenshot("program_start").empty());
    EXPECT_EQ(0, program.Close());
}
