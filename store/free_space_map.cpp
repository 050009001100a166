// The free-space map: where new and grown blocks go (best fit among freed
// extents, else appended at the end of data) and where freed space returns.
// Two sorted lists of the same extents: by size for best fit, by offset for
// merging neighbours. Space that finds no room in a full map is lost until
// compaction.
#include <algorithm>
#include <vector>

#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "store/store_internal.h"

using namespace store_impl;

uint32_t store_impl::RoundUpToGranule(uint32_t size, int shift)
{
    const uint64_t granule = uint64_t(1) << shift;
    const uint64_t rounded = (static_cast<uint64_t>(size) + granule - 1) & ~(granule - 1);
    return rounded > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(rounded);
}

ErrorCode store_impl::FetchFreeMap(int store, uint32_t* token) { return FetchBlock(RootRef(store, kFreeMapKey), kRootParent, token); }

ErrorCode store_impl::GetDataBounds(int store, int32_t* dataStart, int32_t* endOfData)
{
    uint32_t token = 0;
    ErrorCode result = FetchFreeMap(store, &token);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(token));
    if (!locked)
        return kErrNoMemory;
    const FreeMapHeader* map = reinterpret_cast<const FreeMapHeader*>(locked.bytes());
    *dataStart = map->header.offset + static_cast<int32_t>(RoundUpToGranule(map->header.size, StoreShift(store)));
    *endOfData = map->endOfData;
    return kErrNone;
}

int store_impl::SearchExtentsBySize(FreeMapHeader* map, int64_t size, bool* found)
{
    const FreeExtent* list = BySizeList(map);
    int low = 0;
    int high = map->count;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (list[middle].size < size)
            low = middle + 1;
        else
            high = middle;
    }
    *found = low < map->count && list[low].size == size;
    return low;
}

int store_impl::SearchExtentsByOffset(FreeMapHeader* map, int32_t offset, bool* found)
{
    const FreeExtent* list = ByOffsetList(map);
    int low = 0;
    int high = map->count;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (list[middle].offset < offset)
            low = middle + 1;
        else
            high = middle;
    }
    *found = low < map->count && list[low].offset == offset;
    return low;
}

ErrorCode store_impl::UpdateSizeList(FreeMapHeader* map, int32_t oldSize, int32_t newSize, int32_t oldOffset, int32_t newOffset)
{
    FreeExtent* list = BySizeList(map);
    int oldPosition = 0;
    if (oldSize) {
        bool found = false;
        oldPosition = SearchExtentsBySize(map, oldSize, &found);
        if (!found)
            return kStoreErrFreeMap;
        while (list[oldPosition].offset != oldOffset && oldPosition + 1 < map->count &&
               list[oldPosition + 1].size == oldSize)
            ++oldPosition;
        if (list[oldPosition].offset != oldOffset)
            return kStoreErrFreeMap;
    }
    if (newSize) {
        bool found = false;
        int target = SearchExtentsBySize(map, newSize, &found);
        if (!oldSize) {
            oldPosition = map->count;
            map->count++;
        }
        if (target > oldPosition)
            --target;
        if (target < oldPosition)
            memmove(list + target + 1, list + target, static_cast<size_t>(oldPosition - target) * sizeof(FreeExtent));
        else if (target > oldPosition)
            memmove(list + oldPosition, list + oldPosition + 1,
                    static_cast<size_t>(target - oldPosition) * sizeof(FreeExtent));
        list[target] = FreeExtent{newOffset, newSize};
    } else {
        memmove(list + oldPosition, list + oldPosition + 1,
                static_cast<size_t>(map->count - oldPosition - 1) * sizeof(FreeExtent));
        map->count--;
    }
    map->header.flags |= kBlockChanged;
    return kErrNone;
}

ErrorCode store_impl::TakeFromExtent(FreeMapHeader* map, int position, int32_t size)
{
    FreeExtent* bySize = BySizeList(map);
    FreeExtent* byOffset = ByOffsetList(map);
    const FreeExtent extent = bySize[position];
    bool found = false;
    const int at = SearchExtentsByOffset(map, extent.offset, &found);
    if (!found)
        return kStoreErrFreeMap;
    if (extent.size > size) {
        const FreeExtent rest = {extent.offset + size, extent.size - size};
        byOffset[at] = rest;
        int target = SearchExtentsBySize(map, rest.size, &found);
        memmove(bySize + target + 1, bySize + target, static_cast<size_t>(position - target) * sizeof(FreeExtent));
        bySize[target] = rest;
    } else {
        memmove(byOffset + at, byOffset + at + 1, static_cast<size_t>(map->count - at - 1) * sizeof(FreeExtent));
        memmove(bySize + position, bySize + position + 1,
                static_cast<size_t>(map->count - position - 1) * sizeof(FreeExtent));
        map->count--;
    }
    map->header.flags |= kBlockChanged;
    return kErrNone;
}

ErrorCode store_impl::AllocSpace(int store, uint32_t size, int32_t* offset)
{
    uint32_t token = 0;
    ErrorCode result = FetchFreeMap(store, &token);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(token));
    if (!locked)
        return kErrNoMemory;
    FreeMapHeader* map = reinterpret_cast<FreeMapHeader*>(locked.bytes());
    const int64_t rounded = RoundUpToGranule(size, StoreShift(store));
    if (map->count > 0) {
        bool found = false;
        const int position = SearchExtentsBySize(map, rounded, &found);
        if (position < map->count) {
            *offset = BySizeList(map)[position].offset;
            return TakeFromExtent(map, position, static_cast<int32_t>(rounded));
        }
    }
    const LONG base = StoreSlot(store)->baseOffset;
    const int64_t newEnd = static_cast<int64_t>(map->endOfData) + rounded;
    if (base + newEnd > 0x7FFFFFFF)
        return kStoreErrTooLarge;
    // Growing the file changes it too: the journal must exist first.
    result = JournalRange(store, StoreFileLength(store), 0);
    if (!result)
        result = SetFileLength(StoreFile(store), static_cast<LONG>(base + newEnd));
    if (result)
        return result;
    SetStoreFileLength(store, static_cast<LONG>(base + newEnd));
    *offset = map->endOfData;
    map->endOfData = static_cast<int32_t>(newEnd);
    map->header.flags |= kBlockChanged;
    return kErrNone;
}

ErrorCode store_impl::FreeSpace(int store, int32_t offset, uint32_t size)
{
    uint32_t token = 0;
    ErrorCode result = FetchFreeMap(store, &token);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(token));
    if (!locked)
        return kErrNoMemory;
    FreeMapHeader* map = reinterpret_cast<FreeMapHeader*>(locked.bytes());
    const uint32_t roundedSize = RoundUpToGranule(size, StoreShift(store));
    if (roundedSize > 0x7FFFFFFFu)
        return kStoreErrTooLarge;
    const int32_t rounded = static_cast<int32_t>(roundedSize);
    FreeExtent* byOffset = ByOffsetList(map);
    bool found = false;
    int at = SearchExtentsByOffset(map, offset, &found);
    if (found)
        return kStoreErrFreedTwice;
    const bool follows = at < map->count && byOffset[at].offset == offset + rounded;
    const bool precedes = at > 0 && byOffset[at - 1].offset + byOffset[at - 1].size == offset;
    map->header.flags |= kBlockChanged;
    if (follows && precedes) {
        const FreeExtent next = byOffset[at];
        const FreeExtent previous = byOffset[at - 1];
        memmove(byOffset + at, byOffset + at + 1, static_cast<size_t>(map->count - at - 1) * sizeof(FreeExtent));
        result = UpdateSizeList(map, next.size, 0, next.offset, 0);
        if (result)
            return result;
        const int32_t merged = previous.size + rounded + next.size;
        byOffset[at - 1].size = merged;
        return UpdateSizeList(map, previous.size, merged, previous.offset, previous.offset);
    }
    if (follows) {
        const FreeExtent next = byOffset[at];
        byOffset[at] = FreeExtent{offset, next.size + rounded};
        return UpdateSizeList(map, next.size, next.size + rounded, next.offset, offset);
    }
    if (precedes) {
        const FreeExtent previous = byOffset[at - 1];
        byOffset[at - 1].size = previous.size + rounded;
        return UpdateSizeList(map, previous.size, previous.size + rounded, previous.offset, previous.offset);
    }
    if (map->count >= map->capacity) {
        if (map->capacity == 0) {
            map->lostBytes += rounded;
            return kErrNone;
        }
        // The map is full: the smallest extent is given up as lost space.
        const FreeExtent smallest = BySizeList(map)[0];
        const int drop = SearchExtentsByOffset(map, smallest.offset, &found);
        if (!found)
            return kStoreErrFreeMap;
        map->lostBytes += smallest.size;
        memmove(byOffset + drop, byOffset + drop + 1, static_cast<size_t>(map->count - drop - 1) * sizeof(FreeExtent));
        result = UpdateSizeList(map, smallest.size, 0, smallest.offset, 0);
        if (result)
            return result;
        at = SearchExtentsByOffset(map, offset, &found);
    }
    memmove(byOffset + at + 1, byOffset + at, static_cast<size_t>(map->count - at) * sizeof(FreeExtent));
    byOffset[at] = FreeExtent{offset, rounded};
    return UpdateSizeList(map, 0, rounded, 0, offset);
}

uint32_t store_impl::GetNewSpaceSize(int store, HGLOBAL block, uint32_t size)
{
    LockedBlock locked(block);
    if (!locked)
        return 0;
    const int shift = StoreShift(store);
    const uint32_t now = RoundUpToGranule(locked.header()->size, shift);
    const uint32_t wanted = RoundUpToGranule(size, shift);
    return now == wanted ? 0 : wanted;
}

namespace {

// Reallocates a block's memory, zeroing what it grows by.
HGLOBAL ReallocZeroed(HGLOBAL block, uint32_t size)
{
    const SIZE_T before = GlobalSize(block);
    HGLOBAL again = SeamGlobalReAlloc(block, size, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!again)
        return nullptr;
    if (size > before) {
        LockedBlock locked(again);
        if (locked)
            memset(locked.bytes() + before, 0, size - before);
    }
    return again;
}

// Index blocks grow one entry at a time: their memory grows by half again so
// that a group of thousands of records is not copied on every insertion.
HGLOBAL ReallocWithSlack(HGLOBAL block, uint32_t size)
{
    const SIZE_T memory = GlobalSize(block);
    if (size <= memory && size >= memory / 2)
        return block;
    SIZE_T wanted = size;
    if (size > memory && size > 1024)
        wanted = size + size / 2;
    return ReallocZeroed(block, static_cast<uint32_t>(wanted));
}

void SetPlace(HGLOBAL block, int32_t offset, uint32_t size)
{
    LockedBlock locked(block);
    if (!locked)
        return;
    locked.header()->offset = offset;
    locked.header()->size = size;
    locked.header()->flags |= kBlockChanged;
}

} // namespace

ErrorCode store_impl::ResizeBlock(int store, HGLOBAL* block, uint32_t size, int32_t* offset) { return ResizeBlockIn(store, block, size, offset, false); }

ErrorCode store_impl::ResizeBlockIn(int store, HGLOBAL* block, uint32_t size, int32_t* offset, bool slack)
{
    if (size < static_cast<uint32_t>(kRecordHeaderSize))
        return kStoreErrTooSmall;
    if (size > kMaxBlockSize)
        return kStoreErrTooLarge;
    int32_t oldOffset = 0;
    uint32_t oldSize = 0;
    {
        LockedBlock locked(*block);
        if (!locked)
            return kErrNoMemory;
        oldOffset = locked.header()->offset;
        oldSize = locked.header()->size;
    }
    const bool moves = GetNewSpaceSize(store, *block, size) != 0;
    int32_t newOffset = oldOffset;
    // New space first, so that a failed reallocation has nothing to undo in memory.
    if (moves) {
        ErrorCode result = AllocSpace(store, size, &newOffset);
        if (result)
            return result;
    }
    HGLOBAL again = slack ? ReallocWithSlack(*block, size) : ReallocZeroed(*block, size);
    if (!again) {
        if (moves)
            DiscardError(FreeSpace(store, newOffset, size), "already failing for want of memory");
        return kErrNoMemory;
    }
    *block = again;
    SetPlace(again, newOffset, size);
    *offset = newOffset;
    if (moves)
        return FreeSpace(store, oldOffset, oldSize);
    return kErrNone;
}

ErrorCode store_impl::ShrinkBlock(int store, HGLOBAL* block, uint32_t size, int32_t* offset)
{
    int32_t oldOffset = 0;
    uint32_t oldSize = 0;
    {
        LockedBlock locked(*block);
        if (!locked)
            return kErrNoMemory;
        oldOffset = locked.header()->offset;
        oldSize = locked.header()->size;
    }
    const int shift = StoreShift(store);
    const bool moves = GetNewSpaceSize(store, *block, size) != 0;
    int32_t newOffset = oldOffset;
    bool inPlace = !moves;
    if (moves && AllocSpace(store, size, &newOffset)) {
        newOffset = oldOffset;
        inPlace = true;
    }
    // Memory that cannot be shrunk stays larger than the block; only the
    // header's size counts.
    if (HGLOBAL again = ReallocWithSlack(*block, size))
        *block = again;
    SetPlace(*block, newOffset, size);
    *offset = newOffset;
    if (!moves)
        return kErrNone;
    if (inPlace) {
        const uint32_t keep = RoundUpToGranule(size, shift);
        const uint32_t had = RoundUpToGranule(oldSize, shift);
        return keep < had ? FreeSpace(store, oldOffset + static_cast<int32_t>(keep), had - keep) : kErrNone;
    }
    return FreeSpace(store, oldOffset, oldSize);
}

ErrorCode store_impl::CheckFreeMapLists(FreeMapHeader* map, uint8_t* flags)
{
    const FreeExtent* bySize = BySizeList(map);
    const FreeExtent* byOffset = ByOffsetList(map);
    const int count = map->count;
    bool sorted = true;
    for (int i = 1; i < count && sorted; ++i)
        sorted = byOffset[i].offset > byOffset[i - 1].offset;
    for (int i = 0; i < count; ++i) {
        int at = -1;
        if (sorted) {
            bool found = false;
            at = SearchExtentsByOffset(map, bySize[i].offset, &found);
            if (!found)
                at = -1;
        } else {
            for (int j = 0; j < count && at < 0; ++j)
                if (byOffset[j].offset == bySize[i].offset)
                    at = j;
        }
        if (at < 0)
            return kStoreErrFreeMap;
        if (byOffset[at].size != bySize[i].size)
            return kStoreErrSizeMismatch;
        if (flags[at])
            return kStoreErrSameOffset;
        flags[at] = 1;
        if (bySize[i].size < (i > 0 ? bySize[i - 1].size : 0))
            return kStoreErrSizeOrder;
        if (byOffset[i].offset <= (i > 0 ? byOffset[i - 1].offset : 0))
            return kStoreErrOffsetOrder;
    }
    return kErrNone;
}

void store_impl::RebuildFreeMap(int store, const PlacedBlock* blocks, int count)
{
    uint32_t token = 0;
    if (FetchFreeMap(store, &token))
        return;
    LockedBlock locked(TokenHandle(token));
    if (!locked)
        return;
    FreeMapHeader* map = reinterpret_cast<FreeMapHeader*>(locked.bytes());
    const int shift = StoreShift(store);
    std::vector<FreeExtent> gaps;
    int64_t end = count > 0 ? blocks[0].offset : map->endOfData;
    for (int i = 0; i <= count; ++i) {
        const int64_t next = i < count ? blocks[i].offset : map->endOfData;
        if (next > end)
            gaps.push_back(FreeExtent{static_cast<int32_t>(end), static_cast<int32_t>(next - end)});
        if (i < count)
            end = std::max<int64_t>(end, static_cast<int64_t>(blocks[i].offset) + RoundUpToGranule(blocks[i].size, shift));
    }
    // Keep the largest gaps when they do not all fit.
    std::stable_sort(gaps.begin(), gaps.end(), [](const FreeExtent& a, const FreeExtent& b) { return a.size < b.size; });
    int32_t lost = 0;
    size_t first = 0;
    if (gaps.size() > static_cast<size_t>(map->capacity)) {
        first = gaps.size() - static_cast<size_t>(map->capacity);
        for (size_t i = 0; i < first; ++i)
            lost += gaps[i].size;
    }
    std::vector<FreeExtent> kept(gaps.begin() + static_cast<std::ptrdiff_t>(first), gaps.end());
    map->count = static_cast<int16_t>(kept.size());
    map->lostBytes = lost;
    std::copy(kept.begin(), kept.end(), BySizeList(map));
    std::sort(kept.begin(), kept.end(), [](const FreeExtent& a, const FreeExtent& b) { return a.offset < b.offset; });
    std::copy(kept.begin(), kept.end(), ByOffsetList(map));
    map->header.flags |= kBlockChanged;
}
