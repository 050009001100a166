#include "objects/attachment_records.h"

#include <cstdio>
#include <cstring>

#include "objects/drawing_layout.h"
#include "store/record_store.h"

namespace {

const char kTypeTag[] = "$atype=";
const int kTypeTagLength = 7;
// The tag, its digit and its NUL.
const DWORD kTagBytes = kTypeTagLength + 2;
const int kLargestId = 0x7FFF;

bool ValidId(int objectId)
{
    return objectId >= 0 && objectId <= kLargestId;
}

// The length of the name within the payload, `size` when unterminated.
DWORD NameLength(const char* payload, DWORD size)
{
    const void* end = std::memchr(payload, '\0', size);
    return end ? static_cast<DWORD>(static_cast<const char*>(end) - payload) : size;
}

class LockedRecord {
public:
    explicit LockedRecord(RecordHandle handle) : handle_(handle), bytes_(static_cast<char*>(GlobalLock(handle))) {}
    ~LockedRecord()
    {
        if (bytes_)
            GlobalUnlock(handle_);
    }
    LockedRecord(const LockedRecord&) = delete;
    LockedRecord& operator=(const LockedRecord&) = delete;
    char* payload() const { return bytes_ ? bytes_ + kRecordHeaderSize : nullptr; }
    DWORD size() const
    {
        const DWORD whole = static_cast<DWORD>(GlobalSize(handle_));
        return whole > static_cast<DWORD>(kRecordHeaderSize) ? whole - kRecordHeaderSize : 0;
    }

private:
    RecordHandle handle_;
    char* bytes_;
};

// The record's payload size from the store, bounded by its memory block.
DWORD PayloadSize(RecordHandle handle, const LockedRecord& locked)
{
    const DWORD recorded = QueryRecordSize(handle);
    const DWORD stored = recorded > static_cast<DWORD>(kRecordHeaderSize) ? recorded - kRecordHeaderSize : 0;
    return stored < locked.size() ? stored : locked.size();
}

ErrorCode FindAttachmentRecord(int store, int objectId, RecordHandle* handle)
{
    if (!ValidId(objectId))
        return kStoreErrNotFound;
    return FindRecord(store, kAttachmentGroup, static_cast<short>(objectId), handle);
}

ErrorCode FillRecord(RecordHandle handle, const char* name, int type)
{
    LockedRecord locked(handle);
    char* payload = locked.payload();
    const DWORD size = PayloadSize(handle, locked);
    if (!payload)
        return kErrNoMemory;
    std::memset(payload, 0, size);
    std::memcpy(payload, name, std::strlen(name) + 1);
    return AppendAttachType(payload, size, type) ? kErrNone : kErrNoMemory;
}

ErrorCode OpenForWriting(int store, int objectId, DWORD payloadSize, RecordHandle* handle)
{
    const short id = static_cast<short>(objectId);
    ErrorCode code = FindRecord(store, kAttachmentGroup, id, handle);
    if (code == kStoreErrNotFound)
        return CreateRecord(store, kAttachmentGroup, id, kRecordHeaderSize + payloadSize, handle);
    if (code != kErrNone)
        return code;
    code = MarkRecordChanged(*handle);
    if (code == kErrNone && QueryRecordSize(*handle) < kRecordHeaderSize + payloadSize)
        code = ResizeRecord(handle, kRecordHeaderSize + payloadSize);
    if (code != kErrNone)
        ReleaseRecord(*handle);
    return code;
}

} // namespace

int ParseAttachType(const char* payload, DWORD size)
{
    const DWORD length = NameLength(payload, size);
    const DWORD tag = length + 1;
    if (tag + kTypeTagLength + 1 > size)
        return kAttachDrawing;
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, payload + tag, kTypeTagLength, kTypeTag, kTypeTagLength) !=
        CSTR_EQUAL)
        return kAttachDrawing;
    const char digit = payload[tag + kTypeTagLength];
    // Any other digit opens as a drawing.
    if (digit < '0' || digit >= '0' + kAttachTypeCount)
        return kAttachDrawing;
    return digit - '0';
}

bool AppendAttachType(char* payload, DWORD size, int type)
{
    const DWORD length = NameLength(payload, size);
    if (length + 1 + kTagBytes > size || type < 0 || type >= kAttachTypeCount)
        return false;
    std::snprintf(payload + length + 1, kTagBytes, "%s%d", kTypeTag, type);
    return true;
}

void ReadAttachName(const char* payload, DWORD size, char* name)
{
    DWORD length = NameLength(payload, size);
    if (length >= static_cast<DWORD>(kAttachNameSize))
        length = kAttachNameSize - 1;
    std::memcpy(name, payload, length);
    name[length] = '\0';
}

ErrorCode ReadAttachment(int store, int objectId, char* name, int* type)
{
    name[0] = '\0';
    *type = kAttachDrawing;
    RecordHandle handle = nullptr;
    ErrorCode code = FindAttachmentRecord(store, objectId, &handle);
    if (code != kErrNone)
        return code;
    {
        LockedRecord locked(handle);
        const DWORD size = PayloadSize(handle, locked);
        if (locked.payload()) {
            ReadAttachName(locked.payload(), size, name);
            *type = ParseAttachType(locked.payload(), size);
        } else {
            code = kErrNoMemory;
        }
    }
    ReleaseRecord(handle);
    return code;
}

ErrorCode WriteAttachment(int store, int objectId, const char* name, int type)
{
    const DWORD length = static_cast<DWORD>(std::strlen(name));
    if (!ValidId(objectId) || length >= static_cast<DWORD>(kAttachNameSize))
        return kStoreErrNotFound;
    const DWORD payloadSize = length + 1 + kTagBytes > kAttachPayloadMinimum ? length + 1 + kTagBytes
                                                                               : kAttachPayloadMinimum;
    RecordHandle handle = nullptr;
    ErrorCode code = OpenForWriting(store, objectId, payloadSize, &handle);
    if (code != kErrNone)
        return code;
    code = FillRecord(handle, name, type);
    if (code == kErrNone)
        code = SetRecordDirty(handle);
    ReleaseRecord(handle);
    return code;
}

ErrorCode DeleteAttachment(int store, int objectId)
{
    RecordHandle handle = nullptr;
    ErrorCode code = FindAttachmentRecord(store, objectId, &handle);
    if (code != kErrNone)
        return code;
    code = DeleteRecordByHandle(handle);
    if (code == kErrNone)
        GlobalFree(handle);
    else
        ReleaseRecord(handle);
    return code;
}

bool ObjectIdHasAttachment(int store, int objectId)
{
    RecordHandle handle = nullptr;
    if (FindAttachmentRecord(store, objectId, &handle) != kErrNone)
        return false;
    ReleaseRecord(handle);
    return true;
}

bool RelocatePathUnder(const char* path, const char* programFile, char* out)
{
    // What follows the drive and the path's first folder.
    const char* folder = std::strchr(path, '\\');
    const char* kept = folder ? std::strchr(folder + 1, '\\') : nullptr;
    if (!kept) {
        if (out != path)
            std::memmove(out, path, std::strlen(path) + 1);
        return true;
    }
    const char* programEnd = std::strrchr(programFile, '\\');
    const size_t home = programEnd ? static_cast<size_t>(programEnd - programFile) : 0;
    const size_t rest = std::strlen(kept);
    if (home + rest + 1 > static_cast<size_t>(kAttachNameSize))
        return false;
    char result[kAttachNameSize];
    std::memcpy(result, programFile, home);
    std::memcpy(result + home, kept, rest + 1);
    std::memcpy(out, result, home + rest + 1);
    return true;
}

bool RelocateAttachmentPath(char* path)
{
    char program[MAX_PATH] = "";
    if (!GetModuleFileNameA(nullptr, program, sizeof(program)))
        return false;
    return RelocatePathUnder(path, program, path);
}
