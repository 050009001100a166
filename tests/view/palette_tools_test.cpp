#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "objects/app_options.h"
#include "view/palette_state.h"
#include "view/tool_palette.h"

namespace {

class PaletteToolsTest : public testing::Test {
protected:
    void SetUp() override
    {
        options_.assign(kOptionsMinimumSize, 0);
        uint16_t flags = kOptionsHints;
        std::memcpy(options_.data() + kOptionsFlags, &flags, sizeof(flags));
        AppOptions = options_.data();
        CurrentPaletteTool = kToolSelect;
        PaletteSticky = FALSE;
        StickyHintDone = 0;
        StickyHintCount = 0;
        StickyHintTool = 0;
    }
    void TearDown() override
    {
        AppOptions = nullptr;
        CurrentPaletteTool = kToolSelect;
        PaletteSticky = FALSE;
    }
    std::vector<unsigned char> options_;
};

TEST_F(PaletteToolsTest, UseOverReturnsToTheSelectToolUnlessSticky)
{
    struct Case {
        const char* name;
        int tool;
        BOOL sticky;
        int after;
    } cases[] = {
        {"a shape tool returns to select", 114, FALSE, kToolSelect},
        {"a sticky shape tool stays", 114, TRUE, 114},
        {"a line tool returns to select", 110, FALSE, kToolSelect},
        {"select stays select", kToolSelect, FALSE, kToolSelect},
    };
    for (const Case& c : cases) {
        SelectPaletteTool(c.tool);
        if (c.sticky)
            SetPaletteSticky(TRUE);
        SelectPaletteTool(kToolUseOver);
        EXPECT_EQ(c.after, CurrentPaletteTool) << c.name;
        PaletteSticky = FALSE;
    }
}

TEST_F(PaletteToolsTest, PickingAToolClearsStickiness)
{
    SelectPaletteTool(114);
    SetPaletteSticky(TRUE);
    SelectPaletteTool(115);
    EXPECT_FALSE(PaletteSticky);
    EXPECT_EQ(115, CurrentPaletteTool);
}

TEST_F(PaletteToolsTest, StickyHintAfterThirdPickInARow)
{
    SelectPaletteTool(114);
    SelectPaletteTool(kToolUseOver);
    SelectPaletteTool(114);
    SelectPaletteTool(kToolUseOver);
    EXPECT_EQ(0, StickyHintDone);
    SelectPaletteTool(114);
    EXPECT_EQ(1, StickyHintDone);
}

TEST_F(PaletteToolsTest, TextToolRestartsTheStickyCount)
{
    SelectPaletteTool(114);
    SelectPaletteTool(kToolUseOver);
    SelectPaletteTool(114);
    SelectPaletteTool(kToolText);
    SelectPaletteTool(114);
    EXPECT_EQ(0, StickyHintDone);
}

TEST_F(PaletteToolsTest, LibrarySymbolIsAToolWithoutButton)
{
    SelectPaletteTool(-1);
    EXPECT_EQ(-1, CurrentPaletteTool);
    SelectPaletteTool(kToolUseOver);
    EXPECT_EQ(kToolSelect, CurrentPaletteTool);
}

} // namespace
