#include "common/io_seam.h"

namespace {

struct FaultPlan {
    unsigned mask = 0;
    long nth = 0;
    bool persistent = false;
    long counted = 0;
    bool fired = false;
};

FaultPlan plan;

// True when this call of the given kind is to fail.
bool ShouldFail(SeamKind kind)
{
    if ((plan.mask & kind) == 0)
        return false;
    ++plan.counted;
    if (plan.counted == plan.nth || (plan.persistent && plan.counted > plan.nth)) {
        plan.fired = true;
        return true;
    }
    return false;
}

HANDLE ToHandle(HFILE file) { return LongToHandle(file); }

} // namespace

HFILE SeamCreateFile(const char* name, DWORD access, DWORD share, DWORD creation)
{
    if (ShouldFail(kSeamOpen)) {
        // A made-up failure must not read as "no such file" or "in use".
        SetLastError(ERROR_IO_DEVICE);
        return HFILE_ERROR;
    }
    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, FALSE};
    HANDLE handle = CreateFileA(name, access, share, &security, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return HFILE_ERROR;
    return static_cast<HFILE>(HandleToLong(handle));
}

UINT SeamRead(HFILE file, void* buffer, UINT count)
{
    if (ShouldFail(kSeamRead))
        return HFILE_ERROR;
    DWORD done = 0;
    if (!ReadFile(ToHandle(file), buffer, count, &done, nullptr))
        return HFILE_ERROR;
    return done;
}

UINT SeamWrite(HFILE file, const void* buffer, UINT count)
{
    if (ShouldFail(kSeamWrite))
        return HFILE_ERROR;
    DWORD done = 0;
    if (!WriteFile(ToHandle(file), buffer, count, &done, nullptr))
        return HFILE_ERROR;
    return done;
}

LONG SeamSeek(HFILE file, LONG offset, int origin)
{
    if (ShouldFail(kSeamSeek))
        return HFILE_ERROR;
    SetLastError(NO_ERROR);
    DWORD moved = SetFilePointer(ToHandle(file), offset, nullptr, static_cast<DWORD>(origin));
    if (moved == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return HFILE_ERROR;
    return static_cast<LONG>(moved);
}

BOOL SeamSetLength(HFILE file, LONG length)
{
    if (ShouldFail(kSeamSetLength))
        return FALSE;
    HANDLE handle = ToHandle(file);
    SetLastError(NO_ERROR);
    DWORD moved = SetFilePointer(handle, length, nullptr, FILE_BEGIN);
    if (moved == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return FALSE;
    return SetEndOfFile(handle);
}

HFILE SeamClose(HFILE file)
{
    return CloseHandle(ToHandle(file)) ? 0 : HFILE_ERROR;
}

BOOL SeamDeleteFile(const char* name)
{
    if (ShouldFail(kSeamDelete))
        return FALSE;
    return DeleteFileA(name);
}

BOOL SeamFlush(HFILE file)
{
    if (ShouldFail(kSeamFlush))
        return FALSE;
    return FlushFileBuffers(ToHandle(file));
}

BOOL SeamMoveFile(const char* from, const char* to)
{
    if (ShouldFail(kSeamMove))
        return FALSE;
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

BOOL SeamTempFileName(const char* prefix, char* path)
{
    path[0] = '\0';
    if (ShouldFail(kSeamTempName))
        return FALSE;
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length > MAX_PATH)
        return FALSE;
    if (!GetTempFileNameA(folder, prefix, 0, path)) {
        path[0] = '\0';
        return FALSE;
    }
    return TRUE;
}

HGLOBAL SeamGlobalAlloc(UINT flags, SIZE_T bytes)
{
    if (ShouldFail(kSeamAlloc))
        return nullptr;
    return GlobalAlloc(flags, bytes);
}

HGLOBAL SeamGlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags)
{
    if (ShouldFail(kSeamAlloc))
        return nullptr;
    return GlobalReAlloc(block, bytes, flags);
}

void SeamArmFault(unsigned mask, long nth, bool persistent)
{
    plan = FaultPlan{};
    plan.mask = mask;
    plan.nth = nth;
    plan.persistent = persistent;
}

void SeamDisarm() { plan = FaultPlan{}; }

bool SeamFaultFired() { return plan.fired; }

long SeamCallsCounted() { return plan.counted; }
