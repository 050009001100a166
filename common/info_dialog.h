// The one-time notices and hints (dialog templates INFO_... and HINT_...).
#pragma once
#include <windows.h>

// The options' "show hints" flag, which lives above this folder; the frame
// fills these at start-up. Without them the hint box shows unticked and is
// not stored.
struct HintsFlagCalls {
    bool (*get)();
    void (*set)(bool on);
};
extern HintsFlagCalls HintsFlag;

// Shows the notice or hint template modally over the main window with its
// help topic: 1 for OK (Continue), 0 for Cancel, and 0 without showing
// anything while the main window is hidden or, for a HINT_ template, while
// the program only serves a container.
int ShowInfoDialog(const char* templateName, int helpTopic);

// False while the main window is hidden: ShowInfoDialog would show nothing.
bool NoticesCanShow();

INT_PTR CALLBACK InfoDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
