// The tool palette across the top of the main window (dialog MDPALETTE).
#pragma once
#include <windows.h>

extern HWND PaletteWindow;
extern int PaletteWindowHeight;
// The chosen tool's control id (108 the select tool at start), or -1 while a
// library symbol is the placing tool.
extern int CurrentPaletteTool;
extern BOOL PaletteSticky;

INT_PTR CALLBACK PaletteHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void LayOutPalette(HWND palette);
int SelectPaletteTool(int id);
void SetPaletteSticky(BOOL on);
void ShowPaletteButtons(BOOL hide);
void EditPaletteTool();
