// Keeping a window's owned top-level windows (floating library windows)
// above it after it comes to the front.
#pragma once
#include <windows.h>

// Posted to the owner when it is activated or the keyboard focus moves into
// it; its handler calls LiftOwnedWindows once the change is over.
const UINT kMsgLiftOwnedWindows = WM_APP + 1;

// Under Wine every focus change into a top-level window raises it on the
// screen over the windows it owns. While watched (a thread hook), the
// owner's activation and any focus change into it post kMsgLiftOwnedWindows
// to the owner.
void WatchOwnerFocus(HWND owner);
void StopWatchingOwnerFocus();

// Brings every visible window owned by `owner` (of this thread) back above
// it, keeping their order among themselves, without activating any.
void LiftOwnedWindows(HWND owner);
