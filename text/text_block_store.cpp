#include "text/text_block_store.h"

#include <cstring>

#include "store/record_store.h"

ErrorCode StoreTextBlock(HGLOBAL record, HGLOBAL textBlock)
{
    SIZE_T size = textBlock ? GlobalSize(textBlock) : 0;
    if (size < 16)
        return kErrNone;
    if (size > kMaxTextRecordBytes)
        return 1;
    RecordHandle handle = record;
    ErrorCode code = ResizeRecord(&handle, static_cast<DWORD>(size));
    if (code != kErrNone)
        return code;
    auto* target = static_cast<unsigned char*>(GlobalLock(handle));
    auto* source = static_cast<unsigned char*>(GlobalLock(textBlock));
    if (target && source)
        std::memcpy(target + 16, source + 16, size - 16);
    GlobalUnlock(textBlock);
    GlobalUnlock(handle);
    return SetRecordDirty(handle);
}
