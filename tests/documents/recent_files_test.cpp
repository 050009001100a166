// The recent-file list: adding, re-adding, removing and the menu texts.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "documents/recent_files.h"
#include "options_fixture.h"

namespace {

class RecentFilesTest : public OptionsTest {
protected:
    void SetUp() override
    {
        OptionsTest::SetUp();
        RecentFiles->firstId = 120;
        FileMenuBaseCount = 0;
    }
    void Add(std::initializer_list<const char*> paths)
    {
        for (const char* path : paths)
            AddRecentFile(path);
    }
    std::vector<std::string> Listed()
    {
        std::vector<std::string> paths;
        for (int id = 120; id < 124; ++id) {
            char path[kRecentPathSize];
            GetRecentFile(id, path);
            if (path[0])
                paths.push_back(path);
        }
        return paths;
    }
    std::vector<std::string> MenuTexts(HMENU menu)
    {
        std::vector<std::string> texts;
        for (int position = 0; position < GetMenuItemCount(menu); ++position) {
            char text[300] = {};
            GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
            texts.push_back(std::to_string(GetMenuItemID(menu, position)) + ":" + text);
        }
        return texts;
    }
    void SetFolder(const char* folder)
    {
        std::strcpy(RecentFiles->folder, folder);
        RecentFiles->changed = 1;
    }
};

using Paths = std::vector<std::string>;

TEST_F(RecentFilesTest, AddingAndReadding)
{
    struct Case {
        const char* name;
        std::initializer_list<const char*> adds;
        Paths expected;
    };
    const Case cases[] = {
        {"five in turn drop the oldest", {"A", "B", "C", "D", "E"}, {"E", "D", "C", "B"}},
        {"B again moves to the front", {"A", "B", "C", "D", "B"}, {"B", "D", "C", "A"}},
        {"other letter case moves and renames", {"A", "B", "C", "D", "c"}, {"c", "D", "B", "A"}},
        {"the oldest again", {"A", "B", "C", "D", "A"}, {"A", "D", "C", "B"}},
        {"two", {"A", "B"}, {"B", "A"}},
    };
    for (const Case& test : cases) {
        MakeDefaults();
        RecentFiles->firstId = 120;
        Add(test.adds);
        EXPECT_EQ(test.expected, Listed()) << test.name;
    }
}

TEST_F(RecentFilesTest, FirstEntryAgainChangesNothing)
{
    Add({"A", "B", "C", "D"});
    RecentFiles->changed = 0;
    AddRecentFile("d");
    EXPECT_EQ(Paths({"D", "C", "B", "A"}), Listed());
    EXPECT_EQ(0, RecentFiles->changed);
}

TEST_F(RecentFilesTest, Removing)
{
    struct Case {
        const char* name;
        int id;
        Paths expected;
    };
    const Case cases[] = {
        {"second item", 121, {"D", "B", "A"}},
        {"first item", 120, {"C", "B", "A"}},
        {"last item", 123, {"D", "C", "B"}},
        {"below the range", 119, {"D", "C", "B", "A"}},
        {"above the count", 124, {"D", "C", "B", "A"}},
    };
    for (const Case& test : cases) {
        MakeDefaults();
        RecentFiles->firstId = 120;
        Add({"A", "B", "C", "D"});
        RemoveRecentFile(test.id);
        EXPECT_EQ(test.expected, Listed()) << test.name;
        // The order stays a permutation of the entries in use.
        std::vector<bool> seen(4, false);
        for (int position = 0; position < RecentFiles->count; ++position) {
            const int entry = RecentFiles->order[position];
            ASSERT_TRUE(entry >= 0 && entry < RecentFiles->count && !seen[entry]) << test.name;
            seen[entry] = true;
        }
    }
}

TEST_F(RecentFilesTest, RemovedEntriesReadd)
{
    Add({"A", "B", "C", "D"});
    RemoveRecentFile(121);
    AddRecentFile("X");
    EXPECT_EQ(Paths({"X", "D", "B", "A"}), Listed());
}

TEST_F(RecentFilesTest, UnknownIdsYieldEmpty)
{
    AddRecentFile("A");
    char path[kRecentPathSize] = "junk";
    GetRecentFile(119, path);
    EXPECT_STREQ("", path);
    std::strcpy(path, "junk");
    GetRecentFile(121, path);
    EXPECT_STREQ("", path);
}

TEST_F(RecentFilesTest, MenuTextsAreShortenedAndAmpersandsDoubled)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 101, "&Open");
    FileMenuBaseCount = 1;
    SetFolder("C:\\DRAW\\");
    Add({"D:\\OTHER\\B.TYR", "c:\\draw\\A.TYR", "C:\\DRAW\\PLANS\\A.TYR", "C:\\R&D\\N.TYR"});
    BuildRecentFilesMenu(menu);
    const std::vector<std::string> expected = {"101:&Open", "0:", "120:C:\\R&&D\\N.TYR", "121:PLANS\\A.TYR",
                                               "122:A.TYR", "123:D:\\OTHER\\B.TYR"};
    EXPECT_EQ(expected, MenuTexts(menu));
    EXPECT_EQ(0, RecentFiles->changed);

    // Unchanged: nothing is rebuilt; changed: the old items go first.
    DeleteMenu(menu, 5, MF_BYPOSITION);
    BuildRecentFilesMenu(menu);
    EXPECT_EQ(5, GetMenuItemCount(menu));
    RemoveRecentFile(120);
    RemoveRecentFile(120);
    RemoveRecentFile(120);
    RemoveRecentFile(120);
    BuildRecentFilesMenu(menu);
    EXPECT_EQ(std::vector<std::string>({"101:&Open"}), MenuTexts(menu));
    DestroyMenu(menu);
}

TEST_F(RecentFilesTest, CurrentFolderChangeMarksTheList)
{
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    SetCurrentDirectoryA(windows);
    UpdateRecentFolder();
    RecentFiles->changed = 0;
    UpdateRecentFolder();
    EXPECT_EQ(0, RecentFiles->changed);
    EXPECT_EQ(std::string(windows) + "\\", RecentFiles->folder);
    SetCurrentDirectoryA("C:\\");
    UpdateRecentFolder();
    EXPECT_EQ(1, RecentFiles->changed);
    EXPECT_STREQ("C:\\", RecentFiles->folder);
    SetCurrentDirectoryA(saved);
}

TEST_F(RecentFilesTest, LongPathsAreCutWhenAmpersandsDouble)
{
    char text[kRecentPathSize];
    std::string path(250, 'a');
    path += "&&&&&&&&&&";
    std::strcpy(text, path.c_str());
    DoubleAmpersands(text);
    EXPECT_EQ(260u, std::strlen(text));
    EXPECT_EQ(std::string(250, 'a') + std::string(10, '&'), text);
}

TEST_F(RecentFilesTest, NothingHappensWithoutTheList)
{
    FreeOptions();
    AddRecentFile("A");
    RemoveRecentFile(120);
    char path[kRecentPathSize] = "junk";
    GetRecentFile(120, path);
    EXPECT_STREQ("", path);
    MakeDefaults();
}

} // namespace
