// The popup picker: what it shows for an index, what it reports to its
// dialog, and Space standing for a click at its centre.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "common/app_globals.h"
#include "common/display_flags.h"
#include "common/menu_items.h"
#include "common/popup_picker.h"

namespace {

const int kPickerId = 1030;
const int kFirstItemId = 3100;
const char kOwnerClass[] = "TessaryPickerOwner";

struct Report {
    WPARAM id;
    LPARAM index;
};
std::vector<Report> Reports;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        Reports.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class PopupPicker : public testing::Test {
protected:
    void SetUp() override
    {
        AppInstance = GetModuleHandleA(nullptr);
        RegisterPopupClass(AppInstance);
        WNDCLASSA owner = {};
        owner.lpfnWndProc = OwnerProc;
        owner.hInstance = AppInstance;
        owner.lpszClassName = kOwnerClass;
        RegisterClassA(&owner);
        owner_ = CreateWindowA(kOwnerClass, "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, AppInstance, nullptr);
        ASSERT_NE(nullptr, owner_);
        picker_ = CreateWindowA(kPopupClassName, "", WS_CHILD, 10, 10, 40, 20, owner_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPickerId)), AppInstance, nullptr);
        ASSERT_NE(nullptr, picker_);
        Reports.clear();
    }
    void TearDown() override
    {
        DestroyWindow(owner_);
        for (HMENU menu : menus_)
            DestroyMenu(menu);
    }
    HMENU ColourMenu(int items)
    {
        HMENU menu = CreatePopupMenu();
        for (int i = 0; i < items; ++i)
            AppendMenuA(menu, MF_OWNERDRAW, static_cast<UINT_PTR>(kFirstItemId + i),
                        reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(values_[i % 4])));
        menus_.push_back(menu);
        return menu;
    }

    HWND owner_ = nullptr;
    HWND picker_ = nullptr;
    std::vector<HMENU> menus_;
    LONG values_[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(0, 0, 0)};
};

TEST_F(PopupPicker, TheIndexChoosesWhatTheFaceShows)
{
    struct Case {
        const char* name;
        int index;
        LONG shown;
    } cases[] = {
        {"below 0 the current value", -1, RGB(1, 2, 3)},
        {"an entry of the table", 2, RGB(0, 0, 255)},
        {"index 48 is transparent", 48, -1},
        {"past 48 still transparent", 60, -1},
    };
    HMENU menu = ColourMenu(4);
    for (const Case& c : cases) {
        SetPopupData(owner_, kPickerId, RGB(1, 2, 3), values_, nullptr, menu, c.index, FALSE);
        EXPECT_EQ(c.shown, PopupShownValue(picker_)) << c.name;
    }
}

TEST_F(PopupPicker, AChosenItemIsReportedAsItsIndex)
{
    struct Case {
        const char* name;
        UINT commandId;
        bool reported;
        LPARAM index;
    } cases[] = {
        {"the first item", kFirstItemId, true, 0},
        {"the last item", kFirstItemId + 48, true, 48},
        {"an id before the first", kFirstItemId - 1, false, 0},
        {"an id a hundred past the first", kFirstItemId + 100, false, 0},
    };
    SetPopupData(owner_, kPickerId, 0, values_, nullptr, ColourMenu(49), -1, FALSE);
    for (const Case& c : cases) {
        Reports.clear();
        SendMessageA(picker_, WM_COMMAND, c.commandId, 0);
        ASSERT_EQ(c.reported ? 1u : 0u, Reports.size()) << c.name;
        if (!c.reported)
            continue;
        EXPECT_EQ(static_cast<WPARAM>(kPickerId), Reports[0].id) << c.name;
        EXPECT_EQ(c.index, Reports[0].index) << c.name;
        EXPECT_EQ(c.index, GetWindowLongPtrA(picker_, kPopupIndex * static_cast<int>(sizeof(LONG_PTR)))) << c.name;
    }
}

TEST_F(PopupPicker, SpaceStandsForAClickAtTheCentre)
{
    SendMessageA(picker_, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(picker_, WM_KEYDOWN, VK_RETURN, 0);
    MSG message = {};
    ASSERT_TRUE(PeekMessageA(&message, picker_, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(20, LOWORD(message.lParam));
    EXPECT_EQ(10, HIWORD(message.lParam));
    EXPECT_FALSE(PeekMessageA(&message, picker_, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE)) << "only Space";
}

// Menus of the options' 48 colours hold pen colours, longer ones fill
// colours: on a monochrome display a red pen turns black, a red fill stays.
TEST_F(PopupPicker, MenuItemsAreDrawnAsPenColoursUpToFortyEight)
{
    struct Case {
        const char* name;
        int items;
        COLORREF inside;
    } cases[] = {
        {"48 items draw a pen colour", 48, RGB(0, 0, 0)},
        {"49 items draw a fill colour", 49, RGB(255, 0, 0)},
    };
    const int savedMonochrome = MonochromeDisplay;
    MonochromeDisplay = 1;
    for (const Case& c : cases) {
        SetPopupData(owner_, kPickerId, 0, values_, nullptr, ColourMenu(c.items), -1, FALSE);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 20);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_MENU;
        item.itemAction = ODA_DRAWENTIRE;
        item.hDC = dc;
        item.rcItem = {0, 0, 20, 20};
        item.itemData = RGB(255, 0, 0);
        SendMessageA(picker_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(c.inside, GetPixel(dc, 10, 10)) << c.name;
        EXPECT_EQ(1, SwatchAsFill) << c.name << ": the flag is back at rest";
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    MonochromeDisplay = savedMonochrome;
}

} // namespace
