#include "documents/temporary_store.h"

#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "documents/document_record.h"
#include "store/record_store.h"

ErrorCode OpenTemporaryStore(TemporaryStore* temporary)
{
    if (!SeamTempFileName(kWorkingFilePrefix, temporary->path))
        return kErrFile;
    temporary->file = OpenFileMode(temporary->path, nullptr, OF_READWRITE | OF_CREATE);
    ErrorCode code = temporary->file == HFILE_ERROR ? kErrFile : ErrorCode(kErrNone);
    if (code == kErrNone)
        code = CreateStoreInFile(temporary->file, &temporary->store, 0, kStoreShift, kDocumentMapCapacity);
    if (code != kErrNone)
        temporary->store = -1;
    if (code == kErrNone)
        code = CreateDocumentGroups(temporary->store);
    if (code != kErrNone)
        DiscardTemporaryStore(temporary);
    return code;
}

void DiscardTemporaryStore(TemporaryStore* temporary)
{
    if (temporary->store >= 0)
        ForgetStore(temporary->store);
    temporary->store = -1;
    if (temporary->file != HFILE_ERROR)
        SeamClose(temporary->file);
    temporary->file = HFILE_ERROR;
    if (temporary->path[0])
        SeamDeleteFile(temporary->path);
    temporary->path[0] = '\0';
}
