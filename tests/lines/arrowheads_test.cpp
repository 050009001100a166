// Arrowheads: measures, set-backs and reach, the figures drawn (read back as
// path points) and dashed wide segments.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "lines/arrowheads.h"

namespace {

class PathDC {
public:
    PathDC()
    {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(GetDC(nullptr), 400, 400);
        old_ = SelectObject(dc_, bitmap_);
        brush_ = CreateSolidBrush(RGB(0, 0, 0));
        pen_ = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    }
    ~PathDC()
    {
        SelectObject(dc_, old_);
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        SelectObject(dc_, GetStockObject(WHITE_BRUSH));
        DeleteObject(bitmap_);
        DeleteObject(brush_);
        DeleteObject(pen_);
        DeleteDC(dc_);
    }
    // The points of the path the drawing makes.
    template <typename Draw>
    std::vector<POINT> Trace(Draw draw)
    {
        BeginPath(dc_);
        draw(dc_);
        EndPath(dc_);
        int n = GetPath(dc_, nullptr, nullptr, 0);
        std::vector<POINT> points(n > 0 ? n : 0);
        std::vector<BYTE> types(points.size());
        if (n > 0)
            GetPath(dc_, points.data(), types.data(), n);
        AbortPath(dc_);
        return points;
    }
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    HBRUSH brush_;
    HPEN pen_;
};

bool Has(const std::vector<POINT>& points, POINT p)
{
    return std::any_of(points.begin(), points.end(), [&](POINT q) { return q.x == p.x && q.y == p.y; });
}

TEST(Arrowheads, SetbacksAndReach)
{
    EXPECT_EQ(64, GetArrowheadSetback(1, 1, 12));
    EXPECT_EQ(12, GetArrowheadSetback(2, 1, 12));
    EXPECT_EQ(6, GetArrowheadSetback(22, 1, 13));
    EXPECT_EQ((84 + 12) / 3, GetArrowheadSetback(3, 1, 12));
    EXPECT_EQ(24, GetArrowheadSetback(5, 1, 12));
    EXPECT_EQ(2 * 24 + 84 + 24, GetArrowheadSetback(12, 1, 12));
    EXPECT_EQ(3, GetArrowheadSetback(23, 1, 12));
    EXPECT_EQ(-1, GetArrowheadSetback(18, 1, 12));
    EXPECT_EQ(0, GetArrowheadSetback(0x100, 1, 12));
    EXPECT_EQ(0, GetArrowheadSetback(30, 1, 12));
    // A size from a record beyond the tables reads the largest entry.
    EXPECT_EQ(GetArrowheadSetback(1, 2, 12), GetArrowheadSetback(1, 7, 12));

    int32_t circle = GetArrowheadExtent(5, 2, 10);
    EXPECT_EQ(52, ExtentAcross(circle));
    EXPECT_EQ(52, ExtentAlong(circle));
    int32_t fork = GetArrowheadExtent(8, 1, 10);
    EXPECT_EQ(10 + 84 + 6, ExtentAcross(fork));
    EXPECT_EQ(0, ExtentAlong(fork));
    EXPECT_EQ(1, IsMiddleArrowhead(0x112));
    EXPECT_EQ(0, IsMiddleArrowhead(20));
}

TEST(Arrowheads, SmallSampleMeasures)
{
    ArrowheadMeasures m = GetArrowheadMeasures(-1, 1);
    EXPECT_EQ(4, m.J);
    EXPECT_EQ(4, m.K);
    EXPECT_EQ(14, m.L);
}

TEST(Arrowheads, FilledTriangleNeedsItsEndBit)
{
    PathDC p;
    auto start = p.Trace([&](HDC dc) {
        DrawArrowheads(dc, 1, 1, 0, 1, 1, 0, 100, 100, 300, 100, p.brush_, p.pen_, p.pen_);
    });
    EXPECT_TRUE(start.empty());
    auto circle = p.Trace([&](HDC dc) {
        DrawArrowheads(dc, 1, 5, 0, 1, 1, 0, 100, 100, 300, 100, p.brush_, p.pen_, p.pen_);
    });
    EXPECT_FALSE(circle.empty());
    auto end = p.Trace([&](HDC dc) {
        DrawArrowheads(dc, 1, 0, 1, 1, 1, 0, 100, 100, 300, 100, p.brush_, p.pen_, p.pen_);
    });
    // Tip at the end, wings L = 85 back and J = 25 off the line.
    EXPECT_TRUE(Has(end, {300, 100}));
    EXPECT_TRUE(Has(end, {300 - 81, 100 - 25}) || Has(end, {300 - 81, 100 + 25}));
}

TEST(Arrowheads, ForkOnAHorizontalLineReachesThePerpendicular)
{
    PathDC p;
    auto fork = p.Trace([&](HDC dc) {
        DrawArrowheads(dc, 3, 8, 0, 1, 1, 0, 100, 100, 300, 100, p.brush_, p.pen_, p.pen_);
    });
    // From the base 85 along the line back to the tip's vertical.
    EXPECT_TRUE(Has(fork, {185, 100}));
    int atTip = 0;
    for (POINT q : fork)
        if (q.x == 100 && q.y != 100)
            ++atTip;
    EXPECT_EQ(2, atTip);
}

TEST(Arrowheads, MiddleMarkersMeetOrCentre)
{
    PathDC p;
    auto both = p.Trace([&](HDC dc) {
        DrawArrowheads(dc, 3, 18, 18, 1, 1, 0, 100, 100, 300, 100, p.brush_, p.pen_, p.pen_);
    });
    EXPECT_TRUE(Has(both, {200, 100}));
    auto one = p.Trace([&](HDC dc) {
        DrawArrowheads(dc, 2, 18, 0, 1, 1, 0, 100, 100, 300, 100, p.brush_, p.pen_, p.pen_);
    });
    // Centred on the middle: the tip half a head toward the start.
    EXPECT_TRUE(Has(one, {200 - 42, 100}));
    EXPECT_FALSE(Has(one, {200, 100}));
}

TEST(Arrowheads, SquaresStayUpright)
{
    PathDC p;
    auto square = p.Trace([&](HDC dc) {
        DrawArrowheads(dc, 2, 6, 0, 1, 1, 0, 100, 100, 300, 250, p.brush_, p.pen_, p.pen_);
    });
    EXPECT_TRUE(Has(square, {100 - 24, 100 - 24}));
}

TEST(Arrowheads, EveryKindDrawsOnEveryDirection)
{
    PathDC p;
    for (int kind = 1; kind <= 23; ++kind) {
        for (int size = 0; size < 3; ++size) {
            auto points = p.Trace([&](HDC dc) {
                DrawArrowheads(dc, 3, kind, kind, 4, size, 0, 50, 60, 350, 300, p.brush_, p.pen_, p.pen_);
            });
            EXPECT_FALSE(points.empty()) << kind << " " << size;
        }
    }
    auto none = p.Trace([&](HDC dc) {
        DrawArrowheads(dc, 3, 24, 0, 4, 1, 0, 50, 60, 350, 300, p.brush_, p.pen_, p.pen_);
    });
    EXPECT_TRUE(none.empty());
}

TEST(Arrowheads, DashedWideLines)
{
    // A vertical dotted line of width 10 from 0 to 130: dashes 0..30, 60..90
    // and 120..130, each clipped to its own length.
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 40;
    info.bmiHeader.biHeight = -200;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 40, 200};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HPEN pen = CreatePen(PS_SOLID, 5, RGB(0, 0, 0));
    SelectObject(dc, pen);
    DrawDashedWideLine(dc, 10, 2, 20, 10, 20, 140);
    GdiFlush();
    auto black = [&](int y) { return (static_cast<uint32_t*>(bits)[y * 40 + 20] & 0xFFFFFF) == 0; };
    EXPECT_TRUE(black(10));
    EXPECT_TRUE(black(38));
    EXPECT_FALSE(black(45));
    EXPECT_FALSE(black(60));
    EXPECT_TRUE(black(75));
    EXPECT_FALSE(black(110));
    EXPECT_TRUE(black(135));
    EXPECT_FALSE(black(145));
    SelectObject(dc, old);
    DeleteObject(pen);
    DeleteObject(bitmap);
    DeleteDC(dc);

    PathDC p;
    auto sloped = p.Trace([&](HDC d) { DrawDashedWideLine(d, 10, 2, 0, 0, 78, 104); });
    ASSERT_FALSE(sloped.empty());
    EXPECT_EQ(78, sloped.back().x);   // the last dash stops at the end point
    EXPECT_EQ(104, sloped.back().y);
    auto solid = p.Trace([&](HDC d) { DrawDashedWideLine(d, 10, 4, 0, 0, 78, 104); });
    EXPECT_TRUE(solid.empty());
}
} // namespace
