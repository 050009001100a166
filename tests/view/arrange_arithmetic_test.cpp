// The sums behind the arrange commands.
#include <gtest/gtest.h>

#include <set>

#include "view/arrange_arithmetic.h"
#include "view/editor_insets.h"
#include "view/fit_editor_box.h"
#include "objects/shape_types.h"

namespace {

TEST(ArrangeArithmetic, GroupKeysGoBelowTheSmallestOrAboveTheLargest)
{
    struct Case {
        const char* name;
        uint32_t smallest;
        uint32_t largest;
        int32_t key;
    } cases[] = {
        {"empty table", kNoSmallestKey, kNoLargestKey, 1},
        {"after key 1", 1, 1, 2},
        {"group 1 deleted, 2 left", 2, 2, 1},
        {"room below", 5, 9, 4},
        {"no room below the top", 0xFFFF, 0xFFFF, 0x10000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.key, NextGroupKey(c.smallest, c.largest)) << c.name;
}

// Copies numbered from "smallest - selected rows" by their row number could
// land on a key in use, merging two groups.
TEST(ArrangeArithmetic, DuplicatedGroupsNeverTakeAnExistingKey)
{
    struct Case {
        const char* name;
        std::set<uint32_t> keys;
    } cases[] = {
        {"three rows, room below", {5, 6, 7}},
        {"no room below", {1, 2, 3}},
        {"sparse", {4, 100, 3000}},
        {"one row", {2}},
    };
    for (const Case& c : cases) {
        const int rows = static_cast<int>(c.keys.size());
        const int32_t base = DuplicateKeyBase(*c.keys.begin(), *c.keys.rbegin(), rows);
        for (int row = 0; row < rows; ++row) {
            const int32_t key = base + row;
            EXPECT_GE(key, 1) << c.name;
            EXPECT_EQ(0u, c.keys.count(static_cast<uint32_t>(key))) << c.name << " row " << row;
        }
    }
}

TEST(ArrangeArithmetic, DuplicateStepKeepsTheCopyInsideTheDrawing)
{
    struct Case {
        const char* name;
        RECT united;
        int dx, dy;
        int wantDx, wantDy;
    } cases[] = {
        {"room enough", {1000, 1000, 2000, 2000}, 300, 300, 300, 300},
        {"near the right edge", {9500, 1000, 9900, 2000}, 300, 300, 100, 300},
        {"near the bottom edge", {1000, 9800, 2000, 9950}, 300, 300, 300, 50},
        {"left step past the edge", {100, 1000, 500, 2000}, -300, 0, -100, 0},
        {"up step past the edge", {1000, 50, 2000, 400}, 0, -300, 0, -50},
    };
    for (const Case& c : cases) {
        int dx = c.dx;
        int dy = c.dy;
        ClampDuplicateStep(c.united, 10000, 10000, &dx, &dy);
        EXPECT_EQ(c.wantDx, dx) << c.name;
        EXPECT_EQ(c.wantDy, dy) << c.name;
    }
}

TEST(ArrangeArithmetic, AlignOffsetsPerMode)
{
    const RECT target = {0, 0, 100, 60};
    const RECT object = {500, 200, 531, 231};
    struct Case {
        const char* name;
        int mode;
        POINT offset;
    } cases[] = {
        {"lefts", kAlignLefts, {-500, 0}},
        {"rights", kAlignRights, {-431, 0}},
        {"centres: 50 - 15 - 500", kAlignCentres, {-465, 0}},
        {"tops", kAlignTops, {0, -200}},
        {"middles: 30 - 15 - 200", kAlignMiddles, {0, -185}},
        {"bottoms", kAlignBottoms, {0, -171}},
    };
    for (const Case& c : cases) {
        const POINT got = AlignOffset(c.mode, target, object);
        EXPECT_EQ(c.offset.x, got.x) << c.name;
        EXPECT_EQ(c.offset.y, got.y) << c.name;
    }
}

TEST(ArrangeArithmetic, EvenGapFromTheFurthestFarEdge)
{
    struct Case {
        const char* name;
        int firstNear, furthestFar, total, count, gap;
    } cases[] = {
        {"three of 100 over 1000", 0, 1000, 300, 3, 350},
        {"far edges not growing with the keys", 0, 900, 500, 3, 200},
        {"touching: no gap", 0, 300, 300, 3, 0},
        {"truncated", 0, 1001, 300, 3, 350},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.gap, EvenGap(c.firstNear, c.furthestFar, c.total, c.count)) << c.name;
}

TEST(ArrangeArithmetic, ProportionalItemsGrowInProportionOrRefuse)
{
    struct Case {
        const char* name;
        int w, h, dw, dh;
        bool width;
        bool fits;
        int newW, newH;
    } cases[] = {
        {"twice as wide", 100, 50, 100, 0, true, true, 200, 100},
        {"twice as high", 100, 50, 0, 50, false, true, 200, 100},
        {"too high for the drawing", 1000, 1000, 9500, 0, true, false, 0, 0},
    };
    for (const Case& c : cases) {
        int newW = 0;
        int newH = 0;
        EXPECT_EQ(c.fits, ProportionalSize(c.w, c.h, c.dw, c.dh, c.width, 10000, 10000, &newW, &newH)) << c.name;
        if (c.fits) {
            EXPECT_EQ(c.newW, newW) << c.name;
            EXPECT_EQ(c.newH, newH) << c.name;
        }
    }
}

TEST(ArrangeArithmetic, GrowingUnderASizingConstraint)
{
    struct Case {
        const char* name;
        int constraint, dx, dy;
        RECT want;
    } cases[] = {
        {"free", 0, 6, 6, {0, 0, 606, 306}},
        {"width only", 1, 6, 6, {0, 0, 606, 300}},
        {"height only: width never changes", 2, 6, 0, {0, 0, 600, 300}},
        {"keep aspect", 3, 6, 0, {0, 0, 606, 303}},
    };
    for (const Case& c : cases) {
        RECT frame = {0, 0, 600, 300};
        GrowUnderConstraint(&frame, c.constraint, c.dx, c.dy);
        EXPECT_TRUE(EqualRect(&frame, &c.want) != FALSE) << c.name;
    }
}

TEST(ArrangeArithmetic, MirroringInsideAGroupSwapsPlaces)
{
    // A group 0..1000 with items at 0..200 and 700..1000.
    EXPECT_EQ(800, MirrorOffset(0, 1000, 0, 200));
    EXPECT_EQ(-700, MirrorOffset(0, 1000, 700, 1000));
}

} // namespace

namespace {

TEST(EditorPlacement, TheBoxGrowsTheWayItsTextIsAligned)
{
    const RECT box = {1000, 1000, 2000, 1500};
    struct Case {
        const char* name;
        int width, height, horizontal, vertical;
        RECT want;
    } cases[] = {
        {"left and top: right and down", 1200, 900, 0, 0, {1000, 1000, 2200, 1900}},
        {"right aligned grows left", 1200, 500, 2, 0, {800, 1000, 2000, 1500}},
        {"centred grows both ways", 1201, 500, 6, 0, {900, 1000, 2101, 1500}},
        {"bottom aligned grows up", 1000, 700, 0, 8, {1000, 800, 2000, 1500}},
        {"middle grows both ways", 1000, 700, 0, 6, {1000, 900, 2000, 1600}},
        {"kept inside on the left", 3000, 500, 2, 0, {0, 1000, 3000, 1500}},
        {"kept inside at the bottom", 1000, 1500, 0, 0, {1000, 500, 2000, 2000}},
    };
    for (const Case& c : cases) {
        const RECT placed = PlaceEditorBox(box, c.width, c.height, c.horizontal, c.vertical, 10000, 2000);
        EXPECT_TRUE(EqualRect(&placed, &c.want) != FALSE)
            << c.name << ": " << placed.left << "," << placed.top << "," << placed.right << "," << placed.bottom;
    }
}

// A decision keeps its text a quarter of its size from each side: as the
// editor's box widens, its side insets widen too. A text-sized shape's box is
// the text's, so the request grows by what the insets take.
TEST(EditorPlacement, MarginsFollowTheShapesTextInsets)
{
    struct Case {
        const char* name;
        int kind, shapeType, textBoxWord;
        SIZE current, requested;
        RECT shadow;
        RECT change;
        SIZE size;
    } cases[] = {
        {"a rectangle has no insets", kKindShape, kShapeRectangle, 0, {1000, 600}, {1200, 600}, {0, 0, 0, 0},
         {0, 0, 0, 0}, {1200, 600}},
        {"a wider decision", kKindShape, kShapeDecision, 0, {1000, 600}, {1200, 600}, {0, 0, 0, 0},
         {-50, 0, -50, 0}, {1200, 600}},
        {"the shadow is not the shape's", kKindShape, kShapeDecision, 0, {1060, 660}, {1260, 660}, {0, 0, 60, 60},
         {-50, 0, -50, 0}, {1260, 660}},
        {"a text-sized decision asks for room for its insets", kKindShape, kShapeDecision, 1, {1000, 600},
         {1200, 600}, {0, 0, 0, 0}, {-100, 0, -100, 0}, {1400, 600}},
        {"a line's label keeps its margins", kKindLine, kShapeDecision, 1, {1000, 600}, {1200, 600}, {0, 0, 0, 0},
         {0, 0, 0, 0}, {1200, 600}},
    };
    for (const Case& c : cases) {
        DrawingObject owner = {};
        owner.kind = c.kind;
        owner.shapeType = c.shapeType;
        owner.textBoxWord = c.textBoxWord;
        const EditorInsetChange fit = ComputeEditorInsetChange(owner, c.current, c.requested, c.shadow);
        EXPECT_TRUE(EqualRect(&fit.change, &c.change) != FALSE)
            << c.name << ": " << fit.change.left << "," << fit.change.top << "," << fit.change.right << ","
            << fit.change.bottom;
        EXPECT_EQ(c.size.cx, fit.size.cx) << c.name;
        EXPECT_EQ(c.size.cy, fit.size.cy) << c.name;
    }
}

} // namespace
