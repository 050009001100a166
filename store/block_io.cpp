// Reading one block from the store's file into memory, with every field that
// came from the file checked before use, and writing changed blocks back.
// Memory-only fields (store index, handle tokens, the file handle) are written
// as zeros so that the file's bytes do not depend on the session.
#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "store/store_internal.h"

using namespace store_impl;

namespace {

// Large blocks go in pieces: 32 KB while more than 65,500 bytes remain.
const uint32_t kPieceLimit = 65500;
const uint32_t kPieceSize = 32768;
uint8_t writeScratch[kPieceLimit + 36];

enum class BlockKind { FreeMap, Root, Group, Record };

BlockKind KindOf(int16_t expectedParent, int16_t key)
{
    if (expectedParent == kRootParent)
        return key == kFreeMapKey ? BlockKind::FreeMap : BlockKind::Root;
    if (expectedParent == kMainRootKey || expectedParent == kShadowRootKey)
        return BlockKind::Group;
    return BlockKind::Record;
}

bool IsIndexBlockHeader(const RecordHeader* header)
{
    if (header->parent == kRootParent)
        return header->key == kMainRootKey || header->key == kShadowRootKey;
    return header->parent == kMainRootKey || header->parent == kShadowRootKey;
}

void ZeroRange(uint8_t* piece, uint32_t pieceStart, uint32_t pieceSize, uint32_t from, uint32_t count)
{
    const uint32_t start = from > pieceStart ? from : pieceStart;
    const uint32_t end = from + count < pieceStart + pieceSize ? from + count : pieceStart + pieceSize;
    if (start < end)
        memset(piece + (start - pieceStart), 0, end - start);
}

// Clears the memory-only fields that fall in one piece of a block.
void ScrubPiece(uint8_t* piece, uint32_t pieceStart, uint32_t pieceSize, bool indexBlock, uint32_t blockSize)
{
    ZeroRange(piece, pieceStart, pieceSize, offsetof(RecordHeader, storeIndex), 2);
    if (!indexBlock)
        return;
    const uint32_t pieceEnd = pieceStart + pieceSize;
    uint32_t first = 0;
    if (pieceStart > static_cast<uint32_t>(kIndexBlockHeaderSize + kIndexEntrySize))
        first = (pieceStart - kIndexBlockHeaderSize) / kIndexEntrySize - 1;
    for (uint32_t i = first;; ++i) {
        const uint32_t at = kIndexBlockHeaderSize + kIndexEntrySize * i + offsetof(IndexEntry, handle);
        if (at >= pieceEnd || at + 4 > blockSize)
            break;
        ZeroRange(piece, pieceStart, pieceSize, at, 4);
    }
}

ErrorCode WriteBlockBytes(HFILE file, LONG position, const uint8_t* bytes, uint32_t size, bool indexBlock)
{
    if (SeekFile(file, position, FILE_BEGIN) == HFILE_ERROR)
        return kErrFile;
    uint32_t done = 0;
    while (done < size) {
        const uint32_t remaining = size - done;
        const uint32_t piece = remaining > kPieceLimit ? kPieceSize : remaining;
        memcpy(writeScratch, bytes + done, piece);
        ScrubPiece(writeScratch, done, piece, indexBlock, size);
        if (WriteFileBytes(file, writeScratch, piece) != piece)
            return kErrFile;
        done += piece;
    }
    return kErrNone;
}

// Hooks for the moments a block is reread, lost or reused; nothing to do.
void NoteBlockReloaded() {}
void NoteBlockDiscarded() {}
void NoteBlockReused() {}

ErrorCode CheckIndexBlock(int store, uint8_t* bytes, uint32_t size, BlockKind kind)
{
    const int count = IndexCount(bytes);
    if (count < 0 || count > kMaxIndexEntries || size != IndexBlockSize(count))
        return kStoreErrSizeMismatch;
    int32_t dataStart = 0;
    int32_t endOfData = 0;
    ErrorCode result = GetDataBounds(store, &dataStart, &endOfData);
    if (result)
        return result;
    const uint32_t granuleMask = (1u << StoreShift(store)) - 1;
    const IndexEntry* entries = IndexEntries(bytes);
    for (int i = 0; i < count; ++i) {
        const IndexEntry& entry = entries[i];
        if (i > 0 && entry.key <= entries[i - 1].key)
            return kStoreErrKeyOrder;
        if (kind == BlockKind::Root && entry.key < 0)
            return kStoreErrNegativeGroup;
        if (entry.size < static_cast<uint32_t>(kRecordHeaderSize))
            return kStoreErrTooSmall;
        if (entry.size > kMaxBlockSize)
            return kStoreErrTooLarge;
        if (kind == BlockKind::Root &&
            (entry.size < static_cast<uint32_t>(kIndexBlockHeaderSize) ||
             (entry.size - kIndexBlockHeaderSize) % kIndexEntrySize != 0))
            return kStoreErrSizeMismatch;
        if (entry.offset < dataStart || (static_cast<uint32_t>(entry.offset) & granuleMask) != 0 ||
            static_cast<int64_t>(entry.offset) + entry.size > endOfData)
            return kStoreErrOffsetMismatch;
    }
    return kErrNone;
}

// Checks a map just read: its counts against its size, its end of data
// against the file, and its lists as verification does.
ErrorCode CheckFreeMapBlock(int store, uint8_t* bytes, uint32_t size)
{
    FreeMapHeader* map = reinterpret_cast<FreeMapHeader*>(bytes);
    if (map->capacity < 0 || size != FreeMapSize(map->capacity))
        return kStoreErrSizeMismatch;
    if (map->count < 0 || map->count > map->capacity)
        return kStoreErrFreeMap;
    if (map->lostBytes < 0)
        return kStoreErrLostBytes;
    const StoreHeader* slot = StoreSlot(store);
    const int shift = slot->shift;
    const uint32_t granuleMask = (1u << shift) - 1;
    const int64_t dataStart =
        static_cast<int64_t>(map->header.offset) + RoundUpToGranule(map->header.size, shift);
    const int64_t endOfData = map->endOfData;
    if (endOfData < dataStart || (static_cast<uint32_t>(endOfData) & granuleMask) != 0 ||
        slot->baseOffset + endOfData > StoreFileLength(store))
        return kStoreErrFileLength;
    uint8_t named[4096];
    uint8_t* flags = named;
    HGLOBAL table = nullptr;
    if (map->count > static_cast<int>(sizeof(named))) {
        table = SeamGlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, static_cast<SIZE_T>(map->count));
        if (!table)
            return kErrNoMemory;
        flags = static_cast<uint8_t*>(static_cast<void*>(table));
    } else {
        memset(named, 0, sizeof(named));
    }
    ErrorCode result = CheckFreeMapLists(map, flags);
    if (table)
        GlobalFree(table);
    if (result)
        return result;
    const FreeExtent* byOffset = ByOffsetList(map);
    for (int i = 0; i < map->count; ++i) {
        const FreeExtent& extent = byOffset[i];
        if (extent.size <= 0 || extent.offset < dataStart || ((extent.offset | extent.size) & granuleMask) != 0 ||
            static_cast<int64_t>(extent.offset) + extent.size > endOfData ||
            (i > 0 && static_cast<int64_t>(byOffset[i - 1].offset) + byOffset[i - 1].size > extent.offset))
            return kStoreErrFreeMap;
    }
    return kErrNone;
}

ErrorCode CheckLoadedBlock(int store, const IndexEntry& entry, int16_t expectedParent, BlockKind kind, uint8_t* bytes)
{
    const RecordHeader* header = reinterpret_cast<const RecordHeader*>(bytes);
    if (header->offset != entry.offset)
        return kStoreErrOffsetMismatch;
    if (header->size != entry.size)
        return kStoreErrSizeMismatch;
    if (header->parent != expectedParent)
        return kStoreErrParentMismatch;
    if (header->key != entry.key)
        return kStoreErrNoEntry;
    if (kind == BlockKind::Root || kind == BlockKind::Group)
        return CheckIndexBlock(store, bytes, entry.size, kind);
    if (kind == BlockKind::FreeMap)
        return CheckFreeMapBlock(store, bytes, entry.size);
    return kErrNone;
}

// Where the entry says its block lies, checked before anything is allocated.
ErrorCode CheckEntryPlace(int store, const IndexEntry& entry, BlockKind kind)
{
    if (entry.size < static_cast<uint32_t>(kRecordHeaderSize))
        return kStoreErrTooSmall;
    if (entry.size > kMaxBlockSize)
        return kStoreErrTooLarge;
    const StoreHeader* slot = StoreSlot(store);
    if (kind == BlockKind::FreeMap) {
        if (entry.offset != static_cast<int32_t>(RoundUpToGranule(kStoreHeaderSize, slot->shift)))
            return kStoreErrOffsetMismatch;
        if (slot->baseOffset + static_cast<int64_t>(entry.offset) + entry.size > StoreFileLength(store))
            return kStoreErrFileLength;
        return kErrNone;
    }
    int32_t dataStart = 0;
    int32_t endOfData = 0;
    ErrorCode result = GetDataBounds(store, &dataStart, &endOfData);
    if (result)
        return result;
    const uint32_t granuleMask = (1u << slot->shift) - 1;
    if (entry.offset < dataStart || (static_cast<uint32_t>(entry.offset) & granuleMask) != 0 ||
        static_cast<int64_t>(entry.offset) + entry.size > endOfData)
        return kStoreErrOffsetMismatch;
    return kErrNone;
}

} // namespace

ErrorCode store_impl::ReadFileRange(HFILE file, LONG position, uint8_t* bytes, uint32_t size)
{
    if (SeekFile(file, position, FILE_BEGIN) == HFILE_ERROR)
        return kErrFile;
    uint32_t done = 0;
    while (done < size) {
        const uint32_t remaining = size - done;
        const uint32_t piece = remaining > kPieceLimit ? kPieceSize : remaining;
        if (ReadFileBytes(file, bytes + done, piece) != piece)
            return kErrFile;
        done += piece;
    }
    return kErrNone;
}

ErrorCode store_impl::LoadBlock(const EntryRef& ref, int16_t expectedParent)
{
    const int store = ref.store;
    const IndexEntry entry = ReadEntry(ref);
    const BlockKind kind = KindOf(expectedParent, entry.key);
    ErrorCode result = CheckEntryPlace(store, entry, kind);
    if (result)
        return result;

    HGLOBAL block = TokenHandle(entry.handle);
    if (block && (GlobalFlags(block) & GMEM_DISCARDED)) {
        HGLOBAL again = SeamGlobalReAlloc(block, entry.size, GMEM_MOVEABLE);
        if (!again) {
            NoteBlockDiscarded();
            DropEntryBlock(ref);
            return kErrNoMemory;
        }
        NoteBlockReloaded();
        block = again;
    } else if (!block) {
        block = AllocBlockMemory(entry.size);
        if (!block)
            return kErrNoMemory;
    }

    const StoreHeader* slot = StoreSlot(store);
    {
        LockedBlock locked(block);
        if (!locked)
            result = kErrNoMemory;
        if (!result)
            result = ReadFileRange(StoreFile(store), slot->baseOffset + entry.offset, locked.bytes(), entry.size);
        if (!result)
            result = CheckLoadedBlock(store, entry, expectedParent, kind, locked.bytes());
        if (!result) {
            RecordHeader* header = locked.header();
            header->storeIndex = static_cast<int16_t>(store);
            header->flags &= kBlockPlaceholder;
            if (kind == BlockKind::Root || kind == BlockKind::Group) {
                IndexEntry* entries = IndexEntries(locked.bytes());
                const int count = IndexCount(locked.bytes());
                for (int i = 0; i < count; ++i)
                    entries[i].handle = 0;
            }
        }
    }
    if (result) {
        // The entry ends without a handle, so the next access reads again.
        FreeBlockMemory(block);
        IndexEntry cleared = ReadEntry(ref);
        FreeHandleToken(cleared.handle);
        cleared.handle = 0;
        WriteEntry(ref, cleared);
        return result;
    }
    SetEntryBlock(ref, block);
    return kErrNone;
}

ErrorCode store_impl::FetchBlock(const EntryRef& ref, int16_t expectedParent, uint32_t* token)
{
    *token = 0;
    const IndexEntry entry = ReadEntry(ref);
    HGLOBAL block = TokenHandle(entry.handle);
    if (block && !(GlobalFlags(block) & GMEM_DISCARDED)) {
        NoteBlockReused();
        *token = entry.handle;
        return kErrNone;
    }
    ErrorCode result = LoadBlock(ref, expectedParent);
    MarkHolderChanged(ref);
    if (result)
        return result;
    *token = ReadEntry(ref).handle;
    return kErrNone;
}

ErrorCode store_impl::LoadBlockRef(const EntryRef& ref, int16_t expectedParent, HGLOBAL* handle)
{
    uint32_t token = 0;
    ErrorCode result = FetchBlock(ref, expectedParent, &token);
    *handle = TokenHandle(token);
    return result;
}

ErrorCode store_impl::WriteRecordBlock(HGLOBAL handle)
{
    if (!handle || (GlobalFlags(handle) & GMEM_DISCARDED))
        return kErrNone;
    const SIZE_T memorySize = GlobalSize(handle);
    if (memorySize == 0)
        return kErrNone;
    if (memorySize < static_cast<SIZE_T>(kRecordHeaderSize))
        return kStoreErrTooSmall;
    LockedBlock locked(handle);
    if (!locked)
        return kErrNoMemory;
    RecordHeader* header = locked.header();
    if ((header->flags & kBlockChanged) == 0)
        return kErrNone;
    const int store = header->storeIndex;
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    if (IsReadOnlyStore(store)) {
        header->flags &= static_cast<uint16_t>(~kBlockChanged);
        return kErrNone;
    }
    if (header->size > memorySize)
        return kStoreErrShortMemory;
    const LONG position = StoreSlot(store)->baseOffset + header->offset;
    result = JournalRange(store, position, static_cast<LONG>(header->size));
    if (result)
        return result;
    result = WriteBlockBytes(StoreFile(store), StoreSlot(store)->baseOffset + header->offset, locked.bytes(),
                             header->size, IsIndexBlockHeader(header));
    if (result)
        return result;
    header->flags &= static_cast<uint16_t>(~kBlockChanged);
    return kErrNone;
}

ErrorCode store_impl::WriteIndexTree(int store, const EntryRef& ref, int16_t parentKey, bool release, int depth)
{
    const IndexEntry entry = ReadEntry(ref);
    HGLOBAL block = TokenHandle(entry.handle);
    if (!block || entry.size == 0)
        return kErrNone;
    ErrorCode childResult = kErrNone;
    if (depth > 0) {
        uint32_t token = 0;
        ErrorCode fetched = FetchBlock(ref, parentKey, &token);
        if (fetched)
            return fetched;
        if (release)
            MarkBlockChanged(TokenHandle(token));
        int count = 0;
        {
            LockedBlock locked(TokenHandle(token));
            count = locked ? IndexCount(locked.bytes()) : 0;
        }
        for (int i = 0; i < count; ++i) {
            ErrorCode result = WriteIndexTree(store, EntryRef{store, token, i}, entry.key, release, depth - 1);
            if (result)
                childResult = result;
        }
        block = TokenHandle(token);
    }
    ErrorCode result = kErrNone;
    if (!(GlobalFlags(block) & GMEM_DISCARDED))
        result = WriteRecordBlock(block);
    // A block that could not be written, or that still holds a child that
    // could not, stays loaded: freeing it would lose the change.
    if (release && !result && !childResult)
        DropEntryBlock(ref);
    return result ? result : childResult;
}

void store_impl::FreeLoadedTree(const EntryRef& ref, int depth)
{
    HGLOBAL block = EntryBlock(ref);
    if (!block)
        return;
    if (depth > 0) {
        int count = 0;
        {
            LockedBlock locked(block);
            count = locked ? IndexCount(locked.bytes()) : 0;
        }
        const uint32_t token = ReadEntry(ref).handle;
        for (int i = 0; i < count; ++i)
            FreeLoadedTree(EntryRef{ref.store, token, i}, depth - 1);
    }
    DropEntryBlock(ref);
}

namespace {

// The places of the loaded blocks below an entry that a flush writes: changed
// ones, and index blocks, which a releasing flush writes whether changed or not.
void CollectFlushedBlocks(const EntryRef& ref, int depth, LONG base, bool releasing, std::vector<FileRange>* ranges)
{
    HGLOBAL block = EntryBlock(ref);
    if (!block || (GlobalFlags(block) & GMEM_DISCARDED))
        return;
    int count = 0;
    {
        LockedBlock locked(block);
        if (!locked)
            return;
        const RecordHeader* header = locked.header();
        if ((depth > 0 && releasing) || (header->flags & kBlockChanged))
            ranges->push_back(FileRange{base + header->offset, static_cast<LONG>(header->size)});
        if (depth > 0)
            count = IndexCount(locked.bytes());
    }
    const uint32_t token = ReadEntry(ref).handle;
    for (int i = 0; i < count; ++i)
        CollectFlushedBlocks(EntryRef{ref.store, token, i}, depth - 1, base, releasing, ranges);
}

} // namespace

ErrorCode store_impl::JournalFlushedBlocks(int store, bool releasing)
{
    if (!KeepsJournal(store))
        return kErrNone;
    const LONG base = StoreSlot(store)->baseOffset;
    std::vector<FileRange> ranges;
    if (releasing || (StoreSlot(store)->flags & kSlotHeaderChanged))
        ranges.push_back(FileRange{base, kStoreHeaderSize});
    CollectFlushedBlocks(RootRef(store, kFreeMapKey), 0, base, releasing, &ranges);
    CollectFlushedBlocks(RootRef(store, kMainRootKey), 2, base, releasing, &ranges);
    CollectFlushedBlocks(RootRef(store, kShadowRootKey), 2, base, releasing, &ranges);
    return ranges.empty() ? ErrorCode(kErrNone) : JournalRanges(store, ranges);
}

ErrorCode store_impl::WriteStoreHeader(int store)
{
    StoreHeader* slot = StoreSlot(store);
    if (!IsReadOnlyStore(store)) {
        StoreHeader image;
        memcpy(&image, slot, sizeof(image));
        image.fileHandle = 0;
        image.mainRoot.handle = 0;
        image.shadowRoot.handle = 0;
        image.freeMapRoot.handle = 0;
        ErrorCode result = JournalRange(store, slot->baseOffset, sizeof(image));
        if (result)
            return result;
        HFILE file = StoreFile(store);
        if (SeekFile(file, slot->baseOffset, FILE_BEGIN) == HFILE_ERROR)
            return kErrFile;
        if (WriteFileBytes(file, &image, sizeof(image)) != sizeof(image))
            return kErrFile;
    }
    slot->flags &= static_cast<uint16_t>(~kSlotHeaderChanged);
    return kErrNone;
}

ErrorCode store_impl::WriteFreeMap(int store) { return WriteIndexTree(store, RootRef(store, kFreeMapKey), kRootParent, false, 0); }

ErrorCode FlushStore(int store, BOOL release)
{
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    const bool releasing = release != FALSE;
    result = JournalFlushedBlocks(store, releasing);
    if (result)
        return result;
    const ErrorCode map = WriteIndexTree(store, RootRef(store, kFreeMapKey), kRootParent, releasing, 0);
    const ErrorCode main = WriteIndexTree(store, RootRef(store, kMainRootKey), kRootParent, releasing, 2);
    const ErrorCode shadow = WriteIndexTree(store, RootRef(store, kShadowRootKey), kRootParent, releasing, 2);
    ErrorCode header = kErrNone;
    if ((StoreSlot(store)->flags & kSlotHeaderChanged) || releasing)
        header = WriteStoreHeader(store);
    if (header)
        return header;
    if (shadow)
        return shadow;
    if (main)
        return main;
    if (map)
        return map;
    return CommitJournal(store);
}
