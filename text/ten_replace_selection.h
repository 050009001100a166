// Replacing an editor's selection by a string, keeping the styles of the
// replaced characters.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// *change gets the new length less the replaced length.
ErrorCode ReplaceTenSelection(HWND editor, const char* text, int* change);
