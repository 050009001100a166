#include "objects/update_links.h"

#include <cstdlib>

#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/linked_objects.h"
#include "objects/move_objects.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "objects/point_transforms.h"
#include "objects/resize_object.h"
#include "objects/selection_geometry.h"

#include "common/rect_handle_point.h"

namespace {

const int kMaxHookPointsAsked = 16;
// Rounds of passes and keep-inside moves; a second round follows what the
// keep-inside moves dragged along.
const int kMaxRounds = 2;

bool OutsideDrawing(const DrawingRecord* drawing, void* objects, int index)
{
    RECT box = ObjectAt(objects, index)->frame;
    CallObjectKind(nullptr, const_cast<DrawingRecord*>(drawing), objects, index, kMsgLayoutRect, 1, 1,
                   reinterpret_cast<INT_PTR>(&box));
    return box.left < 0 || box.top < 0 || box.right > drawing->width || box.bottom > drawing->height;
}

// Removes entry `index` and one slot of its source that names the target.
ErrorCode RemoveLinkAt(DrawingRecord* drawing, int index)
{
    LockedTable links(drawing, kTableLinks);
    LockedTable objects(drawing, kTableObjects);
    if (!links.Get() || !objects.Get() || index < 0 || index >= links.Count())
        return kErrNone;
    LinkEntry entry = *LinkEntryAt(links.Get(), index);
    int source = FindObjectIndex(objects.Get(), entry.sourceId, entry.sourceHint);
    if (source >= 0) {
        const DrawingObject* holder = ObjectAt(objects.Get(), source);
        for (int slot = SlotsInUse(holder) - 1; slot >= 0; --slot) {
            if (holder->links[slot].targetId == entry.targetId) {
                DetachSlot(drawing, objects.Get(), source, slot);
                break;
            }
        }
        links.Refresh();
    }
    RemoveLinkEntry(links.Get(), index);
    return ShrinkLinkTable(drawing, links);
}

ErrorCode DropMarkedLinks(DrawingRecord* drawing)
{
    LockedTable links(drawing, kTableLinks);
    int i = links.Count() - 1;
    while (i >= 0) {
        links.Refresh();
        if (i >= links.Count()) {
            i = links.Count() - 1;
            continue;
        }
        LinkEntry entry = *LinkEntryAt(links.Get(), i);
        if (entry.flags & kLinkTargetDeleted) {
            ErrorCode code = RemoveLinksTo(drawing, entry.targetId, 0);
            if (code != kErrNone)
                return code;
            links.Refresh();
            // The run is gone; the walk goes on below where it began.
            i = FindFirstLink(links.Get(), entry.targetId, 0) - 1;
            continue;
        }
        if (entry.flags & (kLinkSourceGone | kLinkDrop)) {
            ErrorCode code = RemoveLinkAt(drawing, i);
            if (code != kErrNone)
                return code;
        }
        --i;
    }
    return kErrNone;
}

// The hook point of the target nearest to the slot's old point.
void RechooseAttachPoint(DrawingRecord* drawing, void* objects, int target, LinkSlot* slot)
{
    POINT points[kMaxHookPointsAsked];
    int count = 0;
    CallObjectKind(nullptr, drawing, objects, target, kMsgHookPoints, 0, reinterpret_cast<INT_PTR>(&count),
                   reinterpret_cast<INT_PTR>(points));
    if (count < 2 || count > kMaxHookPointsAsked)
        return;
    const RECT box = {0, 0, 600, 600};
    uint32_t mirror = ObjectAt(objects, target)->optionFlags & (kOptionFlipH | kOptionFlipV);
    if (mirror)
        FlipPoints(&box, mirror, points, count);
    long best = -1;
    for (int i = 0; i < count; ++i) {
        long distance = std::labs(static_cast<long>(points[i].x) - slot->x) +
                        std::labs(static_cast<long>(points[i].y) - slot->y);
        if (best < 0 || distance < best) {
            best = distance;
            slot->x = points[i].x;
            slot->y = points[i].y;
            // The slot keeps its point; a match ends the search.
        }
        if (distance == 0)
            break;
    }
}

// A line one of whose ends hangs on the target array: that end's slot.
int ArrayBranchSlot(const DrawingObject* source, const DrawingObject* target)
{
    if (target->kind != kKindArray || (source->kind != kKindLine && source->kind != kKindConnector))
        return -1;
    for (int slot = 0; slot < SlotsInUse(source); ++slot) {
        if (source->links[slot].targetId == target->objectId)
            return slot;
    }
    return -1;
}

struct FollowState {
    bool keepInside = false;
};

void MarkKeepInside(void* objects, int index, FollowState* state)
{
    int root = FollowSingleLinks(objects, index);
    ObjectAt(objects, root)->stateFlags |= kStateKeepInside;
    state->keepInside = true;
}

// A hanging object (or the group it belongs to) follows its host.
ErrorCode MoveHangingObject(DrawingRecord* drawing, int source, int target, POINT move)
{
    LockedTable objects(drawing, kTableObjects);
    const DrawingObject* holder = ObjectAt(objects.Get(), source);
    const DrawingObject* host = ObjectAt(objects.Get(), target);
    bool sameGroup = holder->groupIndex >= 0 && host->groupIndex >= 0 && holder->groupKey == host->groupKey;
    if (holder->groupIndex >= 0 && !sameGroup) {
        int row = FindGroup(drawing, holder->groupKey, holder->groupIndex, 0);
        if (row >= 0)
            return MoveGroupMembers(drawing, row, move.x, move.y);
    }
    return OffsetObject(drawing, objects.Get(), source, move.x, move.y);
}

ErrorCode MoveFarEnd(DrawingRecord* drawing, int farEnd, POINT move, FollowState* state)
{
    HGLOBAL list = nullptr;
    RECT box;
    ErrorCode code = CollectObjectsToMove(drawing, farEnd, 0, 1, 1, &list, &box);
    if (code == kErrNone && list)
        code = OffsetListedObjects(drawing, list, move.x, move.y);
    LockedTable objects(drawing, kTableObjects);
    FreeLinkedObjects(list, objects.Get());
    if (code == kErrNone) {
        OffsetRect(&box, move.x, move.y);
        if (box.left < 0 || box.top < 0 || box.right > drawing->width || box.bottom > drawing->height)
            MarkKeepInside(objects.Get(), farEnd, state);
    }
    return code;
}

// A line end that follows: the line gets a frame with that end moved.
ErrorCode FollowLineEnd(DrawingRecord* drawing, int source, int handleCode, POINT old, POINT now, POINT move)
{
    RECT frame;
    {
        LockedTable objects(drawing, kTableObjects);
        const DrawingObject* line = ObjectAt(objects.Get(), source);
        frame = line->frame;
        bool guessed = handleCode == 0;
        if (guessed)
            handleCode = GetOppositeSide(SideCodeOnRect(&line->frame, old.x, old.y));
        RECT moved = frame;
        CallObjectKind(nullptr, drawing, objects.Get(), source, kMsgMovedFrame, handleCode,
                       reinterpret_cast<INT_PTR>(&move), reinterpret_cast<INT_PTR>(&moved));
        frame = moved;
        if (guessed)
            handleCode = GetOppositeSide(SideCodeOnRect(&frame, now.x, now.y));
    }
    return ResizeObjectInDrawing(drawing, source, &frame, handleCode, 0);
}

ErrorCode FollowEntry(DrawingRecord* drawing, int entryIndex, FollowState* state)
{
    int source = -1;
    int target = -1;
    LinkSlot held;
    bool rechoose;
    {
        LockedTable links(drawing, kTableLinks);
        LockedTable objects(drawing, kTableObjects);
        LinkEntry* entry = LinkEntryAt(links.Get(), entryIndex);
        entry->flags &= ~(kLinkTargetMoved | kLinkArrayMoved);
        rechoose = (entry->flags & kLinkRechoosePoint) != 0;
        entry->flags &= ~kLinkRechoosePoint;
        int slot = ResolveLinkSlot(drawing, links.Get(), objects.Get(), entryIndex, &source, &target);
        if (slot < 0)
            return kErrNone;
        if (rechoose) {
            LinkSlot choice = ObjectAt(objects.Get(), source)->links[slot];
            RechooseAttachPoint(drawing, objects.Get(), target, &choice);
            objects.Refresh();
            LinkSlot& live = ObjectAt(objects.Get(), source)->links[slot];
            live.x = choice.x;
            live.y = choice.y;
        }
        held = ObjectAt(objects.Get(), source)->links[slot];
    }

    int handleCode = 0;
    POINT old = {0, 0};
    POINT now = {held.x, held.y};
    bool hangs = false;
    int branchSlot = -1;
    int farEnd = -1;
    {
        LockedTable objects(drawing, kTableObjects);
        int unknown = CallObjectKind(nullptr, drawing, objects.Get(), source, kMsgAnchorPoint, held.connectCode,
                                     reinterpret_cast<INT_PTR>(&handleCode), reinterpret_cast<INT_PTR>(&old));
        objects.Refresh();
        CallObjectKind(nullptr, drawing, objects.Get(), target, kMsgMapBoxPoints, 1, held.connectCode,
                       reinterpret_cast<INT_PTR>(&now));
        objects.Refresh();
        if (unknown != 0)
            return kErrNone;   // the source names no such point
        const DrawingObject* holder = ObjectAt(objects.Get(), source);
        hangs = SlotsInUse(holder) == 1;
        if (!hangs) {
            branchSlot = ArrayBranchSlot(holder, ObjectAt(objects.Get(), target));
            if (branchSlot >= 0) {
                for (int other = 0; other < SlotsInUse(holder); ++other) {
                    if (other != branchSlot)
                        farEnd = FindObjectIndex(objects.Get(), holder->links[other].targetId,
                                              holder->links[other].targetHint);
                }
            }
        }
    }
    POINT move = {now.x - old.x, now.y - old.y};
    // Nothing moved: nothing is marked, so a ring of hanging objects settles.
    if (move.x == 0 && move.y == 0)
        return kErrNone;
    if (!hangs && branchSlot < 0)
        return FollowLineEnd(drawing, source, handleCode, old, now, move);

    ErrorCode code = MoveHangingObject(drawing, source, target, move);
    if (code == kErrNone && farEnd >= 0 && farEnd != source && farEnd != target)
        code = MoveFarEnd(drawing, farEnd, move, state);
    if (code == kErrNone) {
        LockedTable objects(drawing, kTableObjects);
        if (OutsideDrawing(drawing, objects.Get(), source))
            MarkKeepInside(objects.Get(), source, state);
    }
    return code;
}

ErrorCode RunPasses(DrawingRecord* drawing, FollowState* state)
{
    int entries;
    {
        LockedTable links(drawing, kTableLinks);
        entries = links.Count();
    }
    // A chain is never longer than the table; a ring that keeps moving by
    // rounding is cut off there.
    int maxPasses = entries + 2;
    for (int pass = 0; pass < maxPasses; ++pass) {
        bool followed = false;
        for (int i = 0;; ++i) {
            {
                LockedTable links(drawing, kTableLinks);
                if (!links.Get() || i >= links.Count())
                    break;
                if (!(LinkEntryAt(links.Get(), i)->flags & kLinkTargetMoved))
                    continue;
            }
            followed = true;
            ErrorCode code = FollowEntry(drawing, i, state);
            if (code != kErrNone)
                return code;
        }
        if (!followed)
            break;
    }
    return kErrNone;
}

// Structures that a link update pushed out of the drawing come back whole.
ErrorCode BringMarkedInside(DrawingRecord* drawing, bool* moved)
{
    *moved = false;
    for (int i = 0;; ++i) {
        {
            LockedTable objects(drawing, kTableObjects);
            if (!objects.Get() || i >= objects.Count())
                break;
            DrawingObject* object = ObjectAt(objects.Get(), i);
            if (!(object->stateFlags & kStateKeepInside))
                continue;
            object->stateFlags &= ~kStateKeepInside;
        }
        HGLOBAL list = nullptr;
        RECT box;
        ErrorCode code = CollectObjectsToMove(drawing, i, 0, 1, 1, &list, &box);
        if (code == kErrNone && (box.right - box.left >= drawing->width || box.bottom - box.top >= drawing->height))
            code = kErrOutsideDrawing;
        int dx = 0;
        int dy = 0;
        if (box.right > drawing->width)
            dx = drawing->width - box.right;
        if (box.left < 0)
            dx = -box.left;
        if (box.bottom > drawing->height)
            dy = drawing->height - box.bottom;
        if (box.top < 0)
            dy = -box.top;
        if (code == kErrNone && list && (dx != 0 || dy != 0)) {
            code = OffsetListedObjects(drawing, list, dx, dy);
            *moved = true;
        }
        LockedTable objects(drawing, kTableObjects);
        FreeLinkedObjects(list, objects.Get());
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

void RecalcChangedGroups(DrawingRecord* drawing)
{
    int rows;
    {
        LockedTable groups(drawing, kTableGroups);
        rows = groups.Count();
    }
    // From the last row: a recomputed row may dissolve and take its place.
    for (int row = rows - 1; row >= 0; --row) {
        RECT bounds;
        {
            LockedTable groups(drawing, kTableGroups);
            if (!groups.Get() || row >= groups.Count())
                continue;
            GroupEntry* group = GroupEntryAt(groups.Get(), row);
            group->flags &= ~kGroupMoving;
            if (!(group->flags & kGroupLinksChanged))
                continue;
            bounds = group->bounds;
        }
        InvalidateDrawingRect(drawing, &bounds);
        RecalcGroupRect(drawing, row, nullptr);
        LockedTable groups(drawing, kTableGroups);
        if (groups.Get() && row < groups.Count()) {
            GroupEntry* group = GroupEntryAt(groups.Get(), row);
            group->flags &= ~kGroupLinksChanged;
            InvalidateDrawingRect(drawing, &group->bounds);
        }
    }
}

} // namespace

int ResolveLinkSlot(DrawingRecord*, void* links, void* objects, int entry, int* source, int* target)
{
    LinkEntry* link = LinkEntryAt(links, entry);
    int s = FindObjectIndex(objects, link->sourceId, link->sourceHint);
    int t = s >= 0 ? FindObjectIndex(objects, link->targetId, link->targetHint) : -1;
    if (s < 0 || t < 0) {
        link->flags |= kLinkSourceGone;
        return -1;
    }
    link->sourceHint = s;
    link->targetHint = t;
    // The n-th entry of a source on a target stands for its n-th slot there.
    int ordinal = 0;
    for (int k = entry - 1; k >= 0 && LinkEntryAt(links, k)->targetId == link->targetId; --k) {
        if (LinkEntryAt(links, k)->sourceId == link->sourceId)
            ++ordinal;
    }
    DrawingObject* holder = ObjectAt(objects, s);
    int found = -1;
    int last = -1;
    int seen = 0;
    for (int slot = 0; slot < SlotsInUse(holder); ++slot) {
        if (holder->links[slot].targetId != link->targetId)
            continue;
        last = slot;
        if (seen++ == ordinal) {
            found = slot;
            break;
        }
    }
    if (found < 0)
        found = last;
    if (found < 0) {
        link->flags |= kLinkSourceGone;
        return -1;
    }
    holder->links[found].targetHint = t;
    *source = s;
    *target = t;
    return found;
}

ErrorCode UpdateLinks(DrawingRecord* drawing)
{
    InvalidationBatch batch;
    ErrorCode code = MarkDrawingTableChanged(drawing, kTableLinks);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(drawing, kTableGroups);
    if (code == kErrNone)
        code = SetDrawingTableDirty(drawing, kTableGroups);
    if (code == kErrNone)
        code = SetDrawingTableDirty(drawing, kTableObjects);
    if (code == kErrNone)
        code = DropMarkedLinks(drawing);
    if (code != kErrNone)
        return code;
    {
        LockedTable groups(drawing, kTableGroups);
        for (int row = 0; row < groups.Count(); ++row)
            GroupEntryAt(groups.Get(), row)->flags |= kGroupMoving;
    }
    for (int round = 0; round < kMaxRounds && code == kErrNone; ++round) {
        FollowState state;
        code = RunPasses(drawing, &state);
        if (code != kErrNone || !state.keepInside)
            break;
        bool moved = false;
        code = BringMarkedInside(drawing, &moved);
        if (!moved)
            break;
    }
    RecalcChangedGroups(drawing);
    return code;
}
