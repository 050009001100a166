#include "documents/replacement_file.h"

#include "common/file_helpers.h"
#include "common/io_seam.h"

namespace {

const char kReplacementMark = '$';
const char kReplacementMarkAgain = '~';

} // namespace

void ReplacementNameOf(const char* path, char* temporary, int size)
{
    lstrcpynA(temporary, path, size);
    const int length = lstrlenA(temporary);
    if (length > 0)
        temporary[length - 1] = temporary[length - 1] == kReplacementMark ? kReplacementMarkAgain : kReplacementMark;
}

ErrorCode FlushFileByName(const char* path)
{
    HFILE file = OpenFileMode(path, nullptr, OF_READWRITE);
    if (file == HFILE_ERROR)
        return kErrFile;
    const BOOL flushed = SeamFlush(file);
    CloseFile(file);
    return flushed ? kErrNone : kErrFile;
}

ErrorCode PutReplacementInPlace(const char* temporary, const char* path)
{
    return SeamMoveFile(temporary, path) ? kErrNone : kErrFile;
}
