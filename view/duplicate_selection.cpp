// Duplicate: copies of the selection (with the labels hanging on it) placed
// at the drawing's learned step.
#include <cstring>
#include <vector>

#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "lines/array_record.h"
#include "objects/link_table.h"
#include "objects/object_ids.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "store/record_store.h"
#include "view/arrange_arithmetic.h"
#include "view/arrange_selection.h"

namespace {

const int kNotCopied = -1;
const int kMaxRecordId = 0x7FFF;

struct Copies {
    std::vector<int> newIndex;      // old object index -> copy, or kNotCopied
    std::vector<int> newRow;        // old group row -> copied row, or kNotCopied
    std::vector<int> copies;        // the copies' indices in table order
    int32_t keyBase = 0;
    RECT united = {0, 0, 0, 0};
};

bool ToCopy(void* objects, int index)
{
    if (ObjectAt(objects, index)->stateFlags & kStateSelected)
        return true;
    return FindHostObject(objects, index, 1) >= 0;
}

ErrorCode CopyRecord(int store, int group, int from, int to)
{
    RecordHandle source = nullptr;
    if (FindRecord(store, static_cast<short>(group), static_cast<short>(from), &source) != kErrNone)
        return kErrNone;   // nothing stored under this id: nothing to copy
    const DWORD size = QueryRecordSize(source);
    RecordHandle target = nullptr;
    ErrorCode code = CreateRecord(store, static_cast<short>(group), static_cast<short>(to), size, &target);
    if (code == kErrNone) {
        code = CopyRecordPayload(source, target, size);
        ReleaseRecord(target);
    }
    ReleaseRecord(source);
    return code;
}

// Source and copy each own one set of records with the same content.
ErrorCode CopyObjectRecords(DrawingRecord* drawing, DrawingObject* copy, int32_t oldId)
{
    const int store = drawing->storeSlot;
    ErrorCode code = CopyRecord(store, kAttachmentGroup, oldId, copy->objectId);
    if (code == kErrNone && copy->textRecordId >= 0 && copy->textRecordId <= kMaxRecordId) {
        short id = 0;
        code = FindFreeId(store, kTextGroup, &id);
        if (code == kErrNone)
            code = CopyRecord(store, kTextGroup, copy->textRecordId, id);
        if (code == kErrNone)
            copy->textRecordId = id;
    }
    if (code == kErrNone && copy->dataGroup > 0 && copy->dataGroup <= kMaxRecordId && copy->dataFirstId >= 0 &&
        copy->dataCount > 0) {
        short first = 0;
        code = FindFreeIdRun(store, static_cast<short>(copy->dataGroup), copy->dataCount, &first);
        for (int k = 0; code == kErrNone && k < copy->dataCount; ++k)
            code = CopyRecord(store, copy->dataGroup, copy->dataFirstId + k, first + k);
        if (code == kErrNone)
            copy->dataFirstId = first;
    }
    return code;
}

ErrorCode GrowTables(DrawingRecord* drawing, int objectCount, int copyCount, int orderCount, int rowCount,
                     int newRows)
{
    ErrorCode code = ResizeDrawingTable(
        drawing, kTableObjects, static_cast<DWORD>(kTableHeadSize + (objectCount + copyCount + 1) * kObjectEntrySize));
    if (code == kErrNone)
        code = ResizeDrawingTable(drawing, kTableDrawOrder,
                                  static_cast<DWORD>(kTableHeadSize + (orderCount + copyCount) * sizeof(int32_t)));
    if (code == kErrNone && newRows > 0)
        code = ResizeDrawingTable(drawing, kTableGroups,
                                  static_cast<DWORD>(kTableHeadSize + (rowCount + newRows) * kGroupEntrySize));
    return code;
}

void CopyGroupRows(DrawingRecord* drawing, Copies* work)
{
    LockedTable groups(drawing, kTableGroups);
    if (!groups.Get())
        return;
    const int rows = groups.Count();
    uint32_t smallest = kNoSmallestKey;
    uint32_t largest = kNoLargestKey;
    for (int row = 0; row < rows; ++row) {
        const uint32_t key = static_cast<uint32_t>(GroupEntryAt(groups.Get(), row)->key);
        smallest = key < smallest ? key : smallest;
        largest = key > largest ? key : largest;
    }
    work->keyBase = DuplicateKeyBase(smallest, largest, rows);
    work->newRow.assign(static_cast<size_t>(rows), kNotCopied);
    auto* head = static_cast<TableHead*>(groups.Get());
    for (int row = 0; row < rows; ++row) {
        GroupEntry* source = GroupEntryAt(groups.Get(), row);
        if (!(source->flags & kGroupSelected))
            continue;
        GroupEntry* copy = GroupEntryAt(groups.Get(), head->count);
        *copy = *source;
        copy->key = work->keyBase + row;
        source->flags &= ~kGroupSelected;
        InvalidateDrawingRect(drawing, &source->bounds);
        work->newRow[static_cast<size_t>(row)] = head->count++;
    }
}

int CountCopies(DrawingRecord* drawing, std::vector<int>* newIndex)
{
    LockedTable objects(drawing, kTableObjects);
    newIndex->assign(static_cast<size_t>(objects.Count()), kNotCopied);
    int count = 0;
    for (int i = 0; i < objects.Count(); ++i)
        if (ToCopy(objects.Get(), i))
            ++count;
    return count;
}

int32_t DrawOrderCount(DrawingRecord* drawing)
{
    LockedTable order(drawing, kTableDrawOrder);
    return order.Count();
}

int32_t GroupRowCount(DrawingRecord* drawing)
{
    LockedTable groups(drawing, kTableGroups);
    return groups.Count();
}

int SelectedRowCount(DrawingRecord* drawing)
{
    LockedTable groups(drawing, kTableGroups);
    int count = 0;
    for (int row = 0; row < groups.Count(); ++row)
        if (GroupEntryAt(groups.Get(), row)->flags & kGroupSelected)
            ++count;
    return count;
}

ErrorCode CopyOneObject(DrawingRecord* drawing, int index, bool primary, Copies* work)
{
    const int32_t id = NewObjectId(drawing);
    if (id == 0)
        return kErrNotDone;
    LockedTable objects(drawing, kTableObjects);
    LockedTable order(drawing, kTableDrawOrder);
    auto* head = static_cast<TableHead*>(objects.Get());
    const int at = head->count;
    DrawingObject* copy = ObjectAt(objects.Get(), at);
    std::memcpy(copy, ObjectAt(objects.Get(), index), sizeof(DrawingObject));
    const int32_t oldId = copy->objectId;
    copy->objectId = id;
    ++head->count;
    auto* orderHead = static_cast<TableHead*>(order.Get());
    DrawOrderEntries(order.Get())[orderHead->count++] = at;
    work->newIndex[static_cast<size_t>(index)] = at;
    work->copies.push_back(at);
    InvalidateDrawingRect(drawing, &ObjectAt(objects.Get(), index)->bounds);
    if (primary)
        drawing->primarySelected = at;
    if (copy->groupKey != 0 && copy->groupIndex >= 0) {
        LockedTable groups(drawing, kTableGroups);
        const int row = FindGroupInTable(groups.Get(), copy->groupKey, copy->groupIndex, 0);
        const int copiedRow = row >= 0 && row < static_cast<int>(work->newRow.size()) ? work->newRow[row] : kNotCopied;
        if (copiedRow >= 0) {
            copy->groupKey = work->keyBase + row;
            copy->groupIndex = copiedRow;
        } else {
            // A member selected without its group leaves the copy on its own.
            copy->groupKey = 0;
            copy->groupIndex = -1;
        }
    }
    if (work->copies.size() == 1)
        work->united = copy->frame;
    else
        UnionRect(&work->united, &work->united, &copy->frame);
    return CopyObjectRecords(drawing, copy, oldId);
}

ErrorCode CopyObjectsInOrder(DrawingRecord* drawing, Copies* work)
{
    std::vector<int> order;
    {
        LockedTable orderTable(drawing, kTableDrawOrder);
        const int32_t* entries = DrawOrderEntries(orderTable.Get());
        order.assign(entries, entries + orderTable.Count());
    }
    const int primary = drawing->primarySelected;
    // The primary's copy becomes the primary; without one there is none.
    drawing->primarySelected = -1;
    for (int index : order) {
        bool copy;
        {
            LockedTable objects(drawing, kTableObjects);
            copy = index >= 0 && index < static_cast<int>(work->newIndex.size()) && ToCopy(objects.Get(), index);
        }
        if (!copy)
            continue;
        ErrorCode code = CopyOneObject(drawing, index, index == primary, work);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

void DeselectSources(DrawingRecord* drawing, const Copies& work)
{
    LockedTable objects(drawing, kTableObjects);
    for (size_t i = 0; i < work.newIndex.size(); ++i)
        if (work.newIndex[i] != kNotCopied)
            ObjectAt(objects.Get(), static_cast<int>(i))->stateFlags &= ~kStateSelected;
}

int CopyOf(const Copies& work, void* objects, int32_t id, int hint)
{
    const int source = FindObjectIndex(objects, id, hint);
    if (source < 0 || source >= static_cast<int>(work.newIndex.size()))
        return kNotCopied;
    return work.newIndex[static_cast<size_t>(source)];
}

// The copy's links follow the copies of their targets; links to objects
// left behind are dropped.
ErrorCode RelinkCopy(DrawingRecord* drawing, const Copies& work, int at)
{
    for (int slot = -1;;) {
        LockedTable objects(drawing, kTableObjects);
        DrawingObject* copy = ObjectAt(objects.Get(), at);
        if (slot < 0)
            slot = SlotsInUse(copy);
        if (--slot < 0)
            break;
        const int target = CopyOf(work, objects.Get(), copy->links[slot].targetId, copy->links[slot].targetHint);
        if (target == kNotCopied) {
            for (int k = slot; k + 1 < SlotsInUse(copy); ++k)
                copy->links[k] = copy->links[k + 1];
            --copy->linkCount;
            continue;
        }
        copy->links[slot].targetId = ObjectAt(objects.Get(), target)->objectId;
        copy->links[slot].targetHint = target;
        ErrorCode code = AddLink(drawing, at, slot);
        if (code != kErrNone)
            return code;
    }
    LockedTable objects(drawing, kTableObjects);
    DrawingObject* copy = ObjectAt(objects.Get(), at);
    if (copy->labelPartnerId == kNoObjectId)
        return kErrNone;
    const int partner = CopyOf(work, objects.Get(), copy->labelPartnerId, copy->labelPartnerHint);
    if (partner == kNotCopied) {
        copy->labelPartnerId = kNoObjectId;
        copy->labelPartnerHint = -1;
        copy->stateFlags &= ~kStateAttached;
    } else {
        copy->labelPartnerId = ObjectAt(objects.Get(), partner)->objectId;
        copy->labelPartnerHint = partner;
    }
    return kErrNone;
}

// A copied array's branches hold the copies of the objects hung on them;
// a branch whose object stayed behind is left empty (that object hangs on the
// original only).
ErrorCode RehookCopiedBranches(DrawingRecord* drawing, const Copies& work, int at)
{
    LockedTable objects(drawing, kTableObjects);
    const DrawingObject* copy = ObjectAt(objects.Get(), at);
    if (copy->kind != kKindArray || copy->dataGroup != kArrayBranchGroup || copy->dataFirstId < 0 ||
        copy->dataFirstId > kMaxRecordId)
        return kErrNone;
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(drawing->storeSlot, kArrayBranchGroup, static_cast<short>(copy->dataFirstId), &record);
    if (code == kErrNone)
        code = MarkRecordChanged(record);
    if (code == kErrNone) {
        auto* list = static_cast<ArrayBranchHead*>(GlobalLock(record));
        RehookBranchEntries(list, QueryRecordSize(record), [&](int32_t* id, int32_t* hint) {
            const int target = CopyOf(work, objects.Get(), *id, *hint);
            *id = target == kNotCopied ? kBranchNoObject : ObjectAt(objects.Get(), target)->objectId;
            *hint = target == kNotCopied ? -1 : target;
        });
        if (list)
            GlobalUnlock(record);
    }
    if (record)
        ReleaseRecord(record);
    return code;
}

ErrorCode PlaceCopies(DrawingRecord* drawing, const Copies& work, int dx, int dy)
{
    for (int at : work.copies) {
        {
            LockedTable objects(drawing, kTableObjects);
            ErrorCode code = OffsetObject(drawing, objects.Get(), at, dx, dy);
            if (code != kErrNone)
                return code;
            DrawingObject* copy = ObjectAt(objects.Refresh(), at);
            if (copy->groupKey != 0)
                OffsetRect(&copy->referenceFrame, dx, dy);
        }
        ErrorCode code = RelinkCopy(drawing, work, at);
        if (code == kErrNone)
            code = RehookCopiedBranches(drawing, work, at);
        if (code != kErrNone)
            return code;
    }
    for (int row : work.newRow) {
        if (row == kNotCopied)
            continue;
        {
            LockedTable groups(drawing, kTableGroups);
            GroupEntry* copy = GroupEntryAt(groups.Get(), row);
            OffsetRect(&copy->frame, dx, dy);
            OffsetRect(&copy->groupingFrame, dx, dy);
        }
        RecalcGroupRect(drawing, row, nullptr);
        LockedTable groups(drawing, kTableGroups);
        if (row < groups.Count()) {
            GroupEntryAt(groups.Get(), row)->flags |= kGroupSelected;
            InvalidateDrawingRect(drawing, &GroupEntryAt(groups.Get(), row)->bounds);
        }
    }
    return kErrNone;
}

} // namespace

ErrorCode DuplicateSelection(HWND view, void* viewRecord, DrawingRecord* drawing)
{
    if (drawing->selectedCount <= 0)
        return kErrNone;
    Copies work;
    const int copyCount = CountCopies(drawing, &work.newIndex);
    const int objectCount = static_cast<int>(work.newIndex.size());
    if (objectCount + copyCount > kMaxObjects)
        return kErrTooManyObjects;
    ErrorCode code = GrowTables(drawing, objectCount, copyCount, DrawOrderCount(drawing), GroupRowCount(drawing),
                                SelectedRowCount(drawing));
    if (code != kErrNone)
        return code;
    CopyGroupRows(drawing, &work);
    code = CopyObjectsInOrder(drawing, &work);
    if (code != kErrNone)
        return code;
    int dx = drawing->duplicateDx;
    int dy = drawing->duplicateDy;
    ClampDuplicateStep(work.united, drawing->width, drawing->height, &dx, &dy);
    DeselectSources(drawing, work);
    code = PlaceCopies(drawing, work, dx, dy);
    if (code == kErrNone)
        MarkDrawingEdited(view, viewRecord, 0);
    return code;
}
