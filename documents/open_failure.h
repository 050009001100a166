// The warning a failed document open shows, chosen by its code.
#pragma once

#include "common/error_codes.h"

// The string id of the warning for a failed open.
int OpenFailureMessage(ErrorCode code);
void WarnOpenFailed(ErrorCode code);
