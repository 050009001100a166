// Hooking: the object a dragged line end, new line or moved object would hang
// on, its XOR hook markers, and the test whether a hit object may be a host.
#include <cstring>

#include "common/results.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/linked_objects.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "view/hit_test_drawing.h"
#include "view/selection_access.h"
#include "view/tracking_steps.h"

namespace {

const int kMaxHookPoints = 600;
const int kHookCursor = 13;
const int kNoHookMask = 0x40;

struct HookProbe {
    POINT points[kMaxHookPoints];
    int count = 0;
};

POINT DragSoFar(POINT point)
{
    POINT d = {point.x - Tracking.anchor.x, point.y - Tracking.anchor.y};
    return d;
}

// The dragged object's mask and the points it probes with; 0 for no search.
int ProbesOfMode(DrawingRecord* drawing, void* objects, POINT point, HookProbe* probes)
{
    probes->count = 0;
    switch (TrackingMode) {
    case kTrackingNewObject: {
        int caps = Tracking.trackIndex == kKindShape
                       ? 0
                       : CallKind(Tracking.trackIndex, nullptr, drawing, nullptr, -1, kMsgCapabilities, Tracking.param);
        probes->points[probes->count++] = point;
        return (caps & kNoHookMask) ? 0 : caps;
    }
    case kTrackingResize: {
        if (Tracking.hitKind < 0 || Tracking.trackIndex < 0 || Tracking.trackIndex >= TableCount(objects))
            return 0;
        probes->points[probes->count++] = point;
        return ObjectAt(objects, Tracking.trackIndex)->kindWord1;
    }
    case kTrackingMove: {
        if (Tracking.moveNotStarted || Tracking.trackIndex < 0 || Tracking.trackIndex >= TableCount(objects))
            return 0;
        DrawingObject* object = ObjectAt(objects, Tracking.trackIndex);
        if (SlotsInUse(object) >= 2)
            return 0;
        int mask = object->kindWord1;
        int count = 0;
        CallObjectKind(nullptr, drawing, objects, Tracking.trackIndex, kMsgConnectPoints, Tracking.param,
                       reinterpret_cast<INT_PTR>(&count), reinterpret_cast<INT_PTR>(probes->points));
        if (count < 0 || count > kMaxHookPoints)
            count = 0;
        CallObjectKind(nullptr, drawing, objects, Tracking.trackIndex, kMsgMapBoxPoints, count, 0,
                       reinterpret_cast<INT_PTR>(probes->points));
        POINT d = DragSoFar(point);
        if (GetKeyState(VK_SHIFT) < 0) {
            if ((d.y < 0 ? -d.y : d.y) < (d.x < 0 ? -d.x : d.x))
                d.y = 0;
            else
                d.x = 0;
        }
        for (int i = 0; i < count; ++i) {
            probes->points[i].x += d.x;
            probes->points[i].y += d.y;
        }
        probes->count = count;
        return mask;
    }
    case kTrackingPlace: {
        int caps = Tracking.trackIndex == kKindShape
                       ? 0
                       : CallKind(Tracking.trackIndex, nullptr, drawing, nullptr, -1, kMsgCapabilities, Tracking.param);
        POINT d = {point.x - Tracking.current.x, point.y - Tracking.current.y};
        probes->points[probes->count++] = {Tracking.trackRect.left + d.x, Tracking.trackRect.bottom + d.y};
        probes->points[probes->count++] = {Tracking.trackRect.right + d.x, Tracking.trackRect.top + d.y};
        return caps;
    }
    default:
        return 0;
    }
}

// An object moving along with the dragged one cannot be its host: hanging on
// it, the dragged one would follow it and go the way a second time.
bool MovesAlong(void* objects, int index)
{
    return TrackingMode == kTrackingMove && (ObjectAt(objects, index)->stateFlags & kStateCollected);
}

// A candidate under the probe: the original host first, then the hit test.
int CandidateAt(DrawingRecord* drawing, LockedTable& objects, POINT probe, BOOL arraysOnly)
{
    int host = Tracking.originalHost;
    if (host >= 0 && host < objects.Count() && PtInRect(&ObjectAt(objects.Get(), host)->frame, probe)) {
        int code = CallObjectKind(nullptr, drawing, objects.Get(), host, kMsgHitTest, kToolCodePointer, 0,
                                  reinterpret_cast<INT_PTR>(&probe));
        objects.Refresh();
        if (code != 0 && CanHookAt(objects.Get(), host, code, probe.x, probe.y, arraysOnly))
            return host;
    }
    int index = -1;
    int kind = -1;
    int code = HitTestDrawingRecord(drawing, probe.x, probe.y, kToolCodePointer, Tracking.attachedLines, &index,
                                    &kind, arraysOnly);
    objects.Refresh();
    if (code != 0 && index >= 0 && kind >= 0 && !MovesAlong(objects.Get(), index) &&
        CanHookAt(objects.Get(), index, code, probe.x, probe.y, arraysOnly))
        return index;
    return -1;
}

} // namespace

int CanHookAt(void* objectTable, int index, int hitCode, int x, int y, BOOL arraysOnly)
{
    if (!objectTable || index < 0 || index >= TableCount(objectTable))
        return 0;
    const DrawingObject* object = ObjectAt(objectTable, index);
    if (object->stateFlags & kStateAttached)
        return 0;
    if (arraysOnly && object->kind != kKindArray)
        return 0;
    if (object->kind == kKindArray && object->groupIndex >= 0)
        return 0;
    if (hitCode >= kHitObjectBody && hitCode <= kHitHorizontalPart)
        return 1;
    if (hitCode == kHitText || hitCode == kHitAttachmentMarker) {
        POINT p = {x, y};
        return (object->stateFlags & kStateSymbolConnectPoints) && !PtInRect(&object->textFrame, p) ? 1 : 0;
    }
    return 0;
}

int FindHookTarget(DrawingRecord* drawing, POINT* point, BOOL arraysOnly)
{
    LockedTable objects(drawing, kTableObjects);
    if (!objects.Get())
        return 0;
    static HookProbe probes;
    static POINT hookPoints[kMaxHookPoints];
    static POINT boxPoints[kMaxHookPoints];
    int mask = ProbesOfMode(drawing, objects.Get(), *point, &probes);
    objects.Refresh();
    int found = 0;
    for (int p = 0; mask != 0 && p < probes.count && !found; ++p) {
        int candidate = CandidateAt(drawing, objects, probes.points[p], arraysOnly);
        if (candidate < 0)
            continue;
        if (!(mask & ObjectAt(objects.Get(), candidate)->kindWord2))
            continue;
        int count = 1;
        hookPoints[0] = probes.points[p];
        CallObjectKind(nullptr, drawing, objects.Get(), candidate, kMsgHookPoints, mask,
                       reinterpret_cast<INT_PTR>(&count), reinterpret_cast<INT_PTR>(hookPoints));
        objects.Refresh();
        if (count <= 0 || count > kMaxHookPoints)
            continue;
        std::memcpy(boxPoints, hookPoints, sizeof(POINT) * count);
        CallObjectKind(nullptr, drawing, objects.Get(), candidate, kMsgMapBoxPoints, count, 0,
                       reinterpret_cast<INT_PTR>(hookPoints));
        objects.Refresh();
        double best = 1e30;
        int chosenPoint = 0;
        int chosenProbe = p;
        for (int h = 0; h < count; ++h) {
            for (int q = p; q < probes.count; ++q) {
                double dx = hookPoints[h].x - probes.points[q].x;
                double dy = hookPoints[h].y - probes.points[q].y;
                if (dx * dx + dy * dy < best) {
                    best = dx * dx + dy * dy;
                    chosenPoint = h;
                    chosenProbe = q;
                }
            }
        }
        int j = chosenProbe;
        int side = j + 1;
        int pointCount = count;
        int code = CallObjectKind(nullptr, drawing, objects.Get(), candidate, kMsgBranchAnchor,
                                  TrackingMode == kTrackingNewObject || TrackingMode == kTrackingPlace
                                      ? -1
                                      : Tracking.trackIndex,
                                  chosenPoint, reinterpret_cast<INT_PTR>(&pointCount));
        objects.Refresh();
        if (code != 0) {
            side = code;
            j = code - 1;
            if ((TrackingMode == kTrackingNewObject || TrackingMode == kTrackingPlace) && code > 300)
                j = code - 301;
            if (TrackingMode == kTrackingResize || TrackingMode == kTrackingMove) {
                POINT anchor = probes.points[0];
                CallObjectKind(nullptr, drawing, objects.Get(), Tracking.trackIndex, kMsgAnchorPoint, code, 0,
                               reinterpret_cast<INT_PTR>(&anchor));
                objects.Refresh();
                POINT d = DragSoFar(*point);
                probes.points[0] = {anchor.x + d.x, anchor.y + d.y};
                j = 0;
            }
            if (j < 0 || j >= probes.count)
                j = 0;
        }
        if (TrackingMode == kTrackingMove || TrackingMode == kTrackingPlace) {
            point->x += hookPoints[chosenPoint].x - probes.points[j].x;
            point->y += hookPoints[chosenPoint].y - probes.points[j].y;
            Tracking.endSide = side;
        } else {
            *point = hookPoints[chosenPoint];
        }
        Tracking.endHost = candidate;
        Tracking.hookOffset = boxPoints[chosenPoint];
        found = 1;
    }
    if (!found) {
        Tracking.endHost = -1;
        if (CurrentCursorIndex == kHookCursor)
            SetAppCursor(Tracking.startCursor);
    } else if (CurrentCursorIndex != kHookCursor && TrackingMode != kTrackingMove) {
        SetAppCursor(kHookCursor);
    }
    return found;
}

void ToggleHookMarkers(DrawingRecord* drawing, void* objectTable, int index)
{
    if (!objectTable || index < 0 || index >= TableCount(objectTable))
        return;
    static POINT points[kMaxHookPoints];
    int count = 0;
    CallObjectKind(nullptr, drawing, objectTable, index, kMsgHookPoints, 0xFFFF, reinterpret_cast<INT_PTR>(&count),
                   reinterpret_cast<INT_PTR>(points));
    if (count < 0 || count > kMaxHookPoints)
        count = 0;
    CallObjectKind(nullptr, drawing, objectTable, index, kMsgMapBoxPoints, count, 0, reinterpret_cast<INT_PTR>(points));
    DrawingObject* object = ObjectAt(objectTable, index);
    if (object->stateFlags & kStateTextOpen)
        return;
    ViewDrawingDC view(Tracking.view);
    if (view.dc())
        CallObjectKind(view.dc(), drawing, objectTable, index, kMsgDrawHookMarkers, count, 0,
                       reinterpret_cast<INT_PTR>(points));
    object = ObjectAt(objectTable, index);
    object->stateFlags ^= kStateHookMarkers;
    object->lastHookPoint[0] = Tracking.hookOffset.x;
    object->lastHookPoint[1] = Tracking.hookOffset.y;
}

void UpdateHookMarkers(DrawingRecord* drawing)
{
    if (Tracking.endHost == Tracking.hookMarkedObject && Tracking.hookOffset.x == Tracking.markedHookOffset.x &&
        Tracking.hookOffset.y == Tracking.markedHookOffset.y)
        return;
    LockedTable objects(drawing, kTableObjects);
    if (Tracking.hookMarkedObject >= 0)
        ToggleHookMarkers(drawing, objects.Refresh(), Tracking.hookMarkedObject);
    if (Tracking.endHost >= 0)
        ToggleHookMarkers(drawing, objects.Refresh(), Tracking.endHost);
    Tracking.hookMarkedObject = Tracking.endHost;
    Tracking.markedHookOffset = Tracking.hookOffset;
    if (Tracking.endHost >= 0)
        drawing->flags |= kDrawingDragging;
    else
        drawing->flags &= ~kDrawingDragging;
}

void EraseHookMarkers(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    if (Tracking.hookMarkedObject >= 0)
        ToggleHookMarkers(drawing, objects.Refresh(), Tracking.hookMarkedObject);
    if (Tracking.startHostMarked >= 0)
        ToggleHookMarkers(drawing, objects.Refresh(), Tracking.startHostMarked);
    Tracking.hookMarkedObject = -1;
    Tracking.startHostMarked = -1;
}
