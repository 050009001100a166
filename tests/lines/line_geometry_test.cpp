// Straight-line geometry: direction classes, outlines of the line types,
// rectangles with arrowheads, hit tests, the line-type message and degenerate
// lines a file may hold.
#include <gtest/gtest.h>

#include <cmath>

#include "lines/arrowheads.h"
#include "lines/line_adjust.h"
#include "lines/line_attributes.h"
#include "lines/line_geometry.h"
#include "lines/line_hit_test.h"
#include "lines/line_outline.h"
#include "lines/line_rects.h"
#include "lines/line_transform.h"

namespace {

DrawingObject Line(int direction, RECT frame, int coordinate, int width = 1)
{
    DrawingObject line = {};
    line.kind = kKindLine;
    line.shapeType = direction;
    line.frame = frame;
    line.kindCoordinate = coordinate;
    line.lineWidth = width;
    line.lineStyle = 1;
    line.groupIndex = -1;
    line.labelPartnerId = kNoObjectId;
    RecalcLineRects(nullptr, &line);
    return line;
}

TEST(LineGeometry, DirectionClassesUnderBothRules)
{
    struct Case {
        RECT rect;
        int tolerant;
        int exact;
    } cases[] = {
        {{0, 0, 0, 0}, kLineHorizontal, kLineHorizontal},
        {{0, 0, 5, 16}, kLineSloped, kLineVertical},
        {{0, 0, 100, 3}, kLineHorizontal, kLineSloped},
        {{0, 0, 4, 100}, kLineSloped, kLineVertical},
        {{0, 0, 4, 200}, kLineVertical, kLineVertical},
        {{0, 0, 600, 0}, kLineHorizontal, kLineHorizontal},
        {{0, 0, 0, 600}, kLineVertical, kLineVertical},
        {{0, 0, 600, 300}, kLineSloped, kLineSloped},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.tolerant, ClassifyDirection(&c.rect, 1)) << c.rect.right << "x" << c.rect.bottom;
        EXPECT_EQ(c.exact, ClassifyDirection(&c.rect, 0)) << c.rect.right << "x" << c.rect.bottom;
    }
}

TEST(LineGeometry, AnglesByDiagonal)
{
    DrawingObject down = Line(kLineSloped, {0, 0, 600, 600}, 0);
    EXPECT_EQ(-450, ComputeLineAngle(&down, nullptr));
    down.stateFlags |= kStateOtherDiagonal;
    EXPECT_EQ(450, ComputeLineAngle(&down, nullptr));
    DrawingObject vertical = Line(kLineVertical, {94, 0, 106, 600}, 100);
    EXPECT_EQ(-900, ComputeLineAngle(&vertical, nullptr));
}

TEST(LineGeometry, PlainHorizontalLineBounds)
{
    DrawingObject line = Line(kLineHorizontal, {100, 0, 700, 0}, 300);
    EXPECT_EQ(300 - 27, line.bounds.top);
    EXPECT_EQ(300 + 27, line.bounds.bottom);
    EXPECT_EQ(100 - 30, line.bounds.left);
    EXPECT_EQ(700 + 30, line.bounds.right);
    EXPECT_EQ(300 - 6, line.frame.top);
    EXPECT_EQ(300 + 6, line.frame.bottom);
}

TEST(LineGeometry, ArrowheadReachWidensBounds)
{
    // Only an end marker of kind 5 at size 2, width 10: both ends reach 52.
    DrawingObject line = Line(kLineHorizontal, {1000, 0, 2000, 0}, 1000, 10);
    line.endArrow = 5;
    line.arrowSize = 2;
    line.arrowEnds = 1;
    RecalcLineRects(nullptr, &line);
    EXPECT_EQ(1000 - 52 - 30, line.bounds.left);
    EXPECT_EQ(2000 + 52 + 30, line.bounds.right);
    EXPECT_EQ(1000 - 6 - 52, line.bounds.top);
}

TEST(LineGeometry, CommOutlineSitsInTheMiddle)
{
    DrawingObject line = Line(kLineHorizontal, {0, 0, 2400, 0}, 1000);
    line.lineType = kLineComm;
    line.adjust = 0.25;
    POINT points[kLineOutlineCapacity];
    int count = 0;
    int figure = 0;
    ComputeStoredLineOutline(&line, 0, points, &count, &figure, 0, nullptr);
    ASSERT_EQ(6, count);
    EXPECT_EQ(1050, points[1].x);
    EXPECT_EQ(1050 + 75, points[2].x);
    EXPECT_EQ(1000 - 150, points[2].y);   // the zigzag first rises
    EXPECT_EQ(1000 + 150, points[3].y);
    EXPECT_EQ(1350, points[4].x);
    EXPECT_EQ(2400, points[5].x);
}

TEST(LineGeometry, VerticalCommFirstGoesRightAndArcBulgesLeft)
{
    DrawingObject line = Line(kLineVertical, {994, 2000, 1006, 3200}, 1000);
    line.lineType = kLineComm;
    line.adjust = 0.25;
    POINT points[kLineOutlineCapacity];
    int count = 0;
    int figure = 0;
    ComputeStoredLineOutline(&line, 0, points, &count, &figure, 0, nullptr);
    ASSERT_EQ(6, count);
    EXPECT_GT(points[2].x, 1000);
    line.lineType = kLineArc;
    line.adjust = 180.0;
    ComputeStoredLineOutline(&line, 0, points, &count, &figure, 0, nullptr);
    ASSERT_EQ(kOutlineArc, figure);
    EXPECT_EQ(1000 - 180, points[2].x);
    EXPECT_EQ(2600, points[2].y);
}

TEST(LineGeometry, DigitalOutlineAndArcFigures)
{
    DrawingObject line = Line(kLineHorizontal, {1000, 0, 2200, 0}, 2000);
    line.lineType = kLineDigital;
    line.adjust = 0.5;
    POINT points[kLineOutlineCapacity];
    int count = 0;
    int figure = 0;
    ComputeStoredLineOutline(&line, 0, points, &count, &figure, 0, nullptr);
    ASSERT_EQ(8, count);
    EXPECT_EQ(1300, points[1].x);   // a pulse half the line long, centred
    EXPECT_EQ(2000 - 300, points[2].y);
    EXPECT_EQ(2000 + 300, points[5].y);

    line.lineType = kLineArc;
    line.adjust = 0.4;   // below one whole unit: the straight chord
    ComputeStoredLineOutline(&line, 0, points, &count, &figure, 0, nullptr);
    EXPECT_EQ(kOutlineChord, figure);
    line.adjust = 180.0;
    ComputeStoredLineOutline(&line, 0, points, &count, &figure, 0, nullptr);
    EXPECT_EQ(kOutlineArc, figure);
    EXPECT_EQ(2000 - 180, points[2].y);   // bulges upward
    ComputeStoredLineOutline(&line, 0, points, &count, &figure, 1, nullptr);
    EXPECT_EQ(kOutlinePolyline, figure);
    EXPECT_EQ(30, count);
    EXPECT_EQ(2000 - 180, points[30].y);   // the apex follows the points
}

TEST(LineGeometry, DegenerateSlopedLinesStayFinite)
{
    // A sloped line without width or height, as a file may hold it.
    DrawingObject line = Line(kLineSloped, {500, 500, 500, 500}, 0);
    POINT points[kLineOutlineCapacity];
    int count = -1;
    int figure = -1;
    for (int type : {kLineComm, kLineDigital, kLineArc}) {
        line.lineType = type;
        line.adjust = type == kLineArc ? 180.0 : 0.25;
        ComputeStoredLineOutline(&line, 0, points, &count, &figure, 0, nullptr);
        EXPECT_EQ(0, count);
    }
    line.lineType = kLinePlain;
    EXPECT_EQ(0, ComputeLineAngle(&line, nullptr));
    EXPECT_EQ(0, HitTestStraightLine(nullptr, &line, -1, 0, 900, 900));
    EXPECT_EQ(40, HitTestStraightLine(nullptr, &line, -1, 0, 500, 500));
    // A vertical-looking sloped frame (no width) tests along its height.
    DrawingObject thin = Line(kLineSloped, {500, 500, 500, 900}, 0);
    EXPECT_EQ(40, HitTestStraightLine(nullptr, &thin, -1, 0, 500, 700));
    EXPECT_EQ(0, HitTestStraightLine(nullptr, &thin, -1, 0, 530, 700));
    // The handle drag of a line of no length keeps a sane parameter.
    thin.frame = {500, 500, 500, 500};
    EXPECT_DOUBLE_EQ(0.25, LineParameterFromHandle(nullptr, &thin, 64, {600, 600}));
    POINT p = {700, 700};
    RotatePointOntoLine(&thin, &p);
    EXPECT_EQ(700, p.x);
}

TEST(LineGeometry, PlainLineHitTests)
{
    DrawingObject sloped = Line(kLineSloped, {0, 0, 600, 300}, 0);
    EXPECT_EQ(40, HitTestStraightLine(nullptr, &sloped, -1, 0, 300, 156));
    EXPECT_EQ(0, HitTestStraightLine(nullptr, &sloped, -1, 0, 300, 158));
    DrawingObject horizontal = Line(kLineHorizontal, {100, 0, 700, 0}, 300);
    EXPECT_EQ(42, HitTestStraightLine(nullptr, &horizontal, -1, 0, 400, 288));
    EXPECT_EQ(42, HitTestStraightLine(nullptr, &horizontal, -1, 0, 400, 311));
    EXPECT_EQ(0, HitTestStraightLine(nullptr, &horizontal, -1, 0, 400, 287));
    EXPECT_EQ(0, HitTestStraightLine(nullptr, &horizontal, -1, 0, 400, 312));
}

TEST(LineGeometry, DecoratedLinesHitTheirOutline)
{
    DrawingObject line = Line(kLineHorizontal, {0, 0, 2400, 0}, 1000);
    line.lineType = kLineComm;
    line.adjust = 0.25;
    // On the zigzag's peak, and on the line far from it.
    EXPECT_EQ(40, HitTestStraightLine(nullptr, &line, -1, 0, 1125, 850));
    EXPECT_EQ(40, HitTestStraightLine(nullptr, &line, -1, 0, 200, 1010));
    EXPECT_EQ(0, HitTestStraightLine(nullptr, &line, -1, 0, 200, 1030));
    // Arc: on the apex, not at the chord's middle.
    line.lineType = kLineArc;
    line.adjust = 300.0;
    EXPECT_EQ(40, HitTestStraightLine(nullptr, &line, -1, 0, 1200, 700));
    EXPECT_EQ(0, HitTestStraightLine(nullptr, &line, -1, 0, 1200, 1000));
}

TEST(LineGeometry, LineTypeMessageKeepsOrResetsTheParameter)
{
    DrawingObject line = Line(kLineHorizontal, {0, 0, 2400, 0}, 1000);
    line.lineType = kLineComm;
    line.adjust = 0.7;
    int32_t value[2] = {0, 3};
    EXPECT_EQ(kErrNone, SetLineShape(nullptr, &line, -1, value));
    EXPECT_EQ(kLineDigital, line.lineType);
    EXPECT_DOUBLE_EQ(0.25, line.adjust);
    value[1] = 4;
    EXPECT_EQ(kErrNone, SetLineShape(nullptr, &line, -1, value));
    EXPECT_DOUBLE_EQ(180.0, line.adjust);
    line.adjust = -50.0;
    EXPECT_EQ(kErrNone, SetLineShape(nullptr, &line, -1, value));
    EXPECT_DOUBLE_EQ(-50.0, line.adjust);
    value[1] = 1;
    EXPECT_EQ(kErrNone, SetLineShape(nullptr, &line, -1, value));
    EXPECT_EQ(kLinePlain, line.lineType);
    EXPECT_DOUBLE_EQ(-50.0, line.adjust);
    value[1] = 2;
    EXPECT_EQ(kErrNone, SetLineShape(nullptr, &line, -1, value));
    EXPECT_DOUBLE_EQ(0.25, line.adjust);
    value[1] = 9;
    EXPECT_EQ(kErrNone, SetLineShape(nullptr, &line, -1, value));
    EXPECT_EQ(kLineComm, line.lineType);
}

TEST(LineGeometry, AdjustHandleParameters)
{
    DrawingObject line = Line(kLineHorizontal, {0, 0, 3000, 0}, 1000);
    line.lineType = kLineComm;
    EXPECT_DOUBLE_EQ(0.5, LineParameterFromHandle(nullptr, &line, 62, {1500, 600}));
    EXPECT_DOUBLE_EQ(0.1, LineParameterFromHandle(nullptr, &line, 62, {1500, 1400}));
    EXPECT_DOUBLE_EQ(2.0 * 100 / 1200, LineParameterFromHandle(nullptr, &line, 62, {1500, 900}));
}

TEST(LineGeometry, FlippingAHorizontalArcOnlyTurnsItsBulge)
{
    DrawingObject line = Line(kLineHorizontal, {0, 0, 3000, 0}, 1000);
    line.lineType = kLineArc;
    line.adjust = 180.0;
    line.startArrow = 1;
    line.endArrow = 2;
    line.arrowEnds = 3;
    EXPECT_EQ(kErrNone, FlipLine(nullptr, &line, -1, 0x10));
    EXPECT_DOUBLE_EQ(-180.0, line.adjust);
    EXPECT_EQ(1, line.startArrow);
    EXPECT_EQ(kErrNone, FlipLine(nullptr, &line, -1, 0x08));
    EXPECT_EQ(2, line.startArrow);
    EXPECT_EQ(1, line.endArrow);
    // A displaced word without a kind is cleared with its end.
    line.startArrow = 0x100;
    line.endArrow = 0;
    EXPECT_EQ(kErrNone, FlipLine(nullptr, &line, -1, 0x08));
    EXPECT_EQ(0, line.startArrow);
    EXPECT_EQ(0, line.endArrow);
    EXPECT_EQ(0, line.arrowEnds);
}

TEST(LineGeometry, StyleChangesMakeTheLineThin)
{
    DrawingObject line = Line(kLineHorizontal, {0, 0, 3000, 0}, 1000, 40);
    DrawingRecord drawing = {};
    drawing.lineWidth = 40;
    int32_t value[2] = {0, 3};
    SetLineStyle(&drawing, &line, -1, value);
    EXPECT_EQ(3, line.lineStyle);
    EXPECT_EQ(1, line.lineWidth);
    EXPECT_EQ(1, drawing.lineWidth);
    line.groupIndex = 0;
    int32_t arrows[3] = {1, 2, 1};
    SetLineArrowheads(&drawing, &line, -1, arrows);
    EXPECT_EQ(0, line.startArrow);   // grouped lines keep their arrowheads
}

TEST(LineGeometry, MovedFrameByHandle)
{
    DrawingObject line = Line(kLineSloped, {100, 100, 700, 400}, 0);
    POINT delta = {600, 0};
    RECT rect;
    MoveLineFrameByHandle(&line, -1, 4, &delta, &rect);
    // The left side lands on the right: one unit short, and the delta too.
    EXPECT_EQ(699, rect.left);
    EXPECT_EQ(700, rect.right);
    EXPECT_EQ(599, delta.x);
}

TEST(LineGeometry, HookPositionsAlongTheLine)
{
    DrawingObject line = Line(kLineHorizontal, {100, 0, 700, 0}, 300);
    DrawingRecord drawing = {};
    int word = 1;
    POINT p = {900, 300};
    MapPointToLineHook(&drawing, &line, -1, 0, &word, &p);
    EXPECT_GT(p.x, 600);   // beyond the end without snapping
    drawing.flags = kDrawingSnap;
    p = {900, 300};
    MapPointToLineHook(&drawing, &line, -1, 0, &word, &p);
    EXPECT_EQ(600, p.x);
    EXPECT_EQ(600, p.y);
}
} // namespace
