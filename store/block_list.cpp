// The list of every block and free extent of a store in file order, which
// compaction and verification walk.
#include "common/io_seam.h"
#include "store/store_internal.h"

using namespace store_impl;

namespace {

const SIZE_T kListHeaderSize = sizeof(int16_t);

int ListCount(const uint8_t* list)
{
    int16_t count;
    memcpy(&count, list, sizeof(count));
    return count;
}

void SetListCount(uint8_t* list, int count)
{
    const int16_t value = static_cast<int16_t>(count);
    memcpy(list, &value, sizeof(value));
}

BlockListEntry* ListEntries(uint8_t* list) { return reinterpret_cast<BlockListEntry*>(list + kListHeaderSize); }

ErrorCode AddGroupsOfTree(int store, HGLOBAL* list, int16_t tree)
{
    uint32_t root = 0;
    ErrorCode result = FetchRoot(store, tree, &root);
    if (result)
        return result;
    int groups = 0;
    {
        LockedBlock locked(TokenHandle(root));
        groups = IndexCount(locked.bytes());
    }
    int previousGroup = -1;
    for (int g = 0; g < groups; ++g) {
        const EntryRef groupRef = {store, root, g};
        const IndexEntry groupEntry = ReadEntry(groupRef);
        if (groupEntry.size == 0)
            continue;
        result = AddToBlockList(list, groupEntry, kRootParent, tree);
        if (result)
            return result;
        uint32_t group = 0;
        result = FetchBlock(groupRef, tree, &group);
        if (result)
            return result;
        if (groupEntry.key <= previousGroup)
            return kStoreErrKeyOrder;
        previousGroup = groupEntry.key;
        int records = 0;
        {
            LockedBlock locked(TokenHandle(group));
            records = IndexCount(locked.bytes());
        }
        int previousRecord = -1;
        for (int r = 0; r < records; ++r) {
            const IndexEntry recordEntry = ReadEntry(EntryRef{store, group, r});
            if (recordEntry.key <= previousRecord)
                return kStoreErrKeyOrder;
            previousRecord = recordEntry.key;
            result = AddToBlockList(list, recordEntry, tree, groupEntry.key);
            if (result)
                return result;
        }
    }
    return kErrNone;
}

ErrorCode FillBlockList(int store, HGLOBAL* list, int32_t* endOfData, int32_t* lostBytes)
{
    const StoreHeader* slot = StoreSlot(store);
    ErrorCode result = AddToBlockList(list, slot->mainRoot, kRootParent, kRootParent);
    if (!result)
        result = AddToBlockList(list, StoreSlot(store)->shadowRoot, kRootParent, kRootParent);
    if (!result)
        result = AddToBlockList(list, StoreSlot(store)->freeMapRoot, kRootParent, kRootParent);
    if (result)
        return result;
    uint32_t mapToken = 0;
    result = FetchFreeMap(store, &mapToken);
    if (result)
        return result;
    HGLOBAL mapBlock = TokenHandle(mapToken);
    int extents = 0;
    {
        LockedBlock locked(mapBlock);
        FreeMapHeader* map = reinterpret_cast<FreeMapHeader*>(locked.bytes());
        *endOfData = map->endOfData;
        *lostBytes = map->lostBytes;
        extents = map->count;
    }
    for (int i = 0; i < extents; ++i) {
        FreeExtent extent = {};
        {
            LockedBlock locked(mapBlock);
            extent = BySizeList(reinterpret_cast<FreeMapHeader*>(locked.bytes()))[i];
        }
        const IndexEntry entry = {static_cast<int16_t>(i), extent.offset, static_cast<uint32_t>(extent.size), 0};
        result = AddToBlockList(list, entry, kRootParent, kFreeMapKey);
        if (result)
            return result;
    }
    result = AddGroupsOfTree(store, list, kMainRootKey);
    if (!result)
        result = AddGroupsOfTree(store, list, kShadowRootKey);
    return result;
}

} // namespace

ErrorCode store_impl::AddToBlockList(HGLOBAL* list, const IndexEntry& entry, int16_t tree, int16_t parent)
{
    int count = 0;
    {
        LockedBlock locked(*list);
        if (!locked)
            return kErrNoMemory;
        count = ListCount(locked.bytes());
    }
    if (count >= 32767)
        return kStoreErrTooLarge;
    const SIZE_T needed = kListHeaderSize + sizeof(BlockListEntry) * static_cast<SIZE_T>(count + 1);
    const SIZE_T have = GlobalSize(*list);
    if (have < needed) {
        // Grown by halves rather than one entry at a time: stores hold tens of
        // thousands of blocks.
        HGLOBAL bigger = SeamGlobalReAlloc(*list, needed + have / 2, GMEM_MOVEABLE);
        if (!bigger)
            return kErrNoMemory;
        *list = bigger;
    }
    LockedBlock locked(*list);
    if (!locked)
        return kErrNoMemory;
    BlockListEntry* entries = ListEntries(locked.bytes());
    int low = 0;
    int high = count;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (entries[middle].offset < entry.offset)
            low = middle + 1;
        else
            high = middle;
    }
    if (low < count && entries[low].offset == entry.offset)
        return kStoreErrSameOffset;
    memmove(entries + low + 1, entries + low, static_cast<size_t>(count - low) * sizeof(BlockListEntry));
    entries[low] = BlockListEntry{tree, parent, entry.key, entry.offset, static_cast<int32_t>(entry.size), entry.handle};
    SetListCount(locked.bytes(), count + 1);
    return kErrNone;
}

ErrorCode store_impl::BuildBlockList(int store, HGLOBAL* list, int32_t* endOfData, int32_t* lostBytes)
{
    *list = nullptr;
    HGLOBAL made = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1000);
    if (!made)
        return kErrNoMemory;
    ErrorCode result = FillBlockList(store, &made, endOfData, lostBytes);
    if (result) {
        GlobalFree(made);
        return result;
    }
    *list = made;
    return kErrNone;
}
