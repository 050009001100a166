// The size box of the text font dialog when OK is pressed: a size outside
// 4..400 points is refused in a box titled like every warning of the
// program, and a typed size in range is the size chosen.
#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include <atomic>
#include <string>
#include <thread>

#include "font_test_support.h"
#include "text/font_dialogs.h"

namespace {

struct DialogSearch {
    HWND other;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<DialogSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (process != GetCurrentProcessId() || lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window) ||
        window == search->other)
        return TRUE;
    search->found = window;
    return FALSE;
}

// A visible dialog of this process other than `other`, looked for until it
// shows or about four seconds have gone by.
HWND WaitForDialog(HWND other)
{
    for (int i = 0; i < 200; ++i, Sleep(20)) {
        DialogSearch search = {other, nullptr};
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
    }
    return nullptr;
}

std::string TextOf(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// Key by key into the size box's edit field, so the box reacts as to typing.
void TypeIntoSizeBox(HWND dialog, const char* text)
{
    HWND box = GetDlgItem(dialog, cmb3);
    HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
    SetWindowTextA(edit, "");
    for (const char* c = text; *c; ++c)
        SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 1);
}

// What the dialog did with one press of OK.
struct Outcome {
    int result = -1;  // ChooseTextFont's answer
    int size = 0;
    std::string boxTitle;  // empty when no box came up
    std::string boxText;
};

// Opens the text font dialog at `startSize`, types `typed` into its size box
// (unless null) and presses OK; a box that comes up is answered and the
// dialog then cancelled.
Outcome PressOk(int startSize, const char* typed)
{
    HGLOBAL list = MakeFontList({{"Arial", 0, 0x22, 2}});
    Outcome outcome;
    std::thread user([&] {
        HWND dialog = WaitForDialog(nullptr);
        if (!dialog)
            return;
        if (typed)
            TypeIntoSizeBox(dialog, typed);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 100 && IsWindow(dialog); ++i, Sleep(20)) {
            DialogSearch search = {dialog, nullptr};
            EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
            if (!search.found)
                continue;
            outcome.boxTitle = TextOf(search.found);
            for (HWND child = GetWindow(search.found, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                outcome.boxText += TextOf(child) + "|";
            PostMessageA(search.found, WM_COMMAND, IDOK, 0);
            while (IsWindow(search.found))
                Sleep(10);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
    });
    int slot = 0;
    int size = startSize;
    int style = 0;
    HDC screen = GetDC(nullptr);
    outcome.result = ChooseTextFont(nullptr, &list, nullptr, screen, &slot, &size, &style);
    ReleaseDC(nullptr, screen);
    user.join();
    outcome.size = size;
    FreeFontList(list);
    return outcome;
}

} // namespace

TEST(FontSizeBox, SizeOutsideTheLimitsIsRefusedInABoxTitledLikeEveryWarning)
{
    struct Case {
        const char* name;
        int startSize;
        const char* typed;
    };
    const Case cases[] = {
        {"started below 4 points", 2, nullptr},
        {"started above 400 points", 500, nullptr},
        {"typed 401", 12, "401"},
        {"typed letters", 12, "big"},
    };
    for (const Case& row : cases) {
        const Outcome outcome = PressOk(row.startSize, row.typed);
        EXPECT_EQ(0, outcome.result) << row.name << ": the dialog must stay open until cancelled";
        EXPECT_EQ("Tessary Plus", outcome.boxTitle) << row.name;
        EXPECT_NE(std::string::npos, outcome.boxText.find("400")) << row.name << ": " << outcome.boxText;
    }
}

TEST(FontSizeBox, TypedSizeInRangeIsTheSizeChosen)
{
    struct Case {
        const char* name;
        int startSize;
        const char* typed;
        int chosen;
    };
    const Case cases[] = {
        {"a listed size over one too large", 500, "12", 12},
        {"a size the list lacks", 12, "13", 13},
        {"the smallest", 12, "4", 4},
        {"the largest", 12, "400", 400},
    };
    for (const Case& row : cases) {
        const Outcome outcome = PressOk(row.startSize, row.typed);
        EXPECT_EQ(1, outcome.result) << row.name;
        EXPECT_EQ(row.chosen, outcome.size) << row.name;
        EXPECT_EQ("", outcome.boxTitle) << row.name;
    }
}
