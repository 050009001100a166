// Flip and the shadow switches of the selection; a group flips as a unit,
// its members mirrored inside its frame.
#include <vector>

#include "common/info_dialog.h"
#include "common/results.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "objects/point_transforms.h"
#include "resources/resource_ids.h"
#include "view/arrange_arithmetic.h"
#include "view/arrange_selection.h"

namespace {

const int kHandleBottomRight = 4;
const int kNoFlipHelp = 201;

struct TurnedRow {
    int row;
    int rotation;
};

int ObjectCount(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    return objects.Count();
}

// Links between members would tear while they swap places; a turned group
// is straightened first and turned back afterwards.
ErrorCode PrepareGroups(void* viewRecord, DrawingRecord* drawing, std::vector<TurnedRow>* turned)
{
    int rows;
    {
        LockedTable groups(drawing, kTableGroups);
        rows = groups.Count();
    }
    for (int row = 0; row < rows; ++row) {
        GroupEntry entry;
        {
            LockedTable groups(drawing, kTableGroups);
            entry = *GroupEntryAt(groups.Get(), row);
        }
        if (!(entry.flags & kGroupSelected))
            continue;
        if (entry.flags & kGroupHangsOnLink) {
            ErrorCode code = UnlinkGroupMembers(drawing, nullptr, entry.key);
            if (code != kErrNone)
                return code;
            LockedTable groups(drawing, kTableGroups);
            GroupEntryAt(groups.Get(), row)->flags &= ~kGroupHangsOnLink;
        }
        if (entry.rotation == 0)
            continue;
        turned->push_back(TurnedRow{row, entry.rotation});
        ErrorCode code = RotateGroup(viewRecord, row, kHandleBottomRight, entry.frame.right, entry.frame.bottom, 1);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

ErrorCode MirrorInGroup(DrawingRecord* drawing, int index, int direction)
{
    LockedTable objects(drawing, kTableObjects);
    DrawingObject* object = ObjectAt(objects.Get(), index);
    if (object->groupKey == 0 || object->groupIndex < 0)
        return kErrNone;
    const int row = FindGroup(drawing, object->groupKey, object->groupIndex, 0);
    object->groupIndex = row;
    if (row < 0)
        return kErrNone;
    GroupEntry group;
    {
        LockedTable groups(drawing, kTableGroups);
        group = *GroupEntryAt(groups.Get(), row);
    }
    const bool across = direction == kOptionFlipH;
    RECT& reference = object->referenceFrame;
    const int referenceShift =
        across ? MirrorOffset(group.groupingFrame.left, group.groupingFrame.right, reference.left, reference.right)
               : MirrorOffset(group.groupingFrame.top, group.groupingFrame.bottom, reference.top, reference.bottom);
    const int shift = across ? MirrorOffset(group.frame.left, group.frame.right, object->frame.left, object->frame.right)
                             : MirrorOffset(group.frame.top, group.frame.bottom, object->frame.top, object->frame.bottom);
    if (across)
        OffsetRect(&reference, referenceShift, 0);
    else
        OffsetRect(&reference, 0, referenceShift);
    return OffsetObject(drawing, objects.Get(), index, across ? shift : 0, across ? 0 : shift);
}

ErrorCode FlipObject(DrawingRecord* drawing, int index, int direction)
{
    {
        LockedTable objects(drawing, kTableObjects);
        DrawingObject* object = ObjectAt(objects.Get(), index);
        if (!(object->stateFlags & kStateSelected))
            return kErrNone;
        InvalidateDrawingRect(drawing, &object->bounds);
        ErrorCode code = CallObjectKindCode(nullptr, drawing, objects.Get(), index, kMsgFlip, direction);
        object = ObjectAt(objects.Refresh(), index);
        MarkLinksOf(drawing, object->objectId, kLinkTargetMoved, object->groupKey, object->groupIndex);
        if (code != kErrNone)
            return code;
    }
    ErrorCode code = MirrorInGroup(drawing, index, direction);
    LockedTable objects(drawing, kTableObjects);
    InvalidateDrawingRect(drawing, &ObjectAt(objects.Get(), index)->bounds);
    return code;
}

ErrorCode TurnGroupsBack(void* viewRecord, DrawingRecord* drawing, const std::vector<TurnedRow>& turned)
{
    for (const TurnedRow& t : turned) {
        RECT frame;
        {
            LockedTable groups(drawing, kTableGroups);
            GroupEntry* entry = GroupEntryAt(groups.Get(), t.row);
            entry->rotation = 0;
            frame = entry->frame;
        }
        POINT corner = {frame.right, frame.bottom};
        RotatePoints(&frame, t.rotation, &corner, 1);
        ErrorCode code = RotateGroup(viewRecord, t.row, kHandleBottomRight, corner.x, corner.y, 1);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

} // namespace

bool CanFlipSelection(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        const DrawingObject* object = ObjectAt(objects.Get(), i);
        if (!(object->stateFlags & kStateSelected) || SlotsInUse(object) == 0 || HasSingleBranchHook(object))
            continue;
        if (object->groupKey != 0 || FindHostObject(objects.Get(), i, 1) >= 0)
            continue;
        WarnById(IDS_FLIP_HOOKED);
        return false;
    }
    return true;
}

ErrorCode FlipSelection(HWND view, void* viewRecord, DrawingRecord* drawing, int direction)
{
    std::vector<TurnedRow> turned;
    ErrorCode code = PrepareGroups(viewRecord, drawing, &turned);
    TransformRefused = 0;
    for (int i = 0; code == kErrNone && i < ObjectCount(drawing); ++i)
        code = FlipObject(drawing, i, direction);
    if (code == kErrNone)
        code = TurnGroupsBack(viewRecord, drawing, turned);
    if (TransformRefused)
        ShowInfoDialog("INFO_NOFLIP", kNoFlipHelp);
    if (code == kErrNone)
        MarkDrawingEdited(view, viewRecord, 0);
    return code;
}

ErrorCode ToggleShadowOption(DrawingRecord* drawing, uint32_t bit)
{
    // Any object that has the option, or a mix, turns it off for all.
    bool anyHas = false;
    {
        LockedTable objects(drawing, kTableObjects);
        for (int i = 0; i < objects.Count(); ++i) {
            const DrawingObject* object = ObjectAt(objects.Get(), i);
            if ((object->stateFlags & kStateSelected) && (object->optionFlags & bit))
                anyHas = true;
        }
    }
    const int on = anyHas ? 0 : 1;
    for (int i = 0; i < ObjectCount(drawing); ++i) {
        LockedTable objects(drawing, kTableObjects);
        if (!(ObjectAt(objects.Get(), i)->stateFlags & kStateSelected))
            continue;
        InvalidateDrawingRect(drawing, &ObjectAt(objects.Get(), i)->bounds);
        ErrorCode code = CallObjectKindCode(nullptr, drawing, objects.Get(), i, kMsgShadowFlags, bit, on);
        InvalidateDrawingRect(drawing, &ObjectAt(objects.Refresh(), i)->bounds);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}
