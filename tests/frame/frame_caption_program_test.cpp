// The main window's caption in the real program names the maximized document:
// the one opened at start-up, the one a second start hands over, and the one
// left when that is closed.
#include <gtest/gtest.h>

#include <string>

#include "program_waits.h"
#include "support/program_driver.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"

namespace {


std::string LeafOf(const std::string& path)
{
    return path.substr(path.find_last_of('\\') + 1);
}

std::string WriteDrawing(const char* leaf)
{
    const std::string path = ScratchPath(leaf);
    ScratchDrawing scratch;
    EXPECT_EQ(kErrNone, scratch.Write(path, false));
    return path;
}

HWND ActiveDocument(const ProgramDriver& program)
{
    HWND client = FindWindowExA(program.MainWindow(), nullptr, "MDICLIENT", nullptr);
    return client ? reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

} // namespace

// The caption lacked the name of a maximized document opened at start-up, and
// named the previous document after a hand-over from a second start.
TEST(FrameCaptionProgram, CaptionNamesTheMaximizedDocument)
{
    const std::string first = WriteDrawing("first.tyr");
    const std::string handed = WriteDrawing("handed.tyr");
    const std::string options = WriteQuietOptionsFile();
    ASSERT_FALSE(options.empty());
    ProgramDriver program;
    ASSERT_TRUE(program.Start(first + " /o " + options));
    ASSERT_TRUE(WaitForSplashToGo(program));
    ASSERT_TRUE(program.Settle());
    HWND document = ActiveDocument(program);
    ASSERT_NE(nullptr, document);
    EXPECT_TRUE(IsZoomed(document));
    ScreenImage::Grab().Save("caption_of_the_document_opened_at_start");
    EXPECT_EQ("Tessary Plus - [" + LeafOf(first) + "]", program.WindowText(program.MainWindow()));

    ProgramDriver second;
    ASSERT_TRUE(second.Launch(handed));
    EXPECT_EQ(0, second.WaitForExit());
    ASSERT_TRUE(program.Settle());
    document = ActiveDocument(program);
    ASSERT_NE(nullptr, document);
    EXPECT_EQ(LeafOf(handed), program.WindowText(document));
    EXPECT_TRUE(IsZoomed(document));
    ScreenImage::Grab().Save("caption_of_the_handed_over_document");
    EXPECT_EQ("Tessary Plus - [" + LeafOf(handed) + "]", program.WindowText(program.MainWindow()));

    // Closing it brings the first back, maximized and named.
    RealKey('W', false, true);
    ASSERT_TRUE(program.Settle());
    document = ActiveDocument(program);
    ASSERT_NE(nullptr, document);
    EXPECT_EQ(LeafOf(first), program.WindowText(document));
    EXPECT_TRUE(IsZoomed(document));
    ScreenImage::Grab().Save("caption_after_closing_the_handed_over_document");
    EXPECT_EQ("Tessary Plus - [" + LeafOf(first) + "]", program.WindowText(program.MainWindow()));
    EXPECT_EQ(0, program.Close());
}
