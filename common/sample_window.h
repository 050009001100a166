// The preview of a dialog (class SESAMPLEWIN): it paints through the painter
// its dialog put into window word 0, and tells its dialog of clicks.
#pragma once
#include <windows.h>

#include "common/dialog_exchange.h"

// Window words, each pointer-sized.
enum SampleWindowWord : int {
    kSamplePainterWord = 0,                          // SamplePainter, or none
    kSampleMemoryDCWord = sizeof(LONG_PTR),          // made at creation
    kSampleBitmapWord = 2 * sizeof(LONG_PTR),        // the memory DC's bitmap
    kSampleCursorWord = 3 * sizeof(LONG_PTR),        // SampleCursorSetter, or none
};
const int kSampleWindowBytes = 4 * sizeof(LONG_PTR);
typedef void (*SampleCursorSetter)(HWND window);

// Notification codes in the high word of the WM_COMMAND sent to the parent.
enum SampleNotification : WORD {
    kSampleClicked = 0,
    kSampleDoubleClicked = 5,
};

LRESULT CALLBACK SampleWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Paints the preview again now through its memory DC, after a value it shows
// changed; nothing without a memory DC or a painter.
void RefreshSampleWindow(HWND window);

// The bitmap window (class SEBMWWIN): shows the bitmap resource named by its
// own control id, sized to it.
LRESULT CALLBACK BitmapWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The start every painter shares: the zoom mapping at the given units per
// inch, a transparent background, and the client rectangle in logical units
// filled with `brush`, which is returned.
RECT BeginSamplePaint(HDC dc, const RECT* client, int unitsPerInch, HBRUSH brush);
