// The Open and Save dialogs: filter strings, file types and extensions in
// process, and the real dialogs driven through their hooks.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "common/string_helpers.h"
#include "documents/file_dialog_state.h"
#include "documents/file_dialogs.h"
#include "options_fixture.h"
#include "resources/resource_ids.h"

namespace {

// The NUL-separated pieces of a converted filter list.
std::vector<std::string> Pieces(const char* filter)
{
    std::vector<std::string> pieces;
    for (const char* at = filter; *at; at += std::strlen(at) + 1)
        pieces.push_back(at);
    return pieces;
}

TEST(FileDialogFilters, ConvertedListsAndDefaultExtensions)
{
    struct Case {
        const char* name;
        int filterId, position;
        bool cut;
        const char* defExt;
        size_t pieces;
    };
    const Case cases[] = {
        {"drawing", IDS_FILTER_DRAWINGS, 1, false, "tyr", 6},
        {"template", IDS_FILTER_DRAWINGS, 2, false, "tyt", 6},
        {"all files", IDS_FILTER_DRAWINGS, 3, false, "", 6},
        {"past the list", IDS_FILTER_DRAWINGS, 9, false, "", 6},
        {"gif of Save As", IDS_FILTER_SAVE_AS, 7, true, "gif", 16},
        {"jpeg of Save As", IDS_FILTER_SAVE_AS, 8, true, "jpg", 16},
    };
    for (const Case& test : cases) {
        char filter[kStringBufferSize + 2] = {};
        ASSERT_EQ(kErrNone, LoadStr(test.filterId, filter)) << test.name;
        char defExt[kFileDlgDefExtSize] = "junk";
        ConvertFilterString(filter, test.position, defExt, test.cut);
        EXPECT_STREQ(test.defExt, defExt) << test.name;
        const std::vector<std::string> pieces = Pieces(filter);
        ASSERT_EQ(test.pieces, pieces.size()) << test.name;
        EXPECT_EQ("Tessary Plus File(*.TYR)", pieces[0]) << test.name;
        EXPECT_EQ("*.tyr", pieces[1]) << test.name;
    }
    char filter[32] = "Text|*.text;*.txt|";
    char defExt[kFileDlgDefExtSize];
    ConvertFilterString(filter, 1, defExt, true);
    EXPECT_STREQ("tex", defExt);
}

TEST(FileDialogFilters, FileTypesOfPositions)
{
    struct Case {
        int position;
        const char* extension;
    };
    const Case cases[] = {{1, "TYR"}, {2, "TYT"}, {3, "wmf"}, {8, "jpg"}, {9, nullptr}, {99, nullptr},
                          {101, "wmf"}, {106, "jpg"}, {201, "txt"}, {202, "txt"}, {0, nullptr}};
    for (const Case& test : cases) {
        const char* extension = FileTypeExtension(FileTypeIndex(test.position));
        if (test.extension)
            EXPECT_STREQ(test.extension, extension) << test.position;
        else
            EXPECT_EQ(nullptr, extension) << test.position;
    }
}

TEST(FileDialogFilters, SwitchingExtensions)
{
    struct Case {
        const char* name;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"drawing to template", "C:\\DRAW\\PLAN.tyr", "C:\\DRAW\\PLAN.TYT"},
        {"bare name", "PLAN.TYR", "PLAN.TYT"},
        {"no extension", "C:\\DRAW\\PLAN", "C:\\DRAW\\PLAN"},
        {"dot in the folder only", "C:\\DR.AW\\PLAN", "C:\\DR.AW\\PLAN"},
        {"empty", "", ""},
    };
    for (const Case& test : cases) {
        char name[MAX_PATH];
        std::strcpy(name, test.before);
        SwitchExtension(name, sizeof(name), "TYT");
        EXPECT_STREQ(test.after, name) << test.name;
    }
}

class FileDialogWindows : public OptionsTest {
protected:
    void SetUp() override
    {
        OptionsTest::SetUp();
        host_ = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                nullptr, nullptr);
        name_ = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 200, 20, host_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(edt1)), nullptr, nullptr);
        types_ = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 30, 200, 100, host_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(cmb1)), nullptr, nullptr);
        for (const char* type : {"one", "two", "three", "four"})
            SendMessageA(types_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
        FileDlgState = {};
    }
    void TearDown() override
    {
        DestroyWindow(host_);
        OptionsTest::TearDown();
    }
    std::string NameText()
    {
        char text[MAX_PATH] = {};
        GetWindowTextA(name_, text, MAX_PATH);
        return text;
    }
    HWND host_ = nullptr, name_ = nullptr, types_ = nullptr;
};

TEST_F(FileDialogWindows, TypeChangeFollowsInTheNameBox)
{
    struct Case {
        const char* name;
        int offset, index, selection;
        const char* before;
        const char* after;
        const char* defExt;
    };
    const Case cases[] = {
        {"to template", 0, 1, 0, "C:\\X\\A.tyr", "C:\\X\\A.TYT", "TYT"},
        {"to metafile", 0, 2, 0, "A.tyr", "A.wmf", "wmf"},
        {"no extension stays", 0, 1, 0, "PLAN", "PLAN", "TYT"},
        {"all files changes nothing", 0, 99, 0, "A.tyr", "A.tyr", ""},
        {"old-style box, export list", 100, -1, 2, "A.bmp", "A.pcx", "pcx"},
        {"old-style box, drawing list", 0, -1, 1, "A.tyr", "A.TYT", "TYT"},
    };
    for (const Case& test : cases) {
        FileDlgState.typeOffset = test.offset;
        FileDlgDefExt[0] = '\0';
        SetWindowTextA(name_, test.before);
        SendMessageA(types_, CB_SETCURSEL, test.selection, 0);
        ApplyFileTypeExtension(host_, test.index);
        EXPECT_EQ(test.after, NameText()) << test.name;
        EXPECT_STREQ(test.defExt, FileDlgDefExt) << test.name;
    }
}

} // namespace
