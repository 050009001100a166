// The thumbnail of a library: one picture of all its symbols in a grid, kept
// in the library file, and the table that names the symbol of each cell for
// the browser's tool tips.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "libraries/library_records.h"

#pragma pack(push, 2)
struct ThumbnailCell {
    int16_t atom;    // global atom of the symbol's name, 0 when it has none
    RECT rect;
};

struct ThumbnailCellTable {
    int32_t count;
    RECT grid;
    ThumbnailCell cells[kMaxLibrarySymbols];
};
#pragma pack(pop)

// The browser's table while it is open; none otherwise.
extern HGLOBAL ThumbnailCells;

// Draws the thumbnail of an open library, stores it as record (200,2) and
// returns it as a packed DIB the caller owns; none when the header or the
// view block cannot be read.
HGLOBAL BuildLibraryThumbnail(int store);
// The stored thumbnail of a library file, or one built and stored on the
// spot (when the file can be written); fills the table when given.
HGLOBAL GetLibraryThumbnail(const char* path, ThumbnailCellTable* table);
ErrorCode FillThumbnailCells(int store, ThumbnailCellTable* table);
void ClearThumbnailCells(ThumbnailCellTable* table);
// Re-expresses the cells of ThumbnailCells in the rectangle the preview is
// drawn into.
void ScaleThumbnailCells(const RECT* rect);
// The first cell of ThumbnailCells holding the point; -1 when none.
int HitTestThumbnailCell(int x, int y);
