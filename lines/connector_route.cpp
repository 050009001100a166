#include "lines/connector_route.h"

#include <cstdlib>
#include <utility>

#include "common/rect_helpers.h"
#include "lines/arrowheads.h"
#include "common/rect_handle_point.h"
#include "objects/shadow_extent.h"
#include "objects/shape_frames.h"

namespace {

int Clamp(int v)
{
    return v < 0 ? 0 : (v > 32767 ? 32767 : v);
}

} // namespace

void GetRouteEndPoint(const SegLineRoute* route, int which, POINT* point)
{
    int count = RouteCount(route);
    *point = {0, 0};
    if (count == 0)
        return;
    bool start = which == 0;
    int index = start ? 0 : (which > count - 1 || which < 0 ? count - 1 : which);
    const RouteSegment& s = route->segments[index];
    const RouteSegment& other = route->segments[start ? count - 1 : 0];
    int side = start ? (route->startSide ? route->startSide : GetOppositeSide(route->endSide))
                     : (route->endSide ? route->endSide : GetOppositeSide(route->startSide));
    switch (side) {
    case kSideTop:
        *point = {s.x0, s.y1};
        return;
    case kSideBottom:
        *point = {s.x0, s.y0};
        return;
    case kSideLeft:
        *point = {s.x1, s.y0};
        return;
    case kSideRight:
        *point = {s.x0, s.y0};
        return;
    default:
        break;
    }
    if (IsHorizontalSegment(s)) {
        point->y = s.y0;
        if (count == 1)
            point->x = start ? s.x0 : s.x1;
        else
            point->x = s.x1 == other.x0 ? s.x0 : s.x1;
    } else {
        point->x = s.x0;
        if (count == 1)
            point->y = start ? s.y0 : s.y1;
        else
            point->y = other.y0 == s.y1 ? s.y0 : s.y1;
    }
}

void MakeDefaultRoute(SegLineRoute* route, int lineWidth, int w, int h, int k, int orientation, int cornerStyle)
{
    int count = cornerStyle == 1 ? 2 : 3;
    if (h < 3 * lineWidth || w < 3 * lineWidth)
        count = 1;
    if (orientation == 0)
        orientation = h < w ? 1 : 2;
    RouteSegment* s = route->segments;
    route->count = count;
    if (count == 1) {
        s[0] = orientation == 1 ? RouteSegment{0, 0, w, 0} : RouteSegment{0, 0, 0, h};
        return;
    }
    if (count == 2) {
        switch (k) {
        case 1:
            s[0] = {0, 0, 0, h};
            s[1] = {0, h, w, h};
            break;
        case 2:
            s[0] = {0, h, w, h};
            s[1] = {w, 0, w, h};
            break;
        case 4:
            s[0] = {0, 0, w, 0};
            s[1] = {w, 0, w, h};
            break;
        default:
            s[0] = {0, 0, 0, h};
            s[1] = {0, 0, w, 0};
            break;
        }
        return;
    }
    bool main = k == 1 || k == 4;
    if (orientation == 1) {
        if (main) {
            s[0] = {0, 0, w / 2, 0};
            s[1] = {w / 2, 0, w / 2, h};
            s[2] = {w / 2, h, w, h};
        } else {
            s[0] = {0, h, w / 2, h};
            s[1] = {w / 2, 0, w / 2, h};
            s[2] = {w / 2, 0, w, 0};
        }
    } else {
        if (main) {
            s[0] = {0, 0, 0, h / 2};
            s[1] = {0, h / 2, w, h / 2};
            s[2] = {w, h / 2, w, h};
        } else {
            s[0] = {0, h / 2, 0, h};
            s[1] = {0, h / 2, w, h / 2};
            s[2] = {w, 0, w, h / 2};
        }
    }
}

int HookSideOfPoint(int x, int y)
{
    if (x > 300) {
        if (y < 600 - x)
            return kSideTop;
        if (600 - y < 600 - x)
            return kSideBottom;
        return kSideRight;
    }
    if (y < x)
        return kSideTop;
    if (600 - y < x)
        return kSideBottom;
    return kSideLeft;
}

void FillRouteLengths(SegLineRoute* route)
{
    int count = RouteCount(route);
    for (int i = 0; i < kMaxRouteSegments; ++i) {
        if (i < count) {
            const RouteSegment& s = route->segments[i];
            route->lengths[i] = IsHorizontalSegment(s) ? s.x1 - s.x0 : s.y1 - s.y0;
        } else {
            route->lengths[i] = kDefaultStubLength;
        }
    }
}

void RouteSegLine(SegLineRoute* route, int originX, int originY, int endX, int endY, const POINT* fixed,
                  int fixedIsStart)
{
    POINT P;
    if (fixed) {
        P = *fixed;
    } else {
        GetRouteEndPoint(route, fixedIsStart ? 0 : kMaxRouteSegments, &P);
        P.x += originX;
        P.y += originY;
    }
    POINT Q = {endX, endY};
    bool flag = fixedIsStart != 0;
    if (Q.x < P.x || (Q.x == P.x && Q.y < P.y)) {
        std::swap(P, Q);
        flag = !flag;
    }
    int count = RouteCount(route);
    int L[kMaxRouteSegments];
    for (int i = 0; i < kMaxRouteSegments; ++i)
        L[i] = route->lengths[i];
    if (!flag) {
        for (int i = 0; i < count; ++i)
            L[i] = route->lengths[count - 1 - i];
    }
    int sp = flag ? route->startSide : route->endSide;
    int sq = flag ? route->endSide : route->startSide;
    if (sq == 0)
        sq = GetOppositeSide(sp);
    if (sp == 0)
        sp = GetOppositeSide(sq);
    if (sp < kSideTop || sp > kSideRight || sq < kSideTop || sq > kSideRight)
        return;

    bool transposed = sp == kSideLeft || sp == kSideRight;
    int pa = transposed ? P.y : P.x;
    int pl = transposed ? P.x : P.y;
    int qa = transposed ? Q.y : Q.x;
    int ql = transposed ? Q.x : Q.y;
    int e = (sp == kSideTop || sp == kSideLeft) ? 1 : -1;
    int f = (sq == kSideLeft || sq == kSideTop) ? 1 : -1;

    // The route as points in (across, along).
    POINT pts[6];
    int n = 0;
    pts[n++] = {pa, pl};
    bool storeSides = true;
    if (sp == sq) {
        storeSides = false;
        int dAlong = std::abs(pl - ql);
        if (dAlong < 60)
            dAlong = 0;
        int dAcross = std::abs(pa - qa);
        if (dAcross <= 60 && dAlong >= 60) {
            int s1 = Clamp(pl - e * L[0]);
            int t2 = qa < pa ? Clamp(pa + L[1]) : Clamp(pa - L[1]);
            int s3 = Clamp(ql - e * L[2]);
            pts[n++] = {pa, s1};
            pts[n++] = {t2, s1};
            pts[n++] = {t2, s3};
            pts[n++] = {qa, s3};
        } else {
            int s1 = Clamp(pl - e * L[0]);
            int sq2 = Clamp(ql - 60 * e);
            s1 = e == 1 ? (s1 < sq2 ? s1 : sq2) : (s1 > sq2 ? s1 : sq2);
            pts[n++] = {pa, s1};
            pts[n++] = {qa, s1};
        }
    } else if (GetOppositeSide(sp) == sq) {
        bool facing = e == 1 ? ql + 60 < pl : pl < ql - 60;
        if (facing && pa == qa) {
            // one straight segment
        } else if (facing) {
            int s1 = Clamp(pl - e * L[0]);
            int sq2 = Clamp(ql + 60 * e);
            s1 = e == 1 ? (s1 > sq2 ? s1 : sq2) : (s1 < sq2 ? s1 : sq2);
            pts[n++] = {pa, s1};
            pts[n++] = {qa, s1};
        } else {
            int s1 = Clamp(pl - e * L[0]);
            int t2 = pa < qa ? pa + L[1] : pa - L[1];
            if (std::abs(qa - t2) < 60)
                t2 = t2 < qa ? qa - 60 : qa + 60;
            t2 = Clamp(t2);
            int s3 = Clamp(ql + e * L[2]);
            pts[n++] = {pa, s1};
            pts[n++] = {t2, s1};
            pts[n++] = {t2, s3};
            pts[n++] = {qa, s3};
        }
    } else {
        bool beyond = e == 1 ? ql + 60 < pl : pl < ql - 60;
        bool inFront = f == 1 ? pa + 60 < qa : qa < pa - 60;
        if (beyond && inFront) {
            pts[n++] = {pa, ql};
        } else {
            int s1 = Clamp(pl - e * L[0]);
            int t2;
            bool farSide = f == 1 ? pa < qa : qa < pa;
            if (farSide) {
                t2 = pa + f * L[1];
                if (f == 1 ? t2 >= qa : t2 <= qa)
                    t2 = pa - f * L[1];
            } else {
                t2 = pa - f * L[1];
                int tq = qa - 60 * f;
                t2 = f == 1 ? (t2 < tq ? t2 : tq) : (t2 > tq ? t2 : tq);
            }
            t2 = Clamp(t2);
            pts[n++] = {pa, s1};
            pts[n++] = {t2, s1};
            pts[n++] = {t2, ql};
        }
    }
    pts[n++] = {qa, ql};

    for (int i = 0; i + 1 < n; ++i) {
        POINT a = pts[i];
        POINT b = pts[i + 1];
        if (transposed) {
            a = {a.y, a.x};
            b = {b.y, b.x};
        }
        route->segments[i] = {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x,
                              a.y < b.y ? b.y : a.y};
    }
    route->count = n - 1;
    if (storeSides) {
        route->startSide = sp;
        route->endSide = sq;
    }
}

POINT NormaliseRoute(SegLineRoute* route)
{
    int count = RouteCount(route);
    if (count == 0)
        return {0, 0};
    int minX = route->segments[0].x0;
    int minY = route->segments[0].y0;
    for (int i = 1; i < count; ++i) {
        if (route->segments[i].x0 < minX)
            minX = route->segments[i].x0;
        if (route->segments[i].y0 < minY)
            minY = route->segments[i].y0;
    }
    for (int i = 0; i < count; ++i) {
        route->segments[i].x0 -= minX;
        route->segments[i].x1 -= minX;
        route->segments[i].y0 -= minY;
        route->segments[i].y1 -= minY;
    }
    return {minX, minY};
}

bool SegEndHasArrowhead(const DrawingObject* object, const SegLineRoute* route, int segment)
{
    int count = RouteCount(route);
    if (count == 0)
        return false;
    POINT first;
    POINT last;
    GetRouteEndPoint(route, 0, &first);
    GetRouteEndPoint(route, kMaxRouteSegments, &last);
    bool firstIsLeft = first.x < last.x || (first.x == last.x && first.y <= last.y);
    int ends = object->arrowEnds;
    if (segment == 0 && (ends == 3 || (ends == 2 && firstIsLeft) || (ends == 1 && !firstIsLeft)))
        return true;
    if (segment >= count - 1 && (ends == 3 || (ends == 1 && firstIsLeft) || (ends == 2 && !firstIsLeft)))
        return true;
    return false;
}

ErrorCode RouteRecord::Find(const DrawingRecord* drawing, const DrawingObject* object)
{
    if (!drawing)
        return kErrNoMemory;
    return FindInStore(drawing->storeSlot, object);
}

ErrorCode RouteRecord::FindInStore(int store, const DrawingObject* object)
{
    Release();
    if (!object || object->dataGroup != kConnectorRouteGroup)
        return kStoreErrNotFound;
    RecordHandle handle = nullptr;
    ErrorCode code = FindRecord(store, kConnectorRouteGroup, static_cast<short>(object->dataFirstId), &handle);
    if (code != kErrNone)
        return code;
    if (QueryRecordSize(handle) < static_cast<DWORD>(kRouteRecordSize)) {
        ReleaseRecord(handle);
        return kStoreErrTooSmall;
    }
    handle_ = handle;
    route_ = static_cast<SegLineRoute*>(GlobalLock(handle));
    if (!route_) {
        ReleaseRecord(handle_);
        handle_ = nullptr;
        return kErrNoMemory;
    }
    return kErrNone;
}

ErrorCode RouteRecord::MarkChanged()
{
    ErrorCode code = MarkRecordChanged(handle_);
    if (code == kErrNone)
        code = SetRecordDirty(handle_);
    return code;
}

ErrorCode RouteRecord::SetDirty()
{
    return SetRecordDirty(handle_);
}

RecordHandle RouteRecord::Detach()
{
    RecordHandle handle = handle_;
    if (handle_)
        GlobalUnlock(handle_);
    handle_ = nullptr;
    route_ = nullptr;
    return handle;
}

void RouteRecord::Release()
{
    if (handle_) {
        GlobalUnlock(handle_);
        ReleaseRecord(handle_);
    }
    handle_ = nullptr;
    route_ = nullptr;
}

void RecalcSegLineRects(DrawingRecord* drawing, DrawingObject* object)
{
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return;
    const SegLineRoute* route = record.Get();
    int count = RouteCount(route);
    if (count == 0)
        return;
    int hw1 = object->lineWidth / 2;
    int hw2 = object->lineWidth - hw1;
    int across = 0;
    int along = 0;
    if (object->arrowEnds != 0) {
        int32_t a = GetArrowheadExtent(static_cast<uint32_t>(object->startArrow), object->arrowSize,
                                       object->lineWidth);
        int32_t b = GetArrowheadExtent(static_cast<uint32_t>(object->endArrow), object->arrowSize, object->lineWidth);
        across = ExtentAcross(a) > ExtentAcross(b) ? ExtentAcross(a) : ExtentAcross(b);
        along = ExtentAlong(a) > ExtentAlong(b) ? ExtentAlong(a) : ExtentAlong(b);
    }
    int middle = -1;
    if (IsMiddleArrowhead(static_cast<uint32_t>(object->startArrow)) ||
        IsMiddleArrowhead(static_cast<uint32_t>(object->endArrow)))
        middle = (count - 1) / 2;
    RECT shadow = {0, 0, 0, 0};
    if (drawing && ObjectHasShadow(drawing, object))
        GetShadowExtent(drawing, &shadow, 0);

    RECT bare = {route->segments[0].x0, route->segments[0].y0, route->segments[0].x0, route->segments[0].y0};
    RECT all = {0, 0, 0, 0};
    for (int i = 0; i < count; ++i) {
        const RouteSegment& s = route->segments[i];
        if (s.x0 < bare.left) bare.left = s.x0;
        if (s.y0 < bare.top) bare.top = s.y0;
        if (s.x1 > bare.right) bare.right = s.x1;
        if (s.y1 > bare.bottom) bare.bottom = s.y1;
        RECT r;
        bool horizontal = IsHorizontalSegment(s);
        if (horizontal)
            r = {s.x0, s.y0 - hw1, s.x1, s.y0 + hw2};
        else
            r = {s.x0 - hw1, s.y0, s.x0 + hw2, s.y1};
        if (i == middle || SegEndHasArrowhead(object, route, i)) {
            if (horizontal)
                InflateRect(&r, along, across);
            else
                InflateRect(&r, across, along);
        }
        ExpandRect(&r, &shadow);
        if (i == 0)
            all = r;
        else
            UnionRect(&all, &all, &r);
    }
    int dx = object->inner.left - bare.left;
    int dy = object->inner.top - bare.top;
    OffsetRect(&bare, dx, dy);
    OffsetRect(&all, dx, dy);
    object->inner = bare;
    object->frame = all;
    object->bounds = all;
    InflateRect(&object->bounds, 30, 30);
    object->textFrame = object->inner;
}

ErrorCode MakeRouteRecord(DrawingRecord* drawing, DrawingObject* object)
{
    if (!drawing)
        return kErrNoMemory;
    short id = 0;
    ErrorCode code = FindFreeId(drawing->storeSlot, kConnectorRouteGroup, &id);
    RecordHandle handle = nullptr;
    if (code == kErrNone)
        code = CreateRecord(drawing->storeSlot, kConnectorRouteGroup, id, kRouteRecordSize, &handle);
    if (code != kErrNone)
        return code;
    object->inner = object->frame;
    object->dataCount = 1;
    object->dataGroup = kConnectorRouteGroup;
    object->dataFirstId = id;
    auto* route = static_cast<SegLineRoute*>(GlobalLock(handle));
    route->startSide = 0;
    route->endSide = 0;
    route->count = 0;
    FillRouteLengths(route);
    MakeDefaultRoute(route, object->lineWidth, object->frame.right - object->frame.left,
                     object->frame.bottom - object->frame.top, 1, 0, object->shapeType);
    GlobalUnlock(handle);
    code = SetRecordDirty(handle);
    ReleaseRecord(handle);
    return code;
}
