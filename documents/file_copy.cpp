#include <cstdlib>
#include <cstring>

#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "documents/document_record.h"
#include "documents/file_copy.h"

namespace {

const LONG kCopyBufferLimit = 30000;

bool IsFailedCount(UINT count) { return count == static_cast<UINT>(HFILE_ERROR); }

} // namespace

ErrorCode CopyFileBytes(HFILE source, HFILE target, LONG length)
{
    ErrorCode code = kErrNone;
    const LONG bufferSize = length < 1 ? 1 : (length > kCopyBufferLimit ? kCopyBufferLimit : length);
    HGLOBAL buffer = SeamGlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bufferSize));
    if (!buffer)
        return kErrNoMemory;
    auto* bytes = static_cast<unsigned char*>(GlobalLock(buffer));
    if (!bytes) {
        GlobalFree(buffer);
        return kErrNoMemory;
    }
    if (SeekFile(source, 0, FILE_BEGIN) == HFILE_ERROR || SeekFile(target, 0, FILE_BEGIN) == HFILE_ERROR)
        code = kErrFile;
    for (LONG copied = 0; code == kErrNone && copied < length;) {
        UINT got = ReadFileBytes(source, bytes, static_cast<UINT>(bufferSize));
        // A source that ends early (it shrank meanwhile) would never reach
        // the length: that is a failed read, not a reason to wait.
        if (IsFailedCount(got) || got == 0) {
            code = kErrFile;
            break;
        }
        UINT put = WriteFileBytes(target, bytes, got);
        if (IsFailedCount(put) || put != got) {
            code = kErrFile;
            break;
        }
        copied += static_cast<LONG>(got);
    }
    GlobalUnlock(buffer);
    GlobalFree(buffer);
    return code;
}

namespace {

ErrorCode CopyOpenFiles(HFILE source, HFILE target)
{
    LONG length = 0;
    ErrorCode code = GetFileLength(source, &length);
    if (code == kErrNone)
        code = SetFileLength(target, length);
    if (code == kErrNone)
        code = CopyFileBytes(source, target, length);
    return code;
}

} // namespace

ErrorCode CopyFileChunks(const char* sourcePath, HFILE sourceHandle, int sourceOpen, const char* targetPath,
                         HFILE targetHandle, int targetOpen)
{
    HFILE source = sourceOpen ? sourceHandle : OpenFileMode(sourcePath, nullptr, OF_READ | OF_SHARE_DENY_NONE);
    if (source == HFILE_ERROR)
        return kErrFile;
    HFILE target = targetOpen ? targetHandle : OpenFileMode(targetPath, nullptr, OF_READWRITE);
    if (target == HFILE_ERROR) {
        if (!sourceOpen)
            CloseFile(source);
        return kErrFile;
    }
    ErrorCode code = CopyOpenFiles(source, target);
    if (!sourceOpen)
        CloseFile(source);
    if (!targetOpen)
        CloseFile(target);
    return code;
}

bool IsFixedOrNetworkDrive(const char* path)
{
    char drive[_MAX_DRIVE] = {};
    _splitpath(path, drive, nullptr, nullptr, nullptr);
    char root[_MAX_DRIVE + 2];
    lstrcpynA(root, drive, _MAX_DRIVE);
    lstrcatA(root, "\\");
    const UINT type = GetDriveTypeA(root);
    return type == DRIVE_FIXED || type == DRIVE_REMOTE;
}
