#include "objects/drawing_records.h"

#include <cstring>
#include <vector>

#include "objects/app_options.h"
#include "objects/drawing_layout.h"
#include "common/handle_tokens.h"
#include "store/record_store.h"

namespace {

const short kTableGroups[4] = {kObjectTableGroup, kDrawOrderGroup, kLinkTableGroup, kGroupTableGroup};
const int kTableEntrySizes[4] = {kObjectEntrySize, 4, kLinkEntrySize, kGroupEntrySize};

uint16_t OptionsFlagWord()
{
    if (!AppOptions)
        return 0;
    uint16_t flags;
    std::memcpy(&flags, AppOptions + kOptionsFlags, sizeof(flags));
    return flags;
}

uint32_t DrawingFlagsFromOptions()
{
    uint32_t flags = kDrawingCentredMiddle;
    uint16_t options = OptionsFlagWord();
    if (options & kOptionsSnap)
        flags |= kDrawingSnap;
    if (options & kOptionsLinesLink)
        flags |= kDrawingLinesLink;
    if (options & kOptionsShapesLink)
        flags |= kDrawingShapesLink;
    if (AppOptions) {
        uint32_t textOnLines;
        std::memcpy(&textOnLines, AppOptions + kOptionsTextOnLines, sizeof(textOnLines));
        if (textOnLines & 0x02)
            flags |= kDrawingLineTextLevel;
    }
    return flags;
}

// The current style of the options' style list, when there is one.
void CopyCurrentStyle(ColorStyle* style)
{
    if (!ColorStyles)
        return;
    auto* list = static_cast<unsigned char*>(GlobalLock(ColorStyles));
    if (!list)
        return;
    SIZE_T size = GlobalSize(ColorStyles);
    int32_t count;
    int32_t current;
    std::memcpy(&count, list, sizeof(count));
    std::memcpy(&current, list + 4, sizeof(current));
    SIZE_T end = kColorStyleListHead + sizeof(ColorStyle) * (static_cast<SIZE_T>(current) + 1);
    if (current >= 0 && current < count && end <= size)
        std::memcpy(style, list + kColorStyleListHead + sizeof(ColorStyle) * current, sizeof(ColorStyle));
    GlobalUnlock(ColorStyles);
}

// A table's count as far as its record really holds entries.
void ClampTableCount(RecordHandle handle, int table)
{
    auto* head = static_cast<TableHead*>(GlobalLock(handle));
    if (!head)
        return;
    DWORD size = QueryRecordSize(handle);
    int room = size >= kTableHeadSize ? static_cast<int>((size - kTableHeadSize) / kTableEntrySizes[table]) : 0;
    if (head->count < 0)
        head->count = 0;
    if (head->count > room)
        head->count = room;
    GlobalUnlock(handle);
}

// Every object index once in the draw order: entries out of range or seen
// before are dropped, missing objects go on top. Keeps a stored order intact.
ErrorCode RepairDrawOrder(RecordHandle* order, int objectCount)
{
    auto* head = static_cast<TableHead*>(GlobalLock(*order));
    if (!head)
        return kErrNoMemory;
    std::vector<char> seen(static_cast<size_t>(objectCount), 0);
    std::vector<int32_t> kept;
    int32_t* entries = DrawOrderEntries(head);
    bool sound = head->count == objectCount;
    for (int i = 0; i < head->count; ++i) {
        int32_t index = entries[i];
        if (index < 0 || index >= objectCount || seen[index]) {
            sound = false;
            continue;
        }
        seen[index] = 1;
        kept.push_back(index);
    }
    GlobalUnlock(*order);
    if (sound)
        return kErrNone;
    for (int i = 0; i < objectCount; ++i) {
        if (!seen[i])
            kept.push_back(i);
    }
    DWORD needed = kTableHeadSize + 4 * static_cast<DWORD>(objectCount);
    if (QueryRecordSize(*order) < needed) {
        ErrorCode code = ResizeRecord(order, needed);
        if (code != kErrNone)
            return code;
    }
    head = static_cast<TableHead*>(GlobalLock(*order));
    if (!head)
        return kErrNoMemory;
    head->count = objectCount;
    if (objectCount > 0)
        std::memcpy(DrawOrderEntries(head), kept.data(), 4 * static_cast<size_t>(objectCount));
    GlobalUnlock(*order);
    return kErrNone;
}

// The drawing record must hold all its fields; a short one is grown (zeroed).
ErrorCode EnsureDrawingRecordSize(RecordHandle* drawing)
{
    if (QueryRecordSize(*drawing) >= static_cast<DWORD>(kDrawingRecordSize))
        return kErrNone;
    return ResizeRecord(drawing, kDrawingRecordSize);
}

} // namespace

ErrorCode CreateDrawingRecords(HWND view, int store, int tableId, int width, int height, int warningId,
                               HGLOBAL* drawingHandle)
{
    *drawingHandle = nullptr;
    RecordHandle tables[4] = {};
    for (int i = 0; i < 4; ++i) {
        ErrorCode code = CreateRecord(store, kTableGroups[i], static_cast<short>(tableId), kTableHeadSize, &tables[i]);
        if (code != kErrNone)
            return code;
    }
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kDrawingGroup, kDrawingRecordId, &record);
    if (code == kErrNone)
        code = EnsureDrawingRecordSize(&record);
    if (code != kErrNone)
        return code;
    for (RecordHandle table : tables)
        DiscardError(SetRecordDirty(table), "the records were made just now: their handles are good");
    DiscardError(SetRecordDirty(record), "the record was made just now: its handle is good");

    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(record));
    if (!drawing)
        return kErrNoMemory;
    drawing->viewWindow = static_cast<uint32_t>(HandleToLong(view));
    drawing->storeSlot = store;
    drawing->flags = DrawingFlagsFromOptions();
    drawing->objectTable = AddHandleToken(tables[0]);
    drawing->drawOrder = AddHandleToken(tables[1]);
    drawing->linkTable = AddHandleToken(tables[2]);
    drawing->groupTable = AddHandleToken(tables[3]);
    drawing->selectedCount = 0;
    drawing->primarySelected = -1;
    drawing->lastObjectId = 0;
    drawing->loadedSet = 0;
    drawing->fillMode = 1;
    drawing->startArrow = 0;
    drawing->endArrow = 0;
    drawing->arrowSize = 1;
    drawing->snapDragFlag = 1;
    drawing->warningId = warningId;
    drawing->toolSlot = -1;
    drawing->width = width;
    drawing->height = height;
    if (AppOptions) {
        std::memcpy(&drawing->outlineWidth, AppOptions + kOptionsNewObjectDefaults, 84);
        std::memcpy(drawing->rulerScale, AppOptions + kOptionsRulerScale, sizeof(drawing->rulerScale));
    }
    CopyCurrentStyle(&drawing->style);
    GlobalUnlock(record);

    for (RecordHandle table : tables) {
        auto* head = static_cast<TableHead*>(GlobalLock(table));
        if (head)
            head->count = 0;
        GlobalUnlock(table);
    }
    *drawingHandle = record;
    return kErrNone;
}

ErrorCode OpenDrawingRecords(HWND view, int store, int tableId, int warningId, HGLOBAL* drawingHandle)
{
    *drawingHandle = nullptr;
    // Looked up in the order draw order, objects, links, groups.
    const int lookup[4] = {1, 0, 2, 3};
    RecordHandle tables[4] = {};
    for (int i : lookup) {
        ErrorCode code = FindRecord(store, kTableGroups[i], static_cast<short>(tableId), &tables[i]);
        if (code != kErrNone)
            return code;
    }
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kDrawingGroup, kDrawingRecordId, &record);
    if (code == kErrNone)
        code = EnsureDrawingRecordSize(&record);
    if (code != kErrNone)
        return code;
    for (RecordHandle table : tables)
        DiscardError(SetRecordDirty(table), "the records were found just now: their handles are good");
    DiscardError(SetRecordDirty(record), "the record was found just now: its handle is good");

    // The tables come from a file: their counts must fit their records.
    for (int i = 0; i < 4; ++i)
        ClampTableCount(tables[i], i);
    auto* objects = GlobalLock(tables[0]);
    int objectCount = objects ? TableCount(objects) : 0;
    GlobalUnlock(tables[0]);
    code = RepairDrawOrder(&tables[1], objectCount);
    if (code != kErrNone)
        return code;

    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(record));
    if (!drawing)
        return kErrNoMemory;
    drawing->viewWindow = static_cast<uint32_t>(HandleToLong(view));
    drawing->storeSlot = store;
    drawing->objectTable = AddHandleToken(tables[0]);
    drawing->drawOrder = AddHandleToken(tables[1]);
    drawing->linkTable = AddHandleToken(tables[2]);
    drawing->groupTable = AddHandleToken(tables[3]);
    drawing->warningId = warningId;
    drawing->toolSlot = -1;
    drawing->selectedCount = 0;
    drawing->flags &= ~kDrawingDragging;
    drawing->loadedSet = objectCount > 0 ? 1 : 0;
    objects = GlobalLock(tables[0]);
    for (int i = 0; objects && i < objectCount; ++i) {
        DrawingObject* object = ObjectAt(objects, i);
        object->stateFlags &= ~(kStateTextOpen | kStateCollected);
        if (object->stateFlags & kStateSelected)
            ++drawing->selectedCount;
    }
    GlobalUnlock(tables[0]);
    GlobalUnlock(record);
    *drawingHandle = record;
    return kErrNone;
}

void ReleaseDrawingRecords(HGLOBAL drawingHandle)
{
    if (!drawingHandle)
        return;
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(drawingHandle));
    if (drawing) {
        for (uint32_t* word : {&drawing->objectTable, &drawing->drawOrder, &drawing->linkTable, &drawing->groupTable}) {
            HGLOBAL table = TokenHandle(*word);
            if (table)
                ReleaseRecord(table);
            FreeHandleToken(*word);
            *word = 0;
        }
        GlobalUnlock(drawingHandle);
    }
    ReleaseRecord(drawingHandle);
}
