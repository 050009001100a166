// The index: root blocks list groups, group blocks list records. Searching an
// index block, adding and removing one entry, and resizing the block an entry
// names. Each change either completes or leaves the store as it was.
#include "store/store_internal.h"

using namespace store_impl;

int store_impl::SearchIndexBlock(const uint8_t* block, int16_t key, bool* found)
{
    const IndexEntry* entries = IndexEntries(block);
    int low = 0;
    int high = IndexCount(block);
    while (low < high) {
        const int middle = (low + high) / 2;
        if (entries[middle].key < key)
            low = middle + 1;
        else
            high = middle;
    }
    *found = low < IndexCount(block) && entries[low].key == key;
    return low;
}

void store_impl::SetIndexEntry(IndexEntry* entry, int16_t key, int32_t offset, uint32_t size, uint32_t token)
{
    entry->key = key;
    entry->offset = offset;
    entry->size = size;
    entry->handle = token;
    if (HGLOBAL block = TokenHandle(token)) {
        LockedBlock locked(block);
        if (locked) {
            locked.header()->offset = offset;
            locked.header()->size = size;
        }
    }
}

void store_impl::SetRecordHeader(HGLOBAL handle, int16_t key, int16_t parent, int32_t offset, uint32_t size, int16_t store,
                     uint16_t flags)
{
    LockedBlock locked(handle);
    if (!locked)
        return;
    *locked.header() = RecordHeader{key, parent, store, offset, size, flags};
}

ErrorCode store_impl::FetchRoot(int store, int16_t rootKey, uint32_t* token)
{
    return FetchBlock(RootRef(store, rootKey), kRootParent, token);
}

ErrorCode store_impl::LoadIndexChild(int store, uint32_t blockToken, int16_t key, uint32_t* child, int* position)
{
    *child = 0;
    int16_t blockKey = 0;
    bool found = false;
    {
        LockedBlock block(TokenHandle(blockToken));
        if (!block)
            return kErrNoMemory;
        blockKey = block.header()->key;
        *position = SearchIndexBlock(block.bytes(), key, &found);
    }
    if (!found)
        return kStoreErrNotFound;
    return FetchBlock(EntryRef{store, blockToken, *position}, blockKey, child);
}

ErrorCode store_impl::FindGroupEntry(int store, int16_t tree, int16_t group, EntryRef* ref, bool* found)
{
    uint32_t root = 0;
    *found = false;
    ErrorCode result = FetchRoot(store, tree, &root);
    if (result)
        return result;
    LockedBlock block(TokenHandle(root));
    if (!block)
        return kErrNoMemory;
    *ref = EntryRef{store, root, SearchIndexBlock(block.bytes(), group, found)};
    return kErrNone;
}

namespace {

// The entry naming the parent block of an insertion or removal, and the
// parent key that block carries.
ErrorCode LocateParent(int store, int16_t tree, int16_t parent, EntryRef* ref, int16_t* expected)
{
    if (tree == kRootParent) {
        if (parent != kMainRootKey && parent != kShadowRootKey)
            return kStoreErrNoEntry;
        *ref = RootRef(store, parent);
        *expected = kRootParent;
        return kErrNone;
    }
    if (tree != kMainRootKey && tree != kShadowRootKey)
        return kStoreErrNoEntry;
    bool found = false;
    ErrorCode result = FindGroupEntry(store, tree, parent, ref, &found);
    if (result)
        return result;
    if (!found)
        return kStoreErrNotFound;
    *expected = tree;
    return kErrNone;
}

uint32_t BlockHeaderSize(HGLOBAL block)
{
    LockedBlock locked(block);
    return locked ? locked.header()->size : 0;
}

// Copies the block's new place into its entry, whatever the resize did.
void UpdateEntryFromBlock(const EntryRef& ref, HGLOBAL block)
{
    IndexEntry entry = ReadEntry(ref);
    SetTokenHandle(entry.handle, block);
    LockedBlock locked(block);
    if (locked) {
        entry.offset = locked.header()->offset;
        entry.size = locked.header()->size;
    }
    locked.Unlock();
    WriteEntry(ref, entry);
    MarkHolderChanged(ref);
}

} // namespace

ErrorCode store_impl::ResizeEntryBlock(const EntryRef& ref, uint32_t size)
{
    HGLOBAL block = EntryBlock(ref);
    if (!block)
        return kErrNoMemory;
    int32_t offset = 0;
    ErrorCode result = ResizeBlockIn(ref.store, &block, size, &offset, true);
    UpdateEntryFromBlock(ref, block);
    return result;
}

ErrorCode store_impl::ShrinkEntryBlock(const EntryRef& ref, uint32_t size)
{
    HGLOBAL block = EntryBlock(ref);
    if (!block)
        return kErrNoMemory;
    int32_t offset = 0;
    ErrorCode result = ShrinkBlock(ref.store, &block, size, &offset);
    UpdateEntryFromBlock(ref, block);
    return result;
}

ErrorCode store_impl::InsertBlock(int store, int16_t tree, int16_t parent, int16_t key, uint32_t size, HGLOBAL* block,
                      int32_t offset)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    HGLOBAL given = block ? *block : nullptr;
    if (given) {
        const SIZE_T memory = GlobalSize(given);
        size = memory > kMaxBlockSize ? kMaxBlockSize + 1 : static_cast<uint32_t>(memory);
    }
    if (size < static_cast<uint32_t>(kRecordHeaderSize))
        return kStoreErrTooSmall;
    if (size > kMaxBlockSize)
        return kStoreErrTooLarge;
    StoreHeader* slot = StoreSlot(store);
    if (slot->blockCount + 1 > slot->blockLimit)
        return kStoreErrLimit;

    EntryRef parentRef = {};
    int16_t expected = 0;
    result = LocateParent(store, tree, parent, &parentRef, &expected);
    if (result)
        return result;
    uint32_t parentToken = 0;
    result = FetchBlock(parentRef, expected, &parentToken);
    if (result)
        return result;
    int count = 0;
    int position = 0;
    {
        LockedBlock locked(TokenHandle(parentToken));
        if (!locked)
            return kErrNoMemory;
        if (locked.header()->flags & kBlockPlaceholder)
            return kStoreErrExists;
        count = IndexCount(locked.bytes());
        if (count >= kMaxIndexEntries)
            return kStoreErrIndexFull;
        bool found = false;
        position = SearchIndexBlock(locked.bytes(), key, &found);
        if (found)
            return kStoreErrExists;
    }

    HGLOBAL newBlock = given;
    bool allocated = false;
    int32_t at = offset;
    if (offset == 0) {
        if (!newBlock) {
            newBlock = AllocBlockMemory(size);
            if (!newBlock)
                return kErrNoMemory;
            allocated = true;
        }
        result = AllocSpace(store, size, &at);
        if (result) {
            if (allocated)
                FreeBlockMemory(newBlock);
            return result;
        }
    }

    const uint32_t grown = IndexBlockSize(count + 1);
    result = ResizeEntryBlock(parentRef, grown);
    if (BlockHeaderSize(TokenHandle(parentToken)) != grown) {
        // The parent could not grow: give back what was taken for the child.
        if (offset == 0)
            DiscardError(FreeSpace(store, at, size), "already failing: the parent could not grow");
        if (allocated)
            FreeBlockMemory(newBlock);
        return result ? result : kErrNoMemory;
    }
    {
        LockedBlock locked(TokenHandle(parentToken));
        IndexEntry* entries = IndexEntries(locked.bytes());
        memmove(entries + position + 1, entries + position, static_cast<size_t>(count - position) * sizeof(IndexEntry));
        SetIndexEntry(entries + position, key, at, size, 0);
        SetIndexCount(locked.bytes(), count + 1);
    }
    if (newBlock) {
        SetEntryBlock(EntryRef{store, parentToken, position}, newBlock);
        SetRecordHeader(newBlock, key, parent, at, size, static_cast<int16_t>(store), kBlockChanged);
    }
    slot->blockCount++;
    MarkHeaderChanged(store);
    if (block)
        *block = newBlock;
    return result;
}

ErrorCode store_impl::RemoveBlock(int store, int16_t tree, int16_t parent, int16_t key, HGLOBAL* removed)
{
    if (removed)
        *removed = nullptr;
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    EntryRef parentRef = {};
    int16_t expected = 0;
    result = LocateParent(store, tree, parent, &parentRef, &expected);
    if (result)
        return result;
    uint32_t parentToken = 0;
    result = FetchBlock(parentRef, expected, &parentToken);
    if (result)
        return result;
    IndexEntry entry = {};
    {
        LockedBlock locked(TokenHandle(parentToken));
        if (!locked)
            return kErrNoMemory;
        bool found = false;
        const int position = SearchIndexBlock(locked.bytes(), key, &found);
        if (!found)
            return kStoreErrNoEntry;
        entry = IndexEntries(locked.bytes())[position];
    }
    HGLOBAL block = TokenHandle(entry.handle);

    if (IsCheckpointFlagSet(store) && tree == kMainRootKey) {
        // The record's own file space becomes its before-image, so the file
        // must hold its current contents first.
        if (block) {
            result = WriteRecordBlock(block);
            if (result)
                return result;
        }
        result = EnsureShadowGroup(store, parent, false);
        if (result)
            return result;
        HGLOBAL none = nullptr;
        result = InsertBlock(store, kShadowRootKey, parent, key, entry.size, &none, entry.offset);
        if (result == kStoreErrExists)
            result = FreeSpace(store, entry.offset, entry.size);
    } else {
        result = FreeSpace(store, entry.offset, entry.size);
    }
    if (result)
        return result;

    int count = 0;
    {
        LockedBlock locked(TokenHandle(parentToken));
        bool found = false;
        const int position = SearchIndexBlock(locked.bytes(), key, &found);
        count = IndexCount(locked.bytes());
        IndexEntry* entries = IndexEntries(locked.bytes());
        memmove(entries + position, entries + position + 1, static_cast<size_t>(count - position - 1) * sizeof(IndexEntry));
        --count;
        SetIndexCount(locked.bytes(), count);
    }
    FreeHandleToken(entry.handle);
    result = ShrinkEntryBlock(parentRef, IndexBlockSize(count));
    StoreHeader* slot = StoreSlot(store);
    slot->blockCount--;
    MarkHeaderChanged(store);
    if (removed)
        *removed = block;
    return result;
}
