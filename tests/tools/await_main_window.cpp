// Used by `run.sh` when it checks the start command: waits for the program's
// main window and prints its title (exit code 0, or 1 when it did not come up
// within the timeout); with "close" it then asks the window to close and waits
// for it to go (exit code 2 when it stays).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

const DWORD kDefaultTimeoutMs = 60000;
const DWORD kPollMs = 100;
const DWORD kIdleMs = 3000;
const DWORD kCloseWaitMs = 15000;   // past the start-up splash, so the screenshot shows the program

} // namespace

int main(int argc, char** argv)
{
    const DWORD timeoutMs = argc > 1 ? static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)) : kDefaultTimeoutMs;
    const DWORD start = GetTickCount();
    HWND main = nullptr;
    while (!(main = FindWindowA("TYMainClass", nullptr))) {
        if (GetTickCount() - start > timeoutMs) {
            std::printf("no main window within %lu ms\n", timeoutMs);
            return 1;
        }
        Sleep(kPollMs);
    }
    Sleep(kIdleMs);
    char title[256] = "";
    GetWindowTextA(main, title, sizeof(title));
    std::printf("main window up: \"%s\" after %lu ms\n", title, GetTickCount() - start);
    std::fflush(stdout);
    if (argc > 2 && lstrcmpiA(argv[2], "close") == 0) {
        PostMessageA(main, WM_CLOSE, 0, 0);
        const DWORD closing = GetTickCount();
        while (IsWindow(main)) {
            if (GetTickCount() - closing > kCloseWaitMs) {
                std::printf("the main window did not close\n");
                return 2;
            }
            Sleep(kPollMs);
        }
    }
    return 0;
}
