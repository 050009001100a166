#include <gtest/gtest.h>

#include "common/app_globals.h"
#include "frame/app_startup.h"
#include "common/menu_bitmaps.h"
#include "frame/menu_build.h"
#include "frame/right_menu.h"
#include "resources/menu_ids.h"

namespace {

class MenuBuildTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppInstance = GetModuleHandleA(nullptr);
        WindowsMajorVersion = 4;
        MapiEnabled = 1;
        bar_ = LoadMenuA(AppInstance, MENU_MAIN);
        ASSERT_NE(nullptr, bar_);
        TakeMenuPopups(bar_);
    }
    void TearDown() override
    {
        DestroyRightMenu();
        DestroyMenu(bar_);
        FreeMenuBitmaps();
        for (HMENU& popup : MainMenuPopups)
            popup = nullptr;
    }
    HMENU Sub(int barPosition, int position) const { return GetSubMenu(MainMenuPopups[barPosition], position); }
    HMENU bar_ = nullptr;
};

} // namespace

TEST_F(MenuBuildTest, ColourPopupsHoldTheWholeColourTable)
{
    ASSERT_EQ(kErrNone, BuildMenuItems());
    struct Case {
        const char* name;
        HMENU popup;
        int count;
        UINT firstId;
    };
    const Case cases[] = {
        {"FillColor", Sub(MENU_POS_SHAPES, 0), 49, 3101},
        {"BorderColor", Sub(MENU_POS_SHAPES, 4), 48, 3401},
        {"LinesColor", Sub(MENU_POS_LINES, 1), 48, 3001},
        {"TextColor", Sub(MENU_POS_TEXT, 2), 48, 3201},
        {"BackgroundColor", Sub(MENU_POS_VIEW, 9), 49, 3301},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.count, GetMenuItemCount(row.popup));
        EXPECT_EQ(row.firstId, GetMenuItemID(row.popup, 0));
        EXPECT_EQ(row.firstId + 47, GetMenuItemID(row.popup, 47));
        EXPECT_TRUE(GetMenuState(row.popup, 0, MF_BYPOSITION) & MF_OWNERDRAW);
        EXPECT_TRUE(GetMenuState(row.popup, 8, MF_BYPOSITION) & MF_MENUBARBREAK);
    }
    EXPECT_EQ(3149u, GetMenuItemID(Sub(MENU_POS_SHAPES, 0), 48));
    EXPECT_EQ(3349u, GetMenuItemID(Sub(MENU_POS_VIEW, 9), 48));
}

TEST_F(MenuBuildTest, AttributeItemsCarryTheirIds)
{
    ASSERT_EQ(kErrNone, BuildMenuItems());
    HMENU shading = Sub(MENU_POS_SHAPES, 1);
    ASSERT_EQ(6, GetMenuItemCount(shading));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(static_cast<UINT>(1101 + i), GetMenuItemID(shading, i));
    EXPECT_TRUE(GetMenuState(shading, 3, MF_BYPOSITION) & MF_MENUBARBREAK);
    HMENU border = Sub(MENU_POS_SHAPES, 3);
    EXPECT_EQ(1302u, GetMenuItemID(border, 2));
    EXPECT_EQ(1303u, GetMenuItemID(border, 3));
    EXPECT_TRUE(GetMenuState(border, 2, MF_BYPOSITION) & MF_BITMAP);
    HMENU style = Sub(MENU_POS_LINES, 0);
    EXPECT_EQ(1902u, GetMenuItemID(style, 1));
    EXPECT_EQ(1903u, GetMenuItemID(style, 2));
    EXPECT_TRUE(GetMenuState(style, 10, MF_BYPOSITION) & MF_BITMAP);
    HMENU shapes = Sub(MENU_POS_SHAPES, 6);
    ASSERT_EQ(24, GetMenuItemCount(shapes));
    EXPECT_TRUE(GetMenuState(shapes, 6, MF_BYPOSITION) & MF_MENUBARBREAK);
    EXPECT_EQ(1407u, GetMenuItemID(shapes, 6));
}

TEST_F(MenuBuildTest, RightMenuSharesTheMenuBarPopups)
{
    ASSERT_EQ(kErrNone, BuildMenuItems());
    ASSERT_EQ(kErrNone, BuildRightMenu());
    HMENU lines = MainMenuPopups[MENU_POS_LINES];
    EXPECT_EQ(nullptr, GetSubMenu(lines, 3));
    EXPECT_EQ(static_cast<UINT>(IDM_LINE_SHAPE_PLACE), GetMenuItemID(lines, 3));
    HMENU lineShapes = GetSubMenu(RightMenu, RIGHT_POS_LINE_SHAPES);
    ASSERT_NE(nullptr, lineShapes);
    EXPECT_EQ(2401u, GetMenuItemID(lineShapes, 0));
    HMENU shape = GetSubMenu(RightMenu, RIGHT_POS_SHAPE);
    EXPECT_EQ(Sub(MENU_POS_SHAPES, 0), GetSubMenu(shape, 4));
    // Border Color in the right-button menu is the menu bar's, ids from 3401.
    EXPECT_EQ(Sub(MENU_POS_SHAPES, 4), GetSubMenu(shape, 7));
    EXPECT_EQ(3401u, GetMenuItemID(GetSubMenu(shape, 7), 0));
    HMENU background = GetSubMenu(RightMenu, RIGHT_POS_BACKGROUND);
    EXPECT_EQ(Sub(MENU_POS_VIEW, 9), GetSubMenu(background, 5));
    EXPECT_EQ(Sub(MENU_POS_DRAW, 1), GetSubMenu(background, 8));
    HMENU arrays = GetSubMenu(RightMenu, RIGHT_POS_ARRAY_STYLES);
    EXPECT_TRUE(GetMenuState(arrays, 0, MF_BYPOSITION) & MF_OWNERDRAW);
    EXPECT_TRUE(GetMenuState(arrays, 4, MF_BYPOSITION) & MF_MENUBARBREAK);

    HMENU fill = Sub(MENU_POS_SHAPES, 0);
    DestroyRightMenu();
    EXPECT_EQ(nullptr, RightMenu);
    // The shared popups still belong to the menu bar.
    EXPECT_TRUE(IsMenu(fill));
    EXPECT_EQ(49, GetMenuItemCount(fill));
    EXPECT_FALSE(IsMenu(lineShapes));
}

TEST_F(MenuBuildTest, WithoutMapiTheFileMenuHasNoSendPopup)
{
    HMENU bar = LoadMenuA(AppInstance, MENU_MAIN);
    const int before = GetMenuItemCount(GetSubMenu(bar, MENU_POS_FILE));
    MapiEnabled = 0;
    TakeMenuPopups(bar);
    HMENU file = GetSubMenu(bar, MENU_POS_FILE);
    EXPECT_EQ(before - 2, GetMenuItemCount(file));
    for (int i = 0; i < GetMenuItemCount(file); ++i)
        EXPECT_EQ(nullptr, GetSubMenu(file, i));
    DestroyMenu(bar);
    TakeMenuPopups(bar_);
}
