// An MDI frame made inside a test process, standing in for the program's main
// window: document windows open in its MDI client as they do in the program.
#pragma once
#include <windows.h>

#include <stb_image_write.h>

#include <string>
#include <vector>

#include "common/app_globals.h"
#include "common/back_buffer.h"
#include "support/test_paths.h"
#include "view/view_classes.h"
#include "view/view_layout.h"

class ViewTestFrame {
public:
    explicit ViewTestFrame(int width = 800, int height = 600, bool visible = true)
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        RegisterViewClasses(instance);
        WNDCLASSA frameClass = {};
        frameClass.lpfnWndProc = FrameProc;
        frameClass.hInstance = instance;
        frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        frameClass.lpszClassName = "TessaryViewTestFrame";
        RegisterClassA(&frameClass);
        frame_ = CreateWindowA("TessaryViewTestFrame", "Tessary Plus", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                               width, height, nullptr, nullptr, instance, nullptr);
        CLIENTCREATESTRUCT client = {nullptr, 0xFF00};
        client_ = CreateWindowA("MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, width, height,
                                frame_, nullptr, instance, &client);
        savedMain_ = MainWindow;
        savedClient_ = MdiClientWindow;
        MainWindow = frame_;
        MdiClientWindow = client_;
        if (visible)
            ShowWindow(frame_, SW_SHOWNORMAL);
        RECT area;
        GetClientRect(frame_, &area);
        MoveWindow(client_, 0, 0, area.right, area.bottom, TRUE);
        ResizeBackBuffer();
    }
    ~ViewTestFrame()
    {
        // Documents go without a save prompt.
        while (HWND child = GetWindow(client_, GW_CHILD))
            SendMessageA(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
        MainWindow = savedMain_;
        MdiClientWindow = savedClient_;
        DestroyWindow(frame_);
    }
    ViewTestFrame(const ViewTestFrame&) = delete;
    ViewTestFrame& operator=(const ViewTestFrame&) = delete;

    HWND frame() const { return frame_; }
    HWND client() const { return client_; }
    int DocumentCount() const
    {
        int count = 0;
        for (HWND child = GetWindow(client_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ++count;
        return count;
    }

    static void Pump()
    {
        MSG message;
        for (int round = 0; round < 4; ++round) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            Sleep(5);
        }
    }

    // A PNG of the frame as the screen shows it; its Windows path.
    std::string Screenshot(const std::string& name) const
    {
        RedrawWindow(frame_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE);
        Pump();
        RECT rect;
        GetWindowRect(frame_, &rect);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
        const auto* source = static_cast<const unsigned char*>(bits);
        for (size_t i = 0; bits && i < static_cast<size_t>(width) * height; ++i) {
            rgb[i * 3 + 0] = source[i * 4 + 2];
            rgb[i * 3 + 1] = source[i * 4 + 1];
            rgb[i * 3 + 2] = source[i * 4 + 0];
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        std::string path = TestOutputFolder() + name + ".png";
        if (!bits || !stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3))
            return std::string();
        return path;
    }

private:
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SIZE && MdiClientWindow && GetParent(MdiClientWindow) == window) {
            ResizeFrame(lParam);
            return 0;
        }
        return DefFrameProcA(window, MdiClientWindow && GetParent(MdiClientWindow) == window ? MdiClientWindow : nullptr,
                             message, wParam, lParam);
    }

    HWND frame_ = nullptr;
    HWND client_ = nullptr;
    HWND savedMain_ = nullptr;
    HWND savedClient_ = nullptr;
};
