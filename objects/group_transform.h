// Moving, rescaling and turning whole groups.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Set while SetGroupRect rescales a group: a text-driven resize of a member
// then sets the member's frame itself instead of resizing its group.
extern int GroupResizeActive;

// The group row of the primary selected object, or -1.
int GetSelectedGroup(DrawingRecord* drawing, void* objectTable);

// Moves and rescales a group to `rect` (at least 54 x 54), keeping the point
// of `handleCode` where it is on screen for a turned group. An error rolls
// the view's step back even when the caller opened it.
ErrorCode SetGroupRect(HWND view, int row, RECT* rect, int handleCode, int reserved, int insideStep);

// Turns a group so that its handle points at (x, y).
ErrorCode RotateGroup(void* viewRecord, int row, int handleCode, int x, int y, int insideStep);

// Removes the links between members of one group.
ErrorCode UnlinkGroupMembers(DrawingRecord* drawing, void* objectTable, int32_t key);

// Offsets every member of a row, with their reference frames, and the row's
// frame and frame at grouping.
ErrorCode MoveGroupMembers(DrawingRecord* drawing, int row, int dx, int dy);
