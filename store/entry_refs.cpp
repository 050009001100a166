// Block memory and the references to index entries: an entry lives in the
// store's slot (the three roots) or inside a loaded index block, named by the
// block's handle token so that a reallocated block keeps its references.
#include "common/io_seam.h"
#include "store/store_internal.h"

using namespace store_impl;

// ---- Memory blocks ----

HGLOBAL store_impl::AllocBlockMemory(SIZE_T bytes) { return SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes); }

void store_impl::FreeBlockMemory(HGLOBAL handle)
{
    if (handle)
        GlobalFree(handle);
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
