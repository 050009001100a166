// Creating, opening and releasing the five records of a drawing.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Makes a new empty drawing in a store whose record (100,105) already exists;
// the drawing record's handle comes back through `drawing`.
ErrorCode CreateDrawingRecords(HWND view, int store, int tableId, int width, int height, int warningId,
                               HGLOBAL* drawing);
// Takes up an existing drawing (after a load, an undo swap, a paste).
ErrorCode OpenDrawingRecords(HWND view, int store, int tableId, int warningId, HGLOBAL* drawing);
// Ends the use of the four tables and of the drawing record.
void ReleaseDrawingRecords(HGLOBAL drawing);
