// Arrowheads (ARROWS): the marker at each end of the selected lines, whether
// each is set back along the line, and the size, as groups of icon buttons.
#pragma once
#include <windows.h>

#include <cstdint>

// The common size, start and end words in and out; parts the lines differ in
// stay mixed unless chosen. The dialog's result: 1 for OK.
int RunArrowDlg(HGLOBAL drawing, int32_t* size, int32_t* start, int32_t* end);
// Its controls' help topics, as WinHelp takes them.
const DWORD* ArrowHelpPairs();

INT_PTR CALLBACK ArrowDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The preview: a line between two boxes with the chosen heads.
int DrawArrowSample(HDC dc, RECT* client);
