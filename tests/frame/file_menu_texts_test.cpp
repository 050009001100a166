// The File popup of an embedded document offers to return to, update and copy
// out of its container; a document of its own offers Close, Save and Save As.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/app_globals.h"
#include "frame/file_menu_texts.h"
#include "resources/menu_ids.h"

namespace {

std::string ItemText(HMENU popup, int id)
{
    char text[600] = "";
    GetMenuStringA(popup, static_cast<UINT>(id), text, sizeof(text), MF_BYCOMMAND);
    return text;
}

TEST(FileMenuTexts, EmbeddedDocumentNamesItsContainer)
{
    const std::string longName(400, 'x');
    struct Case {
        const char* name;
        bool embedded;
        std::string container;
        const char* close;
        const char* save;
        const char* saveAs;
    } const cases[] = {
        {"embedded", true, "Report", "&Close and Return to Report", "&Update Report", "Save Copy &As..."},
        {"own document after an embedded one", false, "", "&Close\tCtrl+W", "&Save\tCtrl+S", "Save &As..."},
    };
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MENU_MAIN);
    ASSERT_NE(nullptr, bar);
    HMENU file = GetSubMenu(bar, MENU_POS_FILE);
    for (const Case& c : cases) {
        InitFileTexts(file, c.embedded, c.container.c_str());
        EXPECT_EQ(c.close, ItemText(file, IDM_FILE_CLOSE)) << c.name;
        EXPECT_EQ(c.save, ItemText(file, IDM_FILE_SAVE)) << c.name;
        EXPECT_EQ(c.saveAs, ItemText(file, IDM_FILE_SAVE_AS)) << c.name;
    }
    InitFileTexts(file, true, longName.c_str());
    EXPECT_EQ(0u, ItemText(file, IDM_FILE_SAVE).find("&Update xxx")) << "a long container name is cut";
    DestroyMenu(bar);
}

TEST(FileMenuTexts, GreyedItemStaysGreyedUnderItsNewText)
{
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MENU_MAIN);
    ASSERT_NE(nullptr, bar);
    HMENU file = GetSubMenu(bar, MENU_POS_FILE);
    EnableMenuItem(file, IDM_FILE_SAVE, MF_BYCOMMAND | MF_GRAYED);
    InitFileTexts(file, true, "Report");
    EXPECT_TRUE(GetMenuState(file, IDM_FILE_SAVE, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(bar);
}

} // namespace
