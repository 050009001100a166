// Telling the user why an edit failed.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Shows the warning for an edit's error code.
void ReportEditError(ErrorCode code);
