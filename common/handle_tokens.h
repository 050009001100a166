// Memory handles kept in 32-bit words (index entries, drawing records). A global
// memory handle is an address on 64-bit Windows, so those words hold a token of
// this program-wide table instead; 0 is no handle. Tokens live only while the
// program runs and are never stored in a file.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// A new token naming the handle.
uint32_t AddHandleToken(HGLOBAL handle);
// The handle a token names; none for 0 or a freed token.
HGLOBAL TokenHandle(uint32_t token);
// Points a live token at a new handle (after a reallocation moved the block).
void SetTokenHandle(uint32_t token, HGLOBAL handle);
void FreeHandleToken(uint32_t token);
size_t TokensInUse();
