#include "frame/start_splash.h"

#include "frame/about_box.h"
#include "common/app_globals.h"
#include "resources/dialog_ids.h"

namespace {

const DWORD kSplashSpanMs = 2000;

} // namespace

StartSplash ShowStartSplash()
{
    StartSplash splash = {nullptr, GetTickCount()};
    splash.window = CreateDialogParamA(AppInstance, TEMPLATE_ABOUT, MainWindow, AboutHandler, 0);
    if (splash.window) {
        ShowWindow(GetDlgItem(splash.window, IDOK), SW_HIDE);
        ShowWindow(splash.window, SW_SHOW);
        UpdateWindow(splash.window);
    }
    return splash;
}

// The tick count wraps every 49 days; the unsigned difference still counts right.
bool SplashWaitOver(DWORD startTick, DWORD now, DWORD spanMs)
{
    return now - startTick >= spanMs;
}

void WaitServingPaints(DWORD startTick, DWORD spanMs)
{
    for (;;) {
        const DWORD now = GetTickCount();
        if (SplashWaitOver(startTick, now, spanMs))
            return;
        const DWORD elapsed = now - startTick;
        // Windows keep painting; input and requests from other programs wait
        // for the message loop, when start-up has finished.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, spanMs - elapsed, QS_PAINT);
    }
}

void EndStartSplash(StartSplash* splash)
{
    if (!splash->window)
        return;
    WaitServingPaints(splash->startTick, kSplashSpanMs);
    DestroyWindow(splash->window);
    splash->window = nullptr;
}
