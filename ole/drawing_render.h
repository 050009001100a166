// Pictures of a drawing: a memory metafile at 600 units per inch, a
// METAFILEPICT for the clipboard and containers, a bitmap painted through the
// shared back buffer, and the small preview kept with a document.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Largest METAFILEPICT extent older readers take.
const LONG kMaxMetafilePictExtent = 32700;
// The extents an empty drawing is given when it may still be rendered.
const int kEmptyPictureSide = 600;
// The box the stored preview fits into, in pixels.
const int kPreviewBoxPixels = 150;

// HIMETRIC extents of `width` x `height` drawing units; a picture too large
// is scaled so that its larger extent is exactly the limit, aspect kept.
void MetafilePictExtents(int width, int height, LONG* xExt, LONG* yExt);

// The preview's extents: at least 4800 x 6000 (portrait) or 6000 x 4800,
// growing left and up from the right and bottom edges, kept at or right of 0.
RECT WidenPreviewExtents(RECT extents, BOOL portrait);
// The zoom (per mille, 0 for 100 per cent) that fits `extents` into `box`
// pixels on a display of `resolution` pixels per inch; never above 100 per cent.
int PreviewZoom(const RECT& extents, SIZE box, int resolution);

// A memory metafile of all objects, or of the selected ones and what hangs on
// them; `extents` receives the drawing units it covers. None for an empty
// drawing unless `emptyAllowed` (then 600 x 600 units), or on failure.
HMETAFILE DrawingToMetafile(HGLOBAL drawing, HPALETTE palette, RECT* extents, BOOL selectedOnly,
                            BOOL emptyAllowed, BOOL storedBoundsOnly);
// The same as a METAFILEPICT block (the caller owns it and its metafile).
HGLOBAL MakeDrawingMetafilePict(HGLOBAL drawing, HPALETTE palette, BOOL selectedOnly, BOOL emptyAllowed,
                                BOOL storedBoundsOnly);
// The METAFILEPICT of a drawing that is one plain metafile picture (the only
// object, or the one selected object): the picture's own metafile at its
// inner rectangle. None for anything else; the caller then renders the whole.
HGLOBAL MakePictureMetafilePict(HGLOBAL drawing, BOOL selectedOnly);

// Paints the drawing at `zoom` into the back buffer, whose bitmap is made the
// picture's size when that differs from the main window's client size; the
// picture stays selected there. `rect` is used as given, or receives the
// extents. 0 (also when an empty drawing is not painted), 10004 without a
// back buffer or when its bitmap cannot be made.
ErrorCode RenderDrawingToBitmap(HWND window, int zoom, HPALETTE palette, HGLOBAL drawing, BOOL selectedOnly,
                                RECT* rect, BOOL useGivenRect, BOOL emptyAllowed);
// A bitmap of the whole drawing of a view at the view's zoom, owned by the
// caller; none on failure.
HBITMAP MakeDrawingBitmap(HWND view, BOOL emptyAllowed);
// Replaces the preview record of the view's document with a packed DIB of the
// whole drawing fitting `box`; an empty drawing keeps no preview.
ErrorCode StorePreviewBitmap(HWND view, void* viewRecord, SIZE box);
