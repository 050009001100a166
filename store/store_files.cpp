// Creating, opening, closing and forgetting store files.
#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "store/store_internal.h"

using namespace store_impl;

namespace {

void WriteRootBlock(uint8_t* bytes, int16_t key, int32_t offset)
{
    RecordHeader header = {key, kRootParent, 0, offset, static_cast<uint32_t>(kIndexBlockHeaderSize), 0};
    memcpy(bytes, &header, sizeof(header));
    SetIndexCount(bytes, 0);
}

ErrorCode WriteAt(HFILE file, LONG position, const void* bytes, UINT count)
{
    if (SeekFile(file, position, FILE_BEGIN) == HFILE_ERROR)
        return kErrFile;
    if (WriteFileBytes(file, bytes, count) != count)
        return kErrFile;
    return kErrNone;
}

ErrorCode WriteNewStoreParts(HFILE file, LONG baseOffset, int shift, int capacity, HGLOBAL mapBlock)
{
    const uint32_t mapSize = FreeMapSize(capacity);
    const int32_t mapOffset = static_cast<int32_t>(RoundUpToGranule(kStoreHeaderSize, shift));
    const int32_t mainRoot = static_cast<int32_t>(RoundUpToGranule(mapOffset + mapSize, shift));
    const int32_t shadowRoot = static_cast<int32_t>(RoundUpToGranule(mainRoot + kIndexBlockHeaderSize, shift));
    const int32_t endOfData = static_cast<int32_t>(RoundUpToGranule(shadowRoot + kIndexBlockHeaderSize, shift));

    StoreHeader header;
    memset(&header, 0, sizeof(header));
    header.version = kStoreVersion;
    header.secondWord = -1;
    header.baseOffset = baseOffset;
    header.shift = static_cast<int16_t>(shift);
    header.blockLimit = static_cast<int16_t>(kBlockLimitBase - capacity);
    header.mainRoot = IndexEntry{kMainRootKey, mainRoot, static_cast<uint32_t>(kIndexBlockHeaderSize), 0};
    header.shadowRoot = IndexEntry{kShadowRootKey, shadowRoot, static_cast<uint32_t>(kIndexBlockHeaderSize), 0};
    header.freeMapRoot = IndexEntry{kFreeMapKey, mapOffset, mapSize, 0};

    LockedBlock map(mapBlock);
    if (!map)
        return kErrNoMemory;
    FreeMapHeader* mapHeader = reinterpret_cast<FreeMapHeader*>(map.bytes());
    mapHeader->header = RecordHeader{kFreeMapKey, kRootParent, 0, mapOffset, mapSize, 0};
    mapHeader->capacity = static_cast<int16_t>(capacity);
    mapHeader->count = 0;
    mapHeader->lostBytes = 0;
    mapHeader->endOfData = endOfData;

    ErrorCode result = SetFileLength(file, baseOffset + endOfData);
    if (result)
        return result;
    result = WriteAt(file, baseOffset, &header, sizeof(header));
    if (!result)
        result = WriteAt(file, baseOffset + mapOffset, map.bytes(), mapSize);
    uint8_t root[kIndexBlockHeaderSize];
    if (!result) {
        WriteRootBlock(root, kMainRootKey, mainRoot);
        result = WriteAt(file, baseOffset + mainRoot, root, sizeof(root));
    }
    if (!result) {
        WriteRootBlock(root, kShadowRootKey, shadowRoot);
        result = WriteAt(file, baseOffset + shadowRoot, root, sizeof(root));
    }
    return result;
}

// Frees what an open loaded so far and gives the slot back.
void AbandonOpen(int store, bool closeFile)
{
    DropEntryBlock(RootRef(store, kMainRootKey));
    DropEntryBlock(RootRef(store, kShadowRootKey));
    DropEntryBlock(RootRef(store, kFreeMapKey));
    if (closeFile)
        CloseFile(StoreFile(store));
    SetStoreFile(store, HFILE_ERROR);
    memset(StoreSlot(store), 0, sizeof(StoreHeader));
}

// Frees every loaded block, closes the file and gives the slot back.
void ReleaseSlot(int store)
{
    DropJournal(store);
    FreeLoadedTree(RootRef(store, kFreeMapKey), 0);
    FreeLoadedTree(RootRef(store, kMainRootKey), 2);
    FreeLoadedTree(RootRef(store, kShadowRootKey), 2);
    CloseFile(StoreFile(store));
    SetStoreFile(store, HFILE_ERROR);
    memset(StoreSlot(store), 0, sizeof(StoreHeader));
}

// The header fields beyond the signature, checked before anything trusts them.
ErrorCode CheckHeaderFields(const StoreHeader& header)
{
    if (header.shift < 0 || header.shift > kMaxShift)
        return kStoreErrBadShift;
    if (header.blockLimit < 0 || header.blockLimit > kBlockLimitBase)
        return kStoreErrLimit;
    if (header.blockCount < 0)
        return kStoreErrBlockCount;
    if (header.mainRoot.key != kMainRootKey || header.shadowRoot.key != kShadowRootKey ||
        header.freeMapRoot.key != kFreeMapKey)
        return kStoreErrNoEntry;
    return kErrNone;
}

} // namespace

ErrorCode WriteNewStore(HFILE file, LONG baseOffset, int shift, int capacity)
{
    if (shift < 0 || shift > kMaxShift)
        return kStoreErrBadShift;
    if (capacity < 0)
        return kStoreErrTooSmall;
    if (capacity > kBlockLimitBase)
        return kStoreErrTooLarge;
    HGLOBAL mapBlock = AllocBlockMemory(FreeMapSize(capacity));
    if (!mapBlock)
        return kErrNoMemory;
    ErrorCode result = WriteNewStoreParts(file, baseOffset, shift, capacity, mapBlock);
    FreeBlockMemory(mapBlock);
    if (result)
        DiscardError(SetFileLength(file, baseOffset), "the write failure is the one passed up");
    return result;
}

ErrorCode CreateStoreFile(const char* name, LONG baseOffset, int shift, int capacity)
{
    // A journal of an earlier file of this name would be replayed over the new one.
    ErrorCode stale = DeleteStoreJournal(name);
    if (stale)
        return stale;
    HFILE file = OpenFileMode(name, nullptr, OF_CREATE | OF_READWRITE | OF_SHARE_EXCLUSIVE);
    if (file == HFILE_ERROR)
        return kErrFile;
    ErrorCode result = WriteNewStore(file, baseOffset, shift, capacity);
    CloseFile(file);
    if (result)
        OpenFileMode(name, nullptr, OF_DELETE);
    return result;
}

ErrorCode CreateStoreInFile(HFILE file, int* store, LONG baseOffset, int shift, int capacity)
{
    *store = -1;
    ErrorCode result = WriteNewStore(file, baseOffset, shift, capacity);
    if (result)
        return result;
    int secondWord = 0;
    return OpenStore(nullptr, file, store, baseOffset, &secondWord, FALSE);
}

ErrorCode OpenStore(const char* name, HFILE file, int* store, LONG baseOffset, int* secondWord, BOOL readOnly)
{
    *store = -1;
    const int slots = StoreSlotCount();
    int slot = 0;
    while (slot < slots && StoreSlot(slot)->flags != 0)
        ++slot;
    if (slot >= slots)
        return kStoreErrNoFreeSlot;
    *store = slot;

    const bool ownFile = name != nullptr;
    if (ownFile) {
        ErrorCode rolledBack = RollBackStoreJournal(name);
        if (rolledBack)
            return rolledBack;
        const UINT mode = readOnly ? (OF_READ | OF_SHARE_DENY_NONE) : (OF_READWRITE | OF_SHARE_DENY_WRITE);
        file = OpenFileMode(name, nullptr, mode);
        if (file == HFILE_ERROR)
            return kErrFile;
    }

    StoreHeader header;
    memset(&header, 0, sizeof(header));
    ErrorCode result = kErrNone;
    UINT got = 0;
    if (SeekFile(file, baseOffset, FILE_BEGIN) == HFILE_ERROR)
        result = kErrFile;
    else {
        got = ReadFileBytes(file, &header, sizeof(header));
        if (got == static_cast<UINT>(HFILE_ERROR))
            result = kErrFile;
    }
    if (!result) {
        // A short file is refused by what its first words say.
        if (got < 4 || header.version != kStoreVersion)
            result = kStoreErrNotStore;
        else if (got < sizeof(header))
            result = header.secondWord != -1 ? kStoreErrNotStore : kStoreErrFileLength;
        else if (header.baseOffset != baseOffset)
            result = kStoreErrBaseMismatch;
        else if (header.secondWord != -1)
            result = kStoreErrNotStore;
        else
            result = CheckHeaderFields(header);
    }
    if (result) {
        if (ownFile)
            CloseFile(file);
        return result;
    }
    *secondWord = header.secondWord;

    StoreHeader* target = StoreSlot(slot);
    memcpy(target, &header, sizeof(header));
    target->flags = static_cast<uint16_t>(((header.flags & kSlotCheckpoint) ? (kSlotOpen | kSlotCheckpoint) : kSlotOpen) |
                                          (readOnly ? kSlotReadOnly : 0));
    target->fileHandle = 0;
    target->mainRoot.handle = 0;
    target->shadowRoot.handle = 0;
    target->freeMapRoot.handle = 0;
    SetStoreFile(slot, file);
    AttachJournal(slot, ownFile && !readOnly ? name : nullptr);

    LONG length = 0;
    result = GetFileLength(file, &length);
    if (!result) {
        SetStoreFileLength(slot, length);
        result = LoadBlock(RootRef(slot, kFreeMapKey), kRootParent);
    }
    if (!result)
        result = LoadBlock(RootRef(slot, kMainRootKey), kRootParent);
    if (result) {
        DropJournal(slot);
        AbandonOpen(slot, ownFile);
        return result;
    }
    return kErrNone;
}

ErrorCode OpenStoreByName(const char* name, int* store, LONG baseOffset, int* secondWord, BOOL readOnly)
{
    return OpenStore(name, HFILE_ERROR, store, baseOffset, secondWord, readOnly);
}

ErrorCode OpenStoreInFile(HFILE file, int* store, LONG baseOffset, int* secondWord)
{
    return OpenStore(nullptr, file, store, baseOffset, secondWord, FALSE);
}

ErrorCode CloseStore(int store)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    result = FlushStore(store, TRUE);
    if (result)
        return result;
    ReleaseSlot(store);
    return kErrNone;
}

void AbandonStore(int store)
{
    if (CheckStoreIndex(store))
        return;
    ReleaseSlot(store);
}

ErrorCode CloseOrAbandonStore(int store)
{
    const ErrorCode result = CloseStore(store);
    if (result)
        AbandonStore(store);
    return result;
}

void ForgetStore(int store)
{
    if (store < 0 || store >= StoreSlotCount())
        return;
    DropJournal(store);
    StoreSlot(store)->flags = 0;
}
