// Making and ending an editor's state, and loading and building its text
// blocks.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "text/ten_state.h"

// Text-block load flags: repaint, and keep the box size.
const int kSetBlockRepaint = 2;
const int kSetBlockNoAutoSize = 0x100;

ErrorCode CreateTenState(HWND window, const TenCreateParams* params);
int DestroyTenState(HWND window);
// Makes the state anew from `params` in an editor that has one, keeping its
// DCs and offscreen bitmap.
ErrorCode ResetTenState(HWND window, const TenCreateParams* params);
void FreeTenArrays(TenTextState* state);
// Loads a block of `blockSize` bytes (none: an empty text). A block whose
// counts do not fit its size or the limits is refused with 10004 and the
// editor keeps its text.
ErrorCode SetTenTextBlock(HWND window, int flags, const void* block, SIZE_T blockSize);
HGLOBAL GetTenTextBlock(HWND window, uint32_t flags);
int SetTenBreakAreas(HWND window, HGLOBAL list, int count);
// The index of the last break area whose width differs from the one before.
int ComputeLastWidthChange(HGLOBAL list, int count);
