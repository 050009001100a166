// Reshaping arrays by their handles or to a new frame, and flipping them.
#pragma once
#include "lines/array_record.h"

// Message 6: the handle is the one the view grabbed (drawing record +236).
ErrorCode ResizeArrayByHandle(DrawingRecord* drawing, void* table, int index, const RECT* rect);
// Message 10.
ErrorCode ResizeArrayToRect(DrawingRecord* drawing, void* table, int index, const RECT* rect);
// Message 58: bit 8 flips left-right, bit 0x10 top-bottom.
ErrorCode FlipArray(DrawingRecord* drawing, void* table, int index, uint32_t flags);
// How far the trunk's fishbone shift changes after the branch length changed.
int GetFishboneShift(const ArrayBranchHead* list, int oldFish);
