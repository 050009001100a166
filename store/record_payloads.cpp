// Reading a record's header and copying payloads between records and plain
// memory blocks. Copies never run past either block.
#include "store/store_internal.h"

using namespace store_impl;

ErrorCode GetRecordHeader(RecordHandle handle, int* store, short* parent, short* key, LONG* offset, DWORD* size,
                          WORD* flags)
{
    ErrorCode result = CheckRecordHandle(handle);
    if (result)
        return result;
    LockedBlock locked(handle);
    if (!locked)
        return kErrNoMemory;
    const RecordHeader* header = locked.header();
    *store = header->storeIndex;
    *parent = header->parent;
    *key = header->key;
    *offset = header->offset;
    *size = header->size;
    *flags = header->flags;
    return kErrNone;
}

ErrorCode CheckRecordSize(RecordHandle handle, DWORD* size)
{
    *size = 0;
    ErrorCode result = CheckRecordHandle(handle);
    if (result)
        return result;
    LockedBlock locked(handle);
    if (!locked)
        return kErrNoMemory;
    *size = locked.header()->size;
    return kErrNone;
}

DWORD QueryRecordSize(RecordHandle handle)
{
    if (!handle || GlobalSize(handle) < static_cast<SIZE_T>(kRecordHeaderSize))
        return 0;
    LockedBlock locked(handle);
    return locked ? locked.header()->size : 0;
}

ErrorCode SetRecordInUse(RecordHandle handle, BOOL on)
{
    ErrorCode result = CheckRecordHandle(handle);
    if (result)
        return result;
    SetBlockFlag(handle, kBlockInUse, on != FALSE);
    return kErrNone;
}

namespace {

// Copies count bytes between two blocks at the given starts, refusing a copy
// that would pass the end of either block.
ErrorCode CopyBetween(HGLOBAL source, SIZE_T from, HGLOBAL target, SIZE_T to, SIZE_T count)
{
    if (count == 0)
        return kErrNone;
    if (!source || !target)
        return kErrNoMemory;
    if (GlobalSize(source) < from + count || GlobalSize(target) < to + count)
        return kStoreErrShortMemory;
    LockedBlock in(source);
    LockedBlock out(target);
    if (!in || !out)
        return kErrNoMemory;
    memmove(out.bytes() + to, in.bytes() + from, count);
    return kErrNone;
}

} // namespace

ErrorCode CopyRecordPayload(RecordHandle source, RecordHandle target, DWORD size)
{
    if (size <= static_cast<DWORD>(kRecordHeaderSize))
        return kErrNone;
    return CopyBetween(source, kRecordHeaderSize, target, kRecordHeaderSize, size - kRecordHeaderSize);
}

ErrorCode CopyRecordToBlock(RecordHandle record, HGLOBAL block)
{
    const DWORD size = QueryRecordSize(record);
    if (size <= static_cast<DWORD>(kRecordHeaderSize) || !block)
        return kErrNone;
    const SIZE_T payload = size - kRecordHeaderSize;
    if (GlobalSize(block) < payload)
        return kErrNone;
    return CopyBetween(record, kRecordHeaderSize, block, 0, payload);
}

ErrorCode CopyBlockToRecord(HGLOBAL block, RecordHandle record)
{
    const DWORD size = QueryRecordSize(record);
    if (size <= static_cast<DWORD>(kRecordHeaderSize))
        return kErrNone;
    return CopyBetween(block, 0, record, kRecordHeaderSize, size - kRecordHeaderSize);
}

ErrorCode CopyBytesToRecord(HGLOBAL block, RecordHandle record, DWORD count)
{
    return CopyBetween(block, 0, record, kRecordHeaderSize, count);
}
