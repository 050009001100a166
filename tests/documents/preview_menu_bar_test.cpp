#include <gtest/gtest.h>
#include <windows.h>

#include "common/app_globals.h"
#include "documents/print_document.h"

namespace {

// The menu bar greys while the preview is open and comes back whole.
TEST(PreviewMenuBar, EveryItemOfTheBarIsGreyedAndEnabledAgain)
{
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), "MDMenu");
    ASSERT_NE(nullptr, bar);
    HWND frame = CreateWindowA("STATIC", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, bar,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, frame);
    HWND savedMain = MainWindow;
    MainWindow = frame;
    const int count = GetMenuItemCount(bar);
    ASSERT_GT(count, 0);
    EnableMenuBar(0);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(GetMenuState(bar, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) << i;
    EnableMenuBar(1);
    for (int i = 0; i < count; ++i)
        EXPECT_FALSE(GetMenuState(bar, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) << i;
    MainWindow = savedMain;
    DestroyWindow(frame);
}

} // namespace
