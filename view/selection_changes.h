// The selection of a drawing: which objects and groups are selected, the
// primary one, and their XOR handles in the view.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

void SelectDrawingObject(HGLOBAL drawing, int index, BOOL toggle, BOOL keep, BOOL draw);
void DeselectAllObjects(HGLOBAL drawing);
// The rubber band; with no rectangle every object (Select All).
void SelectObjectsInRect(HWND view, const RECT* rect);
void SetPrimarySelection(HDC dc, DrawingRecord* drawing, void* objectTable, void* groupTable, const RECT* clip,
                         int newIndex, BOOL redraw);
void SetGroupSelected(DrawingRecord* drawing, int row, BOOL selected, BOOL draw);
int FindTopSelectedObject(DrawingRecord* drawing);
void ToggleObjectHandles(HDC dc, DrawingRecord* drawing, void* objectTable, const RECT* clip, int index);
// A group row's handles in the primary or the ordinary look.
void ToggleGroupHandles(HDC dc, DrawingRecord* drawing, void* groupTable, int row, BOOL primaryLook);
