#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "libraries/library_menu.h"
#include "libraries/library_windows.h"
#include "libraries/library_table.h"
#include "objects/app_options.h"

namespace {

const int kFirstId = 1050;

struct Row {
    const char* folder;
    const char* file;
    bool window;
    bool docked;
};

struct MenuItem {
    std::string text;
    UINT id;
    bool checked;
};

class LibraryMenu : public testing::Test {
protected:
    void SetUp() override
    {
        ClearLibraryRows();
        std::memset(Options()->libraryWindows, 0, sizeof(Options()->libraryWindows));
        stand_in_ = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        menu_ = CreatePopupMenu();
        for (int i = 0; i < kLibrariesMenuFixedItems; ++i)
            AppendMenuA(menu_, MF_STRING, static_cast<UINT_PTR>(1001 + i), "fixed");
    }
    void TearDown() override
    {
        DestroyMenu(menu_);
        DestroyWindow(stand_in_);
        ClearLibraryRows();
        std::memset(Options()->libraryWindows, 0, sizeof(Options()->libraryWindows));
    }

    void Fill(const std::vector<Row>& rows)
    {
        for (size_t r = 0; r < rows.size(); ++r) {
            SavedLibraryWindow& entry = Options()->libraryWindows[r];
            std::strcpy(entry.folder, rows[r].folder);
            std::strcpy(entry.fileName, rows[r].file);
            LibraryWindows[r].window = rows[r].window ? stand_in_ : nullptr;
            LibraryWindows[r].docked = rows[r].docked ? 1 : 0;
        }
    }

    std::vector<MenuItem> List()
    {
        std::vector<MenuItem> items;
        const int count = GetMenuItemCount(menu_);
        EXPECT_GE(count, kLibrariesMenuFixedItems + 1);
        EXPECT_TRUE(GetMenuState(menu_, kLibrariesMenuFixedItems, MF_BYPOSITION) & MF_SEPARATOR);
        for (int i = kLibrariesMenuFixedItems + 1; i < count; ++i) {
            char text[64] = "";
            GetMenuStringA(menu_, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
            const UINT state = GetMenuState(menu_, static_cast<UINT>(i), MF_BYPOSITION);
            items.push_back({text, GetMenuItemID(menu_, i), (state & MF_CHECKED) != 0});
        }
        return items;
    }

    HWND stand_in_ = nullptr;
    HMENU menu_ = nullptr;
};

TEST_F(LibraryMenu, NothingRememberedGivesOnlyTheSeparator)
{
    BuildLibraryWindowsMenu(menu_, kFirstId);
    EXPECT_TRUE(List().empty());
}

TEST_F(LibraryMenu, ListsOpenCheckedAndRememberedOnce)
{
    struct Case {
        const char* name;
        std::vector<Row> rows;
        std::vector<MenuItem> expected;
    };
    const Case cases[] = {
        {"open and remembered",
         {{"C:\\LIB\\", "NET.VXL", true, false}, {"C:\\LIB\\", "PC1.vxl", false, false}},
         {{"NET", 1051, true}, {"PC1", 1052, false}}},
        {"remembered twice, listed once",
         {{"C:\\LIB\\", "NET.VXL", false, false}, {"c:\\lib\\", "net.vxl", false, false}},
         {{"NET", 1051, false}}},
        {"remembered twice, the open later row is shown",
         {{"C:\\LIB\\", "NET.VXL", false, false}, {"C:\\LIB\\", "NET.VXL", true, false}},
         {{"NET", 1052, true}}},
        {"docked not listed",
         {{"C:\\LIB\\", "NET.VXL", true, true}, {"C:\\LIB\\", "PC1.VXL", false, false}},
         {{"PC1", 1052, false}}},
        {"same name in two folders, both listed",
         {{"C:\\A\\", "NET.VXL", false, false}, {"C:\\B\\", "NET.VXL", false, false}},
         {{"NET", 1051, false}, {"NET", 1052, false}}},
    };
    for (const Case& test : cases) {
        TearDown();
        SetUp();
        Fill(test.rows);
        BuildLibraryWindowsMenu(menu_, kFirstId);
        const std::vector<MenuItem> items = List();
        ASSERT_EQ(test.expected.size(), items.size()) << test.name;
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(test.expected[i].text, items[i].text) << test.name;
            EXPECT_EQ(test.expected[i].id, items[i].id) << test.name;
            EXPECT_EQ(test.expected[i].checked, items[i].checked) << test.name;
        }
    }
}

TEST_F(LibraryMenu, BuildingTwiceGivesTheSameMenu)
{
    Fill({{"C:\\LIB\\", "NET.VXL", true, false}, {"C:\\LIB\\", "PC1.vxl", false, false}});
    BuildLibraryWindowsMenu(menu_, kFirstId);
    const int once = GetMenuItemCount(menu_);
    BuildLibraryWindowsMenu(menu_, kFirstId);
    EXPECT_EQ(once, GetMenuItemCount(menu_));
    EXPECT_EQ(2u, List().size());
}

TEST_F(LibraryMenu, FreeRowsArePreferredOverRemembered)
{
    Fill({{"C:\\LIB\\", "NET.VXL", false, false}, {"", "", true, false}});
    EXPECT_EQ(2, FindFreeLibraryRow());
    EXPECT_EQ(0, FindLibraryEntry("c:\\lib\\net.vxl", false));
    EXPECT_EQ(-1, FindLibraryEntry("c:\\lib\\net.vxl", true));
}

} // namespace

namespace {

TEST_F(LibraryMenu, SixteenWindowsOpenMakeNoSeventeenth)
{
    std::vector<Row> rows(kLibraryRowCount, Row{"C:\\LIB\\", "NET.VXL", true, false});
    Fill(rows);
    EXPECT_EQ(-1, FindFreeLibraryRow());
    EXPECT_EQ(0, OpenLibraries(1, -1, "C:\\LIB\\OTHER.VXL", nullptr)) << "the limit is a message, not a failure";
    EXPECT_EQ(0, CreateNewLibrary());
    for (int row = 0; row < kLibraryRowCount; ++row)
        EXPECT_EQ(stand_in_, LibraryWindows[row].window) << row;
}

} // namespace
