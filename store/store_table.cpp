// The table of open stores: one locked block of an i16 count and 202-byte
// slots, each the image of an open store's header. The real file handles live
// beside it, since the slot's 16-bit field cannot hold one.
#include <vector>

#include "common/io_seam.h"
#include "store/store_internal.h"

using namespace store_impl;

HGLOBAL StoreTableHandle = nullptr;
uint8_t* StoreTablePtr = nullptr;

namespace {

struct SlotFile {
    HFILE file = HFILE_ERROR;
    LONG length = 0;
};

std::vector<SlotFile> slotFiles;

} // namespace

ErrorCode store_impl::AllocStoreTable(int slotCount)
{
    if (slotCount < 0 || slotCount > 32767)
        return kStoreErrIndexRange;
    const SIZE_T bytes = sizeof(int16_t) + static_cast<SIZE_T>(kStoreHeaderSize) * slotCount;
    HGLOBAL handle = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!handle)
        return kErrNoMemory;
    uint8_t* table = static_cast<uint8_t*>(GlobalLock(handle));
    if (!table) {
        GlobalFree(handle);
        return kErrNoMemory;
    }
    const int16_t count = static_cast<int16_t>(slotCount);
    memcpy(table, &count, sizeof(count));
    StoreTableHandle = handle;
    StoreTablePtr = table;
    slotFiles.assign(static_cast<size_t>(slotCount), SlotFile{});
    return kErrNone;
}

void store_impl::FreeStoreTable()
{
    if (StoreTableHandle) {
        GlobalUnlock(StoreTableHandle);
        GlobalFree(StoreTableHandle);
    }
    StoreTableHandle = nullptr;
    StoreTablePtr = nullptr;
    slotFiles.clear();
}

ErrorCode InitRecordStore(int slotCount)
{
    if (StoreTablePtr)
        FreeStoreTable();
    return AllocStoreTable(slotCount);
}

void TermRecordStore()
{
    FreeStoreTable();
    FreeSpareBlocks();
}

int store_impl::StoreSlotCount()
{
    if (!StoreTablePtr)
        return 0;
    int16_t count;
    memcpy(&count, StoreTablePtr, sizeof(count));
    return count;
}

StoreHeader* store_impl::StoreSlot(int store)
{
    return reinterpret_cast<StoreHeader*>(StoreTablePtr + sizeof(int16_t) + static_cast<size_t>(kStoreHeaderSize) * store);
}

HFILE store_impl::StoreFile(int store) { return slotFiles[static_cast<size_t>(store)].file; }

void store_impl::SetStoreFile(int store, HFILE file) { slotFiles[static_cast<size_t>(store)].file = file; }

LONG store_impl::StoreFileLength(int store) { return slotFiles[static_cast<size_t>(store)].length; }

void store_impl::SetStoreFileLength(int store, LONG length) { slotFiles[static_cast<size_t>(store)].length = length; }

void store_impl::MarkHeaderChanged(int store) { StoreSlot(store)->flags |= kSlotHeaderChanged; }

ErrorCode CheckStoreIndex(int store)
{
    if (store < 0 || store >= StoreSlotCount())
        return kStoreErrIndexRange;
    if ((StoreSlot(store)->flags & kSlotOpen) == 0)
        return kStoreErrNotOpen;
    return kErrNone;
}

ErrorCode GetStoreFileHandle(int store, HFILE* file)
{
    *file = HFILE_ERROR;
    ErrorCode result = CheckStoreIndex(store);
    if (result)
        return result;
    *file = StoreFile(store);
    return kErrNone;
}

int IsCheckpointOpen(int store)
{
    if (CheckStoreIndex(store))
        return 0;
    return IsCheckpointFlagSet(store) ? 1 : 0;
}
