// Pictures taken from the clipboard (or a METAFILEPICT given by the caller).
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// The metafile of a METAFILEPICT block (none: the clipboard's CF_METAFILEPICT;
// the clipboard must be open), scanned, with its bits in a new zero-filled
// block. Size in drawing units from the suggested HIMETRIC size (50 for a
// side of 0 or less); bounds from the scan's first window extent. 1 when
// there is no picture or no memory, 10013 when the scan refuses it. The
// metafile is deleted afterwards, a given one too.
ErrorCode ReadMetafilePict(HGLOBAL* block, RECT* size, RECT* bounds, int* colorCount, COLORREF* colors,
                           int* scanFlags, HGLOBAL metafilePict);

// The clipboard's CF_BITMAP (with CF_PALETTE) as a packed DIB block, or none.
HGLOBAL GetClipboardBitmapAsDib(HWND window);
