// A file is replaced by writing its successor beside it under a name that
// differs in the last character, and moving that over it once complete.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// `path` with its last character replaced by "$" ("~" when it already is
// "$", so the two names always differ); `size` bytes at `temporary`.
void ReplacementNameOf(const char* path, char* temporary, int size);
// Written data reaches the disk before anything relies on it: 10003 when the
// file cannot be opened or flushed.
ErrorCode FlushFileByName(const char* path);
// The complete successor takes the name; 10003 when the move fails, the old
// file and the successor then both stay as they were.
ErrorCode PutReplacementInPlace(const char* temporary, const char* path);
