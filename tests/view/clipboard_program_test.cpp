// Cut, Copy and Paste of objects in the real program: two shapes joined by a
// connector, one with a text, copied and pasted twice, saved and read back.
#include <gtest/gtest.h>

#include <cstring>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "objects/drawing_layout.h"
#include "objects/object_links.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"
#include "view/tool_palette.h"

namespace {

const int kEllipseTool = kToolFirstShape + 2;
const int kObjectsPerCopy = 3;

class ClipboardProgram : public DesktopProgram {
protected:
    void SetUp() override
    {
        file_ = ScratchPath("clipboard-drawing.tyr");
        DeleteFileA(file_.c_str());
        {
            ScratchDrawing empty;
            ASSERT_EQ(0, empty.Write(file_, false, nullptr, kDrawingLinesLink | kDrawingShapesLink));
        }
        StartWith(file_);
    }
    void Drag(POINT from, POINT to)
    {
        RealDrag(ClientToScreenPoint(view_, from), ClientToScreenPoint(view_, to));
        ASSERT_TRUE(program_.Settle());
    }
    void Click(POINT at)
    {
        RealClick(ClientToScreenPoint(view_, at));
        ASSERT_TRUE(program_.Settle());
    }
    // An ellipse with a text and a box, joined by a connector.
    void DrawConnectedShapes()
    {
        ClickTool(kEllipseTool);
        Drag({60, 120}, {180, 180});
        ClickTool(kToolFirstShape);
        Drag({420, 120}, {540, 180});
        ClickTool(kToolSegmentedLine);
        Drag({180, 150}, {420, 150});
        ClickTool(kToolSelect);
        Click({120, 150});
        RealType("Router");
        ASSERT_TRUE(program_.Settle());
        Click({300, 400});
    }
    std::vector<DrawingObject> Saved()
    {
        Command(desktop_ids::kSave);
        ScratchDrawing reader;
        return reader.ReadObjects(file_);
    }

    std::string file_;
};

const DWORD kReaderWaitMs = 60000;
const DWORD kReaderFailed = 0xFFFF;

// Runs the second program beside the test and gives its exit code.
DWORD RunClipboardReader(const std::string& arguments)
{
    char folder[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, folder, MAX_PATH);
    std::string path(folder, length);
    path = path.substr(0, path.find_last_of('\\') + 1) + "clipboard_reader.exe";
    std::string command = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return kReaderFailed;
    DWORD code = kReaderFailed;
    if (WaitForSingleObject(process.hProcess, kReaderWaitMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::string FileText(const std::string& path)
{
    std::string text;
    if (FILE* in = std::fopen(path.c_str(), "rb")) {
        char buffer[256];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof(buffer), in)) > 0)
            text.append(buffer, got);
        std::fclose(in);
    }
    return text;
}

int CountKind(const std::vector<DrawingObject>& objects, int kind)
{
    int count = 0;
    for (const DrawingObject& object : objects)
        count += object.kind == kind ? 1 : 0;
    return count;
}

TEST_F(ClipboardProgram, TwoPastesOfConnectedShapesGiveDistinctCopiesHookedToThemselves)
{
    DrawConnectedShapes();
    Command(IDM_EDIT_SELECT_ALL);
    Command(IDM_EDIT_COPY);
    Command(IDM_EDIT_PASTE);
    Screenshot("clipboard_first_paste");
    Command(IDM_EDIT_PASTE);
    Screenshot("clipboard_second_paste");
    const std::vector<DrawingObject> objects = Saved();
    ASSERT_EQ(3u * kObjectsPerCopy, objects.size());
    EXPECT_EQ(6, CountKind(objects, kKindShape));
    EXPECT_EQ(3, CountKind(objects, kKindConnector));
    std::set<int32_t> ids;
    int texts = 0;
    for (size_t i = 0; i < objects.size(); ++i) {
        const DrawingObject& object = objects[i];
        ids.insert(object.objectId);
        texts += object.textRecordId >= 0 ? 1 : 0;
        if (object.kind != kKindConnector)
            continue;
        ASSERT_EQ(2, SlotsInUse(&object)) << "connector " << i;
        for (int s = 0; s < 2; ++s) {
            const int32_t target = object.links[s].targetId;
            // Each copy's connector hangs on the shapes of its own copy.
            EXPECT_EQ(static_cast<int>(i) / kObjectsPerCopy, target / kObjectsPerCopy) << "connector " << i;
            ASSERT_GE(target, 0);
            ASSERT_LT(target, static_cast<int32_t>(objects.size()));
            EXPECT_EQ(kKindShape, objects[static_cast<size_t>(target)].kind);
        }
    }
    EXPECT_EQ(objects.size(), ids.size()) << "every object its own id";
    EXPECT_EQ(3, texts) << "the text came along with each copy";
}

TEST_F(ClipboardProgram, CutThenUndoBringsTheObjectsBack)
{
    DrawConnectedShapes();
    Command(IDM_EDIT_SELECT_ALL);
    Command(IDM_EDIT_CUT);
    Screenshot("clipboard_cut");
    EXPECT_EQ(0u, Saved().size());
    Command(IDM_EDIT_UNDO);
    Screenshot("clipboard_cut_undone");
    EXPECT_EQ(static_cast<size_t>(kObjectsPerCopy), Saved().size());
    Command(IDM_EDIT_PASTE);
    EXPECT_EQ(2u * kObjectsPerCopy, Saved().size());
}

} // namespace

namespace {

TEST_F(ClipboardProgram, AnotherProgramTakesTheCopiedDrawingAsAMetafileAndADib)
{
    DrawConnectedShapes();
    Command(IDM_EDIT_SELECT_ALL);
    Command(IDM_EDIT_COPY);
    // The reader's pictures go into the test output beside the screenshots.
    EXPECT_EQ(0u, RunClipboardReader("pictures clipboard_copied"));
    ASSERT_TRUE(program_.Settle());
}

TEST_F(ClipboardProgram, TextCopiedInTheEditorPastesIntoAnotherProgramsEditControl)
{
    DrawConnectedShapes();
    Click({120, 150});
    RealType("Gateway");
    ASSERT_TRUE(program_.Settle());
    ASSERT_NE(nullptr, Editor());
    Command(IDM_EDIT_SELECT_ALL);
    Command(IDM_EDIT_COPY);
    const std::string file = ScratchPath("clipboard-text.txt");
    DeleteFileA(file.c_str());
    EXPECT_EQ(0u, RunClipboardReader("text \"" + file + "\""));
    EXPECT_NE(std::string::npos, FileText(file).find("Gateway"));
}

} // namespace

namespace {

TEST_F(ClipboardProgram, CopiedObjectsPasteAgainAfterTheProgramRestarts)
{
    DrawConnectedShapes();
    Command(IDM_EDIT_SELECT_ALL);
    Command(IDM_EDIT_COPY);
    ASSERT_EQ(static_cast<size_t>(kObjectsPerCopy), Saved().size());
    program_.Close();
    StartWith(file_);
    Command(IDM_EDIT_PASTE);
    Screenshot("clipboard_pasted_after_restart");
    const std::vector<DrawingObject> objects = Saved();
    ASSERT_EQ(2u * kObjectsPerCopy, objects.size());
    EXPECT_EQ(2, CountKind(std::vector<DrawingObject>(objects.begin() + kObjectsPerCopy, objects.end()), kKindShape));
}

} // namespace

namespace {

// Puts text on the clipboard as another program would.
bool OfferForeignText(const char* text)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const size_t size = std::strlen(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (void* bytes = block ? GlobalLock(block) : nullptr) {
        std::memcpy(bytes, text, size);
        GlobalUnlock(block);
    }
    const bool put = block && SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    return put;
}

TEST_F(ClipboardProgram, ForeignTextPastedFromTheRightButtonMenuBecomesATextAtTheClick)
{
    ASSERT_TRUE(OfferForeignText("Hello from elsewhere\r\nsecond line"));
    const POINT click = {300, 260};
    RealRightClick(ClientToScreenPoint(view_, click));
    ASSERT_TRUE(program_.Settle());
    // Cut, Copy, Paste head the menu.
    for (int item = 0; item < 3; ++item)
        RealKey(VK_DOWN);
    RealKey(VK_RETURN);
    ASSERT_TRUE(program_.Settle());
    Screenshot("clipboard_foreign_text_pasted");
    const POINT corner = ClientToScreenPoint(view_, click);
    const RECT lines = {corner.x, corner.y, corner.x + 200, corner.y + 60};
    const int kLetterPixels = 100;
    EXPECT_GT(ScreenImage::Grab().CountDark(lines), kLetterPixels) << "the text shows at the click";
    const std::vector<DrawingObject> saved = Saved();
    ASSERT_EQ(1u, saved.size()) << "one text object";
    EXPECT_GE(saved[0].textRecordId, 0) << "it holds the text";
    EXPECT_NE(0u, saved[0].stateFlags & kStateTextBox);
    // The box starts at the click (drawing units, 6 to the pixel at the start zoom).
    const int kUnitsPerPixel = 6;
    const int kNear = 12;
    EXPECT_NEAR(click.x * kUnitsPerPixel, saved[0].frame.left, kNear);
    EXPECT_NEAR(click.y * kUnitsPerPixel, saved[0].frame.top, kNear);
    EXPECT_GT(saved[0].frame.right - saved[0].frame.left, 54) << "the box fits the text";
}

} // namespace
