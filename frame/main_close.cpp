// Closing the main window: every document with its save prompt first; a
// document that stays open keeps everything as it was.
#include <windows.h>
#include <ole2.h>

#include "documents/document_commands.h"
#include "documents/options_file.h"
#include "common/app_globals.h"
#include "documents/clipboard_store.h"
#include "frame/main_window.h"
#include "frame/option_flags.h"
#include "libraries/library_windows.h"
#include "ole/ole_server.h"
#include "resources/menu_ids.h"
#include "view/tool_palette.h"

namespace {

const int kLineShapePosition = 3;

} // namespace

bool CloseMainWindow(HWND window)
{
    if (!CloseAllDocuments())
        return false;
    OleFlushClipboard();
    if (StartedForEmbedding && OleServerRunning) {
        // No new objects from here on; OLE itself ends after the message
        // loop, since calls the containers queued are still dispatched.
        OleRevokeServer();
        SaveAndFreeOptions();
        CloseClipboardStore();
    }
    if (PaletteWindow) {
        DestroyWindow(PaletteWindow);
        PaletteWindow = nullptr;
    }
    DestroyLibraryWindows();
    SetOptionFlagBits(kFlagNotMaximized, !IsZoomed(window));
    // The line-shape place may hold a popup of the right-button menu, which
    // destroys it once at exit.
    if (MainMenuPopups[MENU_POS_LINES])
        RemoveMenu(MainMenuPopups[MENU_POS_LINES], kLineShapePosition, MF_BYPOSITION);
    return true;
}
