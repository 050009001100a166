// The About box shown modeless, without its OK button, while start-up runs.
#pragma once
#include <windows.h>

struct StartSplash {
    HWND window;
    DWORD startTick;
};

// Takes the start time and shows the splash owned by the main window.
StartSplash ShowStartSplash();
// Waits until two seconds have passed since the start time, serving paints
// meanwhile, then removes the splash.
void EndStartSplash(StartSplash* splash);
// True once `spanMs` have passed from `startTick` to `now`, across the
// tick count's wrap too.
bool SplashWaitOver(DWORD startTick, DWORD now, DWORD spanMs);
// The wait of EndStartSplash on its own, for a given span.
void WaitServingPaints(DWORD startTick, DWORD spanMs);
