// Painting the drawing view: page colour, grid, page breaks and objects.
// Rectangles are in drawing units (1/600 inch) on the view's own mapping.
#pragma once
#include <windows.h>

#include "objects/view_record.h"

void PaintDrawingView(HWND view, HDC dc, const RECT* rect);
void PaintViewLayers(HDC dc, HWND view, const ViewRecord* record, const RECT* rect, BOOL showPageBreaks, int zoom);
void DrawPageBreaks(HDC dc, const RECT* rect, int pageWidth, int pageHeight);
// The page colour of a view's drawing, white without one.
COLORREF ViewPageColor(HWND view, HDC dc);
void PaintDocumentMargins(HWND document, HDC dc, const RECT* rect);
