// Documents in the real program: a new drawing, its view and rulers, and the
// View menu's zoom commands, driven from outside.
#include <gtest/gtest.h>

#include <string>

#include "documents/options_file.h"
#include "frame/option_flags.h"
#include "support/program_driver.h"

namespace {

const int kNewDrawing = 150;
const int kCloseDocument = 103;

// Options without the Welcome box, the Open dialog at start, hints or the
// template chooser.
std::string QuietOptionsArgument()
{
    const std::string path = ScratchOptionsPath();
    if (CreateDefaultOptions() != kErrNone)
        return std::string();
    SetOptionFlagBits(kFlagWelcomeAtStart | kFlagOpenDialogAtStart | kFlagShowHints | 0x0200, false);
    const ErrorCode code = WriteOptionsFile(path.c_str());
    SaveAndFreeOptions();
    return code == kErrNone ? "/o " + path : std::string();
}

HWND FindChild(HWND parent, const char* className)
{
    return parent ? FindWindowExA(parent, nullptr, className, nullptr) : nullptr;
}

// The program makes a document's windows inside one command; they are looked
// for until they are there (or gone), for at most five seconds.
HWND WaitForChild(HWND parent, const char* className, bool present)
{
    HWND found = FindChild(parent, className);
    for (int i = 0; i < 100 && (found != nullptr) != present; ++i) {
        Sleep(50);
        found = FindChild(parent, className);
    }
    return found;
}

} // namespace

TEST(DocumentProgram, NewDrawingShowsItsViewRulersAndZooms)
{
    const std::string options = QuietOptionsArgument();
    ASSERT_FALSE(options.empty());
    ProgramDriver program;
    ASSERT_TRUE(program.Start(options));
    ASSERT_TRUE(program.Settle());
    // The splash goes by itself shortly after start-up.
    for (int i = 0; i < 100 && program.FindProgramWindow("#32770", "About Tessary Plus"); ++i)
        Sleep(50);
    program.PostCommand(kNewDrawing);
    ASSERT_TRUE(program.Settle());
    HWND client = FindChild(program.MainWindow(), "MDICLIENT");
    // A first drawing made at start-up may give way to this one meanwhile.
    HWND document = nullptr;
    HWND view = nullptr;
    for (int i = 0; i < 100; ++i, Sleep(50)) {
        document = FindChild(client, "MDDocumentClass");
        view = FindChild(document, "MDScrollClass");
        if (view && IsWindowVisible(view) && FindChild(document, "MDXRulerClass"))
            break;
    }
    ASSERT_NE(nullptr, document);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(view, GetWindow(document, GW_CHILD)) << "the view is the first child";
    EXPECT_TRUE(IsWindowVisible(view));
    HWND ruler = GetWindow(view, GW_HWNDNEXT);
    ASSERT_NE(nullptr, ruler);
    char className[64] = "";
    GetClassNameA(ruler, className, sizeof(className));
    EXPECT_STREQ("MDHRulerClass", className);
    EXPECT_EQ(0, program.WindowText(document).rfind("Untitled ", 0));

    struct Shot {
        const char* name;
        int command;
    };
    const Shot shots[] = {{"program_view_50", 302},
                          {"program_view_100", 304},
                          {"program_view_200", 306},
                          {"program_view_fit_page", 307}};
    for (const Shot& shot : shots) {
        program.PostCommand(shot.command);
        ASSERT_TRUE(program.Settle()) << shot.name;
        EXPECT_FALSE(program.Screenshot(shot.name).empty()) << shot.name;
    }
    program.PostCommand(kCloseDocument);
    ASSERT_TRUE(program.Settle());
    EXPECT_EQ(nullptr, WaitForChild(client, "MDDocumentClass", false)) << "an unchanged drawing closes without a question";
    EXPECT_EQ(0, program.Close());
}
