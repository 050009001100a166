#include "view/rotated_resize.h"

#include "objects/point_transforms.h"
#include "view/tracking_state.h"
#include "view/tracking_steps.h"

namespace {

const int kCoordinateLimit = 32000;
const int kCornerCount = 4;
// The shape's own resize rounds its anchor back by a unit or two.
const int kRoundingMargin = 2;

bool TurnedCornersInside(const RECT& frame, const RECT& rect, const RECT& area)
{
    POINT corners[kCornerCount] = {{rect.left, rect.top}, {rect.right, rect.top},
                                   {rect.right, rect.bottom}, {rect.left, rect.bottom}};
    // Turning about the start frame's centre places the resized shape where the
    // fixed anchor keeps it (the shape's resize holds that corner in place).
    RotatePoints(&frame, Tracking.startRotation, corners, kCornerCount);
    for (const POINT& c : corners)
        if (c.x < area.left || c.x > area.right || c.y < area.top || c.y > area.bottom)
            return false;
    return true;
}

bool PointFits(const RECT& frame, POINT point, const RECT& area)
{
    return TurnedCornersInside(frame, ComputeResizeRect(&point), area);
}

// The handle's start: the frame's corner across from the anchor (an edge
// handle's locked axis takes over the other coordinate).
POINT HandleStart(const RECT& frame)
{
    return POINT{Tracking.anchor.x == frame.left ? frame.right : frame.left,
                 Tracking.anchor.y == frame.top ? frame.bottom : frame.top};
}

// The furthest whole-unit step from `from` towards `to` (one coordinate
// differs) that still fits; `from` fits.
POINT FurthestFitting(const RECT& frame, POINT from, POINT to, const RECT& area)
{
    if (PointFits(frame, to, area))
        return to;
    const bool alongX = from.x != to.x;
    const int start = alongX ? from.x : from.y;
    const int distance = (alongX ? to.x : to.y) - start;
    const int direction = distance < 0 ? -1 : 1;
    int fits = 0;
    int fails = distance * direction;
    while (fails - fits > 1) {
        const int middle = fits + (fails - fits) / 2;
        POINT probe = from;
        (alongX ? probe.x : probe.y) = start + direction * middle;
        if (PointFits(frame, probe, area))
            fits = middle;
        else
            fails = middle;
    }
    POINT result = from;
    (alongX ? result.x : result.y) = start + direction * fits;
    return result;
}

} // namespace

RECT ComputeResizeRect(POINT* point)
{
    if (point->x > kCoordinateLimit)
        point->x = kCoordinateLimit;
    if (point->y > kCoordinateLimit)
        point->y = kCoordinateLimit;
    if (Tracking.axisLock == 1)
        point->y = Tracking.locked.y;
    else if (Tracking.axisLock == 2)
        point->x = Tracking.locked.x;
    RECT rect = SpanRect(Tracking.anchor, *point);
    if (Tracking.keepAspect || (Tracking.keys & MK_SHIFT))
        KeepAspectRect(&rect, Tracking.anchor, point);
    else if (Tracking.keys & MK_CONTROL)
        MakeSquare(&rect, Tracking.anchor, point);
    return rect;
}

POINT LimitTurnedResize(const RECT& frame, POINT point, const RECT& area)
{
    const POINT start = HandleStart(frame);
    RECT inside = area;
    InflateRect(&inside, -kRoundingMargin, -kRoundingMargin);
    if (!PointFits(frame, start, inside) || PointFits(frame, point, inside))
        return point;
    // One axis after the other, so a drag along the edge still slides.
    const POINT across = FurthestFitting(frame, start, POINT{point.x, start.y}, inside);
    return FurthestFitting(frame, across, POINT{across.x, point.y}, inside);
}
