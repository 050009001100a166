#include <gtest/gtest.h>

#include "common/io_seam.h"
#include "text/ten_startup.h"

TEST(TextEngineStartup, StartsAndEndsTheEngineWideValues)
{
    ASSERT_EQ(kErrNone, RegisterTenClass(GetModuleHandleA(nullptr)));
    WNDCLASSA registered;
    EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TENClass", &registered));
    EXPECT_EQ(static_cast<UINT>(CS_OWNDC | CS_DBLCLKS), registered.style);
    ASSERT_EQ(kErrNone, InitTen());
    EXPECT_NE(0u, TenClipFormat);
    EXPECT_EQ(TenClipFormat, RegisterClipboardFormatA("TENClipClass"));
    EXPECT_NE(nullptr, TenDefaultFont);
    EXPECT_GT(BreakBarHeight, BreakBarTextOffset);
    ASSERT_NE(nullptr, CharWidthBuffer);
    EXPECT_EQ(640u, GlobalSize(CharWidthBuffer));
    EXPECT_EQ(160, CharWidthCapacity);
    EXPECT_EQ(0, CharWidths[159]);
    TermTen();
    EXPECT_EQ(nullptr, TenDefaultFont);
    EXPECT_EQ(nullptr, CharWidthBuffer);
}

TEST(TextEngineStartup, NoWidthBufferIsOutOfMemory)
{
    SeamArmFault(kSeamAlloc, 1, false);
    EXPECT_EQ(kErrNoMemory, InitTen());
    SeamDisarm();
    EXPECT_EQ(nullptr, CharWidthBuffer);
    TermTen();
}
