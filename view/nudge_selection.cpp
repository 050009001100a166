// The arrow keys: the selection moves (or, with Shift, grows) by one step.
#include <vector>

#include "objects/document_undo.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/groups.h"
#include "objects/linked_objects.h"
#include "objects/move_objects.h"
#include "objects/object_links.h"
#include "objects/resize_object.h"
#include "objects/update_links.h"
#include "objects/view_record.h"
#include "common/results.h"
#include "resources/resource_ids.h"
#include "view/arrange_arithmetic.h"
#include "view/arrange_selection.h"

namespace {

const int kNudgeStep = 6;

POINT KeyStep(int key)
{
    switch (key) {
    case VK_LEFT: return POINT{-kNudgeStep, 0};
    case VK_RIGHT: return POINT{kNudgeStep, 0};
    case VK_UP: return POINT{0, -kNudgeStep};
    case VK_DOWN: return POINT{0, kNudgeStep};
    default: return POINT{0, 0};
    }
}

int FirstSelected(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    const int primary = drawing->primarySelected;
    if (primary >= 0 && primary < objects.Count() && (ObjectAt(objects.Get(), primary)->stateFlags & kStateSelected))
        return primary;
    for (int i = 0; i < objects.Count(); ++i)
        if (ObjectAt(objects.Get(), i)->stateFlags & kStateSelected)
            return i;
    return -1;
}

// Hooked objects follow their hosts through the links; they never move alone.
bool AnyUnhookedSelected(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        const DrawingObject* object = ObjectAt(objects.Get(), i);
        if ((object->stateFlags & kStateSelected) && SlotsInUse(object) == 0)
            return true;
    }
    return false;
}

// A step may not take the objects past an edge, nor further past one they
// already reach beyond; it may always bring them back in.
bool MoveFits(const RECT& united, const RECT& moved, int areaWidth, int areaHeight)
{
    const bool left = moved.left >= 0 || moved.left >= united.left;
    const bool top = moved.top >= 0 || moved.top >= united.top;
    const bool right = moved.right <= areaWidth || moved.right <= united.right;
    const bool bottom = moved.bottom <= areaHeight || moved.bottom <= united.bottom;
    return left && top && right && bottom;
}

bool GrowFits(const RECT& united, POINT step, int areaWidth, int areaHeight)
{
    if (united.left < 0 || united.top < 0)
        return false;
    const RECT grown = {united.left, united.top, united.right + step.x, united.bottom + step.y};
    return grown.right > grown.left && grown.bottom > grown.top && grown.right <= areaWidth &&
           grown.bottom <= areaHeight;
}

ErrorCode GrowOne(HWND view, DrawingRecord* drawing, int index, POINT step, std::vector<int32_t>* doneKeys)
{
    RECT frame;
    int constraint;
    int32_t key;
    int hint;
    {
        LockedTable objects(drawing, kTableObjects);
        DrawingObject* object = ObjectAt(objects.Get(), index);
        frame = object->frame;
        constraint = object->sizingConstraint;
        key = object->groupKey;
        hint = object->groupIndex;
    }
    if (key != 0 && hint >= 0) {
        for (int32_t done : *doneKeys)
            if (done == key)
                return kErrNone;
        doneKeys->push_back(key);
        const int row = FindGroup(drawing, key, hint, 0);
        if (row < 0)
            return kErrNone;
        {
            LockedTable groups(drawing, kTableGroups);
            frame = GroupEntryAt(groups.Get(), row)->frame;
            constraint = GroupEntryAt(groups.Get(), row)->sizingConstraint;
        }
        GrowUnderConstraint(&frame, constraint, step.x, step.y);
        return SetGroupRect(view, row, &frame, 0, 0, 1);
    }
    GrowUnderConstraint(&frame, constraint, step.x, step.y);
    return ResizeObjectInDrawing(drawing, index, &frame, 0, 0);
}

ErrorCode GrowSelection(HWND view, DrawingRecord* drawing, POINT step)
{
    std::vector<int32_t> doneKeys;
    const int count = [&] {
        LockedTable objects(drawing, kTableObjects);
        return objects.Count();
    }();
    for (int i = 0; i < count; ++i) {
        bool grows;
        {
            LockedTable objects(drawing, kTableObjects);
            const DrawingObject* object = ObjectAt(objects.Get(), i);
            grows = (object->stateFlags & kStateSelected) && SlotsInUse(object) == 0;
        }
        if (!grows)
            continue;
        ErrorCode code = GrowOne(view, drawing, i, step, &doneKeys);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

} // namespace

ErrorCode NudgeSelection(HWND view, void* viewRecord, DrawingRecord* drawing, int key, bool shift)
{
    const POINT step = KeyStep(key);
    const int first = FirstSelected(drawing);
    if (first < 0 || (step.x == 0 && step.y == 0))
        return kErrNone;
    HGLOBAL list = nullptr;
    RECT united;
    ErrorCode code = CollectObjectsToMove(drawing, first, 1, 1, 0, &list, &united);
    if (code != kErrNone || !list)
        return code;
    const int areaWidth = ReadViewField(viewRecord, kViewDrawingWidth);
    const int areaHeight = ReadViewField(viewRecord, kViewDrawingHeight);
    RECT moved = united;
    OffsetRect(&moved, step.x, step.y);
    const bool fits =
        shift ? GrowFits(united, step, areaWidth, areaHeight) : MoveFits(united, moved, areaWidth, areaHeight);
    if (!fits || !AnyUnhookedSelected(drawing)) {
        {
            LockedTable objects(drawing, kTableObjects);
            FreeLinkedObjects(list, objects.Get());
        }
        if (fits)
            WarnById(IDS_MOVE_HOOKED);
        return kErrNone;
    }
    if (shift) {
        WriteViewField(viewRecord, kViewPendingUndo, kUndoStepResize);
        code = GrowSelection(view, drawing, step);
    } else {
        if (ReadViewField(viewRecord, kViewPendingUndo) == kUndoStepMoveAfterDuplicate) {
            drawing->duplicateDx += step.x;
            drawing->duplicateDy += step.y;
        }
        code = OffsetListedObjects(drawing, list, step.x, step.y);
    }
    {
        LockedTable objects(drawing, kTableObjects);
        FreeLinkedObjects(list, objects.Get());
    }
    if (code == kErrNone)
        code = UpdateLinks(drawing);
    if (code == kErrNone) {
        MarkDrawingEdited(view, viewRecord, 0);
        UpdateWindow(view);
    }
    return code;
}
