#include "frame/hand_over.h"

#include "documents/document_commands.h"
#include "frame/command_line.h"
#include "common/window_helpers.h"
#include "frame/library_commands.h"
#include "libraries/library_windows.h"
#include "frame/main_window.h"
#include "documents/print_document.h"

int HandOverToRunningInstance(const char* file, int print)
{
    HWND running = FindWindowA(kMainClassName, nullptr);
    if (!running)
        return -1;
    if (file[0]) {
        ATOM atom = GlobalAddAtomA(file);
        LRESULT answer = 1;
        if (atom) {
            answer = SendMessageA(running, kMsgHandOver, static_cast<WPARAM>(print ? 1 : 0), atom);
            GlobalDeleteAtom(atom);
        }
        if (answer)
            return 1;
    }
    if (!IsWindowVisible(running))
        ShowWindow(running, SW_SHOW);
    SetForegroundWindow(running);
    return 0;
}

void ReceiveHandOver(WPARAM print, LPARAM atom)
{
    if (!atom)
        return;
    char path[kCommandPathSize] = "";
    if (!GlobalGetAtomNameA(static_cast<ATOM>(atom), path, kCommandPathSize - 1))
        return;
    HWND main = FindWindowA(kMainClassName, nullptr);
    if (main && IsIconic(main))
        ShowWindow(main, SW_RESTORE);
    if (print) {
        if (OpenDocument(path, FALSE, 1) == kErrNone && GetActiveDocWindow(nullptr)) {
            PrintActiveDocument(nullptr, TRUE);
            CloseActiveDocument();
        }
        return;
    }
    if (IsLibraryFile(path))
        OpenLibraryFile(path);
    else
        DiscardError(OpenDocument(path, FALSE, 1), "the open shows its own failure");
}
