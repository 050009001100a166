// Converting a drawing of an earlier version, record by record, inside its
// working store; the file it came from is never touched.
#include <vector>

#include "common/handle_words.h"
#include "documents/document_records.h"
#include "documents/earlier_version.h"
#include "documents/earlier_version_records.h"
#include "store/record_store.h"

namespace {

const short kObjectGroup = 110, kDrawOrderGroup = 111, kLinkGroup = 115;
const short kTextGroup = 114, kRouteGroup = 116;
const short kPictureGroups[2] = {113, 112};
const short kGroupTableGroup = 118;
const short kNewGroups[3] = {119, 120, 118};
const DWORD kGroupTableRecordSize = 20;
const DWORD kPictureScanFlags = 78;
const DWORD kPictureClearEnd = 94;

void ClearPictureChunk(const OldPayload& old, NewPayload* target)
{
    target->Bytes(0, old.At(0), old.Size());
    const uint8_t zeros[kPictureClearEnd - kPictureScanFlags] = {};
    target->Bytes(kPictureScanFlags, zeros, sizeof(zeros));
}

DWORD SameSize(const OldPayload& old) { return old.Size() >= kPictureClearEnd ? old.Size() : 0; }

ErrorCode ConvertGroup(int store, short group, NewSizeOf sizeOf, WidenPayload widen, bool growOnly)
{
    std::vector<short> ids;
    ErrorCode code = OldGroupIds(store, group, &ids);
    for (size_t index = 0; code == kErrNone && index < ids.size(); ++index)
        code = RewriteOldRecord(store, group, ids[index], sizeOf, widen, growOnly);
    return code;
}

ErrorCode ConvertViewBlock(HGLOBAL viewBlock, int* oldVersion)
{
    auto* bytes = static_cast<uint8_t*>(GlobalLock(viewBlock));
    if (!bytes)
        return kErrNoMemory;
    const SIZE_T size = GlobalSize(viewBlock);
    if (size < kViewRecordSize) {
        GlobalUnlock(viewBlock);
        return kErrOldRecordDamaged;
    }
    *oldVersion = ReadLeI16(bytes);
    const OldPayload old(std::vector<uint8_t>(bytes, bytes + kViewRecordSize));
    std::memset(bytes, 0, kViewRecordSize);
    NewPayload target(bytes, kViewRecordSize);
    WidenViewRecord(old, &target);
    GlobalUnlock(viewBlock);
    return kErrNone;
}

ErrorCode CreateEmptyGroupTable(int store)
{
    for (short group : kNewGroups) {
        // A group the old file has already is the one wanted.
        const ErrorCode created = CreateGroup(store, group);
        if (created != kErrNone && created != kStoreErrExists)
            return created;
    }
    RecordHandle record = nullptr;
    ErrorCode code = CreateRecord(store, kGroupTableGroup, 0, kGroupTableRecordSize, &record);
    if (code == kStoreErrExists)
        return kErrNone;
    if (code != kErrNone)
        return code;
    code = SetRecordDirty(record);
    ReleaseRecord(record);
    return code;
}

void SetViewVersion(HGLOBAL viewBlock, int32_t version)
{
    if (auto* bytes = static_cast<uint8_t*>(GlobalLock(viewBlock))) {
        WriteLeI32(bytes, version);
        GlobalUnlock(viewBlock);
    }
}

} // namespace

ErrorCode ClearPictureCaches(HGLOBAL viewBlock, int storeSlot)
{
    for (short group : kPictureGroups) {
        ErrorCode code = ConvertGroup(storeSlot, group, SameSize, ClearPictureChunk, true);
        if (code != kErrNone)
            return code;
    }
    SetViewVersion(viewBlock, 1);
    return kErrNone;
}

ErrorCode ConvertOldDocument(HGLOBAL viewBlock, int storeSlot)
{
    int oldVersion = 0;
    ErrorCode code = ConvertViewBlock(viewBlock, &oldVersion);
    if (code == kErrNone)
        code = RewriteOldRecord(storeSlot, kDocumentGroup, kFontTableId, FontTableSize, WidenFontTable, false);
    if (code == kErrNone)
        code = RewriteOldRecord(storeSlot, kDocumentGroup, kFontListId, FontListSize, WidenFontList, false);
    if (code == kErrNone) {
        code = RewriteOldRecord(storeSlot, kDocumentGroup, kColorListId, ColorListSize, WidenColorList, false);
        if (code == kStoreErrNotFound)
            code = kErrNone;
    }
    if (code == kErrNone)
        code = RewriteOldRecord(storeSlot, kDocumentGroup, kDrawingRecordId105, DrawingRecordSize,
                                WidenDrawingRecord, false);
    if (code == kErrNone)
        code = RewriteOldRecord(storeSlot, kObjectGroup, 0, ObjectTableSize, WidenObjectTable, false);
    if (code == kErrNone)
        code = RewriteOldRecord(storeSlot, kDrawOrderGroup, 0, DrawOrderSize, WidenDrawOrder, false);
    if (code == kErrNone)
        code = RewriteOldRecord(storeSlot, kLinkGroup, 0, LinkTableSize, WidenLinkTable, false);
    if (code == kErrNone)
        code = CreateEmptyGroupTable(storeSlot);
    if (code == kErrNone)
        code = ConvertGroup(storeSlot, kTextGroup, TextBlockSize, WidenTextBlock, true);
    if (code == kErrNone)
        code = ConvertGroup(storeSlot, kRouteGroup, RouteSize, WidenRoute, false);
    if (code == kErrNone && oldVersion == 0)
        code = ClearPictureCaches(viewBlock, storeSlot);
    if (code == kErrNone)
        SetViewVersion(viewBlock, kViewRecordVersion);
    return code;
}
