// The start of a tracking: the tool code's set-up, the hit test and the mode.
#include "view/tracking_entry.h"

#include "common/results.h"
#include "objects/view_record.h"
#include "objects/drawing_tables.h"
#include "objects/linked_objects.h"
#include "common/edit_errors.h"
#include "objects/document_undo.h"
#include "view/end_text_edit.h"
#include "view/hit_test_drawing.h"
#include "view/object_text_edit.h"
#include "view/selection_changes.h"
#include "view/snap_grid.h"
#include "view/tracking_steps.h"
#include "view/view_zoom.h"

namespace {

// The right-button menu of the page, with the Draw commands.
const int kRightMenuArrange = 2;

double ZoomScale(HWND view)
{
    int zoom = GetViewZoom(view, nullptr);
    return zoom > 74 ? zoom / 1000.0 : 1.0;
}

// The hit test of the pointer and the rotate tool: the mode the hit starts.
int ModeOfHit(HWND view, TrackScope& scope, int toolCode, POINT point, WPARAM keys, int* hitCode, int* index)
{
    *hitCode = HitTestDrawingRecord(scope.drawing, point.x, point.y, toolCode, nullptr, index, &Tracking.hitKind,
                                    FALSE);
    bool shift = (keys & MK_SHIFT) != 0;
    bool right = RightMenuKind == 2;
    if (right) {
        if (*hitCode == kHitNone)
            return 0;
        if (Tracking.hitKind < 0) {
            // A handle of a selected group: the group stays selected and the
            // menu is the one of the arranging commands, which act on it.
            RightMenuKind = kRightMenuArrange;
            TrackingMode = kTrackingNone;
            if (GetCapture() == view)
                ReleaseCapture();
            return -1;
        }
        RightMenuKind = (Tracking.hitKind >= 1 && Tracking.hitKind <= 3) ? 1 : 0;
        *hitCode = kHitObjectBody;
    }
    int code = *hitCode;
    if (code == kHitNone) {
        if (!shift)
            DeselectAllObjects(scope.drawingHandle);
        return 0;
    }
    if (code == kHitLockedBody) {
        ClearDocumentUndo(view);
        SelectDrawingObject(scope.drawingHandle, *index, shift, FALSE, TRUE);
        TrackingMode = kTrackingNone;
        if (GetCapture() == view)
            ReleaseCapture();
        return -1;
    }
    bool corner = (code >= 1 && code <= 4) || (code >= 20 && code <= 27);
    if (corner && toolCode == kToolCodeRotate) {
        Tracking.rotateHandle = code;
        *hitCode = code + kHitRotateOffset;
        return kTrackingRotate;
    }
    if ((code >= 1 && code <= 8) || (code >= 20 && code <= 29))
        return kTrackingResize;
    if ((code >= 50 && code <= 53) || (code >= 60 && code <= 67))
        return kTrackingAdjust;
    if (code >= 140 && code <= 145) {
        Tracking.rotateHandle = code;
        return kTrackingRotate;
    }
    if (!shift && !right && *index >= 0 && Tracking.hitKind >= 0) {
        LockedTable objects(scope.drawing, kTableObjects);
        if (*index < objects.Count() && !(ObjectAt(objects.Get(), *index)->stateFlags & kStateSelected))
            DeselectAllObjects(scope.drawingHandle);
    }
    return kTrackingMove;
}

// The text tool opens the editor on the object's text area, elsewhere a new
// text at the point; no tracking follows.
void StartTextTool(HWND view, TrackScope& scope, POINT point)
{
    int index = -1;
    int kind = -1;
    int code = HitTestDrawingRecord(scope.drawing, point.x, point.y, kToolCodeText, nullptr, &index, &kind, FALSE);
    if (code != kHitText && code != kHitAttachmentMarker)
        index = -1;
    scope.ReleaseDrawing();
    ReportEditError(BeginObjectText(view, scope.viewRecord, index, point.x, point.y, 0));
}

} // namespace

void StartTracking(HWND view, void* viewRecord, int toolCode, int paletteSlot, int parameter, int x, int y,
                   WPARAM keys, const SIZE* defaultSize)
{
    (void)viewRecord;
    {
        TrackScope probe(view);
        if (!probe.drawing)
            return;
        if (ReadViewField(probe.viewRecord, kViewTextEditor) != 0) {
            probe.ReleaseDrawing();
            if (EndTextEdit(view, 0) != 0)
                return;
        }
    }
    TrackScope scope(view);
    if (!scope.drawing)
        return;
    Tracking.view = view;
    Tracking.zoomScale = ZoomScale(view);
    Tracking.keys = keys;
    Tracking.feedbackShown = 0;
    scope.drawing->toolSlot = paletteSlot;
    POINT device = {x, y};
    POINT point = ViewPointToDrawing(view, device);
    scope.drawing->flags &= ~kDrawingDragging;
    POINT raw = point;
    if ((scope.drawing->flags & kDrawingSnap) && toolCode != kToolCodePointer)
        SnapPointToGrid(scope.drawing, &point);
    FreeTrackingLists(scope.drawing);
    ResetTrackingFields(point, ReadViewField(scope.viewRecord, kViewDrawingWidth),
                        ReadViewField(scope.viewRecord, kViewDrawingHeight), parameter);
    Tracking.hitKind = -1;

    int mode = 0;
    int hitCode = kHitNewObject;
    int index = -1;
    switch (toolCode) {
    case kToolCodeShape:
    case kToolCodeLine:
    case kToolCodeConnector:
    case kToolCodeArray:
        index = toolCode;
        mode = kTrackingNewObject;
        break;
    case kToolCodeText:
        StartTextTool(view, scope, point);
        return;
    case kToolCodeMeasureVertical:
    case kToolCodeMeasureHorizontal:
    case kToolCodeMeasureBoth:
        Tracking.current = point;
        TrackingMode = toolCode;
        SetCapture(view);
        DrawModeFeedback(view, scope.drawing);
        Tracking.feedbackShown = 1;
        return;
    case kToolCodePointer:
    case kToolCodeRotate:
        mode = ModeOfHit(view, scope, toolCode, point, keys, &hitCode, &index);
        if (mode <= 0)
            return;
        break;
    default:
        index = kToolCodeLine;
        mode = kTrackingNewObject;
        break;
    }
    Tracking.trackIndex = index;
    Tracking.hitCode = hitCode;
    int previousMode = TrackingMode;
    TrackingMode = mode;   // the set-up's hook search reads the mode
    RECT bounds = Tracking.trackRect;
    ErrorCode code = PrepareTrackingFromHit(scope.drawing, hitCode, index, defaultSize, (keys & MK_SHIFT) != 0,
                                            &bounds, raw);
    Tracking.startCursor = CurrentCursorIndex;
    if (Tracking.endHost >= 0 && hitCode < kHitObjectBody)
        SetAppCursor(13);
    if (Tracking.hitCode > kHitRotateOffset)
        Tracking.hitCode = kHitRotateOffset;
    if (code != kErrNone) {
        // The press goes on as it was: a rubber band for the pointer.
        TrackingMode = previousMode;
        return;
    }
    TrackingMode = mode;
    SetCapture(view);
    if (mode == kTrackingMove)
        ClampMoveAndWait(view, scope.drawing, &bounds, point);
}

ErrorCode PrepareTrackingFromHit(DrawingRecord* drawing, int hitCode, int index, const SIZE* defaultSize,
                                 BOOL shift, RECT* bounds, POINT raw)
{
    if (hitCode == kHitNewObject)
        return PrepareNewObject(drawing, defaultSize, raw);
    if (hitCode >= kHitObjectBody && hitCode <= kHitAttachmentMarker)
        return PrepareMove(drawing, hitCode, index, bounds);
    return PrepareHandleDrag(drawing, hitCode > kHitRotateOffset && hitCode < 140 ? hitCode - kHitRotateOffset : hitCode,
                             index, shift);
}

int WaitForDragStart(HWND view)
{
    MSG message;
    while (GetTickCount() <= Tracking.moveStartTime) {
        if (PeekMessageA(&message, view, WM_LBUTTONDOWN, WM_MBUTTONDBLCLK, PM_NOREMOVE | PM_NOYIELD))
            return 0;
        Sleep(1);
    }
    return 1;
}
