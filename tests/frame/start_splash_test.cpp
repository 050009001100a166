#include <gtest/gtest.h>

#include "frame/about_box.h"
#include "frame/start_splash.h"

// The splash once waited for the clock's seconds to advance by 2, which never
// happened when it started at second 58 or 59; it now counts milliseconds.
TEST(StartSplash, WaitEndsAfterTwoSecondsWhateverTheClockShows)
{
    struct Case {
        const char* name;
        DWORD start;
        DWORD now;
        bool over;
    };
    const Case cases[] = {
        {"JustStarted", 1000, 1000, false},
        {"AlmostTwoSeconds", 1000, 2999, false},
        {"TwoSeconds", 1000, 3000, true},
        {"StartedAtSecond58", 58000, 60000, true},
        {"StartedAtSecond59", 59500, 61500, true},
        {"TickCountWrapped", 0xFFFFFC00u, 0x00000400u, true},
        {"TickCountWrappedEarly", 0xFFFFFC00u, 0x00000100u, false},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.over, SplashWaitOver(row.start, row.now, 2000));
    }
}

TEST(StartSplash, WaitThatIsOverReturnsAtOnce)
{
    // Started two and a half seconds ago: nothing left to wait for, so it
    // returns far sooner than the two seconds it would otherwise wait.
    const DWORD before = GetTickCount();
    WaitServingPaints(before - 2500, 2000);
    EXPECT_LT(GetTickCount() - before, 1000u);
}

TEST(AboutBox, WidensOnlyForAWiderPicture)
{
    struct Case {
        const char* name;
        int dialog;
        int picture;
        int expected;
    };
    const Case cases[] = {
        {"NarrowPicture", 300, 200, 300},
        {"ExactFit", 300, 280, 300},
        {"WidePicture", 300, 400, 420},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, AboutBoxWidthFor(row.dialog, row.picture));
    }
}
