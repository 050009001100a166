// Making links: the entry of a slot in the drawing's link table and the
// attaching of a slot to a target.
#pragma once
#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// The first slot of an object with the connect-point code, or -1.
int FindSlotByConnectPoint(const DrawingObject* object, int code);

// Inserts the link table entry of one slot of the source; 10011 past 6000.
ErrorCode AddLink(DrawingRecord* drawing, int sourceIndex, int slot);

// Attaches slot `slot` of the source (-1: a new slot; source -1: the last
// object) to the target at box point (x, y) with the connect-point code. A
// slot that named another target leaves that target first.
ErrorCode ConnectSlot(DrawingRecord* drawing, int sourceIndex, int slot, int targetIndex, int code, int x, int y);

// Removes one link of a source on a target: one entry and one slot, so that
// the other end of a line on the same target stays.
ErrorCode RemoveOneLink(DrawingRecord* drawing, int32_t targetId, int32_t sourceId, int slot);
