#include "objects/shape_box_points.h"

#include <algorithm>
#include <cmath>

#include "common/rect_helpers.h"
#include "objects/geometry_math.h"
#include "objects/point_transforms.h"
#include "objects/shape_types.h"

namespace {

// One shape's frame and parameters as the mapping rules use them.
struct Frame {
    int L, T, R, B;
    double W, H;
    double p;
    bool centred;       // the drawing's centred-middle flag
    RECT insets;        // the text inset rectangle
};

struct Offsets {
    double fx, fy;
};

POINT Linear(const Frame& f, int x, int y)
{
    return {f.L + TruncToInt(x * f.W / 600.0), f.T + TruncToInt(y * f.H / 600.0)};
}

POINT FromOffsets(const Frame& f, double fx, double fy)
{
    return {f.L + TruncToInt(fx), f.T + TruncToInt(fy)};
}

POINT Centre(const Frame& f)
{
    return {f.L + TruncToInt(f.W / 2.0), f.T + TruncToInt(f.H / 2.0)};
}

// A rule that sets only X keeps the linear Y.
int LinearY(const Frame& f, int y)
{
    return f.T + TruncToInt(y * f.H / 600.0);
}

bool Edge(int v) { return v == 0 || v == 600; }

POINT MapOval(const Frame& f, int x, int y)
{
    double fx = (x - 300) * f.W / 600.0;
    double fy = (y - 300) * f.H / 600.0;
    double a = f.W / 2.0;
    double b = f.H / 2.0;
    if (fx != 0.0 && fy != 0.0 && a > 0.0 && b > 0.0) {
        // Along the ray from the centre onto the ellipse.
        double k = fx / fy;
        double s = fy >= 0.0 ? 1.0 : -1.0;
        fy = s * std::sqrt(1.0 / (1.0 / (b * b) + k * k / (a * a)));
        fx = fy * k;
    }
    int cx = (f.L + f.R) / 2;
    int cy = (f.T + f.B) / 2;
    return {TruncToInt(cx + fx), TruncToInt(cy + fy)};
}

POINT MapInputOutput(const Frame& f, int x, int y)
{
    int q = TruncToInt(f.p * f.W);
    if (y == 0 || y == 600) {
        int X;
        if (f.centred && x == 300)
            X = f.L + TruncToInt(f.W / 2.0);
        else
            X = f.L + TruncToInt((f.W - q) * x / 600.0) + (y == 0 ? q : 0);
        return {X, LinearY(f, y)};
    }
    if (x == 0)
        return FromOffsets(f, (600 - y) * q / 600.0, y * f.H / 600.0);
    if (x == 300 && y == 300)
        return Centre(f);
    return {f.R - q + TruncToInt((600 - y) * q / 600.0), LinearY(f, y)};
}

POINT MapDocument(const Frame& f, int x, int y)
{
    int q = TruncToInt(f.p * f.H);
    if (y != 600)
        return Linear(f, x, y);
    double fy = f.H - q;
    if (x == 150)
        fy = f.H;
    else if (x == 450)
        fy = f.H - 2.0 * q;
    return FromOffsets(f, x * f.W / 600.0, fy);
}

// The two horizontal arrows: `right` 10, else 11.
POINT MapSideArrow(const Frame& f, int x, int y, bool right)
{
    int q = TruncToInt(f.p * f.W);
    int S = TruncToInt(0.15 * f.H);
    if (x == (right ? 600 : 0)) {
        double fx = right ? f.W - q : q;
        double step = (y == 150 || y == 450) ? q / 2 : (y == 300 ? q : 0);
        fx += right ? step : -step;
        return FromOffsets(f, fx, y * f.H / 600.0);
    }
    int d = (f.centred && x == 300) ? 0 : q;
    double fx = right ? (f.W - d) * x / 600.0 : d + (f.W - d) * x / 600.0;
    return {f.L + TruncToInt(fx), f.T + TruncToInt(0.7 * f.H * y / 600.0) + S};
}

// The two vertical arrows: `top` 12, else 13.
POINT MapUpDownArrow(const Frame& f, int x, int y, bool top)
{
    int q = TruncToInt(f.p * f.H);
    int S = TruncToInt(0.15 * f.W);
    if (y == (top ? 0 : 600)) {
        double fy = top ? q : f.H - q;
        double step = (x == 150 || x == 450) ? q / 2 : (x == 300 ? q : 0);
        fy += top ? -step : step;
        return FromOffsets(f, x * f.W / 600.0, fy);
    }
    int d = (f.centred && y == 300) ? 0 : q;
    double fy = top ? d + (f.H - d) * y / 600.0 : (f.H - d) * y / 600.0;
    return {f.L + TruncToInt(0.7 * f.W * x / 600.0) + S, f.T + TruncToInt(fy)};
}

POINT MapTriangle(const Frame& f, int x, int y, bool reverse)
{
    if (y == 0 || y == 600)
        return Linear(f, x, y);
    if (x == 300 && y == 300)
        return Centre(f);
    double h = std::sqrt(f.H * f.H + f.W * f.W / 4.0);
    double sy = 1.0;
    double sx = 1.0;
    if (h != 0.0) {
        sy = f.H / h;
        sx = f.W / (2.0 * h);
    }
    double e = y * h / 600.0;
    double fx = x < 300 ? sx * e : f.W - sx * e;
    double fy = reverse ? sy * e : f.H - sy * e;
    return FromOffsets(f, fx, fy);
}

POINT MapManualInput(const Frame& f, int x, int y)
{
    int q = TruncToInt(f.p * f.H);
    if (y == 0 && x != 600) {
        double h = std::sqrt(static_cast<double>(q) * q + f.W * f.W);
        double sy = 1.0;
        double sx = 1.0;
        if (h != 0.0) {
            sy = q / h;
            sx = f.W / h;
        }
        double e = x * h / 600.0;
        return FromOffsets(f, sx * e, q - sy * e);
    }
    if (x == 0 && y != 600) {
        int d = (f.centred && y == 300) ? 0 : q;
        return {f.L, f.T + TruncToInt((f.H - d) * y / 600.0) + d};
    }
    return Linear(f, x, y);
}

POINT MapTrapezoid(const Frame& f, int x, int y)
{
    int q = TruncToInt(f.p * f.W);
    if (y == 0)
        return {f.L + TruncToInt((f.W - 2.0 * q) * x / 600.0) + q, LinearY(f, y)};
    if (y == 600)
        return Linear(f, x, y);
    if (x == 0)
        return FromOffsets(f, (600 - y) * q / 600.0, y * f.H / 600.0);
    if (x == 300 && y == 300)
        return Centre(f);
    return {f.R - TruncToInt((600 - y) * q / 600.0), LinearY(f, y)};
}

POINT MapManualOperation(const Frame& f, int x, int y)
{
    int q = TruncToInt(f.p * f.W);
    if (y == 600)
        return {f.L + TruncToInt((f.W - 2.0 * q) * x / 600.0) + q, LinearY(f, y)};
    if (y == 0)
        return Linear(f, x, y);
    if (x == 0)
        return FromOffsets(f, y * q / 600.0, y * f.H / 600.0);
    if (x == 300 && y == 300)
        return Centre(f);
    return {f.R - TruncToInt(y * q / 600.0), LinearY(f, y)};
}

POINT MapOctagon(const Frame& f, int x, int y)
{
    int q = std::min(TruncToInt(f.p * f.W), TruncToInt(f.p * f.H));
    if (Edge(x) && Edge(y)) {
        double fx = x == 0 ? q / 2 : f.W - q / 2;
        double fy = y == 0 ? q / 2 : f.H - q / 2;
        return FromOffsets(f, fx, fy);
    }
    if (Edge(y)) {
        double fx = x == 300 ? f.W / 2.0 : (x == 150 ? q : f.W - q);
        return FromOffsets(f, fx, y == 0 ? 0.0 : f.H);
    }
    if (x == 300 && y == 300)
        return Centre(f);
    double g = y == 300 ? (f.H - 2.0 * q) * y / 600.0 : (y == 150 ? 0.0 : f.H - 2.0 * q);
    int X = x == 0 ? f.L : f.L + TruncToInt(f.W);
    return {X, f.T + q + TruncToInt(g)};
}

POINT MapOnlineStorage(const Frame& f, int x, int y)
{
    int q = TruncToInt(f.p * f.W);
    double V = f.W - q;
    double fy = y * f.H / 600.0;
    if (x == 300 && y == 300)
        return FromOffsets(f, V / 2.0, f.H / 2.0);
    if (Edge(y)) {
        double fx = (f.centred && x == 300) ? f.W / 2.0 : x * V / 600.0 + q;
        return FromOffsets(f, fx, fy);
    }
    if (x == 0)
        return FromOffsets(f, y == 300 ? 0 : f.insets.left / 2, fy);
    return FromOffsets(f, y == 300 ? V : V + f.insets.left / 2, fy);
}

POINT MapPreparation(const Frame& f, int x, int y)
{
    int q = TruncToInt(f.p * f.W);
    double V = f.W - 2.0 * q;
    double fx;
    if (x == 600 && !Edge(y))
        fx = y == 300 ? f.W : f.W - q / 2;
    else if (x == 0 && !Edge(y))
        fx = y == 300 ? 0 : q / 2;
    else
        fx = x * V / 600.0 + q;
    return FromOffsets(f, fx, y * f.H / 600.0);
}

POINT MapOffPage(const Frame& f, int x, int y)
{
    int q = TruncToInt(f.p * f.H);
    double V = f.H - q;
    double fy;
    if (y == 600 && !Edge(x))
        fy = x == 300 ? f.H : f.H - q / 2;
    else if (f.centred && y == 300)
        fy = f.H / 2.0;
    else
        fy = y * V / 600.0;
    return FromOffsets(f, x * f.W / 600.0, fy);
}

POINT MapPentagon(const Frame& f, int x, int y)
{
    int q = TruncToInt(f.p * f.W);
    double V = f.W - q;
    double fx;
    if (x == 0 && !Edge(y))
        fx = y == 300 ? 0 : q / 2;
    else if (f.centred && x == 300)
        fx = f.W / 2.0;
    else
        fx = x * V / 600.0 + q;
    return FromOffsets(f, fx, y * f.H / 600.0);
}

POINT MapDelay(const Frame& f, int x, int y)
{
    int q = TruncToInt(f.p * f.W);
    double V = f.W - q;
    double fx;
    if (x == 600 && !Edge(y))
        fx = y == 300 ? f.W : f.W - f.insets.right / 2;
    else if (f.centred && x == 300)
        fx = f.W / 2.0;
    else
        fx = x * V / 600.0;
    return FromOffsets(f, fx, y * f.H / 600.0);
}

POINT MapDisplay(const Frame& f, int x, int y)
{
    int q = TruncToInt(f.p * f.W);
    double V = f.W - 2.0 * q;
    double fx;
    if (x == 600 && !Edge(y))
        fx = y == 300 ? f.W : f.W - f.insets.right / 2;
    else if (x == 0 && !Edge(y))
        fx = y == 300 ? 0 : q / 2;
    else
        fx = x * V / 600.0 + q;
    return FromOffsets(f, fx, y * f.H / 600.0);
}

// Rounded rectangles and terminators: the corners move in to where the
// corner arc meets the diagonal (the text insets of these types).
POINT MapRoundedCorner(const Frame& f, int x, int y, int cornerCode)
{
    POINT point = Linear(f, x, y);
    switch (cornerCode) {
    case 0:
        point.x += f.insets.left;
        point.y += f.insets.top;
        break;
    case 4:
        point.x -= f.insets.right;
        point.y += f.insets.top;
        break;
    case 8:
        point.x -= f.insets.right;
        point.y -= f.insets.bottom;
        break;
    case 12:
        point.x += f.insets.left;
        point.y -= f.insets.bottom;
        break;
    default:
        break;
    }
    return point;
}

POINT MapOne(const Frame& f, int type, int x, int y, int cornerCode)
{
    switch (type) {
    case kShapeRoundRect:
    case kShapeTerminate:
        return MapRoundedCorner(f, x, y, cornerCode);
    case kShapeOval:
    case kShapeCircle:
        return MapOval(f, x, y);
    case kShapeInputOutput:
        return MapInputOutput(f, x, y);
    case kShapeDocument:
        return MapDocument(f, x, y);
    case kShapeRightArrow:
        return MapSideArrow(f, x, y, true);
    case kShapeLeftArrow:
        return MapSideArrow(f, x, y, false);
    case kShapeTopArrow:
        return MapUpDownArrow(f, x, y, true);
    case kShapeBottomArrow:
        return MapUpDownArrow(f, x, y, false);
    case kShapeTriangle:
        return MapTriangle(f, x, y, false);
    case kShapeReverseTriangle:
        return MapTriangle(f, x, y, true);
    case kShapeManualInput:
        return MapManualInput(f, x, y);
    case kShapeTrapezoid:
        return MapTrapezoid(f, x, y);
    case kShapeManualOperation:
        return MapManualOperation(f, x, y);
    case kShapeOctagon:
        return MapOctagon(f, x, y);
    case kShapeOnlineStorage:
        return MapOnlineStorage(f, x, y);
    case kShapePreparation:
        return MapPreparation(f, x, y);
    case kShapeOffPage:
        return MapOffPage(f, x, y);
    case kShapePentagon:
        return MapPentagon(f, x, y);
    case kShapeDelay:
        return MapDelay(f, x, y);
    case kShapeDisplay:
        return MapDisplay(f, x, y);
    default:
        // Rectangles, decisions, freeform outlines and unknown types.
        return Linear(f, x, y);
    }
}

// The mirror bits the mapping honours: the symmetric types never mirror, and
// the plain types only when the points are a library symbol's own.
unsigned WorkingMirrorBits(const DrawingObject* object)
{
    unsigned bits = object->optionFlags & (kOptionFlipH | kOptionFlipV);
    int type = object->shapeType;
    switch (type) {
    case kShapeRoundRect:
    case kShapeOval:
    case kShapeDecision:
    case kShapeTerminate:
    case kShapeCircle:
    case kShapeOctagon:
    case kShapePreparation:
        return 0;
    default:
        break;
    }
    if ((type < kShapeRoundRect || type > kShapeDisplay) && !(object->stateFlags & kStateSymbolConnectPoints))
        return 0;
    return bits;
}

} // namespace

int GetBoxPoints(int, int* count, RECT* rect)
{
    if (count && rect) {
        RECT box;
        SetRectFromPoints(&box, rect->left, rect->top, rect->right, rect->bottom);
        int midX = (box.right - box.left) / 2 + box.left;
        int midY = (box.bottom - box.top) / 2 + box.top;
        // The caller's rectangle has room for the eight points.
        POINT* points = reinterpret_cast<POINT*>(rect);
        points[0] = {box.left, box.top};
        points[1] = {box.right, box.top};
        points[2] = {box.left, box.bottom};
        points[3] = {box.right, box.bottom};
        points[4] = {midX, box.top};
        points[5] = {midX, box.bottom};
        points[6] = {box.left, midY};
        points[7] = {box.right, midY};
        *count = 8;
    }
    return 0x21;
}

int ShapesMayLink(const DrawingRecord* drawing)
{
    return drawing && (drawing->flags & kDrawingShapesLink) ? 1 : 0;
}

int GetBoxCornerCode(int x, int y)
{
    if (x == 0 && y == 0)
        return 0;
    if (x == 600 && y == 0)
        return 4;
    if (x == 600 && y == 600)
        return 8;
    if (x == 0 && y == 600)
        return 12;
    return 2;
}

void MapShapeBoxPoints(const DrawingRecord* drawing, void* table, int index, int code, int count, POINT* points)
{
    if (!points || count <= 0)
        return;
    const DrawingObject* object = KindObject(table, index);
    Frame f;
    f.L = object->frame.left;
    f.T = object->frame.top;
    f.R = object->frame.right;
    f.B = object->frame.bottom;
    f.W = static_cast<double>(f.R) - f.L;
    f.H = static_cast<double>(f.B) - f.T;
    f.p = object->adjust;
    f.centred = drawing && (drawing->flags & kDrawingCentredMiddle);
    f.insets = object->textInsets;
    for (int i = 0; i < count; ++i) {
        int x = points[i].x;
        int y = points[i].y;
        // A single point names its corner by position; in a list the index
        // is its place on the 16-point perimeter.
        int corner = count == 1 ? GetBoxCornerCode(x, y) : i;
        points[i] = MapOne(f, object->shapeType, x, y, corner);
    }
    unsigned mirror = WorkingMirrorBits(object);
    if (mirror && code <= 200)
        FlipPoints(&object->frame, mirror, points, count);
    if (object->rotation != 0)
        RotatePoints(&object->frame, object->rotation, points, count);
}
