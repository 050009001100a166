// Group rows: finding a group by key and recomputing it from its members.
#pragma once
#include <windows.h>

#include <cstdint>

#include "objects/drawing_layout.h"

// The row carrying the key: the hint when it matches, else the first match,
// else -1. Nonzero flag bits are set on the row found.
int FindGroupInTable(void* groupTable, int32_t key, int hint, uint32_t flagBits);
int FindGroup(DrawingRecord* drawing, int32_t key, int hint, uint32_t flagBits);

// 1 when a rotation lies within 3 tenths of a whole number of right angles.
int IsRightAngleRotation(int angle);

// Recomputes a row from its members; dissolves it when fewer than two counted
// members are left. `offset` (or none) moves a rotated group's frame first.
void RecalcGroupRect(DrawingRecord* drawing, int row, const POINT* offset);
