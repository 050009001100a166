// Lookups and changes of single records: find, create, mark, resize, delete,
// detach and attach. While a checkpoint is open each change first records
// what the record was (checkpoints.cpp).
#include "common/io_seam.h"
#include "store/store_internal.h"

using namespace store_impl;

namespace {

struct RecordKeys {
    int store;
    int16_t group;
    int16_t id;
    uint32_t size;
};

ErrorCode ReadKeys(HGLOBAL handle, RecordKeys* keys)
{
    ErrorCode result = CheckRecordHandle(handle);
    if (result)
        return result;
    LockedBlock locked(handle);
    if (!locked)
        return kErrNoMemory;
    const RecordHeader* header = locked.header();
    *keys = RecordKeys{header->storeIndex, header->parent, header->key, header->size};
    return kErrNone;
}

// The entry of a record in its group of the main tree.
ErrorCode FindRecordEntry(int store, int16_t group, int16_t id, EntryRef* ref, bool* found)
{
    *found = false;
    uint32_t root = 0;
    ErrorCode result = FetchRoot(store, kMainRootKey, &root);
    if (result)
        return result;
    uint32_t groupToken = 0;
    int position = 0;
    result = LoadIndexChild(store, root, group, &groupToken, &position);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(groupToken));
    if (!locked)
        return kErrNoMemory;
    *ref = EntryRef{store, groupToken, SearchIndexBlock(locked.bytes(), id, found)};
    return kErrNone;
}

// Refuses a new record before anything is noted for undo: the group must
// exist and the id must be free.
ErrorCode CheckNewRecord(int store, int16_t group, int16_t id)
{
    EntryRef ref = {};
    bool found = false;
    ErrorCode result = FindRecordEntry(store, group, id, &ref, &found);
    if (result)
        return result;
    return found ? ErrorCode(kStoreErrExists) : ErrorCode(kErrNone);
}

} // namespace

ErrorCode FindRecord(int store, short group, short id, RecordHandle* handle)
{
    *handle = nullptr;
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    EntryRef ref = {};
    bool found = false;
    result = FindRecordEntry(store, group, id, &ref, &found);
    if (result)
        return result;
    if (!found)
        return kStoreErrNotFound;
    uint32_t token = 0;
    result = FetchBlock(ref, group, &token);
    if (result)
        return result;
    *handle = TokenHandle(token);
    return kErrNone;
}

ErrorCode CreateRecord(int store, short group, short id, DWORD size, RecordHandle* handle)
{
    *handle = nullptr;
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    if (size < static_cast<DWORD>(kRecordHeaderSize))
        return kStoreErrTooSmall;
    if (size > kMaxBlockSize)
        return kStoreErrTooLarge;
    result = CheckNewRecord(store, group, id);
    if (result)
        return result;
    if (IsCheckpointFlagSet(store)) {
        result = EnsureShadowGroup(store, group, false);
        if (!result)
            result = SaveBeforeImage(store, group, id, nullptr);
        if (result)
            return result;
    }
    HGLOBAL block = nullptr;
    result = InsertBlock(store, kMainRootKey, group, id, size, &block, 0);
    if (result)
        return result;
    *handle = block;
    return kErrNone;
}

ErrorCode AttachRecordBlock(int store, short group, short id, HGLOBAL block)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    result = CheckRecordHandle(block);
    if (result)
        return result;
    result = CheckNewRecord(store, group, id);
    if (result)
        return result;
    if (IsCheckpointFlagSet(store)) {
        result = EnsureShadowGroup(store, group, false);
        if (!result)
            result = SaveBeforeImage(store, group, id, nullptr);
        if (result)
            return result;
    }
    HGLOBAL given = block;
    return InsertBlock(store, kMainRootKey, group, id, 0, &given, 0);
}

ErrorCode MarkRecordChanged(RecordHandle handle)
{
    RecordKeys keys = {};
    ErrorCode result = ReadKeys(handle, &keys);
    if (result)
        return result;
    SetBlockFlag(handle, kBlockChanged, true);
    result = CheckStoreIndex(keys.store);
    if (result)
        return result;
    if (!IsCheckpointFlagSet(keys.store))
        return kErrNone;
    result = EnsureShadowGroup(keys.store, keys.group, false);
    if (result)
        return result;
    return SaveBeforeImage(keys.store, keys.group, keys.id, handle);
}

ErrorCode SetRecordDirty(RecordHandle handle)
{
    ErrorCode result = CheckRecordHandle(handle);
    if (result)
        return result;
    SetBlockFlag(handle, kBlockChanged, true);
    return kErrNone;
}

void ReleaseRecord(RecordHandle) {}

ErrorCode ResizeRecord(RecordHandle* handle, DWORD size)
{
    if (size < static_cast<DWORD>(kRecordHeaderSize))
        return kStoreErrTooSmall;
    if (size > kMaxBlockSize)
        return kStoreErrTooLarge;
    RecordKeys keys = {};
    ErrorCode result = ReadKeys(*handle, &keys);
    if (result)
        return result;
    result = CheckStoreIndex(keys.store);
    if (result)
        return result;
    if (size == keys.size) {
        SetBlockFlag(*handle, kBlockChanged, true);
        return kErrNone;
    }
    EntryRef ref = {};
    bool found = false;
    result = FindRecordEntry(keys.store, keys.group, keys.id, &ref, &found);
    if (result)
        return result;
    // Only the block the index holds may be resized under its entry.
    if (!found || EntryBlock(ref) != *handle)
        return kStoreErrNotFound;

    HGLOBAL block = *handle;
    const UINT locks = GlobalFlags(block) & GMEM_LOCKCOUNT;
    for (UINT i = 0; i < locks; ++i)
        GlobalUnlock(block);
    int32_t offset = 0;
    result = ResizeBlock(keys.store, &block, size, &offset);
    {
        // The header holds the block's place whether or not the resize went through.
        IndexEntry entry = ReadEntry(ref);
        SetTokenHandle(entry.handle, block);
        LockedBlock locked(block);
        entry.offset = locked.header()->offset;
        entry.size = locked.header()->size;
        locked.Unlock();
        WriteEntry(ref, entry);
        MarkHolderChanged(ref);
    }
    for (UINT i = 0; i < locks; ++i)
        GlobalLock(block);
    *handle = block;
    return result;
}

ErrorCode DeleteRecordByHandle(RecordHandle handle)
{
    RecordKeys keys = {};
    ErrorCode result = ReadKeys(handle, &keys);
    if (result)
        return result;
    result = CheckStoreIndex(keys.store);
    if (result)
        return result;
    EntryRef ref = {};
    bool found = false;
    result = FindRecordEntry(keys.store, keys.group, keys.id, &ref, &found);
    if (result)
        return result;
    if (!found)
        return kStoreErrNoEntry;
    HGLOBAL loaded = EntryBlock(ref);
    // Another block loaded under the same keys is not this record.
    if (loaded && loaded != handle)
        return kStoreErrNoEntry;
    HGLOBAL removed = nullptr;
    return RemoveBlock(keys.store, kMainRootKey, keys.group, keys.id, &removed);
}

ErrorCode DetachRecord(RecordHandle handle)
{
    RecordKeys keys = {};
    ErrorCode result = ReadKeys(handle, &keys);
    if (result)
        return result;
    result = CheckStoreIndex(keys.store);
    if (result)
        return result;
    result = WriteRecordBlock(handle);
    if (result)
        return result;
    EntryRef ref = {};
    bool found = false;
    result = FindRecordEntry(keys.store, keys.group, keys.id, &ref, &found);
    if (result)
        return result;
    if (!found || EntryBlock(ref) != handle)
        return kStoreErrNotFound;
    TakeEntryBlock(ref);
    MarkHolderChanged(ref);
    return kErrNone;
}
