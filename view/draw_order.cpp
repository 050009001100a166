// Bring to Front, Send to Back and Lock Object on the selection.
#include <vector>

#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "view/arrange_selection.h"

namespace {

bool Selected(void* objects, int index)
{
    return index >= 0 && index < TableCount(objects) && (ObjectAt(objects, index)->stateFlags & kStateSelected);
}

void InvalidateSelection(DrawingRecord* drawing, void* objects)
{
    for (int i = 0; i < TableCount(objects); ++i)
        if (Selected(objects, i))
            InvalidateDrawingRect(drawing, &ObjectAt(objects, i)->bounds);
}

} // namespace

void BringSelectionToFront(HWND view, void* viewRecord, DrawingRecord* drawing, int position)
{
    {
        LockedTable objects(drawing, kTableObjects);
        LockedTable order(drawing, kTableDrawOrder);
        if (!objects.Get() || !order.Get())
            return;
        int32_t* entries = DrawOrderEntries(order.Get());
        const int count = order.Count();
        int target = position < 0 || position >= count ? count - 1 : position;
        // From the position down, each selected object goes to the target,
        // which then moves down: their order stays, the rest closes up.
        for (int i = target; i >= 0; --i) {
            if (!Selected(objects.Get(), entries[i]))
                continue;
            const int32_t index = entries[i];
            for (int k = i; k < target; ++k)
                entries[k] = entries[k + 1];
            entries[target--] = index;
        }
        InvalidateSelection(drawing, objects.Get());
    }
    MarkDrawingEdited(view, viewRecord, 0);
}

void SendSelectionToBack(HWND view, void* viewRecord, DrawingRecord* drawing)
{
    {
        LockedTable objects(drawing, kTableObjects);
        LockedTable order(drawing, kTableDrawOrder);
        if (!objects.Get() || !order.Get())
            return;
        int32_t* entries = DrawOrderEntries(order.Get());
        const int count = order.Count();
        int next = 0;
        for (int i = 0; i < count; ++i) {
            if (!Selected(objects.Get(), entries[i]))
                continue;
            const int32_t index = entries[i];
            for (int k = i; k > next; --k)
                entries[k] = entries[k - 1];
            entries[next++] = index;
        }
        InvalidateSelection(drawing, objects.Get());
    }
    MarkDrawingEdited(view, viewRecord, 0);
}

void ToggleSelectionLock(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    if (!objects.Get())
        return;
    bool anyLocked = false;
    for (int i = 0; i < objects.Count(); ++i)
        if (Selected(objects.Get(), i) && (ObjectAt(objects.Get(), i)->stateFlags & kStateLocked))
            anyLocked = true;
    for (int i = 0; i < objects.Count(); ++i) {
        DrawingObject* object = ObjectAt(objects.Get(), i);
        if (!Selected(objects.Get(), i))
            continue;
        const uint32_t before = object->stateFlags;
        if (anyLocked)
            object->stateFlags &= ~kStateLocked;
        else if (object->groupKey == 0)
            object->stateFlags |= kStateLocked;
        if (object->stateFlags != before)
            InvalidateDrawingRect(drawing, &object->bounds);
    }
}
