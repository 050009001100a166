#include <gtest/gtest.h>

#include "common/scroll_helpers.h"
#include "common/app_globals.h"

namespace {

class ScrollTest : public testing::Test {
protected:
    void SetUp() override
    {
        savedVersion_ = WindowsMajorVersion;
        window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_HSCROLL | WS_VSCROLL, 0, 0, 300, 200, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, window_);
    }
    void TearDown() override
    {
        DestroyWindow(window_);
        WindowsMajorVersion = savedVersion_;
    }
    HWND window_ = nullptr;
    int savedVersion_ = 4;
};

} // namespace

TEST_F(ScrollTest, RangeWithPageRoundTripsOnWindows4)
{
    struct Case {
        const char* name;
        int bar;
        int min, max, page;
        int storedMax; // the SCROLLINFO maximum
        int readMax;
    };
    const Case cases[] = {
        {"plain", SB_HORZ, 0, 500, 100, 600, 500},
        {"vertical", SB_VERT, 0, 1000, 37, 1037, 1000},
        {"page larger than range", SB_HORZ, 0, 50, 100, 150, 50},
        {"max 0 stays 0", SB_HORZ, 0, 0, 100, 0, 0},
        {"max 0 stays 0 without page", SB_VERT, 0, 0, 0, 0, 0},
        {"nonzero min", SB_VERT, 10, 300, 20, 320, 300},
    };
    WindowsMajorVersion = 4;
    for (const Case& c : cases) {
        SetScrollRangeCompat(window_, c.bar, c.min, c.max, c.page, FALSE);
        SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
        ASSERT_TRUE(GetScrollInfo(window_, c.bar, &info)) << c.name;
        EXPECT_EQ(c.min, info.nMin) << c.name;
        EXPECT_EQ(c.storedMax, info.nMax) << c.name;
        int min = -1;
        int max = -1;
        GetScrollRangeCompat(window_, c.bar, &min, &max);
        EXPECT_EQ(c.min, min) << c.name;
        EXPECT_EQ(c.readMax, max) << c.name;
    }
}

TEST_F(ScrollTest, PlainRangeBeforeWindows4)
{
    WindowsMajorVersion = 3;
    SetScrollRangeCompat(window_, SB_HORZ, 5, 400, 100, FALSE);
    int min = -1;
    int max = -1;
    GetScrollRangeCompat(window_, SB_HORZ, &min, &max);
    EXPECT_EQ(5, min);
    EXPECT_EQ(400, max);
    SCROLLINFO info = {sizeof(info), SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(window_, SB_HORZ, &info);
    EXPECT_EQ(400, info.nMax);
}

TEST_F(ScrollTest, UnreadableBarGivesZeros)
{
    WindowsMajorVersion = 4;
    int min = -1;
    int max = -1;
    GetScrollRangeCompat(nullptr, SB_HORZ, &min, &max);
    EXPECT_EQ(0, min);
    EXPECT_EQ(0, max);
}
