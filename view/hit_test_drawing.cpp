#include "view/hit_test_drawing.h"

#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/linked_objects.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "view/selection_access.h"

namespace {

bool IsBodyCode(int code)
{
    return code >= kHitObjectBody && code <= kHitAttachmentMarker && code != kHitNewObject;
}

// A locked object can only be clicked: its bodies become 10, the rest nothing.
int MapLocked(const DrawingObject* object, int code)
{
    if (!(object->stateFlags & kStateLocked))
        return code;
    return IsBodyCode(code) ? kHitLockedBody : kHitNone;
}

// The handles of a grouped object move the group.
int MapGroupMember(int code)
{
    if (IsBodyCode(code))
        return code;
    if ((code >= 1 && code <= 8) || (code >= 24 && code <= 27))
        return kHitObjectBody;
    if (code == 20 || code == 21)
        return kHitHorizontalPart;
    if (code == 22 || code == 23)
        return kHitVerticalPart;
    return kHitNone;
}

bool IsExcluded(HGLOBAL exclusion, int index)
{
    if (!exclusion)
        return false;
    for (int i = 0; i < ListCount(exclusion); ++i)
        if (ListIndex(exclusion, i) == index)
            return true;
    return false;
}

int HitSelectedGroups(DrawingRecord* drawing, POINT point, int* index)
{
    LockedTable groups(drawing, kTableGroups);
    int result = kHitNone;
    for (int row = 0; groups.Get() && row < groups.Count(); ++row) {
        const GroupEntry* entry = GroupEntryAt(groups.Get(), row);
        if (!(entry->flags & kGroupSelected))
            continue;
        DrawingObject proxy = MakeGroupProxy(entry, true);
        int code = CallKind(kKindShape, nullptr, drawing, &proxy, -1, kMsgHitTest, 0, 0,
                            reinterpret_cast<INT_PTR>(&point));
        groups.Refresh();
        if (code != kHitNone) {
            result = code;
            *index = row;
        }
    }
    return result;
}

// One walk of the draw order from the top; `selectedPass` asks only the
// selected objects and lets no body count.
int HitObjects(DrawingRecord* drawing, POINT point, int toolCode, HGLOBAL exclusion, int* index, int* kind,
               bool arraysOnly, bool selectedPass)
{
    LockedTable objects(drawing, kTableObjects);
    LockedTable order(drawing, kTableDrawOrder);
    if (!objects.Get() || !order.Get())
        return kHitNone;
    for (int i = order.Count() - 1; i >= 0; --i) {
        int candidate = DrawOrderEntries(order.Get())[i];
        if (candidate < 0 || candidate >= objects.Count())
            continue;
        const DrawingObject* object = ObjectAt(objects.Get(), candidate);
        if (arraysOnly && object->kind != kKindArray)
            continue;
        if (IsExcluded(exclusion, candidate))
            continue;
        if (selectedPass && !(object->stateFlags & kStateSelected))
            continue;
        // The kinds answer for points near their outline only: a point off
        // the bounds is no question for them.
        if (!PtInRect(&object->bounds, point))
            continue;
        int code = CallObjectKind(nullptr, drawing, objects.Get(), candidate, kMsgHitTest, toolCode, 0,
                                  reinterpret_cast<INT_PTR>(&point));
        objects.Refresh();
        order.Refresh();
        if (code == kHitNone)
            continue;
        object = ObjectAt(objects.Get(), candidate);
        *index = candidate;
        *kind = object->kind;
        code = MapLocked(object, code);
        bool grouped = object->groupIndex >= 0;
        if (selectedPass) {
            if (IsBodyCode(code) || grouped)
                code = kHitNone;
        } else if (grouped) {
            code = MapGroupMember(code);
        }
        return code;
    }
    return kHitNone;
}

} // namespace

int HitTestDrawingRecord(DrawingRecord* drawing, int x, int y, int toolCode, HGLOBAL exclusion, int* index,
                         int* kind, BOOL arraysOnly)
{
    int ignoredIndex = -1;
    int ignoredKind = -1;
    if (!index)
        index = &ignoredIndex;
    if (!kind)
        kind = &ignoredKind;
    *kind = -1;
    if (!drawing)
        return kHitNone;
    POINT point = {x, y};
    if (!exclusion) {
        int code = HitSelectedGroups(drawing, point, index);
        if (code != kHitNone)
            return code;
    }
    if (drawing->selectedCount != 0) {
        int found = -1;
        int foundKind = -1;
        int code = HitObjects(drawing, point, toolCode, exclusion, &found, &foundKind, arraysOnly != FALSE, true);
        if (found >= 0) {
            *index = found;
            *kind = foundKind;
        }
        if (code != kHitNone)
            return code;
    }
    int found = -1;
    int foundKind = -1;
    int code = HitObjects(drawing, point, toolCode, exclusion, &found, &foundKind, arraysOnly != FALSE, false);
    if (found >= 0) {
        *index = found;
        *kind = foundKind;
    }
    return code;
}

int HitTestDrawing(HGLOBAL drawingHandle, int x, int y, int toolCode, HGLOBAL exclusion, int* index, int* kind,
                   BOOL arraysOnly)
{
    if (kind)
        *kind = -1;
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return kHitNone;
    int code = HitTestDrawingRecord(drawing, x, y, toolCode, exclusion, index, kind, arraysOnly);
    GlobalUnlock(drawingHandle);
    return code;
}

int FindGroupMemberLinkedOutside(void* objectTable, int row)
{
    int found = -1;
    for (int i = 0; objectTable && i < TableCount(objectTable); ++i) {
        DrawingObject* object = ObjectAt(objectTable, i);
        if (object->groupIndex != row || object->groupIndex < 0)
            continue;
        bool counts = false;
        for (int s = 0; s < SlotsInUse(object); ++s) {
            LinkSlot& slot = object->links[s];
            slot.targetHint = FindObjectIndex(objectTable, slot.targetId, slot.targetHint);
            if (slot.targetHint >= 0 && ObjectAt(objectTable, slot.targetHint)->groupIndex != row)
                counts = true;
        }
        if (counts)
            found = i;
    }
    return found;
}
