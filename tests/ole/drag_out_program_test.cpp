// Objects dragged out of the program's window with the real mouse land in
// another program's window; a move takes them out of the drawing, a copy
// leaves them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "support/desktop_program.h"
#include "support/helper_program.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/test_paths.h"

namespace {

const DWORD kTargetWaitMs = 60000;
// The program keeps the left of the screen, the other program's window the right.
const RECT kMainWindowRect = {0, 0, 560, 700};
const RECT kTargetRect = {660, 120, 960, 420};
const int kDragSteps = 16;
const DWORD kDragStepPauseMs = 100;

struct Dropped {
    unsigned picture = 0;
    unsigned native = 0;
};

Dropped ReadReport(const std::string& path)
{
    Dropped dropped;
    if (FILE* in = std::fopen(path.c_str(), "rb")) {
        if (std::fscanf(in, "picture %u native %u", &dropped.picture, &dropped.native) != 2)
            dropped = Dropped();
        std::fclose(in);
    }
    return dropped;
}

class DragOut : public DesktopProgram {
protected:
    void SetUp() override
    {
        file_ = StartOnEmptyDrawing("dragged.tyr");
        HWND main = program_.MainWindow();
        ShowWindow(main, SW_RESTORE);
        SetWindowPos(main, nullptr, kMainWindowRect.left, kMainWindowRect.top,
                     kMainWindowRect.right - kMainWindowRect.left, kMainWindowRect.bottom - kMainWindowRect.top,
                     SWP_NOZORDER);
        ASSERT_TRUE(program_.Settle());
    }

    // Draws a rectangle, drags it with the real mouse into the other
    // program's window, which answers with the effect, and saves the drawing.
    Dropped DragRectangleOut(const char* effect)
    {
        const RECT frame = DrawRectangle(POINT{40, 40}, POINT{200, 160});
        const POINT grip = {(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
        const POINT drop = {(kTargetRect.left + kTargetRect.right) / 2, (kTargetRect.top + kTargetRect.bottom) / 2};
        const std::string report = ScratchPath((std::string("drop_") + effect + ".txt").c_str());
        DeleteFileA(report.c_str());
        DeleteFileA((report + ".ready").c_str());
        HelperProgram target("drop_target.exe");
        EXPECT_TRUE(target.Start(std::to_string(kTargetRect.left) + " " + std::to_string(kTargetRect.top) + " " +
                                 std::to_string(kTargetRect.right - kTargetRect.left) + " " +
                                 std::to_string(kTargetRect.bottom - kTargetRect.top) + " " + effect + " " + report));
        EXPECT_TRUE(AwaitFile(report + ".ready", kTargetWaitMs));
        RealDrag(grip, drop, kDragSteps, kDragStepPauseMs);
        EXPECT_EQ(0u, target.Finish(kTargetWaitMs)) << "no drop reached the other program";
        EXPECT_TRUE(program_.Settle());
        Screenshot(std::string("dragged_out_") + effect);
        Command(desktop_ids::kSave);
        return ReadReport(report);
    }
    std::string file_;
};

TEST_F(DragOut, CopiedObjectsReachTheOtherProgramAndStay)
{
    const Dropped dropped = DragRectangleOut("copy");
    EXPECT_GT(dropped.picture, 0u) << "the dropped picture is blank";
    EXPECT_GT(dropped.native, 0u) << "the drawing itself did not come along";
    EXPECT_EQ(1u, ScratchDrawing().ReadObjects(file_).size());
}

TEST_F(DragOut, MovedObjectsReachTheOtherProgramAndLeaveTheDrawing)
{
    const Dropped dropped = DragRectangleOut("move");
    EXPECT_GT(dropped.picture, 0u) << "the dropped picture is blank";
    EXPECT_GT(dropped.native, 0u) << "the drawing itself did not come along";
    EXPECT_EQ(0u, ScratchDrawing().ReadObjects(file_).size());
}

} // namespace
