// Sending an edit or format command to the focused text editor or to the
// selection.
#pragma once
#include <windows.h>

// The EditCommandCode; 0 when there is no active drawing view.
int RouteEditCommand(int command);
// Selects every object of the active drawing.
void SelectAllObjects();
// Bold, italic, underline (6..8), smaller and larger (13, 14) on the texts
// of the selected objects.
void ApplyTextStyleToSelection(HWND view, int code);
