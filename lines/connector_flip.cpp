#include "lines/connector_flip.h"

#include <cstring>
#include <utility>

#include "lines/arrowheads.h"
#include "lines/connector_handles.h"
#include "lines/connector_route.h"
#include "lines/connector_shape.h"
#include "objects/arc_polyline.h"
#include "objects/object_links.h"
#include "objects/point_transforms.h"

namespace {

const int kPieceEntryBytes = 28;

int MirrorSide(int side, uint32_t flags)
{
    if (flags & 0x08) {
        if (side == kSideLeft)
            return kSideRight;
        if (side == kSideRight)
            return kSideLeft;
    }
    if (flags & 0x10) {
        if (side == kSideTop)
            return kSideBottom;
        if (side == kSideBottom)
            return kSideTop;
    }
    return side;
}

int MirrorCorner(int corner, uint32_t flags)
{
    static const int horizontal[5] = {0, 2, 1, 4, 3};
    static const int vertical[5] = {0, 3, 4, 1, 2};
    if (corner < 1 || corner > 4)
        return corner;
    if (flags & 0x08)
        corner = horizontal[corner];
    if (flags & 0x10)
        corner = vertical[corner];
    return corner;
}

// The route's vertices from its start, relative to its origin.
int RouteVertices(const SegLineRoute* route, POINT* points)
{
    int n = RouteCount(route);
    POINT p;
    GetRouteEndPoint(route, 0, &p);
    points[0] = p;
    for (int i = 0; i < n; ++i) {
        const RouteSegment& s = route->segments[i];
        POINT a = {s.x0, s.y0};
        POINT b = {s.x1, s.y1};
        p = (a.x == p.x && a.y == p.y) ? b : a;
        points[i + 1] = p;
    }
    return n + 1;
}

} // namespace

ErrorCode FlipSegLine(DrawingRecord* drawing, void* table, int index, uint32_t flags)
{
    DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    ErrorCode code = record.Find(drawing, object);
    if (code == kErrNone)
        code = record.MarkChanged();
    if (code != kErrNone)
        return code;
    SegLineRoute* route = record.Get();
    int n = RouteCount(route);
    if (n == 0)
        return kErrNone;
    bool free = route->startSide == 0 && route->endSide == 0;
    if (free && object->shapeType == 1)
        object->lineType = MirrorCorner(object->lineType, flags);

    POINT points[kMaxRouteSegments + 1];
    int count = RouteVertices(route, points);
    RECT box = {0, 0, object->inner.right - object->inner.left, object->inner.bottom - object->inner.top};
    FlipPoints(&box, flags & 0x18, points, count);
    POINT first = points[0];
    POINT last = points[count - 1];
    if (free) {
        for (int i = 0; i + 1 < count; ++i) {
            POINT a = points[i];
            POINT b = points[i + 1];
            route->segments[i] = {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x,
                                  a.y < b.y ? b.y : a.y};
        }
    } else {
        route->startSide = MirrorSide(route->startSide, flags);
        route->endSide = MirrorSide(route->endSide, flags);
        RouteSegLine(route, 0, 0, last.x, last.y, &first, 1);
    }
    NormaliseRoute(route);
    // The mirrored first end may now be the right one: markers and slots
    // stay with their physical ends.
    POINT start;
    GetRouteEndPoint(route, 0, &start);
    bool turned = !free && (first.x != last.x || first.y != last.y) &&
                  (last.x < first.x || (last.x == first.x && last.y < first.y));
    if (free) {
        turned = (flags & 0x08) != 0 || ((flags & 0x10) != 0 && first.x == last.x);
    }
    if (turned) {
        std::swap(object->startArrow, object->endArrow);
        for (int i = 0; i < SlotsInUse(object); ++i) {
            int& c = object->links[i].connectCode;
            c = c == 1 ? 2 : (c == 2 ? 1 : c);
        }
    }
    (void)start;
    record.Release();
    int32_t value[2] = {0, object->shapeType == 1 ? 0x20 : 0x10};
    code = SetSegLineShape(drawing, table, index, value, 1);
    object = KindObject(table, index);
    object->arrowEnds = RebuildArrowEnds(&object->startArrow, &object->endArrow);
    RecalcSegLineRects(drawing, object);
    return code;
}

int GetSegLineOutlinePoints(HGLOBAL codes, RECT* bounds, DrawingRecord* drawing, void* table, int index,
                            int* count, POINT* points, int forceVertices)
{
    const DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    int store = drawing ? drawing->storeSlot : (index >= 0 ? TableStoreSlot(table) : -1);
    if (!points || record.FindInStore(store, object) != kErrNone)
        return 0;
    const SegLineRoute* route = record.Get();
    int n = RouteCount(route);
    if (n == 0)
        return 0;
    POINT origin = {object->inner.left, object->inner.top};
    int written;
    bool arcForm = object->shapeType == 1 && n > 1 && !forceVertices;
    if (!arcForm) {
        written = RouteVertices(route, points);
        for (int i = 0; i < written; ++i) {
            points[i].x += origin.x;
            points[i].y += origin.y;
        }
        if (count)
            *count = written;
    } else {
        RECT squares[kMaxRouteHandles];
        GetSegLineHandles(route, origin, points, squares, &written);
        if (count)
            *count = (written - 1) * 30;
        unsigned char* bytes = codes ? static_cast<unsigned char*>(GlobalLock(codes)) : nullptr;
        if (bytes) {
            for (int i = 0; i + 1 < written; ++i) {
                POINT S = points[i];
                POINT N = points[i + 1];
                bool verticalFirst = !IsHorizontalSegment(route->segments[i]);
                bool above = N.y < S.y;
                unsigned char c;
                if (verticalFirst)
                    c = above ? (S.x < N.x ? 0 : 3) : (S.x < N.x ? 1 : 2);
                else
                    c = above ? (S.x < N.x ? 2 : 1) : (S.x < N.x ? 3 : 0);
                bytes[i + 1] = c;
                if (i == 0)
                    bytes[0] = c;
            }
            GlobalUnlock(codes);
        }
    }
    if (bounds) {
        for (int i = 0; i < written; ++i) {
            if (points[i].x < bounds->left) bounds->left = points[i].x;
            if (points[i].y < bounds->top) bounds->top = points[i].y;
            if (points[i].x > bounds->right) bounds->right = points[i].x;
            if (points[i].y > bounds->bottom) bounds->bottom = points[i].y;
        }
    }
    return written;
}

void GetSegLineOutlineInfo(DrawingRecord* drawing, void* table, int index, int a, int32_t* words)
{
    if (!words)
        return;
    const DrawingObject* object = KindObject(table, index);
    int n = 0;
    RouteRecord record;
    if (record.Find(drawing, object) == kErrNone)
        n = RouteCount(record.Get());
    bool arcs = object->shapeType == 1 && n > 1;
    words[0] = arcs ? object->kind : 1;
    words[1] = 1;
    words[2] = arcs ? a : 0;
    words[3] = 0;
    words[4] = 0;
}

void ExpandSegLineArcPiece(const POINT* ends, const unsigned char* pieces, int index, int* count, POINT* points)
{
    if (!ends || !pieces || !count || !points || index <= 0 || *count < 1)
        return;
    int32_t entry[3];
    std::memcpy(entry, pieces + kPieceEntryBytes * (index + 1), sizeof(entry));
    if (entry[0] != kKindConnector || entry[1] != 1)
        return;
    POINT L = ends[0].x <= ends[1].x ? ends[0] : ends[1];
    POINT R = ends[0].x <= ends[1].x ? ends[1] : ends[0];
    int W = 2 * std::abs(R.x - L.x);
    int H = 2 * std::abs(R.y - L.y);
    RECT box;
    POINT from;
    POINT to;
    switch (entry[2]) {
    case 0: box = {L.x, R.y, L.x + W, R.y + H}; from = R; to = L; break;
    case 1: box = {L.x, R.y - H, L.x + W, R.y}; from = L; to = R; break;
    case 2: box = {R.x - W, L.y - H, R.x, L.y}; from = L; to = R; break;
    default: box = {R.x - W, L.y, R.x, L.y + H}; from = R; to = L; break;
    }
    POINT arc[80];   // ArcPolylineCapacity(8) is 76
    int made = 0;
    ArcToPolyline(&box, from.x, from.y, to.x, to.y, kArcOpen, 8, arc, &made);
    if (made < 2 || *count + made >= 600)
        return;
    bool reverse = (ends[0].x != L.x || ends[0].y != L.y) != (entry[2] == 0 || entry[2] == 3);
    int at = *count - 1;
    for (int i = 0; i < made; ++i)
        points[at + i] = reverse ? arc[made - 1 - i] : arc[i];
    *count += made - 1;
}

void SetSegLineFromPiece(DrawingRecord* drawing, void* table, int index, int entryIndex, const unsigned char* pieces)
{
    if (!pieces)
        return;
    DrawingObject* object = KindObject(table, index);
    RouteRecord record;
    if (record.Find(drawing, object) != kErrNone)
        return;
    int32_t entry[3];
    std::memcpy(entry, pieces + kPieceEntryBytes * (entryIndex + 1), sizeof(entry));
    SegLineRoute* route = record.Get();
    int w = object->inner.right - object->inner.left;
    int h = object->inner.bottom - object->inner.top;
    object->shapeType = 1;
    route->startSide = 0;
    route->endSide = 0;
    route->count = 2;
    int corner;
    switch (entry[2]) {
    case 0: route->segments[0] = {0, 0, 0, h}; route->segments[1] = {0, 0, w, 0}; corner = 3; break;
    case 1: route->segments[0] = {0, 0, 0, h}; route->segments[1] = {0, h, w, h}; corner = 1; break;
    case 2: route->segments[0] = {0, h, w, h}; route->segments[1] = {w, 0, w, h}; corner = 2; break;
    default: route->segments[0] = {0, 0, w, 0}; route->segments[1] = {w, 0, w, h}; corner = 4; break;
    }
    object->lineType = corner;
    DiscardError(record.SetDirty(), "the record was found just now: its handle is good");
    record.Release();
    RecalcSegLineRects(drawing, object);
}
