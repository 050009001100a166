// Checkpoints: while one is open the shadow tree keeps what each touched
// record or group was before the step (a copy, the old file space of a
// deleted record, or a placeholder for something new). Undo exchanges the
// shadow entries with the main ones; with the checkpoint kept open the next
// exchange is the redo. Committing frees the shadow tree.
#include "store/store_internal.h"

using namespace store_impl;

ErrorCode store_impl::EnsureShadowGroup(int store, int16_t group, bool markNew)
{
    EntryRef ref = {};
    bool found = false;
    ErrorCode result = FindGroupEntry(store, kShadowRootKey, group, &ref, &found);
    if (result || found)
        return result;
    HGLOBAL block = nullptr;
    result = InsertBlock(store, kRootParent, kShadowRootKey, group, IndexBlockSize(0), &block, 0);
    if (result)
        return result;
    if (markNew)
        SetBlockFlag(block, kBlockPlaceholder, true);
    return kErrNone;
}

ErrorCode store_impl::SaveBeforeImage(int store, int16_t group, int16_t id, HGLOBAL record)
{
    EntryRef groupRef = {};
    bool found = false;
    ErrorCode result = FindGroupEntry(store, kShadowRootKey, group, &groupRef, &found);
    if (result)
        return result;
    if (!found)
        return kStoreErrNotFound;
    uint32_t shadowGroup = 0;
    result = FetchBlock(groupRef, kShadowRootKey, &shadowGroup);
    if (result)
        return result;
    {
        LockedBlock locked(TokenHandle(shadowGroup));
        if (!locked)
            return kErrNoMemory;
        // A group made in this step vanishes whole on undo: its records need
        // no before-images.
        if (locked.header()->flags & kBlockPlaceholder)
            return kErrNone;
        SearchIndexBlock(locked.bytes(), id, &found);
        if (found)
            return kErrNone;
    }
    uint32_t size = kRecordHeaderSize;
    if (record) {
        size = QueryRecordSize(record);
        if (size < static_cast<uint32_t>(kRecordHeaderSize))
            return kStoreErrTooSmall;
        if (GlobalSize(record) < size)
            return kStoreErrShortMemory;
    }
    HGLOBAL image = nullptr;
    result = InsertBlock(store, kShadowRootKey, group, id, size, &image, 0);
    if (result)
        return result;
    if (record)
        return CopyRecordPayload(record, image, size);
    SetBlockFlag(image, kBlockPlaceholder, true);
    return kErrNone;
}

ErrorCode store_impl::FreeShadowTree(int store, const EntryRef& ref, int16_t parentKey, int depth, bool emptyRoot, bool freeThis,
                         bool goesAway)
{
    ErrorCode result = kErrNone;
    if (depth > 0) {
        uint32_t token = 0;
        ErrorCode fetched = FetchBlock(ref, parentKey, &token);
        if (fetched)
            return fetched;
        const int16_t key = ReadEntry(ref).key;
        int count = 0;
        {
            LockedBlock locked(TokenHandle(token));
            count = IndexCount(locked.bytes());
        }
        // Freed entries leave the block at once, so a failure part way leaves
        // only what is still whole.
        int kept = 0;
        for (int i = 0; i < count; ++i) {
            ErrorCode freed = FreeShadowTree(store, EntryRef{store, token, i}, key, depth - 1, false, true, false);
            if (freed) {
                result = freed;
                LockedBlock locked(TokenHandle(token));
                IndexEntries(locked.bytes())[kept] = IndexEntries(locked.bytes())[i];
                ++kept;
            }
        }
        {
            LockedBlock locked(TokenHandle(token));
            SetIndexCount(locked.bytes(), kept);
            locked.header()->flags |= kBlockChanged;
        }
        const bool blockStays = emptyRoot || result || !(freeThis || goesAway);
        if (kept != count && blockStays) {
            ErrorCode shrunk = ShrinkEntryBlock(ref, IndexBlockSize(kept));
            if (!result)
                result = shrunk;
        }
    }
    if (emptyRoot || !freeThis || result)
        return result;
    const IndexEntry entry = ReadEntry(ref);
    result = FreeSpace(store, entry.offset, entry.size);
    if (result)
        return result;
    DropEntryBlock(ref);
    StoreSlot(store)->blockCount--;
    MarkHeaderChanged(store);
    return kErrNone;
}

void store_impl::SwapIndexEntries(const EntryRef& mainEntry, const EntryRef& shadowEntry, bool groups)
{
    const IndexEntry main = ReadEntry(mainEntry);
    const IndexEntry shadow = ReadEntry(shadowEntry);
    WriteEntry(mainEntry, shadow);
    WriteEntry(shadowEntry, main);
    MarkHolderChanged(mainEntry);
    MarkHolderChanged(shadowEntry);
    if (!groups)
        return;
    if (HGLOBAL nowMain = TokenHandle(shadow.handle)) {
        LockedBlock locked(nowMain);
        locked.header()->parent = kMainRootKey;
        locked.header()->flags |= kBlockChanged;
    }
    if (HGLOBAL nowShadow = TokenHandle(main.handle)) {
        LockedBlock locked(nowShadow);
        locked.header()->parent = kShadowRootKey;
        locked.header()->flags |= kBlockChanged;
    }
}

namespace {

int FindInBlock(uint32_t token, int16_t key, bool* found)
{
    LockedBlock locked(TokenHandle(token));
    if (!locked) {
        *found = false;
        return 0;
    }
    return SearchIndexBlock(locked.bytes(), key, found);
}

void SetEntryInUse(const EntryRef& ref, bool on)
{
    if (HGLOBAL block = EntryBlock(ref)) {
        SetBlockFlag(block, kBlockInUse, on);
        if (on)
            MarkBlockChanged(block);
    }
}

} // namespace

ErrorCode store_impl::SwapIndexTrees(int store, const EntryRef& mainRef, const EntryRef& shadowRef, bool keep, bool groupLevel)
{
    const int16_t mainExpected = groupLevel ? kRootParent : kMainRootKey;
    const int16_t shadowExpected = groupLevel ? kRootParent : kShadowRootKey;
    const int16_t group = ReadEntry(shadowRef).key;
    const int16_t mainChildParent = groupLevel ? kMainRootKey : group;
    const int16_t shadowChildParent = groupLevel ? kShadowRootKey : group;
    // Where removals and insertions go: groups under a root, records in their group.
    const int16_t mainTree = groupLevel ? kRootParent : kMainRootKey;
    const int16_t shadowTree = groupLevel ? kRootParent : kShadowRootKey;
    const int16_t mainParent = groupLevel ? kMainRootKey : group;
    const int16_t shadowParent = groupLevel ? kShadowRootKey : group;

    uint32_t shadowToken = 0;
    ErrorCode result = FetchBlock(shadowRef, shadowExpected, &shadowToken);
    if (result)
        return result;
    int count = 0;
    {
        LockedBlock locked(TokenHandle(shadowToken));
        count = IndexCount(locked.bytes());
    }
    for (int i = count - 1; i >= 0; --i) {
        result = FetchBlock(shadowRef, shadowExpected, &shadowToken);
        if (result)
            return result;
        const EntryRef shadowChild = {store, shadowToken, i};
        const int16_t key = ReadEntry(shadowChild).key;
        uint32_t shadowBlock = 0;
        result = FetchBlock(shadowChild, shadowChildParent, &shadowBlock);
        if (result)
            return result;
        uint32_t mainToken = 0;
        result = FetchBlock(mainRef, mainExpected, &mainToken);
        if (result)
            return result;
        bool inMain = false;
        EntryRef mainChild = {store, mainToken, FindInBlock(mainToken, key, &inMain)};
        if (inMain) {
            uint32_t mainBlock = 0;
            result = FetchBlock(mainChild, mainChildParent, &mainBlock);
            if (result)
                return result;
        }
        const bool placeholder = (BlockFlags(TokenHandle(shadowBlock)) & kBlockPlaceholder) != 0;
        HGLOBAL removed = nullptr;

        if (placeholder && !inMain) {
            if (!keep)
                continue;
            if (groupLevel) {
                result = FreeShadowTree(store, shadowChild, shadowChildParent, 1, false, false, true);
                if (result)
                    return result;
            }
            result = RemoveBlock(store, shadowTree, shadowParent, key, &removed);
            if (result)
                return result;
            FreeBlockMemory(removed);
        } else if (placeholder) {
            // The thing made in the step leaves the main tree; with keep it
            // moves to the shadow tree for the redo and the placeholder goes.
            if (keep)
                SwapIndexEntries(mainChild, shadowChild, groupLevel);
            if (groupLevel) {
                result = FreeShadowTree(store, mainChild, mainChildParent, 1, false, false, true);
                if (result)
                    return result;
            }
            result = RemoveBlock(store, mainTree, mainParent, key, &removed);
            if (result)
                return result;
            FreeBlockMemory(removed);
        } else if (!inMain) {
            HGLOBAL stand = nullptr;
            result = InsertBlock(store, mainTree, mainParent, key, IndexBlockSize(0), &stand, 0);
            if (result)
                return result;
            SetBlockFlag(stand, kBlockPlaceholder, true);
            bool found = false;
            mainChild.position = FindInBlock(mainToken, key, &found);
            SwapIndexEntries(mainChild, shadowChild, groupLevel);
        } else if (groupLevel) {
            SetEntryInUse(mainChild, true);
            SetEntryInUse(shadowChild, true);
            result = SwapIndexTrees(store, mainChild, shadowChild, keep, false);
            SetEntryInUse(mainChild, false);
            SetEntryInUse(shadowChild, false);
            if (result)
                return result;
        } else {
            SwapIndexEntries(mainChild, shadowChild, false);
        }
    }
    return kErrNone;
}

ErrorCode BeginCheckpoint(int store)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    // Leftovers of a commit that failed part way must not become the new
    // step's before-images.
    StoreHeader* slot = StoreSlot(store);
    if ((slot->flags & kSlotCheckpoint) || slot->shadowRoot.size > static_cast<uint32_t>(kIndexBlockHeaderSize)) {
        result = CommitCheckpoint(store);
        if (result)
            return result;
    }
    slot->flags |= kSlotCheckpoint;
    MarkHeaderChanged(store);
    return kErrNone;
}

ErrorCode CommitCheckpoint(int store)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    result = FreeShadowTree(store, RootRef(store, kShadowRootKey), kRootParent, 2, true, false, false);
    StoreSlot(store)->flags &= static_cast<uint16_t>(~kSlotCheckpoint);
    MarkHeaderChanged(store);
    return result;
}

ErrorCode SwapCheckpoint(int store, BOOL keep)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    StoreHeader* slot = StoreSlot(store);
    if ((slot->flags & kSlotCheckpoint) == 0)
        return kStoreErrNoCheckpoint;
    // The exchange itself keeps no before-images.
    slot->flags &= static_cast<uint16_t>(~kSlotCheckpoint);
    const EntryRef mainRoot = RootRef(store, kMainRootKey);
    const EntryRef shadowRoot = RootRef(store, kShadowRootKey);
    uint32_t token = 0;
    result = FetchBlock(mainRoot, kRootParent, &token);
    if (!result)
        result = FetchBlock(shadowRoot, kRootParent, &token);
    if (!result) {
        SetEntryInUse(mainRoot, true);
        SetEntryInUse(shadowRoot, true);
        result = SwapIndexTrees(store, mainRoot, shadowRoot, keep != FALSE, true);
        SetEntryInUse(mainRoot, false);
        SetEntryInUse(shadowRoot, false);
    }
    MarkHeaderChanged(store);
    if (result || !keep) {
        ErrorCode committed = CommitCheckpoint(store);
        return result ? result : committed;
    }
    StoreSlot(store)->flags |= kSlotCheckpoint;
    return kErrNone;
}
