#include "view/selection_targets.h"

#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"

namespace {

const int kMinimumSelection = 2;

// A group index that no longer names a row leaves the object ungrouped.
void RefreshGroupKeys(DrawingRecord* drawing, void* objects)
{
    for (int i = 0; i < TableCount(objects); ++i) {
        DrawingObject* object = ObjectAt(objects, i);
        if (object->groupIndex < 0)
            object->groupKey = 0;
        else
            object->groupIndex = FindGroup(drawing, object->groupKey, object->groupIndex, 0);
    }
}

} // namespace

bool FindSelectionTarget(DrawingRecord* drawing, SelectionTarget* target)
{
    LockedTable objects(drawing, kTableObjects);
    const int primary = drawing->primarySelected;
    if (!objects.Get() || primary < 0 || primary >= objects.Count() || drawing->selectedCount < kMinimumSelection)
        return false;
    RefreshGroupKeys(drawing, objects.Get());
    target->primary = primary;
    target->row = GetSelectedGroup(drawing, objects.Get());
    if (target->row >= 0) {
        LockedTable groups(drawing, kTableGroups);
        target->frame = GroupEntryAt(groups.Get(), target->row)->frame;
        target->key = GroupEntryAt(groups.Get(), target->row)->key;
        return true;
    }
    target->frame = ObjectAt(objects.Get(), primary)->frame;
    CallObjectKind(nullptr, drawing, objects.Get(), primary, kMsgLayoutRect, 1, 1,
                   reinterpret_cast<INT_PTR>(&target->frame));
    return true;
}

bool IsArrangedObject(void* objects, int index, const SelectionTarget& target, int hookedLimit)
{
    const DrawingObject* object = ObjectAt(objects, index);
    if (index == target.primary || !(object->stateFlags & kStateSelected) || SlotsInUse(object) >= hookedLimit)
        return false;
    return target.key == 0 || object->groupKey != target.key || object->groupIndex < 0;
}

RECT ArrangeFrame(DrawingRecord* drawing, int index, int* row)
{
    LockedTable objects(drawing, kTableObjects);
    DrawingObject* object = ObjectAt(objects.Get(), index);
    *row = object->groupKey != 0 && object->groupIndex >= 0
               ? FindGroup(drawing, object->groupKey, object->groupIndex, 0)
               : -1;
    if (*row >= 0) {
        LockedTable groups(drawing, kTableGroups);
        return GroupEntryAt(groups.Get(), *row)->frame;
    }
    RECT frame = object->frame;
    CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgLayoutRect, 1, 1, reinterpret_cast<INT_PTR>(&frame));
    return frame;
}
