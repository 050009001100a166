// Laying the grey dither over a rectangle (disabled buttons, objects whose
// text is being edited).
#pragma once
#include <windows.h>

// ORs the grey pattern (the first of the shared pattern brushes, or a dither
// of our own before they exist) into the rectangle shrunk by 2.
void GrayOutRect(HDC dc, const RECT* rect);
