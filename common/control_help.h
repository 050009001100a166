// What's This help on a dialog's controls, from a table of control ids and
// help topics.
#pragma once
#include <windows.h>

// For WM_HELP and WM_CONTEXTMENU: shows the topic of the control the message
// names when the pairs (id, topic, ..., 0, 0) list it; false when they do not.
bool ShowControlHelp(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const DWORD* pairs);
