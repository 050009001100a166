// Breaking an editor's text into laid-out lines and runs, incrementally
// after edits.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "text/ten_state.h"

const int kLayoutToEnd = 0x7fff;

// Lays the text out from line `firstLine`; stops when a new line begins
// where an old line from `resyncLine` on began. The lines to repaint are
// [*firstChanged, *endChanged). 10004 when an array cannot grow.
ErrorCode LayoutText(HWND window, TenState* state, int firstLine, int resyncLine, int* endChanged,
                     int* firstChanged);
// The bytes a whole-text block of the live text would take.
unsigned long TextBlockBytesOfState(const TenState* state, int paragraphCount);
