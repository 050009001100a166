#include "objects/object_delete.h"

#include <cstring>
#include <vector>

#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/text_format_bar.h"
#include "store/record_store.h"

namespace {

bool IsSelected(const DrawingObject* object)
{
    return (object->stateFlags & kStateSelected) != 0;
}

void Select(DrawingRecord* drawing, DrawingObject* object)
{
    object->stateFlags |= kStateSelected;
    ++drawing->selectedCount;
}

// Deletes one record if it is there; the block is freed once it is out.
void DeleteStoreRecord(int store, int group, int id)
{
    if (group < 0 || group > 0x7FFF || id < 0 || id > 0x7FFF)
        return;
    RecordHandle record = nullptr;
    if (FindRecord(store, static_cast<short>(group), static_cast<short>(id), &record) != kErrNone)
        return;
    if (DeleteRecordByHandle(record) == kErrNone)
        GlobalFree(record);
    else
        ReleaseRecord(record);
}

void DeleteObjectRecords(const DrawingRecord* drawing, const DrawingObject* object)
{
    int store = drawing->storeSlot;
    if (object->dataGroup >= 0 && object->dataFirstId >= 0) {
        for (int k = 0; k < object->dataCount && object->dataFirstId + k <= 0x7FFF; ++k)
            DeleteStoreRecord(store, object->dataGroup, object->dataFirstId + k);
    }
    if (object->textRecordId >= 0)
        DeleteStoreRecord(store, kTextGroup, object->textRecordId);
    DeleteStoreRecord(store, kAttachmentGroup, object->objectId);
}

// A deleted label leaves its host without a label: both the host's
// length-label bit and its reference to the label go.
void ReleaseLabelHost(void* objects, const DrawingObject* label)
{
    int host = FindObjectIndex(objects, label->labelPartnerId, label->labelPartnerHint);
    if (host < 0)
        return;
    DrawingObject* carrier = ObjectAt(objects, host);
    carrier->textRoleFlags &= ~0x40u;
    if (carrier->labelPartnerId == label->objectId) {
        carrier->labelPartnerId = kNoObjectId;
        carrier->labelPartnerHint = -1;
    }
}

void RemoveTableEntry(void* objects, int index)
{
    auto* head = static_cast<TableHead*>(objects);
    int later = head->count - index - 1;
    if (later > 0)
        std::memmove(ObjectAt(objects, index), ObjectAt(objects, index + 1),
                     static_cast<size_t>(later) * kObjectEntrySize);
    --head->count;
}

void RemoveDrawOrderPosition(void* order, int position, int deletedIndex)
{
    auto* head = static_cast<TableHead*>(order);
    int32_t* entries = DrawOrderEntries(order);
    int later = head->count - position - 1;
    if (later > 0)
        std::memmove(entries + position, entries + position + 1, static_cast<size_t>(later) * 4);
    --head->count;
    for (int i = 0; i < head->count; ++i) {
        if (entries[i] > deletedIndex)
            --entries[i];
    }
}

// Selects what must go or stay together with the selection.
void WidenSelection(DrawingRecord* drawing, void* objects, int mode)
{
    int count = TableCount(objects);
    if (mode == 0) {
        for (int i = 0; i < count; ++i) {
            DrawingObject* object = ObjectAt(objects, i);
            if (!IsSelected(object) && FindHostObject(objects, i, 1) >= 0)
                Select(drawing, object);
        }
    }
    for (int i = 0; i < count; ++i) {
        DrawingObject* object = ObjectAt(objects, i);
        if (!IsSelected(object) || object->labelPartnerId == kNoObjectId || (object->stateFlags & kStateAttached))
            continue;
        int label = FindObjectIndex(objects, object->labelPartnerId, object->labelPartnerHint);
        if (label >= 0) {
            DrawingObject* partner = ObjectAt(objects, label);
            if ((partner->stateFlags & kStateAttached) && !IsSelected(partner))
                Select(drawing, partner);
        }
    }
}

// What every deletion ends with: the id counter past the largest id left, the
// groups that lost members laid out again, the tables cut to their counts.
ErrorCode TidyAfterDeletion(DrawingRecord* drawing, LockedTable& objects, LockedTable& order, LockedTable& groups,
                            bool leftGroup, ErrorCode code)
{
    int32_t largest = 0;
    for (int i = 0; i < objects.Count(); ++i) {
        int32_t id = ObjectAt(objects.Get(), i)->objectId;
        if (id > largest)
            largest = id;
    }
    drawing->lastObjectId = largest + 1;

    if (leftGroup && groups.Get()) {
        for (int row = groups.Count() - 1; row >= 0; --row) {
            GroupEntry* group = GroupEntryAt(groups.Get(), row);
            if (group->flags & kGroupMemberDeleted) {
                group->flags &= ~kGroupMemberDeleted;
                RecalcGroupRect(drawing, row, nullptr);
                groups.Refresh();
                objects.Refresh();
            }
        }
    }
    if (code != kErrNone)
        return code;

    const int count = objects.Count();
    code = ResizeDrawingTable(drawing, kTableObjects, kTableHeadSize + kObjectEntrySize * static_cast<DWORD>(count + 1));
    if (code == kErrNone)
        code = ResizeDrawingTable(drawing, kTableDrawOrder, kTableHeadSize + 4 * static_cast<DWORD>(count));
    objects.Refresh();
    order.Refresh();
    return code;
}

} // namespace

int LeaveGroupOnDelete(DrawingRecord*, void* groupTable, DrawingObject* object)
{
    if (object->groupIndex < 0)
        return 0;
    int row = FindGroupInTable(groupTable, object->groupKey, object->groupIndex, 0);
    if (row < 0)
        return 0;
    object->groupIndex = row;
    GroupEntry* group = GroupEntryAt(groupTable, row);
    --group->memberCount;
    group->flags |= kGroupMemberDeleted;
    return 1;
}

ErrorCode DeleteObjects(DrawingRecord* drawing, int mode, int index)
{
    LockedTable objects(drawing, kTableObjects);
    LockedTable order(drawing, kTableDrawOrder);
    LockedTable groups(drawing, kTableGroups);
    if (!objects.Get() || !order.Get())
        return kErrNoMemory;
    if (index >= objects.Count())
        return kErrNone;

    int target = index;
    int label = -1;
    if (index < 0) {
        WidenSelection(drawing, objects.Get(), mode);
    } else {
        DrawingObject* object = ObjectAt(objects.Get(), index);
        if (object->labelPartnerId != kNoObjectId) {
            int partner = FindObjectIndex(objects.Get(), object->labelPartnerId, object->labelPartnerHint);
            if (partner >= 0 && partner != index && (ObjectAt(objects.Get(), partner)->stateFlags & kStateAttached))
                label = partner;
        }
    }

    ErrorCode code = kErrNone;
    bool leftGroup = false;
    for (int position = TableCount(order.Get()) - 1; position >= 0; --position) {
        if (position >= TableCount(order.Get()))
            continue;
        int i = DrawOrderEntries(order.Get())[position];
        if (i < 0 || i >= objects.Count())
            continue;
        DrawingObject* object = ObjectAt(objects.Get(), i);
        bool goes = index < 0 ? (mode == 1 ? IsSelected(object) : !IsSelected(object)) : (i == target || i == label);
        if (!goes)
            continue;
        if (index >= 0) {
            if (IsSelected(object))
                --drawing->selectedCount;
            if (objects.Count() == 1)
                drawing->loadedSet = 0;
        }
        // The primary selection follows its object down the table.
        if (drawing->primarySelected == i)
            drawing->primarySelected = -1;
        else if (drawing->primarySelected > i)
            --drawing->primarySelected;

        int32_t id = object->objectId;
        CallObjectKind(nullptr, drawing, objects.Get(), i, kMsgAboutToDelete);
        objects.Refresh();
        order.Refresh();
        groups.Refresh();
        object = ObjectAt(objects.Get(), i);
        if (object->stateFlags & kStateAttached)
            ReleaseLabelHost(objects.Get(), object);
        DeleteObjectRecords(drawing, object);
        if (groups.Get() && LeaveGroupOnDelete(drawing, groups.Get(), object))
            leftGroup = true;
        RemoveTableEntry(objects.Get(), i);
        RemoveDrawOrderPosition(order.Get(), position, i);
        if (target > i)
            --target;
        if (label > i)
            --label;
        code = RemoveLinksTo(drawing, id, 0);
        objects.Refresh();
        order.Refresh();
        groups.Refresh();
        if (code != kErrNone)
            break;
    }

    code = TidyAfterDeletion(drawing, objects, order, groups, leftGroup, code);
    if (code != kErrNone)
        return code;
    int count = objects.Count();
    if (index < 0 && mode == 1) {
        if (count == 0)
            drawing->loadedSet = 0;
        drawing->selectedCount = 0;
        drawing->primarySelected = -1;
    }
    code = RebuildLinkTable(drawing);
    UpdateTextFormatBar(DrawingViewWindow(drawing));
    return code;
}

ErrorCode DeleteUnselectedObjects(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    LockedTable order(drawing, kTableDrawOrder);
    LockedTable groups(drawing, kTableGroups);
    if (!objects.Get() || !order.Get())
        return kErrNoMemory;
    WidenSelection(drawing, objects.Get(), 0);
    const int count = objects.Count();
    std::vector<int> newIndex(static_cast<size_t>(count), -1);
    bool leftGroup = false;
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        DrawingObject* object = ObjectAt(objects.Get(), i);
        if (IsSelected(object)) {
            newIndex[static_cast<size_t>(i)] = kept++;
            continue;
        }
        if (object->stateFlags & kStateAttached)
            ReleaseLabelHost(objects.Get(), object);
        DeleteObjectRecords(drawing, object);
        if (groups.Get() && LeaveGroupOnDelete(drawing, groups.Get(), object))
            leftGroup = true;
    }
    // One pass moves the kept entries down and renumbers the draw order.
    for (int i = 0; i < count; ++i) {
        const int to = newIndex[static_cast<size_t>(i)];
        if (to >= 0 && to != i)
            std::memmove(ObjectAt(objects.Get(), to), ObjectAt(objects.Get(), i), kObjectEntrySize);
    }
    static_cast<TableHead*>(objects.Get())->count = kept;
    int32_t* entries = DrawOrderEntries(order.Get());
    int placed = 0;
    for (int position = 0; position < TableCount(order.Get()); ++position) {
        const int old = entries[position];
        if (old >= 0 && old < count && newIndex[static_cast<size_t>(old)] >= 0)
            entries[placed++] = newIndex[static_cast<size_t>(old)];
    }
    static_cast<TableHead*>(order.Get())->count = placed;
    const int primary = drawing->primarySelected;
    drawing->primarySelected = primary >= 0 && primary < count ? newIndex[static_cast<size_t>(primary)] : -1;
    ErrorCode code = TidyAfterDeletion(drawing, objects, order, groups, leftGroup, kErrNone);
    if (code == kErrNone)
        code = RebuildLinkTable(drawing);
    return code;
}
