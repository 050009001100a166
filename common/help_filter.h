// The message-filter hook installed around modal dialogs: F1 becomes the
// dialog's help command.
#pragma once
#include <windows.h>

const int kContextHelpCommand = 30001;

extern HHOOK HelpFilterHook;

LRESULT CALLBACK HelpFilter(int code, WPARAM wParam, LPARAM lParam);
// Installs the hook for this thread (into HelpFilterHook) and removes it.
void InstallHelpFilter();
void RemoveHelpFilter();
