// Whole-text mode, the measuring DC and releasing and rebuilding fonts.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "text/ten_state.h"

ErrorCode SetTenWholeText(HWND window, TenState* state, int flags, int on);
ErrorCode SetTenMeasureDC(HWND window, TenState* state, HDC dc);
void ReleaseTenFonts(TenState* state);
