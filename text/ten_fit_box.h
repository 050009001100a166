// Fitting an editor's box to its text at the box's width-to-height ratio.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"

// Looks for the height between the box's H and H + heightChange at which the
// text just fits, keeping the ratio; size[0], size[1] get that box. The
// height granted becomes the text's needed height. With `keep` the margins
// stay as computed for the last probe.
ErrorCode FitTenBoxToText(HWND window, HGLOBAL stateHandle, int heightChange, int32_t* size, int keep);
