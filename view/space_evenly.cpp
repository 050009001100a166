// Space Evenly: the first and last objects of a direction stay, the others
// move so that the gaps between neighbours are equal.
#include <algorithm>
#include <vector>

#include "common/results.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "resources/resource_ids.h"
#include "view/arrange_arithmetic.h"
#include "view/arrange_selection.h"

namespace {

const int kSpaceHorizontally = 1;
const int kSpaceVertically = 2;
const int kMinimumItems = 3;

// An object index, or the one's complement of a group row.
struct SpacedItem {
    int item;
    int nearEdge;
    int farEdge;
};

struct SpacedList {
    std::vector<SpacedItem> items;
    int gap = 0;
};

int Near(const RECT& r, bool horizontal)
{
    return horizontal ? r.left : r.top;
}

int Far(const RECT& r, bool horizontal)
{
    return horizontal ? r.right : r.bottom;
}

// Sorted by near edge; an item whose edge equals one already listed goes
// before it.
void Insert(std::vector<SpacedItem>* items, SpacedItem item)
{
    auto at = std::lower_bound(items->begin(), items->end(), item.nearEdge,
                               [](const SpacedItem& e, int key) { return e.nearEdge < key; });
    items->insert(at, item);
}

SpacedList Prepare(DrawingRecord* drawing, bool horizontal)
{
    SpacedList list;
    int total = 0;
    int furthest = 0;
    auto add = [&](int item, const RECT& r) {
        total += Far(r, horizontal) - Near(r, horizontal);
        if (list.items.empty() || Far(r, horizontal) > furthest)
            furthest = Far(r, horizontal);
        Insert(&list.items, SpacedItem{item, Near(r, horizontal), Far(r, horizontal)});
    };
    {
        LockedTable groups(drawing, kTableGroups);
        for (int row = 0; row < groups.Count(); ++row)
            if (GroupEntryAt(groups.Get(), row)->flags & kGroupSelected)
                add(~row, GroupEntryAt(groups.Get(), row)->frame);
    }
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        const DrawingObject* object = ObjectAt(objects.Refresh(), i);
        if (!(object->stateFlags & kStateSelected) || SlotsInUse(object) > 0 ||
            (object->groupKey != 0 && object->groupIndex >= 0))
            continue;
        RECT bounds = object->frame;
        CallObjectKind(nullptr, drawing, objects.Get(), i, kMsgDrawnRect, 0, 0, reinterpret_cast<INT_PTR>(&bounds));
        add(i, bounds);
    }
    if (static_cast<int>(list.items.size()) >= kMinimumItems)
        list.gap = EvenGap(list.items.front().nearEdge, furthest, total, static_cast<int>(list.items.size()));
    return list;
}

ErrorCode MoveRowMembers(DrawingRecord* drawing, int row, POINT offset)
{
    int32_t key;
    {
        LockedTable groups(drawing, kTableGroups);
        GroupEntry* entry = GroupEntryAt(groups.Get(), row);
        key = entry->key;
        OffsetRect(&entry->bounds, offset.x, offset.y);
        OffsetRect(&entry->frame, offset.x, offset.y);
        OffsetRect(&entry->groupingFrame, offset.x, offset.y);
    }
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        DrawingObject* object = ObjectAt(objects.Refresh(), i);
        if (object->groupKey != key || object->groupIndex < 0)
            continue;
        OffsetRect(&object->referenceFrame, offset.x, offset.y);
        if (SlotsInUse(object) > 0)
            continue;
        ErrorCode code = OffsetObject(drawing, objects.Get(), i, offset.x, offset.y);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

ErrorCode SpaceOneDirection(DrawingRecord* drawing, const SpacedList& list, bool horizontal)
{
    if (list.gap == 0 || list.items.size() < kMinimumItems)
        return kErrNone;
    int cursor = list.items.front().farEdge;
    for (size_t k = 1; k + 1 < list.items.size(); ++k) {
        const SpacedItem& entry = list.items[k];
        const int d = list.gap + cursor - entry.nearEdge;
        cursor = entry.farEdge + d;
        const POINT offset = horizontal ? POINT{d, 0} : POINT{0, d};
        ErrorCode code;
        if (entry.item < 0) {
            code = MoveRowMembers(drawing, ~entry.item, offset);
        } else {
            LockedTable objects(drawing, kTableObjects);
            code = OffsetObject(drawing, objects.Get(), entry.item, offset.x, offset.y);
        }
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

} // namespace

bool CanSpaceEvenly(DrawingRecord* drawing, int flags)
{
    bool fits = true;
    if (flags & kSpaceHorizontally)
        fits = Prepare(drawing, true).items.size() >= kMinimumItems;
    if (fits && (flags & kSpaceVertically))
        fits = Prepare(drawing, false).items.size() >= kMinimumItems;
    if (!fits)
        WarnById(IDS_SPACE_EVENLY_THREE);
    return fits;
}

ErrorCode SpaceSelectionEvenly(HWND view, void* viewRecord, DrawingRecord* drawing, int flags)
{
    // Both directions are measured before either moves anything.
    const SpacedList across = flags & kSpaceHorizontally ? Prepare(drawing, true) : SpacedList{};
    const SpacedList down = flags & kSpaceVertically ? Prepare(drawing, false) : SpacedList{};
    ErrorCode code = SpaceOneDirection(drawing, across, true);
    if (code == kErrNone)
        code = SpaceOneDirection(drawing, down, false);
    if (code == kErrNone)
        MarkDrawingEdited(view, viewRecord, 0);
    return code;
}
