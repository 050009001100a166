// The Options and Tips dialogs in the running program: what they change is in
// the options file the program writes at exit, and the tip counter carries
// from one run to the next.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "documents/options_file.h"
#include "objects/app_options.h"
#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"

namespace {

const int kSplashPolls = 100;

class SettingsProgram : public DesktopProgram {
protected:
    static std::string TipText(HWND dialog)
    {
        char text[600] = "";
        SendMessageA(GetDlgItem(dialog, IDC_TIP_TEXT), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
        return text;
    }
    // The options file as the program left it at exit.
    OptionsRecord ReadBack()
    {
        OptionsRecord record{};
        EXPECT_NE(-1, program_.Close()) << "the program ends by itself";
        EXPECT_EQ(0, CreateDefaultOptions().value);
        EXPECT_EQ(0, ReadOptionsFile(options_.c_str()).value);
        if (Options())
            record = *Options();
        SaveAndFreeOptions();
        return record;
    }
    // The program started again on the options file of the last run.
    void Restart()
    {
        ASSERT_TRUE(program_.Start("/o " + options_));
        for (int i = 0; i < kSplashPolls && program_.FindProgramWindow("#32770", "About Tessary Plus"); ++i)
            Sleep(50);
        ASSERT_TRUE(program_.Settle());
    }
    // Opens Tips, notes its tip and closes it with OK.
    std::string ShowTips(const std::string& step)
    {
        HWND dialog = OpenDialog(IDM_HELP_TIPS, "Tips");
        EXPECT_NE(nullptr, dialog);
        if (!dialog)
            return std::string();
        Screenshot(step);
        const std::string tip = TipText(dialog);
        Press(dialog, IDOK);
        return tip;
    }
};

TEST_F(SettingsProgram, OptionsChangedWithOkAreInTheOptionsFile)
{
    HWND dialog = OpenDialog(IDM_EDIT_OPTIONS, "Tessary Plus Options");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDC_OPT_START_OPEN);
    Press(dialog, IDC_OPT_NEW_COPY_TEMPLATE);
    Press(dialog, IDC_OPT_PREVIEW_ALWAYS);
    Press(dialog, IDC_OPT_HINTS);
    Press(dialog, IDC_OPT_OPEN_MAXIMIZED);
    Screenshot("options_changed");
    Press(dialog, IDOK);
    const OptionsRecord saved = ReadBack();
    EXPECT_EQ(kOptionFlagStartOpen, saved.flags & (kOptionFlagStartOpen | kOptionFlagStartWelcome));
    EXPECT_EQ(kOptionFlagCopyDefaultTemplate,
              saved.flags & (kOptionFlagCopyDefaultTemplate | kOptionFlagTemplateChooser));
    EXPECT_EQ(kOptionsHints, saved.flags & kOptionsHints) << "the quiet start had hints off";
    EXPECT_EQ(-1, saved.quickPreviews);
    EXPECT_EQ(kMoreAttachedMaximized, saved.moreFlags & kMoreAttachedMaximized);
}

TEST_F(SettingsProgram, TheTipCounterCarriesToTheNextRun)
{
    const std::string first = ShowTips("tips_first_run");
    EXPECT_EQ(0u, first.find("Tip #1: ")) << first;
    EXPECT_EQ(1, ReadBack().tipNumber);
    Restart();
    const std::string second = ShowTips("tips_second_run");
    EXPECT_EQ(0u, second.find("Tip #2: ")) << second;
}

} // namespace
