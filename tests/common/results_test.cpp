#include <gtest/gtest.h>

#include "common/results.h"

TEST(Results, CheckFileResultCountsOnlyMinusOne)
{
    EXPECT_EQ(kErrFile, CheckFileResult(HFILE_ERROR));
    EXPECT_EQ(0, CheckFileResult(0));
    EXPECT_EQ(0, CheckFileResult(12));
}
