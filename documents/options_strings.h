// Bounded copies into the options' fixed string fields.
#pragma once
#include <windows.h>

#include <cstddef>

// Copies at most 261 characters and always terminates.
void CopyOptionsPath(char* target, const char* source);
// Appends as much as fits in 261 characters.
void AppendOptionsPath(char* target, const char* source);
// Copies at most 31 characters into a 32-byte face field.
void CopyFaceName(char* target, const char* source);
// Copies at most `count` bytes of `source` (which need not be terminated)
// into a field of `size` bytes, cut to size - 1 characters.
void CopyBoundedString(char* target, size_t size, const char* source, size_t count);
