// The tool-tip window class (SEToolTipClass) and the tips' life.
#pragma once
#include <windows.h>

extern const char kToolTipClassName[];

// Registers the class and enables tips; callers ignore the result.
ATOM RegisterToolTipClass(HINSTANCE instance);
// Stops the tip timer, disables tips and deletes the tip brush.
void ShutdownToolTips();
