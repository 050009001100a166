// Painting a shape object: its picture, figure, text and attachment marker,
// and the offset copies that make its shadow (kind messages 1, 31, 32, 33).
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"
#include "objects/metafile_playback.h"

// The shadow block of messages 31 and 32 (their b value).
struct ShadowPass {
    int32_t dx;
    int32_t dy;
    COLORREF color;
};

// Message 1 paints, 31 the filled silhouette and 32 the outline copy in the
// shadow colour at (dx, dy), 33 the fill without outline. `index` -1 means
// `table` is one detached record. `rect` replaces the frame when `useRect`.
// a is 1 while printing; a, b and c go on to the text painter unchanged.
void PaintShape(HDC dc, int message, DrawingRecord* drawing, void* table, int index, const RECT* rect, int useRect,
                INT_PTR a, INT_PTR b, INT_PTR c);

// Fills the playback's substitutes so that a metafile picture takes the
// object's colours: the fill brush (none for a fill of -1), the pen, the
// line brush and the text colour. `lineWidth` 0 means no outline.
void CreatePicturePens(HDC dc, PlaybackState* state, COLORREF fillColor, COLORREF lineColor,
                       const DrawingObject* object, int lineWidth);
// Deletes what CreatePicturePens made (the stock objects stay).
void DeletePicturePens(PlaybackState* state);

// The 54-unit square of the attachment marker, 60 units inside the
// bottom-right corner of the bounds and never outside their top-left.
void GetAttachmentMarkerRect(const DrawingObject* object, RECT* rect);

// The zoom per mille of a drawing's view and whether it fits the window (the
// picture placeholders depend on it); the view fills this at start-up. None
// paints every picture in full.
typedef int (*ViewZoomCall)(HWND view, int* fitToWindow);
extern ViewZoomCall ViewZoomOf;
