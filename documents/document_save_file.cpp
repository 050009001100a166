// Pointing a document window at another file (the OLE server's Save As).
#include "common/file_helpers.h"
#include "documents/document_commands.h"
#include "documents/document_window_access.h"

void SetDocumentFile(HWND document, const char* path)
{
    DocumentRecord* record = LockDocumentRecord(document);
    if (!record)
        return;
    CloseDocumentLock(record);
    lstrcpynA(record->path, path, kDocumentPathSize);
    HFILE lock = IsReadOnlyFile(record->path)
                     ? HFILE_ERROR
                     : OpenFileMode(record->path, nullptr, OF_READWRITE | OF_SHARE_DENY_WRITE);
    record->readOnly = 0;
    if (lock == HFILE_ERROR) {
        lock = OpenFileMode(record->path, nullptr, OF_READ | OF_SHARE_DENY_NONE);
        record->readOnly = 1;
    }
    if (lock == HFILE_ERROR) {
        ReleaseDocumentRecord(document);
        return;
    }
    record->lockKept = IsFixedOrNetworkDrive(record->path) ? 1 : 0;
    if (record->lockKept) {
        record->lockHandle = lock;
    } else {
        CloseFile(lock);
        record->lockHandle = HFILE_ERROR;
    }
    TitleDocumentWindow(document, record);
    ReleaseDocumentRecord(document);
}
