// Writing a document to a file: the file itself, Save As and File > Save.
#include <cstring>

#include "common/file_helpers.h"
#include "common/results.h"
#include "common/window_helpers.h"
#include "documents/document_commands.h"
#include "documents/document_records.h"
#include "documents/document_window_access.h"
#include "documents/drawing_stream.h"
#include "documents/file_dialogs.h"
#include "documents/recent_files.h"
#include "documents/replacement_file.h"
#include "common/app_globals.h"
#include "documents/ole_document_state.h"
#include "resources/resource_ids.h"
#include "documents/document_window_hooks.h"
#include "documents/view_children.h"
#include "documents/view_settings.h"

namespace {

const int kSaveDialogTemplate = 1536;
const int kDrawingFilters = 1000;
const int kSaveAsFilters = 1007;
const int kSaveTitle = 1053;
const int kSaveHelpTopic = 30024;
const int kAllFilesPosition = 3;
// Save As lists the picture types after the drawing and the template.
const int kFirstPictureType = 101;
const int kEmbedded = 1;

// The view's zoom goes into its record, so a drawing opens as it was left.
void KeepViewZoom(HWND view, ViewRecord* record)
{
    ViewSettings settings;
    if (!ReadViewSettings(view, &settings))
        return;
    record->zoom = settings.zoom;
    record->viewFlags = settings.flags;
}

int AskConvertEmbedded(HWND document)
{
    DocumentRecord* record = LockDocumentRecord(document);
    if (!record)
        return kErrNone;
    int result = 0;
    if (record->olderFormat) {
        if (AppMessageBox(IDS_CONVERT_EMBEDDED, MB_OKCANCEL) == IDCANCEL)
            result = -1;
        else
            record->olderFormat = 0;
    }
    ReleaseDocumentRecord(document);
    return result;
}

} // namespace

int SaveKindFromExtension(const char* path)
{
    const char* dot = std::strrchr(path, '.');
    return dot && lstrcmpiA(dot, ".TYT") == 0 ? kSaveTemplate : kSaveDrawing;
}

ErrorCode WriteDocumentFile(HWND document, const char* path, int kind)
{
    SetAppCursor(1);
    HWND view = DocumentViewOf(document);
    ViewRecord* record = LockViewRecord(view);
    if (!GetDocumentRecordHandle(document) || !record) {
        if (record)
            ReleaseViewRecord(view);
        return kErrNoMemory;
    }
    KeepViewZoom(view, record);
    ReleaseViewRecord(view);
    ErrorCode code = StoreDocumentState(document, kind == kSaveTemplate);
    if (code != kErrNone)
        return code;
    if (kind == kSaveDrawing)
        SetDocumentModifiedFlag(view, false);
    OpenFileMode(path, nullptr, OF_DELETE);
    HFILE created = OpenFileMode(path, nullptr, OF_CREATE);
    if (created == HFILE_ERROR) {
        SetDocumentModifiedFlag(view, true);
        return kErrFile;
    }
    CloseFile(created);
    record = LockViewRecord(view);
    code = record ? WriteDrawingFile(path, nullptr, nullptr, record) : kErrNoMemory;
    if (record)
        ReleaseViewRecord(view);
    if (code == kErrNone)
        code = FlushFileByName(path);
    if (code != kErrNone) {
        OpenFileMode(path, nullptr, OF_DELETE);
        SetDocumentModifiedFlag(view, true);
    }
    return code;
}

ErrorCode SaveDocumentToFile(HWND document, const char* path, int kind)
{
    // A file already at the path stays whole until its successor is complete.
    char temporary[kDocumentPathSize];
    ReplacementNameOf(path, temporary, sizeof(temporary));
    ErrorCode code = WriteDocumentFile(document, temporary, kind);
    if (code != kErrNone)
        return code;
    code = PutReplacementInPlace(temporary, path);
    if (code != kErrNone) {
        OpenFileMode(temporary, nullptr, OF_DELETE);
        SetDocumentModifiedFlag(DocumentViewOf(document), true);
    }
    return code;
}

ErrorCode SaveDocumentAs(HWND document, const char* path, BOOL sameName, int kind)
{
    if (!GetDocumentRecordHandle(document))
        return kErrNoMemory;
    if (sameName && kind == kSaveDrawing) {
        const int result = SaveDocumentInPlace(document);
        if (result != 0 && result != -1)
            WarnSaveFailed(ErrorCode{result});
        return ErrorCode{result};
    }
    ErrorCode code = SaveDocumentToFile(document, path, kind);
    if (code == kErrNone && kind == kSaveDrawing) {
        DocumentRecord* record = LockDocumentRecord(document);
        if (record) {
            CloseDocumentLock(record);
            lstrcpynA(record->path, path, kDocumentPathSize);
            const ErrorCode held = ReopenDocumentLock(record);
            record->readOnly = 0;
            // The file now holds the current format.
            record->olderFormat = 0;
            TitleDocumentWindow(document, record);
            ReleaseDocumentRecord(document);
            if (held != kErrNone)
                return ReportFileNotHeld(document, IDS_SAVED_NOT_HELD);
        }
    }
    if (code != kErrNone && code != -1)
        WarnSaveFailed(code);
    return code;
}

ErrorCode SaveDocumentAsCommand()
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = DocumentViewOf(document);
    DocumentRecord* record = LockDocumentRecord(document);
    if (!record)
        return kErrNone;
    char path[kDocumentPathSize] = "";
    char original[kDocumentPathSize] = "";
    if (record->untitledNumber == 0)
        lstrcpynA(path, record->path, sizeof(path));
    lstrcpynA(original, record->path, sizeof(original));
    const bool untitled = record->untitledNumber != 0;
    ReleaseDocumentRecord(document);
    const int position = RunSaveFileDlg(MainWindow, kSaveDialogTemplate, path, kSaveAsFilters, kSaveTitle,
                                        kSaveHelpTopic, 1, 0, nullptr);
    if (position == 0)
        return kErrNone;
    ErrorCode code = DocumentWindowCalls.endTextEdit(view, 0);
    if (code != kErrNone)
        return code;
    if (position != kSaveDrawing && position != kSaveTemplate) {
        // The document keeps its own file, name and modified flag.
        if (ExportPictureCall)
            ExportPictureCall(view, path, position - kSaveTemplate + kFirstPictureType - 1);
        return kErrNone;
    }
    const BOOL sameName = !untitled && SamePath(path, original);
    SetAppCursor(1);
    const int kind = GetOleObjectState(view) == kEmbedded ? kSaveTemplate : position;
    if (kind == kSaveTemplate)
        return SaveDocumentAs(document, path, FALSE, kSaveTemplate);
    code = SaveDocumentAs(document, path, sameName, kSaveDrawing);
    // Only a file that was written goes to the recent files.
    if (code == kErrNone && !sameName)
        AddRecentFile(path);
    return code;
}

int SaveDocument(HWND document)
{
    if (!document)
        document = GetActiveDocWindow(nullptr);
    if (!document) {
        MessageBeep(static_cast<UINT>(-1));
        return 1;
    }
    HWND view = DocumentViewOf(document);
    if (view) {
        if (DocumentWindowCalls.endTextEdit(view, 0) != kErrNone)
            return 1;
        if (GetOleObjectState(view) == kEmbedded) {
            if (AskConvertEmbedded(document) != 0)
                return -1;
            return UpdateEmbeddingContainer(view).value;
        }
    }
    DocumentRecord* record = LockDocumentRecord(document);
    if (!record)
        return kErrNoMemory;
    const bool untitled = record->untitledNumber != 0 || record->path[0] == '\0';
    ReleaseDocumentRecord(document);
    if (untitled) {
        char path[kDocumentPathSize] = "";
        const int position = RunSaveFileDlg(MainWindow, kSaveDialogTemplate, path, kDrawingFilters, kSaveTitle,
                                            kSaveHelpTopic, 1, 0, nullptr);
        if (position == 0)
            return 1;
        const int kind = position == kAllFilesPosition ? SaveKindFromExtension(path) : position;
        SetAppCursor(1);
        const ErrorCode code = SaveDocumentAs(document, path, FALSE, kind);
        if (code == kErrNone && kind == kSaveDrawing)
            AddRecentFile(path);
        return code.value;
    }
    SetAppCursor(1);
    const int result = SaveDocumentInPlace(document);
    if (result != 0 && result != -1)
        WarnSaveFailed(ErrorCode{result});
    return result != 0 ? 1 : 0;
}
