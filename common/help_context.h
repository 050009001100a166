// Context help around the menus: the help file's place, the command noted
// for F1, the F1 hook of the whole run and help for a command in help mode.
#pragma once
#include <windows.h>

// The help file beside the program (string 517).
extern char HelpFilePath[MAX_PATH];
// Set once the help engine was asked for anything.
extern int HelpUsed;
// The engine help goes through (WinHelp); tests put a recorder here, because
// WinHelp without a help file waits on its own question.
typedef BOOL(WINAPI* HelpEngineCall)(HWND, LPCSTR, UINT, ULONG_PTR);
extern HelpEngineCall HelpEngine;
// The Help menu's commands, which belong to the frame; it fills this at
// start-up. Help mode sends the Help menu's own items back there.
typedef int (*HelpCommandCall)(int id);
extern HelpCommandCall HelpMenuCommand;

void MakeHelpFilePath();
// Notes the highlighted menu item for a later F1.
void SetHelpContext(int commandId);
int GetHelpContext();
// F1 in a menu (30001): the topic of the noted command, none when no item
// was noted.
int ShowContextHelp();
// WM_COMMAND while help mode is on: the command's topic instead of the command.
void ShowHelpForCommand(int commandId);
// Help > Using Help.
int ShowHelpOnHelp();
// WM_DESTROY of the main window: the help engine is told when it was used.
void EndHelpSession(HWND mainWindow);
// WH_MSGFILTER hook of the whole run: F1 in an open menu posts 30001.
extern "C" __declspec(dllexport) LRESULT CALLBACK MenuHelpFilter(int code, WPARAM wParam, LPARAM lParam);
