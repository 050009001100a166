#include "common/memory_helpers.h"

#include <cstring>

int IsHandleDiscarded(HGLOBAL handle)
{
    return (GlobalFlags(handle) & GMEM_DISCARDED) ? 1 : 0;
}

ErrorCode CopyGlobalContents(HGLOBAL target, HGLOBAL source)
{
    const SIZE_T bytes = GlobalSize(source);
    // A short target would be overrun; refuse rather than corrupt the heap.
    if (GlobalSize(target) < bytes)
        return kErrNoMemory;
    if (bytes == 0)
        return kErrNone;
    void* to = GlobalLock(target);
    const void* from = GlobalLock(source);
    ErrorCode result = kErrNone;
    if (to && from)
        memcpy(to, from, bytes);
    else
        result = kErrNoMemory;
    if (from)
        GlobalUnlock(source);
    if (to)
        GlobalUnlock(target);
    return result;
}
