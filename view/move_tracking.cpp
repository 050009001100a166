// Moving the selection, or an object with what moves with it (mode 13).
#include "common/results.h"
#include "objects/view_record.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/link_table.h"
#include "objects/linked_objects.h"
#include "objects/move_objects.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/text_line_offset.h"
#include "objects/document_undo.h"
#include "view/hit_test_drawing.h"
#include "view/selection_changes.h"
#include "view/snap_grid.h"
#include "view/tracking_steps.h"

namespace {

// The text-role bit of an object that holds its own free text.
const uint32_t kTextRoleHolder = 1;

const int kMoveCursor = 9;
const int kOverhang = 2000;
const int kMoveWait = 200;
const int kFollowsHost = 0x80;

// The moved bounds at the start, which every step offsets by the drag.
RECT StartBounds = {0, 0, 0, 0};

int MayHookToShapes(DrawingRecord* drawing, void* objects, int kind)
{
    return CallKind(kind, nullptr, drawing, objects, 0, kMsgMayLink);
}

LONG NoLessThanZero(LONG room)
{
    return room > 0 ? room : 0;
}

bool IsArray(void* objects, int index)
{
    return index >= 0 && index < TableCount(objects) && ObjectAt(objects, index)->kind == kKindArray;
}

void TakeSlot(DrawingRecord* drawing, void* objects, const DrawingObject* object, int slot, int* mayHook)
{
    const LinkSlot& link = object->links[slot];
    int host = FindObjectIndex(objects, link.targetId, link.targetHint);
    Tracking.draggedSlot = slot;
    Tracking.endHost = Tracking.originalHost = host;
    Tracking.hookOffset = {link.x, link.y};
    Tracking.endSide = link.connectCode;
    drawing->flags |= kDrawingDragging;
    if (host >= 0 && !IsArray(objects, host) && object->groupIndex < 0)
        *mayHook = 1;
}

} // namespace

ErrorCode PrepareMove(DrawingRecord* drawing, int hitCode, int index, RECT* bounds)
{
    LockedTable objects(drawing, kTableObjects);
    if (!objects.Get() || index < 0 || index >= objects.Count())
        return kErrNoMemory;
    DrawingObject* object = ObjectAt(objects.Get(), index);
    if (object->groupIndex >= 0) {
        int member = FindGroupMemberLinkedOutside(objects.Get(), object->groupIndex);
        if (member >= 0 && member != index) {
            index = member;
            Tracking.trackIndex = member;
            object = ObjectAt(objects.Get(), index);
        }
    }
    Tracking.trackRect = object->frame;
    Tracking.param = object->shapeType;
    object->stateFlags = (object->stateFlags & ~0x04u) | ((object->stateFlags & 0x08u) ? 0x04u : 0u);
    int mayHook = object->groupIndex < 0 ? MayHookToShapes(drawing, objects.Get(), object->kind) : 0;
    objects.Refresh();

    ErrorCode code = GatherLinkedObjects(drawing, index, &Tracking.attachedLines, kGatherWithLineEnds, nullptr);
    if (code != kErrNone)
        return code;
    objects.Refresh();
    object = ObjectAt(objects.Get(), index);
    const bool label = (object->stateFlags & kStateAttached) != 0;
    if (label) {
        Tracking.hookingState = kHookingOff;
    } else if (SlotsInUse(object) > 0) {
        int32_t connect = hitCode;
        CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgEndOfHandle, hitCode, 0,
                       reinterpret_cast<INT_PTR>(&connect));
        objects.Refresh();
        object = ObjectAt(objects.Get(), index);
        int slot = FindSlotByConnectPoint(object, connect);
        if (slot >= 0)
            TakeSlot(drawing, objects.Get(), object, slot, &mayHook);
    }
    if (hitCode == kHitVerticalPart)
        Tracking.trackRect.left = Tracking.trackRect.right = object->kindCoordinate;
    else if (hitCode == kHitHorizontalPart)
        Tracking.trackRect.top = Tracking.trackRect.bottom = object->kindCoordinate;
    if (!label && SlotsInUse(object) == 1) {
        const LinkSlot& link = object->links[0];
        int host = FindObjectIndex(objects.Get(), link.targetId, link.targetHint);
        int caps = CallKind(object->kind, nullptr, nullptr, nullptr, -1, kMsgCapabilities, object->shapeType);
        objects.Refresh();
        object = ObjectAt(objects.Get(), index);
        bool sameGroup = host >= 0 && object->groupIndex >= 0 &&
                         ObjectAt(objects.Get(), host)->groupKey == object->groupKey &&
                         ObjectAt(objects.Get(), host)->groupIndex >= 0;
        bool hostMoves = host >= 0 && (ObjectAt(objects.Get(), host)->stateFlags & kStateSelected);
        if (host < 0 || sameGroup || (caps & kFollowsHost) || hostMoves)
            Tracking.hookingState = kHookingOff;
        else
            TakeSlot(drawing, objects.Get(), object, 0, &mayHook);
    }

    RECT moved = Tracking.trackRect;
    code = CollectObjectsToMove(drawing, index, 1, 1, 0, &Tracking.draggedObjects, &moved);
    if (code != kErrNone)
        return code;
    if (ListCount(Tracking.draggedObjects) == 0)
        return kErrNoMemory;
    objects.Refresh();
    Tracking.trackRect = moved;
    *bounds = moved;
    if (ListCount(Tracking.draggedObjects) == 1) {
        RECT own = ObjectAt(objects.Get(), index)->frame;
        CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgLayoutRect, 0, 0, reinterpret_cast<INT_PTR>(&own));
        objects.Refresh();
        *bounds = own;
    } else {
        Tracking.param = 2;
    }
    Tracking.locked = {Tracking.trackRect.left, Tracking.trackRect.top};
    // A free text snaps by its first line, so moved texts line up on the grid.
    const DrawingObject* tracked = ObjectAt(objects.Get(), index);
    if ((tracked->textRoleFlags & kTextRoleHolder) && tracked->groupIndex < 0)
        Tracking.textSnapOffset = GetTextLineOffset(drawing, objects.Get(), index);
    if (!mayHook && Tracking.hookingState != kHookingOff)
        Tracking.hookingState = kHookingArraysOnly;
    return kErrNone;
}

void ClampMoveAndWait(HWND view, DrawingRecord* drawing, const RECT* bounds, POINT press)
{
    const RECT moved = Tracking.trackRect;
    const RECT area = Tracking.clampRect;
    // Room the moved objects have on each side; what may overhang the far
    // edges counts as room too.
    const LONG roomLeft = moved.left - area.left;
    const LONG roomTop = moved.top - area.top;
    const LONG roomRight = area.right - (bounds->right - moved.right <= kOverhang ? moved.right
                                                                                  : bounds->right - kOverhang);
    const LONG roomBottom = area.bottom - (bounds->bottom - moved.bottom <= kOverhang ? moved.bottom
                                                                                      : bounds->bottom - kOverhang);
    // Objects already past an edge (a file from elsewhere, a big grid) may
    // move anywhere but further out: the pointer is never pushed away from
    // the press, which would hide the feedback and drop the move.
    Tracking.clampRect = {press.x - NoLessThanZero(roomLeft), press.y - NoLessThanZero(roomTop),
                          press.x + NoLessThanZero(roomRight), press.y + NoLessThanZero(roomBottom)};
    Tracking.trackRect = *bounds;
    StartBounds = *bounds;
    Tracking.moveStartTime = GetTickCount() + kMoveWait;
    if (WaitForDragStart(view)) {
        DrawModeFeedback(view, drawing);
        Tracking.feedbackShown = 1;
        Tracking.moveNotStarted = 0;
        SetAppCursor(kMoveCursor);
    } else {
        Tracking.moveNotStarted = 1;
    }
}

bool StepMoveStarted()
{
    if (!Tracking.moveNotStarted)
        return true;
    if (GetTickCount() <= Tracking.moveStartTime)
        return false;
    Tracking.moveNotStarted = 0;
    SetAppCursor(kMoveCursor);
    return true;
}

void StepMove(DrawingRecord* drawing, POINT point)
{
    POINT delta = {point.x - Tracking.anchor.x, point.y - Tracking.anchor.y};
    if ((drawing->flags & kDrawingSnap) && Tracking.endHost < 0) {
        LockedTable objects(drawing, kTableObjects);
        int index = Tracking.trackIndex;
        if (objects.Get() && index >= 0 && index < objects.Count()) {
            int32_t byCentre = drawing->snapDragFlag;
            CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgClearWord, Tracking.param, 0,
                           reinterpret_cast<INT_PTR>(&byCentre));
            objects.Refresh();
            const DrawingObject* object = ObjectAt(objects.Get(), index);
            RECT reference = StartBounds;
            if ((object->groupIndex < 0 || byCentre == 1) && ListCount(Tracking.draggedObjects) > 1) {
                reference = object->frame;
                CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgLayoutRect, 0, 0,
                               reinterpret_cast<INT_PTR>(&reference));
            }
            OffsetRect(&reference, delta.x, delta.y);
            POINT at;
            if (byCentre == 1) {
                at.x = (reference.left + reference.right) / 2;
                at.y = reference.top + (Tracking.textSnapOffset ? Tracking.textSnapOffset
                                                                : (reference.bottom - reference.top) / 2);
            } else {
                at = {reference.left, reference.top + Tracking.textSnapOffset};
            }
            POINT snapped = at;
            SnapPointToGrid(drawing, &snapped);
            delta.x += snapped.x - at.x;
            delta.y += snapped.y - at.y;
        }
    }
    if (Tracking.keys & MK_SHIFT) {
        int ax = delta.x < 0 ? -delta.x : delta.x;
        int ay = delta.y < 0 ? -delta.y : delta.y;
        if (ay < ax)
            delta.y = 0;
        else
            delta.x = 0;
    }
    Tracking.current = {Tracking.anchor.x + delta.x, Tracking.anchor.y + delta.y};
    Tracking.trackRect = StartBounds;
    OffsetRect(&Tracking.trackRect, delta.x, delta.y);
}

ErrorCode EndMove(TrackScope& scope, bool cancelled, WPARAM keys)
{
    if (!Tracking.draggedOut) {
        SelectDrawingObject(scope.drawingHandle, Tracking.trackIndex, (keys & MK_SHIFT) ? TRUE : FALSE,
                            cancelled ? FALSE : TRUE, TRUE);
    }
    if (cancelled)
        return kErrNone;
    BOOL redo = FALSE;
    int pending = GetDocumentUndoKind(scope.view, &redo);
    int kind = (pending == kUndoStepDuplicate || pending == kUndoStepMoveAfterDuplicate)
                   ? kUndoStepMoveAfterDuplicate
                   : kUndoStepMove;
    scope.ReleaseDrawing();
    ErrorCode code = BeginDocumentUndo(scope.view, kind);
    scope.RelockDrawing();
    if (code != kErrNone || !scope.drawing)
        return code != kErrNone ? code : kErrNoMemory;
    // A slot it hung by is re-targeted (or let go); an object that hung by
    // nothing takes a new slot on the host it was dropped on.
    if (Tracking.draggedSlot >= 0 || Tracking.endHost >= 0) {
        code = ConnectSlot(scope.drawing, Tracking.trackIndex, Tracking.draggedSlot, Tracking.endHost,
                           Tracking.endSide, Tracking.hookOffset.x, Tracking.hookOffset.y);
        if (code != kErrNone)
            return code;
    }
    const int dx = Tracking.current.x - Tracking.anchor.x;
    const int dy = Tracking.current.y - Tracking.anchor.y;
    scope.ReleaseDrawing();
    // Inside the move's own step: the tracking's end rolls it back and reports.
    code = MoveObjects(scope.view, dx, dy, Tracking.draggedObjects, 1);
    scope.RelockDrawing();
    return code;
}
