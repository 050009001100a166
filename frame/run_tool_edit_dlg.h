// The tool-bar slot dialog (TOOLEDIT) behind a shape tool of the palette.
#pragma once
#include <windows.h>

// Edits the options' tool-bar slot; TRUE when the user confirmed.
BOOL RunToolEditDlg(int slot);
// Its controls' help topics, as WinHelp takes them.
const DWORD* ToolEditHelpPairs();
INT_PTR CALLBACK ETBDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The preview painter: the slot's shape, as large as the preview allows.
int DrawETBSample(HDC dc, RECT* client);
