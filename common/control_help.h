// What's This help on a dialog's controls, from a table of control ids and
// help topics.
#pragma once
#include <windows.h>

#include <vector>

// For WM_HELP and WM_CONTEXTMENU: shows the topic of the control the message
// names when the pairs (id, topic, ..., 0, 0) list it; false when they do not.
bool ShowControlHelp(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const DWORD* pairs);

// The id of the Help button on the program's own dialog templates.
const int kDialogHelpButton = 9;

// A dialog's help: its own topic, its Help button and the pairs of its
// controls' topics (none: no help on controls).
struct DialogHelp {
    int topic;
    const DWORD* pairs;
    int helpButton = kDialogHelpButton;
};

// The same in a dialog with a Help button: OK and Cancel are left to the
// system, the Help button shows the dialog's own topic, any other control its
// topic of the pairs.
bool ShowDialogControlHelp(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const DialogHelp& help);

// Every way a dialog is asked for help: F1 (the help command) and a click on
// its Help button show the dialog's topic; the caption's question mark and
// right clicks go by its pairs. True when the message was answered.
bool AnswerDialogHelp(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const DialogHelp& help);

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
