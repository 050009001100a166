#include <cstring>

#include "common/handle_words.h"
#include "common/io_seam.h"
#include "documents/record_stream.h"
#include "documents/stream_state.h"

StreamMemoryState StreamMemory = {};

namespace {

const DWORD kMemoryGrowStep = 0x10000;
const DWORD kMemoryPrefixSize = 4;

} // namespace

ErrorCode OpenStreamMemory(HGLOBAL block, DWORD size)
{
    CloseStreamMemory();
    if (!block)
        return kErrNoMemory;
    // The size usually comes from the block's own prefix: never believe it
    // beyond the memory that is really there.
    if (size > GlobalSize(block))
        return kErrStreamRead;
    auto* base = static_cast<unsigned char*>(GlobalLock(block));
    if (!base)
        return kErrNoMemory;
    StreamMemory.block = block;
    StreamMemory.base = base;
    StreamMemory.size = size;
    StreamMemory.position = kMemoryPrefixSize;
    return kErrNone;
}

void CloseStreamMemory()
{
    if (StreamMemory.block)
        GlobalUnlock(StreamMemory.block);
    StreamMemory = StreamMemoryState{};
}

long ReadMemoryBytes(void* destination, long count)
{
    if (!StreamMemory.block)
        return -1;
    if (count <= 0)
        return 0;
    DWORD left = StreamMemory.position < StreamMemory.size ? StreamMemory.size - StreamMemory.position : 0;
    DWORD copied = static_cast<DWORD>(count) < left ? static_cast<DWORD>(count) : left;
    std::memcpy(destination, StreamMemory.base + StreamMemory.position, copied);
    StreamMemory.position += copied;
    return static_cast<long>(copied);
}

long WriteMemoryBytes(const void* source, long count)
{
    if (!StreamMemory.block)
        return -1;
    if (count <= 0)
        return 0;
    const uint64_t end = static_cast<uint64_t>(StreamMemory.position) + static_cast<uint64_t>(count);
    if (end > StreamMemory.size) {
        // Whole 64 KiB steps: one while the block is small, then half its
        // size at a time, so that a large target is not copied over and over
        // by its reallocations.
        uint64_t step = (static_cast<uint64_t>(StreamMemory.size) / 2 + kMemoryGrowStep - 1) / kMemoryGrowStep *
                        kMemoryGrowStep;
        if (step < kMemoryGrowStep)
            step = kMemoryGrowStep;
        uint64_t room = StreamMemory.size;
        while (room < end)
            room += step;
        if (room > 0xFFFFFFFFull)
            return -1;
        GlobalUnlock(StreamMemory.block);
        HGLOBAL grown = SeamGlobalReAlloc(StreamMemory.block, static_cast<SIZE_T>(room), GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (grown)
            StreamMemory.block = grown;
        StreamMemory.base = static_cast<unsigned char*>(GlobalLock(StreamMemory.block));
        if (!grown || !StreamMemory.base)
            return -1;
        StreamMemory.size = static_cast<DWORD>(room);
    }
    std::memcpy(StreamMemory.base + StreamMemory.position, source, static_cast<size_t>(count));
    StreamMemory.position += static_cast<DWORD>(count);
    return count;
}

ErrorCode ReadStreamMemoryPrefix(HGLOBAL block, DWORD* size)
{
    *size = 0;
    if (!block)
        return kErrNoMemory;
    const SIZE_T real = GlobalSize(block);
    if (real < kMemoryPrefixSize)
        return kErrStreamRead;
    auto* base = static_cast<const uint8_t*>(GlobalLock(block));
    if (!base)
        return kErrNoMemory;
    const DWORD stated = ReadLeU32(base);
    GlobalUnlock(block);
    if (stated < kMemoryPrefixSize || stated > real)
        return kErrStreamRead;
    *size = stated;
    return kErrNone;
}

ErrorCode FinishStreamMemory(HGLOBAL* block, DWORD* size)
{
    *block = nullptr;
    *size = 0;
    if (!StreamMemory.block)
        return kErrNoMemory;
    const DWORD used = StreamMemory.position;
    WriteLeU32(StreamMemory.base, used);
    HGLOBAL handle = StreamMemory.block;
    CloseStreamMemory();
    if (HGLOBAL shrunk = SeamGlobalReAlloc(handle, used, GMEM_MOVEABLE))
        handle = shrunk;
    *block = handle;
    *size = used;
    return kErrNone;
}

HGLOBAL NewStreamMemoryBlock()
{
    return SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kMemoryGrowStep);
}
