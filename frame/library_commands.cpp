#include "frame/library_commands.h"

#include "common/info_dialog.h"
#include "common/window_helpers.h"
#include "documents/document_commands.h"
#include "frame/menu_commands.h"
#include "libraries/library_windows.h"
#include "objects/app_options.h"
#include "resources/menu_ids.h"

namespace {

const int kLibraryMenuTopic = 127;

} // namespace

void OpenLibraryFile(const char* path)
{
    if (!GetActiveDocWindow(nullptr))
        DiscardError(NewDocument(-1), "the open shows its own failure");
    if (GetActiveDocWindow(nullptr))
        OpenLibraries(1, -1, path, nullptr);
}

int DoLibrariesCommand(int id)
{
    if (id == IDM_LIB_OPEN)
        return OpenLibraries(1, -1, nullptr, nullptr);
    if (id == IDM_LIB_CREATE)
        return CreateNewLibrary();
    if (id > IDM_LIB_WINDOW_BASE && id <= IDM_LIB_WINDOW_BASE + kLibraryWindowCount)
        return OpenLibraries(1, id - IDM_LIB_WINDOW_BASE - 1, nullptr, nullptr);
    HWND library = GetActiveLibraryWindow();
    if (library) {
        PostMessageA(library, WM_COMMAND, static_cast<WPARAM>(id), 0);
        return 0;
    }
    if (ShowInfoDialog("INFO_LIBMENU", kLibraryMenuTopic) == 1)
        return OpenLibraries(1, -1, nullptr, nullptr);
    return 0;
}
