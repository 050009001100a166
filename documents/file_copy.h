// Copying the bytes of one open file into another.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Copies `length` bytes from the start of `source` to the start of `target`
// in pieces of at most 30000 bytes; 10003 when a read or write fails or the
// source ends before the length.
ErrorCode CopyFileBytes(HFILE source, HFILE target, LONG length);
