#include "objects/move_objects.h"

#include "objects/view_record.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/edit_step.h"
#include "objects/groups.h"
#include "objects/linked_objects.h"
#include "objects/object_offset.h"
#include "objects/update_links.h"
#include "store/record_store.h"
#include "objects/view_record_word.h"

namespace {

const int kUndoMove = 30;
const int kUndoDuplicate = 34;
const int kUndoMoveAfterDuplicate = 36;

void SetRowFlag(DrawingRecord* drawing, uint32_t flag, bool on)
{
    LockedTable groups(drawing, kTableGroups);
    for (int row = 0; row < groups.Count(); ++row) {
        GroupEntry* group = GroupEntryAt(groups.Get(), row);
        group->flags = on ? (group->flags | flag) : (group->flags & ~flag);
    }
}

} // namespace

ErrorCode OffsetListedObjects(DrawingRecord* drawing, HGLOBAL list, int dx, int dy)
{
    InvalidationBatch batch;
    SetRowFlag(drawing, kGroupMoving, true);
    ErrorCode code = kErrNone;
    for (int position = 0; position < ListCount(list) && code == kErrNone; ++position) {
        int index = ListIndex(list, position);
        LockedTable objects(drawing, kTableObjects);
        LockedTable groups(drawing, kTableGroups);
        if (!objects.Get() || index < 0 || index >= objects.Count())
            continue;
        DrawingObject* object = ObjectAt(objects.Get(), index);
        if (object->groupKey != 0 && object->groupIndex >= 0) {
            int row = FindGroupInTable(groups.Get(), object->groupKey, object->groupIndex, 0);
            object->groupIndex = row;
            if (row >= 0) {
                OffsetRect(&object->referenceFrame, dx, dy);
                GroupEntry* group = GroupEntryAt(groups.Get(), row);
                if (group->flags & kGroupMoving) {
                    // Two members of one group move its frame once.
                    OffsetRect(&group->frame, dx, dy);
                    OffsetRect(&group->groupingFrame, dx, dy);
                    group->flags &= ~kGroupMoving;
                }
            }
        }
        code = OffsetObject(drawing, objects.Get(), index, dx, dy);
    }
    SetRowFlag(drawing, kGroupMoving, false);
    return code;
}

ErrorCode MoveObjects(HWND view, int dx, int dy, HGLOBAL list, int insideStep)
{
    if ((dx == 0 && dy == 0) || !list)
        return kErrNone;
    int undoKind = kUndoMove;
    HGLOBAL viewHandle = GetViewRecordHandle(view);
    if (!viewHandle)
        return kErrNoMemory;
    {
        void* viewRecord = GlobalLock(viewHandle);
        int pending = viewRecord ? ReadViewField(viewRecord, kViewPendingUndo) : 0;
        if (viewRecord)
            GlobalUnlock(viewHandle);
        if (pending == kUndoDuplicate || pending == kUndoMoveAfterDuplicate)
            undoKind = kUndoMoveAfterDuplicate;
    }
    EditStep step;
    ErrorCode code = OpenEditStep(view, insideStep ? 0 : undoKind, &step);
    if (code == kErrNone && !step.drawing)
        code = kErrNoMemory;
    if (code == kErrNone)
        code = MarkRecordChanged(step.drawingHandle);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(step.drawing, kTableObjects);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(step.drawing, kTableGroups);
    if (code == kErrNone && undoKind == kUndoMoveAfterDuplicate) {
        // The next Duplicate repeats the whole distance.
        step.drawing->duplicateDx += dx;
        step.drawing->duplicateDy += dy;
    }
    if (code == kErrNone)
        code = OffsetListedObjects(step.drawing, list, dx, dy);
    if (code == kErrNone)
        code = UpdateLinks(step.drawing);
    CloseEditStep(&step, code, 0);
    return code;
}
