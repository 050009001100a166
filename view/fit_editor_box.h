// Placing the text editor over a shape while its box grows or shrinks.
#pragma once
#include <windows.h>

#include <cstdint>

// The view's answer to the editor's request for a box of size[0] x size[1]
// drawing units: the editor moves so that the box grows the way its text is
// aligned and stays inside the drawing area. Always 1.
LRESULT FitEditorBox(HWND view, int32_t* size);

// The box (left, top, right, bottom) grown to the requested size by the
// alignments (horizontal 2 right, 6 centre; vertical 6 middle, 8 bottom) and
// kept inside an area of width x height.
RECT PlaceEditorBox(const RECT& box, int width, int height, int horizontal, int vertical, int areaWidth,
                    int areaHeight);
