#include <gtest/gtest.h>

#include "common/io_seam.h"
#include "common/menu_items.h"
#include "common/menu_bitmaps.h"
#include "frame/menu_build.h"
#include "resources/bitmap_ids.h"

namespace {

class MenuBitmapsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SeamDisarm();
        FreeMenuBitmaps();
    }
    HINSTANCE instance_ = GetModuleHandleA(nullptr);
};

} // namespace

TEST_F(MenuBitmapsTest, EntryZeroIsNeverLookedUp)
{
    int index = -1;
    HBITMAP first = AddMenuBitmap(instance_, IDB_PATTERN_FIRST, &index);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0, index);
    EXPECT_EQ(nullptr, GetMenuBitmap(0));
    HBITMAP second = AddMenuBitmap(instance_, IDB_PATTERN_FIRST + 1, &index);
    EXPECT_EQ(1, index);
    EXPECT_EQ(second, GetMenuBitmap(1));
    EXPECT_EQ(nullptr, GetMenuBitmap(2));
    EXPECT_EQ(nullptr, GetMenuBitmap(-1));
}

TEST_F(MenuBitmapsTest, TableGrowsBy25)
{
    int index = -1;
    for (int i = 0; i < 60; ++i)
        ASSERT_NE(nullptr, AddMenuBitmap(instance_, IDB_PATTERN_FIRST + i % 6, &index));
    EXPECT_EQ(59, index);
    EXPECT_EQ(75, MenuBitmaps.capacity);
    EXPECT_NE(nullptr, GetMenuBitmap(59));
}

TEST_F(MenuBitmapsTest, FailuresGiveNullAndMinusOne)
{
    struct Case {
        const char* name;
        int bitmapId;
        long faultAt;  // 0: no allocation fault
    };
    const Case cases[] = {
        {"MissingBitmap", 9999, 0},
        {"FirstBlockNotMade", IDB_PATTERN_FIRST, 1},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        FreeMenuBitmaps();
        if (row.faultAt)
            SeamArmFault(kSeamAlloc, row.faultAt, true);
        int index = 7;
        EXPECT_EQ(nullptr, AddMenuBitmap(instance_, row.bitmapId, &index));
        EXPECT_EQ(-1, index);
        SeamDisarm();
    }
}

TEST_F(MenuBitmapsTest, GrowthFailureKeepsWhatWasLoaded)
{
    int index = -1;
    for (int i = 0; i < 25; ++i)
        ASSERT_NE(nullptr, AddMenuBitmap(instance_, IDB_PATTERN_FIRST, &index));
    SeamArmFault(kSeamAlloc, 1, true);
    EXPECT_EQ(nullptr, AddMenuBitmap(instance_, IDB_PATTERN_FIRST, &index));
    SeamDisarm();
    EXPECT_EQ(25, MenuBitmaps.count);
    EXPECT_NE(nullptr, GetMenuBitmap(24));
}

TEST(MenuItemData, SizesDecodeFromTheHighWord)
{
    struct Case {
        const char* name;
        int sizeCode;
        int width;
        int drawWidth;
        int height;
    };
    const Case cases[] = {
        {"Square", 0x1A1A, 26, 26, 26},
        {"SquareLastColumn", 0x1A81, 29, 26, 26},
        {"Shape", 0x1819, 25, 25, 24},
        {"ShapeLastColumn", 0x1880, 28, 25, 24},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        ULONG_PTR data = BitmapItemData(7, row.sizeCode);
        EXPECT_EQ(7u, data & 0xFFFF);
        EXPECT_EQ(row.width, BitmapItemWidth(data));
        EXPECT_EQ(row.drawWidth, BitmapItemDrawWidth(data));
        EXPECT_EQ(row.height, BitmapItemHeight(data));
    }
    EXPECT_TRUE(IsShadingSwatch(kShadingSwatchTag + 3));
    EXPECT_FALSE(IsShadingSwatch(kNoneSwatch));
    EXPECT_FALSE(IsShadingSwatch(RGB(255, 0, 0)));
}
