// The running program with the store table started, for tests of library
// windows: answering the file dialogs, finding the library windows.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resources/menu_ids.h"
#include "store/record_store.h"
#include "support/desktop_program.h"
#include "support/library_fixture.h"
#include "support/test_paths.h"

namespace {

const char kLibraryClass[] = "VXLIBCLASS";
const int kSplashPolls = 100;
const DWORD kPollMs = 50;
const int kBrowseButton = 4;

class LibraryProgram : public DesktopProgram {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(kErrNone, InitRecordStore(kStoreTableSlots)); }
    static void TearDownTestSuite() { TermRecordStore(); }

    // Types the path into the file dialog of that title and confirms it.
    void AnswerFileDialog(const char* title, const std::string& path)
    {
        HWND dialog = AwaitDialog(title);
        ASSERT_NE(nullptr, dialog) << title;
        HWND name = GetDlgItem(dialog, cmb13);
        if (!name)
            name = GetDlgItem(dialog, edt1);
        if (name && FindWindowExA(name, nullptr, "Edit", nullptr))
            name = FindWindowExA(name, nullptr, "Edit", nullptr);
        ASSERT_NE(nullptr, name) << "the file name field";
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(program_.Settle());
    }

    // Writes a library of named symbols and opens it in a floating window;
    // its path, empty on failure.
    std::string OpenFixtureLibrary(const char* file, int symbols)
    {
        LibraryFixture fixture;
        fixture.symbols = symbols;
        const std::string path = WriteLibraryFixture(ScratchPath(file), fixture);
        if (path.empty())
            return path;
        OpenLibraryFile(path);
        return path;
    }

    // Open Library, then Browse in the library browser for the file.
    void OpenLibraryFile(const std::string& path)
    {
        HWND browser = OpenDialog(IDM_LIB_OPEN, "Open a Vexlet Library");
        ASSERT_NE(nullptr, browser) << "the library browser";
        Press(browser, kBrowseButton);
        AnswerFileDialog("Open Vexlet Library", path);
    }

    HWND FloatingLibrary(const char* title) const { return program_.FindProgramWindow(kLibraryClass, title); }
    HWND DockedLibrary() const { return FindWindowExA(document_, nullptr, kLibraryClass, nullptr); }

    // Ends the program, not saving the drawing that the docking changed, and
    // starts it again on the options it wrote, with a new blank drawing.
    void Restart()
    {
        PostMessageA(program_.MainWindow(), WM_CLOSE, 0, 0);
        HWND ask = AwaitDialog(nullptr, 3000);
        if (ask)
            PostMessageA(ask, WM_COMMAND, IDNO, 0);
        ASSERT_EQ(0, program_.WaitForExit());
        ASSERT_TRUE(program_.Start("/o " + options_));
        for (int i = 0; i < kSplashPolls && program_.FindProgramWindow("#32770", "About Tessary Plus"); ++i)
            Sleep(kPollMs);
        ASSERT_TRUE(program_.Settle());
        Command(desktop_ids::kNewBlank);
    }

    std::string Title(const std::string& path) const
    {
        const size_t slash = path.find_last_of('\\');
        const std::string file = path.substr(slash + 1);
        return file.substr(0, file.find('.'));
    }
};

} // namespace
