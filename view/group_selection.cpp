// Group and Ungroup: the selected objects become one row of the group table,
// named by a key that its members carry.
#include <cstring>

#include "common/results.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "resources/resource_ids.h"
#include "view/arrange_arithmetic.h"
#include "view/arrange_selection.h"

namespace {

const int kKeepAspect = 3;

struct GroupBuild {
    int row = -1;
    int counted = 0;
    int topPosition = -1;
    uint32_t flags = 0;
    int constraint = 0;
    bool leftOut = false;
    RECT bounds = {0, 0, 0, 0};
    RECT frame = {0, 0, 0, 0};
};

void RemoveRow(void* groups, int row)
{
    auto* head = static_cast<TableHead*>(groups);
    const int later = head->count - row - 1;
    if (later > 0)
        std::memmove(GroupEntryAt(groups, row), GroupEntryAt(groups, row + 1),
                     static_cast<size_t>(later) * kGroupEntrySize);
    --head->count;
}

// The first selected row is reused; the other selected rows merge into it.
// Without one, a new row gets the next free key.
ErrorCode ChooseRow(DrawingRecord* drawing, int32_t* key, int* rowOut)
{
    int row = -1;
    int rows = 0;
    uint32_t smallest = kNoSmallestKey;
    uint32_t largest = kNoLargestKey;
    {
        LockedTable groups(drawing, kTableGroups);
        rows = groups.Count();
        for (int i = 0; i < rows && row < 0; ++i) {
            const GroupEntry* entry = GroupEntryAt(groups.Get(), i);
            const uint32_t k = static_cast<uint32_t>(entry->key);
            smallest = k < smallest ? k : smallest;
            largest = k > largest ? k : largest;
            if (entry->flags & kGroupSelected)
                row = i;
        }
        if (row >= 0) {
            *key = GroupEntryAt(groups.Get(), row)->key;
            for (int i = groups.Count() - 1; i > row; --i) {
                const GroupEntry* entry = GroupEntryAt(groups.Get(), i);
                if ((entry->flags & kGroupSelected) && entry->key != *key)
                    RemoveRow(groups.Get(), i);
            }
            *rowOut = row;
            return kErrNone;
        }
        for (int i = 0; i < rows; ++i) {
            const uint32_t k = static_cast<uint32_t>(GroupEntryAt(groups.Get(), i)->key);
            smallest = k < smallest ? k : smallest;
            largest = k > largest ? k : largest;
        }
    }
    ErrorCode code = ResizeDrawingTable(drawing, kTableGroups, static_cast<DWORD>(kTableHeadSize + (rows + 1) * kGroupEntrySize));
    if (code != kErrNone)
        return code;
    LockedTable groups(drawing, kTableGroups);
    auto* head = static_cast<TableHead*>(groups.Get());
    *rowOut = head->count++;
    *key = NextGroupKey(smallest, largest);
    GroupEntryAt(groups.Get(), *rowOut)->key = *key;
    return kErrNone;
}

void InitRow(GroupEntry* entry)
{
    const int32_t key = entry->key;
    std::memset(entry, 0, sizeof(GroupEntry));
    entry->key = key;
    entry->scaleX = 1.0;
    entry->scaleY = 1.0;
    entry->word88 = -1;
}

bool TakesPart(DrawingRecord* drawing, void* objects, int index)
{
    DrawingObject* object = ObjectAt(objects, index);
    if (object->stateFlags & kStateLocked)
        return false;
    if (object->stateFlags & kStateSelected)
        return true;
    if (FindHostObject(objects, index, 1) < 0)
        return false;
    object->stateFlags |= kStateSelected;
    ++drawing->selectedCount;
    return true;
}

// A member linked to an object outside the selection stays out of the group.
bool LinkedOutside(void* objects, DrawingObject* object)
{
    for (int slot = 0; slot < SlotsInUse(object); ++slot) {
        const int target = FindObjectIndex(objects, object->links[slot].targetId, object->links[slot].targetHint);
        if (target >= 0) {
            object->links[slot].targetHint = target;
            if (!(ObjectAt(objects, target)->stateFlags & kStateSelected))
                return true;
        }
    }
    return false;
}

void JoinMember(DrawingRecord* drawing, LockedTable& objects, int index, int32_t key, int position, GroupBuild* build)
{
    DrawingObject* object = ObjectAt(objects.Get(), index);
    const bool label = (object->stateFlags & kStateAttached) != 0;
    if (SlotsInUse(object) > 0 && !label)
        build->flags |= kGroupHangsOnLink;
    if ((object->optionFlags & kOptionNoTransform) || object->kind == kKindConnector || object->kind == kKindArray)
        build->flags |= kGroupNoTransform;
    if (LinkedOutside(objects.Get(), object)) {
        build->leftOut = true;
        return;
    }
    object->groupKey = key;
    object->groupIndex = build->row;
    RECT layout = object->frame;
    CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgLayoutRect, 1, 1, reinterpret_cast<INT_PTR>(&layout));
    object = ObjectAt(objects.Refresh(), index);
    object->referenceFrame = object->frame;
    object->groupingRotation = object->rotation;
    object->groupingStateFlags = object->stateFlags;
    if (!IsRightAngleRotation(object->rotation) || object->sizingConstraint == kKeepAspect)
        build->constraint = kKeepAspect;
    if (!label)
        ++build->counted;
    if (build->topPosition < 0) {
        build->bounds = object->bounds;
        build->frame = layout;
    } else {
        UnionRect(&build->bounds, &build->bounds, &object->bounds);
        UnionRect(&build->frame, &build->frame, &layout);
    }
    build->topPosition = position;
}

void GatherMembers(DrawingRecord* drawing, int32_t key, GroupBuild* build)
{
    LockedTable order(drawing, kTableDrawOrder);
    LockedTable objects(drawing, kTableObjects);
    const int32_t* entries = DrawOrderEntries(order.Get());
    for (int position = 0; position < order.Count(); ++position) {
        const int index = entries[position];
        if (index < 0 || index >= objects.Count() || !TakesPart(drawing, objects.Get(), index))
            continue;
        JoinMember(drawing, objects, index, key, position, build);
    }
}

} // namespace

ErrorCode GroupSelection(HWND view, void* viewRecord, DrawingRecord* drawing)
{
    GroupBuild build;
    int32_t key = 0;
    ErrorCode code = ChooseRow(drawing, &key, &build.row);
    if (code != kErrNone)
        return code;
    {
        LockedTable groups(drawing, kTableGroups);
        InitRow(GroupEntryAt(groups.Get(), build.row));
    }
    GatherMembers(drawing, key, &build);
    if (build.counted >= 2) {
        {
            LockedTable groups(drawing, kTableGroups);
            GroupEntry* entry = GroupEntryAt(groups.Get(), build.row);
            entry->bounds = build.bounds;
            entry->frame = entry->groupingFrame = build.frame;
            entry->flags = kGroupSelected | build.flags;
            entry->sizingConstraint = build.constraint;
            entry->memberCount = build.counted;
        }
        BringSelectionToFront(view, viewRecord, drawing, build.topPosition);
        InvalidateDrawingRect(drawing, &build.bounds);
    } else {
        RecalcGroupRect(drawing, build.row, nullptr);
    }
    if (build.leftOut)
        WarnById(IDS_GROUP_LINKS_OMITTED);
    return kErrNone;
}

void UngroupSelection(HWND view, void* viewRecord, DrawingRecord* drawing)
{
    RECT area = {0, 0, 0, 0};
    bool found = false;
    auto join = [&](const RECT& r) {
        if (!found)
            area = r;
        else
            UnionRect(&area, &area, &r);
        found = true;
    };
    {
        LockedTable groups(drawing, kTableGroups);
        for (int row = groups.Count() - 1; row >= 0; --row) {
            if (!(GroupEntryAt(groups.Get(), row)->flags & kGroupSelected))
                continue;
            join(GroupEntryAt(groups.Get(), row)->bounds);
            RemoveRow(groups.Get(), row);
        }
        LockedTable objects(drawing, kTableObjects);
        for (int i = 0; i < objects.Count(); ++i) {
            DrawingObject* object = ObjectAt(objects.Get(), i);
            if (!(object->stateFlags & kStateSelected))
                continue;
            object->groupKey = 0;
            object->groupIndex = -1;
            join(object->bounds);
        }
    }
    if (!found)
        return;
    InvalidateDrawingRect(drawing, &area);
    MarkDrawingEdited(view, viewRecord, 0);
}
