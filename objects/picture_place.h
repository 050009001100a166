// Placing a picture as a new picture object (a frameless rectangle that keeps
// its proportions) in the drawing of a view, as one undoable step that
// selects only the new object. The block given is freed in every case.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// The last right-button menu point in drawing units of the view, when there
// is one.
bool RightClickDrawingPoint(HWND view, POINT* point);

// A metafile's bits (group 113) of `size` (0, 0, width, height in drawing
// units), placed at the last right-button menu point or the paste position.
ErrorCode PlaceMetafilePicture(HWND view, DrawingRecord* drawing, HGLOBAL block, const RECT* size,
                               const RECT* bounds, int colorCount, const COLORREF* colors, int scanFlags);

// A packed DIB (group 112), 6 drawing units per pixel, shrunk to fit the
// drawing; at `point`, else the right-button menu point or the paste
// position. 1 for a block that is no usable DIB.
ErrorCode PlaceDibPicture(HWND view, DrawingRecord* drawing, HGLOBAL dib, const POINT* point);

// Makes the picture object of the first `bytes` bytes of the block at
// `topLeft` with the size of `size`.
ErrorCode CreatePictureObject(HWND view, DrawingRecord* drawing, int group, HGLOBAL block, DWORD bytes,
                              POINT topLeft, const RECT* size, const RECT* bounds, int colorCount,
                              const COLORREF* colors, int scanFlags);
