// The one-time hints in the running program: shown over the main window, and
// kept away once "Show Hints" is unticked.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/screen_image.h"

namespace {

const int kStraightLineTool = 110;
const int kShowHintsBox = 1036;

class HintsProgram : public DesktopProgram {
protected:
    void SetUp() override
    {
        showHints_ = true;
        StartWith("");
        // The new drawing of the start comes with its own hint first.
        HWND hint = AwaitDialog("Hint");
        ASSERT_NE(nullptr, hint) << "no hint with the first new drawing";
        startHint_ = StaticTexts(hint);
        Press(hint, IDOK);
    }
    void ClickItem(HWND dialog, int id)
    {
        HWND item = GetDlgItem(dialog, id);
        ASSERT_NE(nullptr, item) << id;
        const RECT r = ClientScreenRect(item);
        RealClick(POINT{r.left + (r.bottom - r.top) / 2, (r.top + r.bottom) / 2});
        program_.Settle();
    }

    std::string startHint_;
};

TEST_F(HintsProgram, ANewDrawingsHintComesOnceARun)
{
    EXPECT_NE(std::string::npos, startHint_.find("Your new drawing is ready")) << startHint_;
    Command(desktop_ids::kNewBlank);
    EXPECT_EQ(nullptr, AwaitDialog("Hint", 500)) << "the second new drawing has no hint";
}

TEST_F(HintsProgram, AHintAppearsAndUntickingShowHintsKeepsTheNextAway)
{
    ClickTool(kStraightLineTool);
    HWND hint = AwaitDialog("Hint");
    ASSERT_NE(nullptr, hint) << "the line tool's hint did not appear";
    EXPECT_NE(std::string::npos, StaticTexts(hint).find("Drag in the drawing")) << StaticTexts(hint);
    EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(hint, kShowHintsBox), BM_GETCHECK, 0, 0));
    Screenshot("hint_line_tool");
    ClickItem(hint, kShowHintsBox);
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(hint, kShowHintsBox), BM_GETCHECK, 0, 0));
    ClickItem(hint, IDOK);
    EXPECT_FALSE(IsWindow(hint)) << "OK closes the hint";

    // The text tool has a hint of its own, which the unticked box now keeps away.
    ClickTool(desktop_ids::kTextTool);
    EXPECT_EQ(nullptr, AwaitDialog("Hint", 0));
    Screenshot("hint_text_tool_kept_away");
}

} // namespace
