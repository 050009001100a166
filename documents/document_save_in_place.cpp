// Save under the document's own name: the new file is written completely
// beside the old one (the name with "$" last) and only then takes its place.
#include "common/file_helpers.h"
#include "common/results.h"
#include "documents/document_commands.h"
#include "documents/document_window_access.h"
#include "documents/ole_document_state.h"
#include "resources/resource_ids.h"
#include "documents/view_children.h"

namespace {

void TemporarySaveName(const char* path, char* temporary)
{
    lstrcpynA(temporary, path, kDocumentPathSize);
    const int length = lstrlenA(temporary);
    if (length > 0)
        temporary[length - 1] = '$';
}

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
        return -1;
    }
    const bool older = record->olderFormat != 0;
    if (older && !AskConvert()) {
        ReleaseDocumentRecord(document);
        return -1;
    }
    if (record->path[0] == '\0') {
        ReleaseDocumentRecord(document);
        return 1;
    }
    char path[kDocumentPathSize];
    char temporary[kDocumentPathSize];
    lstrcpynA(path, record->path, sizeof(path));
    TemporarySaveName(path, temporary);
    ReleaseDocumentRecord(document);

    HWND view = DocumentViewOf(document);
    ErrorCode code = SaveDocumentToFile(document, temporary, 1);
    if (code != kErrNone)
        return code.value;
    record = LockDocumentRecord(document);
    CloseDocumentLock(record);
    if (!MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        // The old file stays as it was, and the new one beside it.
        DiscardError(ReopenDocumentLock(record), "the failed move is what the user is told");
        ReleaseDocumentRecord(document);
        SetDocumentModifiedFlag(view, true);
        return kErrFile;
    }
    code = ReopenDocumentLock(record);
    if (code == kErrNone && older)
        record->olderFormat = 0;
    ReleaseDocumentRecord(document);
    if (code != kErrNone) {
        SetDocumentModifiedFlag(view, true);
        return code.value;
    }
    return UpdateEmbeddingContainer(view).value;
}
