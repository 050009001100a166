// What the store's own files share: the table's slots, block memory,
// references to index entries, block reading and writing, the index
// primitives, the free-space map, checkpoints and the block list.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "common/handle_tokens.h"
#include "store/record_store.h"

// ---- The store table ----

extern HGLOBAL StoreTableHandle;
extern uint8_t* StoreTablePtr;

namespace store_impl {

int StoreSlotCount();
StoreHeader* StoreSlot(int store); // no checks: call CheckStoreIndex first
HFILE StoreFile(int store);
void SetStoreFile(int store, HFILE file);
// The file's length as the store last knew or set it.
LONG StoreFileLength(int store);
void SetStoreFileLength(int store, LONG length);
void MarkHeaderChanged(int store);
inline bool IsReadOnlyStore(int store) { return (StoreSlot(store)->flags & kSlotReadOnly) != 0; }
inline bool IsCheckpointFlagSet(int store) { return (StoreSlot(store)->flags & kSlotCheckpoint) != 0; }
inline int StoreShift(int store) { return StoreSlot(store)->shift; }
ErrorCode AllocStoreTable(int slotCount);
void FreeStoreTable();

// ---- Memory blocks ----
// An index entry's handle field is 32 bits wide and a 64-bit HGLOBAL may not
// fit: the field holds a token of the program's handle table
// (common/handle_tokens.h), 0 when the block is not loaded.

HGLOBAL AllocBlockMemory(SIZE_T bytes); // movable, zeroed, through the seam
void FreeBlockMemory(HGLOBAL handle);
// Frees the large blocks kept for reuse.
void FreeSpareBlocks();
// 10004 for no handle, discarded or empty memory; 13 under 16 bytes.
ErrorCode CheckRecordHandle(HGLOBAL handle);

// A block locked for the lifetime of this object.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL handle)
        : handle_(handle), bytes_(handle ? static_cast<uint8_t*>(GlobalLock(handle)) : nullptr)
    {
    }
    ~LockedBlock() { Unlock(); }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    void Unlock()
    {
        if (bytes_)
            GlobalUnlock(handle_);
        bytes_ = nullptr;
    }
    explicit operator bool() const { return bytes_ != nullptr; }
    uint8_t* bytes() const { return bytes_; }
    RecordHeader* header() const { return reinterpret_cast<RecordHeader*>(bytes_); }

private:
    HGLOBAL handle_;
    uint8_t* bytes_;
};

// Index block contents.
inline int IndexCount(const uint8_t* block)
{
    int16_t count;
    memcpy(&count, block + kRecordHeaderSize, sizeof(count));
    return count;
}
inline void SetIndexCount(uint8_t* block, int count)
{
    const int16_t value = static_cast<int16_t>(count);
    memcpy(block + kRecordHeaderSize, &value, sizeof(value));
}
inline IndexEntry* IndexEntries(uint8_t* block) { return reinterpret_cast<IndexEntry*>(block + kIndexBlockHeaderSize); }
inline const IndexEntry* IndexEntries(const uint8_t* block)
{
    return reinterpret_cast<const IndexEntry*>(block + kIndexBlockHeaderSize);
}

// ---- References to index entries ----
// An entry lives in the slot (the three roots) or in a loaded index block,
// named here by the block's token so that the reference survives the block
// being reallocated.

struct EntryRef {
    int store;
    uint32_t holder; // token of the index block holding the entry; 0 for a root of the header
    int position;    // position in the holder; for a root: 0 main, 1 shadow, 2 free map
};

EntryRef RootRef(int store, int16_t rootKey);
IndexEntry ReadEntry(const EntryRef& ref);
void WriteEntry(const EntryRef& ref, const IndexEntry& entry);
void MarkHolderChanged(const EntryRef& ref);
// The loaded block of an entry, or null.
HGLOBAL EntryBlock(const EntryRef& ref);
// Gives the entry a block (a token is taken or updated), or none.
void SetEntryBlock(const EntryRef& ref, HGLOBAL block);
// Frees the entry's memory block, if any, and clears its handle.
void DropEntryBlock(const EntryRef& ref);
// Takes the block out of the entry without freeing it.
HGLOBAL TakeEntryBlock(const EntryRef& ref);
void MarkBlockChanged(HGLOBAL block);
void SetBlockFlag(HGLOBAL block, uint16_t flag, bool on);
uint16_t BlockFlags(HGLOBAL block);

// ---- Reading and writing blocks ----

ErrorCode LoadBlock(const EntryRef& ref, int16_t expectedParent);
// The entry's block, loaded when needed (the holder is then marked changed).
ErrorCode FetchBlock(const EntryRef& ref, int16_t expectedParent, uint32_t* token);
ErrorCode LoadBlockRef(const EntryRef& ref, int16_t expectedParent, HGLOBAL* handle);
ErrorCode WriteRecordBlock(HGLOBAL handle);
ErrorCode WriteIndexTree(int store, const EntryRef& ref, int16_t parentKey, bool release, int depth);
ErrorCode WriteStoreHeader(int store);
// Frees every block still loaded below an entry, written or not.
void FreeLoadedTree(const EntryRef& ref, int depth);
ErrorCode WriteFreeMap(int store);
// Reads or writes `size` bytes at `position`, in pieces.
ErrorCode ReadFileRange(HFILE file, LONG position, uint8_t* bytes, uint32_t size);

// ---- The rollback journal (stores opened by name for writing) ----

// Names the store's journal after its file (null: the store keeps none).
void AttachJournal(int store, const char* storePath);
// Closes the journal unfinished: it stays on disk for the next open to roll back.
void DropJournal(int store);
// Saves the old bytes of [position, position + count) before they change;
// begins the journal, so call it (count 0) before the file grows too.
ErrorCode JournalRange(int store, LONG position, LONG count);
struct FileRange {
    LONG position;
    LONG count;
};
// The same for many ranges, with one flush of the journal.
ErrorCode JournalRanges(int store, const std::vector<FileRange>& ranges);
// Saves the old bytes of every block a flush may write, before it writes one.
ErrorCode JournalFlushedBlocks(int store, bool releasing);
bool KeepsJournal(int store);
// Flushes the store file and deletes the journal; until that succeeds the
// changes stay undoable at the next open.
ErrorCode CommitJournal(int store);

// ---- Index primitives ----

int SearchIndexBlock(const uint8_t* block, int16_t key, bool* found);
ErrorCode FetchRoot(int store, int16_t rootKey, uint32_t* token);
ErrorCode LoadIndexChild(int store, uint32_t blockToken, int16_t key, uint32_t* child, int* position);
// Finds group `group` in a tree's root: the entry reference and whether it is there.
ErrorCode FindGroupEntry(int store, int16_t tree, int16_t group, EntryRef* ref, bool* found);
// block: in, a caller's block (its memory size is the size) or null; out, the
// new block. offset nonzero names existing file space (no block needed).
ErrorCode InsertBlock(int store, int16_t tree, int16_t parent, int16_t key, uint32_t size, HGLOBAL* block,
                      int32_t offset);
// removed: the block's memory, now the caller's (may be null).
ErrorCode RemoveBlock(int store, int16_t tree, int16_t parent, int16_t key, HGLOBAL* removed);
void SetIndexEntry(IndexEntry* entry, int16_t key, int32_t offset, uint32_t size, uint32_t token);
void SetRecordHeader(HGLOBAL handle, int16_t key, int16_t parent, int32_t offset, uint32_t size, int16_t store,
                     uint16_t flags);
// Resizes the entry's loaded block and writes its new place into the entry.
ErrorCode ResizeEntryBlock(const EntryRef& ref, uint32_t size);
// The same for an index block that shrinks: it never fails (when no new space
// can be had the block keeps its place and gives back its tail).
ErrorCode ShrinkEntryBlock(const EntryRef& ref, uint32_t size);

// ---- Free-space map ----

uint32_t RoundUpToGranule(uint32_t size, int shift);
ErrorCode FetchFreeMap(int store, uint32_t* token);
ErrorCode AllocSpace(int store, uint32_t size, int32_t* offset);
ErrorCode FreeSpace(int store, int32_t offset, uint32_t size);
ErrorCode ResizeBlock(int store, HGLOBAL* block, uint32_t size, int32_t* offset);
// The same, with slack in the memory of index blocks (only the header's size
// counts for them).
ErrorCode ResizeBlockIn(int store, HGLOBAL* block, uint32_t size, int32_t* offset, bool slack);
ErrorCode ShrinkBlock(int store, HGLOBAL* block, uint32_t size, int32_t* offset);
uint32_t GetNewSpaceSize(int store, HGLOBAL block, uint32_t size);
inline FreeExtent* BySizeList(FreeMapHeader* map)
{
    return reinterpret_cast<FreeExtent*>(reinterpret_cast<uint8_t*>(map) + kFreeMapFixedSize);
}
inline FreeExtent* ByOffsetList(FreeMapHeader* map) { return BySizeList(map) + map->capacity; }
int SearchExtentsBySize(FreeMapHeader* map, int64_t size, bool* found);
int SearchExtentsByOffset(FreeMapHeader* map, int32_t offset, bool* found);
ErrorCode TakeFromExtent(FreeMapHeader* map, int position, int32_t size);
ErrorCode UpdateSizeList(FreeMapHeader* map, int32_t oldSize, int32_t newSize, int32_t oldOffset, int32_t newOffset);
// The checks of free-map verification on a map in memory; flags: a zeroed
// table of one byte per extent.
ErrorCode CheckFreeMapLists(FreeMapHeader* map, uint8_t* flags);
// Where blocks may lie: from the end of the map's granules to the end of data.
ErrorCode GetDataBounds(int store, int32_t* dataStart, int32_t* endOfData);
// Replaces the map's extents with the gaps between the given blocks (sorted
// by offset): gaps beyond the capacity become lost bytes.
struct PlacedBlock {
    int32_t offset;
    uint32_t size;
};
void RebuildFreeMap(int store, const PlacedBlock* blocks, int count);

// ---- Checkpoints ----

ErrorCode EnsureShadowGroup(int store, int16_t group, bool markNew);
ErrorCode SaveBeforeImage(int store, int16_t group, int16_t id, HGLOBAL record);
ErrorCode FreeShadowTree(int store, const EntryRef& ref, int16_t parentKey, int depth, bool emptyRoot, bool freeThis,
                         bool goesAway);
ErrorCode SwapIndexTrees(int store, const EntryRef& mainRef, const EntryRef& shadowRef, bool keep, bool groupLevel);
void SwapIndexEntries(const EntryRef& mainEntry, const EntryRef& shadowEntry, bool groups);

// ---- Block list (compaction and verification) ----

#pragma pack(push, 1)
struct BlockListEntry {
    int16_t tree;   // -1/-2 for records of the main or shadow tree, else -4
    int16_t parent; // group id; -1/-2 for group blocks; -3 free extent; -4 roots and map
    int16_t key;
    int32_t offset;
    int32_t size;
    uint32_t handle; // token of the loaded block, or 0
};
#pragma pack(pop)
static_assert(sizeof(BlockListEntry) == 18, "BlockListEntry is 18 bytes");

ErrorCode BuildBlockList(int store, HGLOBAL* list, int32_t* endOfData, int32_t* lostBytes);
ErrorCode AddToBlockList(HGLOBAL* list, const IndexEntry& entry, int16_t tree, int16_t parent);
ErrorCode MoveStoreBlock(int store, int16_t tree, int16_t parent, int16_t key, int32_t newOffset);
ErrorCode ResetFreeMap(int store, int32_t endOfData);

} // namespace store_impl
