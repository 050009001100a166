// Align: the selected objects line up with the primary selection.
#include <vector>

#include "common/results.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/linked_objects.h"
#include "objects/object_offset.h"
#include "objects/view_record.h"
#include "resources/resource_ids.h"
#include "view/arrange_arithmetic.h"
#include "view/arrange_selection.h"
#include "view/selection_targets.h"

namespace {

const int kHookedFromOneSlot = 1;

int ObjectCount(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    return objects.Count();
}

bool Arranged(DrawingRecord* drawing, int index, const SelectionTarget& target)
{
    LockedTable objects(drawing, kTableObjects);
    return IsArrangedObject(objects.Get(), index, target, kHookedFromOneSlot);
}

// Where everything that moves with the object would land.
bool StaysInside(DrawingRecord* drawing, int index, POINT offset, const RECT& area, ErrorCode* code)
{
    HGLOBAL list = nullptr;
    RECT moved;
    *code = CollectObjectsToMove(drawing, index, 0, 1, 0, &list, &moved);
    {
        LockedTable objects(drawing, kTableObjects);
        FreeLinkedObjects(list, objects.Get());
    }
    if (*code != kErrNone)
        return false;
    OffsetRect(&moved, offset.x, offset.y);
    return moved.left >= area.left && moved.top >= area.top && moved.right <= area.right &&
           moved.bottom <= area.bottom;
}

} // namespace

bool CanAlignSelection(void* viewRecord, DrawingRecord* drawing, int mode)
{
    SelectionTarget target;
    if (!FindSelectionTarget(drawing, &target)) {
        WarnById(IDS_SELECT_TWO);
        return false;
    }
    const RECT area = {0, 0, ReadViewField(viewRecord, kViewDrawingWidth), ReadViewField(viewRecord, kViewDrawingHeight)};
    bool any = false;
    for (int i = 0; i < ObjectCount(drawing); ++i) {
        if (!Arranged(drawing, i, target))
            continue;
        int row;
        const POINT offset = AlignOffset(mode, target.frame, ArrangeFrame(drawing, i, &row));
        ErrorCode code = kErrNone;
        if (!StaysInside(drawing, i, offset, area, &code)) {
            if (code == kErrNone)
                WarnById(IDS_ALIGN_OUTSIDE);
            return false;
        }
        any = true;
    }
    if (!any)
        WarnById(IDS_ALIGN_HOOKED);
    return any;
}

ErrorCode AlignSelection(HWND view, void* viewRecord, DrawingRecord* drawing, int mode)
{
    SelectionTarget target;
    if (!FindSelectionTarget(drawing, &target))
        return kErrNone;
    std::vector<int> movedRows;
    std::vector<POINT> rowOffsets;
    for (int i = 0; i < ObjectCount(drawing); ++i) {
        if (!Arranged(drawing, i, target))
            continue;
        int row;
        const POINT offset = AlignOffset(mode, target.frame, ArrangeFrame(drawing, i, &row));
        LockedTable objects(drawing, kTableObjects);
        // The first failure stops: the dispatcher then rolls every move back.
        ErrorCode code = OffsetObject(drawing, objects.Get(), i, offset.x, offset.y);
        if (code != kErrNone)
            return code;
        if (row < 0)
            continue;
        OffsetRect(&ObjectAt(objects.Refresh(), i)->referenceFrame, offset.x, offset.y);
        bool seen = false;
        for (int done : movedRows)
            seen = seen || done == row;
        if (!seen) {
            movedRows.push_back(row);
            rowOffsets.push_back(offset);
        }
    }
    {
        LockedTable groups(drawing, kTableGroups);
        for (size_t k = 0; k < movedRows.size(); ++k) {
            GroupEntry* entry = GroupEntryAt(groups.Get(), movedRows[k]);
            OffsetRect(&entry->bounds, rowOffsets[k].x, rowOffsets[k].y);
            OffsetRect(&entry->frame, rowOffsets[k].x, rowOffsets[k].y);
            OffsetRect(&entry->groupingFrame, rowOffsets[k].x, rowOffsets[k].y);
        }
    }
    MarkDrawingEdited(view, viewRecord, 0);
    return kErrNone;
}
