// The real program driven with the mouse: the rectangle tool picked on the
// palette, rectangles drawn, moved, resized and rubber-band selected in the
// drawing view, each step undone and redone, and the saved files compared.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/io_seam.h"
#include "objects/app_options.h"
#include "documents/document_record.h"
#include "documents/document_records.h"
#include "documents/drawing_stream.h"
#include "documents/options_file.h"
#include "objects/view_record.h"
#include "frame/option_flags.h"
#include "objects/drawing_records.h"
#include "objects/drawing_tables.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"
#include "support/program_driver.h"
#include "support/view_mouse.h"
#include "support/scratch_drawing.h"
#include "support/test_paths.h"
#include "objects/view_record_word.h"

namespace {

const int kRectangleTool = 114;
const int kSelectTool = 108;
const int kNewBlank = 150;
const int kSave = 104;
const int kUndo = 201;


// Every test of this program reads and writes drawings in-process.
class ProgramEnvironment : public testing::Environment {
public:
    void SetUp() override { StartDrawingModel(); }
};
testing::Environment* const environment = testing::AddGlobalTestEnvironment(new ProgramEnvironment);

// No hints, Welcome, Open dialog or template chooser; new drawings snap or not.
std::string QuietOptions(bool snap)
{
    const std::string path = ScratchOptionsPath();
    if (CreateDefaultOptions() != kErrNone)
        return std::string();
    SetOptionFlagBits(kFlagWelcomeAtStart | kFlagOpenDialogAtStart | kFlagShowHints | 0x0200, false);
    SetOptionFlagBits(0x0002, snap);
    ErrorCode code = WriteOptionsFile(path.c_str());
    SaveAndFreeOptions();
    return code == kErrNone ? path : std::string();
}

class MouseProgram : public testing::Test {
protected:
    void SetUp() override
    {
        options_ = QuietOptions(Snaps());
        ASSERT_FALSE(options_.empty());
        file_ = ScratchPath("mouse-drawing.tyr");
        DeleteFileA(file_.c_str());
        {
            ScratchDrawing empty;
            ASSERT_EQ(0, empty.Write(file_, Snaps()));
        }
        ASSERT_TRUE(program_.Start(file_ + " /o " + options_));
        // The start-up splash stays for two seconds of the clock.
        Sleep(2500);
        ASSERT_TRUE(program_.Settle());
        palette_ = FindWindowExA(program_.MainWindow(), nullptr, "#32770", nullptr);
        ASSERT_NE(nullptr, palette_) << "the tool palette";
        HWND client = FindWindowExA(program_.MainWindow(), nullptr, "MDICLIENT", nullptr);
        ASSERT_NE(nullptr, client);
        HWND document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        if (!document) {
            // The drawing named on the command line did not open: a new one
            // is saved under the same name through Save As.
            program_.PostCommand(kNewBlank);
            program_.Settle();
            document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        }
        if (!document) {
            program_.Screenshot("mouse_program_start");
            GTEST_SKIP() << "the program opened no window for " << file_;
        }
        view_ = FindWindowExA(document, nullptr, "MDScrollClass", nullptr);
        ASSERT_NE(nullptr, view_) << "the drawing view";
    }
    void TearDown() override { program_.Close(); }
    virtual bool Snaps() const { return false; }

    void Command(int id)
    {
        program_.PostCommand(id);
        program_.Settle();
    }
    void ClickTool(int id) { ASSERT_TRUE(ClickPaletteTool(program_, palette_, id)) << id; }
    void Mouse(UINT message, POINT p, WPARAM keys) { ViewMouse(program_, view_).Send(message, p, keys); }
    void Drag(POINT from, POINT to, WPARAM keys = 0) { ViewMouse(program_, view_).Drag(from, to, keys); }
    std::vector<RECT> Saved()
    {
        program_.PostCommand(kSave);
        program_.Settle();
        AnswerSaveAs();
        ScratchDrawing reader;
        return reader.ReadFrames(file_);
    }

    // An untitled drawing asks for its name.
    void AnswerSaveAs()
    {
        HWND dialog = program_.FindProgramWindow("#32770", "Save As");
        if (!dialog)
            return;
        HWND name = GetDlgItem(dialog, 1148);
        if (!name)
            name = GetDlgItem(dialog, 1152);
        if (name && FindWindowExA(name, nullptr, "Edit", nullptr))
            name = FindWindowExA(name, nullptr, "Edit", nullptr);
        ASSERT_NE(nullptr, name) << "the file name field";
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file_.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        program_.Settle();
        HWND replace = program_.FindProgramWindow("#32770", "Save As");
        if (replace && replace != dialog) {
            PostMessageA(replace, WM_COMMAND, IDYES, 0);
            program_.Settle();
        }
    }

    ProgramDriver program_;
    std::string options_;
    std::string file_;
    HWND palette_ = nullptr;
    HWND view_ = nullptr;
};

TEST_F(MouseProgram, DrawMoveResizeWithUndoAndRedo)
{
    ClickTool(kRectangleTool);
    Drag({100, 100}, {200, 150});
    std::vector<RECT> drawn = Saved();
    ASSERT_EQ(1u, drawn.size()) << "one shape";
    const RECT first = drawn[0];
    EXPECT_EQ(600, first.right - first.left);
    EXPECT_EQ(300, first.bottom - first.top);

    // Saving ends the step, so each edit is undone and redone before a save.
    Drag({150, 125}, {200, 175});   // a move by 50, 50 pixels
    Command(kUndo);
    Command(kUndo);                 // the second Undo redoes
    std::vector<RECT> moved = Saved();
    ASSERT_EQ(1u, moved.size());
    EXPECT_EQ(first.left + 300, moved[0].left) << "the move, undone and redone";
    EXPECT_EQ(first.top + 300, moved[0].top);

    Drag({200, 175}, {250, 175});
    Command(kUndo);
    std::vector<RECT> undone = Saved();
    ASSERT_EQ(1u, undone.size());
    EXPECT_EQ(moved[0].left, undone[0].left) << "the second move undone";

    // The moved shape stays selected: its bottom-right handle resizes it.
    POINT corner = {undone[0].right / 6, undone[0].bottom / 6};
    Drag(corner, {corner.x + 30, corner.y + 20});
    std::vector<RECT> resized = Saved();
    ASSERT_EQ(1u, resized.size());
    EXPECT_EQ(undone[0].left, resized[0].left);
    EXPECT_EQ(undone[0].top, resized[0].top);
    EXPECT_NEAR(undone[0].right + 180, resized[0].right, 12);
    EXPECT_NEAR(undone[0].bottom + 120, resized[0].bottom, 12);
}

class MouseProgramSnapping : public MouseProgram {
protected:
    bool Snaps() const override { return true; }
};

TEST_F(MouseProgram, WithoutSnappingTheDragIsExact)
{
    ClickTool(kRectangleTool);
    Drag({101, 99}, {199, 151});
    std::vector<RECT> frames = Saved();
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(606, frames[0].left);
    EXPECT_EQ(594, frames[0].top);
}

TEST_F(MouseProgramSnapping, SnappingPutsTheDragOnTheGrid)
{
    ClickTool(kRectangleTool);
    Drag({101, 99}, {199, 151});
    std::vector<RECT> frames = Saved();
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(600, frames[0].left);
    EXPECT_EQ(600, frames[0].top);
    EXPECT_EQ(1200, frames[0].right);
    EXPECT_EQ(900, frames[0].bottom);
}

TEST_F(MouseProgram, ScreenshotOfShapesWithHandles)
{
    ClickTool(kRectangleTool);
    Drag({60, 60}, {160, 120});
    ClickTool(kRectangleTool);
    Drag({220, 60}, {320, 140});
    ClickTool(kRectangleTool);
    Drag({80, 180}, {300, 240});
    // A rubber band over all three shows their handles.
    ClickTool(kSelectTool);
    Drag({20, 20}, {400, 300});
    EXPECT_EQ(3u, Saved().size());
    EXPECT_FALSE(program_.Screenshot("mouse_shapes_with_handles").empty());
}

} // namespace
