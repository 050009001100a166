// Starting, stepping and ending the one tracking of the drawing views.
#pragma once
#include <windows.h>

// Points are device points of the view; the default size (or none) is in
// drawing units.
void StartTracking(HWND view, void* viewRecord, int toolCode, int paletteSlot, int parameter, int x, int y,
                   WPARAM keys, const SIZE* defaultSize);
void TrackMouse(HWND view, void* viewRecord, int x, int y);
void EndTracking(HWND view, void* viewRecord, int x, int y, WPARAM keys);
// Mode 18 without a press: an object of the default size follows the pointer.
void BeginPlaceTracking(HWND view, void* viewRecord, int x, int y, int kind, int paletteSlot, int parameter,
                        SIZE defaultSize);
// The double-click action on an object at a device point of the view.
void DoubleClickObject(HWND view, POINT point);
