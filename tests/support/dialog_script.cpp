#include "support/dialog_script.h"

#include <utility>

namespace {

const UINT kScriptTimerMs = 20;

std::function<void(HWND)> Script;
std::string Caption;
bool ScriptRan = false;
UINT_PTR Timer = 0;

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowA("#32770", Caption.c_str());
    if (!dialog || !IsWindowVisible(dialog) || ScriptRan)
        return;
    KillTimer(nullptr, timer);
    ScriptRan = true;
    Script(dialog);
}

} // namespace

void StartDialogScript(const char* caption, std::function<void(HWND)> script)
{
    Script = std::move(script);
    Caption = caption;
    ScriptRan = false;
    Timer = SetTimer(nullptr, 0, kScriptTimerMs, RunScript);
}

void FinishDialogScript()
{
    KillTimer(nullptr, Timer);
    Timer = 0;
}

bool DialogScriptRan()
{
    return ScriptRan;
}

void ClickDialogButton(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressOk(HWND dialog)
{
    ClickDialogButton(dialog, IDOK);
}

void PressCancel(HWND dialog)
{
    ClickDialogButton(dialog, IDCANCEL);
}
