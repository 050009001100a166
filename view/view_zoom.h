// The drawing view's zoom as its ViewSettings block (window word 0) keeps it:
// drawing-area width and height, zoom per mille (0 is 100 per cent) and the
// fit flags (1 a fit mode, 2 the fit mode is Fit to Page).
#pragma once
#include <windows.h>

#include <cstdint>

#pragma pack(push, 4)
struct ViewSettings {
    int32_t extentX;
    int32_t extentY;
    int32_t zoom;
    int32_t flags;
};
#pragma pack(pop)
static_assert(sizeof(ViewSettings) == 16, "view settings");

enum ViewSettingsFlags : int32_t {
    kViewFitMode = 1,
    kViewFitPage = 2,
};

// The zoom per mille; `fitToWindow` (or none) gets 1 in the Fit to Window
// mode. 0 and no fit for a window without settings.
int GetViewZoom(HWND view, int* fitToWindow);
