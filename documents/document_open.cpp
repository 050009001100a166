// File > New and File > Open: templates, drawings and files already open.
#include <cstring>

#include "common/results.h"
#include "documents/document_commands.h"
#include "documents/document_window_access.h"
#include "documents/file_dialogs.h"
#include "documents/recent_files.h"
#include "common/app_globals.h"
#include "documents/ole_document_state.h"
#include "resources/resource_ids.h"
#include "documents/view_children.h"
#include "documents/view_options.h"

namespace {

const int kLongestPath = 261;
const int kOpenDialogTemplate = 1536;
const int kDrawingFilters = 1000;
const int kOpenHelpTopic = 30022;
const char kDefaultTemplateFile[] = "Tessary.TYT";

const char* ExtensionOf(const char* path)
{
    const char* dot = std::strrchr(path, '.');
    const char* slash = std::strrchr(path, '\\');
    return dot && (!slash || dot > slash) ? dot + 1 : "";
}

void ProgramFolderFile(const char* name, char* path, int size)
{
    char module[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, sizeof(module));
    if (char* slash = std::strrchr(module, '\\'))
        slash[1] = '\0';
    lstrcpynA(path, module, size);
    const int used = lstrlenA(path);
    lstrcpynA(path + used, name, size - used);
}

} // namespace

ErrorCode OpenOrActivateDocument(const char* path, int mode)
{
    SetAppCursor(1);
    HWND document = FindDocumentWindow(path);
    if (document) {
        BringWindowToTop(document);
        if (MdiClientWindow)
            SendMessageA(MdiClientWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document), 0);
    } else {
        document = CreateDocumentWindow(path, mode);
    }
    if (!document)
        return kErrNoMemory;
    if (mode == 1)
        AddRecentFile(path);
    else if (mode == 94)
        SetOleObjectState(DocumentViewOf(document), 2);
    return kErrNone;
}

ErrorCode NewDocument(int chooser)
{
    // The template chooser comes with the template dialogs; until then New
    // goes on as if it left no path.
    (void)chooser;
    if (ViewOptionSet(kOptionsDefaultTemplate)) {
        char path[MAX_PATH];
        ProgramFolderFile(kDefaultTemplateFile, path, sizeof(path));
        if (OpenDocument(path, FALSE, 2) == kErrNone)
            return kErrNone;
    }
    return CreateDocumentWindow(nullptr, 99) ? kErrNone : kErrNoMemory;
}

ErrorCode OpenDocument(const char* path, BOOL withDialog, int mode)
{
    if (CheckDocumentLimit(FALSE, nullptr))
        return kErrNotDone;
    char file[kLongestPath + 1] = "";
    if (path) {
        // Longer paths are cut to what a document record holds.
        lstrcpynA(file, path, kLongestPath);
    } else if (withDialog) {
        const int result = RunOpenFileDlg(MainWindow, kOpenDialogTemplate, file, kDrawingFilters, 0, mode == 99,
                                          kOpenHelpTopic, 1, 0, nullptr);
        mode = result == 0 ? 0 : result == 99 ? 99 : 1;
    } else {
        mode = 99;
    }
    SetAppCursor(1);
    if (mode == 0)
        return kErrNone;
    if (mode == 99) {
        return NewDocument(0);
    }
    if (mode == 1 && lstrcmpiA(ExtensionOf(file), "TYT") == 0)
        mode = 2;
    return OpenOrActivateDocument(file, mode);
}
