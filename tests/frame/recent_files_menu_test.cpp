// The recent files at the end of the File menu: the paths of the options file
// are listed most recent first, and a change of the list shows the next time
// the menu is brought up to date.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "documents/options_file.h"
#include "documents/recent_files.h"
#include "frame/app_globals.h"
#include "frame/app_startup.h"
#include "frame/menu_enabling.h"
#include "frame/recent_files_menu.h"
#include "resources/menu_ids.h"
#include "support/test_paths.h"

namespace {

class RecentFilesMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppInstance = GetModuleHandleA(nullptr);
        MapiEnabled = 0;
    }
    void TearDown() override { FreeMenuBarAndOptions(); }
    static HMENU FileMenu() { return MainMenuPopups[MENU_POS_FILE]; }

    // A fresh menu bar and options holding the given recent files (most
    // recent first), read the way start-up reads them.
    void LoadOptionsWithRecentFiles(const std::vector<const char*>& mostRecentFirst)
    {
        FreeMenuBarAndOptions();
        bar_ = LoadMenuA(AppInstance, MENU_MAIN);
        ASSERT_NE(nullptr, bar_);
        TakeMenuPopups(bar_);
        baseCount_ = GetMenuItemCount(FileMenu());
        const std::string path = ScratchPath("RECENT.OPT");
        ASSERT_EQ(kErrNone, CreateDefaultOptions());
        for (auto recent = mostRecentFirst.rbegin(); recent != mostRecentFirst.rend(); ++recent)
            AddRecentFile(*recent);
        ASSERT_EQ(kErrNone, WriteOptionsFile(path.c_str()));
        SaveAndFreeOptions();
        ASSERT_EQ(kErrNone, LoadOptions(path.c_str(), FileMenu(), IDM_FILE_RECENT_FIRST));
    }

    void FreeMenuBarAndOptions()
    {
        SaveAndFreeOptions();
        if (bar_)
            DestroyMenu(bar_);
        bar_ = nullptr;
        for (HMENU& popup : MainMenuPopups)
            popup = nullptr;
    }

    // The items after the File menu's own, as "id:text".
    std::vector<std::string> RecentItems() const
    {
        std::vector<std::string> items;
        for (int position = baseCount_; position < GetMenuItemCount(FileMenu()); ++position) {
            char text[300] = "";
            GetMenuStringA(FileMenu(), position, text, sizeof(text), MF_BYPOSITION);
            items.push_back(std::to_string(static_cast<int>(GetMenuItemID(FileMenu(), position))) + ":" + text);
        }
        return items;
    }

    HMENU bar_ = nullptr;
    int baseCount_ = 0;
};

using Items = std::vector<std::string>;

} // namespace

TEST_F(RecentFilesMenu, FileMenuListsTheRecentFilesOfTheOptionsFile)
{
    struct Case {
        const char* name;
        std::function<void()> update;
    };
    const Case cases[] = {
        {"after the options are read at start-up", [] { ShowRecentFilesInMenu(); }},
        {"as the File menu opens", [] { EnableMenuPopup(FileMenu()); }},
        {"as a document is activated", [] { ActivateDocumentView(nullptr, 0); }},
    };
    for (const Case& row : cases) {
        LoadOptionsWithRecentFiles({"C:\\DRAW\\THREE.TYR", "C:\\DRAW\\TWO.TYR", "C:\\DRAW\\ONE.TYR"});
        row.update();
        EXPECT_EQ((Items{"0:", "120:C:\\DRAW\\THREE.TYR", "121:C:\\DRAW\\TWO.TYR", "122:C:\\DRAW\\ONE.TYR"}),
                  RecentItems())
            << row.name;
    }
}

TEST_F(RecentFilesMenu, OpenedFileMovesFirstWhenTheFileMenuOpens)
{
    LoadOptionsWithRecentFiles({"C:\\DRAW\\TWO.TYR", "C:\\DRAW\\ONE.TYR"});
    EnableMenuPopup(FileMenu());
    AddRecentFile("C:\\DRAW\\ONE.TYR");
    EnableMenuPopup(FileMenu());
    EXPECT_EQ((Items{"0:", "120:C:\\DRAW\\ONE.TYR", "121:C:\\DRAW\\TWO.TYR"}), RecentItems());
}
