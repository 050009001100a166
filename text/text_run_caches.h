// Dropping the font handles cached in a document's stored texts.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Every format of every text record of the view record's store loses its
// cached font handle; the first failing store call ends it with its code.
ErrorCode ResetTextRunCaches(void* viewRecord);
