#include "frame/dropped_files.h"

#include "documents/document_commands.h"
#include "documents/drawing_stream.h"
#include "common/app_globals.h"
#include "frame/command_line.h"
#include "frame/library_commands.h"
#include "libraries/library_windows.h"
#include "ole/picture_import.h"

namespace {

const int kOpenByContent = 1;

void OpenDroppedFile(HDROP drop, const char* path)
{
    if (CheckDrawingFile(path, nullptr) == 1) {
        if (MainWindow && IsIconic(MainWindow))
            ShowWindow(MainWindow, SW_RESTORE);
        DiscardError(OpenDocument(path, FALSE, kOpenByContent), "the open shows its own failure");
    } else if (IsLibraryFile(path)) {
        OpenLibraryFile(path);
    } else {
        ImportDroppedFile(drop, path);
    }
}

} // namespace

void OpenDroppedFiles(HDROP drop)
{
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[kCommandPathSize] = "";
        // A longer path would be cut and name another file: it is skipped.
        UINT length = DragQueryFileA(drop, i, nullptr, 0);
        if (length == 0 || length >= kCommandPathSize)
            continue;
        DragQueryFileA(drop, i, path, kCommandPathSize);
        OpenDroppedFile(drop, path);
    }
    DragFinish(drop);
}
