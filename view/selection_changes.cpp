#include "view/selection_changes.h"

#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/text_format_bar.h"
#include "view/selection_access.h"

namespace {

// Objects and groups scratch marks: the row was judged during a rubber band.
const uint32_t kGroupJudged = kGroupMemberDeleted;

struct Selection {
    HGLOBAL handle;
    DrawingRecord* drawing;
    explicit Selection(HGLOBAL h) : handle(h), drawing(h ? static_cast<DrawingRecord*>(GlobalLock(h)) : nullptr) {}
    ~Selection()
    {
        if (drawing)
            GlobalUnlock(handle);
    }
};

bool IsGrouped(const DrawingObject* object)
{
    return object->groupIndex >= 0;
}

// The row of a grouped object, looked up again by key and hint.
int RowOf(DrawingRecord* drawing, DrawingObject* object)
{
    if (!IsGrouped(object))
        return -1;
    int row = FindGroup(drawing, object->groupKey, object->groupIndex, 0);
    if (row >= 0)
        object->groupIndex = row;
    return row;
}

int PrimaryRow(DrawingRecord* drawing, void* objects)
{
    int primary = drawing->primarySelected;
    if (primary < 0 || primary >= TableCount(objects))
        return -1;
    DrawingObject* object = ObjectAt(objects, primary);
    return IsGrouped(object) ? object->groupIndex : -1;
}

bool RowSelected(void* groups, int row)
{
    return groups && row >= 0 && row < TableCount(groups) && (GroupEntryAt(groups, row)->flags & kGroupSelected);
}

// An object's handles, or its selected group's, in the look its primary state gives.
void ToggleHandlesOf(HDC dc, DrawingRecord* drawing, void* objects, void* groups, const RECT* clip, int index)
{
    if (index < 0 || index >= TableCount(objects))
        return;
    DrawingObject* object = ObjectAt(objects, index);
    if (IsGrouped(object)) {
        if (RowSelected(groups, object->groupIndex))
            ToggleGroupHandles(dc, drawing, groups, object->groupIndex,
                               PrimaryRow(drawing, objects) == object->groupIndex);
        return;
    }
    ToggleObjectHandles(dc, drawing, objects, clip, index);
}

void RefreshFormatBar(DrawingRecord* drawing)
{
    HWND view = DrawingViewWindow(drawing);
    if (view)
        UpdateTextFormatBar(view);
}

// Clears everything, erasing handles only with `draw`.
void ClearSelection(DrawingRecord* drawing, HDC dc, const RECT* clip, bool draw)
{
    LockedTable objects(drawing, kTableObjects);
    LockedTable order(drawing, kTableDrawOrder);
    LockedTable groups(drawing, kTableGroups);
    if (!objects.Get())
        return;
    int primaryRow = PrimaryRow(drawing, objects.Get());
    if (drawing->selectedCount != 0 && order.Get()) {
        const int32_t* entries = DrawOrderEntries(order.Get());
        for (int i = 0; i < order.Count(); ++i) {
            int index = entries[i];
            if (index < 0 || index >= objects.Count())
                continue;
            DrawingObject* object = ObjectAt(objects.Get(), index);
            if (!(object->stateFlags & kStateSelected))
                continue;
            if (draw && dc && !IsGrouped(object))
                ToggleObjectHandles(dc, drawing, objects.Get(), clip, index);
            object->stateFlags &= ~kStateSelected;
        }
    }
    drawing->selectedCount = 0;
    drawing->primarySelected = -1;
    for (int row = 0; groups.Get() && row < groups.Count(); ++row) {
        GroupEntry* entry = GroupEntryAt(groups.Get(), row);
        if (!(entry->flags & kGroupSelected))
            continue;
        if (draw && dc)
            ToggleGroupHandles(dc, drawing, groups.Get(), row, row == primaryRow);
        entry->flags &= ~kGroupSelected;
    }
}

int CountSelected(void* objects)
{
    int count = 0;
    for (int i = 0; i < TableCount(objects); ++i)
        if (ObjectAt(objects, i)->stateFlags & kStateSelected)
            ++count;
    return count;
}

} // namespace

void ToggleObjectHandles(HDC dc, DrawingRecord* drawing, void* objectTable, const RECT* clip, int index)
{
    if (!dc || !objectTable || index < 0 || index >= TableCount(objectTable))
        return;
    DrawingObject* object = ObjectAt(objectTable, index);
    if (!(object->stateFlags & kStateSelected) || (object->stateFlags & kStateTextOpen))
        return;
    RECT overlap;
    if (clip && !IntersectRect(&overlap, &object->bounds, clip))
        return;
    POINT old;
    SetWindowOrgEx(dc, 0, 0, &old);
    CallObjectKind(dc, drawing, objectTable, index, kMsgDrawHandles);
    SetWindowOrgEx(dc, old.x, old.y, nullptr);
}

void ToggleGroupHandles(HDC dc, DrawingRecord* drawing, void* groupTable, int row, BOOL primaryLook)
{
    if (!dc || !groupTable || row < 0 || row >= TableCount(groupTable))
        return;
    DrawingObject proxy = MakeGroupProxy(GroupEntryAt(groupTable, row), false);
    POINT old;
    SetWindowOrgEx(dc, 0, 0, &old);
    CallKind(kKindShape, dc, drawing, &proxy, primaryLook ? -1 : -2, kMsgDrawHandles);
    SetWindowOrgEx(dc, old.x, old.y, nullptr);
}

int FindTopSelectedObject(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    LockedTable order(drawing, kTableDrawOrder);
    if (!objects.Get() || !order.Get())
        return -1;
    const int32_t* entries = DrawOrderEntries(order.Get());
    for (int i = order.Count() - 1; i >= 0; --i) {
        int index = entries[i];
        if (index >= 0 && index < objects.Count() && (ObjectAt(objects.Get(), index)->stateFlags & kStateSelected))
            return index;
    }
    return -1;
}

void SetPrimarySelection(HDC dc, DrawingRecord* drawing, void* objectTable, void* groupTable, const RECT* clip,
                         int newIndex, BOOL redraw)
{
    int old = drawing->primarySelected;
    if (old >= 0 && old < TableCount(objectTable)) {
        // Out of the primary look and, while still selected, into the ordinary one.
        ToggleHandlesOf(dc, drawing, objectTable, groupTable, clip, old);
        drawing->primarySelected = -1;
        ToggleHandlesOf(dc, drawing, objectTable, groupTable, clip, old);
    }
    drawing->primarySelected = -1;
    if (newIndex >= 0 && newIndex < TableCount(objectTable)) {
        if (redraw)
            ToggleHandlesOf(dc, drawing, objectTable, groupTable, clip, newIndex);
        drawing->primarySelected = newIndex;
        ToggleHandlesOf(dc, drawing, objectTable, groupTable, clip, newIndex);
    }
    drawing->primarySelected = newIndex;
}

void SetGroupSelected(DrawingRecord* drawing, int row, BOOL selected, BOOL draw)
{
    LockedTable objects(drawing, kTableObjects);
    LockedTable groups(drawing, kTableGroups);
    if (!objects.Get() || !groups.Get() || row < 0 || row >= groups.Count())
        return;
    GroupEntry* entry = GroupEntryAt(groups.Get(), row);
    if (((entry->flags & kGroupSelected) != 0) == (selected != FALSE))
        return;
    for (int i = 0; i < objects.Count(); ++i) {
        DrawingObject* object = ObjectAt(objects.Get(), i);
        if (!IsGrouped(object) || object->groupKey != entry->key)
            continue;
        object->groupIndex = row;
        if (selected)
            object->stateFlags |= kStateSelected;
        else
            object->stateFlags &= ~kStateSelected;
    }
    drawing->selectedCount = CountSelected(objects.Get());
    if (selected)
        entry->flags |= kGroupSelected;
    else
        entry->flags &= ~kGroupSelected;
    if (draw) {
        ViewDrawingDC view(DrawingViewWindow(drawing));
        ToggleGroupHandles(view.dc(), drawing, groups.Get(), row, PrimaryRow(drawing, objects.Get()) == row);
    }
}

void DeselectAllObjects(HGLOBAL drawingHandle)
{
    Selection selection(drawingHandle);
    if (!selection.drawing)
        return;
    ViewDrawingDC view(DrawingViewWindow(selection.drawing));
    ClearSelection(selection.drawing, view.dc(), &view.clip(), true);
    RefreshFormatBar(selection.drawing);
}

void SelectDrawingObject(HGLOBAL drawingHandle, int index, BOOL toggle, BOOL keep, BOOL draw)
{
    Selection selection(drawingHandle);
    DrawingRecord* drawing = selection.drawing;
    if (!drawing)
        return;
    ViewDrawingDC view(draw ? DrawingViewWindow(drawing) : nullptr);
    LockedTable objects(drawing, kTableObjects);
    LockedTable groups(drawing, kTableGroups);
    if (!objects.Get() || index < 0 || index >= objects.Count())
        return;
    bool chosen = (ObjectAt(objects.Get(), index)->stateFlags & kStateSelected) && keep;
    if (keep)
        toggle = FALSE;
    if (drawing->selectedCount != 0 && !toggle && !chosen) {
        ClearSelection(drawing, view.dc(), &view.clip(), draw != FALSE);
        groups.Refresh();
    }
    DrawingObject* object = ObjectAt(objects.Get(), index);
    if (!(object->stateFlags & kStateSelected)) {
        int row = RowOf(drawing, object);
        if (row < 0) {
            object->stateFlags |= kStateSelected;
            ++drawing->selectedCount;
        } else {
            SetGroupSelected(drawing, row, TRUE, FALSE);
        }
        if (draw && !keep)
            SetPrimarySelection(view.dc(), drawing, objects.Get(), groups.Get(), &view.clip(), index, FALSE);
        drawing->primarySelected = index;
    } else if (toggle) {
        int row = RowOf(drawing, object);
        bool formerPrimary = false;
        if (row < 0) {
            if (draw && !keep)
                ToggleObjectHandles(view.dc(), drawing, objects.Get(), &view.clip(), index);
            object->stateFlags &= ~kStateSelected;
            if (drawing->selectedCount > 0)
                --drawing->selectedCount;
            formerPrimary = drawing->primarySelected == index;
        } else {
            formerPrimary = PrimaryRow(drawing, objects.Get()) == row;
            int members = GroupEntryAt(groups.Get(), row)->memberCount;
            bool redraw = !(formerPrimary && drawing->selectedCount > members);
            SetGroupSelected(drawing, row, FALSE, draw && redraw);
        }
        if (formerPrimary) {
            int top = FindTopSelectedObject(drawing);
            if (top >= 0)
                SetPrimarySelection(view.dc(), drawing, objects.Get(), groups.Get(), &view.clip(), top, TRUE);
            else
                drawing->primarySelected = -1;
        }
    }
    RefreshFormatBar(drawing);
}

void SelectObjectsInRect(HWND viewWindow, const RECT* rect)
{
    Selection selection(ViewDrawingHandle(viewWindow));
    DrawingRecord* drawing = selection.drawing;
    if (!drawing)
        return;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    ViewDrawingDC view(viewWindow);
    LockedTable objects(drawing, kTableObjects);
    LockedTable order(drawing, kTableDrawOrder);
    LockedTable groups(drawing, kTableGroups);
    if (!objects.Get() || !order.Get())
        return;
    for (int i = 0; i < order.Count(); ++i) {
        int index = DrawOrderEntries(order.Get())[i];
        if (index < 0 || index >= objects.Count())
            continue;
        RECT test = ObjectAt(objects.Get(), index)->frame;
        CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgLayoutRect, 1, 0, reinterpret_cast<INT_PTR>(&test));
        objects.Refresh();
        groups.Refresh();
        DrawingObject* object = ObjectAt(objects.Get(), index);
        bool selected = (object->stateFlags & kStateSelected) != 0;
        POINT topLeft = {test.left, test.top};
        POINT bottomRight = {test.right, test.bottom};
        if (rect && !(PtInRect(rect, topLeft) && PtInRect(rect, bottomRight))) {
            if (!shift && selected) {
                int row = RowOf(drawing, object);
                if (row < 0) {
                    ToggleObjectHandles(view.dc(), drawing, objects.Get(), &view.clip(), index);
                    object->stateFlags &= ~kStateSelected;
                    --drawing->selectedCount;
                } else {
                    SetGroupSelected(drawing, row, FALSE, TRUE);
                }
                if (drawing->primarySelected == index)
                    drawing->primarySelected = -1;
            }
            continue;
        }
        int row = RowOf(drawing, object);
        if (row >= 0) {
            GroupEntry* entry = GroupEntryAt(groups.Get(), row);
            if (entry->flags & kGroupJudged)
                continue;
            entry->flags |= kGroupJudged;
            if (entry->rotation == 0 && rect) {
                POINT groupTopLeft = {entry->bounds.left, entry->bounds.top};
                POINT groupBottomRight = {entry->bounds.right, entry->bounds.bottom};
                if (!(PtInRect(rect, groupTopLeft) && PtInRect(rect, groupBottomRight)))
                    continue;
            }
        }
        bool select = shift ? !selected : true;
        if (selected == select)
            continue;
        if (row < 0) {
            if (select) {
                object->stateFlags |= kStateSelected;
                ++drawing->selectedCount;
                if (drawing->primarySelected < 0)
                    drawing->primarySelected = index;
                ToggleObjectHandles(view.dc(), drawing, objects.Get(), &view.clip(), index);
            } else {
                ToggleObjectHandles(view.dc(), drawing, objects.Get(), &view.clip(), index);
                object->stateFlags &= ~kStateSelected;
                --drawing->selectedCount;
                if (drawing->primarySelected == index)
                    drawing->primarySelected = -1;
            }
        } else {
            if (select && drawing->primarySelected < 0)
                drawing->primarySelected = index;
            SetGroupSelected(drawing, row, select ? TRUE : FALSE, TRUE);
            if (!select && drawing->primarySelected >= 0 &&
                !(ObjectAt(objects.Get(), drawing->primarySelected)->stateFlags & kStateSelected))
                drawing->primarySelected = -1;
        }
    }
    if (drawing->selectedCount < 0)
        drawing->selectedCount = 0;
    for (int row = 0; groups.Get() && row < groups.Count(); ++row)
        GroupEntryAt(groups.Get(), row)->flags &= ~kGroupJudged;
    // A primary left pointing at an object the band deselected is no primary.
    int primary = drawing->primarySelected;
    if (primary >= 0 && (primary >= objects.Count() || !(ObjectAt(objects.Get(), primary)->stateFlags & kStateSelected)))
        drawing->primarySelected = -1;
    if (drawing->selectedCount > 0 && drawing->primarySelected < 0) {
        int top = FindTopSelectedObject(drawing);
        if (top >= 0)
            SetPrimarySelection(view.dc(), drawing, objects.Get(), groups.Get(), &view.clip(), top, TRUE);
    }
    RefreshFormatBar(drawing);
}
