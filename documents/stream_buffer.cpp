#include <cstring>

#include "common/io_seam.h"
#include "documents/record_stream.h"
#include "documents/stream_state.h"

int StreamUnitsPerInch = kStreamUnitsPerInch;
int StreamHeaderWord4 = 0;

namespace {

HGLOBAL streamBuffer = nullptr;
unsigned char* streamBase = nullptr;
DWORD streamBufferSize = 0;

void FreeStreamBuffer()
{
    if (!streamBuffer)
        return;
    GlobalUnlock(streamBuffer);
    GlobalFree(streamBuffer);
    streamBuffer = nullptr;
    streamBase = nullptr;
    streamBufferSize = 0;
}

} // namespace

ErrorCode BeginStreamOperation()
{
    FreeStreamBuffer();
    CloseStreamMemory();
    ResetStreamFile();
    StreamUnitsPerInch = kStreamUnitsPerInch;
    StreamHeaderWord4 = 0;
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kStreamBufferInitialSize);
    if (!block)
        return kErrNoMemory;
    streamBase = static_cast<unsigned char*>(GlobalLock(block));
    if (!streamBase) {
        GlobalFree(block);
        return kErrNoMemory;
    }
    streamBuffer = block;
    streamBufferSize = kStreamBufferInitialSize;
    return kErrNone;
}

ErrorCode EndStreamOperation()
{
    ErrorCode code = ReleaseStreamFile();
    CloseStreamMemory();
    FreeStreamBuffer();
    return code;
}

unsigned char* StreamPayload() { return streamBase; }

DWORD StreamBufferSize() { return streamBufferSize; }

ErrorCode GrowStreamBuffer(DWORD size)
{
    if (!streamBuffer)
        return kErrNoMemory;
    GlobalUnlock(streamBuffer);
    HGLOBAL grown = SeamGlobalReAlloc(streamBuffer, size, GMEM_MOVEABLE);
    if (grown)
        streamBuffer = grown;
    streamBase = static_cast<unsigned char*>(GlobalLock(streamBuffer));
    if (!grown || !streamBase)
        return kErrNoMemory;
    streamBufferSize = size;
    return kErrNone;
}
