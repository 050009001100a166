#include "frame/program_run.h"

#include "documents/document_commands.h"
#include "documents/print_document.h"
#include "common/app_globals.h"
#include "frame/library_commands.h"
#include "frame/option_flags.h"
#include "frame/unbuilt_commands.h"
#include "frame/welcome_dialog.h"
#include "libraries/library_windows.h"
#include "view/tool_palette.h"

namespace {

const int kOpenByContent = 1;
const int kOpenForOleLink = 94;
const int kOpenAtStart = 99;
const int kWelcomeChoiceNew = 1050;
const int kWelcomeChoiceOpen = 1051;
const int kWelcomeHelpTopic = 30031;

void OpenByOptions()
{
    const uint16_t flags = GetOptionFlags();
    if (flags & kFlagWelcomeAtStart) {
        int choice = kWelcomeChoiceNew;
        INT_PTR result = RunWelcomeDialog("WELCOME", &choice, kWelcomeHelpTopic);
        if (PaletteWindow)
            UpdateWindow(PaletteWindow);
        if (!result)
            return;
        if (choice == kWelcomeChoiceOpen)
            DiscardError(OpenDocument(nullptr, TRUE, kOpenAtStart), "the open shows its own failure");
        else if (choice == kWelcomeChoiceNew)
            DiscardError(NewDocument(0), "the open shows its own failure");
        return;
    }
    if (flags & kFlagOpenDialogAtStart)
        DiscardError(OpenDocument(nullptr, TRUE, kOpenAtStart), "the open shows its own failure");
    else
        DiscardError(NewDocument(0), "the open shows its own failure");
}

void RunOneMessage(MSG* message)
{
    if (PreviewWindow && IsDialogMessageA(PreviewWindow, message))
        return;
    if (MdiClientWindow && TranslateMDISysAccel(MdiClientWindow, message))
        return;
    if (MainWindow && AppAccelerators && TranslateAcceleratorA(MainWindow, AppAccelerators, message))
        return;
    TranslateMessage(message);
    DispatchMessageA(message);
}

} // namespace

int StartShowState(int showCommand, int embedding)
{
    if (showCommand == SW_SHOWMINNOACTIVE)
        return showCommand;
    return embedding ? SW_HIDE : SW_SHOWMAXIMIZED;
}

bool OpenFirstDocument(const char* file, int embedding)
{
    if (file[0] && embedding)
        return OpenDocument(file, FALSE, kOpenForOleLink) == kErrNone;
    if (file[0]) {
        if (IsLibraryFile(file))
            OpenLibraryFile(file);
        else
            DiscardError(OpenDocument(file, FALSE, kOpenByContent), "the open shows its own failure");
        return true;
    }
    if (!embedding)
        OpenByOptions();
    return true;
}

int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        RunOneMessage(&message);
        FollowFocusWithPalette();
    }
    return static_cast<int>(message.wParam);
}

void CloseDocumentsQuietly()
{
    if (!MdiClientWindow)
        return;
    for (;;) {
        HWND document = reinterpret_cast<HWND>(SendMessageA(MdiClientWindow, WM_MDIGETACTIVE, 0, 0));
        if (!document)
            return;
        PrepareDocumentClose(document);
        SendMessageA(MdiClientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(document), 0);
        // A window that refused to go would make this loop for ever.
        if (IsWindow(document))
            return;
    }
}
