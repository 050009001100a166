#include "lines/array_attach.h"

#include <algorithm>

#include "common/flag_helpers.h"
#include "lines/array_layout.h"
#include "objects/drawing_edits.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"

namespace {

const uint32_t kFollowFlags = kLinkTargetMoved | kLinkArrayMoved;

LinkSlot* SlotOnArray(DrawingObject* object, int32_t arrayId)
{
    for (int slot = 0; slot < SlotsInUse(object); ++slot) {
        if (object->links[slot].targetId == arrayId)
            return &object->links[slot];
    }
    return nullptr;
}

void RefreshSlotCode(const DrawingObject* array, DrawingObject* object, const ArrayBranchHead* list, LinkSlot* slot)
{
    int code = GetBranchAnchorCode(array, object, list, slot->x);
    if (code != 0)
        slot->connectCode = code;
}

void InvalidateArray(const DrawingRecord* drawing, const DrawingObject* array)
{
    if (drawing)
        InvalidateDrawingRect(drawing, &array->bounds);
}

ErrorCode Detach(DrawingRecord* drawing, void* table, DrawingObject* array, ArrayRecord& record, int found)
{
    ArrayBranchHead* list = record.Get();
    if (array->linkCount >= 1 && drawing)
        MarkLinksOf(drawing, array->links[0].targetId, kFollowFlags, array->groupKey, array->groupIndex);
    // Only the object that hangs here leaves: a line hooked to the array's
    // end coming off must not take the hanging object with it.
    if (found < 0)
        return kErrNone;
    const bool linear = ArrayIsLinear(list);
    const int minimum = linear ? 1 : 2;
    const DWORD formula = ArrayRecordSize(list->branchCount);
    int removed = 0;
    if (list->entryCount == 1) {
        ArrayEntryAt(list, 0)->id = kNoObjectId;
        list->branchCount = 0;
        return kErrNone;
    }
    if (list->branchCount == minimum) {
        InvalidateArray(drawing, array);
        int source = linear ? 3 : (found == list->entryCount - 1 ? 3 : 4);
        ArrayBranchEntry copy = *ArrayEntryAt(list, source);
        ArrayBranchEntry* e0 = ArrayEntryAt(list, 0);
        *e0 = copy;
        e0->extent = list->branchLength;
        list->entryCount = 1;
        list->branchCount -= 1;
        if (linear)
            e0->id = kNoObjectId;   // its only object is the one leaving
        else
            RenumberBranchLink(table, array, list, e0, 0, 0);
        OffsetRect(&array->bounds, copy.left, copy.top);
        OffsetRect(&array->frame, copy.left, copy.top);
        OffsetRect(&array->inner, copy.left, copy.top);
        OffsetRect(&array->textFrame, copy.left, copy.top);
        array->kindCoordinate += ArrayIsVertical(array) ? copy.left : copy.top;
        removed = 1;
    } else {
        for (int i = found; i + 1 < list->entryCount; ++i) {
            *ArrayEntryAt(list, i) = *ArrayEntryAt(list, i + 1);
            RenumberBranchLink(table, array, list, ArrayEntryAt(list, i), -1, -1);
        }
        list->entryCount -= 1;
        list->branchCount -= 1;
        removed = 1;
    }
    DWORD size = formula - static_cast<DWORD>(kArrayEntrySize * removed);
    return size == record.Size() ? kErrNone : record.Resize(size);
}

ErrorCode AttachNew(void* table, DrawingObject* array, ArrayRecord& record, int32_t id, int objectIndex, int n)
{
    ArrayBranchHead* list = record.Get();
    const bool linear = ArrayIsLinear(list);
    DWORD size = std::max<DWORD>(record.Size(), ArrayRecordSize(list->branchCount + 1));
    ErrorCode code = size == record.Size() ? kErrNone : record.Resize(size);
    if (code != kErrNone)
        return code;
    list = record.Get();
    int first = FirstBranchEntry(list);
    if (list->branchCount == 0) {
        if (linear) {
            // Entries 1 and 2 of the one-line form keep the stem and tail:
            // the first object goes after them.
            list->entryCount = 3;
            first = 3;
        } else {
            first = 0;
        }
    }
    int last = list->entryCount - 1;
    int p = std::min<int>(std::max<int>(n, 0) + first, last + 1);
    for (int i = last; i >= p; --i) {
        if (linear && i == 0)
            break;
        *ArrayEntryAt(list, i + 1) = *ArrayEntryAt(list, i);
        RenumberBranchLink(table, array, list, ArrayEntryAt(list, i + 1), 1, -1);
    }
    ArrayBranchEntry* e = ArrayEntryAt(list, p);
    *e = {0, 0, 0, 0, id, objectIndex, list->branchLength};
    if (list->branchCount > 0 || linear)
        list->entryCount += 1;
    list->branchCount += 1;
    RenumberBranchLink(table, array, list, e, 0, -1);
    return kErrNone;
}

void MoveKnown(void* table, DrawingObject* array, ArrayBranchHead* list, int found, int objectIndex, int slotNumber)
{
    const int first = FirstBranchEntry(list);
    const int last = list->entryCount - 1;
    DrawingObject* object = ObjectAt(table, objectIndex);
    LinkSlot* slot = &object->links[slotNumber];
    int p = slot->x + first;
    if (found < p) {
        p -= 1;
        slot->x -= 1;
        RefreshSlotCode(array, object, list, slot);
    }
    if (p == found) {
        slot->x = found - first;
        RefreshSlotCode(array, object, list, slot);
    }
    if (p > last) {
        p = last;
        if (p == found) {
            slot->x = found - first;
            RefreshSlotCode(array, object, list, slot);
        }
    }
    if (p < first)
        p = first;
    if (p == found)
        return;
    ArrayBranchEntry moving = *ArrayEntryAt(list, found);
    if (found < p) {
        for (int i = found; i < p; ++i) {
            *ArrayEntryAt(list, i) = *ArrayEntryAt(list, i + 1);
            RenumberBranchLink(table, array, list, ArrayEntryAt(list, i), -1, -1);
        }
    } else {
        for (int i = found; i > p; --i) {
            *ArrayEntryAt(list, i) = *ArrayEntryAt(list, i - 1);
            RenumberBranchLink(table, array, list, ArrayEntryAt(list, i), 1, -1);
        }
    }
    *ArrayEntryAt(list, p) = moving;
    RenumberBranchLink(table, array, list, ArrayEntryAt(list, p), 0, -1);
}

} // namespace

int BranchAnchorFor(const DrawingObject* array, const ArrayBranchHead* list, int n)
{
    bool both = (list->flags & kArrayBothSides) != 0;
    bool odd = (n & 1) != 0;
    bool flip = (list->flags & kArrayFlipSide) != 0;
    if (!ArrayIsVertical(array)) {
        if (ArrayIsLinear(list))
            return 307;
        int code = both && odd ? 306 : 305;
        return flip ? (code == 305 ? 306 : 305) : code;
    }
    if (ArrayIsLinear(list))
        return 305;
    int code = both && odd ? 308 : 307;
    return flip ? (code == 307 ? 308 : 307) : code;
}

int GetBranchAnchorCode(const DrawingObject* array, const DrawingObject* object, const ArrayBranchHead* list, int n)
{
    int capabilities = CallKind(object->kind, nullptr, nullptr, nullptr, -1, kMsgCapabilities, object->shapeType);
    if (!(capabilities & 0x20))
        return 0;
    return BranchAnchorFor(array, list, n);
}

void RenumberBranchLink(void* table, const DrawingObject* array, const ArrayBranchHead* list, ArrayBranchEntry* entry,
                        int delta, int ordinal)
{
    if (!table || entry->id == kNoObjectId)
        return;
    int objectIndex = FindObjectIndex(table, entry->id, entry->hint);
    if (objectIndex < 0)
        return;
    entry->hint = objectIndex;
    DrawingObject* object = ObjectAt(table, objectIndex);
    LinkSlot* slot = SlotOnArray(object, array->objectId);
    if (!slot)
        return;
    if (delta != 0)
        slot->x += delta;
    else if (ordinal >= 0)
        slot->x = ordinal;
    RefreshSlotCode(array, object, list, slot);
}

ErrorCode UpdateBranchAttachment(DrawingRecord* drawing, void* table, int index, int32_t a, int b, int c)
{
    DrawingObject* array = KindObject(table, index);
    if (a == kNoObjectId) {
        SetFlagBits(&array->stateFlags, kStateLayoutPending, 1);
        return kErrNone;
    }
    if (index < 0)
        return kErrNone;
    ErrorCode code;
    {
        ArrayRecord record;
        code = record.Find(drawing, table, array);
        if (code == kErrNone)
            code = record.MarkChanged();
        if (code != kErrNone)
            return code;
        ArrayBranchHead* list = record.Get();
        int found = -1;
        for (int i = FirstBranchEntry(list); i < list->entryCount; ++i) {
            if (ArrayEntryAt(list, i)->id == a)
                found = i;
        }
        if (b < 0) {
            code = Detach(drawing, table, array, record, found);
        } else {
            if (c < 0 || c >= TableCount(table) || b >= SlotsInUse(ObjectAt(table, c)))
                return kErrNotDone;
            if (found < 0)
                code = AttachNew(table, array, record, a, c, ObjectAt(table, c)->links[b].x);
            else
                MoveKnown(table, array, list, found, c, b);
        }
        if (code != kErrNone)
            return code;
    }
    InvalidateArray(drawing, array);
    code = LayoutArray(drawing, table, index);
    InvalidateArray(drawing, KindObject(table, index));
    return code == kErrNone ? kErrNone : code;
}
