// The objects that move together: what hangs on an object through links, and
// the members of the groups of a selection.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// An ObjectIndexList is a movable block: a token naming the block itself, the
// count, the capacity (twice the objects at allocation), then the indices.
struct ObjectIndexListHead {
    uint32_t selfToken;
    int32_t count;
    int32_t capacity;
};
static_assert(sizeof(ObjectIndexListHead) == 12, "object index list head");

enum GatherMode : int {
    kGatherWithLineEnds = 1,   // the object, what hangs on it, the far ends of lines
    kGatherHangingAsSelf = 2,  // as 3, but a hanging object counts as itself
    kGatherStructure = 3,      // the object, what hangs on it, and its own hosts
    kGatherAlone = 4,
};

// Collected objects carry state bit 0x1000 until FreeLinkedObjects. With
// `*list` none a list is made. `rect` (or none) grows by the layout boxes.
ErrorCode GatherLinkedObjects(DrawingRecord* drawing, int index, HGLOBAL* list, int mode, RECT* rect);
// Clears the collected bits (with a table) and frees the list.
void FreeLinkedObjects(HGLOBAL list, void* objectTable);

// Everything that moves with an object (or, with index -1, the selection).
ErrorCode CollectObjectsToMove(DrawingRecord* drawing, int index, int withSelection, int includeHooked,
                               int ignoreSelection, HGLOBAL* list, RECT* rect);

// From object to object through their only slot, to the root of the chain.
int FollowSingleLinks(void* objectTable, int index);

// The indices of a list (locked by the caller) and their count.
int ListCount(HGLOBAL list);
int ListIndex(HGLOBAL list, int position);
