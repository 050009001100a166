#include "objects/shape_hit_test.h"

#include "common/rect_helpers.h"
#include "objects/adjust_handles.h"
#include "objects/attachment_marker.h"
#include "objects/geometry_math.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/outline_insets.h"
#include "objects/point_transforms.h"
#include "objects/selection_geometry.h"
#include "objects/shape_handles.h"
#include "objects/shape_outlines.h"
#include "objects/shape_paint.h"
#include "objects/shape_rotation.h"
#include "objects/shape_types.h"

namespace {

const int kTextInset = 24;
const int kOuterReach = 30;
const COLORREF kNoColor = 0xFFFFFFFF;

bool IsPolygonType(int type)
{
    return type == kShapeInputOutput || type == kShapeDecision || type == kShapeDocument ||
           (type >= kShapeRightArrow && type <= kShapeFreeform);
}

bool IsCurvedType(int type)
{
    return type == kShapeRoundRect || type == kShapeOval || type == kShapeTerminate || type == kShapeCircle;
}

bool Inside(const RECT& rect, POINT p)
{
    return PtInRect(&rect, p) != 0;
}

// The scale FitRectIn600 applies to a rectangle of this size.
double FitScale(const RECT& rect)
{
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 600 && height <= 600)
        return 1.0;
    double sx = width > 600 ? 600.0 / width : 1.0;
    double sy = height > 600 ? 600.0 / height : 1.0;
    return sx < sy ? sx : sy;
}

RECT Scaled(const RECT& rect, POINT origin, double scale)
{
    return {TruncToInt((rect.left - origin.x) * scale), TruncToInt((rect.top - origin.y) * scale),
            TruncToInt((rect.right - origin.x) * scale), TruncToInt((rect.bottom - origin.y) * scale)};
}

POINT ScaledPoint(POINT p, POINT origin, double scale)
{
    return {TruncToInt((p.x - origin.x) * scale), TruncToInt((p.y - origin.y) * scale)};
}

// The region of the shape type in a scaled rectangle; `reference` gives a
// polygon type its proportions and `inset` is the inner outline's border.
HRGN MakeRegion(const DrawingObject* object, HGLOBAL freeform, const RECT& rect, const RECT& reference, int inset)
{
    HRGN region = nullptr;
    int type = object->shapeType;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (type == kShapeRoundRect || type == kShapeTerminate) {
        if (width > 0 && height > 0) {
            int m = width < height ? width : height;
            int corner = type == kShapeTerminate ? height : TruncToInt(2.0 * object->adjust * m);
            region = CreateRoundRectRgn(rect.left, rect.top, rect.right, rect.bottom, corner, corner);
        }
    } else if (type == kShapeOval || type == kShapeCircle) {
        region = CreateEllipticRgn(rect.left, rect.top, rect.right, rect.bottom);
    } else if (width > 0 && height > 0 && reference.right > reference.left && reference.bottom > reference.top) {
        POINT points[kOutlineBufferPoints];
        int count = 0;
        BuildShapeOutline(&rect, &reference, object->adjust, type, inset, freeform, points, &count);
        uint32_t mirror = object->optionFlags & (kOptionFlipH | kOptionFlipV);
        if (mirror)
            FlipPoints(&rect, mirror, points, count);
        if (count >= 3)
            region = CreatePolygonRgn(points, count, WINDING);
    }
    if (!region)
        region = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
    return region;
}

bool InRegion(HRGN region, POINT p)
{
    if (!region)
        return false;
    bool inside = PtInRegion(region, p.x, p.y) != 0;
    DeleteObject(region);
    return inside;
}

// The body and text area of the curved and polygon types.
int HitOutline(DrawingRecord* drawing, const DrawingObject* object, POINT p, const RECT& outer)
{
    int type = object->shapeType;
    RECT inner = object->frame;
    RECT insets = {0, 0, 0, 0};
    if (IsCurvedType(type)) {
        InflateRect(&inner, -kTextInset, -kTextInset);
    } else {
        ComputeOutlineInsets(&object->frame, kTextInset, object->adjust, type, &insets);
        ShrinkRect(&inner, &insets);
    }
    POINT q = p;
    POINT origin = {outer.left, outer.top};
    double scale = FitScale(outer);
    RECT scaledOuter = Scaled(outer, origin, scale);
    POINT scaledP = ScaledPoint(p, origin, scale);

    HGLOBAL freeform = drawing ? LoadFreeformOutline(drawing->storeSlot, object) : nullptr;
    int result = kHitNothing;
    if (InRegion(MakeRegion(object, freeform, scaledOuter, scaledOuter, 0), scaledP)) {
        result = kHitBody;
        RECT scaledInner = Scaled(inner, origin, scale);
        POINT scaledQ = ScaledPoint(q, origin, scale);
        bool arrow = type >= kShapeRightArrow && type <= kShapeBottomArrow;
        int inset = TruncToInt(insets.left * scale);
        if (InRegion(MakeRegion(object, freeform, scaledInner, arrow ? scaledInner : scaledOuter, inset), scaledQ))
            result = kHitTextArea;
    }
    ReleaseFreeformOutline(freeform);
    return result;
}

// Rectangles, pictures and unknown types: frame, text frame and border.
int HitRectangle(const DrawingObject* object, int toolCode, POINT p)
{
    RECT reach = object->frame;
    InflateRect(&reach, kOuterReach, kOuterReach);
    if (object->rotation != 0 && !Inside(reach, p))
        return kHitNothing;
    if (!Inside(object->inner, p))
        return kHitBody;
    if (toolCode != kTextToolCode) {
        RECT border = object->frame;
        InflateRect(&border, -kTextInset, -kTextInset);
        return Inside(border, p) ? kHitTextArea : kHitBody;
    }
    return (object->textRoleFlags & 0x10) ? kHitNothing : kHitTextArea;
}

// The attachment marker of an object that has an attachment.
bool ShapeHasAttachmentMarker(DrawingRecord* drawing, const DrawingObject* object, POINT p)
{
    if (!HasAttachment(drawing->storeSlot, object))
        return false;
    RECT marker;
    GetAttachmentMarkerRect(object, &marker);
    return Inside(marker, p);
}

} // namespace

int HitTestShape(DrawingRecord* drawing, void* table, int index, int toolCode, int x, int y)
{
    DrawingObject* object = KindObject(table, index);
    const POINT given = {x, y};
    bool selected = (object->stateFlags & kStateSelected) != 0;
    bool listed = index >= 0;
    if (selected) {
        POINT handle;
        RECT box;
        int code = CallObjectKind(nullptr, drawing, table, index, kMsgRotateHandle, 1,
                                  reinterpret_cast<INT_PTR>(&handle), reinterpret_cast<INT_PTR>(&box));
        object = KindObject(table, index);
        if (code != 0 && Inside(box, given))
            return code;
    }
    if (listed && selected) {
        AdjustHandleInfo info;
        GetAdjustHandleGeometry(object, &info);
        if (info.direction != 0 && Inside(info.box, given))
            return info.direction == 1 ? kHitAdjustHorizontal : kHitAdjustVertical;
    }
    if (listed && drawing && ShapeHasAttachmentMarker(drawing, object, given))
        return kHitAttachment;

    POINT p = given;
    RECT outer = object->bounds;
    if (object->rotation != 0) {
        RotatePoints(&object->frame, -object->rotation, &p, 1);
        outer = object->frame;
        InflateRect(&outer, kOuterReach, kOuterReach);
    }
    int type = object->shapeType;
    int result = kHitNothing;
    if (IsCurvedType(type) || IsPolygonType(type))
        result = HitOutline(drawing, object, p, outer);
    else if (listed)
        result = HitRectangle(object, toolCode, p);

    // An empty outlined shape without text lets a click through to what lies
    // behind it, except for the text tool.
    if (result == kHitTextArea && toolCode != kTextToolCode && object->fillColor == kNoColor &&
        object->lineWidth != 0 && object->textRecordId < 0 &&
        (object->dataFirstId < 0 || object->dataGroup == kFreeformGroup))
        result = kHitNothing;

    if (selected) {
        RECT rects[8];
        int codes[8];
        int count = GetShapeHandleRects(drawing, object, rects, codes);
        for (int i = 0; i < count; ++i) {
            if (Inside(rects[i], given))
                return codes[i];
        }
    }
    return result;
}
