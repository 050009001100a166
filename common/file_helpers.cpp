#include "common/file_helpers.h"

#include "common/io_seam.h"

HFILE OpenFileMode(const char* name, void*, UINT mode)
{
    if (mode == OF_DELETE) {
        SeamDeleteFile(name);
        return HFILE_ERROR;
    }
    const bool writing = (mode & (OF_WRITE | OF_READWRITE)) != 0;
    const DWORD access = writing ? (GENERIC_READ | GENERIC_WRITE) : GENERIC_READ;
    // Sharing follows the access alone: a writer lets others read, a reader lets
    // others read and write.
    const DWORD share = writing ? FILE_SHARE_READ : (FILE_SHARE_READ | FILE_SHARE_WRITE);
    DWORD creation = OPEN_EXISTING;
    if (mode == OF_CREATE)
        creation = CREATE_NEW;
    else if (mode & OF_CREATE)
        creation = OPEN_ALWAYS;
    return SeamCreateFile(name, access, share, creation);
}

ErrorCode SetFileLength(HFILE file, LONG length)
{
    return SeamSetLength(file, length) ? kErrNone : kErrDiskFull;
}

ErrorCode GetFileLength(HFILE file, LONG* length)
{
    LONG position = SeamSeek(file, 0, FILE_CURRENT);
    if (position == HFILE_ERROR)
        return kErrFile;
    LONG end = SeamSeek(file, 0, FILE_END);
    if (end == HFILE_ERROR)
        return kErrFile;
    if (SeamSeek(file, position, FILE_BEGIN) == HFILE_ERROR)
        return kErrFile;
    *length = end;
    return kErrNone;
}

UINT ReadFileBytes(HFILE file, void* buffer, UINT count) { return SeamRead(file, buffer, count); }

UINT WriteFileBytes(HFILE file, const void* buffer, UINT count) { return SeamWrite(file, buffer, count); }

LONG SeekFile(HFILE file, LONG offset, int origin) { return SeamSeek(file, offset, origin); }

HFILE CloseFile(HFILE file) { return SeamClose(file); }

bool IsReadOnlyFile(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}
