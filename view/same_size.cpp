// Make Same Size: the selected objects take the width, the height or both of
// the primary selection.
#include "common/results.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/resize_object.h"
#include "objects/view_record.h"
#include "resources/resource_ids.h"
#include "view/arrange_arithmetic.h"
#include "view/arrange_selection.h"
#include "view/selection_targets.h"

namespace {

const int kSameWidth = 1;
const int kSameHeight = 2;
const int kWidthOnly = 1;
const int kHeightOnly = 2;
const int kKeepAspect = 3;
const int kHookedAtBothEnds = 2;

struct Size {
    int w;
    int h;
};

Size KindSize(DrawingRecord* drawing, void* objects, int index)
{
    int32_t size[2] = {0, 0};
    CallObjectKind(nullptr, drawing, objects, index, kMsgSize, 0, 0, reinterpret_cast<INT_PTR>(size));
    return Size{size[0], size[1]};
}

Size TargetSize(DrawingRecord* drawing, const SelectionTarget& target, int flags)
{
    Size size;
    if (target.row >= 0) {
        size = Size{target.frame.right - target.frame.left, target.frame.bottom - target.frame.top};
    } else {
        LockedTable objects(drawing, kTableObjects);
        size = KindSize(drawing, objects.Get(), target.primary);
    }
    return Size{flags & kSameWidth ? size.w : 0, flags & kSameHeight ? size.h : 0};
}

int ObjectCount(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    return objects.Count();
}

// The change of size that brings (w, h) to the target under a constraint;
// false when a proportional item would leave the drawing.
bool SizeChange(Size item, Size target, int flags, int constraint, const DrawingRecord* drawing, Size* change)
{
    int dw = (flags & kSameWidth) && item.w && target.w ? target.w - item.w : 0;
    int dh = (flags & kSameHeight) && item.h && target.h ? target.h - item.h : 0;
    if (constraint == kWidthOnly)
        dh = 0;
    if (constraint == kHeightOnly)
        dw = 0;
    if (constraint == kKeepAspect && item.h != 0) {
        int newW;
        int newH;
        if (!ProportionalSize(item.w, item.h, dw, dh, (flags & kSameWidth) != 0, drawing->width, drawing->height,
                              &newW, &newH))
            return false;
        dw = newW - item.w;
        dh = newH - item.h;
    }
    *change = Size{dw, dh};
    return true;
}

ErrorCode SizeGroup(HWND view, DrawingRecord* drawing, int row, Size target, int flags)
{
    RECT frame;
    int constraint;
    {
        LockedTable groups(drawing, kTableGroups);
        frame = GroupEntryAt(groups.Get(), row)->frame;
        constraint = GroupEntryAt(groups.Get(), row)->sizingConstraint;
    }
    Size change;
    if (!SizeChange(Size{frame.right - frame.left, frame.bottom - frame.top}, target, flags, constraint, drawing,
                    &change))
        return kErrOutsideDrawing;
    if (change.w == 0 && change.h == 0)
        return kErrNone;
    frame.right += change.w;
    frame.bottom += change.h;
    return SetGroupRect(view, row, &frame, 0, 0, 1);
}

ErrorCode SizeObject(void* viewRecord, DrawingRecord* drawing, int index, Size target, int flags)
{
    RECT frame;
    Size item;
    int constraint;
    {
        LockedTable objects(drawing, kTableObjects);
        item = KindSize(drawing, objects.Get(), index);
        frame = ObjectAt(objects.Refresh(), index)->frame;
        constraint = ObjectAt(objects.Get(), index)->sizingConstraint;
    }
    Size change;
    if (!SizeChange(item, target, flags, constraint, drawing, &change))
        return kErrOutsideDrawing;
    if (change.w == 0 && change.h == 0)
        return kErrNone;
    frame.right += change.w;
    frame.bottom += change.h;
    ErrorCode code = ResizeObjectInDrawing(drawing, index, &frame, 0, 0);
    if (code != kErrNone)
        return code;
    LockedTable objects(drawing, kTableObjects);
    RECT laid = ObjectAt(objects.Get(), index)->frame;
    CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgLayoutRect, 1, 1, reinterpret_cast<INT_PTR>(&laid));
    if (laid.left < 0 || laid.top < 0 || laid.right > ReadViewField(viewRecord, kViewDrawingWidth) ||
        laid.bottom > ReadViewField(viewRecord, kViewDrawingHeight))
        return kErrOutsideDrawing;
    return kErrNone;
}

} // namespace

bool CanMakeSameSize(DrawingRecord* drawing, int flags)
{
    SelectionTarget target;
    if (!FindSelectionTarget(drawing, &target)) {
        WarnById(IDS_SELECT_TWO);
        return false;
    }
    const Size size = TargetSize(drawing, target, flags);
    if (size.w == 0 && size.h == 0) {
        WarnById(IDS_TARGET_NO_SIZE);
        return false;
    }
    bool sizable = false;
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        if (!IsArrangedObject(objects.Refresh(), i, target, kMaxLinks))
            continue;
        const DrawingObject* object = ObjectAt(objects.Get(), i);
        if (object->groupKey != 0 && object->groupIndex >= 0) {
            sizable = true;
            continue;
        }
        const int slots = SlotsInUse(object);
        const Size item = KindSize(drawing, objects.Get(), i);
        const bool sizes = (size.w && item.w) || (size.h && item.h);
        if (sizes && slots >= kHookedAtBothEnds) {
            WarnById(IDS_SIZE_HOOKED);
            return false;
        }
        sizable = sizable || sizes;
    }
    if (!sizable)
        WarnById(IDS_NOTHING_SIZABLE);
    return sizable;
}

ErrorCode MakeSameSize(HWND view, void* viewRecord, DrawingRecord* drawing, int flags)
{
    SelectionTarget target;
    if (!FindSelectionTarget(drawing, &target))
        return kErrNone;
    const Size size = TargetSize(drawing, target, flags);
    for (int i = 0; i < ObjectCount(drawing); ++i) {
        int row = -1;
        {
            LockedTable objects(drawing, kTableObjects);
            if (!IsArrangedObject(objects.Get(), i, target, kHookedAtBothEnds))
                continue;
            const DrawingObject* object = ObjectAt(objects.Get(), i);
            if (object->groupKey != 0 && object->groupIndex >= 0)
                row = FindGroup(drawing, object->groupKey, object->groupIndex, 0);
        }
        ErrorCode code = row >= 0 ? SizeGroup(view, drawing, row, size, flags)
                                  : SizeObject(viewRecord, drawing, i, size, flags);
        if (code != kErrNone)
            return code;
    }
    MarkDrawingEdited(view, viewRecord, 0);
    return kErrNone;
}
