// Creating and deleting whole groups.
#include "store/store_internal.h"

using namespace store_impl;

ErrorCode CreateGroup(int store, short group)
{
    if (group < 0)
        return kStoreErrNegativeGroup;
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    // An existing group is refused before anything is noted for undo.
    EntryRef ref = {};
    bool found = false;
    result = FindGroupEntry(store, kMainRootKey, group, &ref, &found);
    if (result)
        return result;
    if (found)
        return kStoreErrExists;
    if (IsCheckpointFlagSet(store)) {
        result = EnsureShadowGroup(store, group, true);
        if (result)
            return result;
    }
    HGLOBAL block = nullptr;
    return InsertBlock(store, kRootParent, kMainRootKey, group, IndexBlockSize(0), &block, 0);
}

namespace {

// Drops the placeholders of records made in this step from a shadow group
// whose group is leaving the main tree: an undo must bring back only what
// existed when the step began.
ErrorCode DropShadowPlaceholders(int store, int16_t group)
{
    EntryRef groupRef = {};
    bool found = false;
    ErrorCode result = FindGroupEntry(store, kShadowRootKey, group, &groupRef, &found);
    if (result || !found)
        return result;
    uint32_t shadowGroup = 0;
    result = FetchBlock(groupRef, kShadowRootKey, &shadowGroup);
    if (result)
        return result;
    if (BlockFlags(TokenHandle(shadowGroup)) & kBlockPlaceholder)
        return kErrNone;
    int count = 0;
    {
        LockedBlock locked(TokenHandle(shadowGroup));
        count = IndexCount(locked.bytes());
    }
    for (int i = count - 1; i >= 0; --i) {
        const EntryRef recordRef = {store, shadowGroup, i};
        uint32_t record = 0;
        result = FetchBlock(recordRef, group, &record);
        if (result)
            return result;
        if ((BlockFlags(TokenHandle(record)) & kBlockPlaceholder) == 0)
            continue;
        const int16_t key = ReadEntry(recordRef).key;
        HGLOBAL removed = nullptr;
        result = RemoveBlock(store, kShadowRootKey, group, key, &removed);
        if (result)
            return result;
        FreeBlockMemory(removed);
    }
    return kErrNone;
}

} // namespace

ErrorCode DeleteGroup(int store, short group)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    EntryRef groupRef = {};
    bool found = false;
    result = FindGroupEntry(store, kMainRootKey, group, &groupRef, &found);
    if (result)
        return result;
    if (!found)
        return kStoreErrNotFound;
    uint32_t groupToken = 0;
    result = FetchBlock(groupRef, kMainRootKey, &groupToken);
    if (result)
        return result;
    const bool checkpoint = IsCheckpointFlagSet(store);
    if (checkpoint) {
        result = EnsureShadowGroup(store, group, false);
        if (result)
            return result;
    }
    // Each record goes the way a single delete goes (its before-image kept
    // during a checkpoint); a failure part way leaves the rest in place.
    for (;;) {
        int16_t key = 0;
        {
            LockedBlock locked(TokenHandle(groupToken));
            if (!locked)
                return kErrNoMemory;
            const int count = IndexCount(locked.bytes());
            if (count == 0)
                break;
            key = IndexEntries(locked.bytes())[count - 1].key;
        }
        HGLOBAL removed = nullptr;
        result = RemoveBlock(store, kMainRootKey, group, key, &removed);
        if (result)
            return result;
        FreeBlockMemory(removed);
    }
    if (checkpoint) {
        result = DropShadowPlaceholders(store, group);
        if (result)
            return result;
    }
    HGLOBAL removed = nullptr;
    result = RemoveBlock(store, kRootParent, kMainRootKey, group, &removed);
    FreeBlockMemory(removed);
    return result;
}
