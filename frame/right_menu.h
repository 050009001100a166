// The right-button menu of the drawing views (resource RIGHTMENU); several of
// its popups are the menu bar's own.
#pragma once
#include <windows.h>

#include "common/app_globals.h"
#include "common/error_codes.h"

// 0; 1 when RIGHTMENU does not load; 10004 when a bitmap does not load.
ErrorCode BuildRightMenu();
// Detaches the shared popups, then destroys the right-button menu.
void DestroyRightMenu();
// The drawing view's right-button press: the popup of RightMenuKind at the point
// (view client coordinates).
void TrackRightMenu(HWND view, POINT point);
