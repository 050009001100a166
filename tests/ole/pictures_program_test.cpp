// Pictures in and out of the running program: a drawing of every shape type
// exported to each format through File > Export (ImageMagick reads each back,
// the PNG copies stay in the test output for people), each imported again into
// a new drawing, a metafile dropped onto the view at a point, and the empty
// drawing that exports nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "common/handle_words.h"
#include "objects/object_create.h"
#include "objects/shape_types.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"
#include "support/unix_command.h"

namespace {

const int kColumns = 6;
const int kShapeSide = 600;
const int kShapeStep = 750;
const int kFirstShapeType = kShapeRectangle;
const int kLastShapeType = kShapeDisplay;

void FillWithEveryShape(HWND view)
{
    for (int type = kFirstShapeType; type <= kLastShapeType; ++type) {
        const int cell = type - kFirstShapeType;
        const int left = 300 + (cell % kColumns) * kShapeStep;
        const int top = 300 + (cell / kColumns) * kShapeStep;
        RECT frame = {left, top, left + kShapeSide, top + kShapeSide};
        EXPECT_EQ(kErrNone, CreateObject(view, kKindShape, &frame, type, 0, 0, 0, 1, 0, 0)) << type;
    }
}

std::vector<uint8_t> LoadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct Format {
    const char* name;
    const char* extension;
    int filterPosition;  // in the Export and Import type lists
};

const Format kFormats[] = {
    {"wmf", "wmf", 1}, {"bmp", "bmp", 2}, {"pcx", "pcx", 3}, {"tiff", "tif", 4}, {"gif", "gif", 5}, {"jpeg", "jpg", 6},
};

class PicturesProgram : public DesktopProgram {
protected:
    void SetUp() override
    {
        drawing_ = ScratchPath("every_shape.tyr");
        ScratchDrawing scratch;
        ASSERT_EQ(kErrNone, scratch.Write(drawing_, false, FillWithEveryShape));
        StartWith(drawing_);
    }

    // Runs File > Export or File > Import through its dialog with `path` and
    // the type at `position`, answering the GIF options with OK.
    void RunFileDialog(int command, const char* title, const std::string& path, int position)
    {
        program_.PostCommand(command);
        HWND dialog = AwaitFileDialog(title);
        ASSERT_NE(nullptr, dialog) << title;
        HWND types = GetDlgItem(dialog, cmb1);
        HWND name = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
        ASSERT_NE(nullptr, types);
        ASSERT_NE(nullptr, name);
        ChooseType(dialog, position);
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(program_.Settle());
    }

    // The dialog once its type list is filled in.
    HWND AwaitFileDialog(const char* title)
    {
        const int kTypes = 6;
        for (int poll = 0; poll < 100; ++poll) {
            HWND dialog = AwaitDialog(title);
            HWND types = dialog ? GetDlgItem(dialog, cmb1) : nullptr;
            if (types && SendMessageA(types, CB_GETCOUNT, 0, 0) >= kTypes)
                return dialog;
            Sleep(50);
        }
        return nullptr;
    }

    // A dialog of the program's other than `except`, such as the question a
    // dialog asks.
    HWND AwaitOtherDialog(HWND except)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(program_.MainWindow(), &processId);
        struct Search {
            DWORD processId;
            HWND except;
            HWND palette;
            HWND found;
        } search = {processId, except, palette_, nullptr};
        for (int poll = 0; poll < 100 && !search.found; ++poll) {
            EnumWindows(
                [](HWND window, LPARAM context) {
                    auto* wanted = reinterpret_cast<Search*>(context);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(window, &owner);
                    char name[16] = "";
                    GetClassNameA(window, name, sizeof(name));
                    if (owner == wanted->processId && window != wanted->except && window != wanted->palette &&
                        IsWindowVisible(window) && std::strcmp(name, "#32770") == 0) {
                        wanted->found = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            Sleep(50);
        }
        return search.found;
    }

    static void ChooseType(HWND dialog, int position)
    {
        HWND types = GetDlgItem(dialog, cmb1);
        SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(position - 1), 0);
        // Dialogs differ in which notification they act on: send both.
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
    }

    void Export(const std::string& path, int position)
    {
        RunFileDialog(IDM_FILE_EXPORT, "Export", path, position);
        if (position == 5) {
            HWND options = AwaitDialog("GIF Format Options");
            ASSERT_NE(nullptr, options);
            PostMessageA(options, WM_COMMAND, IDOK, 0);
            // A transparent GIF on this many-coloured screen asks once more.
            const DWORD kNoticeWaitMs = 2000;
            if (HWND notice = AwaitDialog("GIF Format", kNoticeWaitMs))
                PostMessageA(notice, WM_COMMAND, IDOK, 0);
        }
        ASSERT_TRUE(program_.Settle());
    }

    std::string ExportPath(const std::string& stem, const Format& format) const
    {
        return TestOutputFolder() + "export_" + stem + "." + format.extension;
    }

    // Width and height as ImageMagick reads the file.
    std::string MagickSize(const std::string& path) const
    {
        return UnixOutputOf("identify -format '%w %h' " + UnixPathOf(path) + "[0]");
    }

    // Pixels of the view that are not white paper.
    int InkOnView()
    {
        const RECT view = ClientScreenRect(ActiveView());
        const ScreenImage screen = ScreenImage::Grab();
        return (view.right - view.left) * (view.bottom - view.top) - screen.CountColor(view, RGB(255, 255, 255));
    }

    HWND ActiveView()
    {
        HWND client = FindWindowExA(program_.MainWindow(), nullptr, "MDICLIENT", nullptr);
        HWND document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        return FindWindowExA(document, nullptr, "MDScrollClass", nullptr);
    }

    std::string drawing_;
};

TEST_F(PicturesProgram, ExportsEveryFormatAndImportsItBack)
{
    std::string rasterSize;
    for (const Format& format : kFormats) {
        const std::string path = ExportPath("every_shape", format);
        DeleteFileA(path.c_str());
        Export(path, format.filterPosition);
        ASSERT_TRUE(FileExists(path)) << format.name;
        const std::vector<uint8_t> bytes = LoadBytes(path);
        if (std::string(format.name) == "wmf") {
            ASSERT_GT(bytes.size(), 22u);
            EXPECT_EQ(0x9AC6CDD7u, ReadLeU32(bytes.data()));
            EXPECT_EQ(600, ReadLeU16(&bytes[14]));
            EXPECT_EQ(ReadLeU16(&bytes[10]) ^ ReadLeU16(&bytes[12]) ^ 0x5549, ReadLeU16(&bytes[20]));
            continue;
        }
        // Every raster format is the same picture at the view's zoom.
        const std::string size = MagickSize(path);
        if (rasterSize.empty())
            rasterSize = size;
        EXPECT_EQ(rasterSize, size) << format.name;
        UnixOutputOf("convert " + UnixPathOf(path) + "[0] " + UnixPathOf(path) + ".png");
        if (std::string(format.name) == "gif") {
            // By default the white paper is transparent and the picture interlaced.
            const std::vector<uint8_t> control = {0x21, 0xF9, 0x04, 0x01};
            const auto found = std::search(bytes.begin(), bytes.end(), control.begin(), control.end());
            ASSERT_NE(bytes.end(), found);
            const size_t descriptor = static_cast<size_t>(found - bytes.begin()) + 8;
            ASSERT_LT(descriptor + 9, bytes.size());
            EXPECT_EQ(0x2C, bytes[descriptor]);
            EXPECT_EQ(0x40, bytes[descriptor + 9] & 0x40);
            EXPECT_EQ("True", UnixOutputOf("identify -format '%A' " + UnixPathOf(path)))
                << "ImageMagick sees no transparency";
        }
        if (std::string(format.name) == "bmp") {
            EXPECT_EQ(bytes.size(), ReadLeU32(&bytes[2]));
        }
    }
    // The lossless formats hold the same pixels as the BMP; JPEG comes close.
    const std::string bmp = UnixPathOf(ExportPath("every_shape", kFormats[1]));
    for (int i = 2; i <= 4; ++i)
        EXPECT_EQ("0", UnixOutputOf("compare -metric AE " + bmp + " " +
                                    UnixPathOf(ExportPath("every_shape", kFormats[i])) + "[0] null: 2>&1"))
            << kFormats[i].name;
    const std::string psnr = UnixOutputOf("compare -metric PSNR " + bmp + " " +
                                          UnixPathOf(ExportPath("every_shape", kFormats[5])) + " null: 2>&1");
    EXPECT_GT(std::atof(psnr.c_str()), 30.0) << psnr;

    // A picture of 24 shapes leaves far more ink than the empty page's marks.
    const int kPictureInk = 2000;
    for (const Format& format : kFormats) {
        Command(IDM_FILE_NEW_BLANK);
        const int before = InkOnView();
        RunFileDialog(IDM_FILE_IMPORT, "Import", ExportPath("every_shape", format), format.filterPosition);
        Screenshot(std::string("imported_") + format.name);
        EXPECT_GT(InkOnView(), before + kPictureInk) << format.name;
    }
}

TEST_F(PicturesProgram, ExportAtTwiceTheZoomIsTwiceAsWide)
{
    const Format& bmp = kFormats[1];
    DeleteFileA(ExportPath("zoom_100", bmp).c_str());
    DeleteFileA(ExportPath("zoom_200", bmp).c_str());
    Command(IDM_VIEW_ZOOM_100);
    Export(ExportPath("zoom_100", bmp), bmp.filterPosition);
    Command(IDM_VIEW_ZOOM_200);
    Export(ExportPath("zoom_200", bmp), bmp.filterPosition);
    const std::string at100 = MagickSize(ExportPath("zoom_100", bmp));
    const std::string at200 = MagickSize(ExportPath("zoom_200", bmp));
    const int width100 = std::atoi(at100.c_str());
    const int width200 = std::atoi(at200.c_str());
    ASSERT_GT(width100, 0) << at100;
    EXPECT_NEAR(2 * width100, width200, 2) << at100 << " / " << at200;
}

// An export of an empty drawing says so and leaves no file; one over an
// existing file leaves that file as it was.
TEST_F(PicturesProgram, EmptyDrawingExportsNothingAndKeepsTheExistingFile)
{
    Command(IDM_FILE_NEW_BLANK);
    const std::string fresh = ScratchPath("empty.bmp");
    const std::string kept = ScratchPath("kept.bmp");
    {
        std::ofstream out(kept, std::ios::binary);
        out << "the user's own picture";
    }
    for (const std::string& path : {fresh, kept}) {
        program_.PostCommand(IDM_FILE_EXPORT);
        HWND dialog = AwaitFileDialog("Export");
        ASSERT_NE(nullptr, dialog);
        HWND name = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
        ChooseType(dialog, 2);
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        // The Save dialog asks before replacing the existing file: its
        // question disables it while it waits.
        if (path == kept) {
            HWND question = AwaitOtherDialog(dialog);
            ASSERT_NE(nullptr, question);
            PostMessageA(question, WM_COMMAND, IDYES, 0);
        }
        HWND message = AwaitDialog("Tessary Plus");
        ASSERT_NE(nullptr, message) << path;
        EXPECT_NE(std::string::npos, StaticTexts(message).find("no data to export")) << StaticTexts(message);
        Screenshot("empty_export_message");
        PostMessageA(message, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(program_.Settle());
    }
    EXPECT_FALSE(FileExists(fresh));
    const std::vector<uint8_t> bytes = LoadBytes(kept);
    EXPECT_EQ("the user's own picture", std::string(bytes.begin(), bytes.end()));
}

// Save As with a picture type writes the picture; the document keeps its
// name (the window title).
TEST_F(PicturesProgram, SaveAsWithAPictureTypeWritesThePictureAndKeepsTheName)
{
    const int kSaveAsBmpPosition = 4;  // after the drawing, the template and the metafile
    const std::string path = ExportPath("save_as", kFormats[1]);
    DeleteFileA(path.c_str());
    const std::string title = program_.WindowText(document_);
    program_.PostCommand(IDM_FILE_SAVE_AS);
    HWND dialog = AwaitFileDialog("Save");
    ASSERT_NE(nullptr, dialog);
    ChooseType(dialog, kSaveAsBmpPosition);
    HWND name = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program_.Settle());
    ASSERT_TRUE(FileExists(path));
    EXPECT_EQ("BMP", UnixOutputOf("identify -format '%m' " + UnixPathOf(path)).substr(0, 3));
    EXPECT_EQ(title, program_.WindowText(document_));
}

// WM_DROPFILES as the shell sends it: a DROPFILES block in the program's own
// memory, the point in the main window's client area.
void DropFile(HWND mainWindow, const std::string& path, POINT clientPoint)
{
    std::vector<uint8_t> block(sizeof(DROPFILES) + path.size() + 2, 0);
    DROPFILES header = {};
    header.pFiles = sizeof(DROPFILES);
    header.pt = clientPoint;
    header.fNC = FALSE;
    header.fWide = FALSE;
    std::memcpy(block.data(), &header, sizeof(header));
    std::memcpy(block.data() + sizeof(header), path.c_str(), path.size());
    DWORD processId = 0;
    GetWindowThreadProcessId(mainWindow, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    ASSERT_NE(nullptr, process);
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(nullptr, remote);
    SIZE_T written = 0;
    ASSERT_TRUE(WriteProcessMemory(process, remote, block.data(), block.size(), &written));
    CloseHandle(process);
    PostMessageA(mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

TEST_F(PicturesProgram, MetafileDroppedOnTheViewLandsAtTheDropPoint)
{
    const std::string wmf = ExportPath("for_drop", kFormats[0]);
    DeleteFileA(wmf.c_str());
    Export(wmf, kFormats[0].filterPosition);
    ASSERT_TRUE(FileExists(wmf));
    Command(IDM_FILE_NEW_BLANK);
    HWND view = ActiveView();
    const RECT viewRect = ClientScreenRect(view);
    // Right of the view's middle: the picture's pixels lie around there.
    POINT screen = {viewRect.left + (viewRect.right - viewRect.left) * 3 / 4, viewRect.top + 100};
    POINT client = screen;
    ScreenToClient(program_.MainWindow(), &client);
    const RECT leftHalf = {viewRect.left, viewRect.top, (viewRect.left + viewRect.right) / 2, viewRect.bottom};
    const RECT rightHalf = {leftHalf.right, viewRect.top, viewRect.right, viewRect.bottom};
    const ScreenImage before = ScreenImage::Grab();
    DropFile(program_.MainWindow(), wmf, client);
    ASSERT_TRUE(program_.Settle());
    Screenshot("dropped_metafile");
    const ScreenImage after = ScreenImage::Grab();
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_LT(after.CountColor(rightHalf, white) + 1000, before.CountColor(rightHalf, white))
        << "the dropped picture is not on the view";
    EXPECT_EQ(after.CountColor(leftHalf, white), before.CountColor(leftHalf, white))
        << "the picture is not where it was dropped";
}

} // namespace
