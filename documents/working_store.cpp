#include <cstring>

#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "common/results.h"
#include "documents/document_record.h"
#include "documents/ole_document_state.h"
#include "resources/resource_ids.h"
#include "store/record_store.h"

namespace {

const short kDocumentGroups[] = {100, 110, 115, 111, 112, 113, 114, 116, 117, 119, 120, 118};
const int kReadOnlyWarning = IDS_READ_ONLY_OPEN;

// What CreateWorkingStore has made so far, undone on failure.
struct WorkingStoreSteps {
    DocumentRecord* record = nullptr;
    HFILE working = HFILE_ERROR;
    HFILE document = HFILE_ERROR;
    int store = -1;
};

void UndoSteps(const WorkingStoreSteps& steps)
{
    // A store made in the working file closes that file with it.
    if (steps.store >= 0)
        DiscardError(CloseOrAbandonStore(steps.store), "undoing a failed start whose own failure is passed up");
    else if (steps.working != HFILE_ERROR)
        CloseFile(steps.working);
    if (steps.document != HFILE_ERROR)
        CloseFile(steps.document);
    if (steps.record && steps.record->workingPath[0])
        OpenFileMode(steps.record->workingPath, nullptr, OF_DELETE);
}

ErrorCode MakeWorkingFile(DocumentRecord* record, HFILE* working)
{
    if (!SeamTempFileName(kWorkingFilePrefix, record->workingPath))
        return kErrFile;
    // Made again should another start's clean-up have taken it in between.
    *working = OpenFileMode(record->workingPath, nullptr, OF_READWRITE | OF_CREATE);
    return *working == HFILE_ERROR ? kErrFile : kErrNone;
}

ErrorCode NewStoreInWorkingFile(WorkingStoreSteps* steps)
{
    ErrorCode code = CreateStoreInFile(steps->working, &steps->store, 0, kStoreShift, kDocumentMapCapacity);
    if (code != kErrNone) {
        steps->store = -1;
        return code;
    }
    return CreateDocumentGroups(steps->store);
}

ErrorCode OpenDocumentFile(DocumentRecord* record, HFILE* document)
{
    *document = IsReadOnlyFile(record->path)
                    ? HFILE_ERROR
                    : OpenFileMode(record->path, nullptr, OF_READWRITE | OF_SHARE_DENY_WRITE);
    if (*document != HFILE_ERROR)
        return kErrNone;
    *document = OpenFileMode(record->path, nullptr, OF_READ | OF_SHARE_DENY_NONE);
    if (*document == HFILE_ERROR)
        return kErrFile;
    record->readOnly = 1;
    WarnById(kReadOnlyWarning);
    return kErrNone;
}

ErrorCode FillWorkingStore(WorkingStoreSteps* steps, int untitledNumber, int templateCopy, int streamFile,
                           const char* path)
{
    DocumentRecord* record = steps->record;
    ErrorCode code = MakeWorkingFile(record, &steps->working);
    if (code != kErrNone)
        return code;
    record->workingHandle = steps->working;
    if (untitledNumber != 0 && !templateCopy) {
        record->untitledNumber = untitledNumber;
        return NewStoreInWorkingFile(steps);
    }
    record->untitledNumber = templateCopy ? untitledNumber : 0;
    lstrcpynA(record->path, path ? path : "", kDocumentPathSize);
    code = OpenDocumentFile(record, &steps->document);
    if (code != kErrNone)
        return code;
    record->lockKept = IsFixedOrNetworkDrive(record->path) ? 1 : 0;
    if (streamFile)
        return NewStoreInWorkingFile(steps);

    code = CopyFileChunks(record->path, steps->document, 1, record->workingPath, steps->working, 1);
    if (code != kErrNone)
        return code;
    int secondWord = 0;
    code = OpenStoreInFile(steps->working, &steps->store, 0, &secondWord);
    if (code != kErrNone) {
        steps->store = -1;
        return code;
    }
    if (templateCopy || !record->lockKept) {
        CloseFile(steps->document);
        steps->document = HFILE_ERROR;
    }
    return kErrNone;
}

} // namespace

ErrorCode CreateDocumentGroups(int storeSlot)
{
    for (short group : kDocumentGroups) {
        ErrorCode code = CreateGroup(storeSlot, group);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

ErrorCode CreateWorkingStore(HWND documentWindow, int untitledNumber, int templateCopy, int streamFile,
                             const char* path, int* storeSlot, HFILE* lockHandle)
{
    *lockHandle = HFILE_ERROR;
    *storeSlot = -1;
    HGLOBAL handle = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DocumentRecord));
    if (!handle)
        return kErrNoMemory;
    WorkingStoreSteps steps;
    steps.record = static_cast<DocumentRecord*>(GlobalLock(handle));
    if (!steps.record) {
        GlobalFree(handle);
        return kErrNoMemory;
    }
    steps.record->lockHandle = HFILE_ERROR;
    steps.record->workingHandle = HFILE_ERROR;
    steps.record->storeSlot = -1;
    ErrorCode code = FillWorkingStore(&steps, untitledNumber, templateCopy, streamFile, path);
    if (code != kErrNone) {
        UndoSteps(steps);
        GlobalUnlock(handle);
        GlobalFree(handle);
        return code;
    }
    steps.record->storeSlot = steps.store;
    steps.record->lockHandle = steps.document;
    *storeSlot = steps.store;
    *lockHandle = steps.document;
    GlobalUnlock(handle);
    SetDocumentRecordHandle(documentWindow, handle);
    return kErrNone;
}

void DestroyDocumentData(HWND documentWindow)
{
    // The server objects go while the view they name still exists.
    OleDocumentCalls.documentDestroyed(documentWindow);
    HGLOBAL handle = GetDocumentRecordHandle(documentWindow);
    if (!handle)
        return;
    if (auto* record = static_cast<DocumentRecord*>(GlobalLock(handle))) {
        if (record->untitledNumber != 0 && UntitledCount == record->untitledNumber)
            --UntitledCount;
        if (record->lockHandle >= 0)
            CloseFile(record->lockHandle);
        if (record->storeSlot >= 0)
            DiscardError(CloseOrAbandonStore(record->storeSlot), "the working file is deleted with the window");
        else if (record->workingHandle >= 0)
            CloseFile(record->workingHandle);
        if (record->workingPath[0])
            OpenFileMode(record->workingPath, nullptr, OF_DELETE);
        GlobalUnlock(handle);
    }
    GlobalFree(handle);
    SetDocumentRecordHandle(documentWindow, nullptr);
}
