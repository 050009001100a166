#include "objects/linked_objects.h"

#include "common/handle_tokens.h"
#include "common/io_seam.h"
#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"

namespace {

const uint32_t kCapabilityFollowsHost = 0x80;

struct Gatherer {
    DrawingRecord* drawing;
    LockedTable& objects;
    LockedTable& links;
    HGLOBAL list;
    RECT* rect;
};

ObjectIndexListHead* Head(HGLOBAL list)
{
    // Movable but never moved while locked: the pointer is re-read each use.
    void* pointer = GlobalLock(list);
    GlobalUnlock(list);
    return static_cast<ObjectIndexListHead*>(pointer);
}

int32_t* Entries(ObjectIndexListHead* head)
{
    return reinterpret_cast<int32_t*>(head + 1);
}

bool InList(HGLOBAL list, int index)
{
    ObjectIndexListHead* head = Head(list);
    for (int i = 0; i < head->count; ++i) {
        if (Entries(head)[i] == index)
            return true;
    }
    return false;
}

ErrorCode Append(HGLOBAL list, int index)
{
    ObjectIndexListHead* head = Head(list);
    if (head->count >= head->capacity)
        return kErrNotDone;
    Entries(head)[head->count++] = index;
    return kErrNone;
}

void AddBox(Gatherer& g, int index)
{
    if (!g.rect)
        return;
    RECT box = ObjectAt(g.objects.Get(), index)->frame;
    CallObjectKind(nullptr, g.drawing, g.objects.Get(), index, kMsgLayoutRect, 1, 1, reinterpret_cast<INT_PTR>(&box));
    g.objects.Refresh();
    if (IsRectEmpty(g.rect)) {
        *g.rect = box;
    } else {
        RECT both;
        UnionRect(&both, g.rect, &box);
        *g.rect = both;
    }
}

bool Collected(Gatherer& g, int index, int mode)
{
    if (mode == kGatherHangingAsSelf || mode == kGatherStructure)
        return (ObjectAt(g.objects.Get(), index)->stateFlags & kStateCollected) != 0;
    return InList(g.list, index);
}

ErrorCode Take(Gatherer& g, int index, int mode)
{
    ErrorCode code = Append(g.list, index);
    if (code != kErrNone)
        return code;
    if (mode == kGatherHangingAsSelf || mode == kGatherStructure)
        ObjectAt(g.objects.Get(), index)->stateFlags |= kStateCollected;
    AddBox(g, index);
    return kErrNone;
}

bool IsLineKind(int kind)
{
    return kind == kKindLine || kind == kKindConnector;
}

// The slot of a line that hangs on an array target, or -1.
int BranchSlotOn(const DrawingObject* line, int32_t arrayId)
{
    if (!IsLineKind(line->kind))
        return -1;
    for (int slot = 0; slot < SlotsInUse(line); ++slot) {
        if (line->links[slot].targetId == arrayId)
            return slot;
    }
    return -1;
}

// The object at the farEnd end of a line from `slot`, or -1.
int FarEnd(void* objects, const DrawingObject* line, int slot)
{
    for (int other = 0; other < SlotsInUse(line); ++other) {
        if (other != slot)
            return FindObjectIndex(objects, line->links[other].targetId, line->links[other].targetHint);
    }
    return -1;
}

ErrorCode GatherObject(Gatherer& g, int index, int mode, int depth);

// What hangs on the object through the link table.
ErrorCode GatherLinkedFrom(Gatherer& g, int index, int mode, int depth)
{
    DrawingObject* object = ObjectAt(g.objects.Get(), index);
    int32_t id = object->objectId;
    bool isArray = object->kind == kKindArray;
    int first = FindFirstLink(g.links.Get(), id, 1);
    for (int i = first; i >= 0 && i < g.links.Count() && LinkEntryAt(g.links.Get(), i)->targetId == id; ++i) {
        LinkEntry entry = *LinkEntryAt(g.links.Get(), i);
        int source = FindObjectIndex(g.objects.Get(), entry.sourceId, entry.sourceHint);
        if (source < 0 || source == index)
            continue;
        DrawingObject* holder = ObjectAt(g.objects.Get(), source);
        int branchSlot = isArray ? BranchSlotOn(holder, id) : -1;
        if (mode != kGatherWithLineEnds && SlotsInUse(holder) != 1 && branchSlot < 0)
            continue;
        if (Collected(g, source, mode))
            continue;
        ErrorCode code = Take(g, source, mode);
        if (code != kErrNone)
            return code;
        code = GatherLinkedFrom(g, source, mode, depth + 1);
        if (code != kErrNone)
            return code;
        holder = ObjectAt(g.objects.Get(), source);
        if (branchSlot >= 0) {
            int farEnd = FarEnd(g.objects.Get(), holder, branchSlot);
            if (farEnd >= 0 && !Collected(g, farEnd, mode)) {
                code = GatherObject(g, farEnd, mode == kGatherWithLineEnds ? mode : kGatherStructure, depth + 1);
                if (code != kErrNone)
                    return code;
            }
        } else if (mode == kGatherWithLineEnds && depth == 0 && SlotsInUse(holder) > 1) {
            for (int slot = 0; slot < SlotsInUse(holder); ++slot) {
                int end = FindObjectIndex(g.objects.Get(), holder->links[slot].targetId,
                                          holder->links[slot].targetHint);
                if (end >= 0 && end != index && !Collected(g, end, mode)) {
                    code = Take(g, end, mode);
                    if (code != kErrNone)
                        return code;
                }
                holder = ObjectAt(g.objects.Get(), source);
            }
        }
    }
    return kErrNone;
}

// The targets of the object's own slots, with what hangs on them; a full
// list simply stops the walk.
void GatherHostedObjects(Gatherer& g, int index, int depth)
{
    DrawingObject* object = ObjectAt(g.objects.Get(), index);
    for (int slot = 0; slot < SlotsInUse(object); ++slot) {
        int target = FindObjectIndex(g.objects.Get(), object->links[slot].targetId, object->links[slot].targetHint);
        if (target >= 0 && !Collected(g, target, kGatherStructure)) {
            if (GatherObject(g, target, kGatherStructure, depth + 1) != kErrNone)
                return;
        }
        object = ObjectAt(g.objects.Get(), index);
    }
}

ErrorCode GatherObject(Gatherer& g, int index, int mode, int depth)
{
    DrawingObject* object = ObjectAt(g.objects.Get(), index);
    bool several = SlotsInUse(object) > 1 || (object->stateFlags & kStateAttached);
    if (mode == kGatherHangingAsSelf) {
        // A hanging object moves as itself; what hangs on it follows through
        // the link update.
        if (SlotsInUse(object) == 1 && !several)
            return Collected(g, index, mode) ? kErrNone : Take(g, index, mode);
        mode = kGatherStructure;
    }
    if (mode == kGatherStructure && Collected(g, index, mode))
        return kErrNone;
    ErrorCode code = Take(g, index, mode);
    if (code != kErrNone || mode == kGatherAlone)
        return code;
    code = GatherLinkedFrom(g, index, mode, depth);
    if (code != kErrNone)
        return code;
    object = ObjectAt(g.objects.Get(), index);
    if (mode == kGatherStructure && (SlotsInUse(object) > 1 || (object->stateFlags & kStateAttached)))
        GatherHostedObjects(g, index, depth);
    return kErrNone;
}

HGLOBAL NewList(int objectCount)
{
    SIZE_T size = static_cast<SIZE_T>(objectCount) * 8 + sizeof(ObjectIndexListHead);
    HGLOBAL list = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!list)
        return nullptr;
    ObjectIndexListHead* head = Head(list);
    head->selfToken = AddHandleToken(list);
    head->count = 0;
    head->capacity = 2 * objectCount;
    return list;
}

void AddGroupMembers(DrawingRecord* drawing, LockedTable& objects, HGLOBAL list, RECT* rect)
{
    LockedTable groups(drawing, kTableGroups);
    LockedTable links(drawing, kTableLinks);
    if (!groups.Get())
        return;
    for (int i = 0; i < ListCount(list); ++i) {
        const DrawingObject* object = ObjectAt(objects.Get(), ListIndex(list, i));
        if (object->groupIndex >= 0)
            FindGroupInTable(groups.Get(), object->groupKey, object->groupIndex, kGroupMoving);
    }
    Gatherer g = {drawing, objects, links, list, rect};
    for (int i = 0; i < objects.Count(); ++i) {
        const DrawingObject* object = ObjectAt(objects.Get(), i);
        if (object->groupIndex < 0 || (object->stateFlags & kStateCollected) || InList(list, i))
            continue;
        int row = FindGroupInTable(groups.Get(), object->groupKey, object->groupIndex, 0);
        if (row >= 0 && (GroupEntryAt(groups.Get(), row)->flags & kGroupMoving)) {
            if (Take(g, i, kGatherStructure) != kErrNone)
                break;
        }
    }
    for (int row = 0; row < groups.Count(); ++row)
        GroupEntryAt(groups.Get(), row)->flags &= ~kGroupMoving;
}

} // namespace

int ListCount(HGLOBAL list)
{
    return list ? Head(list)->count : 0;
}

int ListIndex(HGLOBAL list, int position)
{
    return Entries(Head(list))[position];
}

ErrorCode GatherLinkedObjects(DrawingRecord* drawing, int index, HGLOBAL* list, int mode, RECT* rect)
{
    LockedTable objects(drawing, kTableObjects);
    LockedTable links(drawing, kTableLinks);
    if (!objects.Get() || index < 0 || index >= objects.Count())
        return kErrNone;
    bool made = false;
    if (!*list) {
        *list = NewList(objects.Count());
        if (!*list)
            return kErrNoMemory;
        made = true;
    }
    Gatherer g = {drawing, objects, links, *list, rect};
    ErrorCode code = GatherObject(g, index, mode, 0);
    if (code != kErrNone && made) {
        FreeLinkedObjects(*list, objects.Get());
        *list = nullptr;
    }
    return code;
}

void FreeLinkedObjects(HGLOBAL list, void* objectTable)
{
    if (!list)
        return;
    ObjectIndexListHead* head = Head(list);
    if (objectTable) {
        for (int i = 0; i < head->count; ++i) {
            int index = Entries(head)[i];
            if (index >= 0 && index < TableCount(objectTable))
                ObjectAt(objectTable, index)->stateFlags &= ~kStateCollected;
        }
    }
    FreeHandleToken(head->selfToken);
    GlobalFree(list);
}

int FollowSingleLinks(void* objectTable, int index)
{
    int count = TableCount(objectTable);
    // A cycle of hanging objects has no root: stop after every object once.
    for (int steps = 0; steps < count; ++steps) {
        const DrawingObject* object = ObjectAt(objectTable, index);
        if (SlotsInUse(object) != 1)
            break;
        int target = FindObjectIndex(objectTable, object->links[0].targetId, object->links[0].targetHint);
        if (target < 0 || target == index)
            break;
        index = target;
    }
    return index;
}

ErrorCode CollectObjectsToMove(DrawingRecord* drawing, int index, int withSelection, int includeHooked,
                               int ignoreSelection, HGLOBAL* list, RECT* rect)
{
    *list = nullptr;
    if (rect)
        SetRectEmpty(rect);
    LockedTable objects(drawing, kTableObjects);
    if (!objects.Get())
        return kErrNoMemory;
    if (index >= objects.Count())
        return kErrNone;
    int32_t groupKey = 0;
    int groupRow = -1;
    if (index >= 0) {
        DrawingObject* object = ObjectAt(objects.Get(), index);
        if (object->groupIndex >= 0) {
            groupRow = FindGroup(drawing, object->groupKey, object->groupIndex, 0);
            object->groupIndex = groupRow;
            groupKey = object->groupKey;
        }
        uint32_t capabilities = static_cast<uint32_t>(
            CallKind(object->kind, nullptr, nullptr, nullptr, -1, kMsgCapabilities, object->shapeType));
        objects.Refresh();
        object = ObjectAt(objects.Get(), index);
        if ((capabilities & kCapabilityFollowsHost) && withSelection && SlotsInUse(object) > 0)
            index = FollowSingleLinks(objects.Get(), index);
    }
    bool selectionCounts = withSelection && drawing->selectedCount >= 2;
    ErrorCode code = kErrNone;
    if (selectionCounts || groupRow >= 0 || index < 0) {
        for (int i = 0; i < objects.Count() && code == kErrNone; ++i) {
            const DrawingObject* object = ObjectAt(objects.Get(), i);
            bool selected = !ignoreSelection && selectionCounts && (object->stateFlags & kStateSelected);
            bool member = groupRow >= 0 && object->groupIndex >= 0 && object->groupKey == groupKey;
            if (!(selected || member || i == index))
                continue;
            if (SlotsInUse(object) > 0 && !includeHooked)
                continue;
            code = GatherLinkedObjects(drawing, i, list, kGatherHangingAsSelf, rect);
            objects.Refresh();
        }
    } else if (includeHooked || SlotsInUse(ObjectAt(objects.Get(), index)) == 0) {
        code = GatherLinkedObjects(drawing, index, list, kGatherHangingAsSelf, rect);
        objects.Refresh();
    }
    if (code != kErrNone) {
        FreeLinkedObjects(*list, objects.Get());
        *list = nullptr;
        return code;
    }
    if (*list && !ignoreSelection)
        AddGroupMembers(drawing, objects, *list, rect);
    return kErrNone;
}
