#include "frame/main_window.h"

#include "common/string_helpers.h"
#include "frame/app_globals.h"

const char kMainClassName[] = "TYMainClass";

namespace {

void OnDestroy(HWND window)
{
    if (window == MainWindow)
        MainWindow = nullptr;
    PostQuitMessage(0);
}

} // namespace

LRESULT CALLBACK SEMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SEMain;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = kMainClassName;
    return RegisterClassA(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, int showCommand)
{
    char title[261];
    LoadStr(502, title);
    HWND window = CreateWindowExA(0, kMainClassName, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, instance, nullptr);
    if (window) {
        MainWindow = window;
        ShowWindow(window, showCommand);
        UpdateWindow(window);
    }
    return window;
}
