#include "common/help_filter.h"

HHOOK HelpFilterHook = nullptr;

LRESULT CALLBACK HelpFilter(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message && message->message == WM_KEYDOWN && message->wParam == VK_F1) {
        // The dialog the focus is in answers, not the control.
        HWND dialog = GetAncestor(message->hwnd, GA_ROOT);
        if (dialog) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kContextHelpCommand, 0), 0);
            return 1;
        }
    }
    return CallNextHookEx(HelpFilterHook, code, wParam, lParam);
}

void InstallHelpFilter()
{
    if (!HelpFilterHook)
        HelpFilterHook = SetWindowsHookExA(WH_MSGFILTER, HelpFilter, nullptr, GetCurrentThreadId());
}

void RemoveHelpFilter()
{
    if (HelpFilterHook)
        UnhookWindowsHookEx(HelpFilterHook);
    HelpFilterHook = nullptr;
}
