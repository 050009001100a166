// The View popup as it opens: the active view's zoom radio-checked, every
// item but Show Toolbar greyed without a document.
#include <gtest/gtest.h>

#include "frame/view_menu.h"
#include "view/view_layout.h"
#include "objects/view_record_word.h"
#include "documents/view_settings.h"
#include "view/view_zoom.h"

namespace {

const int kViewPopup = 2;

class ViewMenu : public testing::Test {
protected:
    void SetUp() override
    {
        menu_ = LoadMenuA(GetModuleHandleA(nullptr), "MDMenu");
        ASSERT_NE(nullptr, menu_);
        popup_ = GetSubMenu(menu_, kViewPopup);
        ASSERT_NE(nullptr, popup_);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TessaryViewMenuTestView";
        windowClass.cbWndExtra = kViewWindowBytes;
        RegisterClassA(&windowClass);
        view_ = CreateWindowA("TessaryViewMenuTestView", "", WS_OVERLAPPED, 0, 0, 300, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, view_);
    }
    void TearDown() override
    {
        FreeWindowBlock(view_, kViewSettingsWord);
        DestroyWindow(view_);
        DestroyMenu(menu_);
    }
    bool Checked(int id) { return (GetMenuState(popup_, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    bool Grayed(int id) { return (GetMenuState(popup_, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

    HMENU menu_ = nullptr;
    HMENU popup_ = nullptr;
    HWND view_ = nullptr;
};

TEST_F(ViewMenu, TheActiveZoomIsTheOnlyOneChecked)
{
    struct Row {
        const char* name;
        int zoom;
        int flags;
        int checked;
    };
    const Row rows[] = {
        {"100 per cent", 0, 0, 304},          {"50 per cent", 500, 0, 302},
        {"75 per cent", 750, 0, 303},         {"150 per cent", 1500, 0, 305},
        {"200 per cent", 2000, 0, 306},       {"a custom scale", 1234, 0, 308},
        {"Fit to Window", 345, kViewFitMode, 301}, {"Fit to Page", 410, kViewFitMode | kViewFitPage, 307},
    };
    ASSERT_EQ(0, InitViewSettings(view_, 30000, 30000, 0, 0));
    for (const Row& row : rows) {
        ViewSettings settings;
        ASSERT_TRUE(ReadViewSettings(view_, &settings));
        settings.zoom = row.zoom;
        settings.flags = row.flags;
        WriteViewSettings(view_, settings);
        InitViewMenu(popup_, view_);
        for (int id = 301; id <= 308; ++id)
            EXPECT_EQ(id == row.checked, Checked(id)) << row.name << ": item " << id;
        EXPECT_FALSE(Grayed(304)) << row.name;
    }
}

TEST_F(ViewMenu, WithoutADocumentOnlyShowToolbarIsOffered)
{
    PaletteShown = 1;
    InitViewMenu(popup_, nullptr);
    EXPECT_TRUE(Grayed(304));
    EXPECT_TRUE(Grayed(307));
    EXPECT_FALSE(Grayed(314));
    EXPECT_TRUE(Checked(314));
    PaletteShown = 0;
    InitViewMenu(popup_, nullptr);
    EXPECT_FALSE(Checked(314));
    PaletteShown = 1;
}

} // namespace
