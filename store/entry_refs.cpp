// Block memory and the references to index entries: an entry lives in the
// store's slot (the three roots) or inside a loaded index block, named by the
// block's handle token so that a reallocated block keeps its references.
#include "common/io_seam.h"
#include "store/store_internal.h"

#include <cstring>

using namespace store_impl;

// ---- Memory blocks ----

namespace {

// Every undoable edit of a drawing copies its object table, megabytes in a
// large drawing, into a before-image that the next edit frees. Fresh memory
// of that size is mapped anew and faulted in page by page, which costs far
// more than the copy: the last large blocks freed are kept for the next.
const SIZE_T kSpareMinimum = 256 * 1024;
const int kSpareCount = 2;
// A new large block is made with room for the table to grow a few hundred
// entries before a reuse of it has to move.
const SIZE_T kLargeRoomDivisor = 16;

HGLOBAL SpareBlocks[kSpareCount] = {};

// The spare block nearest `bytes` that can grow to it in its room, taken
// from the list; none when no spare is near enough.
HGLOBAL TakeSpare(SIZE_T bytes)
{
    const SIZE_T least = bytes - bytes / kLargeRoomDivisor;
    int best = -1;
    for (int i = 0; i < kSpareCount; ++i) {
        const SIZE_T held = SpareBlocks[i] ? GlobalSize(SpareBlocks[i]) : 0;
        if (held >= least && held <= bytes + bytes / kLargeRoomDivisor &&
            (best < 0 || held > GlobalSize(SpareBlocks[best])))
            best = i;
    }
    if (best < 0)
        return nullptr;
    HGLOBAL spare = SpareBlocks[best];
    SpareBlocks[best] = nullptr;
    return spare;
}

// Keeps a large unlocked block as a spare; true when it was kept.
bool KeepSpare(HGLOBAL handle)
{
    const SIZE_T size = GlobalSize(handle);
    if (size < kSpareMinimum || (GlobalFlags(handle) & GMEM_LOCKCOUNT) != 0)
        return false;
    int smallest = 0;
    for (int i = 0; i < kSpareCount; ++i) {
        if (!SpareBlocks[i]) {
            SpareBlocks[i] = handle;
            return true;
        }
        if (GlobalSize(SpareBlocks[i]) < GlobalSize(SpareBlocks[smallest]))
            smallest = i;
    }
    if (GlobalSize(SpareBlocks[smallest]) >= size)
        return false;
    GlobalFree(SpareBlocks[smallest]);
    SpareBlocks[smallest] = handle;
    return true;
}

HGLOBAL NewLargeBlock(SIZE_T bytes)
{
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes + bytes / kLargeRoomDivisor);
    if (!block)
        return nullptr;
    // Shrinking leaves the memory where it is, so a later growth stays in place.
    HGLOBAL exact = GlobalReAlloc(block, bytes, GMEM_MOVEABLE);
    return exact ? exact : block;
}

} // namespace

HGLOBAL store_impl::AllocBlockMemory(SIZE_T bytes)
{
    if (bytes < kSpareMinimum)
        return SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    HGLOBAL spare = TakeSpare(bytes);
    if (!spare)
        return NewLargeBlock(bytes);
    // A reused block goes through the seam like a new one, so a test can still
    // make this allocation fail.
    HGLOBAL block = SeamGlobalReAlloc(spare, bytes, GMEM_MOVEABLE);
    if (!block) {
        GlobalFree(spare);
        return nullptr;
    }
    if (void* bytesOf = GlobalLock(block)) {
        memset(bytesOf, 0, bytes);
        GlobalUnlock(block);
    }
    return block;
}

void store_impl::FreeBlockMemory(HGLOBAL handle)
{
    if (handle && !KeepSpare(handle))
        GlobalFree(handle);
}

void store_impl::FreeSpareBlocks()
{
    for (HGLOBAL& spare : SpareBlocks) {
        if (spare)
            GlobalFree(spare);
        spare = nullptr;
    }
}

ErrorCode store_impl::CheckRecordHandle(HGLOBAL handle)
{
    if (!handle)
        return kErrNoMemory;
    if (GlobalFlags(handle) & GMEM_DISCARDED)
        return kErrNoMemory;
    const SIZE_T size = GlobalSize(handle);
    if (size == 0)
        return kErrNoMemory;
    if (size < static_cast<SIZE_T>(kRecordHeaderSize))
        return kStoreErrTooSmall;
    return kErrNone;
}

void store_impl::MarkBlockChanged(HGLOBAL block) { SetBlockFlag(block, kBlockChanged, true); }

void store_impl::SetBlockFlag(HGLOBAL block, uint16_t flag, bool on)
{
    LockedBlock locked(block);
    if (!locked)
        return;
    RecordHeader* header = locked.header();
    header->flags = static_cast<uint16_t>(on ? (header->flags | flag) : (header->flags & ~flag));
}

uint16_t store_impl::BlockFlags(HGLOBAL block)
{
    LockedBlock locked(block);
    return locked ? locked.header()->flags : 0;
}

// ---- Entry references ----

namespace {

IndexEntry* RootEntry(int store, int position)
{
    StoreHeader* slot = StoreSlot(store);
    uint8_t* bytes = reinterpret_cast<uint8_t*>(slot);
    return reinterpret_cast<IndexEntry*>(bytes + offsetof(StoreHeader, mainRoot) + kIndexEntrySize * position);
}

} // namespace

EntryRef store_impl::RootRef(int store, int16_t rootKey)
{
    const int position = rootKey == kMainRootKey ? 0 : rootKey == kShadowRootKey ? 1 : 2;
    return EntryRef{store, 0, position};
}

IndexEntry store_impl::ReadEntry(const EntryRef& ref)
{
    IndexEntry entry = {};
    if (ref.holder == 0) {
        memcpy(&entry, RootEntry(ref.store, ref.position), sizeof(entry));
        return entry;
    }
    LockedBlock block(TokenHandle(ref.holder));
    if (block)
        memcpy(&entry, IndexEntries(block.bytes()) + ref.position, sizeof(entry));
    return entry;
}

void store_impl::WriteEntry(const EntryRef& ref, const IndexEntry& entry)
{
    if (ref.holder == 0) {
        memcpy(RootEntry(ref.store, ref.position), &entry, sizeof(entry));
        return;
    }
    LockedBlock block(TokenHandle(ref.holder));
    if (block)
        memcpy(IndexEntries(block.bytes()) + ref.position, &entry, sizeof(entry));
}

void store_impl::MarkHolderChanged(const EntryRef& ref)
{
    if (ref.holder == 0)
        MarkHeaderChanged(ref.store);
    else
        MarkBlockChanged(TokenHandle(ref.holder));
}

HGLOBAL store_impl::EntryBlock(const EntryRef& ref) { return TokenHandle(ReadEntry(ref).handle); }

void store_impl::SetEntryBlock(const EntryRef& ref, HGLOBAL block)
{
    IndexEntry entry = ReadEntry(ref);
    if (!block) {
        FreeHandleToken(entry.handle);
        entry.handle = 0;
    } else if (entry.handle && TokenHandle(entry.handle)) {
        SetTokenHandle(entry.handle, block);
    } else {
        entry.handle = AddHandleToken(block);
    }
    WriteEntry(ref, entry);
}

void store_impl::DropEntryBlock(const EntryRef& ref) { FreeBlockMemory(TakeEntryBlock(ref)); }

HGLOBAL store_impl::TakeEntryBlock(const EntryRef& ref)
{
    IndexEntry entry = ReadEntry(ref);
    HGLOBAL block = TokenHandle(entry.handle);
    if (entry.handle) {
        FreeHandleToken(entry.handle);
        entry.handle = 0;
        WriteEntry(ref, entry);
    }
    return block;
}
