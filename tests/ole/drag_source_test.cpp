// When an OLE drag of objects out of the program goes on, drops or stops.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/app_globals.h"
#include "ole/drag_source.h"

namespace {

const RECT kMainRect = {100, 100, 400, 400};

TEST(DragSource, EscOrComingBackCancelsAReleaseOutsideDrops)
{
    HWND main = CreateWindowExA(0, "STATIC", "main", WS_POPUP, kMainRect.left, kMainRect.top,
                                kMainRect.right - kMainRect.left, kMainRect.bottom - kMainRect.top, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(nullptr, main);
    HWND saved = MainWindow;
    MainWindow = main;
    const POINT inside = {200, 200};
    const POINT outside = {600, 200};
    struct Case {
        const char* name;
        BOOL escape;
        DWORD keys;
        POINT pointer;
        HRESULT expected;
    } const cases[] = {
        {"Esc outside", TRUE, MK_LBUTTON, outside, DRAGDROP_S_CANCEL},
        {"back over the main window", FALSE, MK_LBUTTON, inside, DRAGDROP_S_CANCEL},
        {"released over the main window", FALSE, 0, inside, DRAGDROP_S_CANCEL},
        {"held outside", FALSE, MK_LBUTTON, outside, S_OK},
        {"released outside", FALSE, 0, outside, DRAGDROP_S_DROP},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, DragContinuation(c.escape, c.keys, c.pointer)) << c.name;
    MainWindow = saved;
    DestroyWindow(main);
}

} // namespace
