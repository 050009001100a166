// Watches for message boxes of this process from a helper thread, notes their
// caption and texts and closes each with a chosen button, so a test that shows
// a box never waits for a click.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SeenBox {
    std::string caption;
    std::vector<std::string> texts; // texts of the box's child windows
};

class BoxWatcher {
public:
    explicit BoxWatcher(int button = IDOK) : button_(button), thread_([this] { Run(); }) {}
    ~BoxWatcher()
    {
        stop_ = true;
        thread_.join();
    }
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    std::vector<SeenBox> Seen()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

private:
    static std::string TextOf(HWND window)
    {
        char text[2048] = "";
        GetWindowTextA(window, text, sizeof(text));
        return text;
    }

    static BOOL CALLBACK CollectChild(HWND child, LPARAM param)
    {
        reinterpret_cast<SeenBox*>(param)->texts.push_back(TextOf(child));
        return TRUE;
    }

    static BOOL CALLBACK FindBox(HWND window, LPARAM param)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[64] = "";
        GetClassNameA(window, className, sizeof(className));
        if (process == GetCurrentProcessId() && strcmp(className, "#32770") == 0 && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(param) = window;
            return FALSE;
        }
        return TRUE;
    }

    void Run()
    {
        while (!stop_) {
            HWND box = nullptr;
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
            if (box) {
                SeenBox seen;
                seen.caption = TextOf(box);
                EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&seen));
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    seen_.push_back(seen);
                }
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
                // Wait for it to go so the next box is never taken for this one.
                while (!stop_ && IsWindow(box))
                    Sleep(5);
            }
            Sleep(10);
        }
    }

    int button_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::thread thread_;
};
