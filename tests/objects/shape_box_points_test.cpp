// Box points of the 600 x 600 box mapped onto the outline of each shape type.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "objects/drawing_layout.h"
#include "objects/kind_messages.h"
#include "objects/shape_box_points.h"
#include "objects/shape_kind.h"
#include "objects/shape_types.h"

namespace {

DrawingObject Shape(RECT frame, int type, double parameter)
{
    DrawingObject object;
    std::memset(&object, 0, sizeof(object));
    object.kind = kKindShape;
    object.frame = frame;
    object.shapeType = type;
    object.adjust = parameter;
    object.textRecordId = -1;
    object.dataGroup = -1;
    object.dataFirstId = -1;
    object.groupIndex = -1;
    return object;
}

DrawingRecord DrawingWithFlags(uint32_t flags)
{
    DrawingRecord drawing;
    std::memset(&drawing, 0, sizeof(drawing));
    drawing.flags = flags;
    return drawing;
}

POINT MapOne(DrawingRecord* drawing, DrawingObject* object, POINT box, int code = 0)
{
    // Through the kind procedure: a the count, b the code, c the points.
    DEV_IradeDududir(nullptr, drawing, object, -1, kMsgMapBoxPoints, 1, code, reinterpret_cast<INT_PTR>(&box));
    return box;
}

const RECT kFrame = {1000, 1000, 2000, 1600};   // 1000 x 600

TEST(MapShapeBoxPoints, EachTypeLandsOnItsOutline)
{
    struct Row {
        const char* name;
        int type;
        double parameter;
        bool centred;
        POINT box;
        POINT expected;
    };
    const std::vector<Row> rows = {
        {"rectangle is linear", kShapeRectangle, 0.0, true, {150, 450}, {1250, 1450}},
        {"decision is linear", kShapeDecision, 0.0, true, {600, 300}, {2000, 1300}},
        {"freeform is linear", kShapeFreeform, 0.0, true, {300, 600}, {1500, 1600}},
        {"right arrow tip", kShapeRightArrow, 0.3, true, {600, 300}, {2000, 1300}},
        {"right arrow head corner", kShapeRightArrow, 0.3, true, {600, 0}, {1700, 1000}},
        {"right arrow shaft top middle", kShapeRightArrow, 0.3, true, {300, 0}, {1500, 1090}},
        {"left arrow tip", kShapeLeftArrow, 0.3, true, {0, 300}, {1000, 1300}},
        {"top arrow tip", kShapeTopArrow, 0.3, true, {300, 0}, {1500, 1000}},
        {"bottom arrow tip", kShapeBottomArrow, 0.3, true, {300, 600}, {1500, 1600}},
        {"input/output top middle, centred", kShapeInputOutput, 0.2, true, {300, 0}, {1500, 1000}},
        {"input/output top middle, old drawing", kShapeInputOutput, 0.2, false, {300, 0}, {1600, 1000}},
        {"input/output left side", kShapeInputOutput, 0.2, true, {0, 300}, {1100, 1300}},
        {"input/output right side", kShapeInputOutput, 0.2, true, {600, 300}, {1900, 1300}},
        {"document wave at 150", kShapeDocument, 0.1, true, {150, 600}, {1250, 1600}},
        {"document wave at 450", kShapeDocument, 0.1, true, {450, 600}, {1750, 1480}},
        {"document bottom middle", kShapeDocument, 0.1, true, {300, 600}, {1500, 1540}},
        {"octagon cut corner", kShapeOctagon, 0.33, true, {0, 0}, {1099, 1099}},
        {"octagon left middle", kShapeOctagon, 0.33, true, {0, 300}, {1000, 1300}},
        {"octagon right upper", kShapeOctagon, 0.33, true, {600, 150}, {2000, 1198}},
        {"octagon top at 150", kShapeOctagon, 0.33, true, {150, 0}, {1198, 1000}},
        {"online storage centre", kShapeOnlineStorage, 0.2, true, {300, 300}, {1400, 1300}},
        {"online storage top middle", kShapeOnlineStorage, 0.2, true, {300, 0}, {1500, 1000}},
        {"preparation right upper", kShapePreparation, 0.25, true, {600, 150}, {1875, 1150}},
        {"off-page lower side", kShapeOffPage, 0.3, true, {150, 600}, {1250, 1510}},
        {"off-page tip", kShapeOffPage, 0.3, true, {300, 600}, {1500, 1600}},
        {"manual input top left", kShapeManualInput, 0.2, true, {0, 0}, {1000, 1120}},
        {"manual input left middle, centred", kShapeManualInput, 0.2, true, {0, 300}, {1000, 1300}},
        {"manual input left middle, old drawing", kShapeManualInput, 0.2, false, {0, 300}, {1000, 1360}},
        {"trapezoid top left", kShapeTrapezoid, 0.2, true, {0, 0}, {1200, 1000}},
        {"trapezoid centre", kShapeTrapezoid, 0.2, true, {300, 300}, {1500, 1300}},
        {"manual operation bottom left", kShapeManualOperation, 0.2, true, {0, 600}, {1200, 1600}},
        {"pentagon left upper", kShapePentagon, 0.3, true, {0, 150}, {1150, 1150}},
        {"display left upper", kShapeDisplay, 0.2, true, {0, 150}, {1100, 1150}},
        {"triangle centre", kShapeTriangle, 0.0, true, {300, 300}, {1500, 1300}},
    };
    for (const Row& row : rows) {
        DrawingRecord drawing = DrawingWithFlags(row.centred ? static_cast<uint32_t>(kDrawingCentredMiddle) : 0u);
        DrawingObject object = Shape(kFrame, row.type, row.parameter);
        POINT mapped = MapOne(&drawing, &object, row.box);
        EXPECT_EQ(row.expected.x, mapped.x) << row.name;
        EXPECT_EQ(row.expected.y, mapped.y) << row.name;
    }
}

TEST(MapShapeBoxPoints, OvalPointsMoveAlongTheRayOntoTheEllipse)
{
    DrawingRecord drawing = DrawingWithFlags(kDrawingCentredMiddle);
    for (int type : {kShapeOval, kShapeCircle}) {
        DrawingObject oval = Shape({0, 0, 1200, 600}, type, 0.0);
        POINT corner = MapOne(&drawing, &oval, {0, 0});
        // a / sqrt 2 and b / sqrt 2 from the centre: about 176 and 88 inside.
        EXPECT_NEAR(176, corner.x, 1) << type;
        EXPECT_NEAR(88, corner.y, 1) << type;
        POINT left = MapOne(&drawing, &oval, {0, 300});
        EXPECT_EQ(0, left.x) << type;
        EXPECT_EQ(300, left.y) << type;
    }
}

TEST(MapShapeBoxPoints, TriangleSidesLieOnTheSlantedEdges)
{
    DrawingRecord drawing = DrawingWithFlags(kDrawingCentredMiddle);
    DrawingObject triangle = Shape(kFrame, kShapeTriangle, 0.0);
    POINT left = MapOne(&drawing, &triangle, {150, 300});
    // Halfway up the left edge from (1000, 1600) to the apex (1500, 1000).
    EXPECT_NEAR(1250, left.x, 1);
    EXPECT_NEAR(1300, left.y, 1);
    DrawingObject reverse = Shape(kFrame, kShapeReverseTriangle, 0.0);
    POINT right = MapOne(&drawing, &reverse, {450, 300});
    EXPECT_NEAR(1750, right.x, 1);
    EXPECT_NEAR(1300, right.y, 1);
}

TEST(MapShapeBoxPoints, RoundedCornersMoveInByTheTextInsetsOnlyAtCorners)
{
    DrawingRecord drawing = DrawingWithFlags(kDrawingCentredMiddle);
    DrawingObject rounded = Shape(kFrame, kShapeRoundRect, 0.2);
    rounded.textInsets = {30, 20, 40, 50};
    POINT alone = MapOne(&drawing, &rounded, {0, 0});
    EXPECT_EQ(1030, alone.x);
    EXPECT_EQ(1020, alone.y);
    POINT bottomRight = MapOne(&drawing, &rounded, {600, 600});
    EXPECT_EQ(1960, bottomRight.x);
    EXPECT_EQ(1550, bottomRight.y);

    // In a list the index is the perimeter position: the first point is a
    // corner, the third is not (whatever it holds).
    POINT list[16] = {{0, 0}, {150, 0}, {0, 0}};
    for (int i = 3; i < 16; ++i)
        list[i] = {300, 300};
    MapShapeBoxPoints(&drawing, &rounded, -1, 0, 16, list);
    EXPECT_EQ(1030, list[0].x);
    EXPECT_EQ(1000, list[2].x);
    EXPECT_EQ(1000, list[2].y);
}

TEST(MapShapeBoxPoints, MirroringByTypeAndCode)
{
    DrawingRecord drawing = DrawingWithFlags(kDrawingCentredMiddle);
    // A mirrored document mirrors its points.
    DrawingObject document = Shape(kFrame, kShapeDocument, 0.1);
    document.optionFlags = kOptionFlipV;
    POINT wave = MapOne(&drawing, &document, {150, 600}, 5);
    EXPECT_EQ(1250, wave.x);
    EXPECT_EQ(1000, wave.y);
    // A box position (code above 200) is never mirrored.
    POINT position = MapOne(&drawing, &document, {150, 600}, 206);
    EXPECT_EQ(1600, position.y);
    // A mirrored octagon never mirrors.
    DrawingObject octagon = Shape(kFrame, kShapeOctagon, 0.33);
    octagon.optionFlags = kOptionFlipH | kOptionFlipV;
    POINT corner = MapOne(&drawing, &octagon, {0, 0}, 1);
    EXPECT_EQ(1099, corner.x);
    EXPECT_EQ(1099, corner.y);
    // A plain rectangle mirrors only when the points are a symbol's own.
    DrawingObject rectangle = Shape(kFrame, kShapeRectangle, 0.0);
    rectangle.optionFlags = kOptionFlipH;
    EXPECT_EQ(1000, MapOne(&drawing, &rectangle, {0, 0}, 1).x);
    rectangle.stateFlags = kStateSymbolConnectPoints;
    EXPECT_EQ(2000, MapOne(&drawing, &rectangle, {0, 0}, 1).x);
}

TEST(MapShapeBoxPoints, BoxPositionsAreTurnedButNotMirrored)
{
    DrawingRecord drawing = DrawingWithFlags(kDrawingCentredMiddle);
    DrawingObject document = Shape(kFrame, kShapeDocument, 0.1);
    document.optionFlags = kOptionFlipV;
    document.rotation = 900;
    POINT top = MapOne(&drawing, &document, {300, 0}, 205);
    EXPECT_NEAR(1200, top.x, 1);
    EXPECT_NEAR(1300, top.y, 1);
    // The same point as connect code 5 is mirrored to the bottom first.
    POINT mirrored = MapOne(&drawing, &document, {300, 0}, 5);
    EXPECT_NEAR(1800, mirrored.x, 1);
    EXPECT_NEAR(1300, mirrored.y, 1);
}

TEST(GetBoxCornerCode, CornersByPerimeterPosition)
{
    EXPECT_EQ(0, GetBoxCornerCode(0, 0));
    EXPECT_EQ(4, GetBoxCornerCode(600, 0));
    EXPECT_EQ(8, GetBoxCornerCode(600, 600));
    EXPECT_EQ(12, GetBoxCornerCode(0, 600));
    EXPECT_EQ(2, GetBoxCornerCode(300, 0));
    EXPECT_EQ(2, GetBoxCornerCode(300, 300));
}

} // namespace
