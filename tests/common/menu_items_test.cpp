// Swatch and bitmap menu items: their measures, the swatch pictures they
// paint, and checking the entry of a colour table.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/app_globals.h"
#include "common/menu_items.h"
#include "support/paint_canvas.h"

namespace {

// Wine's and Windows' usual check-mark width: 13 pixels, so 15 with its margin.
const int kUsualCheckMark = 13;

COLORREF At(const std::vector<uint32_t>& pixels, int width, int x, int y)
{
    const uint32_t pixel = pixels[static_cast<size_t>(y * width + x)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Count(const PaintCanvas& canvas, const RECT& area, COLORREF color)
{
    const std::vector<uint32_t> pixels = canvas.Pixels();
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += At(pixels, canvas.Width(), x, y) == color ? 1 : 0;
    return count;
}

DRAWITEMSTRUCT SwatchItem(HDC dc, ULONG_PTR value, RECT area)
{
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.itemAction = ODA_DRAWENTIRE;
    item.hDC = dc;
    item.rcItem = area;
    item.itemData = value;
    return item;
}

class MenuItems : public testing::Test {
protected:
    void SetUp() override { AppInstance = GetModuleHandleA(nullptr); }
};

TEST_F(MenuItems, SwatchesAreMeasuredWithoutTheCheckMark)
{
    if (GetSystemMetrics(SM_CXMENUCHECK) != kUsualCheckMark)
        GTEST_SKIP() << "the table is for a 13-pixel check mark";
    struct Case {
        const char* name;
        UINT id;
        bool style;
        UINT width;
        UINT height;
    } cases[] = {
        {"colour early in its list", 3105, false, 5, 20},
        {"colour id 40 of its hundred", 3140, false, 5, 20},
        {"colour id 41 sits in a narrower column", 3141, false, 8, 20},
        {"colour id 99", 3199, false, 8, 20},
        {"pattern 3", 1103, true, 15, 30},
        {"pattern 4 sits in a narrower column", 1104, true, 18, 30},
    };
    for (const Case& c : cases) {
        MEASUREITEMSTRUCT item = {};
        item.CtlType = ODT_MENU;
        item.itemID = c.id;
        if (c.style)
            MeasureStyleMenuItem(&item);
        else
            MeasureSwatchMenuItem(&item);
        EXPECT_EQ(c.width, item.itemWidth) << c.name;
        EXPECT_EQ(c.height, item.itemHeight) << c.name;
    }
}

TEST_F(MenuItems, AWideBitmapItemIsDrawnNarrowerThanItIsMeasured)
{
    const ULONG_PTR data = (26u << 24) | (129u << 16) | 7u;
    MEASUREITEMSTRUCT item = {};
    item.itemData = data;
    MeasureBitmapMenuItem(&item);
    EXPECT_EQ(static_cast<UINT>(29 - MenuCheckMarkWidth()), item.itemWidth);
    EXPECT_EQ(26u, item.itemHeight);
    EXPECT_EQ(26, BitmapItemDrawWidth(data));
}

TEST_F(MenuItems, SwatchPicturesShowTheirValue)
{
    const RECT swatch = {80, 0, 100, 20};
    const RECT inside = {84, 4, 97, 17};
    struct Case {
        const char* name;
        ULONG_PTR value;
        COLORREF inner;
        int innerAtLeast;
    } cases[] = {
        {"a red colour", RGB(255, 0, 0), RGB(255, 0, 0), 169},
        {"pattern 0 is plain white", kShadingSwatchTag, RGB(255, 255, 255), 169},
        {"pattern 3 is a black hatch on white", kShadingSwatchTag + 3, RGB(0, 0, 0), 10},
        {"a pattern past the hatches is plain white", kShadingSwatchTag + 9, RGB(255, 255, 255), 169},
        {"no colour is white under the transparent mark", kNoneSwatch, RGB(255, 255, 255), 60},
    };
    for (const Case& c : cases) {
        PaintCanvas picture(100, 20);
        DRAWITEMSTRUCT item = SwatchItem(picture.Dc(), c.value, swatch);
        DrawColourSwatch(&item, nullptr, false);
        EXPECT_GE(Count(picture, inside, c.inner), c.innerAtLeast) << c.name;
        EXPECT_EQ(1, Count(picture, {85, 1, 86, 2}, RGB(0x80, 0x80, 0x80))) << c.name << ": the sunken edge";
    }
}

TEST_F(MenuItems, TheTransparentSwatchIsLabelledOnItsLeft)
{
    PaintCanvas picture(100, 20);
    DRAWITEMSTRUCT item = SwatchItem(picture.Dc(), kNoneSwatch, {80, 0, 100, 20});
    DrawColourSwatch(&item, nullptr, false);
    const RECT label = {0, 0, 78, 20};
    EXPECT_GT(Count(picture, label, RGB(0, 0, 0)), 20) << "the word \"Transparent\"";
    EXPECT_GT(Count(picture, label, RGB(0xC0, 0xC0, 0xC0)), 500) << "on light grey";
    EXPECT_EQ(0, Count(picture, label, RGB(255, 255, 255))) << "the strip is filled";
    EXPECT_GT(Count(picture, {82, 2, 98, 18}, RGB(255, 0, 0)), 10) << "the red mark over the swatch";
}

TEST_F(MenuItems, CheckingByValueLeavesOneOrNoItemChecked)
{
    const LONG colours[] = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0)};
    const int count = 3;
    struct Case {
        const char* name;
        LONG value;
        int checked;
    } cases[] = {
        {"a colour of the table", RGB(255, 0, 0), 1},
        {"no colour checks the entry after the table", -1, 3},
        {"a colour absent from the table checks nothing", RGB(1, 2, 3), -1},
    };
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i <= count; ++i)
        AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(3100 + i), "swatch");
    for (const Case& c : cases) {
        CheckMenuItem(menu, 0, MF_BYPOSITION | MF_CHECKED);
        CheckMenuByValue(menu, colours, count, c.value);
        for (int i = 0; i <= count; ++i) {
            const bool checked = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0;
            EXPECT_EQ(i == c.checked, checked) << c.name << ", item " << i;
        }
    }
    EXPECT_EQ(-1, FindValueIndex(colours, count, RGB(1, 2, 3)));
    DestroyMenu(menu);
}

TEST_F(MenuItems, CheckingARangeReturnsWhereTheValueSits)
{
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < 5; ++i)
        AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(600 + i), "item");
    EXPECT_EQ(2, CheckMenuRange(menu, 603, 601, 605, MF_BYCOMMAND)) << "offset from the first id";
    EXPECT_TRUE(GetMenuState(menu, 603, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(4, CheckMenuRange(menu, 604, 0, 10, MF_BYPOSITION)) << "the position, the end cut to the items";
    EXPECT_FALSE(GetMenuState(menu, 603, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(1, CheckMenuRange(menu, 999, 1, 5, MF_BYPOSITION)) << "no match gives first";
    DestroyMenu(menu);
}

} // namespace
