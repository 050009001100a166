#include "objects/groups.h"

#include <cstdlib>
#include <cstring>

#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/point_transforms.h"
#include "objects/shape_outlines.h"
#include "objects/shape_types.h"

namespace {

void UnionInto(RECT* target, const RECT* add)
{
    RECT result;
    UnionRect(&result, target, add);
    *target = result;
}

} // namespace

int IsRightAngleRotation(int angle)
{
    // Measured on the size of the angle: -45 degrees is as slanted as 45.
    int size = std::abs(angle);
    return !(size % 900 > 3 && (size + 3) % 900 > 3);
}

int FindGroupInTable(void* groupTable, int32_t key, int hint, uint32_t flagBits)
{
    if (!groupTable)
        return -1;
    int count = TableCount(groupTable);
    int found = -1;
    if (hint >= 0 && hint < count && GroupEntryAt(groupTable, hint)->key == key) {
        found = hint;
    } else {
        for (int i = 0; i < count; ++i) {
            if (GroupEntryAt(groupTable, i)->key == key) {
                found = i;
                break;
            }
        }
    }
    if (found >= 0 && flagBits)
        GroupEntryAt(groupTable, found)->flags |= flagBits;
    return found;
}

int FindGroup(DrawingRecord* drawing, int32_t key, int hint, uint32_t flagBits)
{
    LockedTable groups(drawing, kTableGroups);
    return FindGroupInTable(groups.Get(), key, hint, flagBits);
}

void RecalcGroupRect(DrawingRecord* drawing, int row, const POINT* offset)
{
    LockedTable groups(drawing, kTableGroups);
    LockedTable objects(drawing, kTableObjects);
    if (!groups.Get() || !objects.Get() || row < 0 || row >= groups.Count())
        return;
    GroupEntry* group = GroupEntryAt(groups.Get(), row);
    int32_t key = group->key;
    group->memberCount = 0;
    group->flags = 0;
    if (group->rotation != 0 && offset)
        OffsetRect(&group->frame, offset->x, offset->y);
    bool rebuildFrame = IsRectEmpty(&group->frame) != 0;

    bool refuses = false;
    bool hasLinks = false;
    bool proportional = false;
    bool first = true;
    bool firstSelected = false;
    int counted = 0;
    for (int i = 0; i < objects.Count(); ++i) {
        DrawingObject* member = ObjectAt(objects.Get(), i);
        if (member->groupIndex < 0 || member->groupKey != key)
            continue;
        member->groupIndex = row;
        if ((member->optionFlags & kOptionNoTransform) || member->kind == kKindConnector || member->kind == kKindArray)
            refuses = true;
        RECT layout = member->frame;
        if (member->rotation != 0) {
            CallObjectKind(nullptr, drawing, objects.Get(), i, kMsgLayoutRect, 1, 1, reinterpret_cast<INT_PTR>(&layout));
            objects.Refresh();
            groups.Refresh();
            member = ObjectAt(objects.Get(), i);
            group = GroupEntryAt(groups.Get(), row);
        }
        if (!IsRightAngleRotation(member->groupingRotation) || member->sizingConstraint == 3)
            proportional = true;
        bool label = (member->stateFlags & kStateAttached) != 0;
        if (!label)
            ++counted;
        if (member->linkCount > 0 && !label)
            hasLinks = true;
        if (first) {
            first = false;
            group->bounds = member->bounds;
            if (rebuildFrame)
                group->frame = layout;
            firstSelected = (member->stateFlags & kStateSelected) != 0;
        } else {
            UnionInto(&group->bounds, &member->bounds);
            if (rebuildFrame)
                UnionInto(&group->frame, &layout);
            bool selected = (member->stateFlags & kStateSelected) != 0;
            if (selected != firstSelected) {
                member->stateFlags ^= kStateSelected;
                drawing->selectedCount += firstSelected ? 1 : -1;
            }
        }
    }

    if (counted < 2) {
        // Too few members to make a group: ungroup what is left, drop the row.
        for (int i = 0; i < objects.Count(); ++i) {
            DrawingObject* member = ObjectAt(objects.Get(), i);
            if (member->groupKey == key && member->groupIndex >= 0) {
                member->groupIndex = -1;
                member->groupKey = 0;
            }
        }
        auto* head = static_cast<TableHead*>(groups.Get());
        int later = head->count - row - 1;
        if (later > 0)
            std::memmove(GroupEntryAt(groups.Get(), row), GroupEntryAt(groups.Get(), row + 1),
                         static_cast<size_t>(later) * kGroupEntrySize);
        --head->count;
        return;
    }

    if (group->rotation != 0) {
        POINT corners[kOutlineBufferPoints];
        int count = 0;
        BuildTransformedShapeOutline(&group->frame, &group->frame, 0.0, kShapeRectangle, group->rotation, nullptr,
                                     corners, &count, 0);
        RECT turned;
        GetPointsBounds(&turned, corners, count);
        InflateRect(&turned, 30, 30);
        UnionInto(&group->bounds, &turned);
        group->flags &= ~kGroupNoTransform;
    } else if (refuses) {
        group->flags |= kGroupNoTransform;
    }
    if (IsRectEmpty(&group->groupingFrame))
        group->groupingFrame = group->frame;
    group->memberCount = counted;
    if (firstSelected)
        group->flags |= kGroupSelected;
    group->sizingConstraint = proportional ? 3 : 0;
    if (hasLinks)
        group->flags |= kGroupHangsOnLink;
}
