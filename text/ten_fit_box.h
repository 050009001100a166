// Fitting an editor's box to its text at the box's width-to-height ratio.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"

// Fills size[0] and size[1] (logical width and height) with the box for a
// height change `heightChange` and records the height granted as the
// text's needed height. This version makes no probes: a growth keeps the
// box's ratio at the new height, a shrink keeps the box.
ErrorCode FitTenBoxToText(HWND window, HGLOBAL stateHandle, int heightChange, int32_t* size, int keep);
