#include "lines/connector_feedback.h"

#include "lines/connector_paint.h"
#include "lines/connector_route.h"
#include "lines/connector_shape.h"
#include "common/rect_handle_point.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/selection_geometry.h"
#include "common/tracking_mode.h"

namespace {

const int kTrackPlacing = 18;

int AskSide(DrawingRecord* drawing, void* table, int host, POINT at, POINT from, POINT fallback)
{
    int side = table ? CallObjectKind(nullptr, drawing, table, host, kMsgSideOfPoint, 0,
                                      reinterpret_cast<INT_PTR>(&at), reinterpret_cast<INT_PTR>(&from))
                     : 0;
    return side >= kSideTop && side <= kSideRight ? side : HookSideOfPoint(fallback.x, fallback.y);
}

} // namespace

void SegLineDragFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int cornerStyle, POINT point,
                         const RECT* rect, int solid)
{
    if (!dc || !rect || !drawing)
        return;
    const ConnectorTrackHosts& hosts = ConnectorTracking;
    int width = rect->right - rect->left;
    int height = rect->bottom - rect->top;
    if (index < 0) {
        if (TrackingMode == kTrackPlacing)
            point = {rect->left, rect->bottom};
        int k = SideCodeOnRect(rect, point.x, point.y);
        SegLineRoute scratch = {};
        FillRouteLengths(&scratch);
        MakeDefaultRoute(&scratch, drawing->lineWidth, width, height, k, 0, cornerStyle);
        if (hosts.startHost < 0 && hosts.endHost < 0) {
            DrawRouteXor(dc, &scratch, cornerStyle, rect->left, rect->top, solid);
            return;
        }
        POINT S;
        POINT E;
        GetRectHandlePoint(rect, k, &S);
        GetRectHandlePoint(rect, GetOppositeSide(k), &E);
        int tag = (point.x < E.x || (point.x == E.x && point.y <= E.y)) ? 29 : 28;
        if (hosts.endHost >= 0)
            (tag == 28 ? scratch.startSide : scratch.endSide) =
                AskSide(drawing, table, hosts.endHost, E, S, hosts.endPoint);
        if (hosts.startHost >= 0)
            (tag == 28 ? scratch.endSide : scratch.startSide) =
                AskSide(drawing, table, hosts.startHost, S, E, hosts.startPoint);
        RouteSegLine(&scratch, rect->left, rect->top, E.x, E.y, &S, tag == 29);
        DrawRouteXor(dc, &scratch, cornerStyle, 0, 0, solid);
        return;
    }
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return;
    SegLineRoute copy = *record.Get();
    record.Release();
    int k = SideCodeOnRect(rect, point.x, point.y);
    if (copy.startSide == 0 && copy.endSide == 0 && hosts.endHost < 0) {
        if (object->shapeType == 1) {
            POINT stored;
            GetRectHandlePoint(&object->inner, object->lineType, &stored);
            if (stored.x != point.x || stored.y != point.y)
                k = GetOppositeSide(k);
        }
        MakeDefaultRoute(&copy, object->lineWidth, width, height, k, 0, object->shapeType);
        DrawRouteXor(dc, &copy, object->shapeType, rect->left, rect->top, solid);
        return;
    }
    POINT E;
    GetRectHandlePoint(rect, GetOppositeSide(k), &E);
    POINT start;
    GetRouteEndPoint(&copy, 0, &start);
    start.x += object->inner.left;
    start.y += object->inner.top;
    int tag = (start.x == point.x && start.y == point.y) ? 28 : 29;
    if (hosts.endHost >= 0)
        (tag == 28 ? copy.endSide : copy.startSide) = AskSide(drawing, table, hosts.endHost, E, point, hosts.endPoint);
    RouteSegLine(&copy, object->inner.left, object->inner.top, E.x, E.y, &point, tag == 28);
    DrawRouteXor(dc, &copy, object->shapeType, 0, 0, solid);
}

void SegLineMoveFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, POINT topLeft)
{
    if (!dc || !table)
        return;
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return;
    SegLineRoute copy = *record.Get();
    record.Release();
    int dx = topLeft.x - object->frame.left;
    int dy = topLeft.y - object->frame.top;
    const ConnectorTrackHosts& hosts = ConnectorTracking;
    if (hosts.endHost < 0) {
        DrawRouteXor(dc, &copy, object->shapeType, object->inner.left + dx, object->inner.top + dy, 0);
        return;
    }
    bool meetingIsStart = hosts.endSide == 1;
    POINT meeting;
    POINT other;
    GetRouteEndPoint(&copy, meetingIsStart ? 0 : kMaxRouteSegments, &meeting);
    GetRouteEndPoint(&copy, meetingIsStart ? kMaxRouteSegments : 0, &other);
    meeting = {meeting.x + object->inner.left + dx, meeting.y + object->inner.top + dy};
    other = {other.x + object->inner.left + dx, other.y + object->inner.top + dy};
    int side = AskSide(drawing, table, hosts.endHost, meeting, other, hosts.endPoint);
    (meetingIsStart ? copy.startSide : copy.endSide) = side;
    RouteSegLine(&copy, 0, 0, meeting.x, meeting.y, &other, meetingIsStart ? 0 : 1);
    DrawRouteXor(dc, &copy, object->shapeType, 0, 0, 0);
}
