#include "objects/object_links.h"

#include <cstring>

#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"

namespace {

// One past the last entry of the run of a target id that starts at `first`.
int RunEnd(void* links, int first, int32_t targetId)
{
    int end = first;
    while (end < TableCount(links) && LinkEntryAt(links, end)->targetId == targetId)
        ++end;
    return end;
}

} // namespace

void RemoveLinkEntry(void* links, int index)
{
    auto* head = static_cast<TableHead*>(links);
    int later = head->count - index - 1;
    if (later > 0)
        std::memmove(LinkEntryAt(links, index), LinkEntryAt(links, index + 1),
                     static_cast<size_t>(later) * kLinkEntrySize);
    --head->count;
}

ErrorCode ShrinkLinkTable(DrawingRecord* drawing, LockedTable& links)
{
    DWORD size = kTableHeadSize + kLinkEntrySize * static_cast<DWORD>(links.Count());
    ErrorCode code = ResizeDrawingTable(drawing, kTableLinks, size);
    links.Refresh();
    if (code == kErrNone)
        code = SetDrawingTableDirty(drawing, kTableLinks);
    return code;
}

int FindObjectIndex(void* objectTable, int32_t id, int hint)
{
    if (!objectTable)
        return -1;
    int count = TableCount(objectTable);
    if (hint >= 0 && hint < count && ObjectAt(objectTable, hint)->objectId == id)
        return hint;
    for (int i = 0; i < count; ++i) {
        if (ObjectAt(objectTable, i)->objectId == id)
            return i;
    }
    return -1;
}

int FindFirstLink(void* linkTable, int32_t targetId, int exact)
{
    int low = 0;
    int high = TableCount(linkTable) - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        int32_t key = LinkEntryAt(linkTable, middle)->targetId;
        if (key == targetId) {
            while (middle > 0 && LinkEntryAt(linkTable, middle - 1)->targetId == targetId)
                --middle;
            return middle;
        }
        if (key < targetId)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return exact ? -1 : low;
}

void MarkLinksOf(DrawingRecord* drawing, int32_t targetId, uint32_t flags, int32_t groupKey, int groupIndex)
{
    if (MarkDrawingTableChanged(drawing, kTableLinks) != kErrNone ||
        MarkDrawingTableChanged(drawing, kTableGroups) != kErrNone ||
        MarkDrawingTableChanged(drawing, kTableObjects) != kErrNone)
        return;
    LockedTable links(drawing, kTableLinks);
    if (links.Get()) {
        int first = FindFirstLink(links.Get(), targetId, 1);
        if (first >= 0) {
            LockedTable objects(drawing, kTableObjects);
            int target = FindObjectIndex(objects.Get(), targetId, LinkEntryAt(links.Get(), first)->targetHint);
            if (target >= 0)
                CallObjectKind(nullptr, drawing, objects.Get(), target, kMsgLinkChanged, kNoObjectId, -1, -1);
            links.Refresh();
            first = FindFirstLink(links.Get(), targetId, 1);
            for (int i = first; i >= 0 && i < RunEnd(links.Get(), first, targetId); ++i)
                LinkEntryAt(links.Get(), i)->flags |= flags;
            DiscardError(SetDrawingTableDirty(drawing, kTableLinks), "the link table is locked here: it exists");
        }
    }
    if (groupIndex >= 0)
        FindGroup(drawing, groupKey, groupIndex, kGroupLinksChanged);
}

namespace {

// What hangs on the object gets `ownFlags`; when the object itself hangs on
// one target, what hangs there follows too, so the object comes back to its
// hook point. The object comes as a copy: marking reaches the kinds, which
// may move the table.
void MarkOwnAndHostLinks(DrawingRecord* drawing, const DrawingObject object, uint32_t ownFlags)
{
    MarkLinksOf(drawing, object.objectId, ownFlags, object.groupKey, object.groupIndex);
    if (object.linkCount != 1)
        return;
    LockedTable objects(drawing, kTableObjects);
    int target = FindObjectIndex(objects.Get(), object.links[0].targetId, object.links[0].targetHint);
    if (target < 0)
        return;
    const DrawingObject* host = ObjectAt(objects.Get(), target);
    MarkLinksOf(drawing, host->objectId, kLinkTargetMoved, host->groupKey, host->groupIndex);
}

} // namespace

void MarkObjectLinks(DrawingRecord* drawing, void* objectTable, int index, uint32_t ownFlags)
{
    MarkOwnAndHostLinks(drawing, *ObjectAt(objectTable, index), ownFlags);
}

void MarkFrameChanged(DrawingRecord* drawing, const DrawingObject* object)
{
    if (drawing && object)
        MarkOwnAndHostLinks(drawing, *object, kLinkTargetMoved);
}

void DetachSlot(DrawingRecord* drawing, void* objectTable, int index, int slot)
{
    DrawingObject* object = ObjectAt(objectTable, index);
    int count = SlotsInUse(object);
    if (slot < 0 || slot >= count)
        return;
    CallObjectKind(nullptr, drawing, objectTable, index, kMsgSlotAttached, slot, 0, 0);
    object = ObjectAt(objectTable, index);
    for (int later = slot; later + 1 < count; ++later)
        object->links[later] = object->links[later + 1];
    object->linkCount = count - 1;
}

void DetachSlotsFrom(DrawingRecord* drawing, void* objectTable, int index, int32_t targetId)
{
    for (int slot = SlotsInUse(ObjectAt(objectTable, index)) - 1; slot >= 0; --slot) {
        if (ObjectAt(objectTable, index)->links[slot].targetId == targetId)
            DetachSlot(drawing, objectTable, index, slot);
    }
}

ErrorCode RemoveLinksTo(DrawingRecord* drawing, int32_t targetId, int32_t sourceId)
{
    ErrorCode code = MarkDrawingTableChanged(drawing, kTableLinks);
    if (code != kErrNone)
        return code;
    LockedTable links(drawing, kTableLinks);
    LockedTable objects(drawing, kTableObjects);
    if (!links.Get())
        return kErrNoMemory;
    int first = FindFirstLink(links.Get(), targetId, 1);
    if (first < 0)
        return kErrNone;
    int i = first;
    while (i < links.Count() && LinkEntryAt(links.Get(), i)->targetId == targetId) {
        LinkEntry entry = *LinkEntryAt(links.Get(), i);
        if (sourceId != 0 && entry.sourceId != sourceId) {
            ++i;
            continue;
        }
        int source = FindObjectIndex(objects.Get(), entry.sourceId, entry.sourceHint);
        if (source >= 0) {
            DetachSlotsFrom(drawing, objects.Get(), source, targetId);
            objects.Refresh();
            links.Refresh();
        }
        RemoveLinkEntry(links.Get(), i);
    }
    return ShrinkLinkTable(drawing, links);
}

ErrorCode RebuildLinkTable(DrawingRecord* drawing)
{
    ErrorCode code = MarkDrawingTableChanged(drawing, kTableLinks);
    if (code == kErrNone)
        code = SetDrawingTableDirty(drawing, kTableObjects);
    if (code != kErrNone)
        return code;
    LockedTable links(drawing, kTableLinks);
    LockedTable objects(drawing, kTableObjects);
    if (!links.Get() || !objects.Get())
        return kErrNoMemory;
    bool removed = false;
    int i = links.Count() - 1;
    while (i >= 0) {
        LinkEntry entry = *LinkEntryAt(links.Get(), i);
        int target = FindObjectIndex(objects.Get(), entry.targetId, entry.targetHint);
        if (target < 0) {
            code = RemoveLinksTo(drawing, entry.targetId, 0);
            if (code != kErrNone)
                return code;
            links.Refresh();
            objects.Refresh();
            i = links.Count() - 1;
            continue;
        }
        int source = FindObjectIndex(objects.Get(), entry.sourceId, entry.sourceHint);
        if (source < 0) {
            CallObjectKind(nullptr, drawing, objects.Get(), target, kMsgLinkChanged, entry.sourceId, -1, -1);
            links.Refresh();
            objects.Refresh();
            RemoveLinkEntry(links.Get(), i);
            removed = true;
            --i;
            continue;
        }
        LinkEntry* live = LinkEntryAt(links.Get(), i);
        live->targetHint = target;
        live->sourceHint = source;
        DrawingObject* holder = ObjectAt(objects.Get(), source);
        for (int slot = 0; slot < SlotsInUse(holder); ++slot) {
            if (holder->links[slot].targetId == entry.targetId)
                holder->links[slot].targetHint = target;
        }
        --i;
    }
    // Array branch lists keep hints of their own; the array kind refreshes them.
    if (removed)
        return ShrinkLinkTable(drawing, links);
    return SetDrawingTableDirty(drawing, kTableLinks);
}

int HasSingleBranchHook(const DrawingObject* object)
{
    return object->linkCount == 1 && object->links[0].connectCode > 304;
}

int FindHostObject(void* objectTable, int index, int selectedOnly)
{
    DrawingObject* object = ObjectAt(objectTable, index);
    int host = -1;
    if ((object->stateFlags & kStateAttached) && object->labelPartnerId != kNoObjectId) {
        host = FindObjectIndex(objectTable, object->labelPartnerId, object->labelPartnerHint);
        if (host < 0)
            object->labelPartnerId = kNoObjectId;
        else
            object->labelPartnerHint = host;
    } else {
        for (int slot = 0; slot < SlotsInUse(object); ++slot) {
            int target = FindObjectIndex(objectTable, object->links[slot].targetId, object->links[slot].targetHint);
            if (target >= 0 && ObjectAt(objectTable, target)->kind == kKindArray) {
                host = target;
                break;
            }
        }
    }
    if (host >= 0 && selectedOnly && !(ObjectAt(objectTable, host)->stateFlags & kStateSelected))
        return -1;
    return host;
}
