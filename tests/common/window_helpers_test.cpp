#include <gtest/gtest.h>

#include "common/display_flags.h"
#include "common/window_helpers.h"
#include "common/app_globals.h"

namespace {

HWND Popup(int x, int y, int width, int height)
{
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

const char kChildClass[] = "CommonTestsMdiChild";

LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcA(window, message, wParam, lParam);
}

} // namespace

TEST(Window, CenterWindowOverCentresAndClampsAtZero)
{
    struct Case {
        const char* name;
        RECT other;
        int width, height;
        int x, y;
    };
    const Case cases[] = {
        {"inside", {100, 100, 300, 300}, 100, 50, 150, 175},
        {"odd sizes halve by integer division", {10, 10, 211, 111}, 51, 31, 85, 45},
        {"larger than owner at origin", {0, 0, 200, 200}, 400, 300, 0, 0},
        {"only x negative", {0, 100, 200, 300}, 400, 50, 0, 175},
    };
    for (const Case& c : cases) {
        HWND other = Popup(c.other.left, c.other.top, c.other.right - c.other.left, c.other.bottom - c.other.top);
        HWND window = Popup(500, 500, c.width, c.height);
        ASSERT_NE(nullptr, other);
        ASSERT_NE(nullptr, window);
        CenterWindowOver(window, other);
        RECT placed;
        GetWindowRect(window, &placed);
        EXPECT_EQ(c.x, placed.left) << c.name;
        EXPECT_EQ(c.y, placed.top) << c.name;
        EXPECT_EQ(c.width, placed.right - placed.left) << c.name;
        EXPECT_EQ(c.height, placed.bottom - placed.top) << c.name;
        DestroyWindow(window);
        DestroyWindow(other);
    }
}

TEST(Window, SetDialogItemsFontReachesItemsInRangeOnly)
{
    HWND dialog = Popup(0, 0, 200, 200);
    ASSERT_NE(nullptr, dialog);
    const int ids[] = {10, 11, 13, 14, 9};
    HWND items[5];
    for (int i = 0; i < 5; ++i) {
        items[i] = CreateWindowExA(0, "BUTTON", "x", WS_CHILD, 0, 0, 20, 20, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids[i])), GetModuleHandleA(nullptr),
                                   nullptr);
        ASSERT_NE(nullptr, items[i]);
    }
    HFONT saved = DefaultUiFont;
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    ASSERT_NE(nullptr, font);

    DefaultUiFont = nullptr;
    SetDialogItemsFont(dialog, 10, 13);
    for (HWND item : items)
        EXPECT_NE(reinterpret_cast<LRESULT>(font), SendMessageA(item, WM_GETFONT, 0, 0));

    DefaultUiFont = font;
    SetDialogItemsFont(dialog, 10, 13); // id 12 does not exist
    const bool inRange[] = {true, true, true, false, false};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(inRange[i], SendMessageA(items[i], WM_GETFONT, 0, 0) == reinterpret_cast<LRESULT>(font))
            << "id " << ids[i];

    DefaultUiFont = saved;
    DestroyWindow(dialog);
    DeleteObject(font);
}

TEST(Window, GetActiveDocWindowAsksTheMdiClient)
{
    WNDCLASSA childClass = {};
    childClass.lpfnWndProc = ChildProc;
    childClass.hInstance = GetModuleHandleA(nullptr);
    childClass.lpszClassName = kChildClass;
    RegisterClassA(&childClass);

    HWND savedClient = MdiClientWindow;
    MdiClientWindow = nullptr;
    BOOL maximized = TRUE;
    EXPECT_EQ(nullptr, GetActiveDocWindow(&maximized));
    EXPECT_FALSE(maximized);

    HWND frame = Popup(0, 0, 400, 300);
    CLIENTCREATESTRUCT create = {nullptr, 1000};
    HWND client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 400, 300,
                                  frame, nullptr, GetModuleHandleA(nullptr), &create);
    ASSERT_NE(nullptr, client);
    MdiClientWindow = client;
    EXPECT_EQ(nullptr, GetActiveDocWindow(nullptr));

    HWND child = CreateMDIWindowA(kChildClass, "doc", WS_VISIBLE, 0, 0, 200, 150, client,
                                  GetModuleHandleA(nullptr), 0);
    ASSERT_NE(nullptr, child);
    maximized = TRUE;
    EXPECT_EQ(child, GetActiveDocWindow(&maximized));
    EXPECT_FALSE(maximized);
    SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    EXPECT_EQ(child, GetActiveDocWindow(&maximized));
    EXPECT_TRUE(maximized);
    EXPECT_EQ(child, GetActiveDocWindow(nullptr));

    MdiClientWindow = savedClient;
    DestroyWindow(frame);
}
