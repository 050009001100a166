#include "objects/text_line_offset.h"

#include "objects/drawing_tables.h"
#include "objects/text_block.h"
#include "store/record_store.h"

namespace {

const int kLargestTextId = 0x7FFF;
const DWORD kRecordHeaderSize = 16;

// The first line's ascent of a stored text record; 0 when it cannot be read.
int FirstLineAscent(const DrawingRecord* drawing, int textId)
{
    if (textId < 0 || textId > kLargestTextId)
        return 0;
    RecordHandle record = nullptr;
    if (FindRecord(drawing->storeSlot, kTextGroup, static_cast<short>(textId), &record) != kErrNone)
        return 0;
    const DWORD size = QueryRecordSize(record);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(record));
    int ascent = 0;
    if (bytes && size > kRecordHeaderSize && IsTextBlockSound(bytes + kRecordHeaderSize, size - kRecordHeaderSize)) {
        const auto* block = reinterpret_cast<const TextBlockHeader*>(bytes + kRecordHeaderSize);
        if (block->lineCount > 0)
            ascent = reinterpret_cast<const TextLine*>(bytes + kRecordHeaderSize + TextBlockLinesOffset())->ascent;
    }
    if (bytes)
        GlobalUnlock(record);
    ReleaseRecord(record);
    return ascent;
}

} // namespace

int GetTextLineOffset(const DrawingRecord* drawing, void* objectTable, int index)
{
    const DrawingObject* object = ObjectAt(objectTable, index);
    const int ascent = FirstLineAscent(drawing, object->textRecordId);
    if (!ascent)
        return 0;
    return object->textFrame.top - object->frame.top + ascent;
}
