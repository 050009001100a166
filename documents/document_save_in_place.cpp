// Save under the document's own name: the new file is written completely
// beside the old one (the name with "$" last) and only then takes its place.
#include "common/file_helpers.h"
#include "common/results.h"
#include "documents/document_commands.h"
#include "documents/document_window_access.h"
#include "documents/ole_document_state.h"
#include "documents/replacement_file.h"
#include "resources/resource_ids.h"
#include "documents/view_children.h"

namespace {

bool AskConvert()
{
    return AppMessageBox(IDS_CONVERT_ON_SAVE, MB_OKCANCEL) != IDCANCEL;
}

} // namespace

int SaveDocumentInPlace(HWND document)
{
    DocumentRecord* record = LockDocumentRecord(document);
    if (!record)
        return kErrNoMemory;
    if (record->readOnly) {
        ReleaseDocumentRecord(document);
        WarnById(IDS_READ_ONLY_SAVE);
        return kSaveAlreadyTold;
    }
    const bool older = record->olderFormat != 0;
    if (older && !AskConvert()) {
        ReleaseDocumentRecord(document);
        return kSaveAlreadyTold;
    }
    if (record->path[0] == '\0') {
        ReleaseDocumentRecord(document);
        return 1;
    }
    char path[kDocumentPathSize];
    char temporary[kDocumentPathSize];
    lstrcpynA(path, record->path, sizeof(path));
    ReplacementNameOf(path, temporary, sizeof(temporary));
    ReleaseDocumentRecord(document);

    HWND view = DocumentViewOf(document);
    ErrorCode code = WriteDocumentFile(document, temporary, kSaveDrawing);
    if (code != kErrNone)
        return code.value;
    record = LockDocumentRecord(document);
    CloseDocumentLock(record);
    if (PutReplacementInPlace(temporary, path) != kErrNone) {
        // The old file stays as it was, and the new one beside it.
        const ErrorCode held = ReopenDocumentLock(record);
        ReleaseDocumentRecord(document);
        if (held != kErrNone)
            return ReportFileNotHeld(document, IDS_FILE_NOT_HELD).value;
        SetDocumentModifiedFlag(view, true);
        return kErrFile;
    }
    if (older)
        record->olderFormat = 0;
    code = ReopenDocumentLock(record);
    ReleaseDocumentRecord(document);
    if (code != kErrNone)
        return ReportFileNotHeld(document, IDS_SAVED_NOT_HELD).value;
    return UpdateEmbeddingContainer(view).value;
}
