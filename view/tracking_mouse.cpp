// One mouse move of a tracking: hooking, snapping, clamping, automatic
// scrolling and the XOR feedback of the mode.
#include "view/tracking_entry.h"

#include "objects/view_record.h"
#include "view/scroll_view.h"
#include "view/drag_out.h"
#include "view/snap_grid.h"
#include "view/tracking_steps.h"

namespace {

const int kScrollMinimum = 16;
const int kScrollMaximum = 240;
const int kHiddenOvershoot = 241;
const int kRulerReach = 26;

int Limit(int v, int magnitude)
{
    return v > magnitude ? magnitude : (v < -magnitude ? -magnitude : v);
}

// The scroll steps in pixels for a device point outside the client area.
void ScrollSteps(HWND view, POINT device, int* dx, int* dy)
{
    RECT client;
    GetClientRect(view, &client);
    *dx = *dy = 0;
    if (device.x > client.right) {
        int step = device.x - client.right;
        *dx = step < kScrollMinimum ? kScrollMinimum : Limit(step, kScrollMaximum);
    } else if (device.x <= client.left && TrackingMode != kTrackingMeasureHorizontal &&
               TrackingMode != kTrackingMeasureBoth) {
        int step = device.x - client.left;
        *dx = step > -kScrollMinimum ? -kScrollMinimum : Limit(step, kScrollMaximum);
    }
    if (device.y > client.bottom)
        *dy = Limit(device.y - client.bottom, kScrollMaximum);
    else if (device.y < client.top && TrackingMode != kTrackingMeasureVertical &&
             TrackingMode != kTrackingMeasureBoth)
        *dy = Limit(device.y - client.top, kScrollMaximum);
}

bool MouseMessageWaiting(HWND view)
{
    MSG message;
    return PeekMessageA(&message, view, WM_MOUSEMOVE, WM_MBUTTONDBLCLK, PM_NOREMOVE | PM_NOYIELD) != 0;
}

// Clamps into ClampRect; the overshoot beyond it.
int ClampPoint(POINT* point)
{
    const RECT& c = Tracking.clampRect;
    int over = 0;
    auto beyond = [&over](int distance) {
        if (distance > over)
            over = distance;
    };
    if (point->x < c.left) {
        beyond(c.left - point->x);
        point->x = c.left;
    } else if (point->x > c.right) {
        beyond(point->x - c.right);
        point->x = c.right;
    }
    if (point->y < c.top) {
        beyond(c.top - point->y);
        point->y = c.top;
    } else if (point->y > c.bottom) {
        beyond(point->y - c.bottom);
        point->y = c.bottom;
    }
    return over;
}

bool HooksInMode()
{
    return TrackingMode == kTrackingNewObject || TrackingMode == kTrackingResize || TrackingMode == kTrackingMove ||
           TrackingMode == kTrackingPlace;
}

// The drawing point of a device point, hooked or snapped.
POINT HookOrSnap(HWND view, DrawingRecord* drawing, POINT device, bool* hooked)
{
    POINT point = ViewPointToDrawing(view, device);
    *hooked = false;
    if (HooksInMode() && Tracking.hookingState < kHookingOff)
        *hooked = FindHookTarget(drawing, &point, Tracking.hookingState == kHookingArraysOnly) != 0;
    if (!*hooked && (drawing->flags & kDrawingSnap) && TrackingMode != kTrackingAdjust &&
        TrackingMode != kTrackingRotate) {
        point.y += Tracking.textSnapOffset;
        SnapPointToGrid(drawing, &point);
        point.y -= Tracking.textSnapOffset;
    }
    return point;
}

void ComputeMode(HWND view, DrawingRecord* drawing, POINT point)
{
    switch (TrackingMode) {
    case kTrackingRubberBand:
        Tracking.trackRect = SpanRect(Tracking.anchor, point);
        Tracking.current = point;
        break;
    case kTrackingNewObject:
        StepNewObject(drawing, point);
        break;
    case kTrackingPlace:
        StepPlace(drawing, point);
        break;
    case kTrackingMove:
        StepMove(drawing, point);
        break;
    case kTrackingResize:
        StepResize(drawing, point);
        break;
    case kTrackingAdjust:
        StepAdjust(point);
        break;
    case kTrackingRotate:
        StepRotate(view, drawing, point);
        break;
    default:
        Tracking.current = point;
        break;
    }
}

// Hides the move's feedback when the pointer has left the main window for
// an OLE drag; true then.
bool LeavesForDragOut(HWND view, DrawingRecord* drawing, POINT device)
{
    if (TrackingMode != kTrackingMove || !DragOutCalls.run || !PointerLeftMainWindow(view, device))
        return false;
    if (Tracking.feedbackShown)
        DrawModeFeedback(view, drawing);
    EraseHookMarkers(drawing);
    Tracking.feedbackShown = 0;
    return true;
}

// One step; true when the move leaves the main window as an OLE drag.
bool TrackMouseStep(HWND view, POINT device)
{
    TrackScope scope(view);
    if (!scope.drawing || TrackingMode == kTrackingNone)
        return false;
    // A move waits until its 200 ms have passed; until then nothing moves.
    if (TrackingMode == kTrackingMove && !StepMoveStarted())
        return false;
    if (LeavesForDragOut(view, scope.drawing, device))
        return true;
    bool hooked = false;
    const int oldHost = Tracking.endHost;
    const POINT oldOffset = Tracking.hookOffset;
    POINT point = HookOrSnap(view, scope.drawing, device, &hooked);
    if (Tracking.endHost == oldHost && Tracking.hookOffset.x == oldOffset.x && Tracking.hookOffset.y == oldOffset.y &&
        point.x == Tracking.last.x && point.y == Tracking.last.y)
        return false;
    Tracking.last = point;
    int scrollX = 0, scrollY = 0;
    ScrollSteps(view, device, &scrollX, &scrollY);
    RECT client;
    GetClientRect(view, &client);
    for (bool first = true; first || ((scrollX || scrollY) && !MouseMessageWaiting(view)); first = false) {
        if (!first)
            point = HookOrSnap(view, scope.drawing, device, &hooked);
        int over = ClampPoint(&point);
        if (Tracking.feedbackShown)
            DrawModeFeedback(view, scope.drawing);
        bool measuring = TrackingMode == kTrackingMeasureVertical || TrackingMode == kTrackingMeasureHorizontal;
        if (measuring && Tracking.feedbackShown && device.x > client.left - kRulerReach &&
            device.y > client.top - kRulerReach)
            over = 0;
        Tracking.feedbackShown = over < kHiddenOvershoot ? 1 : 0;
        if (!Tracking.feedbackShown)
            scrollX = scrollY = 0;
        if (scrollX || scrollY) {
            EraseHookMarkers(scope.drawing);
            if (scrollX) {
                int before = GetScrollPos(view, SB_HORZ);
                SendMessageA(view, WM_HSCROLL, MAKEWPARAM(kScrollByAmount, scrollX & 0xFFFF), 0);
                if (GetScrollPos(view, SB_HORZ) == before)
                    scrollX = 0;
            }
            if (scrollY) {
                int before = GetScrollPos(view, SB_VERT);
                SendMessageA(view, WM_VSCROLL, MAKEWPARAM(kScrollByAmount, scrollY & 0xFFFF), 0);
                if (GetScrollPos(view, SB_VERT) == before)
                    scrollY = 0;
            }
        }
        if (!Tracking.feedbackShown)
            continue;
        UpdateHookMarkers(scope.drawing);
        ComputeMode(view, scope.drawing, point);
        DrawModeFeedback(view, scope.drawing);
    }
    return false;
}

} // namespace

void TrackMouse(HWND view, void* viewRecord, int x, int y)
{
    (void)viewRecord;
    const POINT device = {x, y};
    // The drag runs with nothing locked: the drop target reads the drawing.
    if (TrackMouseStep(view, device))
        DragObjectsOut(view, device);
}
