#include "view/clipboard_paste.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/app_globals.h"
#include "common/handle_tokens.h"
#include "common/io_seam.h"
#include "documents/clipboard_store.h"
#include "lines/array_record.h"
#include "objects/clipboard_pictures.h"
#include "objects/document_colors.h"
#include "objects/document_palette.h"
#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/link_table.h"
#include "objects/object_ids.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/paste_position.h"
#include "objects/picture_chunks.h"
#include "objects/picture_place.h"
#include "objects/text_block.h"
#include "objects/view_record.h"
#include "store/record_store.h"
#include "text/font_list.h"
#include "view/clipboard_text_paste.h"
#include "view/selection_changes.h"

namespace {

const short kFontTableRecord = 103;
const short kFontListRecord = 104;
const short kTableId = 0;
const DWORD kHeaderBytes = 16;
const int32_t kNoId = 0xFFFF;
const int kMaxRecordId = 0x7FFF;

// A scratch table found and locked for the paste.
class ScratchTable {
public:
    ScratchTable(int store, short group)
    {
        if (FindRecord(store, group, kTableId, &record_) == kErrNone)
            pointer_ = GlobalLock(record_);
    }
    ~ScratchTable()
    {
        if (pointer_)
            GlobalUnlock(record_);
        if (record_)
            ReleaseRecord(record_);
    }
    ScratchTable(const ScratchTable&) = delete;
    ScratchTable& operator=(const ScratchTable&) = delete;

    void* Get() const { return pointer_; }
    // Entries the record really holds, whatever its count word says.
    int Count(DWORD entryBytes) const
    {
        if (!pointer_)
            return 0;
        const DWORD size = static_cast<DWORD>(GlobalSize(record_));
        const int room = size < static_cast<DWORD>(kTableHeadSize) ? 0 : static_cast<int>((size - kTableHeadSize) / entryBytes);
        return std::clamp(TableCount(pointer_), 0, room);
    }

private:
    RecordHandle record_ = nullptr;
    void* pointer_ = nullptr;
};

struct Paste {
    HWND view;
    void* viewRecord;
    DrawingRecord* drawing;
    int scratch;
    int store;
    int oldCount;
    int oldGroups;
    int count;
    int groupCount;
    int32_t keyBase;
    RECT extent;
    std::vector<int32_t> newIds;
    HGLOBAL fontMap;
};

// The payload of a scratch record in a new block.
ErrorCode CopyScratchPayload(int store, short id, HGLOBAL* block)
{
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kDrawingGroup, id, &record);
    if (code != kErrNone)
        return code;
    const DWORD size = QueryRecordSize(record);
    *block = size > kHeaderBytes ? SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size - kHeaderBytes) : nullptr;
    code = *block ? CopyRecordToBlock(record, *block) : ErrorCode(kErrNoMemory);
    ReleaseRecord(record);
    return code;
}

// A record of the scratch store copied into the document's store; the new
// record comes back locked through `copy` when asked for (the caller releases).
ErrorCode CopyRecordAcross(const Paste& p, short group, int oldId, int newId, RecordHandle* copy = nullptr)
{
    if (oldId < 0 || oldId > kMaxRecordId || newId < 0 || newId > kMaxRecordId)
        return kErrNotDone;
    RecordHandle source = nullptr;
    ErrorCode code = FindRecord(p.scratch, group, static_cast<short>(oldId), &source);
    if (code != kErrNone)
        return code;
    const DWORD size = QueryRecordSize(source);
    RecordHandle target = nullptr;
    code = CreateRecord(p.store, group, static_cast<short>(newId), size, &target);
    if (code == kErrNone)
        code = CopyRecordPayload(source, target, size);
    ReleaseRecord(source);
    if (code == kErrNone && copy)
        *copy = target;
    else if (target)
        ReleaseRecord(target);
    return code;
}

ErrorCode MergeFonts(Paste& p, HGLOBAL fontList)
{
    auto* record = static_cast<ViewRecord*>(p.viewRecord);
    HGLOBAL table = TokenHandle(record->fontTable);
    HGLOBAL list = TokenHandle(record->fontList);
    const int failed = MergeFontTables(&table, p.fontMap, fontList, &list);
    if (table != TokenHandle(record->fontTable))
        SetTokenHandle(record->fontTable, table);
    if (list != TokenHandle(record->fontList))
        SetTokenHandle(record->fontList, list);
    return failed ? ErrorCode(kErrNoMemory) : ErrorCode(kErrNone);
}

// Below the smallest key when the pasted rows fit there, else above the largest.
int32_t GroupKeyBase(void* groups, int pastedRows)
{
    const int rows = groups ? TableCount(groups) : 0;
    if (rows == 0)
        return 1;
    uint32_t smallest = 0xFFFFFFFFu;
    uint32_t largest = 0;
    for (int r = 0; r < rows; ++r) {
        const auto key = static_cast<uint32_t>(GroupEntryAt(groups, r)->key);
        smallest = std::min(smallest, key);
        largest = std::max(largest, key);
    }
    if (smallest < 0xFFFFu && static_cast<uint32_t>(pastedRows) < smallest)
        return static_cast<int32_t>(smallest - static_cast<uint32_t>(pastedRows));
    return static_cast<int32_t>(largest + 1);
}

ErrorCode GrowTables(Paste& p)
{
    const DWORD objects = kTableHeadSize + static_cast<DWORD>(kObjectEntrySize) * (p.oldCount + p.count + 1);
    const DWORD order = kTableHeadSize + 4u * static_cast<DWORD>(p.oldCount + p.count);
    const DWORD groups = kTableHeadSize + static_cast<DWORD>(kGroupEntrySize) * (p.oldGroups + p.groupCount);
    ErrorCode code = ResizeDrawingTable(p.drawing, kTableObjects, objects);
    if (code == kErrNone)
        code = ResizeDrawingTable(p.drawing, kTableDrawOrder, order);
    if (code == kErrNone)
        code = ResizeDrawingTable(p.drawing, kTableGroups, groups);
    if (code == kErrNone)
        code = SetDrawingTableDirty(p.drawing, kTableGroups);
    return code;
}

ErrorCode AppendObjects(Paste& p, void* scratchObjects, void* objects)
{
    for (int i = 0; i < p.count; ++i) {
        DrawingObject* object = ObjectAt(objects, p.oldCount + i);
        std::memcpy(object, ObjectAt(scratchObjects, i), kObjectEntrySize);
        static_cast<TableHead*>(objects)->count = p.oldCount + i + 1;
        const int32_t id = NewObjectId(p.drawing);
        if (id == 0)
            return kErrNotDone;
        object->objectId = id;
        p.newIds[static_cast<size_t>(i)] = id;
    }
    return kErrNone;
}

// The pasted index of a scratch object named by id and hint, or -1.
int PastedIndex(const Paste& p, void* scratchObjects, int32_t id, int hint)
{
    const int found = FindObjectIndex(scratchObjects, id, hint);
    return found >= 0 && found < p.count ? found : -1;
}

void RehangOnHost(const Paste& p, void* scratchObjects, DrawingObject* object)
{
    if (object->labelPartnerId == kNoId)
        return;
    const int host = PastedIndex(p, scratchObjects, object->labelPartnerId, object->labelPartnerHint);
    if (host < 0) {
        object->labelPartnerId = kNoId;
        object->stateFlags &= ~kStateAttached;
        object->labelPartnerHint = -1;
        return;
    }
    object->labelPartnerId = p.newIds[static_cast<size_t>(host)];
    object->labelPartnerHint = p.oldCount + host;
}

ErrorCode RelinkSlots(const Paste& p, void* scratchObjects, int index)
{
    LockedTable objects(p.drawing, kTableObjects);
    DrawingObject* object = ObjectAt(objects.Get(), index);
    const int slots = SlotsInUse(object);
    for (int s = 0; s < slots; ++s) {
        LinkSlot& slot = object->links[s];
        const int target = PastedIndex(p, scratchObjects, slot.targetId, slot.targetHint);
        if (target < 0)
            continue;  // a copy keeps no link to an object it left out
        slot.targetId = p.newIds[static_cast<size_t>(target)];
        slot.targetHint = p.oldCount + target;
    }
    for (int s = 0; s < slots; ++s) {
        ErrorCode code = AddLink(p.drawing, index, s);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

void RehookBranches(const Paste& p, void* scratchObjects, RecordHandle record)
{
    auto* list = static_cast<ArrayBranchHead*>(GlobalLock(record));
    RehookBranchEntries(list, static_cast<DWORD>(GlobalSize(record)), [&](int32_t* id, int32_t* hint) {
        const int hooked = PastedIndex(p, scratchObjects, *id, *hint);
        *id = hooked >= 0 ? p.newIds[static_cast<size_t>(hooked)] : kNoId;
        *hint = hooked >= 0 ? p.oldCount + hooked : -1;
    });
    if (list)
        GlobalUnlock(record);
}

ErrorCode CopyDataRecords(const Paste& p, void* scratchObjects, DrawingObject* object)
{
    if (object->dataGroup <= 0 || object->dataGroup > kMaxRecordId || object->dataCount <= 0 ||
        object->dataFirstId < 0)
        return kErrNone;
    const auto group = static_cast<short>(object->dataGroup);
    short first = 0;
    ErrorCode code = FindFreeIdRun(p.store, group, object->dataCount, &first);
    for (int k = 0; code == kErrNone && k < object->dataCount; ++k) {
        RecordHandle copy = nullptr;
        code = CopyRecordAcross(p, group, object->dataFirstId + k, first + k, &copy);
        if (code == kErrNone && group == kArrayBranchGroup)
            RehookBranches(p, scratchObjects, copy);
        if (copy)
            ReleaseRecord(copy);
    }
    if (code == kErrNone)
        object->dataFirstId = first;
    return code;
}

ErrorCode CopyText(const Paste& p, DrawingObject* object)
{
    if (object->textRecordId < 0)
        return kErrNone;
    short id = 0;
    ErrorCode code = FindFreeId(p.store, kTextGroup, &id);
    RecordHandle copy = nullptr;
    if (code == kErrNone)
        code = CopyRecordAcross(p, kTextGroup, object->textRecordId, id, &copy);
    if (code == kErrNone)
        code = RemapTextFonts(p.fontMap, copy);
    if (copy)
        ReleaseRecord(copy);
    if (code == kErrNone)
        object->textRecordId = id;
    return code;
}

// Everything one pasted object refers to, made its own in the document.
ErrorCode AdoptObject(Paste& p, void* scratchObjects, void* scratchOrder, int i)
{
    const int index = p.oldCount + i;
    const int32_t oldId = ObjectAt(scratchObjects, i)->objectId;
    {
        LockedTable objects(p.drawing, kTableObjects);
        DrawingObject* object = ObjectAt(objects.Get(), index);
        if (object->groupIndex >= 0) {
            object->groupKey = p.keyBase + object->groupIndex;
            object->groupIndex += p.oldGroups;
        }
        RehangOnHost(p, scratchObjects, object);
        UnionRect(&p.extent, &p.extent, &object->frame);
        object->stateFlags |= kStateSelected;
    }
    RecordHandle attachment = nullptr;
    if (FindRecord(p.scratch, kAttachmentGroup, static_cast<short>(oldId), &attachment) == kErrNone) {
        ReleaseRecord(attachment);
        ErrorCode code = CopyRecordAcross(p, kAttachmentGroup, oldId, p.newIds[static_cast<size_t>(i)]);
        if (code != kErrNone)
            return code;
    }
    ErrorCode code = RelinkSlots(p, scratchObjects, index);
    LockedTable objects(p.drawing, kTableObjects);
    DrawingObject* object = ObjectAt(objects.Get(), index);
    if (code == kErrNone)
        code = CopyDataRecords(p, scratchObjects, object);
    if (code == kErrNone)
        code = CopyText(p, object);
    if (code == kErrNone) {
        LockedTable order(p.drawing, kTableDrawOrder);
        const int at = TableCount(order.Get());
        DrawOrderEntries(order.Get())[at] = DrawOrderEntries(scratchOrder)[i] + p.oldCount;
        static_cast<TableHead*>(order.Get())->count = at + 1;
    }
    return code;
}

POINT PlacementPoint(const Paste& p, const POINT* given)
{
    POINT point;
    if (given)
        return *given;
    if (!RightClickDrawingPoint(p.view, &point))
        GetPastePosition(p.drawing, &p.extent, &point);
    return point;
}

void MoveObjects(const Paste& p, POINT offset)
{
    LockedTable objects(p.drawing, kTableObjects);
    for (int index = p.oldCount; index < p.oldCount + p.count; ++index) {
        DrawingObject* object = ObjectAt(objects.Get(), index);
        OffsetRect(&object->bounds, offset.x, offset.y);
        OffsetRect(&object->frame, offset.x, offset.y);
        OffsetRect(&object->inner, offset.x, offset.y);
        OffsetRect(&object->textFrame, offset.x, offset.y);
        if (object->groupIndex >= 0)
            OffsetRect(&object->referenceFrame, offset.x, offset.y);
        CallObjectKind(nullptr, p.drawing, objects.Get(), index, kMsgOffset, offset.x, offset.y, 0);
        objects.Refresh();
    }
}

void PlaceGroups(const Paste& p, POINT offset)
{
    {
        LockedTable groups(p.drawing, kTableGroups);
        for (int r = 0; r < p.groupCount; ++r) {
            GroupEntry* row = GroupEntryAt(groups.Get(), p.oldGroups + r);
            row->key = p.keyBase + r;
            OffsetRect(&row->frame, offset.x, offset.y);
            OffsetRect(&row->groupingFrame, offset.x, offset.y);
        }
    }
    for (int r = 0; r < p.groupCount; ++r)
        RecalcGroupRect(p.drawing, p.oldGroups + r, nullptr);
}

ErrorCode MergeObjects(Paste& p)
{
    ScratchTable scratchObjects(p.scratch, kObjectTableGroup);
    ScratchTable scratchOrder(p.scratch, kDrawOrderGroup);
    ScratchTable scratchGroups(p.scratch, kGroupTableGroup);
    if (!scratchObjects.Get() || !scratchOrder.Get() || !scratchGroups.Get())
        return kErrNotDone;
    p.count = scratchObjects.Count(kObjectEntrySize);
    if (scratchOrder.Count(4) < p.count)
        return kErrNotDone;
    p.groupCount = scratchGroups.Count(kGroupEntrySize);
    {
        LockedTable objects(p.drawing, kTableObjects);
        LockedTable groups(p.drawing, kTableGroups);
        p.oldCount = objects.Count();
        p.oldGroups = groups.Count();
        p.keyBase = GroupKeyBase(groups.Get(), p.groupCount);
    }
    if (p.oldCount + p.count > kMaxObjects)
        return kErrTooManyObjects;
    ErrorCode code = GrowTables(p);
    if (code != kErrNone)
        return code;
    {
        LockedTable groups(p.drawing, kTableGroups);
        for (int r = 0; r < p.groupCount; ++r)
            std::memcpy(GroupEntryAt(groups.Get(), p.oldGroups + r), GroupEntryAt(scratchGroups.Get(), r),
                        kGroupEntrySize);
        static_cast<TableHead*>(groups.Get())->count = p.oldGroups + p.groupCount;
        LockedTable objects(p.drawing, kTableObjects);
        code = AppendObjects(p, scratchObjects.Get(), objects.Get());
    }
    SetRectEmpty(&p.extent);
    for (int i = 0; code == kErrNone && i < p.count; ++i)
        code = AdoptObject(p, scratchObjects.Get(), scratchOrder.Get(), i);
    return code;
}

void FinishPaste(const Paste& p, const POINT* given)
{
    const POINT at = PlacementPoint(p, given);
    const POINT offset = {at.x - p.extent.left, at.y - p.extent.top};
    MoveObjects(p, offset);
    p.drawing->primarySelected = p.count > 0 ? p.oldCount : -1;
    p.drawing->loadedSet = 1;
    p.drawing->selectedCount = p.count;
    PlaceGroups(p, offset);
}

} // namespace

ErrorCode RemapTextFonts(HGLOBAL fontMap, HGLOBAL textRecord)
{
    ErrorCode code = SetRecordDirty(textRecord);
    if (code != kErrNone)
        return code;
    auto* bytes = static_cast<unsigned char*>(GlobalLock(textRecord));
    if (!bytes)
        return kErrNoMemory;
    const SIZE_T size = GlobalSize(textRecord);
    if (size > kHeaderBytes && IsTextBlockSound(bytes + kHeaderBytes, size - kHeaderBytes)) {
        auto* header = reinterpret_cast<TextBlockHeader*>(bytes + kHeaderBytes);
        auto* formats = reinterpret_cast<TextFormat*>(bytes + kHeaderBytes + TextBlockFormatsOffset(*header));
        for (int f = 0; f < header->formatCount; ++f) {
            const int slot = FontTableSlotValue(fontMap, formats[f].face);
            if (slot >= 0)
                formats[f].face = slot;
            formats[f].font = 0;
        }
    }
    GlobalUnlock(textRecord);
    return kErrNone;
}

ErrorCode PasteFromClipboardStore(HWND view, void* viewRecord, HGLOBAL drawingHandle, const POINT* point,
                                  HGLOBAL fontList, HGLOBAL fontTable)
{
    Paste p{};
    p.view = view;
    p.viewRecord = viewRecord;
    p.scratch = ClipboardScratchStore;
    p.store = ReadViewField(viewRecord, kViewStoreSlot);
    p.fontMap = fontTable;
    ErrorCode code = p.scratch >= 0 ? ErrorCode(kErrNone) : kErrNotDone;
    if (code == kErrNone)
        p.newIds.assign(kMaxObjects, 0);
    DeselectAllObjects(drawingHandle);
    if (code == kErrNone && !fontList)
        code = CopyScratchPayload(p.scratch, kFontListRecord, &fontList);
    if (code == kErrNone && !p.fontMap)
        code = CopyScratchPayload(p.scratch, kFontTableRecord, &p.fontMap);
    if (code == kErrNone)
        code = MergeFonts(p, fontList);
    if (fontList)
        FreeFontList(fontList);
    p.drawing = code == kErrNone ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (code == kErrNone && !p.drawing)
        code = kErrNoMemory;
    if (code == kErrNone)
        code = MergeObjects(p);
    if (code == kErrNone) {
        FinishPaste(p, point);
        CollectDocumentColors(viewRecord, p.oldCount);
        code = RealizeDocumentPalette(view, viewRecord);
    }
    if (p.drawing)
        GlobalUnlock(drawingHandle);
    if (p.fontMap)
        GlobalFree(p.fontMap);
    return code;
}

HGLOBAL GetClipboardDib()
{
    if (!OpenClipboard(MainWindow))
        return nullptr;
    HGLOBAL copy = nullptr;
    if (HGLOBAL source = GetClipboardData(CF_DIB)) {
        const SIZE_T size = GlobalSize(source);
        const void* bytes = GlobalLock(source);
        copy = bytes && size ? SeamGlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
        void* target = copy ? GlobalLock(copy) : nullptr;
        if (target) {
            std::memcpy(target, bytes, size);
            GlobalUnlock(copy);
        }
        if (bytes)
            GlobalUnlock(source);
    }
    CloseClipboard();
    return copy;
}

ErrorCode PasteFromClipboard(HWND view, void* viewRecord, bool* ours)
{
    *ours = false;
    if (!OpenClipboard(MainWindow))
        return kErrNone;
    const bool hasOurs = IsClipboardFormatAvailable(PrivatePictFormat) != 0;
    const bool hasMetafile = IsClipboardFormatAvailable(CF_METAFILEPICT) != 0;
    const bool onlyText = !hasOurs && ClipboardHasOnlyText();
    if (hasOurs || !hasMetafile)
        CloseClipboard();
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    if (hasOurs) {
        *ours = true;
        return PasteFromClipboardStore(view, viewRecord, drawingHandle, nullptr, nullptr, nullptr);
    }
    if (onlyText)
        return PasteClipboardText(view, viewRecord);
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(drawingHandle));
    if (!drawing) {
        if (hasMetafile)
            CloseClipboard();
        return kErrNoMemory;
    }
    ErrorCode code = kErrNone;
    if (hasMetafile) {
        HGLOBAL bits = nullptr;
        RECT size, bounds;
        int colourCount = 0;
        int scanFlags = 0;
        COLORREF colours[kMaxPictureColors];
        code = ReadMetafilePict(&bits, &size, &bounds, &colourCount, colours, &scanFlags, nullptr);
        CloseClipboard();
        if (code == kErrNone)
            code = PlaceMetafilePicture(view, drawing, bits, &size, &bounds, colourCount, colours, scanFlags);
    } else {
        HGLOBAL dib = GetClipboardDib();
        if (!dib)
            dib = GetClipboardBitmapAsDib(MainWindow);
        if (dib)
            code = PlaceDibPicture(view, drawing, dib, nullptr);
    }
    GlobalUnlock(drawingHandle);
    if (code == kErrNone)
        code = RealizeDocumentPalette(view, viewRecord);
    return code;
}
