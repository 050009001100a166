// The drawing view's zoom as its ViewSettings block (window word 0) keeps it:
// drawing-area width and height, zoom per mille (0 is 100 per cent) and the
// fit flags (1 a fit mode, 2 the fit mode is Fit to Page).
#pragma once
#include <windows.h>

#include <cstdint>

#include "documents/view_settings.h"

// The zoom per mille; `fitToWindow` (or none) gets 1 in the Fit to Window
// mode. 0 and no fit for a window without settings.
int GetViewZoom(HWND view, int* fitToWindow);

// The zoom menu steps and the fit computations.
const int kZoomIn = 1;
const int kZoomOut = -1;
const int kZoomCustom = 5000;
const int kFitToWindowMost = 350;
const int kRulerZoomLeast = 75;

// What a zoom request comes to: the new value, mode (0 fixed, 1 the fit
// computation of Fit to Window, 2 Fit to Page) and whether Fit to Page is
// what the settings record. False when nothing changes.
struct ZoomDecision {
    int value;
    int mode;
    bool page;
};
bool DecideZoom(const ViewSettings& settings, int value, int mode, ZoomDecision* decision);

// Puts the view's context and an open editor on a new zoom; mode 0 fixed,
// 1 or 2 the fit modes.
void ApplyViewZoom(HWND view, int zoom, int mode);
// The fit zoom for `available` pixels; applies it when it changed.
int ComputeFitZoom(HWND view, ViewSettings* settings, SIZE available);
