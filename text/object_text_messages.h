// The text-attribute kind messages on an object's stored text.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Messages 13..23 and 85 on the text of the object's text holder.
ErrorCode ApplyObjectTextMessage(void* drawing, void* table, int index, int message, INT_PTR a, INT_PTR c);
