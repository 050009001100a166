// Testing and copying movable global memory blocks.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// 1 when the movable block has been discarded, else 0.
int IsHandleDiscarded(HGLOBAL handle);

// Copies the whole of `source` (its GlobalSize) to the start of `target`.
// 10004 when a block cannot be locked or `target` is smaller than `source`;
// nothing is copied then.
ErrorCode CopyGlobalContents(HGLOBAL target, HGLOBAL source);
