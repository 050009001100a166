#include "objects/text_block_store.h"

#include <cstring>

#include "store/record_store.h"
#include "objects/text_block.h"

ErrorCode StoreTextBlock(HGLOBAL* record, HGLOBAL textBlock)
{
    if (!record || !*record || !textBlock)
        return kErrNoMemory;
    const SIZE_T available = GlobalSize(textBlock);
    const auto* source = static_cast<const unsigned char*>(GlobalLock(textBlock));
    if (!source)
        return kErrNoMemory;
    // The size comes from the header's counts, checked against the block.
    if (!IsTextBlockSound(source, available)) {
        GlobalUnlock(textBlock);
        return kErrNoMemory;
    }
    TextBlockHeader header;
    std::memcpy(&header, source, sizeof(header));
    const uint64_t size = TextBlockSize(header.formatCount, header.lineCount, header.paragraphCount, header.runCount,
                                        header.textLength);
    if (size + kTextRecordHeaderBytes > kMaxTextRecordBytes) {
        GlobalUnlock(textBlock);
        return kErrNotDone;
    }
    RecordHandle handle = *record;
    ErrorCode code = ResizeRecord(&handle, static_cast<DWORD>(size + kTextRecordHeaderBytes));
    *record = handle;
    if (code != kErrNone) {
        GlobalUnlock(textBlock);
        return code;
    }
    auto* target = static_cast<unsigned char*>(GlobalLock(handle));
    if (target) {
        std::memcpy(target + kTextRecordHeaderBytes, source, static_cast<size_t>(size));
        GlobalUnlock(handle);
    }
    GlobalUnlock(textBlock);
    if (!target)
        return kErrNoMemory;
    return SetRecordDirty(handle);
}

ErrorCode StoreTextBlock(HGLOBAL record, HGLOBAL textBlock)
{
    HGLOBAL handle = record;
    return StoreTextBlock(&handle, textBlock);
}
