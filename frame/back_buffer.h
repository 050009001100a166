// The shared off-screen device context that views paint through and that the
// metafile scan plays records into. Made by the main window; none before.
#pragma once
#include <windows.h>

extern HDC BackBufferDC;
