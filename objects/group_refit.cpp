#include "objects/group_refit.h"

#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/groups.h"

namespace {

const int kKeepAspect = 3;

// The group around an object whose kind changed its frame follows it.
bool GroupRectAfterChange(DrawingRecord* drawing, DrawingObject* object, const RECT& before, GroupRescale* out)
{
    int row = FindGroup(drawing, object->groupKey, object->groupIndex, 0);
    if (row < 0)
        return false;
    object->groupIndex = row;
    LockedTable groups(drawing, kTableGroups);
    const GroupEntry* group = GroupEntryAt(groups.Get(), row);
    double oldWidth = static_cast<double>(before.right) - before.left;
    double oldHeight = static_cast<double>(before.bottom) - before.top;
    double fx = oldWidth > 0.0 ? (object->frame.right - object->frame.left) / oldWidth : 1.0;
    double fy = oldHeight > 0.0 ? (object->frame.bottom - object->frame.top) / oldHeight : 1.0;
    if (group->sizingConstraint == kKeepAspect)
        fx = fy = fx > fy ? fx : fy;
    RECT rect = group->frame;
    int width = static_cast<int>((rect.right - rect.left) * fx);
    int height = static_cast<int>((rect.bottom - rect.top) * fy);
    rect.left += object->frame.left - before.left;
    rect.top += object->frame.top - before.top;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    // Back inside the drawing: the left side wins over the right, the top
    // over the bottom.
    if (rect.right > drawing->width)
        OffsetRect(&rect, drawing->width - rect.right, 0);
    if (rect.left < 0)
        OffsetRect(&rect, -rect.left, 0);
    if (rect.bottom > drawing->height)
        OffsetRect(&rect, 0, drawing->height - rect.bottom);
    if (rect.top < 0)
        OffsetRect(&rect, 0, -rect.top);
    object->frame = before;
    out->row = row;
    out->rect = rect;
    return true;
}

} // namespace

void NoteGroupRefit(DrawingRecord* drawing, DrawingObject* object, const RECT& before, PendingGroupRefits* pending)
{
    if (EqualRect(&before, &object->frame) || object->groupKey == 0 || object->groupIndex < 0)
        return;
    GroupRescale request;
    if (!GroupRectAfterChange(drawing, object, before, &request))
        return;
    for (int k = 0; k < pending->count; ++k)
        if (pending->rows[k].row == request.row)
            return;
    if (pending->count < kMostPendingGroups)
        pending->rows[pending->count++] = request;
}

ErrorCode ApplyGroupRefits(HWND view, const PendingGroupRefits& pending)
{
    for (int k = 0; k < pending.count; ++k) {
        RECT rect = pending.rows[k].rect;
        // SetGroupRect rolls the step back and reports its own failure.
        const ErrorCode code = SetGroupRect(view, pending.rows[k].row, &rect, 0, 0, 1);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}
