// Showing the selection's text style on the tool palette.
#pragma once
#include <windows.h>

void UpdateTextFormatBar(HWND view);
