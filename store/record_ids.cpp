// Free ids of a group and enumeration of groups and records.
#include "store/store_internal.h"

using namespace store_impl;

namespace {

// The group block of the main tree, locked for reading.
ErrorCode FetchMainGroup(int store, int16_t group, uint32_t* token)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    uint32_t root = 0;
    result = FetchRoot(store, kMainRootKey, &root);
    if (result)
        return result;
    int position = 0;
    return LoadIndexChild(store, root, group, token, &position);
}

} // namespace

ErrorCode FindFreeId(int store, short group, short* id)
{
    uint32_t token = 0;
    ErrorCode result = FetchMainGroup(store, group, &token);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(token));
    if (!locked)
        return kErrNoMemory;
    const int count = IndexCount(locked.bytes());
    const IndexEntry* entries = IndexEntries(locked.bytes());
    if (count >= 32767)
        return kStoreErrLimit;
    if (count == 0) {
        *id = 0;
        return kErrNone;
    }
    const int last = entries[count - 1].key;
    if (last < 32767) {
        *id = static_cast<short>(last + 1);
        return kErrNone;
    }
    const int start = entries[0].key < 0 ? entries[0].key : 0;
    for (int i = 0; i < count; ++i) {
        if (entries[i].key != start + i) {
            *id = static_cast<short>(start + i);
            return kErrNone;
        }
    }
    return kStoreErrLimit;
}

ErrorCode FindFreeIdRun(int store, short group, int count, short* id)
{
    uint32_t token = 0;
    ErrorCode result = FetchMainGroup(store, group, &token);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(token));
    if (!locked)
        return kErrNoMemory;
    const int keys = IndexCount(locked.bytes());
    const IndexEntry* entries = IndexEntries(locked.bytes());
    if (count < 1)
        count = 1;
    if (keys + count >= 32768)
        return kStoreErrLimit;
    if (keys == 0) {
        *id = 0;
        return kErrNone;
    }
    const int last = entries[keys - 1].key;
    if (last + count <= 32767) {
        *id = static_cast<short>(last + 1);
        return kErrNone;
    }
    // The first gap between taken ids that holds the whole run.
    int candidate = entries[0].key < 0 ? entries[0].key : 0;
    for (int i = 0; i < keys; ++i) {
        const int key = entries[i].key;
        if (key - candidate >= count) {
            *id = static_cast<short>(candidate);
            return kErrNone;
        }
        if (key + 1 > candidate)
            candidate = key + 1;
    }
    if (32767 - candidate + 1 >= count) {
        *id = static_cast<short>(candidate);
        return kErrNone;
    }
    return kStoreErrLimit;
}

ErrorCode CountGroups(int store, int* count)
{
    *count = 0;
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    uint32_t root = 0;
    result = FetchRoot(store, kMainRootKey, &root);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(root));
    if (!locked)
        return kErrNoMemory;
    *count = IndexCount(locked.bytes());
    return kErrNone;
}

ErrorCode GetGroupIdAt(int store, int index, short* group)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    uint32_t root = 0;
    result = FetchRoot(store, kMainRootKey, &root);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(root));
    if (!locked)
        return kErrNoMemory;
    if (index < 0 || index >= IndexCount(locked.bytes()))
        return kStoreErrEnumRange;
    *group = IndexEntries(locked.bytes())[index].key;
    return kErrNone;
}

ErrorCode CountGroupRecords(int store, short group, int* count)
{
    *count = 0;
    uint32_t token = 0;
    ErrorCode result = FetchMainGroup(store, group, &token);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(token));
    if (!locked)
        return kErrNoMemory;
    *count = IndexCount(locked.bytes());
    return kErrNone;
}

ErrorCode GetGroupRecordId(int store, short group, int index, short* id)
{
    uint32_t token = 0;
    ErrorCode result = FetchMainGroup(store, group, &token);
    if (result)
        return result;
    LockedBlock locked(TokenHandle(token));
    if (!locked)
        return kErrNoMemory;
    if (index < 0 || index >= IndexCount(locked.bytes()))
        return kStoreErrEnumRange;
    *id = IndexEntries(locked.bytes())[index].key;
    return kErrNone;
}
