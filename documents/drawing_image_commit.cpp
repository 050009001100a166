// Handing a completely read stream image over to the document: first what
// can fail without touching the document (the printer context, copies of
// the view's blocks), then the store's records (taken out again when the
// store fails), last the view record's own fields.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "common/io_seam.h"
#include "documents/document_records.h"
#include "documents/drawing_image.h"
#include "documents/drawing_stream_tags.h"
#include "documents/page_layout.h"
#include "documents/printer_context.h"
#include "documents/record_stream.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_links.h"
#include "objects/object_kind_table.h"
#include "objects/picture_chunks.h"
#include "objects/picture_save.h"
#include "objects/update_links.h"
#include "store/record_store.h"
#include "text/font_list.h"
#include "text/object_text_layout.h"

namespace {

const short kPreviewId = 107;
const DWORD kHeader = 16;

struct CreatedRecords {
    int store;
    std::vector<std::pair<short, short>> keys;

    void Undo()
    {
        for (const auto& key : keys) {
            RecordHandle record = nullptr;
            if (FindRecord(store, key.first, key.second, &record) == kErrNone &&
                DeleteRecordByHandle(record) == kErrNone)
                GlobalFree(record);
        }
        keys.clear();
    }
};

ErrorCode CreateWithPayload(CreatedRecords* created, short group, short id, const std::vector<uint8_t>& payload)
{
    RecordHandle record = nullptr;
    ErrorCode code = CreateRecord(created->store, group, id, static_cast<DWORD>(payload.size()) + kHeader, &record);
    if (code != kErrNone)
        return code;
    created->keys.emplace_back(group, id);
    auto* bytes = static_cast<uint8_t*>(GlobalLock(record));
    if (!bytes) {
        ReleaseRecord(record);
        return kErrNoMemory;
    }
    if (!payload.empty())
        std::memcpy(bytes + kHeader, payload.data(), payload.size());
    GlobalUnlock(record);
    code = SetRecordDirty(record);
    ReleaseRecord(record);
    return code;
}

// Replaces the payload of a record of group 100, creating it when absent.
ErrorCode PutDocumentRecord(CreatedRecords* created, short id, const std::vector<uint8_t>& payload)
{
    RecordHandle record = nullptr;
    if (FindRecord(created->store, kDocumentGroup, id, &record) != kErrNone)
        return CreateWithPayload(created, kDocumentGroup, id, payload);
    const DWORD size = static_cast<DWORD>(payload.size()) + kHeader;
    ErrorCode code = QueryRecordSize(record) != size ? ResizeRecord(&record, size) : kErrNone;
    if (code == kErrNone) {
        auto* bytes = static_cast<uint8_t*>(GlobalLock(record));
        if (bytes) {
            if (!payload.empty())
                std::memcpy(bytes + kHeader, payload.data(), payload.size());
            GlobalUnlock(record);
            code = SetRecordDirty(record);
        } else {
            code = kErrNoMemory;
        }
    }
    ReleaseRecord(record);
    return code;
}

ErrorCode PutColorList(int store, const std::vector<COLORREF>& colors)
{
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kDocumentGroup, kColorListId, &record);
    if (code != kErrNone)
        return code;
    if (QueryRecordSize(record) < kColorListRecordSize)
        code = ResizeRecord(&record, kColorListRecordSize);
    if (code == kErrNone) {
        auto* bytes = static_cast<uint8_t*>(GlobalLock(record));
        if (bytes) {
            WriteLeI32(bytes + kHeader, static_cast<int32_t>(colors.size()));
            for (size_t i = 0; i < colors.size(); ++i)
                WriteLeU32(bytes + kHeader + 4 + 4 * i, colors[i]);
            GlobalUnlock(record);
            code = SetRecordDirty(record);
        } else {
            code = kErrNoMemory;
        }
    }
    ReleaseRecord(record);
    return code;
}

std::vector<uint8_t> BlockBytes(HGLOBAL block)
{
    std::vector<uint8_t> bytes;
    const void* data = block ? GlobalLock(block) : nullptr;
    if (data) {
        bytes.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + GlobalSize(block));
        GlobalUnlock(block);
    }
    return bytes;
}

ErrorCode StorePicture(CreatedRecords* created, ObjectImage* item)
{
    const PayloadReader header(item->pictureHeader.data(), static_cast<uint32_t>(item->pictureHeader.size()));
    RECT bounds = {ConvertStreamValue(header.I16(0)), ConvertStreamValue(header.I16(2)),
                   ConvertStreamValue(header.I16(4)), ConvertStreamValue(header.I16(6))};
    const int colorCount = std::min<int>(header.U16(76), kMaxPictureColors);
    std::vector<COLORREF> colors(static_cast<size_t>(colorCount) + 1, 0);
    for (int i = 0; i < colorCount; ++i)
        colors[static_cast<size_t>(i)] = header.U32(kPictureHeaderSize + 4 * static_cast<uint32_t>(i));
    HGLOBAL data = SeamGlobalAlloc(GMEM_MOVEABLE, item->picture.size());
    void* bytes = data ? GlobalLock(data) : nullptr;
    if (!bytes) {
        if (data)
            GlobalFree(data);
        return kErrNoMemory;
    }
    std::memcpy(bytes, item->picture.data(), item->picture.size());
    GlobalUnlock(data);
    int first = -1;
    int count = 0;
    ErrorCode code = SavePicture(created->store, item->pictureGroup, data, static_cast<DWORD>(item->picture.size()),
                                 &bounds, &first, &count, colorCount, colors.data(), header.U16(74));
    GlobalFree(data);
    for (int i = 0; first >= 0 && i < count; ++i)
        created->keys.emplace_back(static_cast<short>(item->pictureGroup), static_cast<short>(first + i));
    if (code != kErrNone)
        return code;
    item->object.dataFirstId = first;
    item->object.dataCount = count;
    RecordHandle chunk = nullptr;
    code = FindRecord(created->store, static_cast<short>(item->pictureGroup), static_cast<short>(first), &chunk);
    if (code != kErrNone)
        return code;
    if (auto* c = static_cast<uint8_t*>(GlobalLock(chunk))) {
        const int points = std::min<int>(std::max<int>(header.I16(8), 0), kMaxConnectPoints);
        WriteLeI16(c + kChunkConnectCount, static_cast<int16_t>(points));
        for (uint32_t i = 0; i < static_cast<uint32_t>(kMaxConnectPoints); ++i) {
            const bool used = static_cast<int>(i) < points;
            WriteLeU16(c + kChunkConnectPoints + 4 * i, used ? header.U16(10 + 4 * i) : 0);
            WriteLeU16(c + kChunkConnectPoints + 4 * i + 2, used ? header.U16(12 + 4 * i) : 0);
        }
        GlobalUnlock(chunk);
        code = SetRecordDirty(chunk);
    } else {
        code = kErrNoMemory;
    }
    ReleaseRecord(chunk);
    return code;
}

ErrorCode StoreObjectRecords(CreatedRecords* created, int index, ObjectImage* item)
{
    DrawingObject& o = item->object;
    ErrorCode code = kErrNone;
    if (!item->text.empty())
        code = CreateWithPayload(created, kTextGroup, static_cast<short>(o.textRecordId), item->text);
    if (code == kErrNone && !item->route.empty())
        code = CreateWithPayload(created, kConnectorRouteGroup, static_cast<short>(o.dataFirstId), item->route);
    if (code == kErrNone && !item->freeform.empty())
        code = CreateWithPayload(created, kFreeformGroup, static_cast<short>(o.dataFirstId), item->freeform);
    if (code == kErrNone && !item->branches.empty())
        code = CreateWithPayload(created, kArrayBranchGroup, static_cast<short>(o.dataFirstId), item->branches);
    if (code == kErrNone && !item->attachment.empty())
        code = CreateWithPayload(created, kAttachmentGroup, static_cast<short>(index), item->attachment);
    if (code == kErrNone && item->pictureGroup > 0)
        code = StorePicture(created, item);
    return code;
}

void CopyStreamFields(const DrawingRecord& from, DrawingRecord* to)
{
    to->width = from.width;
    to->height = from.height;
    to->flags = from.flags;
    to->selectedCount = from.selectedCount;
    to->primarySelected = from.primarySelected;
    to->lastObjectId = from.lastObjectId;
    to->duplicateDx = from.duplicateDx;
    to->duplicateDy = from.duplicateDy;
    to->style = from.style;
    to->outlineWidth = from.outlineWidth;
    to->lineWidth = from.lineWidth;
    to->textSize = from.textSize;
    to->textStyle = from.textStyle;
    to->textAlignment = from.textAlignment;
    to->textPlacement = from.textPlacement;
    to->textFont = from.textFont;
    to->fillMode = from.fillMode;
    to->startArrow = from.startArrow;
    to->endArrow = from.endArrow;
    to->arrowSize = from.arrowSize;
    to->snapDragFlag = from.snapDragFlag;
    std::memcpy(to->rulerScale, from.rulerScale, sizeof(to->rulerScale));
}

ErrorCode SizeTable(DrawingRecord* drawing, DrawingTableId table, int entries, int entrySize)
{
    return ResizeDrawingTable(drawing, table,
                              static_cast<DWORD>(kTableHeadSize) + static_cast<DWORD>(entrySize) *
                                                                       static_cast<DWORD>(entries));
}

ErrorCode FillTables(DrawingRecord* drawing, StreamImage* image)
{
    DrawingImage& d = image->drawing;
    const int n = static_cast<int>(d.objects.size());
    ErrorCode code = SizeTable(drawing, kTableObjects, n + 1, kObjectEntrySize);
    if (code == kErrNone)
        code = SizeTable(drawing, kTableDrawOrder, n + 1, 4);
    if (code == kErrNone)
        code = SizeTable(drawing, kTableLinks, static_cast<int>(d.links.size()), kLinkEntrySize);
    if (code == kErrNone)
        code = SizeTable(drawing, kTableGroups, static_cast<int>(d.groups.size()), kGroupEntrySize);
    if (code != kErrNone)
        return code;
    LockedTable objects(drawing, kTableObjects);
    LockedTable order(drawing, kTableDrawOrder);
    LockedTable links(drawing, kTableLinks);
    LockedTable groups(drawing, kTableGroups);
    if (!objects.Get() || !order.Get() || !links.Get() || !groups.Get())
        return kErrNoMemory;
    for (int i = 0; i < n; ++i) {
        *ObjectAt(objects.Get(), i) = d.objects[static_cast<size_t>(i)].object;
        DrawOrderEntries(order.Get())[i] = i;
    }
    static_cast<TableHead*>(objects.Get())->count = n;
    static_cast<TableHead*>(order.Get())->count = n;
    for (size_t i = 0; i < d.links.size(); ++i)
        *LinkEntryAt(links.Get(), static_cast<int>(i)) = d.links[i];
    static_cast<TableHead*>(links.Get())->count = static_cast<int32_t>(d.links.size());
    for (size_t i = 0; i < d.groups.size(); ++i)
        *GroupEntryAt(groups.Get(), static_cast<int>(i)) = d.groups[i];
    static_cast<TableHead*>(groups.Get())->count = static_cast<int32_t>(d.groups.size());
    return kErrNone;
}

void EmptyTables(DrawingRecord* drawing)
{
    for (DrawingTableId table : {kTableObjects, kTableDrawOrder, kTableLinks, kTableGroups}) {
        LockedTable locked(drawing, table);
        if (locked.Get())
            static_cast<TableHead*>(locked.Get())->count = 0;
    }
}

ErrorCode StoreDrawing(DrawingRecord* drawing, StreamImage* image, CreatedRecords* created)
{
    for (size_t i = 0; i < image->drawing.objects.size(); ++i) {
        ErrorCode code = StoreObjectRecords(created, static_cast<int>(i), &image->drawing.objects[i]);
        if (code != kErrNone)
            return code;
    }
    ErrorCode code = FillTables(drawing, image);
    if (code != kErrNone)
        return code;
    CopyStreamFields(image->drawing.record, drawing);
    return kErrNone;
}

// Links resolved against the objects, lengths recomputed for other units,
// texts laid out, hosts found again, then whatever hangs on links follows.
ErrorCode SettleDrawing(DrawingRecord* drawing, HGLOBAL fontTable)
{
    ErrorCode code = RebuildLinkTable(drawing);
    if (code != kErrNone)
        return code;
    const TextLayoutBatch batch;
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        DrawingObject* o = ObjectAt(objects.Get(), i);
        if (o->textRecordId < 0) {
            if (StreamUnitsPerInch != kStreamUnitsPerInch) {
                CallObjectKind(nullptr, drawing, objects.Get(), i, kMsgRecompute);
                objects.Refresh();
            }
        } else {
            code = ReflowObjectText(drawing, o, 0, fontTable);
            if (code != kErrNone)
                return code;
        }
        o = ObjectAt(objects.Get(), i);
        if (o->labelPartnerId != kNoObjectId) {
            const int host = FindObjectIndex(objects.Get(), o->labelPartnerId, o->labelPartnerHint);
            if (host >= 0)
                o->labelPartnerHint = host;
        }
    }
    return UpdateLinks(drawing);
}

ErrorCode MarkDrawingDirty(HGLOBAL handle, DrawingRecord* drawing)
{
    for (DrawingTableId table : {kTableObjects, kTableDrawOrder, kTableLinks, kTableGroups}) {
        const ErrorCode code = SetDrawingTableDirty(drawing, table);
        if (code != kErrNone)
            return code;
    }
    return SetRecordDirty(handle);
}

// What the document block gives the view, prepared apart from it.
struct PreparedView {
    HGLOBAL devMode = nullptr;
    HDC context = nullptr;
    char printer[kPrinterStringSize] = {};
    SIZE page = {0, 0};
    RECT deviceMargins = {0, 0, 0, 0};
    int isDefault = 0;

    void Free()
    {
        if (context)
            DeleteDC(context);
        if (devMode)
            GlobalFree(devMode);
        context = nullptr;
        devMode = nullptr;
    }
};

HGLOBAL CopyDevMode(HGLOBAL current, const std::vector<uint8_t>& stored)
{
    std::vector<uint8_t> bytes = BlockBytes(current);
    if (bytes.size() < stored.size())
        bytes.resize(stored.size(), 0);
    if (!stored.empty())
        std::memcpy(bytes.data(), stored.data(), stored.size());
    HGLOBAL copy = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.empty() ? kDevModePublicSize : bytes.size());
    if (!copy)
        return nullptr;
    if (void* to = GlobalLock(copy)) {
        if (!bytes.empty())
            std::memcpy(to, bytes.data(), bytes.size());
        GlobalUnlock(copy);
    }
    return copy;
}

ErrorCode PrepareView(const ViewRecord* view, const DocumentImage& doc, PreparedView* prepared)
{
    prepared->devMode = CopyDevMode(GetViewDevMode(view), doc.devMode);
    if (!prepared->devMode)
        return kErrNoMemory;
    lstrcpynA(prepared->printer, doc.hasPrinter ? doc.printer : view->printer, kPrinterStringSize);
    int mode = kPrinterUseStored;
    if (doc.flags & kViewDefaultPrinter) {
        char current[kPrinterStringSize] = {};
        GetDefaultPrinterString(current);
        if (lstrcmpiA(current, prepared->printer) != 0) {
            prepared->printer[0] = '\0';
            mode = kPrinterKeepPaper;
        }
    }
    if (TemplatePrinterReset)
        mode = kPrinterKeepOrientation;
    prepared->isDefault = (doc.flags & kViewDefaultPrinter) ? 1 : 0;
    prepared->context = OpenPrinterContext(prepared->printer, &prepared->devMode, &prepared->deviceMargins,
                                           &prepared->page, mode, 1, &prepared->isDefault, nullptr);
    return prepared->context ? kErrNone : kErrNoMemory;
}

void ApplyDocument(ViewRecord* view, const DocumentImage& doc, PreparedView* prepared)
{
    view->flags = doc.flags;
    view->scrollX = doc.scrollX;
    view->scrollY = doc.scrollY;
    view->zoom = doc.zoom;
    view->viewFlags = doc.viewFlags;
    view->containerBackground = static_cast<int32_t>(doc.background);
    lstrcpynA(view->printer, prepared->printer, kPrinterStringSize);
    if (HDC old = GetViewMeasuringDC(view))
        DeleteDC(old);
    view->measuringDC = HandleToWord(prepared->context);
    if (HGLOBAL old = GetViewDevMode(view))
        GlobalFree(old);
    SetViewDevMode(view, prepared->devMode);
    prepared->context = nullptr;
    prepared->devMode = nullptr;
    if (prepared->isDefault)
        view->flags |= kViewDefaultPrinter;
    else
        view->flags &= ~kViewDefaultPrinter;
    view->overlap = doc.overlap != 0 ? kPageOverlap : 0;
    ApplyPageMeasures(view, prepared->page, prepared->deviceMargins);
    SetDrawingAreaFromFlags(view, GetViewDevMode(view));
    if (doc.hasLibrary) {
        if (view->libraryAtom)
            GlobalDeleteAtom(view->libraryAtom);
        view->libraryAtom = doc.library[0] ? GlobalAddAtomA(doc.library) : 0;
    }
}

void ApplyFonts(ViewRecord* view, StreamImage* image)
{
    FreeFontList(GetViewFontList(view));
    SetViewFontList(view, image->fontList);
    if (HGLOBAL old = GetViewFontTable(view))
        GlobalFree(old);
    SetViewFontTable(view, image->fontTable);
    image->fontList = nullptr;
    image->fontTable = nullptr;
}

} // namespace

ErrorCode CommitStreamImage(HWND, ViewRecord* view, StreamImage* image)
{
    PreparedView prepared;
    if (image->document.present) {
        ErrorCode code = PrepareView(view, image->document, &prepared);
        if (code != kErrNone) {
            prepared.Free();
            return code;
        }
    }
    HGLOBAL drawingHandle = GetViewDrawingHandle(view);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing) {
        prepared.Free();
        return kErrNoMemory;
    }
    CreatedRecords created{image->storeSlot, {}};
    ErrorCode code = kErrNone;
    if (image->document.present && image->document.hasColors)
        code = PutColorList(image->storeSlot, image->document.colors);
    if (code == kErrNone && image->hasPreview)
        code = PutDocumentRecord(&created, kPreviewId, image->preview);
    if (code == kErrNone && (image->document.present || image->hasFontTable))
        code = PutDocumentRecord(&created, kFontListId, BlockBytes(image->fontList));
    if (code == kErrNone && image->drawing.present)
        code = StoreDrawing(drawing, image, &created);
    if (code != kErrNone) {
        EmptyTables(drawing);
        created.Undo();
        GlobalUnlock(drawingHandle);
        prepared.Free();
        return code;
    }
    if (image->document.present)
        ApplyDocument(view, image->document, &prepared);
    ApplyFonts(view, image);
    if (image->drawing.present)
        code = SettleDrawing(drawing, GetViewFontTable(view));
    const ErrorCode marked = MarkDrawingDirty(drawingHandle, drawing);
    GlobalUnlock(drawingHandle);
    return code != kErrNone ? code : marked;
}
