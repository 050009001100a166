// What the main window's font reset (message 1226) asks of the text engine:
// before the font cache is flushed every editor lets go of its fonts and
// every stored text forgets its cached font handles; afterwards the editors
// make their fonts again.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Over every window below `mainWindow`: editors get TENM_RELEASEFONTS and
// the drawing views' documents ResetTextRunCaches. The first store error is
// returned; the walk goes on.
ErrorCode ReleaseTextFonts(HWND mainWindow);
// Editors get TENM_REBUILDFONTS.
void RebuildTextFonts(HWND mainWindow);
