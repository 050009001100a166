// The preview of a dialog (class SESAMPLEWIN): it paints through the painter
// its dialog put into window word 0, and tells its dialog of a click.
#pragma once
#include <windows.h>

const int kSamplePainterWord = 0;

LRESULT CALLBACK SESampleWin(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Paints the preview again now, after a value it shows changed.
void RefreshSampleWindow(HWND window);
// The start every painter shares: the zoom mapping at the given units per
// inch, a transparent background, and the client rectangle in logical units
// filled with `brush`, which is returned.
RECT BeginSamplePaint(HDC dc, const RECT* client, int unitsPerInch, HBRUSH brush);
