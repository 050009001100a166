// The edit operations that copy, move, reorder, group, align and transform the
// selection as a whole. Each runs inside the undo step the edit dispatcher
// opened; a failure there rolls the whole command back.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

ErrorCode DuplicateSelection(HWND view, void* viewRecord, DrawingRecord* drawing);
// key: VK_LEFT, VK_UP, VK_RIGHT or VK_DOWN; Shift resizes.
ErrorCode NudgeSelection(HWND view, void* viewRecord, DrawingRecord* drawing, int key, bool shift);
// position -1 is the top of the draw order.
void BringSelectionToFront(HWND view, void* viewRecord, DrawingRecord* drawing, int position);
void SendSelectionToBack(HWND view, void* viewRecord, DrawingRecord* drawing);
void ToggleSelectionLock(DrawingRecord* drawing);
// The extent of the objects in drawing units; false when there are none.
bool DrawingObjectsExtent(DrawingRecord* drawing, RECT* extent);
ErrorCode CenterDrawingOnPage(HWND view, void* viewRecord, DrawingRecord* drawing, const RECT& extent);

ErrorCode GroupSelection(HWND view, void* viewRecord, DrawingRecord* drawing);
void UngroupSelection(HWND view, void* viewRecord, DrawingRecord* drawing);

// The tests before a step opens show their refusal and answer false.
bool CanAlignSelection(void* viewRecord, DrawingRecord* drawing, int mode);
ErrorCode AlignSelection(HWND view, void* viewRecord, DrawingRecord* drawing, int mode);
// flags: 1 horizontally, 2 vertically.
bool CanSpaceEvenly(DrawingRecord* drawing, int flags);
ErrorCode SpaceSelectionEvenly(HWND view, void* viewRecord, DrawingRecord* drawing, int flags);
// flags: 1 width, 2 height, 3 both.
bool CanMakeSameSize(DrawingRecord* drawing, int flags);
ErrorCode MakeSameSize(HWND view, void* viewRecord, DrawingRecord* drawing, int flags);

bool CanFlipSelection(DrawingRecord* drawing);
// direction: kOptionFlipH or kOptionFlipV.
ErrorCode FlipSelection(HWND view, void* viewRecord, DrawingRecord* drawing, int direction);
// bit: kOptionHideShadow or kOptionHideTextShadow.
ErrorCode ToggleShadowOption(DrawingRecord* drawing, uint32_t bit);
