// Commands on the selected objects, reported the way the edit commands are:
// the model hands back its code and warning, the view shows them.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Changes the selected objects (ApplyToSelection) and shows the warning the
// change left.
ErrorCode ApplyToSelectionWarning(HWND view, int message, INT_PTR value, INT_PTR pointer, int insideStep);
// The same as a command of its own: its step, the warning and the report.
void RunSelectionCommand(HWND view, int message, INT_PTR value, INT_PTR pointer);
