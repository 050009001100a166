#include "documents/earlier_version_records.h"

#include <algorithm>

#include "store/record_store.h"

namespace {

const DWORD kHeaderBytes = 16;

} // namespace

void NewPayload::String(DWORD offset, const uint8_t* source, DWORD available, DWORD field)
{
    if (offset + field > size_ || field == 0)
        return;
    DWORD length = 0;
    while (length < available && length + 1 < field && source[length])
        ++length;
    std::memcpy(bytes_ + offset, source, length);
    bytes_[offset + length] = 0;
}

ErrorCode RewriteOldRecord(int store, short group, short id, NewSizeOf sizeOf, WidenPayload widen, bool growOnly)
{
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, group, id, &record);
    if (code != kErrNone)
        return code;
    DWORD size = QueryRecordSize(record);
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(record));
    if (!bytes) {
        ReleaseRecord(record);
        return kErrNoMemory;
    }
    const SIZE_T held = GlobalSize(record);
    const DWORD recordBytes = size <= held ? size : static_cast<DWORD>(held);
    const DWORD payload = recordBytes > kHeaderBytes ? recordBytes - kHeaderBytes : 0;
    const OldPayload old(std::vector<uint8_t>(bytes + kHeaderBytes, bytes + kHeaderBytes + payload));
    GlobalUnlock(record);

    const DWORD newPayload = sizeOf(old);
    if (newPayload == 0) {
        ReleaseRecord(record);
        return kErrOldRecordDamaged;
    }
    if (!growOnly || kHeaderBytes + newPayload > size) {
        code = ResizeRecord(&record, kHeaderBytes + newPayload);
        if (code != kErrNone) {
            ReleaseRecord(record);
            return code;
        }
        size = kHeaderBytes + newPayload;
    }
    code = SetRecordDirty(record);
    auto* target = code == kErrNone ? static_cast<uint8_t*>(GlobalLock(record)) : nullptr;
    if (code == kErrNone && !target)
        code = kErrNoMemory;
    if (code == kErrNone) {
        std::memset(target + kHeaderBytes, 0, size - kHeaderBytes);
        NewPayload result(target + kHeaderBytes, size - kHeaderBytes);
        widen(old, &result);
        GlobalUnlock(record);
    }
    ReleaseRecord(record);
    return code;
}

ErrorCode OldGroupIds(int store, short group, std::vector<short>* ids)
{
    ids->clear();
    int count = 0;
    ErrorCode code = CountGroupRecords(store, group, &count);
    // A drawing without texts, routes or pictures has no such group.
    if (code == kStoreErrNotFound)
        return kErrNone;
    if (code != kErrNone)
        return code;
    for (int index = 0; index < count; ++index) {
        short id = 0;
        code = GetGroupRecordId(store, group, index, &id);
        if (code != kErrNone)
            return code;
        ids->push_back(id);
    }
    std::sort(ids->begin(), ids->end());
    return kErrNone;
}
