// Drawing a new object (mode 11) and placing one of a given size (mode 18).
#include "common/results.h"
#include "objects/view_record.h"
#include "common/rect_handle_point.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/link_table.h"
#include "objects/linked_objects.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "objects/shape_types.h"
#include "documents/document_window_hooks.h"
#include "view/end_text_edit.h"
#include "view/hit_test_drawing.h"
#include "view/snap_grid.h"
#include "view/tool_palette.h"
#include "view/tracking_entry.h"
#include "view/tracking_steps.h"

namespace {

const int kDrawingCursor = 14;
const int kStartsOnShape = 0x10;
const int kMinimumAspectHeight = 60;

int MayHookToShapes(DrawingRecord* drawing, int kind)
{
    if (kind == kKindShape)
        return 0;
    LockedTable objects(drawing, kTableObjects);
    DrawingObject blank = {};
    void* table = objects.Get() ? objects.Get() : &blank;
    return CallKind(kind, nullptr, drawing, table, 0, kMsgMayLink);
}

int Capabilities(DrawingRecord* drawing, int kind)
{
    return kind == kKindShape ? 0 : CallKind(kind, nullptr, drawing, nullptr, -1, kMsgCapabilities, Tracking.param);
}

int Sign(int v) { return v < 0 ? -1 : 1; }
int Abs(int v) { return v < 0 ? -v : v; }

int ClampValue(int v, int low, int high)
{
    return v < low ? low : (v > high ? high : v);
}

ErrorCode FindStartHost(DrawingRecord* drawing, POINT raw)
{
    BOOL arraysOnly = Tracking.hookingState == kHookingArraysOnly;
    POINT point = Tracking.anchor;
    int found = FindHookTarget(drawing, &point, arraysOnly);
    if (found) {
        Tracking.anchor = point;
    } else {
        point = raw;
        found = FindHookTarget(drawing, &point, arraysOnly);
        if (found) {
            Tracking.anchor = Tracking.current = Tracking.last = point;
            Tracking.trackRect = {point.x, point.y, point.x, point.y};
        }
    }
    if (!found)
        return kErrNone;
    Tracking.startHost = Tracking.startHostMarked = Tracking.endHost;
    {
        LockedTable objects(drawing, kTableObjects);
        ToggleHookMarkers(drawing, objects.Get(), Tracking.startHost);
    }
    Tracking.startHookOffset = Tracking.hookOffset;
    Tracking.endHost = Tracking.endSide = -1;
    ErrorCode code = GatherLinkedObjects(drawing, Tracking.startHost, &Tracking.attachedLines, kGatherAlone, nullptr);
    if (code != kErrNone)
        TrackingMode = kTrackingNone;
    return code;
}

} // namespace

ErrorCode PrepareNewObject(DrawingRecord* drawing, const SIZE* defaultSize, POINT raw)
{
    const int kind = Tracking.trackIndex;
    int mayHook = 0;
    if (TrackingMode == kTrackingPlace) {
        const SIZE size = defaultSize ? *defaultSize : SIZE{0, 0};
        POINT p = Tracking.anchor;
        if (kind == kKindShape)
            Tracking.trackRect = {p.x - size.cx / 2, p.y, p.x - size.cx / 2 + size.cx, p.y + size.cy};
        else
            Tracking.trackRect = {p.x - size.cx / 2, p.y - size.cy / 2, p.x - size.cx / 2 + size.cx,
                                  p.y - size.cy / 2 + size.cy};
        if (kind == kKindShape) {
            Tracking.locked = {Tracking.trackRect.left, Tracking.trackRect.top};
        } else {
            mayHook = MayHookToShapes(drawing, kind);
            Tracking.locked = {Tracking.trackRect.right, Tracking.trackRect.top};
        }
    } else {
        if (defaultSize && defaultSize->cx > 0 && defaultSize->cy > 0) {
            Tracking.keepAspect = 1;
            Tracking.aspectRatio = static_cast<double>(defaultSize->cx) / defaultSize->cy;
        }
        int caps = Capabilities(drawing, kind);
        mayHook = MayHookToShapes(drawing, kind);
        if (mayHook && (caps & kStartsOnShape)) {
            TrackingMode = kTrackingNewObject;
            ErrorCode code = FindStartHost(drawing, raw);
            if (code != kErrNone)
                return code;
        }
        Tracking.locked = Tracking.anchor;
        SetAppCursor(kDrawingCursor);
    }
    if (!mayHook && Tracking.hookingState != kHookingOff)
        Tracking.hookingState = kHookingArraysOnly;
    return kErrNone;
}

void MakeSquare(RECT* rect, POINT anchor, POINT* point)
{
    if (rect->right == rect->left || rect->bottom == rect->top)
        return;
    int dx = point->x - anchor.x, dy = point->y - anchor.y;
    if (Abs(dx) < Abs(dy))
        point->x = ClampValue(anchor.x + Sign(dx) * Abs(dy), Tracking.clampRect.left, Tracking.clampRect.right);
    else
        point->y = ClampValue(anchor.y + Sign(dy) * Abs(dx), Tracking.clampRect.top, Tracking.clampRect.bottom);
    *rect = SpanRect(anchor, *point);
}

void KeepAspectRect(RECT* rect, POINT anchor, POINT* point)
{
    if (rect->right == rect->left || rect->bottom == rect->top || !(Tracking.aspectRatio > 0.0))
        return;
    int dy = point->y - anchor.y;
    int height = Abs(dy) < kMinimumAspectHeight ? kMinimumAspectHeight : Abs(dy);
    point->y = anchor.y + Sign(dy) * height;
    int width = static_cast<int>(height * Tracking.aspectRatio);
    int x = anchor.x + Sign(point->x - anchor.x) * width;
    if (x < Tracking.clampRect.left || x > Tracking.clampRect.right) {
        x = ClampValue(x, Tracking.clampRect.left, Tracking.clampRect.right);
        height = static_cast<int>(Abs(x - anchor.x) / Tracking.aspectRatio);
        point->y = anchor.y + Sign(dy) * height;
    }
    point->x = x;
    *rect = SpanRect(anchor, *point);
}

void StepNewObject(DrawingRecord*, POINT point)
{
    if (Tracking.axisLock == 1)
        point.y = Tracking.locked.y;
    else if (Tracking.axisLock == 2)
        point.x = Tracking.locked.x;
    Tracking.trackRect = SpanRect(Tracking.anchor, point);
    if (Tracking.keepAspect)
        KeepAspectRect(&Tracking.trackRect, Tracking.anchor, &point);
    else if (Tracking.keys & MK_CONTROL)
        MakeSquare(&Tracking.trackRect, Tracking.anchor, &point);
    Tracking.current = point;
}

void StepPlace(DrawingRecord* drawing, POINT point)
{
    OffsetRect(&Tracking.trackRect, point.x - Tracking.current.x, point.y - Tracking.current.y);
    Tracking.current = point;
    if (!(drawing->flags & kDrawingSnap) || Tracking.endHost >= 0)
        return;
    int32_t byCentre = drawing->snapDragFlag;
    DrawingObject blank = {};
    blank.kind = Tracking.trackIndex;
    blank.shapeType = Tracking.param;
    CallKind(Tracking.trackIndex, nullptr, drawing, &blank, -1, kMsgClearWord, Tracking.param, 0,
             reinterpret_cast<INT_PTR>(&byCentre));
    const RECT& r = Tracking.trackRect;
    POINT reference = byCentre == 1 ? POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2} : POINT{r.left, r.top};
    POINT snapped = reference;
    SnapPointToGrid(drawing, &snapped);
    OffsetRect(&Tracking.trackRect, snapped.x - reference.x, snapped.y - reference.y);
    Tracking.current.x += snapped.x - reference.x;
    Tracking.current.y += snapped.y - reference.y;
}

ErrorCode EndNewObject(TrackScope& scope, bool cancelled)
{
    if (cancelled)
        return kErrNone;
    const bool placing = TrackingMode == kTrackingPlace;
    const int kind = Tracking.trackIndex;
    int corner = placing ? kSideCodeBottomLeft
                         : GetSideCodeOfPoint(&Tracking.trackRect, Tracking.anchor.x, Tracking.anchor.y);
    int before = 0;
    {
        LockedTable objects(scope.drawing, kTableObjects);
        before = objects.Count();
    }
    RECT frame = Tracking.trackRect;
    if (kind == kKindShape && Tracking.param == kShapePicture) {
        scope.ReleaseDrawing();
        ErrorCode placed = FrameCalls.placeSymbol ? FrameCalls.placeSymbol(scope.view, &frame) : kErrNone;
        scope.RelockDrawing();
        return placed;
    }
    scope.ReleaseDrawing();
    ErrorCode code = CreateObject(scope.view, kind, &frame, Tracking.param, corner, 0, 0, 0, 0, 1);
    scope.RelockDrawing();
    if (code != kErrNone || !scope.drawing)
        return code;
    MarkDrawingEdited(scope.view, scope.viewRecord, 0);
    if (!placing)
        Tracking.endSide = GetOppositeSide(corner);
    LockedTable objects(scope.drawing, kTableObjects);
    if (objects.Count() <= before)
        return kErrNone;
    const int newest = objects.Count() - 1;
    int32_t endCode = Tracking.endSide;
    CallObjectKind(nullptr, scope.drawing, objects.Get(), newest, kMsgEndOfHandle, Tracking.endSide, 0,
                   reinterpret_cast<INT_PTR>(&endCode));
    objects.Refresh();
    Tracking.endSide = endCode;
    if (Tracking.startHost >= 0) {
        int32_t startCode = corner;
        CallObjectKind(nullptr, scope.drawing, objects.Get(), newest, kMsgEndOfHandle, corner, 0,
                       reinterpret_cast<INT_PTR>(&startCode));
        objects.Refresh();
        code = ConnectSlot(scope.drawing, -1, -1, Tracking.startHost, startCode, Tracking.startHookOffset.x,
                           Tracking.startHookOffset.y);
        if (code != kErrNone)
            return code;
        Tracking.newLineConnected = 1;
    }
    if (Tracking.endHost >= 0) {
        code = ConnectSlot(scope.drawing, newest, Tracking.draggedSlot, Tracking.endHost, Tracking.endSide,
                           Tracking.hookOffset.x, Tracking.hookOffset.y);
        Tracking.newLineConnected = 1;
    }
    return code;
}

void BeginPlaceTracking(HWND view, void* viewRecord, int x, int y, int kind, int paletteSlot, int parameter,
                        SIZE defaultSize)
{
    (void)viewRecord;
    UpdateWindow(view);
    {
        TrackScope probe(view);
        if (!probe.drawing)
            return;
    }
    SetPaletteSticky(FALSE);
    if (EndTextEdit(view, 0) != kErrNone)
        return;
    TrackScope scope(view);
    if (!scope.drawing)
        return;
    Tracking.view = view;
    Tracking.feedbackShown = 0;
    scope.drawing->toolSlot = paletteSlot;
    POINT point = ViewPointToDrawing(view, POINT{x, y});
    scope.drawing->flags &= ~kDrawingDragging;
    if (scope.drawing->flags & kDrawingSnap)
        SnapPointToGrid(scope.drawing, &point);
    FreeTrackingLists(scope.drawing);
    ResetTrackingFields(point, ReadViewField(scope.viewRecord, kViewDrawingWidth),
                        ReadViewField(scope.viewRecord, kViewDrawingHeight), parameter);
    Tracking.trackIndex = kind;
    Tracking.hitKind = -1;
    Tracking.hitCode = kHitNewObject;
    TrackingMode = kTrackingPlace;
    RECT bounds = Tracking.trackRect;
    if (PrepareTrackingFromHit(scope.drawing, kHitNewObject, kind, &defaultSize, FALSE, &bounds, point) != kErrNone) {
        TrackingMode = kTrackingNone;
        return;
    }
    SetCapture(view);
    Tracking.last.x = -1;
    PostMessageA(view, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    Tracking.clampRect.left += point.x - Tracking.trackRect.left;
    Tracking.clampRect.top += point.y - Tracking.trackRect.top;
    Tracking.clampRect.right -= Tracking.trackRect.right - point.x;
    Tracking.clampRect.bottom -= Tracking.trackRect.bottom - point.y;
}
