// The logical palette of a drawing view on a 256-colour display: the 48
// standard colours, the document colour list, the colours of the drawing's
// pictures and, while there is room, those of the open symbol libraries.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

const int kPaletteEntries = 256;

// A LOGPALETTE (version 0x300) with room for 256 entries.
struct PaletteBuffer {
    WORD version;
    WORD count;
    PALETTEENTRY entries[kPaletteEntries];
};
static_assert(sizeof(PaletteBuffer) == 4 + 4 * kPaletteEntries, "palette buffer");

// Fills the buffer as the palette of the view record's document (steps that
// need no display); returns the record-store error met while reading, or 0.
ErrorCode BuildDocumentPalette(void* viewRecord, PaletteBuffer* palette);

// The library windows sit above the documents; the frame fills this at
// start-up with the step that appends the open libraries' colours.
typedef void (*LibraryColorsCall)(LOGPALETTE* palette);
extern LibraryColorsCall MergeLibraryColorsCall;

// Gives back an earlier document palette and, on an 8-bit display, builds,
// selects and realizes a new one in the view's context and hands it to an
// open text editor. Returns 0 or the store error met while reading.
ErrorCode RealizeDocumentPalette(HWND view, void* viewRecord);

// The palette of a DIB's colour table (2, 16 or 256 entries for 1, 4 or 8
// bits per pixel, none for other depths, and none when `bytes` does not hold
// the table); the entry count is also returned.
int LogPaletteFromDib(PaletteBuffer* palette, const BITMAPINFOHEADER* header, DWORD bytes, int* count);

// Appends the 48 standard colours (no test for repeats).
void AddStandardColors(PaletteBuffer* palette, int* count);
