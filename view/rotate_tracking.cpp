// Rotating an object or a group by a rotation handle (mode 100), kept so that
// no corner of the frame swings off the drawing.
#include <cmath>

#include "objects/view_record.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/point_transforms.h"
#include "objects/rotate_object.h"
#include "view/selection_access.h"
#include "view/tracking_steps.h"

namespace {

const double kPi = 3.1415926535;

// The bound of the forbidden range (t1, t2) nearer to v, which lies inside it;
// a range that starts below 0 already covers the unturned frame, so only its
// far end is free.
int NearerBound(int v, int t1, int t2)
{
    if (t1 < 0)
        return t2;
    return v - t1 <= t2 - v ? t1 : t2;
}

// Moves m out of the forbidden range (t1, t2) and its mirror (-t2, -t1); the
// mirror is the same range for the opposite sense of turning.
int LimitAngle(int m, int t1, int t2)
{
    if (m > t1 && m < t2)
        return NearerBound(m, t1, t2);
    if (m > -t2 && m < -t1)
        return -NearerBound(-m, t1, t2);
    return m;
}

} // namespace

// The angle limit for a frame R (centre C, half diagonal r) in a drawing of
// the given size; returns the limited angle for the angle a.
int LimitRotation(int a, const RECT& frame, int width, int height)
{
    const double cx = (frame.left + frame.right) / 2.0;
    const double cy = (frame.top + frame.bottom) / 2.0;
    const double w = frame.right - frame.left, h = frame.bottom - frame.top;
    const double r = std::sqrt(w * w + h * h) / 2.0;
    if (r <= 0.0)
        return a;
    const bool mirrored = a > 900 || a < -900;
    int m = a > 900 ? 1800 - a : a;
    if (m < -900)
        m = -1800 - m;
    const int before = m;
    struct Edge {
        bool crossed;
        double d;
        double e;
    };
    const Edge edges[4] = {
        {cy < r, cy, cy - frame.top},
        {height - cy < r, height - cy, cy - frame.top},
        {cx < r, cx, cx - frame.left},
        {width - cx < r, width - cx, cx - frame.left},
    };
    for (const Edge& edge : edges) {
        if (!edge.crossed)
            continue;
        double d = edge.d < 0 ? 0 : edge.d;
        double e = edge.e > r ? r : edge.e;
        int t1 = static_cast<int>((std::asin(d / r) - std::asin(e / r)) * 1800.0 / kPi);
        int t2 = static_cast<int>(2.0 * (900.0 - std::asin(d / r) * 1800.0 / kPi)) + t1;
        if (t2 > 900)
            t2 = 1800;
        m = LimitAngle(m, t1, t2);
    }
    if (mirrored)
        return a - (m - before);
    return m;
}

void StepRotate(HWND view, DrawingRecord* drawing, POINT point)
{
    LockedTable objects(drawing, kTableObjects);
    LockedTable groups(drawing, kTableGroups);
    DrawingObject proxy = {};
    void* table = nullptr;
    int index = Tracking.trackIndex;
    RECT frame;
    if (Tracking.hitKind < 0) {
        if (!groups.Get() || index < 0 || index >= groups.Count())
            return;
        proxy = MakeGroupProxy(GroupEntryAt(groups.Get(), index), false);
        table = &proxy;
        index = -1;
        frame = proxy.frame;
    } else {
        if (!objects.Get() || index < 0 || index >= objects.Count())
            return;
        table = objects.Get();
        frame = ObjectAt(table, index)->frame;
    }
    POINT centre = {(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
    POINT handle = centre;
    RECT box = {};
    CallKind(index < 0 ? kKindShape : ObjectAt(table, index)->kind, nullptr, drawing, table, index, kMsgRotateHandle,
             Tracking.rotateHandle, reinterpret_cast<INT_PTR>(&handle), reinterpret_cast<INT_PTR>(&box));
    int reference = 0;
    if (index >= 0) {
        RECT referenceBox = {};
        CallObjectKind(nullptr, drawing, objects.Refresh(), index, kMsgLineRotationReference, 0,
                       reinterpret_cast<INT_PTR>(&reference), reinterpret_cast<INT_PTR>(&referenceBox));
    }
    int angle = ComputeAngleBetween(centre.x, centre.y, handle.x, handle.y, point.x, point.y) + reference;
    HGLOBAL viewHandle = nullptr;
    int width = drawing->width, height = drawing->height;
    (void)viewHandle;
    (void)view;
    int limited = LimitRotation(angle, frame, width, height);
    if (limited != angle) {
        POINT turned = handle;
        RotatePoints(&frame, limited - reference, &turned, 1);
        point = turned;
    }
    Tracking.trackRect = SpanRect(Tracking.anchor, point);
    Tracking.current = point;
}

ErrorCode EndRotate(TrackScope& scope, bool cancelled)
{
    const int index = Tracking.trackIndex;
    if (cancelled) {
        LockedTable objects(scope.drawing, kTableObjects);
        if (Tracking.hitKind >= 0 && index >= 0 && index < objects.Count() &&
            (ObjectAt(objects.Get(), index)->stateFlags & 0x08))
            InvalidateDrawingRect(scope.drawing, &ObjectAt(objects.Get(), index)->bounds);
        return kErrNone;
    }
    scope.ReleaseDrawing();
    // Both roll their step back; the tracking's end reports.
    const ErrorCode code =
        Tracking.hitKind < 0
            ? RotateGroup(scope.viewRecord, index, Tracking.rotateHandle, Tracking.current.x, Tracking.current.y, 0)
            : RotateObject(scope.viewRecord, index, Tracking.rotateHandle, Tracking.current.x, Tracking.current.y);
    scope.RelockDrawing();
    return code;
}
