// The children of a document window, found by their creation order: the
// view, the horizontal ruler, the vertical ruler, the corner box and, while
// a library is docked, its bar. Nothing stores their handles.
#pragma once
#include <windows.h>

HWND DocumentViewOf(HWND document);
HWND HorizontalRulerOf(HWND view);
HWND VerticalRulerOf(HWND view);
HWND CornerBoxOf(HWND view);
HWND DockedBarOf(HWND view);
// A ruler's or the corner box's view: its first sibling.
HWND RulerViewOf(HWND ruler);
// The in-place text editor over the view, none when there is none.
HWND ViewEditorOf(HWND view);
// The view record of a view, locked; ReleaseViewRecord unlocks it.
struct ViewRecord;
ViewRecord* LockViewRecord(HWND view);
void ReleaseViewRecord(HWND view);
