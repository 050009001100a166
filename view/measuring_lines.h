// The measuring lines pulled out of the rulers, with their marks in the rulers.
#pragma once
#include <windows.h>

// Toggles a one-device-pixel strip: vertical at x = position from y 0 to
// height, or horizontal at y = position from x 0 to width (drawing units).
void DrawMeasureLine(HDC dc, int position, BOOL vertical, int width, int height);
// Toggles the mark in the view's horizontal or vertical ruler; the position is
// in drawing units times the zoom scale.
void DrawHorizontalRulerMark(HWND view, int position);
void DrawVerticalRulerMark(HWND view, int position);
