#include "common/control_help.h"

#include "common/help_context.h"
#include "common/help_filter.h"
#include "common/help_mode.h"

namespace {

bool ListsControl(const DWORD* pairs, int id)
{
    for (const DWORD* p = pairs; *p; p += 2) {
        if (static_cast<int>(*p) == id)
            return true;
    }
    return false;
}

HWND ControlOfMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELP)
        return static_cast<HWND>(reinterpret_cast<HELPINFO*>(lParam)->hItemHandle);
    return reinterpret_cast<HWND>(wParam);
}

} // namespace

bool ShowControlHelp(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const DWORD* pairs)
{
    HWND control = ControlOfMessage(message, wParam, lParam);
    if (!control || GetParent(control) != dialog || !ListsControl(pairs, GetDlgCtrlID(control)))
        return false;
    if (HelpEngine) {
        HelpEngine(control, HelpFilePath, message == WM_HELP ? HELP_WM_HELP : HELP_CONTEXTMENU,
                   reinterpret_cast<ULONG_PTR>(pairs));
    }
    return true;
}

bool ShowDialogControlHelp(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const DialogHelp& help)
{
    HWND control = ControlOfMessage(message, wParam, lParam);
    if (!control || GetParent(control) != dialog)
        return false;
    const int id = GetDlgCtrlID(control);
    if (id == IDOK || id == IDCANCEL)
        return false;
    if (id == help.helpButton) {
        ShowHelpTopic(help.topic);
        return true;
    }
    return ShowControlHelp(dialog, message, wParam, lParam, help.pairs);
}

bool AnswerDialogHelp(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const DialogHelp& help)
{
    if (message == WM_HELP || message == WM_CONTEXTMENU)
        return help.pairs && ShowDialogControlHelp(dialog, message, wParam, lParam, help);
    if (message != WM_COMMAND)
        return false;
    const int id = LOWORD(wParam);
    const bool helpButtonClicked = id == help.helpButton && HIWORD(wParam) == BN_CLICKED;
    if (!helpButtonClicked && id != kContextHelpCommand)
        return false;
    if (help.topic)
        ShowHelpTopic(help.topic);
    return true;
}

std::vector<DWORD> ExpandControlHelp(const ControlHelpRange* ranges, size_t count)
{
    std::vector<DWORD> pairs;
    for (size_t i = 0; i < count; ++i) {
        for (int id = ranges[i].firstId; id <= ranges[i].lastId; ++id) {
            pairs.push_back(static_cast<DWORD>(id));
            pairs.push_back(ranges[i].topic);
        }
    }
    pairs.push_back(0);
    pairs.push_back(0);
    return pairs;
}
