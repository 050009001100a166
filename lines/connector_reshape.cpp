#include "lines/connector_reshape.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "lines/connector_handles.h"
#include "lines/connector_paint.h"
#include "lines/connector_route.h"
#include "lines/connector_shape.h"
#include "lines/connector_text.h"
#include "lines/length_label.h"
#include "common/rect_handle_point.h"
#include "objects/drawing_edits.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/geometry_math.h"

namespace {

POINT AddOrigin(POINT p, const DrawingObject* o)
{
    return {p.x + o->inner.left, p.y + o->inner.top};
}

void SwapEnds(DrawingObject* object)
{
    std::swap(object->startArrow, object->endArrow);
    for (int i = 0; i < SlotsInUse(object); ++i) {
        int& code = object->links[i].connectCode;
        code = code == 1 ? 2 : (code == 2 ? 1 : code);
    }
}

// Sets a stub from a middle handle dropped at `point` and re-routes.
bool DragMiddle(const DrawingObject* object, SegLineRoute* route, int code, POINT point)
{
    POINT origin = {object->inner.left, object->inner.top};
    POINT last;
    if (RouteHandlePoint(route, origin, 29, &last, nullptr, nullptr) != 0)
        return false;
    POINT handle;
    RECT segment;
    int i = 0;
    if (RouteHandlePoint(route, origin, code, &handle, &segment, &i) != 0)
        return false;
    int refIndex = i == 3 ? 4 : i - 1;
    if (refIndex < 0 || refIndex >= kMaxRouteSegments)
        return false;
    const RouteSegment& ref = route->segments[refIndex];
    const RouteSegment& dragged = route->segments[i];
    int length;
    if (!IsHorizontalSegment(dragged)) {
        int d = point.x - handle.x;
        if (ref.x0 == dragged.x0)
            d = -d;
        length = (ref.x1 - ref.x0) + d;
    } else {
        int d = point.y - handle.y;
        length = ref.y0 == dragged.y0 ? (ref.y1 - ref.y0) - d : (ref.y1 - ref.y0) + d;
    }
    if (length < kMinimumStub)
        length = kMinimumStub;
    route->lengths[i - 1] = length;
    RouteSegLine(route, origin.x, origin.y, last.x, last.y, nullptr, 1);
    return true;
}

} // namespace

ErrorCode ResizeSegLine(DrawingRecord* drawing, void* table, int index, int corner, const RECT* rect)
{
    if (!rect)
        return kErrNone;
    DrawingObject* object = KindObject(table, index);
    int width = rect->right - rect->left;
    int height = rect->bottom - rect->top;
    bool showLength = (object->textRoleFlags & 0x40) != 0;
    long oldLength = showLength ? static_cast<long>(GetSegLineLength(drawing, object)) : 0;
    int label = FindLineLabel(table, index);
    int oldRotation = label >= 0 ? ObjectAt(table, label)->rotation : 0;

    POINT P;
    POINT Q;
    switch (corner) {
    case 1:
        P = {rect->left, rect->top};
        Q = {rect->right, rect->bottom};
        break;
    case 2:
        P = {rect->right, rect->top};
        Q = {rect->left, rect->bottom};
        break;
    case 3:
        P = {rect->left, rect->bottom};
        Q = {rect->right, rect->top};
        break;
    default:
        P = {rect->right, rect->bottom};
        Q = {rect->left, rect->top};
        break;
    }
    RouteRecord record;
    ErrorCode code = record.Find(drawing, object);
    if (code == kErrNone)
        code = record.MarkChanged();
    if (code != kErrNone)
        return code;
    SegLineRoute* route = record.Get();
    bool free = route->startSide == 0 && route->endSide == 0;
    RECT box = *rect;
    int useCorner = corner;
    if (corner == 0) {
        if (free && object->shapeType == 1) {
            useCorner = object->lineType;
            GetRectHandlePoint(&object->inner, useCorner, &P);
            GetRectHandlePoint(&object->inner, GetOppositeSide(useCorner), &Q);
        } else {
            POINT s;
            POINT e;
            GetRouteEndPoint(route, 0, &s);
            GetRouteEndPoint(route, kMaxRouteSegments, &e);
            P = AddOrigin(s, object);
            Q = AddOrigin(e, object);
            useCorner = 1;
        }
        int dx = rect->right - object->frame.right;
        int dy = rect->bottom - object->frame.bottom;
        width = std::abs(Q.x - P.x) + dx;
        height = std::abs(Q.y - P.y) + dy;
        Q.x += dx;
        Q.y += dy;
        box.left = object->inner.left;
        box.top = object->inner.top;
    }
    POINT start;
    GetRouteEndPoint(route, 0, &start);
    start = AddOrigin(start, object);
    int tag = (start.x == P.x && start.y == P.y) ? 28 : 29;
    int count = RouteCount(route);
    int watched = tag == 28 ? count : 0;
    bool hadArrow = SegEndHasArrowhead(object, route, watched);

    if (free) {
        if (object->shapeType == 1) {
            POINT stored;
            GetRectHandlePoint(&object->inner, object->lineType, &stored);
            if (stored.x != P.x || stored.y != P.y)
                useCorner = GetOppositeSide(useCorner);
        }
        MakeDefaultRoute(route, drawing->lineWidth, width < 0 ? -width : width, height < 0 ? -height : height,
                         useCorner, 0, object->shapeType);
        object->inner.left = box.left < box.right ? box.left : box.right;
        object->inner.top = box.top < box.bottom ? box.top : box.bottom;
        object->lineType = useCorner;
    } else {
        RouteSegLine(route, object->inner.left, object->inner.top, Q.x, Q.y, nullptr, tag == 28);
        POINT minima = NormaliseRoute(route);
        object->inner.left = minima.x;
        object->inner.top = minima.y;
    }
    count = RouteCount(route);
    if (!free) {
        POINT other;
        GetRouteEndPoint(route, tag == 28 ? kMaxRouteSegments : 0, &other);
        other = AddOrigin(other, object);
        if (other.x == Q.x && other.y == Q.y) {
            watched = tag == 28 ? count : 0;
        } else {
            watched = tag == 28 ? 0 : count;
            SwapEnds(object);
        }
    } else {
        watched = tag == 28 ? count : 0;
    }
    if ((object->arrowEnds == 1 || object->arrowEnds == 2) && SegEndHasArrowhead(object, route, watched) != hadArrow)
        object->arrowEnds = object->arrowEnds == 1 ? 2 : 1;
    record.Release();
    RecalcSegLineRects(drawing, object);
    if (showLength && static_cast<long>(GetSegLineLength(drawing, object)) != oldLength)
        DiscardError(UpdateLengthLabel(drawing, table, index, -1),
                     "a length label only annotates the line, which stands without it");
    if (label >= 0)
        RefreshLabelAngle(drawing, table, index, label, oldRotation);
    return kErrNone;
}

void GetMovedEndRect(DrawingRecord* drawing, void* table, int index, int which, const POINT* offset, RECT* rect)
{
    if (!rect)
        return;
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    if (which != 1 && which != 2) {
        *rect = object->inner;
        return;
    }
    if (!offset || record.Find(drawing, object) != kErrNone) {
        *rect = object->inner;
        return;
    }
    POINT s;
    POINT e;
    GetRouteEndPoint(record.Get(), 0, &s);
    GetRouteEndPoint(record.Get(), kMaxRouteSegments, &e);
    s = AddOrigin(s, object);
    e = AddOrigin(e, object);
    if (which == 1)
        *rect = {s.x, s.y, e.x + offset->x, e.y + offset->y};
    else
        *rect = {s.x + offset->x, e.y, e.x, s.y + offset->y};
}

ErrorCode AdjustSegLine(DrawingRecord* drawing, void* table, int index, int handleCode, const POINT* point)
{
    if (!point)
        return kErrNone;
    DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    ErrorCode code = record.Find(drawing, object);
    if (code == kErrNone)
        code = record.MarkChanged();
    if (code != kErrNone)
        return code;
    DiscardError(SetRecordInUse(record.Handle(), TRUE), "the record was found just now: its handle is good");
    SegLineRoute* route = record.Get();
    if (DragMiddle(object, route, handleCode, *point)) {
        POINT minima = NormaliseRoute(route);
        object->inner.left = minima.x;
        object->inner.top = minima.y;
    }
    DiscardError(SetRecordInUse(record.Handle(), FALSE), "the record was found just now: its handle is good");
    record.Release();
    RecalcSegLineRects(drawing, object);
    return kErrNone;
}

void AdjustSegLineFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int handleCode,
                           const POINT* point)
{
    if (!point)
        return;
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return;
    SegLineRoute copy = *record.Get();
    record.Release();
    // The copy is laid in drawing units, so it is drawn without a shift.
    if (DragMiddle(object, &copy, handleCode, *point))
        DrawRouteXor(dc, &copy, object->shapeType, 0, 0, 1);
}

ErrorCode SegLineSlotConnected(DrawingRecord* drawing, void* table, int index, int slot, int connected)
{
    DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    ErrorCode code = record.Find(drawing, object);
    if (code == kErrNone)
        code = connected ? record.MarkChanged() : record.SetDirty();
    if (code != kErrNone || !connected || slot < 0 || slot >= SlotsInUse(object))
        return code;
    SegLineRoute* route = record.Get();
    LinkSlot held = object->links[slot];
    bool isLast = held.connectCode != 1;
    POINT E;
    POINT O;
    GetRouteEndPoint(route, isLast ? kMaxRouteSegments : 0, &E);
    GetRouteEndPoint(route, isLast ? 0 : kMaxRouteSegments, &O);
    E = AddOrigin(E, object);
    O = AddOrigin(O, object);
    int target = FindObjectIndex(table, held.targetId, held.targetHint);
    int side = 0;
    if (target >= 0) {
        POINT mapped = {held.x, held.y};
        CallObjectKind(nullptr, drawing, table, target, kMsgMapBoxPoints, 1, held.connectCode,
                       reinterpret_cast<INT_PTR>(&mapped));
        side = CallObjectKind(nullptr, drawing, table, target, kMsgSideOfPoint, 0, reinterpret_cast<INT_PTR>(&mapped),
                              reinterpret_cast<INT_PTR>(&O));
        object = KindObject(table, index);
    }
    if (side < kSideTop || side > kSideRight)
        side = HookSideOfPoint(held.x, held.y);
    if (isLast)
        route->endSide = side;
    else
        route->startSide = side;
    SegLineRoute before = *route;
    RouteSegLine(route, object->inner.left, object->inner.top, E.x, E.y, &O, isLast ? 1 : 0);
    POINT minima = NormaliseRoute(route);
    bool changed = std::memcmp(&before.startSide, &route->startSide, sizeof(SegLineRoute) - 16) != 0 ||
                   minima.x != 0 || minima.y != 0;
    object->inner.left = minima.x;
    object->inner.top = minima.y;
    record.Release();
    if (changed) {
        InvalidateDrawingRect(drawing, &object->bounds);
        RecalcSegLineRects(drawing, object);
    }
    return kErrNone;
}

void GetSegLineHookPoint(DrawingRecord* drawing, void* table, int index, int* flag, POINT* point)
{
    if (!flag || !point)
        return;
    DrawingObject* object = KindObject(table, index);
    if (*flag == 0) {
        *flag = 1;
        *point = {object->lastHookPoint[0], object->lastHookPoint[1]};
        return;
    }
    *flag = 1;
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return;
    const SegLineRoute* route = record.Get();
    POINT rel = {point->x - object->inner.left, point->y - object->inner.top};
    int hit = HitRouteSegment(route, rel.x, rel.y, 0, nullptr, -1);
    if (hit < 0)
        return;
    const RouteSegment& s = route->segments[hit];
    int x;
    int y;
    if (IsHorizontalSegment(s)) {
        x = rel.x < s.x0 ? s.x0 : (rel.x > s.x1 ? s.x1 : rel.x);
        y = s.y0;
    } else {
        y = rel.y < s.y0 ? s.y0 : (rel.y > s.y1 ? s.y1 : rel.y);
        x = s.x0;
    }
    int width = object->inner.right - object->inner.left;
    int height = object->inner.bottom - object->inner.top;
    // A route box without width or height has its points at 0 across it.
    point->x = width != 0 ? TruncToInt(static_cast<double>(x) * 600.0 / width) : 0;
    point->y = height != 0 ? TruncToInt(static_cast<double>(y) * 600.0 / height) : 0;
    if (!(object->stateFlags & kStateHookMarkers)) {
        object->lastHookPoint[0] = point->x;
        object->lastHookPoint[1] = point->y;
    }
}

void GetSegLineEndHookPoints(DrawingRecord* drawing, void* table, int index, int* count, POINT* points)
{
    if (!count || !points)
        return;
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return;
    int width = object->inner.right - object->inner.left;
    int height = object->inner.bottom - object->inner.top;
    POINT ends[2];
    GetRouteEndPoint(record.Get(), 0, &ends[0]);
    GetRouteEndPoint(record.Get(), kMaxRouteSegments, &ends[1]);
    for (int i = 0; i < 2; ++i) {
        points[i].x = width != 0 ? ends[i].x * 600 / width : 0;
        points[i].y = height != 0 ? ends[i].y * 600 / height : 0;
    }
    *count = 2;
}

void GetSegLineEndOfCode(int code, int32_t* end)
{
    if (!end)
        return;
    switch (code) {
    case 1: case 3: case 5: case 28:
        *end = 1;
        break;
    case 2: case 4: case 6: case 29:
        *end = 2;
        break;
    default:
        *end = -1;
        break;
    }
}

ErrorCode GetSegLineEndPoint(DrawingRecord* drawing, void* table, int index, int end, int* otherEnd, POINT* point)
{
    POINT p;
    ErrorCode code = GetSegLineHandlePoint(drawing, table, index, end == 1 ? 28 : 29, &p, nullptr, nullptr);
    if (code != kErrNone)
        return code;
    if (point)
        *point = p;
    if (otherEnd)
        *otherEnd = end == 1 ? 2 : 1;
    return kErrNone;
}

int GetSegLineSideAt(DrawingRecord* drawing, void* table, int index, const POINT* H, const POINT* F)
{
    if (!H || !F)
        return 0;
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return 0;
    RECT ellipse = {0, 0, 0, 0};
    int hit = HitRouteSegment(record.Get(), H->x - object->inner.left, H->y - object->inner.top, object->shapeType,
                              &ellipse, -1);
    if (hit < 0)
        return 0;
    bool byX;
    if (object->shapeType == 1 && RouteCount(record.Get()) > 1)
        byX = ellipse.bottom - ellipse.top > ellipse.right - ellipse.left;
    else
        byX = !IsHorizontalSegment(record.Get()->segments[hit]);
    if (byX)
        return F->x < H->x ? kSideLeft : kSideRight;
    return F->y < H->y ? kSideTop : kSideBottom;
}
