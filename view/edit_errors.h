// Telling the user why an edit failed.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Shows the warning for an edit's error code.
void ReportEditError(ErrorCode code);
// Changes the selected objects (ApplyToSelection) and shows the warning the
// change left.
ErrorCode ApplyToSelectionWarning(HWND view, int message, INT_PTR value, INT_PTR pointer, int insideStep);
// The same as a command of its own: its step, the warning and the report.
void RunSelectionCommand(HWND view, int message, INT_PTR value, INT_PTR pointer);
