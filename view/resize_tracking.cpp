// Resizing by handles and dragging line ends (mode 12), and dragging adjust
// handles or a connector's middle segment (mode 19).
#include "common/results.h"
#include "lines/connector_handles.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/kind_messages.h"
#include "objects/link_table.h"
#include "objects/linked_objects.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/point_transforms.h"
#include "objects/resize_object.h"
#include "objects/document_undo.h"
#include "view/hit_test_drawing.h"
#include "view/rotated_resize.h"
#include "view/tracking_steps.h"

namespace {

// The tracked frame at the start: the object's frame or the group row's.
RECT TrackedFrame = {0, 0, 0, 0};

int Mid(int a, int b) { return a + (b - a) / 2; }

// A line end or a connector handle's point, with the segment of a middle handle.
ErrorCode HandlePoint(DrawingRecord* drawing, void* objects, int index, int code, POINT* point, RECT* segment)
{
    const DrawingObject* object = ObjectAt(objects, index);
    if (object->kind == kKindConnector) {
        int segmentIndex = 0;
        const ErrorCode found = GetSegLineHandlePoint(drawing, objects, index, code, point, segment, &segmentIndex);
        return found ? kErrNotDone : kErrNone;
    }
    *point = {0, 0};
    CallObjectKind(nullptr, drawing, objects, index, kMsgAnchorPoint, code, 0, reinterpret_cast<INT_PTR>(point));
    return kErrNone;
}

// The hook set-up of a dragged line end: the slot at the end, or what the
// end may not hook to.
ErrorCode PrepareEndHooks(DrawingRecord* drawing, LockedTable& objects, int index, int code)
{
    ErrorCode result = GatherLinkedObjects(drawing, index, &Tracking.attachedLines, kGatherWithLineEnds, nullptr);
    if (result != kErrNone)
        return result;
    objects.Refresh();
    DrawingObject* object = ObjectAt(objects.Get(), index);
    // Shapes are resized, not hooked: only line, connector and array ends hook.
    if (object->kind == kKindShape || (object->stateFlags & kStateAttached)) {
        Tracking.hookingState = kHookingOff;
        return kErrNone;
    }
    int32_t connect = code;
    CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgEndOfHandle, code, 0,
                   reinterpret_cast<INT_PTR>(&connect));
    objects.Refresh();
    object = ObjectAt(objects.Get(), index);
    int slot = SlotsInUse(object) > 0 ? FindSlotByConnectPoint(object, connect) : -1;
    if (slot >= 0) {
        const LinkSlot& link = object->links[slot];
        Tracking.draggedSlot = slot;
        Tracking.endHost = Tracking.originalHost = FindObjectIndex(objects.Get(), link.targetId, link.targetHint);
        Tracking.hookOffset = {link.x, link.y};
        Tracking.endSide = link.connectCode;
        drawing->flags |= kDrawingDragging;
        return kErrNone;
    }
    if (code >= kHitObjectBody)
        return kErrNone;
    if (SlotsInUse(object) < object->linkCapacity && SlotsInUse(object) < 2) {
        // An end cannot hook to the object the other end hangs on.
        if (SlotsInUse(object) > 0) {
            int other = FindObjectIndex(objects.Get(), object->links[0].targetId, object->links[0].targetHint);
            if (other >= 0) {
                HGLOBAL list = Tracking.attachedLines;
                result = GatherLinkedObjects(drawing, other, &list, kGatherAlone, nullptr);
                Tracking.attachedLines = list;
            }
        }
    } else {
        Tracking.hookingState = kHookingOff;
    }
    return result;
}

struct Setup {
    POINT anchor;
    POINT locked;
    int axisLock;
    int cursor;
};

// The anchor, locked point, axis lock and cursor of a hit code on frame R
// with line coordinate L.
bool SetupOfCode(int code, const RECT& r, int l, Setup* s)
{
    s->axisLock = 99;
    switch (code) {
    case 1: case 24: s->anchor = {r.right, r.bottom}; s->cursor = 6; break;
    case 2: case 25: case 144: s->anchor = {r.left, r.bottom}; s->cursor = 5; break;
    case 3: case 26: s->anchor = {r.right, r.top}; s->cursor = 5; break;
    case 4: case 27: case 145: s->anchor = {r.left, r.top}; s->cursor = 6; break;
    case 5: case 62: case 63:
        s->anchor = {r.right, r.bottom}; s->locked = {r.left, 0}; s->axisLock = 2; s->cursor = 7; return true;
    case 6: s->anchor = {r.right, r.top}; s->locked = {r.left, 0}; s->axisLock = 2; s->cursor = 7; return true;
    case 7: case 60: case 61:
        s->anchor = {r.right, r.bottom}; s->locked = {0, r.top}; s->axisLock = 1; s->cursor = 8; return true;
    case 8: s->anchor = {r.left, r.bottom}; s->locked = {0, r.top}; s->axisLock = 1; s->cursor = 8; return true;
    case 20: s->anchor = {r.right, l}; s->locked = {0, l}; s->cursor = 8; return true;
    case 21: s->anchor = {r.left, l}; s->locked = {0, l}; s->cursor = 8; return true;
    case 22: s->anchor = {l, r.bottom}; s->locked = {l, 0}; s->cursor = 7; return true;
    case 23: s->anchor = {l, r.top}; s->locked = {l, 0}; s->cursor = 7; return true;
    case 64: case 65: s->anchor = {r.left, r.top}; s->cursor = 6; break;
    case 66: case 67: s->anchor = {r.right, r.top}; s->cursor = 5; break;
    case 140: s->anchor = {r.left, Mid(r.top, r.bottom)}; s->cursor = 17; break;
    case 141: s->anchor = {Mid(r.left, r.right), r.top}; s->cursor = 17; break;
    case 142: s->anchor = {r.left, l}; s->cursor = 17; break;
    case 143: s->anchor = {l, r.top}; s->cursor = 17; break;
    default: return false;
    }
    s->locked = s->anchor;
    return true;
}

} // namespace

ErrorCode PrepareHandleDrag(DrawingRecord* drawing, int code, int index, BOOL shift)
{
    LockedTable objects(drawing, kTableObjects);
    LockedTable groups(drawing, kTableGroups);
    int line = 0;
    if (Tracking.hitKind < 0) {
        if (!groups.Get() || index < 0 || index >= groups.Count())
            return kErrNoMemory;
        const GroupEntry* row = GroupEntryAt(groups.Get(), index);
        TrackedFrame = row->frame;
        if (code < kHitObjectBody) {
            int height = TrackedFrame.bottom - TrackedFrame.top;
            Tracking.aspectRatio = height ? static_cast<double>(TrackedFrame.right - TrackedFrame.left) / height : 1.0;
            Tracking.keepAspect = row->sizingConstraint == 3 && !shift;
            Tracking.startRotation = row->rotation;
        }
        Tracking.hookingState = kHookingOff;
    } else {
        if (!objects.Get() || index < 0 || index >= objects.Count())
            return kErrNoMemory;
        const DrawingObject* object = ObjectAt(objects.Get(), index);
        TrackedFrame = object->frame;
        line = object->kindCoordinate;
        Tracking.param = object->shapeType;
        if (code < kHitObjectBody) {
            int height = TrackedFrame.bottom - TrackedFrame.top;
            Tracking.aspectRatio = height ? static_cast<double>(TrackedFrame.right - TrackedFrame.left) / height : 1.0;
            Tracking.keepAspect = object->sizingConstraint == 3 && !shift;
            Tracking.startRotation = object->rotation;
        }
        if (code < 50) {
            ErrorCode result = PrepareEndHooks(drawing, objects, index, code);
            if (result != kErrNone)
                return result;
        } else {
            Tracking.startParameter = ObjectAt(objects.Refresh(), index)->adjust;
        }
        ObjectAt(objects.Refresh(), index)->stateFlags =
            (ObjectAt(objects.Get(), index)->stateFlags & ~0x04u) |
            ((ObjectAt(objects.Get(), index)->stateFlags & 0x08u) ? 0x04u : 0u);
    }
    Tracking.trackRect = TrackedFrame;
    Setup setup = {};
    if (code == kHitLineStart || code == kHitLineEnd || (code >= 50 && code <= 53)) {
        if (Tracking.hitKind < 0)
            return kErrNoMemory;
        RECT segment = TrackedFrame;
        int asked = code == kHitLineStart ? kHitLineEnd : (code == kHitLineEnd ? kHitLineStart : code);
        if (HandlePoint(drawing, objects.Refresh(), index, asked, &setup.anchor, &segment) != kErrNone)
            return kErrNotDone;
        setup.locked = setup.anchor;
        setup.axisLock = 99;
        setup.cursor = code >= 50 ? ((code == 50 || code == 52) ? 8 : 7) : 6;
        if (code >= 50)
            Tracking.trackRect = segment;
    } else if (!SetupOfCode(code, TrackedFrame, line, &setup)) {
        return kErrNotDone;
    }
    if (code == 20 || code == 21 || code == 142)
        Tracking.trackRect.top = Tracking.trackRect.bottom = line;
    if (code == 22 || code == 23 || code == 143)
        Tracking.trackRect.left = Tracking.trackRect.right = line;
    Tracking.anchor = setup.anchor;
    Tracking.locked = setup.locked;
    Tracking.axisLock = setup.axisLock;
    if (TrackingMode == kTrackingAdjust)
        Tracking.current = Tracking.anchor;
    SetAppCursor(Tracking.hitCode > kHitRotateOffset && Tracking.hitCode < 140 ? 17 : setup.cursor);
    return kErrNone;
}

void StepResize(DrawingRecord*, POINT point)
{
    if (Tracking.startRotation != 0) {
        RotatePoints(&TrackedFrame, -Tracking.startRotation, &point, 1);
        const RECT area = {0, 0, Tracking.clampRect.right, Tracking.clampRect.bottom};
        point = LimitTurnedResize(TrackedFrame, point, area);
    }
    Tracking.trackRect = ComputeResizeRect(&point);
    Tracking.current = point;
}

void StepAdjust(POINT point)
{
    OffsetRect(&Tracking.trackRect, point.x - Tracking.current.x, point.y - Tracking.current.y);
    Tracking.current = point;
}

ErrorCode EndResize(TrackScope& scope, bool cancelled)
{
    const int index = Tracking.trackIndex;
    if (cancelled) {
        LockedTable objects(scope.drawing, kTableObjects);
        if (Tracking.hitKind >= 0 && index >= 0 && index < objects.Count() &&
            (ObjectAt(objects.Get(), index)->stateFlags & 0x08))
            InvalidateDrawingRect(scope.drawing, &ObjectAt(objects.Get(), index)->bounds);
        return kErrNone;
    }
    RECT rect = Tracking.trackRect;
    int side = GetSideCodeOfPoint(&rect, Tracking.anchor.x, Tracking.anchor.y);
    if (Tracking.hitKind < 0) {
        scope.ReleaseDrawing();
        const ErrorCode resized = SetGroupRect(scope.view, index, &rect, side, 0, 0);
        scope.RelockDrawing();
        return resized;
    }
    {
        LockedTable objects(scope.drawing, kTableObjects);
        int32_t connect = Tracking.hitCode;
        CallObjectKind(nullptr, scope.drawing, objects.Get(), index, kMsgEndOfHandle, Tracking.hitCode, 0,
                       reinterpret_cast<INT_PTR>(&connect));
        Tracking.endSide = connect;
    }
    scope.ReleaseDrawing();
    ErrorCode code = BeginDocumentUndo(scope.view, kUndoStepResize);
    scope.RelockDrawing();
    if (code != kErrNone)
        return code;
    if (!scope.drawing)
        return kErrNoMemory;
    if (Tracking.draggedSlot >= 0 || Tracking.endHost >= 0) {
        code = ConnectSlot(scope.drawing, index, Tracking.draggedSlot, Tracking.endHost, Tracking.endSide,
                           Tracking.hookOffset.x, Tracking.hookOffset.y);
        if (code != kErrNone)
            return code;
    }
    scope.ReleaseDrawing();
    // ResizeObject rolls its step back; the tracking's end reports.
    code = ResizeObject(scope.view, index, &rect, side, 0, 0);
    scope.RelockDrawing();
    return code;
}

ErrorCode EndAdjust(TrackScope& scope, bool cancelled)
{
    if (cancelled)
        return kErrNone;
    POINT point = Tracking.current;
    scope.ReleaseDrawing();
    const ErrorCode code =
        ChangeObjectShape(kMsgSetAdjustFromHandle, scope.viewRecord, Tracking.trackIndex, Tracking.hitCode, &point);
    scope.RelockDrawing();
    return code;
}
