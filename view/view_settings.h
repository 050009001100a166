// The view's ViewSettings block in window word 0: made with the view, read
// and changed by zoom, layout, scrolling and painting.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "view/view_zoom.h"

// A negative zoom asks for a fit mode: the fit flag is set and the zoom kept 0.
ErrorCode InitViewSettings(HWND view, int extentX, int extentY, int zoom, int flags);
// Frees the movable block held in a window word and clears the word.
void FreeWindowBlock(HWND window, int word);
// A copy of the view's settings; false when it has none.
bool ReadViewSettings(HWND view, ViewSettings* settings);
void WriteViewSettings(HWND view, const ViewSettings& settings);
inline bool InFitMode(const ViewSettings& settings) { return (settings.flags & kViewFitMode) != 0; }
