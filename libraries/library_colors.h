// The colours the open library windows contribute to a document's palette.
#pragma once
#include <windows.h>

// Appends to a LOGPALETTE being built the distinct colours of the open library
// windows' palettes until it holds 256 entries, and updates its count.
void MergeLibraryColors(LOGPALETTE* palette);
