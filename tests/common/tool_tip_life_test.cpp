#include <gtest/gtest.h>
#include <windows.h>

#include "common/app_globals.h"
#include "common/tool_tip_class.h"
#include "common/tool_tip_state.h"
#include "common/tool_tips.h"

namespace {

HWND FloatingLibrary = nullptr;

bool IsFloatingLibrary(HWND window)
{
    return window == FloatingLibrary;
}

// A main window with two buttons under the pointer and a floating library
// window; the tip timer's end is called by hand instead of waited for.
class ToolTipLife : public testing::Test {
protected:
    void SetUp() override
    {
        savedMain_ = MainWindow;
        savedItems_ = ToolTipItems;
        AppInstance = GetModuleHandleA(nullptr);
        ASSERT_NE(0, RegisterToolTipClass(AppInstance));
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        MainWindow = MakeWindow("Main", cursor);
        first_ = MakeButton("First");
        second_ = MakeButton("Second");
        FloatingLibrary = MakeWindow("Library", cursor);
        ToolTipItems = {IsFloatingLibrary, nullptr, nullptr, nullptr};
        SetActiveWindow(MainWindow);
    }
    void TearDown() override
    {
        ShutdownToolTips();
        UnregisterClassA(kToolTipClassName, AppInstance);
        DestroyWindow(FloatingLibrary);
        DestroyWindow(MainWindow);
        FloatingLibrary = nullptr;
        MainWindow = savedMain_;
        ToolTipItems = savedItems_;
    }
    // A window whose client area holds the pointer, so a rest ends in a tip.
    static HWND MakeWindow(const char* title, POINT cursor)
    {
        const int kHalf = 100;
        return CreateWindowExA(0, "STATIC", title, WS_POPUP | WS_VISIBLE, cursor.x - kHalf, cursor.y - kHalf,
                               2 * kHalf, 2 * kHalf, nullptr, nullptr, AppInstance, nullptr);
    }
    HWND MakeButton(const char* text)
    {
        RECT client;
        GetClientRect(MainWindow, &client);
        return CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom,
                               MainWindow, nullptr, AppInstance, nullptr);
    }
    static void RestEnds() { SEToolTimerProc(nullptr, WM_TIMER, 0, 0); }
    // Which window the tip shown now speaks for; none without a tip.
    static HWND TipSource()
    {
        HWND tip = CurrentToolTipWindow();
        if (!tip || !IsWindowVisible(tip))
            return nullptr;
        return reinterpret_cast<HWND>(GetWindowLongPtrA(tip, kTipSourceWord));
    }
    HWND savedMain_ = nullptr;
    ToolTipItemCalls savedItems_ = {};
    HWND first_ = nullptr;
    HWND second_ = nullptr;
};

TEST_F(ToolTipLife, ARestShowsTheTipOfTheLastButtonReached)
{
    ShowToolTipFor(first_, -1);
    EXPECT_EQ(nullptr, TipSource()) << "nothing before the rest ends";
    ShowToolTipFor(second_, -1);
    RestEnds();
    EXPECT_EQ(second_, TipSource());
}

TEST_F(ToolTipLife, MovingOnWhileATipShowsReplacesItAtOnce)
{
    ShowToolTipFor(first_, -1);
    RestEnds();
    ASSERT_EQ(first_, TipSource());
    ShowToolTipFor(second_, -1);
    EXPECT_EQ(second_, TipSource());
}

TEST_F(ToolTipLife, WhileAnotherWindowIsActiveOnlyTheLibraryGetsTips)
{
    SetActiveWindow(FloatingLibrary);
    ShowToolTipFor(first_, -1);
    RestEnds();
    EXPECT_EQ(nullptr, TipSource()) << "main window's button";
    ShowToolTipFor(FloatingLibrary, -1);
    RestEnds();
    EXPECT_EQ(FloatingLibrary, TipSource()) << "library window";
}

TEST_F(ToolTipLife, NoTipAfterShutdown)
{
    ShutdownToolTips();
    ShowToolTipFor(first_, -1);
    RestEnds();
    EXPECT_EQ(nullptr, TipSource());
}

} // namespace
