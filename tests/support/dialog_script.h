// Runs a dialog of the program in-process while a script acts on it once it
// is up, as a person would with the keys.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Starts a timer that hands the dialog titled `caption` to `script` once it is
// visible; the timer is stopped by FinishDialogScript.
void StartDialogScript(const char* caption, std::function<void(HWND)> script);
void FinishDialogScript();
// Whether the last script found its dialog and ran.
bool DialogScriptRan();

// Runs `run` while `script` acts on the dialog titled `caption`.
template <typename Run>
auto WithDialog(const char* caption, std::function<void(HWND)> script, Run run)
{
    StartDialogScript(caption, std::move(script));
    auto result = run();
    FinishDialogScript();
    return result;
}

// A button's click as the dialog receives it.
void ClickDialogButton(HWND dialog, int id);
void PressOk(HWND dialog);
void PressCancel(HWND dialog);
