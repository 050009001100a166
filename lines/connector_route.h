// The route of a segmented connector: its record (group 116), the side codes
// and the routing between two ends.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "store/record_store.h"

enum HookSide : int {
    kSideNone = 0,
    kSideTop = 5,
    kSideBottom = 6,
    kSideLeft = 7,
    kSideRight = 8,
};

const int kMaxRouteSegments = 5;
const int kRouteRecordSize = 128;
const int kDefaultStubLength = 300;
const int kMinimumStub = 60;

#pragma pack(push, 4)
struct RouteSegment {
    int32_t x0;
    int32_t y0;
    int32_t x1;
    int32_t y1;
};

struct SegLineRoute {
    unsigned char header[16];
    int32_t startSide;
    int32_t endSide;
    int32_t count;
    RouteSegment segments[kMaxRouteSegments];
    int32_t lengths[kMaxRouteSegments];
};
#pragma pack(pop)

static_assert(sizeof(SegLineRoute) == kRouteRecordSize, "route record");
static_assert(offsetof(SegLineRoute, startSide) == 16, "");
static_assert(offsetof(SegLineRoute, endSide) == 20, "");
static_assert(offsetof(SegLineRoute, count) == 24, "");
static_assert(offsetof(SegLineRoute, segments) == 28, "");
static_assert(offsetof(SegLineRoute, lengths) == 108, "");

inline bool IsHorizontalSegment(const RouteSegment& s) { return s.y0 == s.y1; }
// The segment count kept within 0..5 whatever a record holds.
inline int RouteCount(const SegLineRoute* route)
{
    int n = route->count;
    return n < 0 ? 0 : (n > kMaxRouteSegments ? kMaxRouteSegments : n);
}

// End point relative to the origin: which 0 the start, else the last end.
void GetRouteEndPoint(const SegLineRoute* route, int which, POINT* point);
void MakeDefaultRoute(SegLineRoute* route, int lineWidth, int width, int height, int corner, int orientation,
                      int cornerStyle);
int HookSideOfPoint(int x, int y);
// Lays a route from the fixed end (the given point, or the stored end that
// `fixedIsStart` names, plus the origin) to (endX, endY), in drawing units.
void RouteSegLine(SegLineRoute* route, int originX, int originY, int endX, int endY, const POINT* fixed,
                  int fixedIsStart);
void FillRouteLengths(SegLineRoute* route);
// Subtracts the smallest x0 and y0 from every segment; they come back.
POINT NormaliseRoute(SegLineRoute* route);
bool SegEndHasArrowhead(const DrawingObject* object, const SegLineRoute* route, int segment);

// The route record of a connector, locked while the object holds it.
class RouteRecord {
public:
    RouteRecord() = default;
    ~RouteRecord() { Release(); }
    RouteRecord(const RouteRecord&) = delete;
    RouteRecord& operator=(const RouteRecord&) = delete;

    ErrorCode Find(const DrawingRecord* drawing, const DrawingObject* object);
    ErrorCode FindInStore(int store, const DrawingObject* object);
    ErrorCode MarkChanged();
    ErrorCode SetDirty();
    void Release();
    // Unlocks and hands the record's handle to the caller (to delete it).
    RecordHandle Detach();
    SegLineRoute* Get() const { return route_; }
    RecordHandle Handle() const { return handle_; }

private:
    RecordHandle handle_ = nullptr;
    SegLineRoute* route_ = nullptr;
};

void RecalcSegLineRects(DrawingRecord* drawing, DrawingObject* object);
// A line turned connector gets its route record (kind and corner style set).
ErrorCode MakeRouteRecord(DrawingRecord* drawing, DrawingObject* object);
