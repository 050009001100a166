#include "libraries/library_file.h"

#include <cstring>

#include "common/io_seam.h"
#include "objects/picture_chunks.h"

namespace {

const int kLibraryButtonDefault = 50;
const int kLeastButtonSize = 30;
const int kLargestButtonSize = 70;
const double kFarAway = 1000000.0;
// Payload bytes of a picture chunk that the earlier format used otherwise.
const int kOldChunkFieldsFirst = kChunkScanFlags - static_cast<int>(kRecordHeaderBytes);
const int kOldChunkFieldsEnd = kChunkData - static_cast<int>(kRecordHeaderBytes);

ErrorCode ClearOldChunkFields(int store, short id)
{
    RecordHandle chunk = nullptr;
    ErrorCode code = FindRecord(store, kLibraryPictureGroup, id, &chunk);
    if (code)
        return code;
    if (QueryRecordSize(chunk) >= static_cast<DWORD>(kChunkData)) {
        auto* bytes = static_cast<uint8_t*>(GlobalLock(chunk));
        if (bytes) {
            std::memset(bytes + kRecordHeaderBytes + kOldChunkFieldsFirst, 0,
                        kOldChunkFieldsEnd - kOldChunkFieldsFirst);
            GlobalUnlock(chunk);
        }
    }
    code = SetRecordDirty(chunk);
    ReleaseRecord(chunk);
    return code;
}

double Distance(ConnectPoint p, int x, int y)
{
    const double dx = p.x - x;
    const double dy = p.y - y;
    return dx * dx + dy * dy;
}

int NearestSlot(const VexletRecord& item, int x, int y)
{
    int best = 0;
    double bestDistance = kFarAway * kFarAway;
    for (int i = 0; i < item.connectPointCount; ++i) {
        const double d = Distance(item.connectPoints[i], x, y);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void SwapInto(VexletRecord* item, int found, int slot)
{
    if (found == slot)
        return;
    const ConnectPoint held = item->connectPoints[slot];
    item->connectPoints[slot] = item->connectPoints[found];
    item->connectPoints[found] = held;
}

void NormalizeItem(VexletRecord* item)
{
    const int left = NearestSlot(*item, 0, kSymbolSquareMid);
    const int right = NearestSlot(*item, kSymbolSquare, kSymbolSquareMid);
    const int top = NearestSlot(*item, kSymbolSquareMid, 0);
    const int bottom = NearestSlot(*item, kSymbolSquareMid, kSymbolSquare);
    SwapInto(item, left, kLeftMidSlot);
    item->connectPoints[kLeftMidSlot].y = kSymbolSquareMid;
    SwapInto(item, right, kRightMidSlot);
    item->connectPoints[kRightMidSlot].y = kSymbolSquareMid;
    SwapInto(item, top, kTopMidSlot);
    item->connectPoints[kTopMidSlot].x = kSymbolSquareMid;
    SwapInto(item, bottom, kBottomMidSlot);
    item->connectPoints[kBottomMidSlot].x = kSymbolSquareMid;
}

void ClampField(int16_t* value, int least, int most, int replacement)
{
    if (*value < least || *value > most)
        *value = static_cast<int16_t>(replacement);
}

// Checks 2 to 5 on a store that is open.
ErrorCode CheckLibraryHeader(OpenedLibrary* opened)
{
    ErrorCode code = FindRecord(opened->store, kLibraryInfoGroup, kLibraryHeaderId, &opened->header);
    if (code)
        return code;
    if (QueryRecordSize(opened->header) < kLibraryHeaderSize)
        return kErrNotALibrary;
    auto* locked = GlobalLock(opened->header);
    if (!locked)
        return kErrNoMemory;
    auto* header = RecordPayload<LibraryHeader>(locked);
    code = kErrNone;
    if (header->magic != kLibraryMagic || !SanitizeLibraryHeader(header))
        code = kErrNotALibrary;
    else if (header->version == kLibraryVersionOld) {
        code = ConvertVersion1Library(header, opened->store);
        if (!code) {
            DiscardError(SetRecordDirty(opened->header), "the header was fetched just now");
            DiscardError(FlushStore(opened->store, FALSE), "an upgrade that cannot be written stays in memory");
        }
    } else if (header->version != kLibraryVersionNew && header->version != kLibraryVersionLatest)
        code = kErrLibraryLaterVersion;
    GlobalUnlock(opened->header);
    if (!code && opened->readOnly)
        code = LoadAllLibraryRecords(opened->store);
    return code;
}

LibraryViewBlock* LockView(RecordHandle view)
{
    void* locked = GlobalLock(view);
    return locked ? RecordPayload<LibraryViewBlock>(locked) : nullptr;
}

ErrorCode FetchView(int store, RecordHandle* view)
{
    ErrorCode code = FindRecord(store, kLibraryInfoGroup, kLibraryViewId, view);
    if (code == kStoreErrNotFound) {
        code = CreateLibraryViewBlock(store, kLibraryButtonDefault);
        if (!code)
            code = FindRecord(store, kLibraryInfoGroup, kLibraryViewId, view);
    }
    if (code)
        return code;
    if (QueryRecordSize(*view) != kLibraryViewSize) {
        code = WidenLibraryViewBlock(view);
        if (code)
            return code;
        DiscardError(FlushStore(store, FALSE), "an upgrade that cannot be written stays in memory");
    }
    return kErrNone;
}

ErrorCode WriteEmptyLibrary(int store, int buttonSize)
{
    const short groups[] = {kLibraryInfoGroup, kLibraryPictureGroup, kLibraryObjectsGroup};
    for (short group : groups) {
        ErrorCode code = CreateGroup(store, group);
        if (code)
            return code;
    }
    RecordHandle header = nullptr;
    ErrorCode code = CreateRecord(store, kLibraryInfoGroup, kLibraryHeaderId, kLibraryHeaderSize, &header);
    if (code)
        return code;
    void* locked = GlobalLock(header);
    if (!locked)
        return kErrNoMemory;
    RecordPayload<LibraryHeader>(locked)->magic = kLibraryMagic;
    RecordPayload<LibraryHeader>(locked)->version = kLibraryVersionNew;
    GlobalUnlock(header);
    code = SetRecordDirty(header);
    ReleaseRecord(header);
    if (code)
        return code;
    return CreateLibraryViewBlock(store, buttonSize < kLeastButtonSize ? kLeastButtonSize : buttonSize);
}

} // namespace

void InitVexletRecord(VexletRecord* item)
{
    static const ConnectPoint kFramePoints[kMaxSymbolConnectPoints] = {
        {0, 0}, {150, 0}, {300, 0}, {450, 0}, {600, 0}, {600, 150}, {600, 300}, {600, 450},
        {600, 600}, {450, 600}, {300, 600}, {150, 600}, {0, 600}, {0, 450}, {0, 300}, {0, 150},
    };
    const int16_t kBelow = 4;
    const int16_t kProportional = 3;
    const uint16_t kColorsFixed = 1;
    const double kTextMargin = 0.4;
    std::memset(item, 0, sizeof(*item));
    item->textPlacement = kBelow;
    item->growMode = kProportional;
    item->optionFlags = kColorsFixed;
    for (double& margin : item->textMargins)
        margin = kTextMargin;
    item->connectPointCount = kMaxSymbolConnectPoints;
    std::memcpy(item->connectPoints, kFramePoints, sizeof(kFramePoints));
}

ErrorCode CreateLibraryViewBlock(int store, int buttonSize)
{
    RecordHandle view = nullptr;
    ErrorCode code = CreateRecord(store, kLibraryInfoGroup, kLibraryViewId, kLibraryViewSize, &view);
    if (code)
        return code;
    LibraryViewBlock* block = LockView(view);
    if (!block)
        return kErrNoMemory;
    block->flags = kLibraryPointsNormalized;
    block->buttonSize = static_cast<int16_t>(buttonSize);
    GlobalUnlock(view);
    DiscardError(SetRecordDirty(view), "the record was made just now");
    ReleaseRecord(view);
    return FlushStore(store, FALSE);
}

ErrorCode ConvertVersion1Library(LibraryHeader* header, int store)
{
    int count = 0;
    ErrorCode code = CountGroupRecords(store, kLibraryPictureGroup, &count);
    for (int i = 0; !code && i < count; ++i) {
        short id = 0;
        code = GetGroupRecordId(store, kLibraryPictureGroup, i, &id);
        if (!code)
            code = ClearOldChunkFields(store, id);
    }
    if (code)
        return code;
    for (int i = 0; i < header->symbolCount; ++i) {
        VexletRecord& item = header->items[i];
        item.reserved1 = item.reserved2 = item.furtherChunks = item.reserved3 = 0;
        item.reserved4 = item.reserved5 = 0;
    }
    header->version = kLibraryVersionNew;
    return kErrNone;
}

ErrorCode WidenLibraryViewBlock(RecordHandle* view)
{
    ErrorCode code = ResizeRecord(view, kLibraryViewSize);
    if (code)
        return code;
    LibraryViewBlock* block = LockView(*view);
    if (!block)
        return kErrNoMemory;
    block->columns = block->rows = block->paletteCount = 0;
    GlobalUnlock(*view);
    return SetRecordDirty(*view);
}

void NormalizeConnectPoints(LibraryHeader* header)
{
    for (int i = 0; i < header->symbolCount; ++i)
        if (header->items[i].connectPointCount > 0)
            NormalizeItem(&header->items[i]);
}

ErrorCode LoadAllLibraryRecords(int store)
{
    int groups = 0;
    ErrorCode code = CountGroups(store, &groups);
    for (int g = 0; !code && g < groups; ++g) {
        short group = 0;
        int count = 0;
        code = GetGroupIdAt(store, g, &group);
        if (!code)
            code = CountGroupRecords(store, group, &count);
        for (int i = 0; !code && i < count; ++i) {
            short id = 0;
            RecordHandle record = nullptr;
            code = GetGroupRecordId(store, group, i, &id);
            if (!code)
                code = FindRecord(store, group, id, &record);
        }
    }
    return code;
}

bool SanitizeLibraryHeader(LibraryHeader* header)
{
    if (header->symbolCount < 0 || header->symbolCount > kMaxLibrarySymbols)
        return false;
    for (int i = 0; i < header->symbolCount; ++i) {
        VexletRecord& item = header->items[i];
        ClampField(&item.connectPointCount, 0, kMaxSymbolConnectPoints, kMaxSymbolConnectPoints);
        ClampField(&item.furtherChunks, 0, kMaxFurtherChunks, 0);
    }
    return true;
}

void SanitizeLibraryView(LibraryViewBlock* view)
{
    ClampField(&view->paletteCount, 0, kMaxLibraryColors, 0);
    ClampField(&view->buttonSize, kLeastButtonSize, kLargestButtonSize, kLibraryButtonDefault);
    const int kMostCells = kMaxLibrarySymbols;
    ClampField(&view->columns, 0, kMostCells, 0);
    ClampField(&view->rows, 0, kMostCells, 0);
}

ErrorCode OpenLibraryStore(const char* path, OpenedLibrary* opened)
{
    *opened = OpenedLibrary();
    int secondWord = 0;
    ErrorCode code = OpenStoreByName(path, &opened->store, 0, &secondWord, FALSE);
    if (code) {
        opened->readOnly = TRUE;
        code = OpenStoreByName(path, &opened->store, 0, &secondWord, TRUE);
    }
    if (code) {
        *opened = OpenedLibrary();
        return code;
    }
    code = CheckLibraryHeader(opened);
    if (code) {
        DiscardError(CloseOrAbandonStore(opened->store), "the open failed already; its code is reported");
        *opened = OpenedLibrary();
    }
    return code;
}

ErrorCode PrepareLibraryView(const OpenedLibrary& opened, RecordHandle* view)
{
    *view = nullptr;
    ErrorCode code = FetchView(opened.store, view);
    if (code)
        return code;
    LibraryViewBlock* block = LockView(*view);
    auto* header = static_cast<uint8_t*>(GlobalLock(opened.header));
    if (!block || !header) {
        if (block)
            GlobalUnlock(*view);
        return kErrNoMemory;
    }
    SanitizeLibraryView(block);
    if (!(block->flags & kLibraryPointsNormalized)) {
        NormalizeConnectPoints(RecordPayload<LibraryHeader>(header));
        block->flags |= kLibraryPointsNormalized;
        DiscardError(SetRecordDirty(opened.header), "the header is held by the open");
        DiscardError(SetRecordDirty(*view), "the view block was fetched just now");
        DiscardError(FlushStore(opened.store, FALSE), "an upgrade that cannot be written stays in memory");
    }
    GlobalUnlock(opened.header);
    GlobalUnlock(*view);
    return kErrNone;
}

ErrorCode CreateEmptyLibrary(const char* path, int buttonSize)
{
    ErrorCode code = CreateStoreFile(path, 0, kStoreShift, kLibraryMapCapacity);
    if (code)
        return code;
    int store = -1;
    int secondWord = 0;
    code = OpenStoreByName(path, &store, 0, &secondWord, FALSE);
    if (!code) {
        code = WriteEmptyLibrary(store, buttonSize);
        // The file is deleted after a failure: a store left open would hold it.
        const ErrorCode closed = CloseOrAbandonStore(store);
        if (!code)
            code = closed;
    }
    if (code)
        SeamDeleteFile(path);
    return code;
}

BOOL IsLibraryFile(const char* path)
{
    int store = -1;
    int secondWord = 0;
    if (OpenStoreByName(path, &store, 0, &secondWord, FALSE) &&
        OpenStoreByName(path, &store, 0, &secondWord, TRUE))
        return FALSE;
    RecordHandle header = nullptr;
    BOOL known = FALSE;
    if (!FindRecord(store, kLibraryInfoGroup, kLibraryHeaderId, &header) &&
        QueryRecordSize(header) >= kRecordHeaderBytes + sizeof(uint32_t) + sizeof(int16_t)) {
        void* locked = GlobalLock(header);
        if (locked) {
            const int16_t version = RecordPayload<LibraryHeader>(locked)->version;
            known = version >= kLibraryVersionOld && version <= kLibraryVersionLatest;
            GlobalUnlock(header);
        }
    }
    DiscardError(CloseOrAbandonStore(store), "the store was only read");
    return known;
}
