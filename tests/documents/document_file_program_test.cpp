// Drawings on disk through the real program: a drawing of every shape type
// opened from the command line, shown at each zoom, saved in place and
// compared; a read-only drawing that refuses Save and keeps its bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "objects/drawing_layout.h"
#include "objects/object_create.h"
#include "support/program_driver.h"
#include "support/scratch_drawing.h"
#include "support/test_paths.h"

namespace {

const int kSave = 104;
const int kClear = 205;
const int kSelectAll = 218;
const int kFitToPage = 307;
const int kFirstShapeType = 2;
const int kLastShapeType = 25;

std::vector<char> Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Six shapes a row, each 900 x 600 drawing units with gaps between.
void FillWithEveryShapeType(HWND view)
{
    for (int type = kFirstShapeType; type <= kLastShapeType; ++type) {
        int cell = type - kFirstShapeType;
        RECT frame = {600 + (cell % 6) * 1200, 600 + (cell / 6) * 900, 0, 0};
        frame.right = frame.left + 900;
        frame.bottom = frame.top + 600;
        EXPECT_EQ(kErrNone, CreateObject(view, kKindShape, &frame, type, 0, 0, 0, 1, 0, 0));
    }
}

class DocumentFileProgram : public testing::Test {
protected:
    void SetUp() override
    {
        options_ = WriteQuietOptionsFile();
        ASSERT_FALSE(options_.empty());
    }
    void TearDown() override
    {
        if (program_.Running())
            program_.Close();
        SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    void Open(const char* leaf, const std::function<void(HWND)>& fill)
    {
        file_ = ScratchPath(leaf);
        SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file_.c_str());
        {
            ScratchDrawing drawing;
            ASSERT_EQ(0, drawing.Write(file_, false, fill));
        }
        ASSERT_TRUE(program_.Start(file_ + " /o " + options_));
        // The start-up splash stays for two seconds.
        for (int i = 0; i < 100 && program_.FindProgramWindow("#32770", "About Tessary Plus"); ++i)
            Sleep(50);
        ASSERT_TRUE(program_.Settle());
        HWND client = FindWindowExA(program_.MainWindow(), nullptr, "MDICLIENT", nullptr);
        ASSERT_NE(nullptr, client);
        document_ = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        ASSERT_NE(nullptr, document_) << "the drawing did not open";
    }
    void Command(int id)
    {
        program_.PostCommand(id);
        ASSERT_TRUE(program_.Settle());
    }
    // A message box of the program, its text; the box is answered with OK.
    std::string AnswerMessageBox(const char* notTitled)
    {
        HWND box = nullptr;
        for (int i = 0; i < 100 && !box; ++i, Sleep(50)) {
            box = program_.FindProgramWindow("#32770", nullptr);
            if (box && program_.WindowText(box) == notTitled)
                box = nullptr;
        }
        if (!box)
            return "";
        std::string text;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[32] = "";
            GetClassNameA(child, className, sizeof(className));
            if (std::string(className) == "Static")
                text += program_.WindowText(child);
        }
        program_.Screenshot("document_read_only_save");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        program_.Settle();
        return text;
    }

    ProgramDriver program_;
    std::string options_;
    std::string file_;
    HWND document_ = nullptr;
};

TEST_F(DocumentFileProgram, EveryShapeTypeShownAtEachZoomSavedAndReadBack)
{
    Open("every-shape.tyr", FillWithEveryShapeType);
    EXPECT_NE(std::string::npos, program_.WindowText(document_).find("every-shape"));
    std::vector<DrawingObject> before = ScratchDrawing().ReadObjects(file_);
    ASSERT_EQ(kLastShapeType - kFirstShapeType + 1, static_cast<int>(before.size()));

    struct Shot {
        const char* name;
        int command;
    };
    const Shot shots[] = {{"drawing_every_shape_50", 302},
                          {"drawing_every_shape_100", 304},
                          {"drawing_every_shape_200", 306},
                          {"drawing_every_shape_fit_page", kFitToPage}};
    for (const Shot& shot : shots) {
        Command(shot.command);
        EXPECT_FALSE(program_.Screenshot(shot.name).empty()) << shot.name;
    }

    // Changed (everything selected and cleared), saved in place, read back.
    Command(kSelectAll);
    Command(kClear);
    Command(kSave);
    EXPECT_TRUE(ScratchDrawing().ReadObjects(file_).empty()) << "the cleared drawing was not saved";
    // No "$" file is left beside it.
    std::string dollar = file_;
    dollar.back() = '$';
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dollar.c_str())) << dollar;
    EXPECT_EQ(0, program_.Close());

    // Opened again, the drawing comes back at the zoom it was saved with and
    // with its objects unchanged by a round trip without edits.
    {
        ScratchDrawing drawing;
        ASSERT_EQ(0, drawing.Write(file_, false, FillWithEveryShapeType));
    }
    ASSERT_TRUE(program_.Start(file_ + " /o " + options_));
    ASSERT_TRUE(program_.Settle());
    Command(kSelectAll);
    Command(kClear);
    Command(201);   // Undo: the same objects, the drawing still changed
    Command(kSave);
    std::vector<DrawingObject> after = ScratchDrawing().ReadObjects(file_);
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_TRUE(EqualRect(&before[i].frame, &after[i].frame)) << "object " << i;
        EXPECT_EQ(before[i].shapeType, after[i].shapeType) << "object " << i;
    }
}

TEST_F(DocumentFileProgram, ReadOnlyDrawingRefusesSaveAndKeepsItsBytes)
{
    file_ = ScratchPath("read-only.tyr");
    SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(file_.c_str());
    {
        ScratchDrawing drawing;
        ASSERT_EQ(0, drawing.Write(file_, false, FillWithEveryShapeType));
    }
    std::vector<char> bytes = Bytes(file_);
    ASSERT_TRUE(SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(program_.Start(file_ + " /o " + options_));
    // Opening it says it is read only.
    std::string opened = AnswerMessageBox("About Tessary Plus");
    EXPECT_NE(std::string::npos, opened.find("read only")) << opened;
    ASSERT_TRUE(program_.Settle());
    Command(kSelectAll);
    Command(kClear);
    program_.PostCommand(kSave);
    std::string text = AnswerMessageBox("About Tessary Plus");
    EXPECT_NE(std::string::npos, text.find("read only file")) << text;
    EXPECT_EQ(bytes, Bytes(file_)) << "the read-only file changed";
}

} // namespace
