// Adjust handles, selection handles, hook and anchor points and hit testing
// of shapes, on small object tables held in memory.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "objects/adjust_handles.h"
#include "objects/drawing_layout.h"
#include "objects/kind_messages.h"
#include "objects/point_transforms.h"
#include "objects/selection_geometry.h"
#include "objects/shape_frames.h"
#include "objects/shape_handles.h"
#include "objects/shape_hit_test.h"
#include "objects/shape_hook_points.h"
#include "objects/shape_kind.h"
#include "objects/shape_types.h"

namespace {

// An object table of its own: the 20-byte head and the entries.
class Table {
public:
    explicit Table(int count) : bytes_(kTableHeadSize + kObjectEntrySize * count, 0)
    {
        reinterpret_cast<TableHead*>(bytes_.data())->count = count;
    }
    void* Get() { return bytes_.data(); }
    DrawingObject* At(int index) { return ObjectAt(Get(), index); }

private:
    std::vector<unsigned char> bytes_;
};

void MakeShape(DrawingObject* object, RECT frame, int type, double parameter)
{
    std::memset(object, 0, sizeof(*object));
    object->kind = kKindShape;
    object->frame = frame;
    object->shapeType = type;
    object->adjust = parameter;
    object->lineWidth = 12;
    object->lineStyle = 1;
    object->fillMode = 1;
    object->fillColor = 0xFFFFFF;
    object->textRecordId = -1;
    object->dataGroup = -1;
    object->dataFirstId = -1;
    object->groupIndex = -1;
    object->labelPartnerId = kNoObjectId;
    object->linkCapacity = 1;
    object->objectId = 1;
    EXPECT_EQ(kErrNone, RecalcShapeFrame(nullptr, object, 0));
}

int Hit(void* table, int index, int tool, POINT p)
{
    return DEV_IradeDududir(nullptr, nullptr, table, index, kMsgHitTest, tool, 0, reinterpret_cast<INT_PTR>(&p));
}

TEST(AdjustHandle, InputOutputHandleBoxRangeAndClamp)
{
    DrawingObject shape;
    MakeShape(&shape, {1000, 1000, 1600, 1300}, kShapeInputOutput, 0.2);
    AdjustHandleInfo info;
    GetAdjustHandleGeometry(&shape, &info);
    EXPECT_EQ(1, info.direction);
    EXPECT_EQ(1066, info.box.left);
    EXPECT_EQ(976, info.box.top);
    EXPECT_EQ(1114, info.box.right);
    EXPECT_EQ(1024, info.box.bottom);
    EXPECT_EQ(1030, info.low);
    EXPECT_EQ(1210, info.high);

    struct Row {
        const char* name;
        int x;
        int clamped;
        double parameter;
    };
    const std::vector<Row> rows = {
        {"past the upper end", 2000, 1210, 0.4},
        {"below the lower end", 0, 1030, 0.1},
        {"inside the range", 1120, 1120, 0.25},
    };
    for (const Row& row : rows) {
        POINT p = {row.x, 1000};
        EXPECT_DOUBLE_EQ(row.parameter, ParameterFromHandlePoint(&shape, &p)) << row.name;
        EXPECT_EQ(row.clamped, p.x) << row.name;
    }
}

TEST(AdjustHandle, DirectionByTypeAndProportions)
{
    struct Row {
        const char* name;
        int type;
        RECT frame;
        int direction;
    };
    const std::vector<Row> rows = {
        {"square rounded rectangle", kShapeRoundRect, {0, 0, 400, 400}, 1},
        {"wide rounded rectangle", kShapeRoundRect, {0, 0, 401, 400}, 2},
        {"document", kShapeDocument, {0, 0, 600, 300}, 2},
        {"right arrow", kShapeRightArrow, {0, 0, 600, 300}, 1},
        {"top arrow", kShapeTopArrow, {0, 0, 600, 300}, 2},
        {"octagon", kShapeOctagon, {0, 0, 600, 300}, 1},
        {"decision", kShapeDecision, {0, 0, 600, 300}, 0},
        {"oval", kShapeOval, {0, 0, 600, 300}, 0},
        {"triangle", kShapeTriangle, {0, 0, 600, 300}, 0},
    };
    for (const Row& row : rows) {
        DrawingObject shape;
        MakeShape(&shape, row.frame, row.type, 0.3);
        AdjustHandleInfo info;
        GetAdjustHandleGeometry(&shape, &info);
        EXPECT_EQ(row.direction, info.direction) << row.name;
        POINT p = {100, 100};
        if (row.direction == 0) {
            EXPECT_EQ(-1.0, ParameterFromHandlePoint(&shape, &p)) << row.name;
        }
    }
}

TEST(AdjustHandle, ShapesWithoutAHandleIgnoreTheDrag)
{
    for (int type : {kShapeDecision, kShapeOval, kShapeTriangle}) {
        DrawingObject shape;
        MakeShape(&shape, {1000, 1000, 1600, 1300}, type, 0.0);
        POINT p = {1200, 1000};
        EXPECT_EQ(0, DEV_IradeDududir(nullptr, nullptr, &shape, -1, kMsgSetAdjustFromHandle, 0, 0,
                                      reinterpret_cast<INT_PTR>(&p)));
        EXPECT_EQ(0.0, shape.adjust) << type;
    }
}

TEST(AdjustHandle, DragSetsTheParameterThroughMessage57)
{
    DrawingObject shape;
    MakeShape(&shape, {1000, 1000, 1600, 1300}, kShapeInputOutput, 0.2);
    POINT p = {2000, 1000};
    EXPECT_EQ(0, DEV_IradeDududir(nullptr, nullptr, &shape, -1, kMsgSetAdjustFromHandle, 0, 0,
                                  reinterpret_cast<INT_PTR>(&p)));
    EXPECT_DOUBLE_EQ(0.4, shape.adjust);
}

TEST(AdjustHandle, VerticalMirrorMovesTheHandleAndItsRange)
{
    DrawingObject shape;
    MakeShape(&shape, {1000, 1000, 1600, 1300}, kShapeDocument, 0.1);
    AdjustHandleInfo plain;
    GetAdjustHandleGeometry(&shape, &plain);
    shape.optionFlags = kOptionFlipV;
    AdjustHandleInfo mirrored;
    GetAdjustHandleGeometry(&shape, &mirrored);
    int plainCentre = (plain.box.top + plain.box.bottom) / 2;
    int mirroredCentre = (mirrored.box.top + mirrored.box.bottom) / 2;
    EXPECT_EQ(1000 + 1300 - plainCentre, mirroredCentre);
    int edges = shape.bounds.top + shape.bounds.bottom;
    EXPECT_EQ(edges - plain.high, mirrored.low);
    EXPECT_EQ(edges - plain.low, mirrored.high);
    EXPECT_EQ(edges - plain.origin, mirrored.origin);
    // The mirrored handle reads as the plain handle does.
    POINT mirroredPoint = {1300, mirroredCentre};
    double mirroredReading = ParameterFromHandlePoint(&shape, &mirroredPoint);
    shape.optionFlags = 0;
    POINT plainPoint = {1300, plainCentre};
    EXPECT_DOUBLE_EQ(ParameterFromHandlePoint(&shape, &plainPoint), mirroredReading);
}

// The range and origin of a turned shape belong to its unturned space: the
// handle of a turned shape, turned back, reads as its own parameter.
TEST(AdjustHandle, TurnedShapeReadsItsOwnParameterAtItsHandle)
{
    for (int angle : {450, 900, -300}) {
        DrawingObject shape;
        MakeShape(&shape, {3000, 3000, 3600, 3300}, kShapeInputOutput, 0.3);
        shape.rotation = angle;
        EXPECT_EQ(kErrNone, RecalcShapeFrame(nullptr, &shape, 0));
        AdjustHandleInfo info;
        GetAdjustHandleGeometry(&shape, &info);
        POINT centre = {(info.box.left + info.box.right) / 2, (info.box.top + info.box.bottom) / 2};
        RotatePoints(&shape.frame, -angle, &centre, 1);
        EXPECT_NEAR(0.3, ParameterFromHandlePoint(&shape, &centre), 0.01) << angle;
    }
}

TEST(HandleRects, HandlesBySizingConstraintAndSize)
{
    struct Row {
        const char* name;
        RECT frame;
        int constraint;
        std::vector<int> codes;
        int emptyCount;
    };
    const std::vector<Row> rows = {
        {"all eight", {1000, 1000, 1600, 1600}, 0, {1, 2, 3, 4, 5, 6, 7, 8}, 0},
        {"keeps proportions", {1000, 1000, 1600, 1600}, 3, {1, 2, 3, 4}, 0},
        {"width only", {1000, 1000, 1600, 1600}, 1, {7, 8}, 0},
        {"height only", {1000, 1000, 1600, 1600}, 2, {5, 6}, 0},
        {"narrow frame hides top and bottom", {1000, 1000, 1190, 1600}, 0, {1, 2, 3, 4, 5, 6, 7, 8}, 2},
        {"narrow frame with constraint 2", {1000, 1000, 1190, 1600}, 2, {5, 6}, 0},
    };
    for (const Row& row : rows) {
        DrawingObject shape;
        MakeShape(&shape, row.frame, kShapeRectangle, 0.0);
        shape.sizingConstraint = row.constraint;
        RECT rects[8];
        int codes[8];
        int n = GetShapeHandleRects(nullptr, &shape, rects, codes);
        ASSERT_EQ(static_cast<int>(row.codes.size()), n) << row.name;
        int empty = 0;
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(row.codes[i], codes[i]) << row.name;
            empty += IsRectEmpty(&rects[i]) ? 1 : 0;
        }
        EXPECT_EQ(row.emptyCount, empty) << row.name;
    }
}

TEST(HandleRects, BoxesReachThirtyOutAndTwentyFourIn)
{
    DrawingObject shape;
    MakeShape(&shape, {1000, 1000, 1600, 1400}, kShapeRectangle, 0.0);
    shape.kindCoordinate = 1200;
    struct Row {
        int code;
        RECT expected;
    };
    const std::vector<Row> rows = {
        {1, {970, 970, 1024, 1024}},   {4, {1570, 1370, 1624, 1424}}, {5, {1270, 970, 1324, 1024}},
        {8, {1570, 1170, 1624, 1224}}, {20, {970, 1173, 1024, 1227}}, {23, {1173, 1376, 1227, 1430}},
        {25, {1576, 970, 1630, 1024}},
    };
    for (const Row& row : rows) {
        RECT rect = {};
        GetHandleRect(&shape, &rect, row.code, nullptr);
        EXPECT_TRUE(EqualRect(&row.expected, &rect)) << row.code;
    }
    RECT untouched = {1, 2, 3, 4};
    GetHandleRect(&shape, &untouched, 99, nullptr);
    EXPECT_EQ(1, untouched.left);
}

TEST(FitRectIn600, ScalesTheLongerSideDown)
{
    RECT rect = {100, 200, 1300, 500};
    POINT p = {700, 400};
    FitRectIn600(&rect, &p);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(600, rect.right);
    EXPECT_EQ(150, rect.bottom);
    EXPECT_EQ(300, p.x);
    EXPECT_EQ(100, p.y);
}

TEST(HookPoints, ByShapeType)
{
    struct Row {
        const char* name;
        int type;
        uint32_t options;
        int message;
        int count;
        POINT first;
    };
    const std::vector<Row> rows = {
        {"decision hooks", kShapeDecision, 0, kMsgHookPoints, 8, {0, 300}},
        {"triangle hooks", kShapeTriangle, 0, kMsgHookPoints, 12, {0, 600}},
        {"reverse triangle hooks", kShapeReverseTriangle, 0, kMsgHookPoints, 12, {0, 0}},
        {"rectangle hooks", kShapeRectangle, 0, kMsgHookPoints, 16, {0, 0}},
        {"rectangle connects", kShapeRectangle, 0, kMsgConnectPoints, 16, {0, 0}},
        {"box hook points", kShapeDecision, kOptionBoxHookPoints, kMsgConnectPoints, 8, {0, 0}},
        {"freeform connects", kShapeFreeform, 0, kMsgConnectPoints, 8, {0, 0}},
    };
    for (const Row& row : rows) {
        DrawingObject shape;
        MakeShape(&shape, {1000, 1000, 1600, 1300}, row.type, 0.0);
        shape.optionFlags = row.options;
        POINT points[16] = {};
        int count = 0;
        DEV_IradeDududir(nullptr, nullptr, &shape, -1, row.message, 0, reinterpret_cast<INT_PTR>(&count),
                         reinterpret_cast<INT_PTR>(points));
        EXPECT_EQ(row.count, count) << row.name;
        EXPECT_EQ(row.first.x, points[0].x) << row.name;
        EXPECT_EQ(row.first.y, points[0].y) << row.name;
    }
}

TEST(AnchorPoints, CodesAndUnknownCodes)
{
    DrawingObject shape;
    MakeShape(&shape, {1000, 1000, 1600, 1300}, kShapeRectangle, 0.0);
    struct Row {
        int code;
        int result;
        POINT point;
    };
    const std::vector<Row> rows = {
        {1, 0, {1000, 1000}},  {3, 0, {1300, 1000}},   {9, 0, {1600, 1300}},  {201, 0, {1000, 1000}},
        {206, 0, {1300, 1300}}, {209, 0, {1300, 1150}}, {17, 1, {-5, -5}},     {210, 1, {-5, -5}},
        {0, 1, {-5, -5}},
    };
    for (const Row& row : rows) {
        POINT p = {-5, -5};
        EXPECT_EQ(row.result, DEV_IradeDududir(nullptr, nullptr, &shape, -1, kMsgAnchorPoint, row.code, 0,
                                                reinterpret_cast<INT_PTR>(&p)))
            << row.code;
        EXPECT_EQ(row.point.x, p.x) << row.code;
        EXPECT_EQ(row.point.y, p.y) << row.code;
    }
    POINT box = {};
    DEV_IradeDududir(nullptr, nullptr, &shape, -1, kMsgBoxPosition, 208, 0, reinterpret_cast<INT_PTR>(&box));
    EXPECT_EQ(600, box.x);
    EXPECT_EQ(300, box.y);
}

TEST(AnchorPoints, ShapeOnAnArrayBranchFindsItsTurnedOutline)
{
    Table table(1);
    DrawingObject* shape = table.At(0);
    MakeShape(shape, {1000, 1000, 1600, 1600}, kShapeRectangle, 0.0);
    shape->rotation = 450;
    // Code 305 is the top middle (205) of a shape hanging on a branch: it is
    // searched straight up and down from the frame's top middle and lands on
    // the turned square's upper corner.
    POINT p = {};
    ASSERT_EQ(0, GetShapeAnchorPoint(nullptr, table.Get(), 0, 305, &p));
    EXPECT_NEAR(1300, p.x, 1);
    EXPECT_NEAR(876, p.y, 2);
    // Not hanging on a branch, the same point is the frame's point turned.
    ASSERT_EQ(0, GetShapeAnchorPoint(nullptr, table.Get(), 0, 205, &p));
    EXPECT_NEAR(1087, p.x, 1);
    EXPECT_NEAR(1087, p.y, 1);
}

TEST(HitTest, BodyTextAndOutlineCodes)
{
    struct Row {
        const char* name;
        int type;
        RECT frame;
        COLORREF fill;
        int tool;
        POINT point;
        int expected;
    };
    const COLORREF none = 0xFFFFFFFF;
    const std::vector<Row> rows = {
        {"corner of a large oval", kShapeOval, {1000, 1000, 3000, 2000}, 0xFFFFFF, 0, {1000, 1000}, 0},
        {"left point of the oval", kShapeOval, {1000, 1000, 3000, 2000}, 0xFFFFFF, 0, {1002, 1500}, 40},
        {"inside the oval", kShapeOval, {1000, 1000, 3000, 2000}, 0xFFFFFF, 0, {2000, 1500}, 44},
        {"outside a rectangle, within bounds", kShapeRectangle, {1000, 1000, 1600, 1300}, 0xFFFFFF, 0, {980, 1150}, 40},
        {"inside a rectangle", kShapeRectangle, {1000, 1000, 1600, 1300}, 0xFFFFFF, 0, {1300, 1150}, 44},
        {"rectangle border band", kShapeRectangle, {1000, 1000, 1600, 1300}, 0xFFFFFF, 0, {1020, 1150}, 40},
        {"empty triangle, pointer", kShapeTriangle, {1000, 1000, 1600, 1600}, none, 0, {1300, 1400}, 0},
        {"empty triangle, text tool", kShapeTriangle, {1000, 1000, 1600, 1600}, none, 17, {1300, 1400}, 44},
        {"filled triangle, pointer", kShapeTriangle, {1000, 1000, 1600, 1600}, 0xFFFFFF, 0, {1300, 1400}, 44},
        {"beside the triangle's apex", kShapeTriangle, {1000, 1000, 1600, 1600}, 0xFFFFFF, 0, {1010, 1010}, 0},
        {"decision tip", kShapeDecision, {1000, 1000, 1600, 1600}, 0xFFFFFF, 0, {1010, 1300}, 40},
    };
    for (const Row& row : rows) {
        Table table(1);
        MakeShape(table.At(0), row.frame, row.type, 0.2);
        table.At(0)->fillColor = row.fill;
        EXPECT_EQ(row.expected, Hit(table.Get(), 0, row.tool, row.point)) << row.name;
    }
}

TEST(HitTest, TurnedRectangleRejectsPointsOffItsTurnedFrame)
{
    Table table(1);
    MakeShape(table.At(0), {1000, 1000, 1600, 1600}, kShapeRectangle, 0.0);
    table.At(0)->rotation = 450;
    EXPECT_EQ(kErrNone, RecalcShapeFrame(nullptr, table.At(0), 0));
    // Within the bounds of the turned square, but outside the square itself.
    EXPECT_EQ(0, Hit(table.Get(), 0, 0, {960, 960}));
    EXPECT_EQ(44, Hit(table.Get(), 0, 0, {1300, 1300}));
}

TEST(HitTest, TextToolOnALabelTextMisses)
{
    Table table(1);
    MakeShape(table.At(0), {1000, 1000, 1600, 1300}, kShapeRectangle, 0.0);
    table.At(0)->textRoleFlags = 0x10;
    EXPECT_EQ(0, Hit(table.Get(), 0, 17, {1300, 1150}));
    EXPECT_EQ(44, Hit(table.Get(), 0, 0, {1300, 1150}));
}

TEST(HitTest, HandlesOfASelectedShape)
{
    Table table(1);
    DrawingObject* shape = table.At(0);
    MakeShape(shape, {1000, 1000, 1600, 1300}, kShapeInputOutput, 0.2);
    struct Row {
        const char* name;
        bool selected;
        POINT point;
        int expected;
    };
    const std::vector<Row> rows = {
        {"rotation handle", true, {1534, 1150}, 140},
        {"adjust handle", true, {1090, 1000}, 60},
        {"top-left handle", true, {980, 980}, 1},
        {"bottom-right handle", true, {1610, 1310}, 4},
        {"centre, not selected", false, {1300, 1150}, 44},
        {"top-left corner, not selected", false, {980, 980}, 0},
    };
    for (const Row& row : rows) {
        shape->stateFlags = row.selected ? static_cast<uint32_t>(kStateSelected) : 0u;
        EXPECT_EQ(row.expected, Hit(table.Get(), 0, 0, row.point)) << row.name;
    }
}

TEST(HitTest, VerticalAdjustHandleGivesItsOwnCode)
{
    Table table(1);
    DrawingObject* shape = table.At(0);
    MakeShape(shape, {1000, 1000, 1600, 1300}, kShapeTopArrow, 0.3);
    shape->stateFlags = kStateSelected;
    AdjustHandleInfo info;
    GetAdjustHandleGeometry(shape, &info);
    ASSERT_EQ(2, info.direction);
    POINT centre = {(info.box.left + info.box.right) / 2, (info.box.top + info.box.bottom) / 2};
    EXPECT_EQ(62, Hit(table.Get(), 0, 0, centre));
}

} // namespace
