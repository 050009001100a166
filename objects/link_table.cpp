#include "objects/link_table.h"

#include <cstring>

#include "objects/app_options.h"
#include "common/app_globals.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"

namespace {

const int kHintShapeLinkCommand = 995;
const int kHintLineLinkCommand = 996;

bool lineLinkHintShown = false;
bool shapeLinkHintShown = false;

bool HintsWanted()
{
    if (!AppOptions)
        return false;
    uint16_t flags;
    std::memcpy(&flags, AppOptions + kOptionsFlags, sizeof(flags));
    return (flags & kOptionsHints) != 0;
}

void ShowLinkHintOnce(int kind)
{
    bool line = kind >= kKindLine && kind <= kKindArray;
    bool& shown = line ? lineLinkHintShown : shapeLinkHintShown;
    if (shown || !HintsWanted() || !MainWindow)
        return;
    shown = true;
    PostMessageA(MainWindow, WM_COMMAND, line ? kHintLineLinkCommand : kHintShapeLinkCommand, 0);
}

} // namespace

int FindSlotByConnectPoint(const DrawingObject* object, int code)
{
    for (int slot = 0; slot < SlotsInUse(object); ++slot) {
        if (object->links[slot].connectCode == code)
            return slot;
    }
    return -1;
}

ErrorCode AddLink(DrawingRecord* drawing, int sourceIndex, int slot)
{
    ErrorCode code = MarkDrawingTableChanged(drawing, kTableLinks);
    if (code != kErrNone)
        return code;
    LinkEntry entry;
    int count = 0;
    {
        LockedTable objects(drawing, kTableObjects);
        LockedTable links(drawing, kTableLinks);
        if (!objects.Get() || !links.Get() || sourceIndex < 0 || sourceIndex >= objects.Count())
            return kErrNoMemory;
        const DrawingObject* source = ObjectAt(objects.Get(), sourceIndex);
        if (slot < 0 || slot >= SlotsInUse(source))
            return kErrNone;
        entry.targetId = source->links[slot].targetId;
        entry.targetHint = source->links[slot].targetHint;
        entry.sourceId = source->objectId;
        entry.sourceHint = sourceIndex;
        entry.flags = 0;
        count = links.Count();
    }
    if (count + 1 > kMaxLinks)
        return kErrTooManyLinks;
    code = ResizeDrawingTable(drawing, kTableLinks, kTableHeadSize + kLinkEntrySize * static_cast<DWORD>(count + 1));
    if (code != kErrNone)
        return code;
    LockedTable links(drawing, kTableLinks);
    if (!links.Get())
        return kErrNoMemory;
    // Within the target's run the entries keep their order of insertion; a
    // second link of one source goes right before its first.
    int place = FindFirstLink(links.Get(), entry.targetId, 0);
    while (place < count && LinkEntryAt(links.Get(), place)->targetId == entry.targetId &&
           LinkEntryAt(links.Get(), place)->sourceId != entry.sourceId)
        ++place;
    if (place < count)
        std::memmove(LinkEntryAt(links.Get(), place + 1), LinkEntryAt(links.Get(), place),
                     static_cast<size_t>(count - place) * kLinkEntrySize);
    *LinkEntryAt(links.Get(), place) = entry;
    static_cast<TableHead*>(links.Get())->count = count + 1;
    return SetDrawingTableDirty(drawing, kTableLinks);
}

ErrorCode RemoveOneLink(DrawingRecord* drawing, int32_t targetId, int32_t sourceId, int slot)
{
    ErrorCode code = MarkDrawingTableChanged(drawing, kTableLinks);
    if (code != kErrNone)
        return code;
    LockedTable links(drawing, kTableLinks);
    LockedTable objects(drawing, kTableObjects);
    if (!links.Get() || !objects.Get())
        return kErrNoMemory;
    int first = FindFirstLink(links.Get(), targetId, 1);
    int found = -1;
    for (int i = first; i >= 0 && i < links.Count() && LinkEntryAt(links.Get(), i)->targetId == targetId; ++i) {
        if (LinkEntryAt(links.Get(), i)->sourceId == sourceId) {
            found = i;
            break;
        }
    }
    int hint = found >= 0 ? LinkEntryAt(links.Get(), found)->sourceHint : -1;
    int source = FindObjectIndex(objects.Get(), sourceId, hint);
    if (source >= 0) {
        DrawingObject* holder = ObjectAt(objects.Get(), source);
        if (slot < 0 || slot >= SlotsInUse(holder) || holder->links[slot].targetId != targetId) {
            // No slot named: the last one on that target goes.
            slot = -1;
            for (int s = SlotsInUse(holder) - 1; s >= 0 && slot < 0; --s) {
                if (holder->links[s].targetId == targetId)
                    slot = s;
            }
        }
        if (slot >= 0) {
            DetachSlot(drawing, objects.Get(), source, slot);
            objects.Refresh();
            links.Refresh();
        }
    }
    if (found < 0)
        return kErrNone;
    RemoveLinkEntry(links.Get(), found);
    return ShrinkLinkTable(drawing, links);
}

ErrorCode ConnectSlot(DrawingRecord* drawing, int sourceIndex, int slot, int targetIndex, int code, int x, int y)
{
    ErrorCode result = MarkDrawingTableChanged(drawing, kTableLinks);
    if (result == kErrNone)
        result = MarkDrawingTableChanged(drawing, kTableObjects);
    if (result != kErrNone)
        return result;

    LockedTable objects(drawing, kTableObjects);
    if (!objects.Get())
        return kErrNoMemory;
    if (sourceIndex < 0)
        sourceIndex = objects.Count() - 1;
    if (sourceIndex < 0 || sourceIndex >= objects.Count() || targetIndex >= objects.Count())
        return kErrNone;
    DrawingObject* source = ObjectAt(objects.Get(), sourceIndex);
    int32_t sourceId = source->objectId;
    bool isNew = false;
    if (slot < 0) {
        if (targetIndex >= 0 && SlotsInUse(source) < source->linkCapacity && SlotsInUse(source) < 2) {
            slot = SlotsInUse(source);
            isNew = true;
            ShowLinkHintOnce(source->kind);
        }
    } else if (slot < SlotsInUse(source)) {
        LinkSlot& held = source->links[slot];
        int current = FindObjectIndex(objects.Get(), held.targetId, held.targetHint);
        if (current != targetIndex) {
            // Only this end leaves its old target: another end of the same
            // source on that target keeps its link.
            int32_t oldId = held.targetId;
            if (current >= 0)
                CallObjectKind(nullptr, drawing, objects.Get(), current, kMsgLinkChanged, sourceId, -1, -1);
            result = RemoveOneLink(drawing, oldId, sourceId, slot);
            objects.Refresh();
            if (result != kErrNone)
                return result;
            source = ObjectAt(objects.Get(), sourceIndex);
            slot = -1;
            if (targetIndex >= 0 && SlotsInUse(source) < source->linkCapacity && SlotsInUse(source) < 2) {
                slot = SlotsInUse(source);
                isNew = true;
            }
        }
    } else if (slot < source->linkCapacity && slot < 2 && slot == SlotsInUse(source) && targetIndex >= 0) {
        isNew = true;
    } else {
        slot = -1;
    }
    if (targetIndex < 0 || slot < 0)
        return kErrNone;

    source = ObjectAt(objects.Get(), sourceIndex);
    DrawingObject* target = ObjectAt(objects.Get(), targetIndex);
    LinkSlot& held = source->links[slot];
    held.targetHint = targetIndex;
    held.targetId = target->objectId;
    held.connectCode = code;
    held.x = x;
    held.y = y;
    if (isNew)
        source->linkCount = slot + 1;
    CallObjectKind(nullptr, drawing, objects.Get(), sourceIndex, kMsgSlotAttached, slot, 1, 0);
    objects.Refresh();
    if (!isNew)
        return kErrNone;
    result = AddLink(drawing, sourceIndex, slot);
    objects.Refresh();
    if (result == kErrNone)
        result = CallObjectKindCode(nullptr, drawing, objects.Get(), targetIndex, kMsgLinkChanged, sourceId, slot,
                                sourceIndex);
    return result;
}
