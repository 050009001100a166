// Library windows in the running program: made, closed and reopened from the
// Libraries menu, shown as buttons and as names, docked into a document,
// detached again and brought back at the next start.
#include <gtest/gtest.h>

#include <string>

#include "libraries/library_records.h"
#include "support/library_fixture.h"
#include "libraries/library_program.h"
#include "resources/menu_ids.h"
#include "store/record_store.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/screen_image.h"
#include "support/test_paths.h"

namespace {

using LibraryWindowsProgram = LibraryProgram;

TEST_F(LibraryWindowsProgram, NewLibraryClosesAndComesBackFromTheLibrariesMenu)
{
    const std::string path = ScratchPath("made.vxl");
    DeleteFileA(path.c_str());
    program_.PostCommand(IDM_LIB_CREATE);
    AnswerFileDialog("Create Vexlet Library", path);
    const std::string title = Title(path);
    HWND library = FloatingLibrary(title.c_str());
    ASSERT_NE(nullptr, library) << "no library window after Create New Library";
    EXPECT_TRUE(ScreenImage::Grab().Uniform(ClientScreenRect(library))) << "an empty library paints no buttons";
    Screenshot("new_library");
    LibraryHeader header;
    ASSERT_TRUE(ReadLibraryHeader(path, &header));
    EXPECT_EQ(0, header.symbolCount);

    Command(IDM_LIB_CLOSE);
    EXPECT_EQ(nullptr, FloatingLibrary(title.c_str()));
    Command(IDM_LIB_WINDOW_BASE + 1);
    EXPECT_NE(nullptr, FloatingLibrary(title.c_str())) << "the remembered library did not reopen";
    Screenshot("reopened_from_menu");
}

TEST_F(LibraryWindowsProgram, TwelveSymbolsInBothModesDockedDetachedAndBackAfterRestart)
{
    const std::string path = OpenFixtureLibrary("twelve.vxl", 12);
    ASSERT_FALSE(path.empty());
    const std::string title = Title(path);
    HWND library = FloatingLibrary(title.c_str());
    ASSERT_NE(nullptr, library) << "no library window after Open Library";
    const RECT buttons = ClientScreenRect(library);
    EXPECT_EQ(4 * 50, buttons.right - buttons.left) << "four medium buttons a row";
    EXPECT_EQ(3 * 50, buttons.bottom - buttons.top) << "three rows of medium buttons";
    EXPECT_FALSE(ScreenImage::Grab().Uniform(buttons));
    Screenshot("buttons_mode");

    PostMessageA(library, WM_COMMAND, IDM_LIB_NAMES, 0);
    ASSERT_TRUE(program_.Settle());
    const RECT names = ClientScreenRect(library);
    EXPECT_GT(names.bottom - names.top, names.right - names.left) << "one column of twelve names";
    EXPECT_GT(ScreenImage::Grab().CountDark(names), 0) << "the names are written";
    Screenshot("names_mode");

    // Drag the caption into the top band of the document window.
    RECT frame;
    GetWindowRect(library, &frame);
    const POINT caption = {(frame.left + frame.right) / 2, frame.top + GetSystemMetrics(SM_CYFRAME) + 6};
    const RECT documentClient = ClientScreenRect(document_);
    RealDrag(caption, POINT{documentClient.left + 120, documentClient.top + 12});
    ASSERT_TRUE(program_.Settle());
    HWND docked = DockedLibrary();
    ASSERT_NE(nullptr, docked) << "the library did not dock";
    EXPECT_EQ(nullptr, FloatingLibrary(title.c_str()));
    const RECT bar = ClientScreenRect(docked);
    EXPECT_EQ(8 + 23, bar.bottom - bar.top) << "one row of 23-pixel buttons";
    EXPECT_FALSE(ScreenImage::Grab().Uniform(bar));
    Screenshot("docked");

    PostMessageA(docked, WM_COMMAND, IDM_LIB_DETACH_TOOLBAR, 0);
    ASSERT_TRUE(program_.Settle());
    EXPECT_EQ(nullptr, DockedLibrary());
    library = FloatingLibrary(title.c_str());
    ASSERT_NE(nullptr, library) << "the detached library floats";
    Screenshot("detached");

    // Docked again, the bar is dragged out by its empty end onto the tool bar.
    GetWindowRect(library, &frame);
    RealDrag(POINT{(frame.left + frame.right) / 2, frame.top + GetSystemMetrics(SM_CYFRAME) + 6},
             POINT{documentClient.left + 120, documentClient.top + 12});
    ASSERT_TRUE(program_.Settle());
    docked = DockedLibrary();
    ASSERT_NE(nullptr, docked) << "the library did not dock again";
    const RECT again = ClientScreenRect(docked);
    const RECT palette = ClientScreenRect(palette_);
    RealDrag(POINT{again.right - 60, again.top + 10}, POINT{500, (palette.top + palette.bottom) / 2});
    ASSERT_TRUE(program_.Settle());
    EXPECT_EQ(nullptr, DockedLibrary());
    ASSERT_NE(nullptr, FloatingLibrary(title.c_str())) << "the bar dragged out of the document floats";
    Screenshot("dragged_out");

    Restart();
    EXPECT_NE(nullptr, FloatingLibrary(title.c_str())) << "the library window did not come back";
    Screenshot("after_restart");
}

// The rectangle mostly unchanged: button frames may differ, a window over it
// changes nearly every pixel.
bool SamePixels(const ScreenImage& a, const ScreenImage& b, const RECT& rect)
{
    const int kFramePixelsAllowed = (rect.right - rect.left) * (rect.bottom - rect.top) / 4;
    int differing = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            differing += a.At(x, y) != b.At(x, y);
    return differing <= kFramePixelsAllowed;
}

int CountLibraryWindows(DWORD process)
{
    struct Count {
        DWORD process;
        int found;
    } count = {process, 0};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* c = reinterpret_cast<Count*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char className[32] = "";
            GetClassNameA(window, className, sizeof(className));
            if (owner == c->process && lstrcmpA(className, kLibraryClass) == 0)
                ++c->found;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.found;
}

TEST_F(LibraryWindowsProgram, OpeningAnOpenLibraryBringsItsWindowInsteadOfASecond)
{
    LibraryFixture fixture;
    fixture.symbols = 3;
    const std::string path = WriteLibraryFixture(ScratchPath("once.vxl"), fixture);
    for (int attempt = 0; attempt < 2; ++attempt) {
        OpenLibraryFile(path);
    }
    DWORD process = 0;
    GetWindowThreadProcessId(program_.MainWindow(), &process);
    EXPECT_EQ(1, CountLibraryWindows(process));
    EXPECT_EQ(nullptr, AwaitDialog(nullptr, 500)) << "no message for a new window";
}

TEST_F(LibraryWindowsProgram, KeysTypedInALibraryWindowGoToTheDrawing)
{
    LibraryFixture fixture;
    fixture.symbols = 4;
    const std::string path = WriteLibraryFixture(ScratchPath("keys.vxl"), fixture);
    OpenLibraryFile(path);
    HWND library = FloatingLibrary(Title(path).c_str());
    ASSERT_NE(nullptr, library);
    const RECT client = ClientScreenRect(library);
    EXPECT_EQ(program_.MainWindow(), GetWindow(library, GW_OWNER));
    RealClick(POINT{client.left + 70, client.top + 20});
    ASSERT_TRUE(program_.Settle());
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(library, nullptr), &info));
    EXPECT_EQ(library, info.hwndFocus) << "the click gives the library window the keyboard";
    Screenshot("second_symbol_chosen");
    RealKey(VK_RIGHT);
    ASSERT_TRUE(program_.Settle());
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(library, nullptr), &info));
    EXPECT_EQ(view_, info.hwndFocus) << "the key went back to the drawing";
}

// The library window's buttons must still be on the screen after the
// drawing takes the keyboard back or is edited.
TEST_F(LibraryWindowsProgram, FloatingLibraryStaysInFrontAfterAKeyAndAnEdit)
{
    const std::string path = OpenFixtureLibrary("front.vxl", 4);
    ASSERT_FALSE(path.empty());
    HWND library = FloatingLibrary(Title(path).c_str());
    ASSERT_NE(nullptr, library);
    const RECT client = ClientScreenRect(library);
    const ScreenImage before = ScreenImage::Grab();
    before.Save("library_in_front");
    RealClick(POINT{client.left + 70, client.top + 20});
    ASSERT_TRUE(program_.Settle());
    RealKey(VK_RIGHT);
    ASSERT_TRUE(program_.Settle());
    EXPECT_TRUE(SamePixels(before, ScreenImage::Grab(), client)) << "hidden after a key went to the drawing";
    Screenshot("library_after_key");
    DrawRectangle(POINT{40, 200}, POINT{140, 260});
    Command(IDM_EDIT_SELECT_ALL);
    Command(IDM_EDIT_CLEAR);
    DrawRectangle(POINT{40, 200}, POINT{140, 260});
    EXPECT_TRUE(SamePixels(before, ScreenImage::Grab(), client)) << "hidden after Clear and drawing";
    Screenshot("library_after_clear_and_drawing");
}

TEST_F(LibraryWindowsProgram, RestingOnASymbolShowsItsNameInATip)
{
    const int kSomeTextPixels = 20;
    const std::string path = OpenFixtureLibrary("named.vxl", 4);
    ASSERT_FALSE(path.empty());
    HWND library = FloatingLibrary(Title(path).c_str());
    ASSERT_NE(nullptr, library);
    const RECT client = ClientScreenRect(library);
    const POINT rest = {client.left + 75, client.top + 25};  // the second medium button
    RealMouseMove(rest);
    HWND tip = AwaitToolTipBelow(rest);
    ASSERT_NE(nullptr, tip) << "no tip below the pointer over the symbol";
    RECT r;
    GetWindowRect(tip, &r);
    const ScreenImage screen = ScreenImage::Grab();
    screen.Save("library_symbol_tip");
    EXPECT_GT(screen.CountDark(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}), kSomeTextPixels);
}

} // namespace
