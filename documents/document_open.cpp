// File > New and File > Open: templates, drawings and files already open.
#include <cstring>

#include "common/info_dialog.h"
#include "common/results.h"
#include "documents/document_commands.h"
#include "documents/document_window_access.h"
#include "documents/file_dialogs.h"
#include "documents/recent_files.h"
#include "common/app_globals.h"
#include "documents/ole_document_state.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "documents/view_children.h"
#include "documents/view_options.h"
#include "documents/document_window_hooks.h"
#include "objects/app_options.h"

namespace {

const int kLongestPath = 261;
const int kOpenDialogTemplate = 1536;
const int kDrawingFilters = 1000;
const int kOpenHelpTopic = 30022;
const char kDefaultTemplateFile[] = "Tessary.TYT";
const int kOpenTemplate = 2;
const int kNewWithoutChooser = -1;
const int kNewDocumentHintTopic = 122;

// The one-time hints of New, each shown once per run.
bool HintNewDocShown = false;
bool HintNewTempShown = false;

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

namespace {

// The chooser's answer: 1 a template was opened, 0 go on without one, -1
// cancelled or the template would not open (the user was told).
int NewFromChosenTemplate(ErrorCode* code)
{
    char* path = Options() ? Options()->templatePath : nullptr;
    if (!path || !FrameCalls.chooseTemplate)
        return 0;
    if (!FrameCalls.chooseTemplate(path))
        return -1;
    if (!path[0])
        return 0;
    *code = OpenDocument(path, FALSE, kOpenTemplate);
    if (*code != kErrNone) {
        WarnById(IDS_OPEN_FAILED);
        return -1;
    }
    return 1;
}

// Without a chosen template: the default template when the options ask for
// it and it opens, else a blank drawing.
ErrorCode NewFromDefaultTemplate()
{
    if (ViewOptionSet(kOptionsDefaultTemplate)) {
        char path[MAX_PATH];
        ProgramFolderFile(kDefaultTemplateFile, path, sizeof(path));
        if (OpenDocument(path, FALSE, kOpenTemplate) == kErrNone)
            return kErrNone;
    }
    return CreateDocumentWindow(nullptr, 99) ? kErrNone : kErrNoMemory;
}

// The one-time hint of a new drawing, or of one made from a template, shown
// once per run while hints are on.
void ShowNewDocumentHint(bool fromTemplate)
{
    bool& shown = fromTemplate ? HintNewTempShown : HintNewDocShown;
    if (shown || !HintsFlag.get || !HintsFlag.get() || !NoticesCanShow())
        return;
    shown = true;
    // Whether it was read or cancelled, the hint has had its one showing.
    ShowInfoDialog(fromTemplate ? HINT_NEWTEMP_NAME : HINT_NEWDOC_NAME, kNewDocumentHintTopic);
}

} // namespace

ErrorCode NewDocument(int chooser)
{
    ErrorCode code = kErrNone;
    bool fromTemplate = false;
    if ((ViewOptionSet(kOptionsTemplateChooser) || chooser) && chooser != kNewWithoutChooser) {
        const int chosen = NewFromChosenTemplate(&code);
        if (chosen < 0)
            return code;
        fromTemplate = chosen > 0;
    }
    if (!fromTemplate)
        code = NewFromDefaultTemplate();
    if (code == kErrNone)
        ShowNewDocumentHint(fromTemplate);
    return code;
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
