// Outline insets, parameter ranges and text insets of the shape types.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "objects/drawing_layout.h"
#include "objects/outline_insets.h"
#include "objects/shape_parameters.h"
#include "objects/shape_text_insets.h"

namespace {

struct InsetCase {
    const char* name;
    int type;
    RECT rect;
    int width;
    double parameter;
    RECT expected;
};

TEST(OutlineInsets, SlantedEdgesWidenTheInset)
{
    const std::vector<InsetCase> cases = {
        {"octagon keeps the width", 19, {0, 0, 600, 300}, 12, 0.33, {12, 12, 12, 12}},
        {"decision", 6, {0, 0, 600, 300}, 12, 0, {26, 13, 26, 13}},
        {"rectangle", 2, {0, 0, 600, 300}, 12, 0, {12, 12, 12, 12}},
        // d = 300: left = 12 (300 + 424.26) / 300, top = 12 * 424.26 / 300
        {"triangle", 14, {0, 0, 600, 300}, 12, 0, {28, 16, 28, 12}},
        {"reverse triangle", 15, {0, 0, 600, 300}, 12, 0, {28, 12, 28, 16}},
        // sh = 120: 12 (sqrt(300^2 + 120^2) + 120) / 300 = 17.7
        {"input/output", 5, {0, 0, 600, 300}, 12, 0.2, {17, 12, 17, 12}},
        // 12 sqrt(300^2 + 240^2) / 300 = 15.3; 12 (300 + 384.2) / 240 = 34.2
        {"right arrow", 10, {0, 0, 600, 300}, 12, 0.2, {12, 34, 15, 34}},
        {"left arrow", 11, {0, 0, 600, 300}, 12, 0.2, {15, 34, 12, 34}},
        // sv = 60: 12 (60 + sqrt(600^2 + 60^2)) / 600 = 13.26
        {"manual input", 16, {0, 0, 600, 300}, 12, 0.2, {12, 13, 12, 12}},
        // d = 150, sh = 150: 12 sqrt(2) * 150 / 150 = 16.97
        {"preparation", 21, {0, 0, 600, 300}, 12, 0.25, {16, 12, 16, 12}},
        {"pentagon", 23, {0, 0, 600, 300}, 12, 0.25, {16, 12, 12, 12}},
        {"input/output of zero height keeps the width", 5, {0, 0, 600, 0}, 12, 0.2, {12, 12, 12, 12}},
        {"arrow without a head keeps the width", 10, {0, 0, 600, 300}, 12, 0.0, {12, 12, 12, 12}},
        {"triangle of zero width keeps the width", 14, {0, 0, 0, 300}, 12, 0, {12, 12, 12, 12}},
    };
    for (const InsetCase& c : cases) {
        SCOPED_TRACE(c.name);
        RECT insets = {-7, -7, -7, -7};
        ComputeOutlineInsets(&c.rect, c.width, c.parameter, c.type, &insets);
        EXPECT_EQ(c.expected.left, insets.left);
        EXPECT_EQ(c.expected.top, insets.top);
        EXPECT_EQ(c.expected.right, insets.right);
        EXPECT_EQ(c.expected.bottom, insets.bottom);
    }
}

TEST(ShapeParameters, DefaultsAndRangesByType)
{
    struct Row {
        std::vector<int> types;
        ShapeParameterRange range;
    };
    const std::vector<Row> rows = {
        {{3, 5, 16, 17, 18, 20}, {0.2, 0.1, 0.4}},
        {{7}, {0.1, 0.05, 0.3}},
        {{10, 11, 12, 13, 22, 23}, {0.3, 0.1, 0.8}},
        {{19}, {0.33, 0.1, 0.4}},
        {{21}, {0.25, 0.1, 0.4}},
        {{24}, {0.33, 0.1, 0.5}},
        {{25}, {0.2, 0.1, 0.3}},
        {{0, 1, 2, 4, 6, 8, 9, 14, 15, 26, 27, -3}, {0, 0, 0}},
    };
    for (const Row& row : rows) {
        for (int type : row.types) {
            SCOPED_TRACE(type);
            ShapeParameterRange range = {-1, -1, -1};
            EXPECT_EQ(0, GetShapeParameterDefaults(type, &range));
            EXPECT_EQ(row.range.defaultValue, range.defaultValue);
            EXPECT_EQ(row.range.minimum, range.minimum);
            EXPECT_EQ(row.range.maximum, range.maximum);
        }
    }
}

DrawingObject ShapeIn(RECT frame, int type, double parameter, uint32_t options = 0)
{
    DrawingObject object;
    std::memset(&object, 0, sizeof(object));
    object.frame = frame;
    object.shapeType = type;
    object.adjust = parameter;
    object.optionFlags = options;
    return object;
}

TEST(ShapeTextInsets, RoundedRectangleUsesTheShorterSide)
{
    DrawingObject object = ShapeIn({0, 0, 1200, 300}, 3, 0.2);
    ComputeShapeTextInsets(&object, 0);
    EXPECT_EQ(17, object.textInsets.left);
    EXPECT_EQ(17, object.textInsets.top);
    EXPECT_EQ(17, object.textInsets.right);
    EXPECT_EQ(17, object.textInsets.bottom);
}

TEST(ShapeTextInsets, SizingFromTextScalesUpToTheShape)
{
    // f = 1/6 on each side; the text's extent is 2/3 of the shape's.
    DrawingObject object = ShapeIn({0, 0, 1201, 601}, 5, 0.2);
    ComputeShapeTextInsets(&object, 0);
    EXPECT_EQ(200, object.textInsets.left);
    EXPECT_EQ(100, object.textInsets.top);
    ComputeShapeTextInsets(&object, 1);
    EXPECT_EQ(300, object.textInsets.left);
    EXPECT_EQ(150, object.textInsets.top);
    EXPECT_EQ(300, object.textInsets.right);
    EXPECT_EQ(150, object.textInsets.bottom);
}

TEST(ShapeTextInsets, MirroringMovesTheSlantedSide)
{
    DrawingObject upright = ShapeIn({0, 0, 1000, 1000}, 16, 0.2);
    ComputeShapeTextInsets(&upright, 0);
    EXPECT_EQ(200, upright.textInsets.top);
    EXPECT_EQ(0, upright.textInsets.bottom);
    DrawingObject mirrored = ShapeIn({0, 0, 1000, 1000}, 16, 0.2, kOptionFlipV);
    ComputeShapeTextInsets(&mirrored, 0);
    EXPECT_EQ(0, mirrored.textInsets.top);
    EXPECT_EQ(200, mirrored.textInsets.bottom);
}

TEST(ShapeTextInsets, FixedFractionsByType)
{
    struct Row {
        int type;
        double left, top, right, bottom;
    };
    const std::vector<Row> rows = {
        {4, 0.146446609, 0.146446609, 0.146446609, 0.146446609},
        {6, 0.25, 0.25, 0.25, 0.25},
        {14, 0.25, 0.5, 0.25, 0},
        {15, 0.25, 0, 0.25, 0.5},
        {10, 0, 0.15, 0.7 * 0.3, 0.15},
        {13, 0.15, 0, 0.15, 0.7 * 0.3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        DrawingObject object = ShapeIn({0, 0, 1000, 1000}, row.type, 0.3);
        ComputeShapeTextInsets(&object, 0);
        EXPECT_DOUBLE_EQ(row.left, object.textInsetFractions[0]);
        EXPECT_DOUBLE_EQ(row.top, object.textInsetFractions[1]);
        EXPECT_DOUBLE_EQ(row.right, object.textInsetFractions[2]);
        EXPECT_DOUBLE_EQ(row.bottom, object.textInsetFractions[3]);
    }
}

TEST(ShapeTextInsets, StoredFractionsOfPlainTypesStay)
{
    for (int type : {0, 1, 2, 26}) {
        DrawingObject object = ShapeIn({0, 0, 1000, 500}, type, 0.3);
        object.textInsetFractions[0] = 0.1;
        object.textInsetFractions[3] = 0.2;
        ComputeShapeTextInsets(&object, 0);
        EXPECT_EQ(100, object.textInsets.left) << type;
        EXPECT_EQ(100, object.textInsets.bottom) << type;
    }
}

TEST(ShapeTextInsets, FractionsThatLeaveNoRoomAreNotDividedByZero)
{
    // An octagon with parameter 1 has fractions 0.5 on both sides: scaling up
    // from the text would divide by 1 - (0.5 + 0.5) = 0.
    for (double parameter : {1.0, 2.0}) {
        SCOPED_TRACE(parameter);
        DrawingObject object = ShapeIn({0, 0, 800, 400}, 19, parameter);
        ComputeShapeTextInsets(&object, 1);
        EXPECT_EQ(static_cast<int>(0.5 * parameter * 400), object.textInsets.left);
        EXPECT_EQ(static_cast<int>(0.5 * parameter * 400), object.textInsets.top);
        EXPECT_NE(INT_MAX, object.textInsets.right);
        EXPECT_NE(INT_MIN, object.textInsets.bottom);
    }
}

TEST(ShapeTextInsets, ZeroSizeShapeHasZeroInsets)
{
    DrawingObject object = ShapeIn({500, 500, 500, 500}, 14, 0.2);
    ComputeShapeTextInsets(&object, 1);
    EXPECT_EQ(0, object.textInsets.left);
    EXPECT_EQ(0, object.textInsets.top);
}

} // namespace
