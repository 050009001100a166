#include "objects/shape_resize.h"

#include <cmath>

#include "common/rect_handle_point.h"
#include "objects/geometry_math.h"
#include "objects/object_offset.h"
#include "objects/point_transforms.h"
#include "objects/shape_frames.h"
#include "objects/object_text_hooks.h"
#include "objects/shape_text_insets.h"

namespace {

const int kMinimumSide = 24;
const int kFrameLimit = 32000;

} // namespace

ErrorCode ResizeShape(DrawingRecord* drawing, void* table, int index, int handleCode, int keepFrame, RECT* rect)
{
    DrawingObject* object = KindObject(table, index);
    if (rect->right - rect->left < kMinimumSide)
        rect->right = rect->left + kMinimumSide;
    if (rect->bottom - rect->top < kMinimumSide)
        rect->bottom = rect->top + kMinimumSide;
    if (object->rotation == 0 || keepFrame) {
        object->frame = *rect;
    } else {
        POINT p;
        GetRectHandlePoint(&object->frame, handleCode, &p);
        POINT turned = p;
        RotatePoints(&object->frame, object->rotation, &turned, 1);
        int cx = (rect->right - rect->left) / 2 + rect->left;
        int cy = (rect->bottom - rect->top) / 2 + rect->top;
        int dx = p.x - cx;
        int dy = p.y - cy;
        double t = object->rotation * 3.1415926535 / 1800.0;
        double s = std::sin(t);
        double c = std::cos(t);
        int qx = turned.x - TruncToInt(c * dx + s * dy);
        int qy = turned.y - TruncToInt(c * dy - s * dx);
        int offsetX = qx + dx - p.x;
        int offsetY = qy + dy - p.y;
        if (rect->right + offsetX > kFrameLimit)
            offsetX = kFrameLimit - rect->right;
        if (rect->bottom + offsetY > kFrameLimit)
            offsetY = kFrameLimit - rect->bottom;
        object->frame = *rect;
        OffsetRect(&object->frame, offsetX, offsetY);
    }
    object->width = rect->right - rect->left;
    object->height = rect->bottom - rect->top;
    DiscardError(RecalcShapeFrame(drawing, object, 0), "without a reflow nothing can fail");
    if (object->textRecordId >= 0) {
        ErrorCode code = ObjectTextCalls.reflow(drawing, object, handleCode, nullptr);
        if (code != kErrNone)
            return code;
        return index >= 0 ? KeepInsideThroughView(drawing, table, index) : kErrNone;
    }
    object->textFrame = object->inner;
    if (object->stateFlags & kStateSymbolConnectPoints)
        ComputeTextFrame(object);
    return kErrNone;
}

int MoveFrameOppositeSide(DrawingRecord*, void* table, int index, int sideCode, const POINT* offset, RECT* out)
{
    *out = KindObject(table, index)->frame;
    int dx = offset->x;
    int dy = offset->y;
    switch (sideCode) {
    case 2:
        out->left += dx;
        out->bottom += dy;
        break;
    case 3:
        out->right += dx;
        out->top += dy;
        break;
    case 4:
        out->left += dx;
        out->top += dy;
        break;
    case 5:
        out->bottom += dy;
        break;
    case 6:
        out->top += dy;
        break;
    case 7:
        out->right += dx;
        break;
    case 8:
        out->left += dx;
        break;
    default:
        out->right += dx;
        out->bottom += dy;
        break;
    }
    return 0;
}
