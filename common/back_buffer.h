// The shared off-screen device context that views paint through after a
// change that would flicker, and that picture export and the metafile scan
// use. It has the main window's client size; none before the first resize.
#pragma once
#include <windows.h>

extern HDC BackBufferDC;
extern HBITMAP BackBufferBitmap;
extern HBITMAP BackBufferFirstBitmap;

// The buffer's size in pixels; zero without one.
SIZE BackBufferSize();
// Makes the buffer the main window's client size (its WM_SIZE).
void ResizeBackBuffer();
