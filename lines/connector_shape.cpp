#include "lines/connector_shape.h"

#include "lines/arrowheads.h"
#include "lines/connector_route.h"
#include "lines/connector_text.h"
#include "lines/length_label.h"
#include "lines/line_geometry.h"
#include "common/rect_handle_point.h"
#include "objects/drawing_edits.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "store/record_store.h"
#include "common/tracking_mode.h"
#include "text/object_text_helpers.h"

ConnectorTrackHosts ConnectorTracking;

namespace {

const int kTrackDrawing = 11;
const int kTrackPlacing = 18;
const uint32_t kLabelTurnsWithLine = 0x2000;   // +221 bit 0x20 of the state word

} // namespace

int FindLineLabel(void* table, int index)
{
    if (index < 0)
        return -1;
    const DrawingObject* line = ObjectAt(table, index);
    if (line->labelPartnerId == kNoObjectId || (line->stateFlags & kLabelTurnsWithLine))
        return -1;
    return FindObjectIndex(table, line->labelPartnerId, line->labelPartnerHint);
}

void RefreshLabelAngle(DrawingRecord* drawing, void* table, int index, int label, int oldRotation)
{
    if (label < 0)
        return;
    DrawingObject* guest = ObjectAt(table, label);
    int code = SlotsInUse(guest) > 0 ? guest->links[0].connectCode : 209;
    int angle = oldRotation;
    CallObjectKind(nullptr, drawing, table, index, kMsgLineAngle, 1, code, reinterpret_cast<INT_PTR>(&angle));
    guest = ObjectAt(table, label);
    if (angle == oldRotation || !(guest->stateFlags & kLabelTurnsWithLine))
        return;
    if (drawing)
        InvalidateDrawingRect(drawing, &guest->bounds);
    CallObjectKind(nullptr, drawing, table, label, kMsgSetRotation, angle, 0, 0);
    if (drawing)
        InvalidateDrawingRect(drawing, &ObjectAt(table, label)->bounds);
}

ErrorCode SetSegLineShape(DrawingRecord* drawing, void* table, int index, const int32_t* value, int keepRoute)
{
    if (!value)
        return kErrNone;
    int code = value[1];
    DrawingObject* object = KindObject(table, index);
    int label = FindLineLabel(table, index);
    int oldRotation = label >= 0 ? ObjectAt(table, label)->rotation : 0;
    int family = code & 0x30;

    if (!keepRoute) {
        const RECT& in = object->inner;
        POINT S;
        POINT E;
        int startSide;
        int endSide;
        switch (code & 0x0C) {
        case 0:
            startSide = kSideLeft;
            S = {in.right, in.top};
            break;
        case 4:
            startSide = kSideTop;
            S = {in.left, in.bottom};
            break;
        case 8:
            startSide = kSideRight;
            S = {in.left, in.top};
            break;
        default:
            startSide = kSideBottom;
            S = {in.left, in.top};
            break;
        }
        bool sideways = startSide == kSideLeft || startSide == kSideRight;
        switch (code & 0x03) {
        case 0:
            endSide = kSideLeft;
            E = {in.right, startSide == kSideTop ? in.top : in.bottom};
            break;
        case 1:
            endSide = kSideTop;
            E = {in.right, in.bottom};
            if (sideways)
                S.y = in.top;
            break;
        case 2:
            endSide = kSideRight;
            E = {in.left, sideways ? in.bottom : in.top};
            break;
        default:
            endSide = kSideBottom;
            E = {in.right, in.top};
            if (sideways)
                S.y = in.bottom;
            break;
        }
        RouteRecord record;
        ErrorCode result = record.Find(drawing, object);
        if (result != kErrNone)
            return result;
        SegLineRoute* route = record.Get();
        if (family == 0) {
            POINT a;
            POINT b;
            GetRouteEndPoint(route, 0, &a);
            GetRouteEndPoint(route, kMaxRouteSegments, &b);
            object->frame = object->inner;
            if (a.x == b.x) {
                object->shapeType = kLineVertical;
                object->kindCoordinate = object->frame.left + a.x;
            } else if (a.y == b.y) {
                object->shapeType = kLineHorizontal;
                object->kindCoordinate = object->frame.top + a.y;
            } else {
                object->shapeType = kLineSloped;
                if (a.y > 0)
                    object->stateFlags |= kStateOtherDiagonal;
                else
                    object->stateFlags &= ~kStateOtherDiagonal;
                RECT span = {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x,
                             a.y < b.y ? b.y : a.y};
                OffsetRect(&span, object->inner.left, object->inner.top);
                object->frame = span;
            }
            RecordHandle handle = record.Detach();
            if (DeleteRecordByHandle(handle) == kErrNone)
                GlobalFree(handle);
            else
                ReleaseRecord(handle);
            object->kind = kKindLine;
            object->lineType = kLinePlain;   // +312 held the start corner
            object->dataCount = 0;
            object->dataFirstId = -1;
            object->dataGroup = -1;
            return CallKindCode(kKindLine, nullptr, drawing, table, index, kMsgLineType, 0, 0,
                            reinterpret_cast<INT_PTR>(value));
        }
        if (family != 0x10 && family != 0x20)
            return kErrNone;
        result = record.MarkChanged();
        if (result != kErrNone)
            return result;
        object->shapeType = family == 0x20 ? 1 : 0;
        route->startSide = startSide;
        route->endSide = endSide;
        RouteSegLine(route, 0, 0, E.x, E.y, &S, 1);
        NormaliseRoute(route);
    }
    RecalcSegLineRects(drawing, object);
    if (drawing)
        MarkLinksOf(drawing, object->objectId, 20, object->groupKey, object->groupIndex);
    if (index >= 0) {
        RouteRecord record;
        SegLineRoute copy = {};
        bool haveRoute = record.Find(drawing, object) == kErrNone;
        if (haveRoute)
            copy = *record.Get();
        record.Release();
        for (int slot = 0; slot < SlotsInUse(ObjectAt(table, index)); ++slot) {
            LinkSlot held = ObjectAt(table, index)->links[slot];
            int target = FindObjectIndex(table, held.targetId, held.targetHint);
            if (target < 0)
                continue;
            int side = held.connectCode == 1 ? copy.startSide : copy.endSide;
            POINT point = {held.x, held.y};
            CallObjectKind(nullptr, drawing, table, target, kMsgBoxPosition, keepRoute ? 300 : side + 300, 0,
                           reinterpret_cast<INT_PTR>(&point));
            LinkSlot& live = ObjectAt(table, index)->links[slot];
            live.x = point.x;
            live.y = point.y;
            if (drawing) {
                const DrawingObject* t = ObjectAt(table, target);
                MarkLinksOf(drawing, t->objectId, 16, t->groupKey, t->groupIndex);
            }
        }
    }
    if (label >= 0)
        RefreshLabelAngle(drawing, table, index, label, oldRotation);
    if (index >= 0 && (ObjectAt(table, index)->textRoleFlags & 0x40))
        DiscardError(UpdateLengthLabel(drawing, table, index, -1),
                     "a length label only annotates the line, which stands without it");
    return kErrNone;
}

ErrorCode InitSegLine(DrawingRecord* drawing, void* table, int index, int corner)
{
    if (!drawing)
        return kErrNoMemory;
    DrawingObject* object = KindObject(table, index);
    object->inner = object->frame;
    short id = 0;
    ErrorCode code = FindFreeId(drawing->storeSlot, kConnectorRouteGroup, &id);
    RecordHandle handle = nullptr;
    if (code == kErrNone)
        code = CreateRecord(drawing->storeSlot, kConnectorRouteGroup, id, kRouteRecordSize, &handle);
    if (code != kErrNone)
        return code;
    object->dataGroup = kConnectorRouteGroup;
    object->dataFirstId = id;
    object->dataCount = 1;
    auto* route = static_cast<SegLineRoute*>(GlobalLock(handle));
    const RECT f = object->frame;
    int width = f.right - f.left;
    int height = f.bottom - f.top;
    FillRouteLengths(route);
    MakeDefaultRoute(route, drawing->lineWidth, width, height, corner, 0, object->shapeType);

    const ConnectorTrackHosts& hosts = ConnectorTracking;
    if (hosts.startHost >= 0 || hosts.endHost >= 0) {
        POINT S;
        POINT E;
        GetRectHandlePoint(&f, corner, &S);
        GetRectHandlePoint(&f, GetOppositeSide(corner), &E);
        int tag = (S.x < E.x || (S.x == E.x && S.y <= E.y)) ? 29 : 28;
        if (hosts.endHost >= 0) {
            int side = CallObjectKind(nullptr, drawing, table, hosts.endHost, kMsgSideOfPoint, 0,
                                      reinterpret_cast<INT_PTR>(&E), reinterpret_cast<INT_PTR>(&S));
            if (side == 0)
                side = HookSideOfPoint(hosts.endPoint.x, hosts.endPoint.y);
            (tag == 28 ? route->startSide : route->endSide) = side;
        }
        if (hosts.startHost >= 0) {
            int side = CallObjectKind(nullptr, drawing, table, hosts.startHost, kMsgSideOfPoint, 0,
                                      reinterpret_cast<INT_PTR>(&S), reinterpret_cast<INT_PTR>(&E));
            if (side == 0)
                side = HookSideOfPoint(hosts.startPoint.x, hosts.startPoint.y);
            (tag == 28 ? route->endSide : route->startSide) = side;
        }
        object = KindObject(table, index);
        RouteSegLine(route, f.left, f.top, E.x, E.y, &S, tag == 29);
        POINT minima = NormaliseRoute(route);
        object->inner.left = minima.x;
        object->inner.top = minima.y;
    }
    object = KindObject(table, index);
    object->lineType = corner;   // +312: the creation corner
    GlobalUnlock(handle);
    DiscardError(SetRecordDirty(handle), "the record was made just now: its handle is good");
    ReleaseRecord(handle);

    object->linkCapacity = 2;
    object->kindWord1 = 3;
    object->kindWord2 = 2;
    object->textRoleFlags = 0x20;
    if (drawing->flags & kDrawingLineTextLevel)
        object->textRoleFlags |= kGuestStaysHorizontal;
    if (TrackingMode == kTrackDrawing) {
        int ds = ArrowheadKindOf(static_cast<uint32_t>(drawing->startArrow));
        int de = ArrowheadKindOf(static_cast<uint32_t>(drawing->endArrow));
        int d = de == 0 ? ds : (ds == 0 ? de : 0);
        if (ds == 0 && de == 0)
            d = 0;
        if (d == 0) {
            object->startArrow = drawing->startArrow;
            object->endArrow = drawing->endArrow;
        } else {
            int v = GetOppositeSide(corner);
            RouteRecord record;
            if (record.Find(drawing, object) == kErrNone && RouteCount(record.Get()) == 1 &&
                !IsHorizontalSegment(record.Get()->segments[0]) && v == 2)
                v = 1;
            record.Release();
            object = KindObject(table, index);
            bool atStart = v == 1 || v == 3;
            object->startArrow = atStart ? d : 0;
            object->endArrow = atStart ? 0 : d;
        }
    } else if (TrackingMode == kTrackPlacing) {
        object->startArrow = drawing->startArrow;
        object->endArrow = drawing->endArrow;
    }
    if (TrackingMode == kTrackDrawing || TrackingMode == kTrackPlacing) {
        object->arrowSize = ClampArrowSize(drawing->arrowSize);
        object->arrowEnds = RebuildArrowEnds(&object->startArrow, &object->endArrow);
    }
    object->lineWidth = drawing->lineWidth > 0 ? drawing->lineWidth : 1;
    object->lineColor = drawing->style.lineColor;
    object->stateFlags |= 0x0008;
    RecalcSegLineRects(drawing, object);
    return kErrNone;
}
