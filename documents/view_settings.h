// The view's ViewSettings block in window word 0: made with the view, read
// and changed by zoom, layout, scrolling and painting.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"

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

// A negative zoom asks for a fit mode: the fit flag is set and the zoom kept 0.
ErrorCode InitViewSettings(HWND view, int extentX, int extentY, int zoom, int flags);
// Frees the movable block held in a window word and clears the word.
void FreeWindowBlock(HWND window, int word);
// A copy of the view's settings; false when it has none.
bool ReadViewSettings(HWND view, ViewSettings* settings);
void WriteViewSettings(HWND view, const ViewSettings& settings);
inline bool InFitMode(const ViewSettings& settings) { return (settings.flags & kViewFitMode) != 0; }
