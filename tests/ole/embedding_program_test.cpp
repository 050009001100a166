// A container embeds a drawing through OLE alone: COM starts the program from
// the registry the program wrote itself, the drawing is edited in the
// server's window with real input, and the container keeps what was drawn.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/desktop_program.h"
#include "support/helper_program.h"
#include "support/real_input.h"
#include "support/test_paths.h"

namespace {

const DWORD kContainerWaitMs = 90000;
const DWORD kServerExitMs = 30000;
const DWORD kPollMs = 50;

bool NoServerLeft()
{
    for (DWORD waited = 0; waited < kServerExitMs; waited += kPollMs) {
        if (!FindWindowA("TYMainClass", nullptr))
            return true;
        Sleep(kPollMs);
    }
    return false;
}

int CountMainWindows()
{
    int count = 0;
    for (HWND w = FindWindowA("TYMainClass", nullptr); w; w = FindWindowExA(nullptr, w, "TYMainClass", nullptr))
        ++count;
    return count;
}

HWND ActiveDocument(HWND mainWindow)
{
    HWND client = FindWindowExA(mainWindow, nullptr, "MDICLIENT", nullptr);
    return client ? reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

// The program is started once on its own first, as after installing it:
// that start writes the registration the container's OLE then reads. It
// ends the way a crash ends it: a container must still get a server.
class Embedding : public DesktopProgram {
protected:
    void SetUp() override
    {
        StartWith("");
        program_.Kill();
    }

    // Takes over the server COM started for the container.
    void AttachServer()
    {
        ASSERT_TRUE(program_.Attach());
        ASSERT_TRUE(program_.Settle());
        palette_ = FindWindowExA(program_.MainWindow(), nullptr, "#32770", nullptr);
        document_ = nullptr;
        for (DWORD waited = 0; !document_ && waited < kServerExitMs; waited += kPollMs) {
            document_ = ActiveDocument(program_.MainWindow());
            if (!document_)
                Sleep(kPollMs);
        }
        ASSERT_NE(nullptr, document_) << "main windows: " << CountMainWindows();
        view_ = FindWindowExA(document_, nullptr, "MDScrollClass", nullptr);
        ASSERT_NE(nullptr, view_);
    }
};

TEST_F(Embedding, ShapeDrawnInTheServerStaysWithTheContainer)
{
    const std::string storage = ScratchPath("report.stg");
    // Markers of an earlier run would let both sides go ahead at once.
    DeleteFileA((storage + ".shown").c_str());
    DeleteFileA((storage + ".drawn").c_str());
    HelperProgram create("ole_container.exe");
    ASSERT_TRUE(create.Start("create " + storage + " embedded_after_edit.png"));
    ASSERT_TRUE(AwaitFile(storage + ".shown", kContainerWaitMs)) << "the server never showed the drawing";
    AttachServer();
    EXPECT_EQ("Object in Report", program_.WindowText(document_)) << "main windows: " << CountMainWindows();
    // COM starts the server on the default options, hints on: a server that
    // only serves its container keeps them back, so the tool draws at once.
    ClickTool(desktop_ids::kRectangleTool);
    RealDrag(ClientToScreenPoint(view_, POINT{60, 60}), ClientToScreenPoint(view_, POINT{220, 180}));
    ASSERT_TRUE(program_.Settle());
    ClickTool(desktop_ids::kSelectTool);
    Screenshot("server_with_rectangle");
    // File > Update Report hands the drawing to the container at once.
    Command(desktop_ids::kSave);
    std::FILE* marker = std::fopen((storage + ".drawn").c_str(), "wb");
    ASSERT_NE(nullptr, marker);
    std::fclose(marker);
    EXPECT_EQ(0u, create.Finish(kContainerWaitMs)) << "1 not created, 2 not saved, 4 blank picture, 32 the update did not reach it";
    EXPECT_EQ(0, program_.WaitForExit(kServerExitMs)) << "the server stayed behind its container or failed";

    HelperProgram load("ole_container.exe");
    ASSERT_TRUE(load.Start("load " + storage + " embedded_reloaded.png"));
    EXPECT_EQ(0u, load.Finish(kContainerWaitMs)) << "4 blank picture, 8 an empty drawing came back";
    EXPECT_TRUE(NoServerLeft()) << "the server stayed behind its container";
}

} // namespace
