// The preview of a dialog (class SESAMPLEWIN): it paints through the painter
// its dialog put into window word 0, and tells its dialog of a click.
#pragma once
#include <windows.h>

const int kSamplePainterWord = 0;

LRESULT CALLBACK SESampleWin(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Paints the preview again now, after a value it shows changed.
void RefreshSampleWindow(HWND window);
