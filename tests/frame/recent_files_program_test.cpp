// The recent files in the real program: a drawing named in the options file
// is the last item of the File menu, and choosing it opens the drawing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "documents/options_file.h"
#include "documents/recent_files.h"
#include "frame/option_flags.h"
#include "program_waits.h"
#include "support/program_driver.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"

namespace {

const int kFirstRecentFile = 120;
const uint16_t kTemplateChooserFlag = 0x0200;

// Quiet options whose recent-file list holds one drawing.
std::string WriteOptionsWithRecentFile(const std::string& drawing)
{
    const std::string path = ScratchOptionsPath();
    if (CreateDefaultOptions() != kErrNone)
        return std::string();
    SetOptionFlagBits(kFlagWelcomeAtStart | kFlagOpenDialogAtStart | kFlagShowHints | kTemplateChooserFlag, false);
    AddRecentFile(drawing.c_str());
    const ErrorCode code = WriteOptionsFile(path.c_str());
    SaveAndFreeOptions();
    return code == kErrNone ? path : std::string();
}

std::string LeafOf(const std::string& path)
{
    return path.substr(path.find_last_of('\\') + 1);
}

} // namespace

TEST(RecentFilesProgram, RecentDrawingOfTheOptionsFileOpensFromTheFileMenu)
{
    struct Case {
        const char* name;
        const char* shot;
        std::function<void(ProgramDriver&)> choose;
    };
    const Case cases[] = {
        // F10 enters the menu bar, F opens File, Up wraps round to its last item.
        {"chosen in the File menu with the keyboard", "recent_file_chosen_in_the_file_menu",
         [](ProgramDriver& program) {
             RealKey(VK_F10);
             RealKey('F');
             ASSERT_TRUE(WaitForOpenMenu(program));
             ASSERT_TRUE(program.Settle());
             ScreenImage::Grab().Save("recent_file_in_the_open_file_menu");
             RealKey(VK_UP);
             RealKey(VK_RETURN);
         }},
        {"its command", "recent_file_opened_by_its_command",
         [](ProgramDriver& program) { program.PostCommand(kFirstRecentFile); }},
    };
    const std::string drawing = ScratchPath("recent.tyr");
    {
        ScratchDrawing scratch;
        ASSERT_EQ(kErrNone, scratch.Write(drawing, false));
    }
    const std::string options = WriteOptionsWithRecentFile(drawing);
    ASSERT_FALSE(options.empty());
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        ProgramDriver program;
        ASSERT_TRUE(program.Start("/o " + options));
        ASSERT_TRUE(WaitForSplashToGo(program));
        ASSERT_TRUE(program.Settle());
        row.choose(program);
        // Without the recent file, the last item of the File menu is Exit.
        ASSERT_TRUE(program.Settle()) << "the program no longer answers";
        ScreenImage::Grab().Save(row.shot);
        HWND client = FindWindowExA(program.MainWindow(), nullptr, "MDICLIENT", nullptr);
        ASSERT_NE(nullptr, client);
        HWND document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        ASSERT_NE(nullptr, document);
        EXPECT_EQ(LeafOf(drawing), program.WindowText(document));
        EXPECT_EQ(0, program.Close());
    }
}
