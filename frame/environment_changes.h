// Changes of the environment: system colours, WIN.INI, printers, fonts and
// the system palette.
#pragma once
#include <windows.h>

void OnSystemColorsChanged();
void OnWinIniChanged(const char* section);
void OnDeviceModeChanged(const char* device);
void OnFontsChanged();
LRESULT OnQueryNewPalette();
void OnPaletteChanged(HWND changer);
// Flushes the shared fonts and every document's undo step; with rebuild the
// open text editors make their fonts again at once.
void ResetSharedFonts(int rebuild);
// The default printer changed: the documents printing on it take it again.
void ApplyDefaultPrinterChange();
// Realizes the view's palette (none: the active view's); 1 when it has one.
int RealizeViewPalette(HWND view, bool background);
