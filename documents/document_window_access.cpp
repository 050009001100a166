#include "documents/document_window_access.h"

#include <cstring>

#include "common/file_helpers.h"
#include "common/results.h"
#include "objects/view_record.h"
#include "resources/resource_ids.h"
#include "documents/ole_document_state.h"
#include "documents/view_children.h"

DocumentRecord* LockDocumentRecord(HWND document)
{
    HGLOBAL handle = document ? GetDocumentRecordHandle(document) : nullptr;
    return handle ? static_cast<DocumentRecord*>(GlobalLock(handle)) : nullptr;
}

void ReleaseDocumentRecord(HWND document)
{
    if (HGLOBAL handle = GetDocumentRecordHandle(document))
        GlobalUnlock(handle);
}

void FileTitleOf(const char* path, char* title, int size)
{
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    lstrcpynA(title, name, size);
}

ErrorCode ReopenDocumentLock(DocumentRecord* record)
{
    CloseDocumentLock(record);
    HFILE lock = OpenFileMode(record->path, nullptr, OF_READWRITE | OF_SHARE_DENY_WRITE);
    if (lock == HFILE_ERROR)
        return kErrFile;
    record->lockKept = IsFixedOrNetworkDrive(record->path) ? 1 : 0;
    if (record->lockKept) {
        record->lockHandle = lock;
    } else {
        CloseFile(lock);
        record->lockHandle = HFILE_ERROR;
    }
    return kErrNone;
}

void CloseDocumentLock(DocumentRecord* record)
{
    if (record->lockHandle >= 0)
        CloseFile(record->lockHandle);
    record->lockHandle = HFILE_ERROR;
}

bool IsDocumentModified(HWND view)
{
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return false;
    const bool modified = (record->flags & kViewModified) != 0;
    ReleaseViewRecord(view);
    return modified;
}

void SetDocumentModifiedFlag(HWND view, bool modified)
{
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return;
    if (modified)
        record->flags |= kViewModified;
    else
        record->flags &= ~kViewModified;
    ReleaseViewRecord(view);
}

void TitleDocumentWindow(HWND document, DocumentRecord* record)
{
    if (record->untitledNumber != 0) {
        if (UntitledCount == record->untitledNumber)
            --UntitledCount;
        record->untitledNumber = 0;
    }
    char title[kDocumentPathSize];
    FileTitleOf(record->path, title, sizeof(title));
    SendMessageA(document, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title));
    OleDocumentCalls.documentNamed(document);
}

bool SamePath(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

void WarnSaveFailed(ErrorCode code)
{
    WarnById(code == kErrDiskFull ? IDS_DISK_FULL : IDS_SAVE_FAILED);
}

ErrorCode ReportFileNotHeld(HWND document, int message)
{
    SetDocumentModifiedFlag(DocumentViewOf(document), true);
    WarnById(message);
    return ErrorCode{kSaveAlreadyTold};
}
