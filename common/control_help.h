// What's This help on a dialog's controls, from a table of control ids and
// help topics.
#pragma once
#include <windows.h>

#include <vector>

// For WM_HELP and WM_CONTEXTMENU: shows the topic of the control the message
// names when the pairs (id, topic, ..., 0, 0) list it; false when they do not.
bool ShowControlHelp(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const DWORD* pairs);

// The same in a dialog with a Help button: OK and Cancel are left to the
// system, the Help button shows the dialog's own topic, any other control its
// topic of the pairs.
bool ShowDialogControlHelp(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const DWORD* pairs,
                           int dialogTopic);

// A run of control ids that share one help topic.
struct ControlHelpRange {
    int firstId;
    int lastId;
    DWORD topic;
};

// The pairs WinHelp takes, one per control of the ranges, ending with (0, 0).
std::vector<DWORD> ExpandControlHelp(const ControlHelpRange* ranges, size_t count);

template <size_t N>
std::vector<DWORD> ExpandControlHelp(const ControlHelpRange (&ranges)[N])
{
    return ExpandControlHelp(ranges, N);
}
