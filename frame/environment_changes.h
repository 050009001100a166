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
// Flushes the shared fonts; with rebuild the open text editors re-measure.
void ResetSharedFonts(int rebuild);
