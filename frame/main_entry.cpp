// Program entry: the main window and the message loop.
#include <windows.h>

#include "common/results.h"
#include "frame/app_globals.h"
#include "frame/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    AppInstance = instance;
    if (!RegisterMainWindowClass(instance) || !CreateMainWindow(instance, showCommand)) {
        AppMessageBox(0, MB_OK);
        return kErrWindowOrCursor;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
