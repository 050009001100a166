#include "common/control_help.h"

#include "common/help_context.h"

namespace {

bool ListsControl(const DWORD* pairs, int id)
{
    for (const DWORD* p = pairs; *p; p += 2) {
        if (static_cast<int>(*p) == id)
            return true;
    }
    return false;
}

} // namespace

bool ShowControlHelp(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const DWORD* pairs)
{
    HWND control = message == WM_HELP ? static_cast<HWND>(reinterpret_cast<HELPINFO*>(lParam)->hItemHandle)
                                      : reinterpret_cast<HWND>(wParam);
    if (!control || GetParent(control) != dialog || !ListsControl(pairs, GetDlgCtrlID(control)))
        return false;
    if (HelpEngine) {
        HelpEngine(control, HelpFilePath, message == WM_HELP ? HELP_WM_HELP : HELP_CONTEXTMENU,
                   reinterpret_cast<ULONG_PTR>(pairs));
    }
    return true;
}

std::vector<DWORD> ControlHelpPairs(std::initializer_list<ControlHelpRange> ranges)
{
    std::vector<DWORD> pairs;
    for (const ControlHelpRange& range : ranges) {
        for (int id = range.first; id <= range.last; ++id) {
            pairs.push_back(static_cast<DWORD>(id));
            pairs.push_back(range.topic);
        }
    }
    pairs.push_back(0);
    pairs.push_back(0);
    return pairs;
}
