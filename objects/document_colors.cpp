#include "objects/document_colors.h"

#include <cstring>

#include "common/handle_words.h"
#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "store/record_store.h"
#include "objects/text_block.h"

namespace {

const int kRecordHeaderBytes = 16;

// The list record, grown to its full size when it is shorter (an older or
// damaged record), locked. The count is kept within 0..256.
class ColorList {
public:
    ColorList(int store, bool undoable)
    {
        code_ = FindRecord(store, kDrawingGroup, kDocumentColorListId, &record_);
        if (code_ != kErrNone) {
            record_ = nullptr;
            return;
        }
        if (undoable)
            code_ = MarkRecordChanged(record_);
        if (code_ == kErrNone && QueryRecordSize(record_) < kDocumentColorListBytes)
            code_ = ResizeRecord(&record_, kDocumentColorListBytes);
        if (code_ == kErrNone) {
            bytes_ = static_cast<uint8_t*>(GlobalLock(record_));
            if (!bytes_)
                code_ = kErrNoMemory;
        }
        if (code_ == kErrNone) {
            count_ = ReadLeI32(bytes_ + kColorListCount);
            if (count_ < 0)
                count_ = 0;
            if (count_ > kMaxDocumentColors)
                count_ = kMaxDocumentColors;
        }
    }
    ~ColorList()
    {
        if (bytes_)
            GlobalUnlock(record_);
        if (record_)
            ReleaseRecord(record_);
    }
    ColorList(const ColorList&) = delete;
    ColorList& operator=(const ColorList&) = delete;

    ErrorCode Code() const { return code_; }
    int Count() const { return count_; }
    bool Full() const { return count_ >= kMaxDocumentColors; }
    void Clear() { count_ = 0; }
    // Appends a value that is not listed yet.
    void Add(COLORREF value)
    {
        if (Full())
            return;
        for (int i = 0; i < count_; ++i) {
            if (ReadLeU32(bytes_ + kColorListColors + 4 * i) == value)
                return;
        }
        WriteLeU32(bytes_ + kColorListColors + 4 * count_, value);
        ++count_;
    }
    ErrorCode Finish()
    {
        WriteLeI32(bytes_ + kColorListCount, count_);
        return SetRecordDirty(record_);
    }

private:
    RecordHandle record_ = nullptr;
    uint8_t* bytes_ = nullptr;
    ErrorCode code_ = kErrNone;
    int count_ = 0;
};

void AddTextColors(int store, int textId, ColorList& list)
{
    if (textId < 0 || textId > 32767)
        return;
    RecordHandle record = nullptr;
    if (FindRecord(store, kTextGroup, static_cast<short>(textId), &record) != kErrNone)
        return;
    DWORD size = QueryRecordSize(record);
    if (auto* bytes = static_cast<const uint8_t*>(GlobalLock(record))) {
        const uint8_t* block = bytes + kRecordHeaderBytes;
        if (size > kRecordHeaderBytes && IsTextBlockSound(block, size - kRecordHeaderBytes)) {
            TextBlockHeader header;
            std::memcpy(&header, block, sizeof(header));
            const uint8_t* formats = block + TextBlockFormatsOffset(header);
            for (int i = 0; i < header.formatCount && !list.Full(); ++i)
                list.Add(ReadLeU32(formats + sizeof(TextFormat) * i + offsetof(TextFormat, color)));
        }
        GlobalUnlock(record);
    }
    ReleaseRecord(record);
}

} // namespace

int ColorInList(COLORREF value, const COLORREF* list, int n)
{
    for (int i = 0; i < n; ++i) {
        if (list[i] == value)
            return 1;
    }
    return 0;
}

void CollectDocumentColors(void* viewRecord, int firstObject)
{
    if (!viewRecord)
        return;
    const int store = ReadViewField(viewRecord, kViewStoreSlot);
    ColorList list(store, false);
    if (list.Code() != kErrNone)
        return;
    if (firstObject <= 0) {
        firstObject = 0;
        list.Clear();
    }
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (drawing && !list.Full()) {
        if (firstObject == 0) {
            const ColorStyle& style = drawing->style;
            const COLORREF styleColors[7] = {style.borderColor, style.lineColor, style.fillColor,
                                             style.textColor, style.shadowColor, style.backgroundColor,
                                             style.highlightColor};
            for (COLORREF color : styleColors)
                list.Add(color & 0x00FFFFFF);
        }
        LockedTable objects(drawing, kTableObjects);
        for (int i = firstObject; objects.Get() && i < objects.Count() && !list.Full(); ++i) {
            const DrawingObject* object = ObjectAt(objects.Get(), i);
            list.Add(object->lineColor);
            list.Add(object->fillColor & 0x00FFFFFF);
            AddTextColors(store, object->textRecordId, list);
        }
    }
    if (drawing)
        GlobalUnlock(drawingHandle);
    DiscardError(list.Finish(), "the palette is built from the colours gathered so far");
}

ErrorCode AddDocumentColors(void* viewRecord, const COLORREF* colors, int n)
{
    if (!viewRecord)
        return kErrNoMemory;
    ColorList list(ReadViewField(viewRecord, kViewStoreSlot), true);
    if (list.Code() != kErrNone)
        return list.Code();
    for (int i = 0; colors && i < n && !list.Full(); ++i)
        list.Add(colors[i] & 0x00FFFFFF);
    return list.Finish();
}

ErrorCode ReadDocumentColors(int store, COLORREF* colors, int* count)
{
    *count = 0;
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kDrawingGroup, kDocumentColorListId, &record);
    if (code != kErrNone)
        return code;
    DWORD size = QueryRecordSize(record);
    if (auto* bytes = static_cast<const uint8_t*>(GlobalLock(record))) {
        if (size >= static_cast<DWORD>(kColorListColors)) {
            int n = ReadLeI32(bytes + kColorListCount);
            int room = static_cast<int>((size - kColorListColors) / 4);
            if (n < 0)
                n = 0;
            if (n > kMaxDocumentColors)
                n = kMaxDocumentColors;
            if (n > room)
                n = room;
            for (int i = 0; i < n; ++i)
                colors[i] = ReadLeU32(bytes + kColorListColors + 4 * i);
            *count = n;
        }
        GlobalUnlock(record);
    }
    ReleaseRecord(record);
    return kErrNone;
}
