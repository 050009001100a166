// Checking a text block from outside (the clipboard, where another program
// may have put "TENClipClass" data, or a store) before any of it is used.
#pragma once
#include <windows.h>

// True when the counts fit the block's `size` bytes and the limits (32767
// bytes of text, 500 paragraph records), the formats cover the text in
// order and every paragraph index names a record of the block.
bool CheckTextBlock(const void* block, SIZE_T size);
