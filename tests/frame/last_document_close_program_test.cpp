// Closing the last document in the real program leaves the empty MDI client
// painted in one colour.
#include <gtest/gtest.h>

#include <string>

#include "objects/object_create.h"
#include "program_waits.h"
#include "support/program_driver.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"

namespace {

const int kRectangleShape = 2;

void FillWithRectangles(HWND view)
{
    for (int row = 0; row < 3; ++row) {
        RECT frame = {600, 600 + row * 1500, 4200, 1500 + row * 1500};
        EXPECT_EQ(kErrNone, CreateObject(view, kKindShape, &frame, kRectangleShape, 0, 0, 0, 1, 0, 0));
    }
}

} // namespace

// A maximized last document closed with Ctrl+W left a grey block over pieces
// of its rulers and drawing that never repainted.
TEST(LastDocumentCloseProgram, EmptyClientIsRepaintedWhole)
{
    const std::string drawing = ScratchPath("shapes.tyr");
    {
        ScratchDrawing scratch;
        ASSERT_EQ(kErrNone, scratch.Write(drawing, false, FillWithRectangles));
    }
    const std::string options = WriteQuietOptionsFile();
    ASSERT_FALSE(options.empty());
    ProgramDriver program;
    ASSERT_TRUE(program.Start(drawing + " /o " + options));
    ASSERT_TRUE(WaitForSplashToGo(program));
    ASSERT_TRUE(program.Settle());
    HWND client = FindWindowExA(program.MainWindow(), nullptr, "MDICLIENT", nullptr);
    ASSERT_NE(nullptr, client);
    HWND document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
    ASSERT_NE(nullptr, document);
    ASSERT_TRUE(IsZoomed(document));
    const RECT area = ClientScreenRect(client);
    const ScreenImage open = ScreenImage::Grab();
    open.Save("last_document_before_close");
    ASSERT_FALSE(open.Uniform(area)) << "the drawing and rulers were not on the screen";

    RealKey('W', false, true);
    ASSERT_TRUE(program.Settle());
    ASSERT_EQ(nullptr, GetWindow(client, GW_CHILD)) << "the document did not close";
    const ScreenImage closed = ScreenImage::Grab();
    closed.Save("last_document_after_close");
    EXPECT_TRUE(closed.Uniform(area));
    EXPECT_EQ(0, program.Close());
}
