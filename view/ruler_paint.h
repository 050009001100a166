// Painting the rulers and the corner box, and the pointer read-out in it.
// Ruler units are hundredths of an inch; the zoom enters the positions.
#pragma once
#include <windows.h>

#include "view/ruler_scale.h"

const int kRulerThicknessUnits = 26;

// With a ruler window the scale is its drawing's and the zoom its view's;
// without one (a dialog's preview) the given scale at zoom 0. The scale used
// comes back.
RulerScaleValues DrawHorizontalRuler(HWND ruler, HDC dc, const RECT* rect, const RulerScaleValues* scale);
RulerScaleValues DrawVerticalRuler(HWND ruler, HDC dc, const RECT* rect, const RulerScaleValues* scale);
void DrawRulerCorner(HWND corner, HDC dc, const RECT* rect);
// point none: the pointer's position now.
void ShowPointerPosition(HWND view, const POINT* point);
// The label of major index i (value label step x k x i).
void FormatRulerLabel(double labelStep, int k, int index, char* text, int size);
// The ViewRecord handle of a ruler's view.
HGLOBAL GetRulerViewRecord(HWND ruler);
