#include "objects/shape_hook_points.h"

#include <cmath>
#include <cstring>

#include "objects/drawing_tables.h"
#include "objects/geometry_math.h"
#include "objects/groups.h"
#include "objects/point_transforms.h"
#include "objects/shape_box_points.h"
#include "objects/shape_outlines.h"
#include "objects/shape_rotation.h"
#include "objects/shape_types.h"
#include "store/record_store.h"

namespace {

const POINT kDecisionPoints[] = {{0, 300}, {150, 150}, {300, 0}, {450, 150},
                                 {600, 300}, {450, 450}, {300, 600}, {150, 450}};
const POINT kTrianglePoints[] = {{0, 600},   {75, 450},  {150, 300}, {225, 150}, {300, 0},   {375, 150},
                                 {450, 300}, {525, 450}, {600, 600}, {450, 600}, {300, 600}, {150, 600}};
const POINT kReverseTrianglePoints[] = {{0, 0},     {75, 150},  {150, 300}, {225, 450}, {300, 600}, {375, 450},
                                        {450, 300}, {525, 150}, {600, 0},   {450, 0},   {300, 0},   {150, 0}};
const POINT kDefaultPoints[] = {{0, 0},     {150, 0},   {300, 0},   {450, 0},   {600, 0},   {600, 150},
                                {600, 300}, {600, 450}, {600, 600}, {450, 600}, {300, 600}, {150, 600},
                                {0, 600},   {0, 450},   {0, 300},   {0, 150}};
const POINT kEightBoxPoints[] = {{0, 0}, {600, 0}, {0, 600}, {600, 600}, {300, 0}, {300, 600}, {0, 300}, {600, 300}};
const RECT kBox = {0, 0, 600, 600};

// The box points of the codes 201..209 and the direction in which a turned
// or freeform outline is searched for them.
struct BoxPosition {
    POINT point;
    int direction;
};
const BoxPosition kBoxPositions[] = {
    {{0, 0}, 0},     {{600, 0}, 0},   {{0, 600}, 0},   {{600, 600}, 0}, {{300, 0}, 8},
    {{300, 600}, 8}, {{0, 300}, 4},   {{600, 300}, 4}, {{300, 300}, 0},
};

// Bytes of the symbol's connect points in the first record of its picture.
const DWORD kSymbolCountOffset = 28;
const DWORD kSymbolPointsOffset = 30;

int CopyPoints(const POINT* from, int n, POINT* to)
{
    std::memcpy(to, from, sizeof(POINT) * static_cast<size_t>(n));
    return n;
}

// Reads a placed symbol's connect points; `count` 0 when it keeps none.
ErrorCode ReadSymbolPoints(const DrawingRecord* drawing, const DrawingObject* object, POINT* points, int* count)
{
    *count = 0;
    if (!drawing || object->dataFirstId < 0 || object->dataFirstId > 0x7FFF || object->dataGroup < 0 ||
        object->dataGroup > 0x7FFF)
        return kStoreErrNotFound;
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(drawing->storeSlot, static_cast<short>(object->dataGroup),
                                static_cast<short>(object->dataFirstId), &record);
    if (code != kErrNone)
        return code;
    DWORD size = QueryRecordSize(record);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(record));
    if (bytes && size >= kSymbolPointsOffset) {
        int16_t stored = 0;
        std::memcpy(&stored, bytes + kSymbolCountOffset, sizeof(stored));
        int n = stored < 0 ? 0 : (stored > kMaxHookPoints ? kMaxHookPoints : stored);
        // Never read past the record: a short record keeps the points it has.
        DWORD room = (size - kSymbolPointsOffset) / 4;
        if (static_cast<DWORD>(n) > room)
            n = static_cast<int>(room);
        for (int i = 0; i < n; ++i) {
            int16_t xy[2];
            std::memcpy(xy, bytes + kSymbolPointsOffset + 4 * i, sizeof(xy));
            points[i] = {xy[0], xy[1]};
        }
        *count = n;
    }
    if (bytes)
        GlobalUnlock(record);
    ReleaseRecord(record);
    return kErrNone;
}

// The hook points of every type but the freeform one.
int HookPointsOfType(const DrawingRecord* drawing, const DrawingObject* object, POINT* points)
{
    if (object->stateFlags & kStateSymbolConnectPoints) {
        int n = 0;
        if (ReadSymbolPoints(drawing, object, points, &n) == kErrNone && n > 0)
            return n;
    }
    switch (object->shapeType) {
    case kShapeDecision:
        return CopyPoints(kDecisionPoints, 8, points);
    case kShapeTriangle:
        return CopyPoints(kTrianglePoints, 12, points);
    case kShapeReverseTriangle:
        return CopyPoints(kReverseTrianglePoints, 12, points);
    default:
        return CopyPoints(kDefaultPoints, 16, points);
    }
}

int ConnectPointsOf(const DrawingRecord* drawing, const DrawingObject* object, POINT* points)
{
    if (object->shapeType == kShapeFreeform || (object->optionFlags & kOptionBoxHookPoints))
        return CopyPoints(kEightBoxPoints, 8, points);
    return HookPointsOfType(drawing, object, points);
}

POINT OnFrame(const RECT& frame, POINT box)
{
    double W = static_cast<double>(frame.right) - frame.left;
    double H = static_cast<double>(frame.bottom) - frame.top;
    return {frame.left + TruncToInt(box.x * W / 600.0), frame.top + TruncToInt(box.y * H / 600.0)};
}

bool Within(double v, double a, double b)
{
    return a <= b ? (v >= a && v <= b) : (v >= b && v <= a);
}

} // namespace

void FindFreeformHookPoint(DrawingRecord* drawing, DrawingObject* object, int direction, int* count, POINT* point,
                           int exact)
{
    if (*count == 0) {
        *count = 1;
        *point = {object->lastHookPoint[0], object->lastHookPoint[1]};
        return;
    }
    *count = 1;
    // Grid snapping belongs to the view; the point is searched as given.
    POINT at = *point;
    POINT outline[kOutlineBufferPoints];
    int n = 0;
    HGLOBAL freeform = drawing ? LoadFreeformOutline(drawing->storeSlot, object) : nullptr;
    BuildTransformedShapeOutline(&object->frame, &object->frame, object->adjust, object->shapeType, object->rotation,
                                 freeform, outline, &n, object->optionFlags);
    ReleaseFreeformOutline(freeform);

    double best = 32767.0;
    bool found = false;
    POINT result = at;
    for (int k = 1; k < n; ++k) {
        double x0 = outline[k - 1].x;
        double y0 = outline[k - 1].y;
        double x1 = outline[k].x;
        double y1 = outline[k].y;
        double dx = x1 - x0;
        double dy = y1 - y0;
        bool shallow = dx != 0.0 && std::fabs(dy / dx) <= 1.0;
        if ((!(direction & 4) && shallow) || (direction & 8)) {
            // Along the vertical through the point.
            double x = at.x;
            if (dx == 0.0)
                dx = 1.0;
            double y = dy / dx * (x - x0) + y0;
            double distance = std::fabs(y - at.y);
            // The crossing must lie on the piece itself, not on its extension.
            if (Within(y, y0, y1) && Within(x, x0, x1) && distance < best) {
                best = distance;
                result = {TruncToInt(x), TruncToInt(y)};
                found = true;
            }
        } else {
            // Along the horizontal through the point.
            double y = at.y;
            if (dy == 0.0)
                dy = 1.0;
            double x = dx / dy * (y - y0) + x0;
            double distance = std::fabs(x - at.x);
            if (Within(x, x0, x1) && Within(y, y0, y1) && distance < best) {
                best = distance;
                result = {TruncToInt(x), TruncToInt(y)};
                found = true;
            }
        }
    }
    if (!found)
        return;
    if (exact) {
        *point = result;
        return;
    }
    if (object->rotation != 0)
        RotatePoints(&object->frame, -object->rotation, &result, 1);
    if (object->optionFlags & (kOptionFlipH | kOptionFlipV))
        FlipPoints(&object->frame, object->optionFlags, &result, 1);
    double W = static_cast<double>(object->frame.right) - object->frame.left;
    double H = static_cast<double>(object->frame.bottom) - object->frame.top;
    POINT box = {W != 0.0 ? TruncToInt((result.x - object->frame.left) / W * 600.0) : 0,
                 H != 0.0 ? TruncToInt((result.y - object->frame.top) / H * 600.0) : 0};
    *point = box;
    if (!(object->stateFlags & kStateHookMarkers)) {
        object->lastHookPoint[0] = box.x;
        object->lastHookPoint[1] = box.y;
    }
}

ErrorCode SnapToSymbolConnectPoint(DrawingRecord* drawing, const DrawingObject* object, POINT* point)
{
    POINT points[kMaxHookPoints];
    int n = 0;
    ErrorCode code = ReadSymbolPoints(drawing, object, points, &n);
    if (code != kErrNone || n == 0)
        return code;
    if (object->rotation != 0)
        RotatePoints(&kBox, object->rotation, points, n);
    double best = 1e12;
    int nearest = -1;
    for (int i = 0; i < n; ++i) {
        double dx = static_cast<double>(points[i].x) - point->x;
        double dy = static_cast<double>(points[i].y) - point->y;
        double d = dx * dx + dy * dy;
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    if (nearest >= 0)
        *point = points[nearest];
    return kErrNone;
}

void GetShapeHookPoints(DrawingRecord* drawing, void* table, int index, int direction, int* count, POINT* points)
{
    if (!count || !points)
        return;
    DrawingObject* object = KindObject(table, index);
    if (object->shapeType == kShapeFreeform) {
        FindFreeformHookPoint(drawing, object, direction, count, points, 0);
        return;
    }
    *count = HookPointsOfType(drawing, object, points);
}

void GetShapeConnectPoints(DrawingRecord* drawing, void* table, int index, int* count, POINT* points)
{
    if (!count || !points)
        return;
    *count = ConnectPointsOf(drawing, KindObject(table, index), points);
}

int GetShapeAnchorPoint(DrawingRecord* drawing, void* table, int index, int code, POINT* point)
{
    if (!point)
        return 1;
    DrawingObject* object = KindObject(table, index);
    bool array = false;
    if (code >= 305) {
        array = true;
        code -= 100;
    }
    bool groupDiffers = false;
    if (index >= 0 && object->groupIndex >= 0 && object->linkCount == 1) {
        int hint = object->links[0].targetHint;
        if (hint >= 0 && hint < TableCount(table))
            groupDiffers = ObjectAt(table, hint)->groupIndex != object->groupIndex;
    }

    POINT box;
    int direction = 0;
    if (code >= 1 && code <= kMaxHookPoints) {
        POINT list[kMaxHookPoints];
        int n = ConnectPointsOf(drawing, object, list);
        // A code past the shape's own list names no point.
        if (code > n)
            return 1;
        box = list[code - 1];
    } else if (code >= 201 && code <= 209) {
        box = kBoxPositions[code - 201].point;
        direction = kBoxPositions[code - 201].direction;
    } else {
        return 1;
    }

    bool mirrored = (object->optionFlags & (kOptionFlipH | kOptionFlipV)) != 0;
    bool symbol = (object->stateFlags & kStateSymbolConnectPoints) != 0;
    if (!array ||
        (!groupDiffers && object->rotation == 0 && object->shapeType != kShapeFreeform && !symbol && !mirrored)) {
        MapShapeBoxPoints(drawing, table, index, code, 1, &box);
        *point = box;
        return 0;
    }

    // Hanging on an array branch: the point lies on the turned outline.
    DrawingObject stand;
    DrawingObject* shape = object;
    if (groupDiffers && drawing) {
        LockedTable groups(drawing, kTableGroups);
        int row = FindGroupInTable(groups.Get(), object->groupKey, object->groupIndex, 0);
        if (row >= 0) {
            const GroupEntry* group = GroupEntryAt(groups.Get(), row);
            std::memset(&stand, 0, sizeof(stand));
            stand.kind = kKindShape;
            stand.shapeType = kShapeRectangle;
            stand.frame = group->frame;
            stand.rotation = group->rotation;
            stand.dataGroup = -1;
            stand.dataFirstId = -1;
            stand.groupIndex = -1;
            shape = &stand;
        }
    }
    if (!(shape->stateFlags & kStateSymbolConnectPoints)) {
        POINT at = OnFrame(shape->frame, box);
        int one = 1;
        FindFreeformHookPoint(drawing, shape, direction, &one, &at, 1);
        *point = at;
        return 0;
    }
    DiscardError(SnapToSymbolConnectPoint(drawing, shape, &box), "a symbol without connect points keeps the box point");
    if (shape->rotation != 0) {
        RotatePoints(&kBox, -shape->rotation, &box, 1);
        box = OnFrame(shape->frame, box);
        RotatePoints(&shape->frame, shape->rotation, &box, 1);
    } else {
        box = OnFrame(shape->frame, box);
    }
    *point = box;
    return 0;
}

void GetShapeBoxPosition(DrawingRecord* drawing, void* table, int index, int code, POINT* point)
{
    if (!point)
        return;
    POINT anchor;
    if (GetShapeAnchorPoint(drawing, table, index, code, &anchor) != 0)
        return;
    const RECT& frame = KindObject(table, index)->frame;
    double W = static_cast<double>(frame.right) - frame.left;
    double H = static_cast<double>(frame.bottom) - frame.top;
    point->x = W != 0.0 ? TruncToInt((anchor.x - frame.left) / W * 600.0) : 0;
    point->y = H != 0.0 ? TruncToInt((anchor.y - frame.top) / H * 600.0) : 0;
}
