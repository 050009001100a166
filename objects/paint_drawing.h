// Painting a drawing's objects into any device context: the view, a printer
// page, a metafile or a bitmap. Objects are painted bottom to top in draw
// order, each with the drawing style's shadow effect right before it; on the
// screen the selection handles, hook markers and group handles follow.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// `drawHandles` is set by the drawing view, `printing` by printing; the
// export and OLE renderings pass neither and choose `selectedOnly`. `clip`
// (none: everything) limits the objects painted to those meeting it.
void PaintDrawingObjects(HDC dc, HGLOBAL drawing, const RECT* clip, int reserved, int drawHandles, int printing,
                         int selectedOnly);

// Paints detached object records (style and arrow samples, the text editor's
// background) with the drawing's effect, unrotated, in three passes.
void DrawSampleObjects(HDC dc, HGLOBAL drawing, DrawingObject* records, int count);
