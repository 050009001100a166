// The File menu.
#include "documents/document_commands.h"
#include "documents/print_dialogs.h"
#include "documents/print_document.h"
#include "documents/recent_files.h"
#include "common/app_globals.h"
#include "frame/command_line.h"
#include "frame/menu_commands.h"
#include "ole/mail_documents.h"
#include "ole/picture_export.h"
#include "ole/picture_import.h"
#include "resources/menu_ids.h"

namespace {

const int kOpenByContent = 1;

bool IsRecentFileId(int id)
{
    return (id >= IDM_FILE_RECENT_FIRST && id <= 149) || (id >= 152 && id <= 199);
}

int OpenRecentFile(int id)
{
    char path[kCommandPathSize] = "";
    GetRecentFile(id, path);
    ErrorCode code = OpenDocument(path, FALSE, kOpenByContent);
    if (code != kErrNone)
        RemoveRecentFile(id);
    return code.value;
}

} // namespace

int DoFileCommand(int id)
{
    switch (id) {
    case IDM_FILE_NEW:
        return NewDocument(1).value;
    case IDM_FILE_OPEN:
        return OpenDocument(nullptr, TRUE, kOpenByContent).value;
    case IDM_FILE_CLOSE:
        CloseActiveDocument();
        return 0;
    case IDM_FILE_SAVE:
        return SaveDocument(nullptr);
    case IDM_FILE_SAVE_AS:
        return SaveDocumentAsCommand().value;
    case IDM_FILE_PRINT_SETUP:
        ChangeDocumentPrinter();
        return 0;
    case IDM_FILE_PRINT:
        return PrintActiveDocument(nullptr, FALSE);
    case IDM_FILE_EXPORT:
        return DoExportCommand();
    case IDM_FILE_IMPORT:
        return DoImportCommand();
    case IDM_FILE_EXIT:
        return static_cast<int>(SendMessageA(MainWindow, WM_CLOSE, 0, 0));
    case IDM_FILE_SEND_ONE:
        return SendDocumentsByMail(0);
    case IDM_FILE_SEND_ALL:
        return SendDocumentsByMail(1);
    case IDM_FILE_PRINT_PREVIEW:
        return ShowPrintPreview();
    case IDM_FILE_NEW_BLANK:
        return NewDocument(-1).value;
    case IDM_FILE_PRINT_NOW:
        return PrintActiveDocument(nullptr, TRUE);
    default:
        return IsRecentFileId(id) ? OpenRecentFile(id) : 0;
    }
}
