// Compaction: every block moves down over the holes in file order, the map
// ends empty and the file is cut after the last block. A failure part way
// leaves the moved blocks where they went and rebuilds the map from the
// blocks, so the store stays whole.
#include <vector>

#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "store/store_internal.h"

using namespace store_impl;

namespace {

ErrorCode LocateBlockEntry(int store, int16_t tree, int16_t parent, int16_t key, EntryRef* ref, int16_t* expected)
{
    if (tree == kRootParent && parent == kRootParent) {
        *ref = RootRef(store, key);
        *expected = kRootParent;
        return kErrNone;
    }
    bool found = false;
    if (tree == kRootParent) {
        ErrorCode result = FindGroupEntry(store, parent, key, ref, &found);
        if (result)
            return result;
        *expected = parent;
        return found ? ErrorCode(kErrNone) : ErrorCode(kStoreErrNotFound);
    }
    EntryRef groupRef = {};
    ErrorCode result = FindGroupEntry(store, tree, parent, &groupRef, &found);
    if (result)
        return result;
    if (!found)
        return kStoreErrNotFound;
    uint32_t group = 0;
    result = FetchBlock(groupRef, tree, &group);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(group));
    *ref = EntryRef{store, group, SearchIndexBlock(locked.bytes(), key, &found)};
    *expected = parent;
    return found ? ErrorCode(kErrNone) : ErrorCode(kStoreErrNoEntry);
}

void SetHeaderOffset(HGLOBAL block, int32_t offset, bool changed)
{
    LockedBlock locked(block);
    if (!locked)
        return;
    locked.header()->offset = offset;
    if (changed)
        locked.header()->flags |= kBlockChanged;
}

// Blocks (not free extents) of the list with their current offsets.
std::vector<PlacedBlock> PlacedBlocks(const uint8_t* list)
{
    int16_t count;
    memcpy(&count, list, sizeof(count));
    const BlockListEntry* entries = reinterpret_cast<const BlockListEntry*>(list + sizeof(int16_t));
    std::vector<PlacedBlock> blocks;
    for (int i = 0; i < count; ++i)
        if (entries[i].parent != kFreeMapKey)
            blocks.push_back(PlacedBlock{entries[i].offset, static_cast<uint32_t>(entries[i].size)});
    return blocks;
}

// The memory probe: the largest index block and the largest record must fit
// in memory together before anything moves.
ErrorCode ProbeMemory(const uint8_t* list)
{
    int16_t count;
    memcpy(&count, list, sizeof(count));
    const BlockListEntry* entries = reinterpret_cast<const BlockListEntry*>(list + sizeof(int16_t));
    uint64_t largestIndex = 0;
    uint64_t largestRecord = 0;
    for (int i = 0; i < count; ++i) {
        const uint64_t size = static_cast<uint32_t>(entries[i].size);
        if (entries[i].parent == kFreeMapKey)
            continue;
        if (entries[i].parent < 0) {
            if (size > largestIndex)
                largestIndex = size;
        } else if (size > largestRecord) {
            largestRecord = size;
        }
    }
    const uint64_t total = largestIndex + largestRecord + 1000;
    if (total > kMaxBlockSize)
        return kStoreErrTooLarge;
    HGLOBAL probe = SeamGlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(total));
    if (!probe)
        return kErrNoMemory;
    GlobalFree(probe);
    return kErrNone;
}

// Blocks that overlap would overwrite each other when moved: refuse them.
ErrorCode CheckTiling(int store, const uint8_t* list)
{
    int16_t count;
    memcpy(&count, list, sizeof(count));
    const BlockListEntry* entries = reinterpret_cast<const BlockListEntry*>(list + sizeof(int16_t));
    for (int i = 0; i + 1 < count; ++i) {
        const int64_t end = static_cast<int64_t>(entries[i].offset) +
                            RoundUpToGranule(static_cast<uint32_t>(entries[i].size), StoreShift(store));
        if (entries[i + 1].offset < end)
            return kStoreErrOverlap;
    }
    return kErrNone;
}

// Moves every block down over the gaps; the new end of data comes back.
ErrorCode MoveBlocksDown(int store, uint8_t* list, int32_t* newEnd)
{
    int16_t count;
    memcpy(&count, list, sizeof(count));
    BlockListEntry* entries = reinterpret_cast<BlockListEntry*>(list + sizeof(int16_t));
    const int shift = StoreShift(store);
    int64_t end = 0;
    int64_t gap = -1;
    for (int i = 0; i < count; ++i) {
        BlockListEntry& entry = entries[i];
        if (i > 0 && end < entry.offset && gap < 0)
            gap = end;
        if (entry.parent == kFreeMapKey) {
            if (gap < 0)
                gap = entry.offset;
            end = static_cast<int64_t>(entry.offset) + entry.size;
            continue;
        }
        if (gap >= 0) {
            ErrorCode result = MoveStoreBlock(store, entry.tree, entry.parent, entry.key, static_cast<int32_t>(gap));
            if (result)
                return result;
            entry.offset = static_cast<int32_t>(gap);
            gap = -1;
        }
        end = static_cast<int64_t>(entry.offset) + RoundUpToGranule(static_cast<uint32_t>(entry.size), shift);
    }
    *newEnd = static_cast<int32_t>(gap >= 0 ? gap : end);
    return kErrNone;
}

} // namespace

ErrorCode store_impl::MoveStoreBlock(int store, int16_t tree, int16_t parent, int16_t key, int32_t newOffset)
{
    EntryRef ref = {};
    int16_t expected = 0;
    ErrorCode result = LocateBlockEntry(store, tree, parent, key, &ref, &expected);
    if (result)
        return result;
    const bool wasLoaded = EntryBlock(ref) != nullptr;
    uint32_t token = 0;
    result = FetchBlock(ref, expected, &token);
    if (result)
        return result;
    HGLOBAL block = TokenHandle(token);
    IndexEntry entry = ReadEntry(ref);
    const int32_t oldOffset = entry.offset;
    SetHeaderOffset(block, newOffset, true);
    result = WriteRecordBlock(block);
    if (result) {
        // Some of the block may have gone over its own old place: it stays
        // loaded and marked, so the next flush writes it back where it is.
        SetHeaderOffset(block, oldOffset, true);
        return result;
    }
    entry.offset = newOffset;
    WriteEntry(ref, entry);
    MarkHolderChanged(ref);
    if (!wasLoaded)
        DropEntryBlock(ref);
    return kErrNone;
}

ErrorCode store_impl::ResetFreeMap(int store, int32_t endOfData)
{
    uint32_t token = 0;
    ErrorCode result = FetchFreeMap(store, &token);
    if (result)
        return result;
    {
        LockedBlock locked(TokenHandle(token));
        if (!locked)
            return kErrNoMemory;
        FreeMapHeader* map = reinterpret_cast<FreeMapHeader*>(locked.bytes());
        map->count = 0;
        map->lostBytes = 0;
        map->endOfData = endOfData;
        map->header.flags |= kBlockChanged;
    }
    return WriteFreeMap(store);
}

ErrorCode CompactStore(int store)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    // Moving blocks of a file that cannot be written would lose them.
    if (IsReadOnlyStore(store))
        return kStoreErrCompaction;
    HGLOBAL list = nullptr;
    int32_t endOfData = 0;
    int32_t lostBytes = 0;
    result = BuildBlockList(store, &list, &endOfData, &lostBytes);
    if (result)
        return result;
    LockedBlock locked(list);
    result = locked ? ProbeMemory(locked.bytes()) : kErrNoMemory;
    if (!result)
        result = CheckTiling(store, locked.bytes());
    if (result) {
        locked.Unlock();
        GlobalFree(list);
        return result;
    }
    int32_t newEnd = endOfData;
    const LONG base = StoreSlot(store)->baseOffset;
    // Compaction rewrites most of the file and cuts its tail: its old bytes go
    // into the journal in one pass rather than block by block.
    result = JournalRange(store, base, StoreFileLength(store) - base);
    if (!result)
        result = MoveBlocksDown(store, locked.bytes(), &newEnd);
    if (!result && newEnd != endOfData) {
        result = SetFileLength(StoreFile(store), base + newEnd);
        if (!result)
            SetStoreFileLength(store, base + newEnd);
    }
    if (result) {
        // Moved blocks now lie in what the map lists as free: describe the
        // file again from the blocks as they are.
        std::vector<PlacedBlock> blocks = PlacedBlocks(locked.bytes());
        RebuildFreeMap(store, blocks.data(), static_cast<int>(blocks.size()));
    } else {
        result = ResetFreeMap(store, newEnd);
    }
    locked.Unlock();
    GlobalFree(list);
    return result ? ErrorCode(kStoreErrCompaction) : ErrorCode(kErrNone);
}
