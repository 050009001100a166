// The program's registry entries, checked at start-up.
#pragma once
#include "common/error_codes.h"

// 0 when the entries are in order or were rewritten.
ErrorCode CheckRegistration();
