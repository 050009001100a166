#include "common/help_context.h"

#include <cstring>

#include "common/help_filter.h"
#include "common/help_mode.h"
#include "common/help_topics.h"
#include "common/string_helpers.h"
#include "common/app_globals.h"
#include "resources/resource_ids.h"

char HelpFilePath[MAX_PATH] = "";
int HelpUsed = 0;
HelpEngineCall HelpEngine = WinHelpA;
HelpCommandCall HelpMenuCommand = nullptr;

namespace {

int NotedContext = 0;

} // namespace

void MakeHelpFilePath()
{
    char program[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(AppInstance, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        program[0] = '\0';
    char* slash = strrchr(program, '\\');
    if (slash)
        slash[1] = '\0';
    else
        program[0] = '\0';
    char leaf[kStringBufferSize];
    LoadStrOrBlank(IDS_HELP_FILE, leaf);
    lstrcpynA(HelpFilePath, program, MAX_PATH);
    strncat(HelpFilePath, leaf, MAX_PATH - 1 - strlen(HelpFilePath));
}

void SetHelpContext(int commandId)
{
    NotedContext = commandId;
}

int GetHelpContext()
{
    return NotedContext;
}

int ShowContextHelp()
{
    // F1 over a separator or before any item was highlighted: nothing to show.
    if (NotedContext != 0)
        ShowHelpForCommand(NotedContext);
    return 0;
}

void ShowHelpForCommand(int commandId)
{
    const int topic = HelpTopicForCommand(commandId);
    if (topic != kHelpMenuOwnsCommand) {
        ShowHelpTopic(topic);
        return;
    }
    if (HelpMenuCommand)
        HelpMenuCommand(commandId);
}

int ShowHelpOnHelp()
{
    if (HelpEngine && HelpEngine(MainWindow, nullptr, HELP_HELPONHELP, 0)) {
        HelpUsed = 1;
        return 1;
    }
    return 0;
}

void EndHelpSession(HWND mainWindow)
{
    if (HelpUsed && HelpEngine)
        HelpEngine(mainWindow, HelpFilePath, HELP_QUIT, 0);
    HelpUsed = 0;
}

LRESULT CALLBACK MenuHelpFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code < 0)
        return CallNextHookEx(MenuHelpHook, code, wParam, lParam);
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_MENU && message && message->message == WM_KEYDOWN && message->wParam == VK_F1) {
        PostMessageA(MainWindow, WM_COMMAND, kContextHelpCommand, 0);
        return 1;
    }
    return 0;
}
