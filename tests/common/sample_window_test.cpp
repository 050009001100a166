#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "common/app_globals.h"
#include "common/sample_window.h"
#include "resources/bitmap_ids.h"

namespace {

const char kSampleClass[] = "TessarySampleTest";
const char kBitmapClass[] = "TessaryBitmapTest";
const char kParentClass[] = "TessarySampleParentTest";
const int kSampleId = 300;

std::vector<WPARAM> Notifications;
int PainterCalls = 0;

LRESULT CALLBACK RecordingParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        Notifications.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

int CountingPainter(HDC, RECT*)
{
    ++PainterCalls;
    return 1;
}

void Register(const char* name, WNDPROC procedure, int bytes, UINT style)
{
    WNDCLASSA windowClass = {};
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = AppInstance;
    windowClass.lpszClassName = name;
    windowClass.cbWndExtra = bytes;
    RegisterClassA(&windowClass);
}

// A dialog stand-in that records what its preview and bitmap windows tell it.
class SampleWindows : public testing::Test {
protected:
    void SetUp() override
    {
        AppInstance = GetModuleHandleA(nullptr);
        Register(kParentClass, RecordingParent, 0, 0);
        Register(kSampleClass, SampleWndProc, kSampleWindowBytes, CS_DBLCLKS);
        Register(kBitmapClass, BitmapWndProc, 0, 0);
        parent_ = CreateWindowA(kParentClass, "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, AppInstance, nullptr);
        ASSERT_NE(nullptr, parent_);
        Notifications.clear();
        PainterCalls = 0;
    }
    void TearDown() override { DestroyWindow(parent_); }
    HWND Child(const char* className, int id)
    {
        return CreateWindowA(className, "", WS_CHILD | WS_VISIBLE, 10, 10, 120, 80, parent_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance, nullptr);
    }
    HWND parent_ = nullptr;
};

TEST_F(SampleWindows, ClicksAndDoubleClicksReachTheDialogAsTheirCodes)
{
    HWND sample = Child(kSampleClass, kSampleId);
    ASSERT_NE(nullptr, sample);
    SendMessageA(sample, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(sample, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    const std::vector<WPARAM> expected = {MAKEWPARAM(kSampleId, kSampleClicked),
                                          MAKEWPARAM(kSampleId, kSampleDoubleClicked)};
    EXPECT_EQ(expected, Notifications);
}

TEST_F(SampleWindows, ARefreshPaintsThroughThePainterOnlyWhenThereIsOne)
{
    HWND sample = Child(kSampleClass, kSampleId);
    ASSERT_NE(nullptr, sample);
    ASSERT_NE(0, GetWindowLongPtrA(sample, kSampleMemoryDCWord)) << "memory picture made at creation";
    RefreshSampleWindow(sample);
    EXPECT_EQ(0, PainterCalls) << "no painter";
    SetWindowLongPtrA(sample, kSamplePainterWord, reinterpret_cast<LONG_PTR>(&CountingPainter));
    RefreshSampleWindow(sample);
    EXPECT_EQ(1, PainterCalls) << "painter";
}

TEST_F(SampleWindows, TheBitmapWindowTakesTheSizeOfTheBitmapItsIdNames)
{
    HWND window = Child(kBitmapClass, IDB_SWATCH_TRANSPARENT);
    ASSERT_NE(nullptr, window);
    HBITMAP bitmap = LoadBitmapA(AppInstance, MAKEINTRESOURCEA(IDB_SWATCH_TRANSPARENT));
    ASSERT_NE(nullptr, bitmap);
    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    DeleteObject(bitmap);
    RECT area;
    GetWindowRect(window, &area);
    EXPECT_EQ(info.bmWidth, area.right - area.left);
    EXPECT_EQ(info.bmHeight, area.bottom - area.top);
}

} // namespace
