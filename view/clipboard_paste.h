// Paste from the clipboard scratch store: the copied drawing is merged into
// the target drawing with new object ids, group keys, records and font
// slots, and the pasted objects become the selection.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// `point` (or none) is where the pasted extent's top-left goes; without it
// the last right-button menu point, else the paste position. A given font
// list and font table (none: the scratch store's own) are freed here. 10004
// out of memory, 10010 past the object limit, 1 when no id is left.
ErrorCode PasteFromClipboardStore(HWND view, void* viewRecord, HGLOBAL drawing, const POINT* point,
                                  HGLOBAL fontList, HGLOBAL fontTable);
// Points every character format of a text record at the document's font
// slot the map gives for its pasted slot.
ErrorCode RemapTextFonts(HGLOBAL fontMap, HGLOBAL textRecord);
// A copy of the clipboard's CF_DIB in a new block, or none.
HGLOBAL GetClipboardDib();
// The paste the Edit menu's Paste carries out: our objects, else a metafile
// picture, else a DIB or bitmap picture. `ours` tells whether it was ours.
ErrorCode PasteFromClipboard(HWND view, void* viewRecord, bool* ours);
