// The drawing view that something dragged in from outside (a palette button,
// a library symbol) is over.
#pragma once
#include <windows.h>

// The active document's drawing view, with a drawing, when the pointer lies
// in its client area, and the pointer in its client coordinates; null
// otherwise.
HWND ActiveViewUnderPointer(POINT* client);
