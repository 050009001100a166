// The rules of new and edited symbols: grow modes from sizing hints, the
// picture size limit, the sizes the symbol dialog shows and takes, and the
// colours a placed picture symbol takes from the drawing.
#include <gtest/gtest.h>

#include "libraries/symbol_rules.h"

namespace {

struct GrowCase {
    const char* name;
    int hint;
    bool frameKnown;
    int16_t expected;
};

TEST(SymbolRules, GrowModeComesFromTheHintAndNeverStaysOutsideTheFourModes)
{
    const GrowCase cases[] = {
        {"free", 0, true, 0},
        {"horizontal", 1, true, 1},
        {"vertical", 2, true, 2},
        {"proportional", 3, true, 3},
        {"no frame", -1, false, 3},
        {"stray value with a frame", -1, true, 0},
        {"too large", 7, true, 0},
    };
    for (const GrowCase& c : cases)
        EXPECT_EQ(c.expected, GrowModeFromHint(c.hint, c.frameKnown)) << c.name;
}

struct SizeCase {
    const char* name;
    DWORD bytes;
    int colors;
    bool fits;
};

TEST(SymbolRules, APictureWithItsColoursMayHoldOneMillionBytes)
{
    const SizeCase cases[] = {
        {"exactly the limit", 1000000 - 4 * 10, 10, true},
        {"one byte more", 1000000 - 4 * 10 + 1, 10, false},
        {"no colours at the limit", 1000000, 0, true},
        {"colours alone past it", 0, 250001, false},
        {"huge picture", 0xFFFFFFF0u, 100, false},
    };
    for (const SizeCase& c : cases)
        EXPECT_EQ(c.fits, SymbolPictureFits(c.bytes, c.colors)) << c.name;
}

TEST(SymbolRules, CentimetresAndInchesConvertTo600UnitsAnInch)
{
    EXPECT_EQ(600, UnitsFromShown(2.54, true));
    EXPECT_EQ(600, UnitsFromShown(1.0, false));
    EXPECT_EQ(1500, UnitsFromShown(2.5, false));
    EXPECT_DOUBLE_EQ(2.54, ShownFromUnits(600, true));
    EXPECT_DOUBLE_EQ(0.5, ShownFromUnits(300, false));
}

struct TypedCase {
    const char* name;
    ShownSize before;
    bool widthTyped;
    double typed;
    bool proportional;
    double aspect;
    bool metric;
    ShownSize after;
};

TEST(SymbolRules, TypedSizesFollowTheAspectAndStayWithinFiftyInches)
{
    const TypedCase cases[] = {
        {"free width", {1, 1}, true, 2, false, 2, false, {2, 1}},
        {"proportional width of a tall picture", {1, 2}, true, 2, true, 2, false, {2, 4}},
        {"proportional height", {1, 2}, false, 1, true, 2, false, {0.5, 1}},
        {"200 cm cut to 127", {1, 1}, true, 200, false, 1, true, {127, 1}},
        {"proportional cut keeps the aspect", {1, 2}, true, 40, true, 2, false, {25, 50}},
        {"zero restores", {3, 4}, true, 0, false, 1, false, {3, 4}},
        {"no aspect keeps the other side", {3, 4}, true, 5, true, 0, false, {5, 4}},
    };
    for (const TypedCase& c : cases) {
        const ShownSize got = ApplyTypedSide(c.before, c.widthTyped, c.typed, c.proportional, c.aspect, c.metric);
        EXPECT_DOUBLE_EQ(c.after.width, got.width) << c.name;
        EXPECT_DOUBLE_EQ(c.after.height, got.height) << c.name;
    }
}

TEST(SymbolRules, APlacedPictureTakesTheDrawingsLookUnlessItsColoursAreFixed)
{
    DrawingObject object = {};
    object.fillColor = RGB(0, 0, 0);
    object.lineColor = RGB(255, 255, 255);
    object.fillMode = 0;
    object.lineWidth = 9;
    AdaptSymbolColors(&object, 0);
    EXPECT_EQ(RGB(255, 255, 255), object.fillColor) << "black fill to white";
    EXPECT_EQ(RGB(0, 0, 0), object.lineColor) << "white line to black";
    EXPECT_EQ(1, object.fillMode) << "solid";
    EXPECT_EQ(1, object.lineWidth) << "a default width of 0 draws 1";
    AdaptSymbolColors(&object, 20);
    EXPECT_EQ(20, object.lineWidth);
}

TEST(SymbolRules, ARestyledShapeThatWouldVanishKeepsAThinOutline)
{
    DrawingRecord drawing = {};
    drawing.style.fillColor = RGB(255, 255, 255);
    drawing.style.backgroundColor = RGB(255, 255, 255);
    drawing.style.borderColor = RGB(0, 0, 255);
    drawing.fillMode = 1;
    drawing.lineWidth = 5;
    DrawingObject shape = {};
    shape.kind = kKindShape;
    shape.fillColor = RGB(10, 10, 10);
    shape.fillMode = 1;
    shape.textRecordId = -1;
    RestyleSymbolObject(&shape, drawing);
    EXPECT_EQ(RGB(0, 0, 255), shape.lineColor);
    EXPECT_EQ(1, shape.lineWidth);
    DrawingObject line = {};
    line.kind = kKindLine;
    line.textRecordId = -1;
    RestyleSymbolObject(&line, drawing);
    EXPECT_EQ(5, line.lineWidth);
}

} // namespace
