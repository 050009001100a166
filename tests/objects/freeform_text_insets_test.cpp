// Text insets fitted to the outline of a freeform shape.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "objects/drawing_layout.h"
#include "objects/freeform_outline.h"
#include "objects/freeform_text_insets.h"
#include "objects/object_kind_table.h"
#include "objects/shape_types.h"

namespace {

const double kTolerance = 1e-9;
// What the shape holds before the fit, so that a fit that writes nothing shows.
const double kUnfitted = 0.33;

const int kCountAsStored = INT_MIN;

// A FreeformOutline record of straight pieces; `headCount` overrides the
// vertex count in the head and `bytes` the record's size (0: as needed).
HGLOBAL MakeRecord(const std::vector<POINT>& vertices, int width, int height, int headCount = kCountAsStored,
                   SIZE_T bytes = 0)
{
    SIZE_T needed = sizeof(FreeformHead) + sizeof(FreeformVertex) * vertices.size();
    SIZE_T size = bytes ? bytes : needed;
    HGLOBAL record = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* block = static_cast<unsigned char*>(GlobalLock(record));
    FreeformHead head = {};
    head.vertexCount = headCount == kCountAsStored ? static_cast<int>(vertices.size()) : headCount;
    head.width = width;
    head.height = height;
    std::memcpy(block, &head, std::min<SIZE_T>(sizeof(head), size));
    for (size_t i = 0; i < vertices.size() && sizeof(FreeformHead) + sizeof(FreeformVertex) * (i + 1) <= size; ++i) {
        FreeformVertex* v = FreeformVertexAt(block, static_cast<int>(i));
        v->kind = kKindLine;
        v->x = vertices[i].x;
        v->y = vertices[i].y;
    }
    GlobalUnlock(record);
    return record;
}

DrawingObject FreeformShape()
{
    DrawingObject object = {};
    object.kind = kKindShape;
    object.shapeType = kShapeFreeform;
    for (double& fraction : object.textInsetFractions)
        fraction = kUnfitted;
    return object;
}

struct Insets {
    double left, top, right, bottom;
};

void ExpectInsets(const Insets& expected, const DrawingObject& object)
{
    EXPECT_NEAR(expected.left, object.textInsetFractions[0], kTolerance) << "left";
    EXPECT_NEAR(expected.top, object.textInsetFractions[1], kTolerance) << "top";
    EXPECT_NEAR(expected.right, object.textInsetFractions[2], kTolerance) << "right";
    EXPECT_NEAR(expected.bottom, object.textInsetFractions[3], kTolerance) << "bottom";
}

// Every outline is 1000 x 1000 unless it says otherwise. The scan lines stand
// at 0, 80, ..., 720 from one side and at 1000, 920, ..., 280 from the other;
// a probe that meets a notch moves inward by 50.
TEST(FitFreeformTextInsets, OutlinesTable)
{
    struct Case {
        const char* name;
        std::vector<POINT> outline;
        int width, height;
        Insets expected;
    };
    const std::vector<Case> cases = {
        // The edge lines x = 0 and x = 1000 already span the whole square.
        {"square", {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}}, 1000, 1000, {0, 0, 0, 0}},
        // x = 0 meets 0 and 1000, x = 1000 meets 600 and 1000: the foot, 1000
        // by 400 (the upright, 400 by 1000, is not on a scan line; the
        // horizontal scan's best is 400 by 920).
        {"L shape",
         {{0, 0}, {400, 0}, {400, 600}, {1000, 600}, {1000, 1000}, {0, 1000}, {0, 0}},
         1000,
         1000,
         {0, 0.6, 0, 0}},
        // Base along the top, apex at (400, 1000): x = 160 meets the left side
        // at 400 and x = 760 the right side at 400, giving 600 by 400 = 240000;
        // the horizontal scan's best is 480 by 440.
        {"triangle", {{0, 0}, {1000, 0}, {400, 1000}, {0, 0}}, 1000, 1000, {0.16, 0, 0.24, 0.6}},
        // A V notch 200 deep in the top edge: the probes at y = 1, 51, 101,
        // 151 meet it, the one at 201 does not, so the top stops at 200.
        {"notched top",
         {{0, 0}, {400, 0}, {500, 200}, {600, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}},
         1000,
         1000,
         {0, 0.2, 0, 0}},
        // The bar (1000 x 100) beats the stem (100 x 920): bottom 0.9 is over
        // the 0.8 the pair may take and gives back 0.1.
        {"T",
         {{0, 0}, {1000, 0}, {1000, 100}, {550, 100}, {550, 1000}, {450, 1000}, {450, 100}, {0, 100}, {0, 0}},
         1000,
         1000,
         {0, 0, 0, 0.8}},
        // The arm across the full width (1000 x 100) at 450..550: 0.45 and
        // 0.45 both give back 0.1.
        {"T on its side",
         {{0, 0}, {100, 0}, {100, 450}, {1000, 450}, {1000, 550}, {100, 550}, {100, 1000}, {0, 1000}, {0, 0}},
         1000,
         1000,
         {0, 0.35, 0, 0.35}},
        // Flat: no scan line crosses it twice, so no rectangle.
        {"degenerate line", {{0, 0}, {1000, 0}, {0, 0}}, 1000, 0, {0.2, 0.2, 0.2, 0.2}},
        {"single point", {{0, 0}}, 0, 0, {0.2, 0.2, 0.2, 0.2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HGLOBAL record = MakeRecord(c.outline, c.width, c.height);
        DrawingObject object = FreeformShape();
        FitFreeformTextInsets(record, &object);
        ExpectInsets(c.expected, object);
        GlobalFree(record);
    }
}

// A record whose head promises more than it holds, or whose points leave its
// own box, is not read past its end and gets the insets of an outline that
// holds no rectangle.
TEST(FitFreeformTextInsets, DamagedRecordsGetTheDefaultInsets)
{
    const std::vector<POINT> square = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}};
    const SIZE_T squareBytes = sizeof(FreeformHead) + sizeof(FreeformVertex) * square.size();
    struct Case {
        const char* name;
        std::vector<POINT> outline;
        int width, height, headCount;
        SIZE_T bytes;
    };
    const std::vector<Case> cases = {
        {"count beyond the record", square, 1000, 1000, 1000000, squareBytes},
        {"negative count", square, 1000, 1000, -5, squareBytes},
        {"shorter than its head", square, 1000, 1000, 5, sizeof(FreeformHead) - 4},
        {"negative width", square, -1000, 1000, 5, squareBytes},
        {"larger than any drawing",
         {{0, 0}, {100000, 0}, {100000, 100000}, {0, 100000}, {0, 0}},
         100000,
         100000,
         5,
         squareBytes},
        {"point outside its box", {{0, 0}, {1000, 0}, {1000, 2000000000}, {0, 1000}, {0, 0}}, 1000, 1000, 5,
         squareBytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HGLOBAL record = MakeRecord(c.outline, c.width, c.height, c.headCount, c.bytes);
        DrawingObject object = FreeformShape();
        FitFreeformTextInsets(record, &object);
        ExpectInsets({0.2, 0.2, 0.2, 0.2}, object);
        GlobalFree(record);
    }
}

TEST(CountLineCrossings, SharedEndsCountOnceAndAThirdStops)
{
    const POINT square[] = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}};
    const POINT notched[] = {{0, 0}, {400, 0}, {500, 200}, {600, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}};
    struct Case {
        const char* name;
        const POINT* points;
        int count;
        double value;
        bool vertical;
        int expected;
        int first, second;
    };
    const Case cases[] = {
        {"middle of the square, ascending", square, 5, 500, true, 2, 0, 1000},
        // (0, 1000) ends one side and starts the next.
        {"through a corner", square, 5, 0, true, 2, 0, 1000},
        {"across the notch", notched, 8, 100, false, 3, 0, 0},
        {"below the notch", notched, 8, 201, false, 2, 0, 1000},
        {"outside", square, 5, 1001, true, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int crossings[2] = {0, 0};
        ASSERT_EQ(c.expected, CountLineCrossings(c.points, c.count, c.value, crossings, c.vertical));
        if (c.expected == 2) {
            EXPECT_EQ(c.first, crossings[0]);
            EXPECT_EQ(c.second, crossings[1]);
        }
    }
}

} // namespace
