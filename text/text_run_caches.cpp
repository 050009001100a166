#include "text/text_run_caches.h"

#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "store/record_store.h"
#include "text/object_text_helpers.h"
#include "objects/text_block_store.h"

ErrorCode ResetTextRunCaches(void* viewRecord)
{
    if (!viewRecord)
        return kErrNone;
    const int store = static_cast<ViewRecord*>(viewRecord)->storeSlot;
    int count = 0;
    ErrorCode code = CountGroupRecords(store, kTextGroup, &count);
    for (int i = 0; code == kErrNone && i < count; ++i) {
        short id = 0;
        code = GetGroupRecordId(store, kTextGroup, i, &id);
        RecordHandle record = nullptr;
        if (code == kErrNone)
            code = FindRecord(store, kTextGroup, id, &record);
        if (code != kErrNone)
            break;
        const DWORD size = QueryRecordSize(record);
        auto* bytes = static_cast<unsigned char*>(GlobalLock(record));
        if (bytes && size > kTextRecordHeaderBytes)
            ClearTextBlockFonts(bytes + kTextRecordHeaderBytes, size - kTextRecordHeaderBytes);
        if (bytes)
            GlobalUnlock(record);
        code = SetRecordDirty(record);
        ReleaseRecord(record);
    }
    return code;
}
