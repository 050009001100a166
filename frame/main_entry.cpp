// Program entry: the command line, the hand-over to a running instance,
// start-up, the first document, the message loop and shut-down.
#include <windows.h>

#include <cstring>

#include "common/help_context.h"
#include "common/owned_windows.h"
#include "documents/print_document.h"
#include "common/app_globals.h"
#include "frame/app_startup.h"
#include "frame/command_line.h"
#include "frame/hand_over.h"
#include "frame/program_run.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR tail, int showCommand)
{
    char file[kCommandPathSize] = "";
    char optionsFile[kCommandPathSize] = "";
    char printFile[kCommandPathSize] = "";
    int embedding = 0;
    int print = 0;
    if (tail) {
        ParseCommandLine(tail, file, optionsFile, printFile, &embedding);
        if (printFile[0]) {
            strcpy(file, printFile);
            print = 1;
        }
    }
    const int handedOver = HandOverToRunningInstance(file, print);
    if (handedOver >= 0)
        return handedOver;
    const int show = StartShowState(showCommand, embedding);
    ErrorCode code = InitApplication(instance, show, optionsFile);
    if (code != kErrNone) {
        ExitApplication();
        return code.value;
    }
    bool runLoop = OpenFirstDocument(file, embedding);
    int exitCode = runLoop ? 0 : 1;
    MenuHelpHook = SetWindowsHookExA(WH_MSGFILTER, MenuHelpFilter, nullptr, GetCurrentThreadId());
    // Floating library windows stay in front of the main window.
    WatchOwnerFocus(MainWindow);
    if (print) {
        PrintActiveDocument(nullptr, FALSE);
        runLoop = false;
    }
    if (runLoop) {
        exitCode = RunMessageLoop();
    } else {
        // Without a loop nobody closes the documents: their working files and
        // file locks would stay behind.
        CloseDocumentsQuietly();
    }
    if (MenuHelpHook)
        UnhookWindowsHookEx(MenuHelpHook);
    MenuHelpHook = nullptr;
    StopWatchingOwnerFocus();
    ExitApplication();
    return exitCode;
}
