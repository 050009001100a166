#include "objects/group_transform.h"

#include <cmath>

#include "common/results.h"
#include "objects/view_record.h"
#include "common/rect_handle_point.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/edit_step.h"
#include "objects/geometry_math.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "objects/point_transforms.h"
#include "objects/resize_object.h"
#include "objects/rotate_object.h"
#include "objects/shape_outlines.h"
#include "objects/shape_types.h"
#include "objects/update_links.h"
#include "store/record_store.h"
#include "objects/document_undo.h"
#include "objects/view_record_word.h"

int GroupResizeActive = 0;

namespace {

const int kUndoDrawing = 28;
const int kUndoRotate = 58;
const int kMinimumGroupSide = 54;
const int kFrameLimit = 32000;
const double kPi = 3.1415926535;

POINT Centre(const RECT& r)
{
    return {(r.right - r.left) / 2 + r.left, (r.bottom - r.top) / 2 + r.top};
}

// The box of a rectangle turned about its centre.
RECT TurnedBox(const RECT& rect, int angle)
{
    if (angle == 0)
        return rect;
    POINT corners[4] = {{rect.left, rect.top}, {rect.right, rect.top}, {rect.right, rect.bottom},
                        {rect.left, rect.bottom}};
    RotatePoints(&rect, angle, corners, 4);
    RECT box;
    GetPointsBounds(&box, corners, 4);
    return box;
}

// A scale against a side of the frame at grouping; a side of no length keeps
// its scale rather than dividing by it.
double Ratio(double length, double reference)
{
    return reference > 0.0 ? length / reference : 1.0;
}

bool IsMember(const DrawingObject* object, int32_t key)
{
    return object->groupIndex >= 0 && object->groupKey == key;
}

struct Rescale {
    RECT target;
    RECT rowFrame;          // the row's frame before the rescale
    RECT grouping;          // the row's frame at grouping
    double sx, sy;          // new scales
    double oldSx, oldSy;    // scales of the row's present frame
    int angle;              // the group's rotation
    int32_t key;
};

// The new frame of a member rotated at grouping, its scaled reference box
// already moved to `moved`.
RECT TurnedMemberFrame(const DrawingObject* member, const RECT& reference, const RECT& moved, double scale,
                       bool rightAngle, double growX, double growY, int* option)
{
    int angle = member->groupingRotation;
    const RECT& frame = member->frame;
    if (!rightAngle) {
        // The outline scaled about the moved origin, turned back and boxed.
        POINT corners[4] = {{member->referenceFrame.left, member->referenceFrame.top},
                            {member->referenceFrame.right, member->referenceFrame.top},
                            {member->referenceFrame.right, member->referenceFrame.bottom},
                            {member->referenceFrame.left, member->referenceFrame.bottom}};
        RotatePoints(&member->referenceFrame, angle, corners, 4);
        for (POINT& p : corners) {
            p.x = moved.left + TruncToInt((p.x - reference.left) * scale);
            p.y = moved.top + TruncToInt((p.y - reference.top) * scale);
        }
        RECT scaled;
        GetPointsBounds(&scaled, corners, 4);
        RotatePoints(&scaled, -angle, corners, 4);
        RECT box;
        GetPointsBounds(&box, corners, 4);
        *option = 1;
        return box;
    }
    // A right angle: the growth turned back onto the frame's own sides, the
    // frame then placed so that its turned box keeps its top-left corner.
    double t = angle * kPi / 1800.0;
    double c = std::fabs(std::cos(t));
    double s = std::fabs(std::sin(t));
    int growWidth = TruncToInt(growX * c + growY * s);
    int growHeight = TruncToInt(growY * c + growX * s);
    RECT grown = frame;
    grown.right += growWidth;
    grown.bottom += growHeight;
    RECT before = TurnedBox(frame, angle);
    RECT after = TurnedBox(grown, angle);
    OffsetRect(&grown, before.left - after.left, before.top - after.top);
    *option = 1;
    return grown;
}

ErrorCode RescaleMember(DrawingRecord* drawing, int index, const Rescale& r)
{
    RECT reference;
    bool rotated;
    bool rightAngle;
    int constraint;
    POINT offset;
    {
        LockedTable objects(drawing, kTableObjects);
        const DrawingObject* member = ObjectAt(objects.Get(), index);
        rotated = member->groupingRotation != 0;
        reference = TurnedBox(member->referenceFrame, member->groupingRotation);
        rightAngle = IsRightAngleRotation(member->groupingRotation) != 0;
        constraint = rightAngle ? member->sizingConstraint : 3;
        offset = {reference.left - r.grouping.left, reference.top - r.grouping.top};
    }
    double newX = r.target.left + offset.x * r.sx;
    double newY = r.target.top + offset.y * r.sy;
    double oldX = r.rowFrame.left + offset.x * r.oldSx;
    double oldY = r.rowFrame.top + offset.y * r.oldSy;
    POINT move = {TruncToInt(newX - oldX), TruncToInt(newY - oldY)};
    if (r.angle != 0)
        RotatePoints(nullptr, r.angle, &move, 1);
    {
        LockedTable objects(drawing, kTableObjects);
        ErrorCode code = OffsetObject(drawing, objects.Get(), index, move.x, move.y);
        if (code != kErrNone)
            return code;
    }

    double width = static_cast<double>(reference.right) - reference.left;
    double height = static_cast<double>(reference.bottom) - reference.top;
    double sx = r.sx;
    double sy = r.sy;
    if (constraint == 3)
        sx = sy = sx < sy ? sx : sy;
    double growX = width * sx - width;
    double growY = height * sy - height;
    if (constraint == 1)
        growY = 0.0;
    else if (constraint == 2)
        growX = 0.0;

    RECT rect;
    int option = 0;
    int answered;
    {
        LockedTable objects(drawing, kTableObjects);
        const DrawingObject* member = ObjectAt(objects.Get(), index);
        RECT box = member->frame;
        CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgLayoutRect, 1, 1, reinterpret_cast<INT_PTR>(&box));
        objects.Refresh();
        RECT moved = reference;
        OffsetRect(&moved, box.left - reference.left, box.top - reference.top);
        rect = moved;
        answered = CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgLineRectInGroup, TruncToInt(growX),
                                  TruncToInt(growY), reinterpret_cast<INT_PTR>(&rect));
        objects.Refresh();
        member = ObjectAt(objects.Get(), index);
        if (answered != 1) {
            if (!rotated) {
                rect = {member->frame.left, member->frame.top,
                        member->frame.left + (reference.right - reference.left) + TruncToInt(growX),
                        member->frame.top + (reference.bottom - reference.top) + TruncToInt(growY)};
            } else {
                rect = TurnedMemberFrame(member, reference, moved, sx, rightAngle, growX, growY, &option);
            }
        }
    }
    return ResizeObjectInDrawing(drawing, index, &rect, 0, option);
}

ErrorCode RescaleMembers(DrawingRecord* drawing, const Rescale& r)
{
    // Lines follow their shapes before the arrays lay their branches out.
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            ErrorCode code = UpdateLinks(drawing);
            if (code != kErrNone)
                return code;
        }
        for (int i = 0;; ++i) {
            {
                LockedTable objects(drawing, kTableObjects);
                if (!objects.Get() || i >= objects.Count())
                    break;
                const DrawingObject* member = ObjectAt(objects.Get(), i);
                if (!IsMember(member, r.key) || (member->kind == kKindArray) != (pass == 1))
                    continue;
            }
            ErrorCode code = RescaleMember(drawing, i, r);
            if (code != kErrNone)
                return code;
        }
    }
    return kErrNone;
}

HWND ViewOfRecord(void* viewRecord)
{
    HGLOBAL drawingHandle = viewRecord ? GetViewDrawingHandle(viewRecord) : nullptr;
    if (!drawingHandle)
        return nullptr;
    HWND view = DrawingViewWindow(static_cast<DrawingRecord*>(GlobalLock(drawingHandle)));
    GlobalUnlock(drawingHandle);
    return view;
}

ErrorCode MarkThree(EditStep& step)
{
    ErrorCode code = MarkRecordChanged(step.drawingHandle);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(step.drawing, kTableObjects);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(step.drawing, kTableGroups);
    return code;
}

} // namespace

int GetSelectedGroup(DrawingRecord* drawing, void* objectTable)
{
    if (!drawing || !objectTable)
        return -1;
    int primary = drawing->primarySelected;
    if (primary < 0 || primary >= TableCount(objectTable))
        return -1;
    const DrawingObject* object = ObjectAt(objectTable, primary);
    if (object->groupKey == 0)
        return -1;
    return FindGroup(drawing, object->groupKey, object->groupIndex, 0);
}

ErrorCode MoveGroupMembers(DrawingRecord* drawing, int row, int dx, int dy)
{
    int32_t key;
    {
        LockedTable groups(drawing, kTableGroups);
        if (!groups.Get() || row < 0 || row >= groups.Count())
            return kErrNone;
        GroupEntry* group = GroupEntryAt(groups.Get(), row);
        key = group->key;
        OffsetRect(&group->frame, dx, dy);
        OffsetRect(&group->groupingFrame, dx, dy);
    }
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        DrawingObject* member = ObjectAt(objects.Get(), i);
        if (!IsMember(member, key))
            continue;
        OffsetRect(&member->referenceFrame, dx, dy);
        ErrorCode code = OffsetObject(drawing, objects.Get(), i, dx, dy);
        objects.Refresh();
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

ErrorCode UnlinkGroupMembers(DrawingRecord* drawing, void*, int32_t key)
{
    for (int i = 0;; ++i) {
        LockedTable objects(drawing, kTableObjects);
        if (!objects.Get() || i >= objects.Count())
            break;
        const DrawingObject* member = ObjectAt(objects.Get(), i);
        if (!IsMember(member, key) || (member->stateFlags & kStateAttached))
            continue;
        for (int slot = SlotsInUse(member) - 1; slot >= 0; --slot) {
            DrawingObject* holder = ObjectAt(objects.Get(), i);
            if (slot >= SlotsInUse(holder))
                continue;
            LinkSlot& held = holder->links[slot];
            int target = FindObjectIndex(objects.Get(), held.targetId, held.targetHint);
            if (target < 0)
                continue;
            held.targetHint = target;
            if (!IsMember(ObjectAt(objects.Get(), target), key))
                continue;
            ErrorCode code = RemoveLinksTo(drawing, held.targetId, holder->objectId);
            objects.Refresh();
            if (code != kErrNone)
                return code;
        }
    }
    return kErrNone;
}

ErrorCode SetGroupRect(HWND view, int row, RECT* rect, int handleCode, int, int insideStep)
{
    if (rect->right - rect->left < kMinimumGroupSide)
        rect->right = rect->left + kMinimumGroupSide;
    if (rect->bottom - rect->top < kMinimumGroupSide)
        rect->bottom = rect->top + kMinimumGroupSide;
    EditStep step;
    ErrorCode code = OpenEditStep(view, 0, &step);
    if (code != kErrNone)
        return code;
    GroupResizeActive = 1;
    if (!insideStep)
        code = BeginDocumentUndo(view, kUndoDrawing);
    if (code == kErrNone && !step.drawing)
        code = kErrNoMemory;

    Rescale r;
    r.target = *rect;
    if (code == kErrNone) {
        LockedTable groups(step.drawing, kTableGroups);
        if (!groups.Get() || row < 0 || row >= groups.Count()) {
            code = kErrNoMemory;
        } else {
            GroupEntry* group = GroupEntryAt(groups.Get(), row);
            r.rowFrame = group->frame;
            r.grouping = group->groupingFrame;
            r.angle = group->rotation;
            r.key = group->key;
            if (r.angle != 0) {
                // The dragged handle keeps its place on screen.
                POINT was;
                GetRectHandlePoint(&r.rowFrame, handleCode == 0 ? 1 : handleCode, &was);
                RotatePoints(&r.rowFrame, r.angle, &was, 1);
                POINT lands;
                GetRectHandlePoint(&r.target, handleCode == 0 ? 1 : handleCode, &lands);
                RotatePoints(&r.target, r.angle, &lands, 1);
                int shiftX = was.x - lands.x;
                int shiftY = was.y - lands.y;
                if (r.target.right + shiftX > kFrameLimit)
                    shiftX = kFrameLimit - r.target.right;
                if (r.target.bottom + shiftY > kFrameLimit)
                    shiftY = kFrameLimit - r.target.bottom;
                OffsetRect(&r.target, shiftX, shiftY);
            }
        }
    }
    if (code == kErrNone)
        code = MarkThree(step);
    if (code == kErrNone) {
        LockedTable groups(step.drawing, kTableGroups);
        GroupEntry* group = GroupEntryAt(groups.Get(), row);
        double gw = static_cast<double>(r.grouping.right) - r.grouping.left;
        double gh = static_cast<double>(r.grouping.bottom) - r.grouping.top;
        r.sx = Ratio(static_cast<double>(r.target.right) - r.target.left, gw);
        r.sy = Ratio(static_cast<double>(r.target.bottom) - r.target.top, gh);
        if (group->scaleX != 0.0 && group->scaleY != 0.0) {
            r.oldSx = group->scaleX;
            r.oldSy = group->scaleY;
        } else {
            r.oldSx = Ratio(static_cast<double>(r.rowFrame.right) - r.rowFrame.left, gw);
            r.oldSy = Ratio(static_cast<double>(r.rowFrame.bottom) - r.rowFrame.top, gh);
        }
        group->scaleX = r.sx;
        group->scaleY = r.sy;
    }
    if (code == kErrNone)
        code = RescaleMembers(step.drawing, r);
    if (code == kErrNone)
        code = UpdateLinks(step.drawing);
    if (code == kErrNone) {
        LockedTable groups(step.drawing, kTableGroups);
        if (row < groups.Count()) {
            GroupEntry* group = GroupEntryAt(groups.Get(), row);
            group->frame = r.target;
            RECT reach = TurnedBox(r.target, r.angle);
            InflateRect(&reach, 30, 30);
            RECT bounds;
            UnionRect(&bounds, &group->bounds, &reach);
            group->bounds = bounds;
            InvalidateDrawingRect(step.drawing, &group->bounds);
        }
    }
    *rect = r.target;
    GroupResizeActive = 0;
    ReleaseEditStep(&step);
    if (code != kErrNone) {
        // Even a step the caller opened is rolled back.
        DiscardError(SwapDocumentUndo(view, 0), "the roll-back warns of its own failure");
        void* viewRecord = GlobalLock(step.viewHandle);
        if (viewRecord) {
            WriteViewField(viewRecord, kViewPendingUndo, 0);
            GlobalUnlock(step.viewHandle);
        }
        return code;
    }
    CloseEditStep(&step, kErrNone, 0);
    return kErrNone;
}

ErrorCode RotateGroup(void* viewRecord, int row, int handleCode, int x, int y, int insideStep)
{
    HWND view = ViewOfRecord(viewRecord);
    EditStep step;
    ErrorCode code = OpenEditStep(view, insideStep ? 0 : kUndoRotate, &step);
    if (code == kErrNone && !step.drawing)
        code = kErrNoMemory;
    if (code == kErrNone)
        code = MarkThree(step);
    int32_t key = 0;
    RECT frame = {0, 0, 0, 0};
    int present = 0;
    bool unlink = false;
    if (code == kErrNone) {
        LockedTable groups(step.drawing, kTableGroups);
        if (!groups.Get() || row < 0 || row >= groups.Count()) {
            code = kErrNoMemory;
        } else {
            GroupEntry* group = GroupEntryAt(groups.Get(), row);
            key = group->key;
            frame = group->frame;
            present = group->rotation;
            unlink = (group->flags & kGroupHangsOnLink) != 0;
            group->flags &= ~kGroupHangsOnLink;
            InvalidateDrawingRect(step.drawing, &group->bounds);
        }
    }
    if (code == kErrNone && unlink) {
        LockedTable objects(step.drawing, kTableObjects);
        code = UnlinkGroupMembers(step.drawing, objects.Get(), key);
    }
    int angle = 0;
    if (code == kErrNone) {
        POINT centre = Centre(frame);
        POINT handle;
        GetRectHandlePoint(&frame, handleCode, &handle);
        angle = ComputeAngleBetween(centre.x, centre.y, handle.x, handle.y, x, y);
        if (step.drawing->flags & kDrawingSnap)
            angle = SnapRotationAngle(angle);
    }
    for (int i = 0; code == kErrNone; ++i) {
        POINT moved[2];
        int handleOfMember;
        bool label;
        {
            LockedTable objects(step.drawing, kTableObjects);
            if (!objects.Get() || i >= objects.Count())
                break;
            const DrawingObject* member = ObjectAt(objects.Get(), i);
            if (!IsMember(member, key))
                continue;
            label = (member->stateFlags & kStateAttached) != 0;
            POINT point = {0, 0};
            RECT box;
            handleOfMember = CallObjectKind(nullptr, step.drawing, objects.Get(), i, kMsgRotateHandle, 3,
                                            reinterpret_cast<INT_PTR>(&point), reinterpret_cast<INT_PTR>(&box));
            objects.Refresh();
            member = ObjectAt(objects.Get(), i);
            moved[0] = Centre(member->frame);
            moved[1] = point;
            POINT was = moved[0];
            RotatePoints(&frame, -present, moved, 2);
            RotatePoints(&frame, angle, moved, 2);
            code = OffsetObject(step.drawing, objects.Get(), i, moved[0].x - was.x, moved[0].y - was.y);
        }
        if (code != kErrNone || handleOfMember == 0 || label)
            continue;
        int memberAngle = 0;
        {
            LockedTable objects(step.drawing, kTableObjects);
            code = CallObjectKindCode(nullptr, step.drawing, objects.Get(), i, kMsgRotateToPoint, handleOfMember, 0,
                                  reinterpret_cast<INT_PTR>(&moved[1]));
            objects.Refresh();
            memberAngle = ObjectAt(objects.Get(), i)->rotation;
            CallObjectKind(nullptr, step.drawing, objects.Get(), i, kMsgLineAngle, 0, 0,
                           reinterpret_cast<INT_PTR>(&memberAngle));
        }
        if (code == kErrNone)
            code = PassAngleToLabel(step.drawing, i, memberAngle);
    }
    if (code == kErrNone) {
        LockedTable groups(step.drawing, kTableGroups);
        if (row < groups.Count())
            GroupEntryAt(groups.Get(), row)->rotation = angle;
    }
    if (code == kErrNone)
        code = UpdateLinks(step.drawing);
    CloseEditStep(&step, code, 0);
    return code;
}
