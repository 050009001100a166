#include "libraries/symbol_records.h"

#include <cstring>

#include "libraries/library_thumbnail.h"
#include "libraries/library_window.h"
#include "objects/picture_chunks.h"
#include "store/record_store.h"

namespace {

// The name record keeps 16 header bytes and the terminator out of the text.
const DWORD kNameRecordOverhead = kRecordHeaderBytes + 1;
const ErrorCode kErrNoFreeId{11};

void PutInt16(unsigned char* at, int value)
{
    const auto word = static_cast<uint16_t>(value);
    std::memcpy(at, &word, sizeof(word));
}

ErrorCode CreateNameRecord(int store, int id, RecordHandle* record)
{
    ErrorCode code = EnsureLibraryGroup(store, kLibraryNameGroup);
    if (code == kErrNone)
        code = CreateRecord(store, kLibraryNameGroup, static_cast<short>(id), kLibraryNameRecordSize, record);
    return code;
}

// A deleted record's block becomes ours; one that stays is only released.
ErrorCode DeleteLibraryRecord(RecordHandle record)
{
    const ErrorCode code = DeleteRecordByHandle(record);
    if (code == kErrNone)
        GlobalFree(record);
    else
        ReleaseRecord(record);
    return code;
}

} // namespace

ErrorCode EnsureLibraryGroup(int store, short group)
{
    short unused = 0;
    if (FindFreeId(store, group, &unused) != kErrNoFreeId)
        return kErrNone;
    return CreateGroup(store, group);
}

ErrorCode StoreVexletName(int row, int id, char* text)
{
    return StoreSymbolText(LibraryWindows[row].store, id, text);
}

ErrorCode StoreSymbolText(int store, int id, char* text)
{
    RecordHandle record = nullptr;
    if (FindRecord(store, kLibraryNameGroup, static_cast<short>(id), &record) != kErrNone) {
        if (!text[0])
            return kErrNone;
        const ErrorCode code = CreateNameRecord(store, id, &record);
        if (code != kErrNone)
            return code;
    } else if (!text[0]) {
        return DeleteLibraryRecord(record);
    }
    ErrorCode code = kErrNone;
    if (QueryRecordSize(record) < kLibraryNameRecordSize)
        code = ResizeRecord(&record, kLibraryNameRecordSize);
    auto* bytes = code == kErrNone ? static_cast<char*>(GlobalLock(record)) : nullptr;
    if (code == kErrNone && !bytes)
        code = kErrNoMemory;
    if (code == kErrNone) {
        const size_t room = QueryRecordSize(record) - kNameRecordOverhead;
        if (std::strlen(text) > room)
            text[room] = '\0';
        std::memset(bytes + kRecordHeaderBytes, 0, QueryRecordSize(record) - kRecordHeaderBytes);
        std::memcpy(bytes + kRecordHeaderBytes, text, std::strlen(text) + 1);
        GlobalUnlock(record);
        code = SetRecordDirty(record);
    }
    ReleaseRecord(record);
    return code;
}

void ReadVexletName(int store, int id, char* text, int size)
{
    text[0] = '\0';
    RecordHandle record = nullptr;
    if (FindRecord(store, kLibraryNameGroup, static_cast<short>(id), &record) != kErrNone)
        return;
    const auto* bytes = static_cast<const char*>(GlobalLock(record));
    const DWORD recordSize = QueryRecordSize(record);
    if (bytes && recordSize > kRecordHeaderBytes) {
        const DWORD length = static_cast<DWORD>(strnlen(bytes + kRecordHeaderBytes, recordSize - kRecordHeaderBytes));
        const DWORD kept = length < static_cast<DWORD>(size - 1) ? length : static_cast<DWORD>(size - 1);
        std::memcpy(text, bytes + kRecordHeaderBytes, kept);
        text[kept] = '\0';
    }
    if (bytes)
        GlobalUnlock(record);
    ReleaseRecord(record);
}

ErrorCode WriteChunkConnectPoints(int store, short group, int id, const VexletRecord& item)
{
    RecordHandle chunk = nullptr;
    ErrorCode code = FindRecord(store, group, static_cast<short>(id), &chunk);
    if (code != kErrNone)
        return code;
    auto* bytes = static_cast<unsigned char*>(GlobalLock(chunk));
    if (!bytes || QueryRecordSize(chunk) < static_cast<DWORD>(kChunkData)) {
        if (bytes)
            GlobalUnlock(chunk);
        ReleaseRecord(chunk);
        return kErrBadPicture;
    }
    const int count = item.connectPointCount < 0 || item.connectPointCount > kMaxSymbolConnectPoints
                          ? kMaxSymbolConnectPoints
                          : item.connectPointCount;
    PutInt16(bytes + kChunkConnectCount, count);
    const int kPointBytes = 4;
    for (int i = 0; i < kMaxSymbolConnectPoints; ++i) {
        PutInt16(bytes + kChunkConnectPoints + i * kPointBytes, item.connectPoints[i].x);
        PutInt16(bytes + kChunkConnectPoints + i * kPointBytes + 2, item.connectPoints[i].y);
    }
    GlobalUnlock(chunk);
    code = SetRecordDirty(chunk);
    ReleaseRecord(chunk);
    return code;
}

ErrorCode StoreSymbolObjects(int store, int id, HGLOBAL stream, DWORD size)
{
    ErrorCode code = EnsureLibraryGroup(store, kLibraryObjectsGroup);
    RecordHandle record = nullptr;
    if (code == kErrNone)
        code = CreateRecord(store, kLibraryObjectsGroup, static_cast<short>(id), size + kRecordHeaderBytes, &record);
    if (code != kErrNone)
        return code;
    code = CopyBytesToRecord(stream, record, size);
    if (code == kErrNone)
        code = SetRecordDirty(record);
    ReleaseRecord(record);
    return code;
}

ErrorCode DeleteSymbolRecords(int store, int id, int furtherChunks)
{
    auto remove = [store](short group, int recordId) -> ErrorCode {
        RecordHandle record = nullptr;
        ErrorCode code = FindRecord(store, group, static_cast<short>(recordId), &record);
        if (code != kErrNone)
            return code;
        return DeleteLibraryRecord(record);
    };
    const ErrorCode code = remove(kLibraryPictureGroup, id);
    if (code != kErrNone)
        return code;
    for (int i = 1; i <= furtherChunks && i <= kMaxFurtherChunks; ++i)
        DiscardError(remove(kLibraryPictureGroup, id + i), "a chunk no item names is only dead space");
    DiscardError(remove(kLibraryNameGroup, id), "the symbol may have no name");
    DiscardError(remove(kLibraryObjectsGroup, id), "a picture symbol has no objects");
    return kErrNone;
}

ErrorCode RefreshAfterSymbolChange(int row)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    SetLibraryButtonCount(row, slot.header->symbolCount);
    RECT client = {0, 0, 0, 0};
    if (slot.window)
        GetClientRect(slot.window, &client);
    LayoutLibraryWindow(row, client.right, client.bottom, LibraryNamesMode(row), true);
    ErrorCode code = SetRecordDirty(slot.headerHandle);
    CollectLibraryColors(row);
    RealizeAllDocumentPalettes();
    HGLOBAL thumbnail = BuildLibraryThumbnail(slot.store);
    if (thumbnail)
        GlobalFree(thumbnail);
    if (code == kErrNone)
        code = FlushStore(slot.store, FALSE);
    return code;
}
