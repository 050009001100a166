#include "objects/adjust_handles.h"

#include <cmath>

#include "objects/drag_feedback.h"
#include "objects/geometry_math.h"
#include "objects/object_links.h"
#include "objects/point_transforms.h"
#include "objects/shape_parameters.h"
#include "objects/shape_resize.h"
#include "objects/shape_types.h"
#include "objects/handle_box.h"

namespace {

const int kHandleHalf = 24;
const int kBoundsReach = 30;

// The corner the relative box is measured from: the bounds' top-left. A
// turned shape's bounds hold its turned outline, while the handle and its
// range live in the shape's unturned space; there the frame grown by the
// usual 30 units stands in for the bounds.
RECT ReferenceBounds(const DrawingObject* object)
{
    if (object->rotation == 0)
        return object->bounds;
    RECT bounds = object->frame;
    InflateRect(&bounds, kBoundsReach, kBoundsReach);
    return bounds;
}

} // namespace

void GetAdjustHandleGeometry(const DrawingObject* object, AdjustHandleInfo* info)
{
    const RECT& frame = object->frame;
    RECT bounds = ReferenceBounds(object);
    double W = static_cast<double>(frame.right) - frame.left;
    double H = static_cast<double>(frame.bottom) - frame.top;
    int Wi = frame.right - frame.left;
    int Hi = frame.bottom - frame.top;
    double m = H <= W ? H : W;
    double p = object->adjust;
    ShapeParameterRange range;
    GetShapeParameterDefaults(object->shapeType, &range);
    double lo = range.minimum;
    double hi = range.maximum;

    info->direction = 0;
    info->extent = 1.0;
    info->origin = 1;
    info->low = 0;
    info->high = 0;
    RECT rel = {0, 0, 0, 0};
    int l;
    int t;
    switch (object->shapeType) {
    case kShapeRoundRect:
        info->extent = m;
        if (W <= H) {
            info->direction = 1;
            l = TruncToInt(p * m) - 24;
            rel = {l, 0, l + 48, 48};
            info->low = bounds.left + TruncToInt(lo * m);
            info->high = bounds.left + TruncToInt(hi * m);
            info->origin = bounds.left;
        } else {
            info->direction = 2;
            t = TruncToInt(p * m) - 24;
            rel = {0, t, 48, t + 48};
            info->low = bounds.top + TruncToInt(lo * m);
            info->high = bounds.top + TruncToInt(hi * m);
            info->origin = bounds.top;
        }
        break;
    case kShapeInputOutput:
    case kShapeLeftArrow:
    case kShapeTrapezoid:
    case kShapeOnlineStorage:
    case kShapePreparation:
    case kShapePentagon:
    case kShapeDisplay:
        info->direction = 1;
        info->extent = W;
        l = TruncToInt(p * W) - 24;
        rel = {l, 6, l + 48, 54};
        info->low = bounds.left + TruncToInt(lo * W);
        info->high = bounds.left + TruncToInt(hi * W);
        info->origin = bounds.left;
        break;
    case kShapeDocument:
    case kShapeBottomArrow:
    case kShapeOffPage:
        info->direction = 2;
        info->extent = H;
        t = Hi - TruncToInt(p * H) - 24;
        rel = {6, t, 54, t + 48};
        info->low = bounds.bottom - TruncToInt(hi * H);
        info->high = bounds.bottom - TruncToInt(lo * H);
        info->origin = bounds.bottom;
        break;
    case kShapeRightArrow:
    case kShapeDelay:
        info->direction = 1;
        info->extent = W;
        l = Wi - TruncToInt(p * W) + 24;
        rel = {l, 6, l + 48, 54};
        info->low = bounds.right - TruncToInt(hi * W);
        info->high = bounds.right - TruncToInt(lo * W);
        info->origin = bounds.right;
        break;
    case kShapeTopArrow:
    case kShapeManualInput:
        info->direction = 2;
        info->extent = H;
        t = TruncToInt(p * H) - 24;
        rel = {6, t, 54, t + 48};
        info->low = bounds.top + TruncToInt(lo * H);
        info->high = bounds.top + TruncToInt(hi * H);
        info->origin = bounds.top;
        break;
    case kShapeManualOperation:
        info->direction = 1;
        info->extent = W;
        l = TruncToInt(p * W) - 24;
        if (object->rotation == 0) {
            int B = bounds.bottom - bounds.top;
            rel = {l, B - 54, l + 48, B - 6};
        } else {
            rel = {l, TruncToInt(H), l + 48, TruncToInt(H) + 54};
        }
        info->low = bounds.left + TruncToInt(lo * W);
        info->high = bounds.left + TruncToInt(hi * W);
        info->origin = bounds.left;
        break;
    case kShapeOctagon:
        info->direction = 1;
        info->extent = m;
        l = TruncToInt(p * m) - 24;
        rel = {l, 0, l + 48, 48};
        info->low = bounds.left + TruncToInt(lo * m);
        info->high = bounds.left + TruncToInt(hi * m);
        info->origin = bounds.left;
        break;
    default:
        return;
    }

    POINT centre = {frame.left + rel.left + 24 - 30, frame.top + rel.top + 24 - 30};
    uint32_t mirror = object->optionFlags & (kOptionFlipH | kOptionFlipV);
    if (mirror) {
        FlipPoints(&frame, mirror, &centre, 1);
        bool mirrorsRange = (info->direction == 1 && (mirror & kOptionFlipH)) ||
                            (info->direction == 2 && (mirror & kOptionFlipV));
        if (mirrorsRange) {
            int nearEdge = info->direction == 1 ? bounds.left : bounds.top;
            int farEdge = info->direction == 1 ? bounds.right : bounds.bottom;
            int low = nearEdge + farEdge - info->high;
            int high = nearEdge + farEdge - info->low;
            info->low = low;
            info->high = high;
            info->origin = nearEdge + farEdge - info->origin;
        }
    }
    if (object->rotation != 0) {
        RotatePoints(&frame, object->rotation, &centre, 1);
        info->box = {centre.x - kHandleHalf, centre.y - kHandleHalf, centre.x + kHandleHalf, centre.y + kHandleHalf};
    } else if (mirror) {
        info->box = {centre.x - kHandleHalf, centre.y - kHandleHalf, centre.x + kHandleHalf, centre.y + kHandleHalf};
    } else {
        info->box = rel;
        OffsetRect(&info->box, bounds.left, bounds.top);
    }
}

double ParameterFromHandlePoint(const DrawingObject* object, POINT* point)
{
    AdjustHandleInfo info;
    GetAdjustHandleGeometry(object, &info);
    if (info.direction == 0)
        return -1.0;
    LONG* coordinate = info.direction == 1 ? &point->x : &point->y;
    if (*coordinate < info.low)
        *coordinate = info.low;
    if (*coordinate > info.high)
        *coordinate = info.high;
    if (info.extent == 0.0)
        return -1.0;
    return std::fabs(static_cast<double>(*coordinate) - info.origin) / info.extent;
}

void DrawAdjustHandle(HDC dc, const DrawingObject* object)
{
    AdjustHandleInfo info;
    GetAdjustHandleGeometry(object, &info);
    if (info.direction == 0)
        return;
    HPEN pen = CreatePen(PS_INSIDEFRAME, 1, RGB(0, 0, 0));
    DrawXorDiamond(dc, &info.box, pen);
    DeleteObject(pen);
}

namespace {

// The dragged point in the shape's unturned space, made a parameter.
double ParameterOfDrag(const DrawingObject* object, const POINT* point)
{
    POINT at = *point;
    if (object->rotation != 0)
        RotatePoints(&object->frame, -object->rotation, &at, 1);
    return ParameterFromHandlePoint(object, &at);
}

} // namespace

void DrawAdjustHandleFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int, INT_PTR,
                              const POINT* point)
{
    if (!point)
        return;
    DrawingObject* object = KindObject(table, index);
    double parameter = ParameterOfDrag(object, point);
    if (parameter < 0.0)
        return;
    RECT frame = object->frame;
    DrawShapeDragFeedback(dc, drawing, table, index, 4, object->shapeType, &frame, 0, parameter);
}

ErrorCode SetAdjustParameter(DrawingRecord* drawing, void* table, int index, int, const POINT* point)
{
    if (!point)
        return kErrNone;
    DrawingObject* object = KindObject(table, index);
    double parameter = ParameterOfDrag(object, point);
    if (parameter < 0.0)
        return kErrNone;
    object->adjust = parameter;
    if (drawing && index >= 0)
        MarkLinksOf(drawing, object->objectId, kLinkTargetMoved | kLinkRechoosePoint, object->groupKey,
                    object->groupIndex);
    object = KindObject(table, index);
    RECT frame = object->frame;
    return ResizeShape(drawing, table, index, 0, 0, &frame);
}
