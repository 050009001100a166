#include "lines/arrowheads.h"

#include <cmath>
#include <cstdlib>

#include "objects/geometry_math.h"

const int32_t ArrowheadWidthTable[3] = {12, 24, 36};
const int32_t ArrowheadLengthTable[3] = {42, 84, 126};

int ClampArrowSize(int size)
{
    return size < 0 ? 0 : (size > 2 ? 2 : size);
}

int32_t GetArrowheadExtent(uint32_t word, int size, int width)
{
    size = ClampArrowSize(size);
    int r = width + ArrowheadWidthTable[size] + 6;
    int across = r;
    int along = 0;
    switch (ArrowheadKindOf(word)) {
    case 4: case 5: case 6: case 7: case 9: case 16:
        along = r;
        break;
    case 8: case 12: case 13:
        across = width + ArrowheadLengthTable[size] + 6;
        break;
    default:
        break;
    }
    return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint16_t>(along)) << 16) |
                                static_cast<uint16_t>(across));
}

int GetArrowheadSetback(uint32_t word, int size, int w)
{
    size = ClampArrowSize(size);
    int L = ArrowheadLengthTable[size];
    int W = ArrowheadWidthTable[size];
    switch (ArrowheadKindOf(word)) {
    case 1: case 11: case 20: case 21:
        return (w + L) * 2 / 3;
    case 2: case 22:
        return w < 13 ? w : w / 2;
    case 3:
        return (w + L) / 3;
    case 4: case 5: case 6: case 7: case 16:
        return W;
    case 12: case 14:
        return 2 * W + L + 2 * w;
    case 23:
        return w / 4;
    case 8: case 9: case 13: case 15: case 17: case 18: case 19:
        return -1;
    default:
        return 0;
    }
}

int IsMiddleArrowhead(uint32_t word)
{
    int kind = ArrowheadKindOf(word);
    return kind >= 17 && kind <= 19 ? 1 : 0;
}

int RebuildArrowEnds(int32_t* startWord, int32_t* endWord)
{
    int ends = 0;
    if (ArrowheadKindOf(static_cast<uint32_t>(*startWord)) != 0)
        ends |= 2;
    else
        *startWord = 0;
    if (ArrowheadKindOf(static_cast<uint32_t>(*endWord)) != 0)
        ends |= 1;
    else
        *endWord = 0;
    return ends;
}

ArrowheadMeasures GetArrowheadMeasures(int size, int width)
{
    bool small = size < 0;
    int index = ClampArrowSize(std::abs(size));
    ArrowheadMeasures m;
    m.J = ArrowheadWidthTable[index] + width;
    m.K = ArrowheadWidthTable[index] + width / 2;
    m.L = ArrowheadLengthTable[index] + width;
    if (small) {
        m.J /= 6;
        m.K /= 6;
        m.L /= 6;
    }
    return m;
}

namespace {

// One marker: its tip and the frame that turns distances along the line into
// points. `sign` is +1 for the first point's marker, -1 for the second's.
struct Marker {
    POINT T;
    double Q;
    int sign;

    POINT At(double r, double phi) const
    {
        POINT p;
        p.x = T.x - sign * TruncToInt(r * std::cos(Q + phi));
        p.y = T.y + sign * TruncToInt(r * std::sin(Q + phi));
        return p;
    }
};

POINT Add(POINT a, POINT b) { return {a.x + b.x, a.y + b.y}; }
POINT Sub(POINT a, POINT b) { return {a.x - b.x, a.y - b.y}; }

double SafeAsin(double ratio)
{
    // A pen wider than the head leaves no real angle: the wings stand square.
    if (ratio > 1.0)
        ratio = 1.0;
    if (ratio < -1.0)
        ratio = -1.0;
    return std::asin(ratio);
}

void Stroke(HDC dc, POINT a, POINT b)
{
    MoveToEx(dc, a.x, a.y, nullptr);
    LineTo(dc, b.x, b.y);
}

void Circle(HDC dc, POINT c, int r)
{
    Ellipse(dc, c.x - r, c.y - r, c.x + r, c.y + r);
}

void Filled(HDC dc, const POINT* points, int count, HBRUSH brush, HPEN pen)
{
    SelectObject(dc, brush);
    SelectObject(dc, pen);
    SetPolyFillMode(dc, ALTERNATE);
    Polygon(dc, points, count);
}

struct Wings {
    POINT plus;
    POINT minus;
};

// O+ and O- of a head of length r and half-angle h; on axis-parallel
// segments the tines end exactly on the perpendicular at r.
Wings WingOffsets(const Marker& m, double r, double h, bool horizontal, bool vertical)
{
    Wings w = {Sub(m.At(r, h), m.T), Sub(m.At(r, -h), m.T)};
    POINT along = Sub(m.At(r, 0), m.T);
    if (horizontal) {
        w.plus.x = along.x;
        w.minus.x = along.x;
    } else if (vertical) {
        w.plus.y = along.y;
        w.minus.y = along.y;
    }
    return w;
}

void Bar(HDC dc, POINT centre, double Q, int J)
{
    POINT d = {TruncToInt(J * std::sin(Q)), TruncToInt(J * std::cos(Q))};
    Stroke(dc, Add(centre, d), Sub(centre, d));
}

void DrawOne(HDC dc, int kind, bool enabled, const Marker& m, const ArrowheadMeasures& d, bool horizontal,
             bool vertical, HBRUSH brush, HPEN outlinePen, HPEN strokePen)
{
    const int J = d.J;
    const int K = d.K;
    const int L = d.L;
    const double H = SafeAsin(L > 0 ? static_cast<double>(J) / L : 1.0);
    HBRUSH hollow = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    switch (kind) {
    case 1: case 17: case 20: case 21: {
        if (!enabled)
            return;
        POINT head[3] = {m.T, m.At(L, H), m.At(L, -H)};
        Filled(dc, head, 3, brush, outlinePen);
        if (kind == 20) {
            Marker second = m;
            second.T = m.At(L, 0);
            POINT again[3] = {second.T, second.At(L, H), second.At(L, -H)};
            Polygon(dc, again, 3);
        } else if (kind == 21) {
            SelectObject(dc, strokePen);
            Bar(dc, m.T, m.Q, J);
        }
        return;
    }
    case 2: case 18: case 22:
        SelectObject(dc, strokePen);
        Stroke(dc, m.T, m.At(L, H));
        Stroke(dc, m.T, m.At(L, -H));
        if (kind == 22)
            Bar(dc, m.T, m.Q, J);
        return;
    case 3: case 19: {
        POINT head[4] = {m.T, m.At(L, H), m.At(L / 2, 0), m.At(L, -H)};
        SelectObject(dc, brush);
        SelectObject(dc, outlinePen);
        Polygon(dc, head, 4);
        return;
    }
    case 4: case 5: case 16:
        SelectObject(dc, strokePen);
        SelectObject(dc, kind == 4 ? brush : hollow);
        Circle(dc, m.T, K);
        if (kind == 16)
            Bar(dc, m.At(2 * J, 0), m.Q, J);
        return;
    case 6: case 7:
        SelectObject(dc, strokePen);
        SelectObject(dc, kind == 6 ? brush : hollow);
        Rectangle(dc, m.T.x - K, m.T.y - K, m.T.x + K, m.T.y + K);
        return;
    case 8: case 12: case 13: {
        SelectObject(dc, strokePen);
        Wings w = WingOffsets(m, L, H, horizontal, vertical);
        POINT B = m.At(L, 0);
        Stroke(dc, B, Sub(B, w.plus));
        Stroke(dc, B, Sub(B, w.minus));
        if (kind == 12) {
            Stroke(dc, B, m.T);
            SelectObject(dc, hollow);
            Circle(dc, m.At(L + K, 0), K);
        } else if (kind == 13) {
            POINT X = m.At(K, 0);
            Stroke(dc, Add(X, w.plus), Add(X, w.minus));
        }
        return;
    }
    case 9: {
        SelectObject(dc, strokePen);
        double a1 = std::asin(0.707106) + 1.5707963;
        double a2 = -std::asin(0.707106);
        Stroke(dc, m.At(J, a1), m.At(J, a2));
        return;
    }
    case 10: {
        Wings w = WingOffsets(m, L, H, horizontal, vertical);
        POINT B = m.At(L, 0);
        POINT head[3] = {B, Sub(B, w.plus), Sub(B, w.minus)};
        Filled(dc, head, 3, brush, outlinePen);
        return;
    }
    case 11: {
        POINT head[4] = {m.T, m.At(L, H), m.At(2 * L, 0), m.At(L, -H)};
        Filled(dc, head, 4, brush, outlinePen);
        return;
    }
    case 14: {
        SelectObject(dc, strokePen);
        int P2 = L / 2;
        double H2 = SafeAsin(P2 > 0 ? static_cast<double>(J) / P2 : 1.0);
        Wings w = WingOffsets(m, P2, H2, horizontal, vertical);
        Stroke(dc, Add(m.T, w.plus), Add(m.T, w.minus));
        POINT half = Sub(m.At(P2, 0), m.T);
        POINT Y = {m.T.x + 2 * half.x, m.T.y + 2 * half.y};
        Stroke(dc, Y, m.T);
        SelectObject(dc, hollow);
        Circle(dc, Add(Y, Sub(m.At(K, 0), m.T)), K);
        return;
    }
    case 15: {
        SelectObject(dc, strokePen);
        Wings w = WingOffsets(m, L, H, horizontal, vertical);
        Stroke(dc, Add(m.T, w.plus), Add(m.T, w.minus));
        POINT X = m.At(K, 0);
        Stroke(dc, Add(X, w.plus), Add(X, w.minus));
        return;
    }
    case 23:
        SelectObject(dc, strokePen);
        Bar(dc, m.T, m.Q, J);
        return;
    default:
        return;
    }
}

} // namespace

void DrawArrowheads(HDC dc, int ends, uint32_t firstWord, uint32_t secondWord, int width, int size, int,
                    int x1, int y1, int x2, int y2, HBRUSH brush, HPEN outlinePen, HPEN strokePen)
{
    ArrowheadMeasures d = GetArrowheadMeasures(size, width);
    int firstKind = ArrowheadKindOf(firstWord);
    int secondKind = ArrowheadKindOf(secondWord);
    bool firstMiddle = IsMiddleArrowhead(firstWord) != 0;
    bool secondMiddle = IsMiddleArrowhead(secondWord) != 0;
    bool horizontal = y1 == y2;
    bool vertical = x1 == x2;
    double Q = std::atan2(static_cast<double>(y2 - y1), static_cast<double>(x1 - x2));
    double length = std::sqrt(static_cast<double>(x2 - x1) * (x2 - x1) + static_cast<double>(y2 - y1) * (y2 - y1));
    POINT middle = {x1 + (x2 - x1) / 2, y1 + (y2 - y1) / 2};

    Marker first = {{x1, y1}, Q, 1};
    Marker second = {{x2, y2}, Q, -1};
    // A lone middle marker is centred on the middle: its tip moves half a head
    // toward its own end.
    auto towardEnd = [&](POINT end, POINT other) {
        POINT tip = middle;
        if (length > 0.0) {
            int shift = d.L / 2;
            tip.x += TruncToInt(shift * (end.x - other.x) / length);
            tip.y += TruncToInt(shift * (end.y - other.y) / length);
        }
        return tip;
    };
    if (firstMiddle)
        first.T = secondMiddle ? middle : towardEnd({x1, y1}, {x2, y2});
    if (secondMiddle)
        second.T = firstMiddle ? middle : towardEnd({x2, y2}, {x1, y1});

    if (brush)
        SelectObject(dc, brush);
    if (firstKind > 0 && firstKind <= kMaxArrowheadKind)
        DrawOne(dc, firstKind, (ends & 2) != 0, first, d, horizontal, vertical, brush, outlinePen, strokePen);
    if (brush)
        SelectObject(dc, brush);
    if (secondKind > 0 && secondKind <= kMaxArrowheadKind)
        DrawOne(dc, secondKind, (ends & 1) != 0, second, d, horizontal, vertical, brush, outlinePen, strokePen);
}

void DrawDashedWideLine(HDC dc, int width, int style, int x1, int y1, int x2, int y2)
{
    int dash;
    int gap;
    if (style == 2) {
        dash = 3 * width;
        gap = 3 * width;
    } else if (style == 3) {
        dash = 15 * width;
        gap = 3 * width;
    } else {
        return;
    }
    if (dash <= 0)
        dash = 1;
    if (gap <= 0)
        gap = 1;
    if (x1 == x2 || y1 == y2) {
        bool vertical = x1 == x2 && y1 != y2;
        int from = vertical ? (y1 < y2 ? y1 : y2) : (x1 < x2 ? x1 : x2);
        int to = vertical ? (y1 < y2 ? y2 : y1) : (x1 < x2 ? x2 : x1);
        for (int s = from; s < to; s += dash + gap) {
            int end = s + dash < to ? s + dash : to;
            int saved = SaveDC(dc);
            if (vertical) {
                IntersectClipRect(dc, x1 - 32000, s - 1, x1 + 32000, end + 1);
                MoveToEx(dc, x1, s, nullptr);
                LineTo(dc, x1, end);
            } else {
                IntersectClipRect(dc, s - 1, y1 - 32000, end + 1, y1 + 32000);
                MoveToEx(dc, s, y1, nullptr);
                LineTo(dc, end, y1);
            }
            RestoreDC(dc, saved);
            if (end >= to)
                break;
        }
        return;
    }
    double dx = static_cast<double>(x2) - x1;
    double dy = static_cast<double>(y2) - y1;
    double D = std::sqrt(dx * dx + dy * dy);
    int whole = TruncToInt(D);
    for (int s = 0; s < whole; s += dash + gap) {
        double e = s + dash < D ? s + dash : D;
        MoveToEx(dc, x1 + TruncToInt(dx * s / D), y1 + TruncToInt(dy * s / D), nullptr);
        LineTo(dc, x1 + TruncToInt(dx * e / D), y1 + TruncToInt(dy * e / D));
    }
}
