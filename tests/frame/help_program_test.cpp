// Help as the running program asks for it: a stand-in help engine window in
// this process answers what the program's WinHelp calls send, so no help file
// or viewer is needed.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "support/desktop_program.h"
#include "support/real_input.h"

namespace {

const char kHelpEngineClass[] = "MS_WINHELP";
// Wine's WinHelp tags its WM_COPYDATA with this number.
const ULONG_PTR kHelpRequestTag = 0xA1DE505;
const int kPumpMs = 50;
const int kPumpRounds = 100;
const int kFileMenuTopic = 101;

// The head of a help request as the engine receives it.
#pragma pack(push, 1)
struct HelpRequestHead {
    WORD size;
    WORD command;
    LONG data;
    LONG reserved;
    WORD fileOffset;
    WORD dataOffset;
};
#pragma pack(pop)
static_assert(sizeof(HelpRequestHead) == 16, "the request head as sent");

struct SeenRequest {
    UINT command;
    LONG data;
};
std::vector<SeenRequest> Seen;

LRESULT CALLBACK StandInEngine(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (copy && copy->dwData == kHelpRequestTag && copy->cbData >= sizeof(HelpRequestHead)) {
            const auto* head = static_cast<const HelpRequestHead*>(copy->lpData);
            Seen.push_back({head->command, head->data});
            return TRUE;
        }
        return FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class HelpProgram : public DesktopProgram {
protected:
    void SetUp() override
    {
        Seen.clear();
        WNDCLASSA engineClass = {};
        engineClass.lpfnWndProc = StandInEngine;
        engineClass.hInstance = GetModuleHandleA(nullptr);
        engineClass.lpszClassName = kHelpEngineClass;
        RegisterClassA(&engineClass);
        engine_ = CreateWindowExA(0, kHelpEngineClass, "stand-in help", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, engine_);
        DesktopProgram::SetUp();
    }
    void TearDown() override
    {
        // Gone before the program closes, so its closing word to the help
        // engine does not wait on this test.
        if (engine_)
            DestroyWindow(engine_);
        DesktopProgram::TearDown();
    }
    // Lets the program's requests in until one came or the rounds are over.
    bool AwaitRequest()
    {
        for (int i = 0; i < kPumpRounds && Seen.empty(); ++i) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(kPumpMs);
        }
        return !Seen.empty();
    }
    HWND engine_ = nullptr;
};

TEST_F(HelpProgram, F1InAnOpenMenuShowsTheTopicOfTheHighlightedItem)
{
    // Alt+F, as the system turns it into a menu key.
    PostMessageA(program_.MainWindow(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    ASSERT_TRUE(program_.Settle());
    RealKey(VK_DOWN);
    program_.Settle();
    Screenshot("help_file_menu_open");
    RealKey(VK_F1);
    ASSERT_TRUE(AwaitRequest()) << "no help request reached the help engine";
    EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), Seen.front().command);
    EXPECT_EQ(kFileMenuTopic, Seen.front().data);
    RealKey(VK_ESCAPE);
    RealKey(VK_ESCAPE);
    program_.Settle();
}

TEST_F(HelpProgram, InHelpModeAChosenCommandShowsItsTopicInsteadOfRunning)
{
    const int kHelpModeOn = 998;
    const int kSelectAll = 218;
    const int kSelectAllTopic = 106;
    Command(kHelpModeOn);
    // Not Command(): the program waits on this process's help engine, which
    // only answers while AwaitRequest pumps.
    program_.PostCommand(kSelectAll);
    ASSERT_TRUE(AwaitRequest());
    EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), Seen.front().command);
    EXPECT_EQ(kSelectAllTopic, Seen.front().data);
}

} // namespace
