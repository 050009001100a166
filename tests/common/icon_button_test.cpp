#include <gtest/gtest.h>

#include <vector>

#include "common/help_mode.h"
#include "common/icon_button.h"

namespace {

std::vector<WPARAM> Notifications;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        Notifications.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

class IconButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        // Another test may have stood a plain class in for the real one.
        WNDCLASSA existing = {};
        if (GetClassInfoA(GetModuleHandleA(nullptr), kIconButtonClassName, &existing) &&
            existing.lpfnWndProc != SEIcnBtn)
            UnregisterClassA(kIconButtonClassName, GetModuleHandleA(nullptr));
        RegisterIconButtonClass(GetModuleHandleA(nullptr));
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ParentProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TessaryIconButtonParent";
        RegisterClassA(&windowClass);
        parent_ = CreateWindowA("TessaryIconButtonParent", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        button_ = CreateWindowA(kIconButtonClassName, "", WS_CHILD | WS_VISIBLE, 10, 10, 23, 23, parent_,
                                reinterpret_cast<HMENU>(215), GetModuleHandleA(nullptr), nullptr);
        Notifications.clear();
        HelpMode = 0;
    }
    void TearDown() override
    {
        DestroyWindow(parent_);
        IconButtonTracking = FALSE;
        IconButtonPressed = FALSE;
    }
    void Style(LONG style) { SetWindowLongA(button_, kIconButtonStyleWord, style); }
    LONG Style() { return GetWindowLongA(button_, kIconButtonStyleWord); }
    void Click()
    {
        SendMessageA(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(button_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    int Clicks()
    {
        int count = 0;
        for (WPARAM w : Notifications)
            if (LOWORD(w) == 215 && HIWORD(w) == kIconClicked)
                ++count;
        return count;
    }
    HWND parent_ = nullptr;
    HWND button_ = nullptr;
};

TEST_F(IconButtonTest, ClickBehaviourByStyle)
{
    struct Case {
        const char* name;
        LONG style;
        int clicks;
        bool down;
    } cases[] = {
        {"push comes up again", kIconPush, 1, false},
        {"toggle flips once", kIconToggle, 1, true},
        {"toggle flips back", kIconToggle, 2, false},
        {"radio stays down", kIconRadio, 2, true},
        {"latching stays down", 0, 2, true},
    };
    for (const Case& c : cases) {
        Style(c.style);
        Notifications.clear();
        for (int i = 0; i < c.clicks; ++i)
            Click();
        EXPECT_EQ(c.down, IsIconButtonDown(button_) != FALSE) << c.name;
        EXPECT_EQ(c.clicks, Clicks()) << c.name;
        EXPECT_NE(button_, GetCapture()) << c.name;
    }
}

TEST_F(IconButtonTest, ReleaseOutsideSendsNothingAndMovesOutsideNotify)
{
    Style(kIconPush);
    SendMessageA(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 5));
    SendMessageA(button_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 5));
    SendMessageA(button_, WM_LBUTTONUP, 0, MAKELPARAM(120, 5));
    int outside = 0;
    for (WPARAM w : Notifications)
        if (HIWORD(w) == kIconDraggedOutside)
            ++outside;
    EXPECT_EQ(2, outside);
    EXPECT_EQ(0, Clicks());
    EXPECT_FALSE(IconButtonTracking);
}

TEST_F(IconButtonTest, DragBackInsideAndReleaseClicks)
{
    Style(kIconPush);
    SendMessageA(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 5));
    SendMessageA(button_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(1, Clicks());
}

TEST_F(IconButtonTest, DoubleClickOnlyNotifiesUnlessItActsAsPress)
{
    Style(kIconToggle);
    SendMessageA(button_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(1u, Notifications.size());
    EXPECT_EQ(kIconDoubleClicked, HIWORD(Notifications[0]));
    EXPECT_FALSE(IconButtonTracking);
    Notifications.clear();
    Style(kIconToggle | kIconDoubleAsPress);
    SendMessageA(button_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(1, Clicks());
    EXPECT_TRUE(IsIconButtonDown(button_));
}

TEST_F(IconButtonTest, HelpModeClickKeepsTheStyle)
{
    Style(kIconToggle);
    HelpMode = 1;
    Click();
    HelpMode = 0;
    EXPECT_FALSE(IsIconButtonDown(button_));
    EXPECT_EQ(1, Clicks());
}

TEST_F(IconButtonTest, MixedStateClearedBySettingDown)
{
    Style(kIconToggle);
    SetIconButtonBits(button_, TRUE, kIconMixed);
    EXPECT_TRUE(Style() & kIconMixed);
    SetIconButtonDownQuiet(button_, TRUE);
    EXPECT_FALSE(Style() & kIconMixed);
    EXPECT_TRUE(IsIconButtonDown(button_));
    EXPECT_FALSE(IsIconButtonDown(nullptr));
}

TEST_F(IconButtonTest, CancelPressEndsTheTracking)
{
    Style(kIconPush);
    SendMessageA(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button_, WM_COMMAND, kIconCancelPress, 0);
    EXPECT_FALSE(IconButtonTracking);
    EXPECT_NE(button_, GetCapture());
    SendMessageA(button_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(0, Clicks());
}

TEST_F(IconButtonTest, EnterAndSpaceClick)
{
    Style(kIconPush);
    SendMessageA(button_, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(button_, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(button_, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(2, Clicks());
}

TEST_F(IconButtonTest, MissingBitmapPaintsNothingAndDoesNotFail)
{
    SetWindowLongA(button_, kIconButtonBitmapWord, 1);   // no such bitmap
    const int side = 23;
    const COLORREF untouched = RGB(1, 2, 3);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, side, side);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, canvas);
    HBRUSH fill = CreateSolidBrush(untouched);
    RECT all = {0, 0, side, side};
    FillRect(dc, &all, fill);
    DeleteObject(fill);
    PaintIconButton(dc, button_);
    int changed = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            changed += GetPixel(dc, x, y) != untouched;
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    EXPECT_EQ(0, changed);
}

} // namespace
