// Outlines of every shape type, checked against the figures' defining points.
#include <gtest/gtest.h>

#include <vector>

#include "common/io_seam.h"
#include "objects/freeform_outline.h"
#include "objects/shape_outlines.h"

namespace {

struct Expected {
    int index;
    int x;
    int y;
};

struct OutlineCase {
    const char* name;
    int type;
    RECT rect;
    double parameter;
    int count;
    std::vector<Expected> points;
};

const RECT kWide = {0, 0, 1200, 600};
const RECT kTall = {0, 0, 600, 1200};

const std::vector<OutlineCase>& Cases()
{
    static const std::vector<OutlineCase> cases = {
        {"box points: edge middles halve toward zero", 0, {0, 0, 601, 301}, 0, 8,
         {{0, 0, 0}, {1, 601, 0}, {2, 601, 301}, {3, 0, 301}, {4, 300, 0}, {5, 601, 150}, {6, 300, 301}, {7, 0, 150}}},
        {"picture request has no outline", 1, kWide, 0, 0, {}},
        {"rectangle", 2, {0, 0, 600, 300}, 0, 5, {{0, 0, 0}, {1, 600, 0}, {2, 600, 300}, {3, 0, 300}, {4, 0, 0}}},
        {"rounded rectangle k = 60", 3, kWide, 0.1, 81,
         {{0, 60, 0}, {19, 0, 60}, {20, 0, 540}, {39, 60, 600}, {40, 1140, 600}, {59, 1200, 540}, {60, 1200, 60},
          {79, 1140, 0}, {80, 60, 0}}},
        {"oval", 4, kWide, 0, 80, {{0, 600, 0}, {39, 600, 600}, {40, 600, 600}, {79, 600, 0}}},
        {"input/output slant 240", 5, kWide, 0.2, 5,
         {{0, 240, 0}, {1, 1200, 0}, {2, 960, 600}, {3, 0, 600}, {4, 240, 0}}},
        {"decision", 6, kWide, 0, 5, {{0, 600, 0}, {1, 1200, 300}, {2, 600, 600}, {3, 0, 300}, {4, 600, 0}}},
        {"document without wave lies on the bottom", 7, kWide, 0.0, 45,
         {{0, 0, 600}, {3, 1200, 600}, {13, 900, 600}, {33, 300, 600}, {44, 0, 600}}},
        {"document wave 60 high", 7, kWide, 0.1, 45,
         {{0, 0, 540}, {1, 0, 0}, {2, 1200, 0}, {3, 1200, 540}, {13, 900, 480}, {23, 600, 540}, {33, 300, 600},
          {43, 0, 540}, {44, 0, 540}}},
        {"terminator k = 300", 8, {0, 0, 1200, 601}, 0, 81, {{0, 300, 0}, {19, 0, 300}, {80, 300, 0}}},
        {"narrow terminator curves by half its width", 8, {0, 0, 100, 600}, 0, 81,
         {{0, 50, 0}, {19, 0, 50}, {40, 50, 600}, {80, 50, 0}}},
        {"circle", 9, {0, 0, 600, 600}, 0, 80, {{0, 300, 0}, {39, 300, 600}, {79, 300, 0}}},
        {"right arrow", 10, kWide, 0.25, 8,
         {{0, 0, 90}, {1, 900, 90}, {2, 900, 0}, {3, 1200, 300}, {4, 900, 600}, {5, 900, 510}, {6, 0, 510},
          {7, 0, 90}}},
        {"left arrow", 11, kWide, 0.25, 8,
         {{0, 0, 300}, {1, 300, 0}, {2, 300, 90}, {3, 1200, 90}, {4, 1200, 510}, {5, 300, 510}, {6, 300, 600},
          {7, 0, 300}}},
        {"top arrow", 12, kTall, 0.25, 8,
         {{0, 300, 0}, {1, 0, 300}, {2, 90, 300}, {3, 90, 1200}, {4, 510, 1200}, {5, 510, 300}, {6, 600, 300},
          {7, 300, 0}}},
        {"bottom arrow", 13, kTall, 0.25, 8,
         {{0, 90, 0}, {1, 90, 900}, {2, 0, 900}, {3, 300, 1200}, {4, 600, 900}, {5, 510, 900}, {6, 510, 0},
          {7, 90, 0}}},
        {"triangle", 14, kWide, 0, 4, {{0, 600, 0}, {1, 1200, 600}, {2, 0, 600}, {3, 600, 0}}},
        {"reverse triangle", 15, kWide, 0, 4, {{0, 0, 0}, {1, 1200, 0}, {2, 600, 600}, {3, 0, 0}}},
        {"input symbol drop 120", 16, kWide, 0.2, 5,
         {{0, 0, 120}, {1, 1200, 0}, {2, 1200, 600}, {3, 0, 600}, {4, 0, 120}}},
        {"trapezoid", 17, kWide, 0.2, 5, {{0, 240, 0}, {1, 960, 0}, {2, 1200, 600}, {3, 0, 600}, {4, 240, 0}}},
        {"manual operation", 18, kWide, 0.2, 5,
         {{0, 0, 0}, {1, 1200, 0}, {2, 960, 600}, {3, 240, 600}, {4, 0, 0}}},
        {"octagon cut by the shorter side", 19, kWide, 0.25, 9,
         {{0, 150, 0}, {1, 1050, 0}, {2, 1200, 150}, {3, 1200, 450}, {4, 1050, 600}, {5, 150, 600}, {6, 0, 450},
          {7, 0, 150}, {8, 150, 0}}},
        {"online storage", 20, kWide, 0.2, 46,
         {{0, 240, 600}, {1, 240, 600}, {20, 240, 0}, {21, 240, 0}, {22, 1200, 0}, {23, 1200, 0}, {42, 1200, 600},
          {43, 1200, 600}, {44, 1200, 600}, {45, 240, 600}}},
        {"preparation", 21, kWide, 0.25, 7,
         {{0, 300, 0}, {1, 900, 0}, {2, 1200, 300}, {3, 900, 600}, {4, 300, 600}, {5, 0, 300}, {6, 300, 0}}},
        {"off-page connector", 22, kWide, 0.25, 6,
         {{0, 0, 450}, {1, 0, 0}, {2, 1200, 0}, {3, 1200, 450}, {4, 600, 600}, {5, 0, 450}}},
        {"pentagon", 23, kWide, 0.25, 6,
         {{0, 300, 0}, {1, 1200, 0}, {2, 1200, 600}, {3, 300, 600}, {4, 0, 300}, {5, 300, 0}}},
        {"delay", 24, kWide, 0.25, 45,
         {{0, 0, 600}, {1, 0, 0}, {2, 900, 0}, {3, 900, 0}, {42, 900, 600}, {43, 900, 600}, {44, 0, 600}}},
        {"display", 25, kWide, 0.2, 46,
         {{0, 240, 600}, {1, 0, 300}, {2, 240, 0}, {3, 960, 0}, {4, 960, 0}, {43, 960, 600}, {44, 960, 600},
          {45, 240, 600}}},
        {"freeform without a record", 26, kWide, 0, 0, {}},
        {"type 27 is no shape", 27, kWide, 0, 0, {}},
        {"a negative type is no shape", -1, kWide, 0, 0, {}},
    };
    return cases;
}

TEST(ShapeOutlines, EveryTypeMeetsItsDefiningPoints)
{
    for (const OutlineCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        POINT points[kOutlineBufferPoints];
        int count = -1;
        BuildShapeOutline(&c.rect, &c.rect, c.parameter, c.type, 0, nullptr, points, &count);
        ASSERT_EQ(c.count, count);
        for (const Expected& e : c.points) {
            EXPECT_EQ(e.x, points[e.index].x) << "point " << e.index;
            EXPECT_EQ(e.y, points[e.index].y) << "point " << e.index;
        }
    }
}

TEST(ShapeOutlines, OutlinesStayInsideTheirRectangle)
{
    const RECT rect = {1000, 2000, 2321, 2777};
    for (int type = 0; type <= 25; ++type) {
        SCOPED_TRACE(type);
        POINT points[kOutlineBufferPoints];
        int count = 0;
        BuildShapeOutline(&rect, &rect, 0.3, type, 0, nullptr, points, &count);
        for (int i = 0; i < count; ++i) {
            EXPECT_GE(points[i].x, rect.left);
            EXPECT_LE(points[i].x, rect.right);
            EXPECT_GE(points[i].y, rect.top);
            EXPECT_LE(points[i].y, rect.bottom);
        }
    }
}

TEST(ShapeOutlines, SlantKeepsTheFrameWidthWhateverTheHeight)
{
    for (int height : {1, 7, 300, 301, 599, 977}) {
        SCOPED_TRACE(height);
        RECT rect = {0, 0, 1200, height};
        POINT points[kOutlineBufferPoints];
        int count = 0;
        BuildShapeOutline(&rect, &rect, 0.2, 5, 0, nullptr, points, &count);
        EXPECT_EQ(240, points[0].x);
    }
}

TEST(ShapeOutlines, ZeroFrameHeightLeavesTheSlantUnscaled)
{
    RECT rect = {0, 0, 1200, 0};
    POINT points[kOutlineBufferPoints];
    int count = 0;
    BuildShapeOutline(&rect, &rect, 0.2, 5, 0, nullptr, points, &count);
    EXPECT_EQ(240, points[0].x);
}

TEST(ShapeOutlines, InnerOutlineOfAThickArrowKeepsItsShaftParallel)
{
    // The inner outline of a 12-unit border is built in the shrunk rectangle
    // with the outer frame's proportions: the shaft lies 12 further in.
    RECT frame = kWide;
    RECT inner = {12, 12, 1188, 588};
    POINT points[kOutlineBufferPoints];
    int count = 0;
    BuildShapeOutline(&inner, &frame, 0.25, 10, 12, nullptr, points, &count);
    ASSERT_EQ(8, count);
    EXPECT_EQ(90 + 12, points[0].y);
    EXPECT_EQ(600 - 90 - 12, points[6].y);
    EXPECT_EQ(12 + 1200 - 300, points[1].x);
}

TEST(ShapeOutlines, ArcEndsOnTheRectangleCorners)
{
    POINT points[20];
    RECT rect = {0, 0, 60, 120};
    ASSERT_EQ(20, BuildEllipseArc(points, 20, &rect, 0, 0, 0, 0, 1));
    EXPECT_EQ(60, points[0].x);
    EXPECT_EQ(0, points[0].y);
    EXPECT_EQ(60, points[19].x);
    EXPECT_EQ(120, points[19].y);
    // Without fromRight the right half of the ellipse about the left edge.
    BuildEllipseArc(points, 20, &rect, 0, 0, 0, 0, 0);
    EXPECT_EQ(0, points[0].x);
    EXPECT_EQ(0, points[19].x);
}

TEST(ShapeOutlines, FlatArcCollapsesOntoItsEdge)
{
    POINT points[20];
    RECT rect = {100, 50, 160, 50};
    BuildEllipseArc(points, 20, &rect, 0, 0, 0, 0, 1);
    for (const POINT& p : points) {
        EXPECT_EQ(160, p.x);
        EXPECT_EQ(50, p.y);
    }
}

TEST(ShapeOutlines, RingTypes)
{
    for (int type = -1; type <= 27; ++type) {
        bool ring = type == 5 || type == 6 || type == 7 || (type >= 10 && type <= 25);
        EXPECT_EQ(ring ? 1 : 0, IsRingOutlineType(type)) << type;
    }
}

// A freeform record of straight segments in the store's record layout.
HGLOBAL MakeFreeform(int vertices, int width, int height, int declared)
{
    SIZE_T bytes = sizeof(FreeformHead) + sizeof(FreeformVertex) * static_cast<SIZE_T>(vertices);
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* head = static_cast<FreeformHead*>(GlobalLock(block));
    head->vertexCount = declared;
    head->width = width;
    head->height = height;
    for (int i = 0; i < vertices; ++i) {
        FreeformVertex* v = FreeformVertexAt(head, i);
        v->kind = 1;
        v->x = i % 100;
        v->y = i / 100;
    }
    GlobalUnlock(block);
    return block;
}

TEST(ShapeOutlines, FreeformScalesIntoTheRectangle)
{
    HGLOBAL record = MakeFreeform(3, 100, 50, 3);
    RECT rect = {1000, 1000, 1200, 1100};
    POINT points[kOutlineBufferPoints];
    int count = 0;
    BuildShapeOutline(&rect, &rect, 0, 26, 0, record, points, &count);
    ASSERT_EQ(3, count);
    EXPECT_EQ(1000, points[0].x);
    EXPECT_EQ(1002, points[1].x);
    EXPECT_EQ(1000, points[1].y);
    GlobalFree(record);
}

TEST(ShapeOutlines, FreeformOfZeroExtentScalesByTheRectangle)
{
    HGLOBAL record = MakeFreeform(2, 0, 0, 2);
    RECT rect = {0, 0, 300, 200};
    POINT points[kOutlineBufferPoints];
    int count = 0;
    BuildFreeformPoints(&rect, record, points, &count);
    ASSERT_EQ(2, count);
    EXPECT_EQ(300, points[1].x);
    GlobalFree(record);
}

TEST(ShapeOutlines, FreeformStopsAt600Points)
{
    HGLOBAL record = MakeFreeform(700, 100, 7, 700);
    RECT rect = {0, 0, 100, 7};
    POINT points[kOutlineBufferPoints];
    int count = 0;
    BuildFreeformPoints(&rect, record, points, &count);
    EXPECT_EQ(600, count);
    GlobalFree(record);
}

TEST(ShapeOutlines, FreeformCountBeyondTheRecordIsNotRead)
{
    HGLOBAL record = MakeFreeform(4, 100, 100, 100000);
    RECT rect = {0, 0, 100, 100};
    POINT points[kOutlineBufferPoints];
    int count = 0;
    BuildFreeformPoints(&rect, record, points, &count);
    EXPECT_EQ(4, count);
    GlobalFree(record);
}

} // namespace

namespace {

TEST(ShapeOutlines, FlatAndThinShapesStayOnTheirRectangle)
{
    // Shapes 24 x 0 and 0 x 24 are creatable; none of their outlines may
    // divide its way off the rectangle.
    const RECT flat[] = {{500, 700, 524, 700}, {500, 700, 500, 724}, {500, 700, 500, 700}};
    for (const RECT& rect : flat) {
        for (int type = 0; type <= 25; ++type) {
            SCOPED_TRACE(type);
            POINT points[kOutlineBufferPoints];
            int count = 0;
            BuildShapeOutline(&rect, &rect, 0.3, type, 0, nullptr, points, &count);
            for (int i = 0; i < count; ++i) {
                EXPECT_GE(points[i].x, rect.left);
                EXPECT_LE(points[i].x, rect.right);
                EXPECT_GE(points[i].y, rect.top);
                EXPECT_LE(points[i].y, rect.bottom);
            }
        }
    }
}

} // namespace
