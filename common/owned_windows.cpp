#include "common/owned_windows.h"

#include <vector>

namespace {

struct OwnedWindows {
    HWND owner;
    std::vector<HWND> found;   // top first
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM data)
{
    auto* owned = reinterpret_cast<OwnedWindows*>(data);
    if (GetWindow(window, GW_OWNER) == owned->owner && IsWindowVisible(window) && !IsIconic(window))
        owned->found.push_back(window);
    return TRUE;
}

const UINT kLiftFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

HHOOK FocusHook = nullptr;
HWND WatchedOwner = nullptr;

bool LiftQueued()
{
    MSG queued;
    return PeekMessageA(&queued, WatchedOwner, kMsgLiftOwnedWindows, kMsgLiftOwnedWindows, PM_NOREMOVE | PM_NOYIELD) !=
           FALSE;
}

LRESULT CALLBACK FocusWatch(int code, WPARAM wParam, LPARAM lParam)
{
    // A click activates the owner without a SetFocus call of its own.
    HWND target = reinterpret_cast<HWND>(wParam);
    const bool intoOwner = (code == HCBT_SETFOCUS || code == HCBT_ACTIVATE) && target &&
                           GetAncestor(target, GA_ROOT) == WatchedOwner;
    if (intoOwner && !LiftQueued())
        PostMessageA(WatchedOwner, kMsgLiftOwnedWindows, 0, 0);
    return CallNextHookEx(FocusHook, code, wParam, lParam);
}

} // namespace

void WatchOwnerFocus(HWND owner)
{
    StopWatchingOwnerFocus();
    WatchedOwner = owner;
    FocusHook = SetWindowsHookExA(WH_CBT, FocusWatch, nullptr, GetCurrentThreadId());
}

void StopWatchingOwnerFocus()
{
    if (FocusHook)
        UnhookWindowsHookEx(FocusHook);
    FocusHook = nullptr;
    WatchedOwner = nullptr;
}

void LiftOwnedWindows(HWND owner)
{
    if (!owner)
        return;
    OwnedWindows owned = {owner, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectOwned, reinterpret_cast<LPARAM>(&owned));
    // The lowest first, so the top one ends on top again. HWND_TOP would be
    // skipped as a no-op while the window still heads Wine's z-order list,
    // though its X server already shows the owner over it (Wine raises the
    // focus window's X window behind the list's back). Asked to go below its
    // owner, an owned window stays above it instead, and Wine then restacks
    // it on the screen.
    for (auto it = owned.found.rbegin(); it != owned.found.rend(); ++it)
        SetWindowPos(*it, owner, 0, 0, 0, 0, kLiftFlags);
}
