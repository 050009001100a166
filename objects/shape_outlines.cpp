#include "objects/shape_outlines.h"

#include <algorithm>
#include <initializer_list>

#include "objects/freeform_outline.h"
#include "objects/geometry_math.h"

namespace {

// Points on each quarter ellipse of a rounded corner or a storage end, and on each half of an
// oval or a rounded end.
const int kCornerArcPoints = 20;
const int kHalfEllipsePoints = 40;

// The rectangle being built in (L, T, R, B) and the frame giving the proportions.
struct OutlineBox {
    int L, T, R, B, W, H;
    int FL, FT, FR, FB, FW, FH;
};

class PointWriter {
public:
    explicit PointWriter(POINT* points) : points_(points) {}
    void Add(int x, int y)
    {
        points_[count_].x = x;
        points_[count_].y = y;
        ++count_;
    }
    void Arc(int n, int l, int t, int r, int b, int lowClamp, int highClamp, int startOffset, int endOffset,
             int fromRight)
    {
        RECT rect = {l, t, r, b};
        count_ += BuildEllipseArc(points_ + count_, n, &rect, lowClamp, highClamp, startOffset, endOffset,
                                  fromRight);
    }
    // Repeats point 0 to close the outline.
    void Close() { Add(points_[0].x, points_[0].y); }
    POINT* At(int index) { return points_ + index; }
    int Count() const { return count_; }

private:
    POINT* points_;
    int count_ = 0;
};

// An offset taken from the frame, scaled by the rectangle's extent over the
// frame's. The product comes first so that an unscaled offset stays exact.
int ScaleOffset(int offset, int extent, int frameExtent)
{
    return TruncToInt(static_cast<double>(extent) * offset / frameExtent);
}

void BuildRoundedCorners(PointWriter& out, const OutlineBox& b, int k)
{
    out.Arc(kCornerArcPoints, b.L, b.T, b.L + k, b.T + 2 * k, 0, 0, 0, k, 1);
    out.Arc(kCornerArcPoints, b.L, b.B - 2 * k, b.L + k, b.B, 0, 0, k, 0, 1);
    out.Arc(kCornerArcPoints, b.R - k, b.B, b.R, b.B - 2 * k, 0, 0, 0, -k, 0);
    out.Arc(kCornerArcPoints, b.R - k, b.T + 2 * k, b.R, b.T, 0, 0, -k, 0, 0);
    out.Close();
}

void BuildDocumentWave(PointWriter& out, const OutlineBox& b, double p)
{
    int m = b.FB - b.B;
    int a = TruncToInt(p * b.FH) - m / 2;
    double q = b.W / 4.0;
    double step = 2.0 * q / 20.0;
    out.Add(b.L, b.B - a);
    out.Add(b.L, b.T);
    out.Add(b.R, b.T);
    out.Add(b.R, b.B - a - m);
    for (int k = 1; k <= 20; ++k) {
        double ratio = q != 0.0 ? (q - k * step) / q : 0.0;
        out.Add(b.R - TruncToInt(k * step), b.B - a - m - TruncToInt(a * RootOrZero(1.0 - ratio * ratio)));
    }
    for (int k = 1; k <= 20; ++k) {
        double ratio = q != 0.0 ? (q - k * step) / q : 0.0;
        out.Add(b.R - TruncToInt(2.0 * q + k * step), TruncToInt(a * RootOrZero(1.0 - ratio * ratio)) + b.B - a);
    }
    out.Add(b.L, b.B - a);
}

// Right and left arrows (10, 11).
void BuildHorizontalArrow(PointWriter& out, const OutlineBox& b, double p, int ex, bool right)
{
    int s = TruncToInt(p * b.FW);
    int k = TruncToInt(b.FH * 0.15);
    int u = ex != 0 ? ex : b.T - b.FT;
    int v = ex != 0 ? ex : b.FB - b.B;
    int top = b.FT + u + k;
    int bottom = b.FB - k - v;
    if (right) {
        int x = b.L + b.FW - s;
        out.Add(b.L, top);
        out.Add(x, top);
        out.Add(x, b.T);
        out.Add(b.R, b.T + b.H / 2);
        out.Add(x, b.B);
        out.Add(x, bottom);
        out.Add(b.L, bottom);
        out.Add(b.L, top);
    } else {
        int x = b.R + s - b.FW;
        out.Add(b.L, b.T + b.H / 2);
        out.Add(x, b.T);
        out.Add(x, top);
        out.Add(b.R, top);
        out.Add(b.R, bottom);
        out.Add(x, bottom);
        out.Add(x, b.B);
        out.Add(b.L, b.T + b.H / 2);
    }
}

// Top and bottom arrows (12, 13).
void BuildVerticalArrow(PointWriter& out, const OutlineBox& b, double p, int ex, bool up)
{
    int s = TruncToInt(p * b.FH);
    int k = TruncToInt(b.FW * 0.15);
    int u = ex != 0 ? ex : b.L - b.FL;
    int v = ex != 0 ? ex : b.FR - b.R;
    int left = b.FL + u + k;
    int right = b.FR - k - v;
    if (up) {
        int y = b.B + s - b.FH;
        out.Add(b.L + b.W / 2, b.T);
        out.Add(b.L, y);
        out.Add(left, y);
        out.Add(left, b.B);
        out.Add(right, b.B);
        out.Add(right, y);
        out.Add(b.R, y);
        out.Add(b.L + b.W / 2, b.T);
    } else {
        int y = b.T + b.FH - s;
        out.Add(left, b.T);
        out.Add(left, y);
        out.Add(b.L, y);
        out.Add(b.L + b.W / 2, b.B);
        out.Add(b.R, y);
        out.Add(right, y);
        out.Add(right, b.T);
        out.Add(left, b.T);
    }
}

// The slant of types 5, 17 and 18: taken from the frame's width, kept at the
// frame's slope.
int FrameSlant(const OutlineBox& b, double p)
{
    int s = TruncToInt(p * b.FW);
    if (b.FH != 0)
        s = ScaleOffset(s, b.H, b.FH);
    return s;
}

// The point depth of types 21, 23 and 25: scaled by half heights.
int HalfHeightSlant(const OutlineBox& b, int s)
{
    if (b.FH / 2 != 0)
        s = ScaleOffset(s, b.H / 2, b.FH / 2);
    return s;
}

void BuildOnlineStorage(PointWriter& out, const OutlineBox& b, double p, int ex)
{
    int s = TruncToInt(p * b.FW);
    out.Add(b.L + s, b.B);
    POINT left[20];
    RECT arc = {b.L, b.T, b.L + s, b.B};
    BuildEllipseArc(left, 20, &arc, 0, 0, 0, 0, 1);
    for (int i = 19; i >= 0; --i)
        out.Add(left[i].x, left[i].y);
    out.Add(b.L + s, b.T);
    out.Add(b.R, b.T);
    if (b.FB == b.B)
        out.Arc(kCornerArcPoints, b.FR - s, b.FT + ex, b.FR, b.FB - ex, 0, 0, 0, 0, 1);
    else
        out.Arc(kCornerArcPoints, b.FR - s - ex, b.FT, b.FR - ex, b.FB, ex, ex, 0, 0, 1);
    out.Add(b.R, b.FB == b.B ? b.B - ex : b.B);
    out.Add(b.R, b.B);
    out.Add(b.L + s, b.B);
}

} // namespace

int IsRingOutlineType(int shapeType)
{
    return shapeType == 5 || shapeType == 6 || shapeType == 7 || (shapeType >= 10 && shapeType <= 25);
}

int BuildEllipseArc(POINT* points, int n, const RECT* rect, int lowClamp, int highClamp, int startOffset,
                    int endOffset, int fromRight)
{
    double e = static_cast<double>((rect->bottom - rect->top) / 2);
    double w = static_cast<double>(rect->right - rect->left);
    double step = n > 1 ? (2.0 * e - startOffset - endOffset) / (n - 1) : 0.0;
    double q = 0.0;
    for (int i = 0; i < n; ++i) {
        double y = i * step + startOffset;
        if (lowClamp != 0 && lowClamp > y)
            y = lowClamp;
        double o = e - y;
        if (highClamp != 0 && o - highClamp < -e)
            o = highClamp - e;
        points[i].y = TruncToInt(e - o) + rect->top;
        if (e != 0.0)
            q = o / e;
        else
            w = 0.0;
        int d = TruncToInt(RootOrZero(1.0 - q * q) * w);
        points[i].x = fromRight ? rect->right - d : rect->left + d;
    }
    return n;
}

namespace {

OutlineBox BoxOf(const RECT* rect, const RECT* frame)
{
    OutlineBox b;
    b.L = rect->left;
    b.T = rect->top;
    b.R = rect->right;
    b.B = rect->bottom;
    b.W = b.R - b.L;
    b.H = b.B - b.T;
    b.FL = frame->left;
    b.FT = frame->top;
    b.FR = frame->right;
    b.FB = frame->bottom;
    b.FW = b.FR - b.FL;
    b.FH = b.FB - b.FT;
    return b;
}

// The corners and then the side midpoints, for the box-point list.
void BuildBoxPoints(PointWriter& out, const OutlineBox& b)
{
    out.Add(b.L, b.T);
    out.Add(b.R, b.T);
    out.Add(b.R, b.B);
    out.Add(b.L, b.B);
    out.Add(b.L + b.W / 2, b.T);
    out.Add(b.R, b.T + b.H / 2);
    out.Add(b.L + b.W / 2, b.B);
    out.Add(b.L, b.T + b.H / 2);
}

void BuildOval(PointWriter& out, const OutlineBox& b)
{
    out.Arc(kHalfEllipsePoints, b.L, b.T, b.L + b.W / 2, b.B, 0, 0, 0, 0, 1);
    out.Arc(kHalfEllipsePoints, b.R - b.W / 2, b.B, b.R, b.T, 0, 0, 0, 0, 0);
}

// A closed polygon through the given corners.
void AddClosed(PointWriter& out, std::initializer_list<POINT> corners)
{
    for (const POINT& c : corners)
        out.Add(c.x, c.y);
    out.Close();
}

// The four-sided figures: a rectangle, a diamond or a quadrilateral slanted
// by the shape's parameter. False for any other type.
bool BuildQuadrilateral(PointWriter& out, const OutlineBox& b, double p, int shapeType)
{
    const int midX = b.L + b.W / 2;
    const int midY = b.T + b.H / 2;
    switch (shapeType) {
    case kShapeRectangle:
        AddClosed(out, {{b.L, b.T}, {b.R, b.T}, {b.R, b.B}, {b.L, b.B}});
        return true;
    case kShapeInputOutput: {
        int s = FrameSlant(b, p);
        AddClosed(out, {{b.L + s, b.T}, {b.R, b.T}, {b.R - s, b.B}, {b.L, b.B}});
        return true;
    }
    case kShapeDecision:
        AddClosed(out, {{midX, b.T}, {b.R, midY}, {midX, b.B}, {b.L, midY}});
        return true;
    case kShapeManualInput: {
        int d = TruncToInt(p * b.FH);
        AddClosed(out, {{b.L, b.T + d}, {b.R, b.T}, {b.R, b.B}, {b.L, b.B}});
        return true;
    }
    case kShapeTrapezoid: {
        int s = FrameSlant(b, p);
        AddClosed(out, {{b.L + s, b.T}, {b.R - s, b.T}, {b.R, b.B}, {b.L, b.B}});
        return true;
    }
    case kShapeManualOperation: {
        int s = FrameSlant(b, p);
        AddClosed(out, {{b.L, b.T}, {b.R, b.T}, {b.R - s, b.B}, {b.L + s, b.B}});
        return true;
    }
    default:
        return false;
    }
}

void BuildTriangle(PointWriter& out, const OutlineBox& b, bool pointingUp)
{
    if (pointingUp)
        AddClosed(out, {{b.L + b.W / 2, b.T}, {b.R, b.B}, {b.L, b.B}});
    else
        AddClosed(out, {{b.L, b.T}, {b.R, b.T}, {b.L + b.W / 2, b.B}});
}

void BuildOctagon(PointWriter& out, const OutlineBox& b, double p)
{
    int s = std::min(TruncToInt(p * b.FW), TruncToInt(p * b.FH));
    if (b.FH != 0)
        s = ScaleOffset(s, b.H, b.FH);
    AddClosed(out, {{b.L + s, b.T}, {b.R - s, b.T}, {b.R, b.T + s}, {b.R, b.B - s}, {b.R - s, b.B}, {b.L + s, b.B},
                    {b.L, b.B - s}, {b.L, b.T + s}});
}

void BuildPreparation(PointWriter& out, const OutlineBox& b, double p)
{
    int s = HalfHeightSlant(b, TruncToInt(p * b.FW));
    int mid = (b.FT + b.FB) / 2;
    AddClosed(out, {{b.L + s, b.T}, {b.R - s, b.T}, {b.R, mid}, {b.R - s, b.B}, {b.L + s, b.B}, {b.L, mid}});
}

void BuildOffPage(PointWriter& out, const OutlineBox& b, double p)
{
    int d = TruncToInt(p * b.FH);
    if (b.FW / 2 != 0)
        d = ScaleOffset(d, b.W / 2, b.FW / 2);
    AddClosed(out, {{b.L, b.B - d}, {b.L, b.T}, {b.R, b.T}, {b.R, b.B - d}, {(b.FL + b.FR) / 2, b.B}});
}

void BuildPentagon(PointWriter& out, const OutlineBox& b, double p)
{
    int s = HalfHeightSlant(b, TruncToInt(p * b.FW));
    AddClosed(out, {{b.L + s, b.T}, {b.R, b.T}, {b.R, b.B}, {b.L + s, b.B}, {b.L, (b.FT + b.FB) / 2}});
}

// The delay and display shapes end in a half ellipse on the right; the
// display's left side is a point.
void BuildRoundedEnd(PointWriter& out, const OutlineBox& b, double p, bool pointedLeft)
{
    int s = TruncToInt(p * b.FW);
    int k = 0;
    if (pointedLeft) {
        k = TruncToInt(p * b.W);
        if (b.FH / 2 != 0)
            k = ScaleOffset(s, b.H / 2, b.FH / 2);
        out.Add(b.L + k, b.B);
        out.Add(b.L, (b.FT + b.FB) / 2);
        out.Add(b.L + k, b.T);
    } else {
        out.Add(b.L, b.B);
        out.Add(b.L, b.T);
    }
    out.Add(b.R - s, b.T);
    out.Arc(kHalfEllipsePoints, b.R - s, b.T, b.R, b.B, 0, 0, 0, 0, 0);
    out.Add(b.R - s, b.B);
    out.Add(b.L + k, b.B);
}

} // namespace

void BuildShapeOutline(const RECT* rect, const RECT* frame, double p, int shapeType, int ex, HGLOBAL freeform,
                       POINT* points, int* count)
{
    if (shapeType == kShapeFreeform) {
        BuildFreeformPoints(rect, freeform, points, count);
        return;
    }
    const OutlineBox b = BoxOf(rect, frame);
    PointWriter out(points);
    if (BuildQuadrilateral(out, b, p, shapeType)) {
        *count = out.Count();
        return;
    }
    switch (shapeType) {
    case kShapeBoxPoints:
        BuildBoxPoints(out, b);
        break;
    case kShapeRoundRect:
        BuildRoundedCorners(out, b, TruncToInt(p * std::min(b.W, b.H)));
        break;
    case kShapeTerminate:
        // Half the shorter side: a terminator narrower than it is high would
        // otherwise curve out of its own frame.
        BuildRoundedCorners(out, b, std::min(b.W, b.H) / 2);
        break;
    case kShapeOval:
    case kShapeCircle:
        BuildOval(out, b);
        break;
    case kShapeDocument:
        BuildDocumentWave(out, b, p);
        break;
    case kShapeRightArrow:
    case kShapeLeftArrow:
        BuildHorizontalArrow(out, b, p, ex, shapeType == kShapeRightArrow);
        break;
    case kShapeTopArrow:
    case kShapeBottomArrow:
        BuildVerticalArrow(out, b, p, ex, shapeType == kShapeTopArrow);
        break;
    case kShapeTriangle:
    case kShapeReverseTriangle:
        BuildTriangle(out, b, shapeType == kShapeTriangle);
        break;
    case kShapeOctagon:
        BuildOctagon(out, b, p);
        break;
    case kShapeOnlineStorage:
        BuildOnlineStorage(out, b, p, ex);
        break;
    case kShapePreparation:
        BuildPreparation(out, b, p);
        break;
    case kShapeOffPage:
        BuildOffPage(out, b, p);
        break;
    case kShapePentagon:
        BuildPentagon(out, b, p);
        break;
    case kShapeDelay:
    case kShapeDisplay:
        BuildRoundedEnd(out, b, p, shapeType == kShapeDisplay);
        break;
    default:
        break;
    }
    *count = out.Count();
}
