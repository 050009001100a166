// Verification: the free map's two lists agree, the blocks, free extents and
// lost bytes tile the file exactly from the map to the end of data, and every
// listed block's header lies where its entry says.
#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "store/store_internal.h"

using namespace store_impl;

ErrorCode VerifyFreeMap(int store)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    uint32_t token = 0;
    result = FetchFreeMap(store, &token);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(token));
    if (!locked)
        return kErrNoMemory;
    FreeMapHeader* map = reinterpret_cast<FreeMapHeader*>(locked.bytes());
    const SIZE_T flagBytes = map->count > 0 ? static_cast<SIZE_T>(map->count) : 1;
    HGLOBAL table = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, flagBytes);
    if (!table)
        return kErrNoMemory;
    {
        LockedBlock flags(table);
        result = flags ? CheckFreeMapLists(map, flags.bytes()) : kErrNoMemory;
    }
    GlobalFree(table);
    return result;
}

namespace {

ErrorCode CheckHeaderAgainstEntry(int store, const BlockListEntry& entry, const RecordHeader* header)
{
    if (header->key != entry.key)
        return kStoreErrNoEntry;
    if (header->parent != entry.parent)
        return kStoreErrParentMismatch;
    if (header->storeIndex != store)
        return kStoreErrWrongStore;
    if (header->offset != entry.offset)
        return kStoreErrOffsetMismatch;
    if (header->size != static_cast<uint32_t>(entry.size))
        return kStoreErrSizeMismatch;
    return kErrNone;
}

// A block that is not loaded is checked where the file holds it: a listed
// record whose header is not there could not be read.
ErrorCode CheckStoredEntry(int store, const BlockListEntry& entry)
{
    if (entry.parent == kFreeMapKey)
        return kErrNone;
    RecordHeader header;
    ErrorCode result =
        ReadFileRange(StoreFile(store), StoreSlot(store)->baseOffset + entry.offset, reinterpret_cast<uint8_t*>(&header),
                      sizeof(header));
    if (result)
        return result;
    header.storeIndex = static_cast<int16_t>(store);
    return CheckHeaderAgainstEntry(store, entry, &header);
}

ErrorCode CheckLoadedEntry(int store, const BlockListEntry& entry)
{
    HGLOBAL block = TokenHandle(entry.handle);
    if (!block)
        return CheckStoredEntry(store, entry);
    LockedBlock locked(block);
    if (!locked)
        return kErrNone;
    return CheckHeaderAgainstEntry(store, entry, locked.header());
}

ErrorCode WalkBlockList(int store, const uint8_t* list, int32_t endOfData, int32_t lostBytes)
{
    int16_t count;
    memcpy(&count, list, sizeof(count));
    const BlockListEntry* entries = reinterpret_cast<const BlockListEntry*>(list + sizeof(int16_t));
    const int shift = StoreShift(store);
    int64_t lost = lostBytes;
    int blocks = 0;
    for (int i = 0; i < count; ++i) {
        const BlockListEntry& entry = entries[i];
        const int64_t end = static_cast<int64_t>(entry.offset) + RoundUpToGranule(static_cast<uint32_t>(entry.size), shift);
        const int64_t next = i + 1 < count ? entries[i + 1].offset : endOfData;
        if (entry.parent != kFreeMapKey && entry.parent != kRootParent)
            ++blocks;
        if (next < end)
            return kStoreErrOverlap;
        if (end < next) {
            lost -= next - end;
            if (lost < 0)
                return kStoreErrLostBytes;
        }
        ErrorCode result = CheckLoadedEntry(store, entry);
        if (result)
            return result;
    }
    if (StoreSlot(store)->blockCount != blocks)
        return kStoreErrBlockCount;
    if (lost != 0)
        return kStoreErrLostBytes;
    return kErrNone;
}

} // namespace

ErrorCode VerifyStore(int store)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    result = VerifyFreeMap(store);
    if (result)
        return result;
    HGLOBAL list = nullptr;
    int32_t endOfData = 0;
    int32_t lostBytes = 0;
    result = BuildBlockList(store, &list, &endOfData, &lostBytes);
    if (result)
        return result;
    {
        LockedBlock locked(list);
        result = locked ? WalkBlockList(store, locked.bytes(), endOfData, lostBytes) : kErrNoMemory;
    }
    GlobalFree(list);
    if (result)
        return result;
    LONG length = 0;
    result = GetFileLength(StoreFile(store), &length);
    if (result)
        return result;
    const int64_t dataLength = static_cast<int64_t>(length) - StoreSlot(store)->baseOffset;
    if (dataLength != endOfData && dataLength != static_cast<int64_t>(endOfData) + 1)
        return kStoreErrFileLength;
    return kErrNone;
}
