// Links between objects as far as creation, deletion and the shape kind need
// them: finding objects by id, marking links, removing the links of deleted
// objects and rebuilding the link table.
#pragma once
#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// The index of the object with the id: the hint when it matches, else the
// first match from index 0, else -1.
int FindObjectIndex(void* objectTable, int32_t id, int hint);

// The first link entry of a target id; when there is none, -1 with `exact`,
// else the insertion point.
int FindFirstLink(void* linkTable, int32_t targetId, int exact);

// Sets flag bits on every link entry of a target (and the links-changed mark
// on the named group).
void MarkLinksOf(DrawingRecord* drawing, int32_t targetId, uint32_t flags, int32_t groupKey, int groupIndex);

// Marks the links of an object and, when it hangs on one target, the target's:
// what a shape does after it turned, flipped or changed type.
void MarkObjectLinks(DrawingRecord* drawing, void* objectTable, int index, uint32_t ownFlags);

// The object's frame changed, whatever changed it (its text grew, a typeface,
// a resize): the lines hooked to it are re-routed, and it comes back to its
// own hook point, at the next UpdateLinks. Only what hangs on this object is
// touched, so a drawing-wide pass stays linear.
void MarkFrameChanged(DrawingRecord* drawing, const DrawingObject* object);

// Removes the link entries of a target, all of them (source 0) or those of one
// source, detaching the sources' slots.
ErrorCode RemoveLinksTo(DrawingRecord* drawing, int32_t targetId, int32_t sourceId);

// Drops the slots of an object that name a target.
void DetachSlotsFrom(DrawingRecord* drawing, void* objectTable, int index, int32_t targetId);
// Drops one slot of an object (its kind hears message 54 with b = 0).
void DetachSlot(DrawingRecord* drawing, void* objectTable, int index, int slot);

// The slots of an object in use, never more than an entry has room for.
inline int SlotsInUse(const DrawingObject* object)
{
    int count = object->linkCount;
    return count < 0 ? 0 : (count > 2 ? 2 : count);
}

// Takes entry `index` out of a locked link table (the record keeps its size).
void RemoveLinkEntry(void* links, int index);
class LockedTable;
// Shrinks the link table record to its count and marks it dirty.
ErrorCode ShrinkLinkTable(DrawingRecord* drawing, LockedTable& links);

// Drops the links of objects that are gone and refreshes every index hint.
ErrorCode RebuildLinkTable(DrawingRecord* drawing);

// Exactly one slot in use, hanging on an array branch.
int HasSingleBranchHook(const DrawingObject* object);

// The object this one hangs on (a label's host, or the array of its first
// slot on one), -1 for none; with `selectedOnly` an unselected host gives -1.
int FindHostObject(void* objectTable, int index, int selectedOnly);
