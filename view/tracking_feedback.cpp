// What every tracking mode shares: the records in hand, the feedback brush and
// the XOR feedback of each mode.
#include "view/tracking_steps.h"

#include "common/icon_button.h"
#include "common/results.h"
#include "objects/view_record.h"
#include "common/pattern_brushes.h"
#include "objects/drag_feedback.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/linked_objects.h"
#include "objects/object_kind_table.h"
#include "objects/point_transforms.h"
#include "view/measuring_lines.h"
#include "view/selection_access.h"
#include "objects/view_record_word.h"

TrackScope::TrackScope(HWND window) : view(window)
{
    viewHandle = GetViewRecordHandle(view);
    viewRecord = viewHandle ? GlobalLock(viewHandle) : nullptr;
    RelockDrawing();
}

TrackScope::~TrackScope()
{
    ReleaseDrawing();
    if (viewRecord)
        GlobalUnlock(viewHandle);
}

void TrackScope::ReleaseDrawing()
{
    if (drawing)
        GlobalUnlock(drawingHandle);
    drawing = nullptr;
}

void TrackScope::RelockDrawing()
{
    ReleaseDrawing();
    drawingHandle = viewRecord ? GetViewDrawingHandle(viewRecord) : nullptr;
    drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
}

POINT ViewPointToDrawing(HWND view, POINT device)
{
    HDC dc = GetDC(view);
    if (!dc)
        return device;
    POINT old;
    SetWindowOrgEx(dc, 0, 0, &old);
    DPtoLP(dc, &device, 1);
    SetWindowOrgEx(dc, old.x, old.y, nullptr);
    ReleaseDC(view, dc);
    return device;
}

HBRUSH GetFeedbackBrush(const DrawingRecord* drawing)
{
    if (drawing && drawing->style.backgroundColor == 0)
        return PatternBrushes[0];
    return PatternBrushes[1];
}

void DrawRotatedFrame(HDC dc, const RECT* rect, const RECT* centreRect, int rotation)
{
    POINT points[64];
    int count = 0;
    BuildTransformedShapeOutline(rect, centreRect, 0.0, 2, rotation, nullptr, points, &count, 0);
    if (count <= 0)
        return;
    HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    int oldRop = SetROP2(dc, R2_NOT);
    Polygon(dc, points, count);
    SetROP2(dc, oldRop);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void RepaintObjectOnce(DrawingRecord* drawing, void* objectTable, int index)
{
    HWND view = DrawingViewWindow(drawing);
    if (!view || index < 0 || index >= TableCount(objectTable))
        return;
    InvalidateLogicalRect(view, &ObjectAt(objectTable, index)->bounds);
    HGLOBAL viewHandle = GetViewRecordHandle(view);
    void* viewRecord = viewHandle ? GlobalLock(viewHandle) : nullptr;
    if (viewRecord) {
        WriteViewField(viewRecord, kViewFlags, ReadViewField(viewRecord, kViewFlags) | kViewRepaintBuffered);
        GlobalUnlock(viewHandle);
    }
    int cursor = CurrentCursorIndex;
    UpdateWindow(view);
    SetAppCursor(cursor);
}

void ResetTrackingFields(POINT point, int drawingWidth, int drawingHeight, int parameter)
{
    Tracking.anchor = Tracking.current = Tracking.last = point;
    Tracking.textSnapOffset = 0;
    Tracking.endHost = Tracking.endSide = Tracking.startHost = Tracking.startHostMarked = -1;
    Tracking.draggedSlot = Tracking.originalHost = Tracking.hookMarkedObject = -1;
    Tracking.markedHookOffset = Tracking.hookOffset;
    Tracking.hookingState = kHookingAny;
    Tracking.keepAspect = 0;
    Tracking.draggedOut = 0;
    Tracking.startRotation = 0;
    Tracking.moveNotStarted = 0;
    Tracking.newLineConnected = 0;
    Tracking.axisLock = 99;
    Tracking.trackRect = {point.x, point.y, point.x, point.y};
    Tracking.clampRect = {0, 0, drawingWidth, drawingHeight};
    Tracking.param = parameter;
}

void FreeTrackingLists(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    if (Tracking.draggedObjects)
        FreeLinkedObjects(Tracking.draggedObjects, objects.Get());
    if (Tracking.attachedLines)
        FreeLinkedObjects(Tracking.attachedLines, objects.Get());
    Tracking.draggedObjects = nullptr;
    Tracking.attachedLines = nullptr;
}

namespace {

// Tracked objects with state bit 4 are repainted once before their first frame.
void RepaintTrackedOnce(DrawingRecord* drawing, void* objects)
{
    int index = Tracking.trackIndex;
    if (Tracking.hitKind < 0 || index < 0 || index >= TableCount(objects))
        return;
    DrawingObject* object = ObjectAt(objects, index);
    if (!(object->stateFlags & 0x04))
        return;
    object->stateFlags = (object->stateFlags & ~0x04u) | 0x02u;
    RepaintObjectOnce(drawing, objects, index);
    ObjectAt(objects, index)->stateFlags &= ~0x02u;
}

void DrawMeasureFeedback(HWND view, HDC dc, DrawingRecord* drawing)
{
    const int width = drawing->width, height = drawing->height;
    if (TrackingMode != kTrackingMeasureHorizontal) {
        DrawMeasureLine(dc, Tracking.current.x, TRUE, width, height);
        DrawHorizontalRulerMark(view, static_cast<int>(Tracking.current.x * Tracking.zoomScale));
    }
    if (TrackingMode != kTrackingMeasureVertical) {
        DrawMeasureLine(dc, Tracking.current.y, FALSE, width, height);
        DrawVerticalRulerMark(view, static_cast<int>(Tracking.current.y * Tracking.zoomScale));
    }
}

void DrawHandleFeedback(HDC dc, DrawingRecord* drawing, void* objects, void* groups)
{
    if (Tracking.hitKind < 0) {
        if (!groups || Tracking.trackIndex < 0 || Tracking.trackIndex >= TableCount(groups))
            return;
        const GroupEntry* row = GroupEntryAt(groups, Tracking.trackIndex);
        if (TrackingMode == kTrackingRotate) {
            DrawingObject proxy = MakeGroupProxy(row, false);
            CallKind(kKindShape, dc, drawing, &proxy, -1, kMsgRotateFeedback, 2, PackPoint(Tracking.anchor),
                     reinterpret_cast<INT_PTR>(&Tracking.trackRect));
        } else if (row->rotation != 0) {
            DrawRotatedFrame(dc, &Tracking.trackRect, &row->frame, row->rotation);
        } else {
            PatBltFrame(dc, &Tracking.trackRect, PATINVERT);
        }
        return;
    }
    RepaintTrackedOnce(drawing, objects);
    int message = TrackingMode == kTrackingRotate ? kMsgRotateFeedback : kMsgHandleFeedback;
    CallObjectKind(dc, drawing, objects, Tracking.trackIndex, message, Tracking.param, PackPoint(Tracking.anchor),
                   reinterpret_cast<INT_PTR>(&Tracking.trackRect));
}

void DrawMoveFeedback(HDC dc, DrawingRecord* drawing, void* objects)
{
    RECT rect = Tracking.trackRect;
    if (ListCount(Tracking.draggedObjects) <= 1)
        CallObjectKind(dc, drawing, objects, Tracking.trackIndex, kMsgMoveFeedback, Tracking.param,
                       PackPoint(Tracking.locked), reinterpret_cast<INT_PTR>(&rect));
    else
        DrawShapeDragFeedback(dc, drawing, objects, -1, kMsgMoveFeedback, 2, &rect, 0, -1.0);
}

void DrawNewObjectFeedback(HDC dc, DrawingRecord* drawing, void* objects)
{
    // The object does not exist yet: the kinds draw it from a blank record.
    DrawingObject blank = {};
    blank.kind = Tracking.trackIndex;
    blank.shapeType = Tracking.param;
    blank.frame = blank.bounds = Tracking.trackRect;
    blank.groupIndex = -1;
    POINT packed = TrackingMode == kTrackingPlace ? Tracking.locked : Tracking.anchor;
    (void)objects;
    CallKind(Tracking.trackIndex, dc, drawing, &blank, -1, kMsgNewObjectFeedback, Tracking.param, PackPoint(packed),
             reinterpret_cast<INT_PTR>(&Tracking.trackRect));
}

} // namespace

void DrawModeFeedback(HWND view, DrawingRecord* drawing)
{
    if (!drawing)
        return;
    ViewDrawingDC viewDc(view);
    HDC dc = viewDc.dc();
    if (!dc)
        return;
    HGDIOBJ oldBrush = nullptr;
    if (HBRUSH brush = GetFeedbackBrush(drawing))
        oldBrush = SelectObject(dc, brush);
    LockedTable objects(drawing, kTableObjects);
    LockedTable groups(drawing, kTableGroups);
    switch (TrackingMode) {
    case kTrackingRubberBand: {
        RECT band = SpanRect(Tracking.anchor, Tracking.current);
        PatBltFrame(dc, &band, PATINVERT);
        break;
    }
    case kTrackingMeasureVertical:
    case kTrackingMeasureHorizontal:
    case kTrackingMeasureBoth:
        DrawMeasureFeedback(view, dc, drawing);
        break;
    case kTrackingNewObject:
    case kTrackingPlace:
        DrawNewObjectFeedback(dc, drawing, objects.Get());
        break;
    case kTrackingMove:
        if (objects.Get())
            DrawMoveFeedback(dc, drawing, objects.Get());
        break;
    case kTrackingAdjust:
        if (objects.Get()) {
            RepaintTrackedOnce(drawing, objects.Get());
            CallObjectKind(dc, drawing, objects.Get(), Tracking.trackIndex, kMsgAdjustFeedback, Tracking.param,
                           Tracking.hitCode, reinterpret_cast<INT_PTR>(&Tracking.current));
        }
        break;
    case kTrackingResize:
    case kTrackingRotate:
        if (objects.Get())
            DrawHandleFeedback(dc, drawing, objects.Get(), groups.Get());
        break;
    default:
        break;
    }
    if (oldBrush)
        SelectObject(dc, oldBrush);
}
