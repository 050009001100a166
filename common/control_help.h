// What's This help on a dialog's controls, from a table of control ids and
// help topics.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <vector>

// For WM_HELP and WM_CONTEXTMENU: shows the topic of the control the message
// names when the pairs (id, topic, ..., 0, 0) list it; false when they do not.
bool ShowControlHelp(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const DWORD* pairs);

// Controls first..last share one help topic.
struct ControlHelpRange {
    int first;
    int last;
    DWORD topic;
};

// The (id, topic, ..., 0, 0) pairs of the ranges, for ShowControlHelp and the
// help engine.
std::vector<DWORD> ControlHelpPairs(std::initializer_list<ControlHelpRange> ranges);
