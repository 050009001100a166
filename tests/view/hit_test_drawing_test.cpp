#include <gtest/gtest.h>

#include <cstring>

#include "edit_fixture.h"
#include "objects/shape_handles.h"
#include "view/hit_test_drawing.h"

namespace {

class HitTestDrawingTest : public EditFixture {
protected:
    // The centre of the handle of a code on object `index`.
    POINT HandleCentre(int index, int code)
    {
        RECT rects[8];
        int codes[8];
        int count = GetShapeHandleRects(Drawing(), Object(index), rects, codes);
        for (int i = 0; i < count; ++i)
            if (codes[i] == code)
                return POINT{(rects[i].left + rects[i].right) / 2, (rects[i].top + rects[i].bottom) / 2};
        ADD_FAILURE() << "no handle " << code;
        return POINT{0, 0};
    }
    int Hit(POINT p, int* index, int* kind)
    {
        return HitTestDrawing(DrawingHandle(), p.x, p.y, 10, nullptr, index, kind, FALSE);
    }
};

TEST_F(HitTestDrawingTest, EmptyDrawingHitsNothingAndLeavesIndexUnwritten)
{
    int index = 77, kind = 5;
    EXPECT_EQ(0, Hit(POINT{1000, 1000}, &index, &kind));
    EXPECT_EQ(77, index);
    EXPECT_EQ(-1, kind);
}

TEST_F(HitTestDrawingTest, TableOfPresses)
{
    // 0 below, 1 above and overlapping it, 2 apart and locked.
    ASSERT_EQ(0, Create(RECT{1000, 1000, 3000, 2000}));
    ASSERT_EQ(0, Create(RECT{2000, 1500, 4000, 2500}));
    ASSERT_EQ(0, Create(RECT{6000, 6000, 8000, 7000}));
    Object(2)->stateFlags |= kStateLocked;
    struct Case {
        const char* name;
        POINT point;
        int code;
        int index;
    } cases[] = {
        {"outside every object", {500, 500}, 0, -1},
        {"body of the lower object", {1010, 1010}, 40, 0},
        {"overlap goes to the top object", {2010, 1600}, 40, 1},
        {"locked body can only be clicked", {7000, 6500}, 10, 2},
    };
    for (const Case& c : cases) {
        int index = -1, kind = -1;
        EXPECT_EQ(c.code, Hit(c.point, &index, &kind)) << c.name;
        EXPECT_EQ(c.index, index) << c.name;
    }
}

TEST_F(HitTestDrawingTest, SelectedHandleWinsOverObjectAbove)
{
    ASSERT_EQ(0, Create(RECT{1000, 1000, 3000, 2000}));
    ASSERT_EQ(0, Create(RECT{2500, 1500, 4000, 2500}));
    POINT corner = HandleCentre(0, 4);   // bottom-right, under object 1
    int index = -1, kind = -1;
    int code = Hit(corner, &index, &kind);
    EXPECT_TRUE(code == 40 || code == 44) << "unselected: the top object's body or text area, " << code;
    EXPECT_EQ(1, index);
    Object(0)->stateFlags |= kStateSelected;
    Drawing()->selectedCount = 1;
    EXPECT_EQ(4, Hit(corner, &index, &kind));
    EXPECT_EQ(0, index);
    EXPECT_EQ(kKindShape, kind);
}

TEST_F(HitTestDrawingTest, LockedHandleHitsNothingAndStopsTheSearch)
{
    ASSERT_EQ(0, Create(RECT{1000, 1000, 3000, 2000}));
    ASSERT_EQ(0, Create(RECT{1000, 1000, 3000, 2000}));
    Object(1)->stateFlags |= kStateLocked | kStateSelected;
    Drawing()->selectedCount = 1;
    POINT corner = HandleCentre(1, 1);
    int index = -1, kind = -1;
    EXPECT_EQ(0, Hit(corner, &index, &kind));
}

TEST_F(HitTestDrawingTest, HandleOfGroupedObjectMovesTheGroup)
{
    ASSERT_EQ(0, Create(RECT{1000, 1000, 3000, 2000}));
    ASSERT_EQ(0, Create(RECT{4000, 1000, 6000, 2000}));
    Group({0, 1});
    POINT corner = HandleCentre(0, 1);
    int index = -1, kind = -1;
    EXPECT_EQ(40, Hit(corner, &index, &kind));
    EXPECT_EQ(0, index);
}

TEST_F(HitTestDrawingTest, ExclusionListIsNeverHit)
{
    ASSERT_EQ(0, Create(RECT{1000, 1000, 3000, 2000}));
    struct {
        int32_t token, count, capacity, index;
    } list = {0, 1, 2, 0};
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(list));
    std::memcpy(GlobalLock(block), &list, sizeof(list));
    GlobalUnlock(block);
    int index = -1, kind = -1;
    EXPECT_EQ(0, HitTestDrawing(DrawingHandle(), 1500, 1500, 10, block, &index, &kind, FALSE));
    GlobalFree(block);
}

TEST(SideCodeOfPoint, TableOfPoints)
{
    const RECT r = {10, 20, 110, 220};
    struct Case {
        const char* name;
        int x, y, code;
    } cases[] = {
        {"top-left", 10, 20, 1},   {"top-right", 110, 20, 2}, {"bottom-left", 10, 220, 3},
        {"bottom-right", 110, 220, 4}, {"top", 50, 20, 5},  {"bottom", 50, 220, 6},
        {"left", 10, 100, 7},      {"right", 110, 100, 8},   {"inside counts as bottom", 50, 100, 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.code, GetSideCodeOfPoint(&r, c.x, c.y)) << c.name;
}

} // namespace
