// Sending an edit or format command to the focused text editor or to the
// selection.
#pragma once
#include <windows.h>

// What an edit or format command asks of the editor or the selection.
enum EditRouteCode {
    kRouteUndo = 1,
    kRouteCut = 2,
    kRouteCopy = 3,
    kRoutePaste = 4,
    kRouteClear = 5,
    kRouteBold = 6,
    kRouteItalic = 7,
    kRouteUnderline = 8,
    kRouteSuperscript = 9,
    kRouteSubscript = 10,
    kRouteSelectAll = 12,
    kRouteSmaller = 13,
    kRouteLarger = 14,
    kRouteTextSizing = 30,
    kRouteShapeSizing = 47,
    kRouteEditOutline = 53,
};

// The EditCommandCode; 0 when there is no active drawing view.
int RouteEditCommand(int command);
// Selects every object of the active drawing.
void SelectAllObjects();
// Bold, italic, underline (6..8), smaller and larger (13, 14) on the texts
// of the selected objects.
void ApplyTextStyleToSelection(HWND view, int code);
