#include "documents/file_dialogs.h"

#include <windows.h>

#include <commdlg.h>

#include <cstring>

#include "common/help_filter.h"
#include "common/string_helpers.h"
#include "documents/file_dialog_state.h"
#include "documents/options_strings.h"
#include "documents/recent_files.h"
#include "common/app_globals.h"

namespace {

const int kFileBufferSize = 261;
const int kExplorerChildTemplate = 3000;
const DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_SHOWHELP |
                         OFN_HIDEREADONLY;
const DWORD kSaveFlags = OFN_PATHMUSTEXIST | OFN_ENABLEHOOK | OFN_SHOWHELP | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
static_assert((kOpenFlags | OFN_EXPLORER) == 0x81874 && kOpenFlags == 0x1874, "Open dialog flags");
static_assert((kSaveFlags | OFN_EXPLORER) == 0x80836 && (kSaveFlags | OFN_ENABLETEMPLATE) == 0x876, "Save dialog flags");

bool ExplorerStyle()
{
    return WindowsMajorVersion == 0 || WindowsMajorVersion >= 4;
}

// The strings and buffers one dialog run needs.
struct DialogRun {
    char filter[kStringBufferSize + 2] = {};
    char title[kStringBufferSize] = {};
    char initialFolder[kFileBufferSize] = {};
    char fileTitle[kFileBufferSize] = {};
    OPENFILENAMEA ofn = {};

    void Begin(HWND owner, int filterId, int titleId, int helpTopic, int showNew, int initialFilter, int typeOffset,
               bool saving)
    {
        FileDlgState = {showNew, helpTopic, 1, typeOffset, ExplorerStyle() ? 1 : 0};
        const int filterIndex = initialFilter - typeOffset;
        LoadStrOrBlank(filterId, filter);
        ConvertFilterString(filter, filterIndex, FileDlgDefExt, saving);
        if (titleId)
            LoadStrOrBlank(titleId, title);
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = MainWindow ? MainWindow : owner;
        ofn.hInstance = GetModuleHandleA(nullptr);
        ofn.lpstrFilter = filter;
        ofn.nFilterIndex = filterIndex > 0 ? static_cast<DWORD>(filterIndex) : 1;
        ofn.lpstrFileTitle = fileTitle;
        ofn.nMaxFileTitle = kFileBufferSize;
        ofn.lpstrTitle = title[0] ? title : nullptr;
        ofn.lpstrDefExt = FileDlgDefExt;
    }

    void UseFolder(const char* folder)
    {
        if (folder && folder[0]) {
            CopyBoundedString(initialFolder, sizeof(initialFolder), folder, sizeof(initialFolder));
            ofn.lpstrInitialDir = initialFolder;
        }
    }

    void SetStyle(int templateId, DWORD flags, bool childTemplate)
    {
        if (FileDlgState.explorer) {
            ofn.Flags = flags | OFN_EXPLORER;
            ofn.lpfnHook = FileDlgExplorerHook;
            if (childTemplate)
                ofn.lpTemplateName = MAKEINTRESOURCEA(kExplorerChildTemplate);
            else
                ofn.Flags &= ~static_cast<DWORD>(OFN_ENABLETEMPLATE);
        } else {
            ofn.Flags = flags | OFN_ENABLETEMPLATE;
            ofn.lpfnHook = SEOpenHook;
            ofn.lpTemplateName = MAKEINTRESOURCEA(templateId);
        }
    }
};

// Stores the chosen file's drive and folder in the caller's folder buffer.
void StoreChosenFolder(const char* path, char* folder)
{
    if (!folder)
        return;
    char chosen[kFileBufferSize];
    char name[kFileBufferSize];
    if (SplitPathFolder(path, chosen, sizeof(chosen), name, sizeof(name)))
        CopyBoundedString(folder, kFileBufferSize, chosen, sizeof(chosen));
}

BOOL RunDialog(OPENFILENAMEA* ofn, bool saving)
{
    InstallHelpFilter();
    BOOL chosen = saving ? GetSaveFileNameA(ofn) : GetOpenFileNameA(ofn);
    RemoveHelpFilter();
    return chosen;
}

} // namespace

int RunOpenFileDlg(HWND owner, int templateId, char* file, int filterId, int titleId, BOOL showNew, int helpTopic,
                   int initialFilter, int typeOffset, char* folder)
{
    DialogRun run;
    run.Begin(owner, filterId, titleId, helpTopic, showNew ? 1 : 0, initialFilter, typeOffset, false);
    char pathFolder[kFileBufferSize];
    char name[kFileBufferSize];
    if (file[0] && SplitPathFolder(file, pathFolder, sizeof(pathFolder), name, sizeof(name))) {
        run.UseFolder(pathFolder);
        CopyBoundedString(file, kFileBufferSize, name, sizeof(name));
    } else {
        run.UseFolder(folder);
    }
    run.ofn.lpstrFile = file;
    run.ofn.nMaxFile = kFileBufferSize;
    run.SetStyle(templateId, kOpenFlags, true);
    int result = 0;
    if (RunDialog(&run.ofn, false)) {
        StoreChosenFolder(file, folder);
        result = FileDlgState.chosenFilter;
    } else if (FileDlgState.showNew && FileDlgState.chosenFilter == kFileDlgNewChosen) {
        result = kFileDlgNewChosen;
    }
    UpdateRecentFolder();
    return result;
}

int RunSaveFileDlg(HWND owner, int templateId, char* path, int filterId, int titleId, int helpTopic,
                   int initialFilter, int typeOffset, char* folder)
{
    DialogRun run;
    run.Begin(owner, filterId, titleId, helpTopic, 0, initialFilter, typeOffset, true);
    char file[kFileBufferSize] = {};
    char pathFolder[kFileBufferSize] = {};
    if (!SplitPathFolder(path, pathFolder, sizeof(pathFolder), file, sizeof(file)))
        CopyBoundedString(file, sizeof(file), path, sizeof(file));
    // The caller's folder wins over the one the path names.
    run.UseFolder(folder && folder[0] ? folder : pathFolder);
    run.ofn.lpstrFile = file;
    run.ofn.nMaxFile = kFileBufferSize;
    run.SetStyle(templateId, kSaveFlags, false);
    if (!RunDialog(&run.ofn, true)) {
        UpdateRecentFolder();
        return 0;
    }
    CopyBoundedString(path, kFileBufferSize, file, sizeof(file));
    StoreChosenFolder(file, folder);
    UpdateRecentFolder();
    return FileDlgState.chosenFilter;
}
