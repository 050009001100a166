// The end of a tracking: the cancel rules, the mode's edit, and the
// roll-back and report of its error.
#include "view/tracking_entry.h"

#include "common/info_dialog.h"
#include "common/results.h"
#include "objects/app_options.h"
#include "objects/drawing_tables.h"
#include "objects/update_links.h"
#include "objects/document_undo.h"
#include "common/edit_errors.h"
#include "view/drag_out.h"
#include "view/selection_changes.h"
#include "view/tracking_steps.h"

namespace {

bool IsCancelled(WPARAM)
{
    const bool still = Tracking.current.x == Tracking.anchor.x && Tracking.current.y == Tracking.anchor.y;
    switch (TrackingMode) {
    case kTrackingRubberBand:
        return !Tracking.feedbackShown;
    case kTrackingMove:
        return !Tracking.feedbackShown || Tracking.moveNotStarted || still;
    case kTrackingAdjust:
    case kTrackingRotate:
        return !Tracking.feedbackShown || still;
    default:
        return !Tracking.feedbackShown;
    }
}

// Set while a release ends the tracking: a box shown meanwhile takes the
// capture, and that must not cancel the tracking a second time.
bool Ending = false;

void EraseFeedback(TrackScope& scope)
{
    if (Tracking.feedbackShown)
        DrawModeFeedback(scope.view, scope.drawing);
    EraseHookMarkers(scope.drawing);
    Tracking.feedbackShown = 0;
}

void FinishTracking(TrackScope& scope)
{
    SetAppCursor(0);
    if (scope.drawing) {
        scope.drawing->flags &= ~kDrawingDragging;
        FreeTrackingLists(scope.drawing);
        if (Tracking.newLineConnected)
            ReportEditError(UpdateLinks(scope.drawing));
    }
    Tracking.newLineConnected = 0;
}

} // namespace

void EndTracking(HWND view, void* viewRecord, int x, int y, WPARAM keys)
{
    (void)viewRecord;
    (void)x;
    (void)y;
    TrackScope scope(view);
    if (!scope.drawing)
        return;
    Ending = true;
    Tracking.keys = keys;
    const bool cancelled = IsCancelled(keys);
    EraseFeedback(scope);
    ErrorCode code = kErrNone;
    switch (TrackingMode) {
    case kTrackingRubberBand:
        if (!cancelled && !(keys & MK_CONTROL)) {
            RECT band = Tracking.trackRect;
            scope.ReleaseDrawing();
            SelectObjectsInRect(view, &band);
            scope.RelockDrawing();
        }
        break;
    case kTrackingNewObject:
    case kTrackingPlace:
        if (cancelled)
            ClearDocumentUndo(view);
        code = EndNewObject(scope, cancelled);
        break;
    case kTrackingResize:
        if (cancelled)
            ClearDocumentUndo(view);
        code = EndResize(scope, cancelled);
        break;
    case kTrackingAdjust:
        if (cancelled)
            ClearDocumentUndo(view);
        code = EndAdjust(scope, cancelled);
        break;
    case kTrackingRotate:
        if (cancelled)
            ClearDocumentUndo(view);
        code = EndRotate(scope, cancelled);
        break;
    case kTrackingMove:
        if (cancelled && !Tracking.draggedOut)
            ClearDocumentUndo(view);
        code = EndMove(scope, cancelled, keys);
        break;
    default:
        break;
    }
    FinishTracking(scope);
    if (code != kErrNone) {
        scope.ReleaseDrawing();
        DiscardError(SwapDocumentUndo(view, 0), "the roll-back warns of its own failure");
        ReportEditError(code);
    }
    Tracking.draggedOut = 0;
    Ending = false;
}

void CancelTracking(HWND view)
{
    if (Ending || TrackingMode == kTrackingNone || Tracking.view != view || DragOutRunning())
        return;
    // Nothing was changed yet: the step before the gesture stays undoable.
    {
        TrackScope scope(view);
        if (scope.drawing) {
            EraseFeedback(scope);
            FinishTracking(scope);
        }
    }
    TrackingMode = kTrackingNone;
    if (GetCapture() == view)
        ReleaseCapture();
}
